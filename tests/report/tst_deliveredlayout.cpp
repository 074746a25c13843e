#include "payslipformulanames.h"
#include "pagerenderer.h"
#include "reportengine.h"
#include "reportfile.h"
#include "samplepayslip.h"

#include <QDir>
#include <QHash>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

// The layout delivered with the program: a pay slip page that prints every
// formula of the pay slip, each in its own place.
//
// QUORVAN_SAMPLE_DIR=DIR also writes the sample pay slip there as PNG and PDF,
// to look at the page or put it in the documentation.
class TestDeliveredLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void definesEveryFormulaName();
    void bonusAmongTheSalaryElements();
    void textsDoNotOverlap();
    void staysOnThePaper();
    void writtenWhenMissing();
    void neverOverwritten();
    void samplePayslipPrints();

private:
    ReportLayout deliveredLayout();

    QTemporaryDir m_dir;
};

void TestDeliveredLayout::init()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    QFile::remove(QString::fromLatin1(ReportEngine::DeliveredLayoutName));
}

ReportLayout TestDeliveredLayout::deliveredLayout()
{
    const QJsonDocument json = QJsonDocument::fromJson(ReportEngine::deliveredLayout());
    ReportError error;
    const std::optional<ReportLayout> layout = ReportLayout::fromJson(json.object(), QStringLiteral("rkv.rpl"), &error);
    if (!layout)
        qFatal("%s", qPrintable(error.message));
    return *layout;
}

void TestDeliveredLayout::definesEveryFormulaName()
{
    QSet<QString> expected;
    for (const PayslipFormulaName &formula : PayslipFormulaNames::all)
        expected.insert(QString::fromLatin1(formula.name));
    // The 182 of every pay slip layout and the bonus.
    QCOMPARE(expected.size(), 183);
    QVERIFY(expected.contains(QStringLiteral("PRIME")));

    const ReportLayout layout = deliveredLayout();
    QCOMPARE(layout.formulaNames() - expected, QSet<QString>());
    QCOMPARE(expected - layout.formulaNames(), QSet<QString>());
}

// The bonus has its own line "Prime" between the base salary and the gross,
// its amount in the column of the amounts to pay.
void TestDeliveredLayout::bonusAmongTheSalaryElements()
{
    const ReportLayout layout = deliveredLayout();
    QHash<QString, QRectF> at;
    for (const LayoutItem &item : layout.items())
        if (item.kind == LayoutItem::Kind::Field)
            at.insert(item.formula, item.rect);
        else if (item.kind == LayoutItem::Kind::Text)
            at.insert(item.text, item.rect);
    for (const char *name : {"Prime", "PRIME", "BRUTB", "SALAIREBRUT", "Salaire de base"})
        QVERIFY2(at.contains(QString::fromUtf8(name)), name);

    const QRectF caption = at.value(QStringLiteral("Prime"));
    const QRectF amount = at.value(QStringLiteral("PRIME"));
    QCOMPARE(amount.center().y(), caption.center().y());
    QCOMPARE(amount.left(), at.value(QStringLiteral("BRUTB")).left());
    QCOMPARE(amount.width(), at.value(QStringLiteral("BRUTB")).width());
    QCOMPARE(caption.left(), at.value(QStringLiteral("Salaire de base")).left());
    QVERIFY(amount.top() > at.value(QStringLiteral("BRUTB")).bottom() - 0.01);
    QVERIFY(amount.bottom() < at.value(QStringLiteral("SALAIREBRUT")).top() + 0.01);
}

// Two texts sharing any part of the paper would print over each other.
void TestDeliveredLayout::textsDoNotOverlap()
{
    const ReportLayout layout = deliveredLayout();
    QList<LayoutItem> texts;
    for (const LayoutItem &item : layout.items())
        if (item.kind == LayoutItem::Kind::Text || item.kind == LayoutItem::Kind::Field)
            texts.append(item);
    const auto label = [](const LayoutItem &item) {
        return item.kind == LayoutItem::Kind::Field ? item.formula : item.text;
    };
    for (int i = 0; i < texts.size(); ++i)
        for (int j = i + 1; j < texts.size(); ++j) {
            const QRectF common = texts.at(i).rect.intersected(texts.at(j).rect);
            if (common.width() > 0.01 && common.height() > 0.01)
                QFAIL(qPrintable(QStringLiteral("« %1 » et « %2 » se chevauchent")
                                     .arg(label(texts.at(i)), label(texts.at(j)))));
        }
}

void TestDeliveredLayout::staysOnThePaper()
{
    const ReportLayout layout = deliveredLayout();
    QCOMPARE(layout.pageSize().toSize(), QSize(210, 297));
    // Printers cannot print the outer few millimetres of a sheet.
    const QRectF printable(10, 10, 190, 277);
    for (const LayoutItem &item : layout.items()) {
        const QRectF bounds = item.kind == LayoutItem::Kind::Line
            ? QRectF(item.line.p1(), item.line.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01)
            : item.rect;
        QVERIFY2(printable.contains(bounds), qPrintable(item.formula + item.text));
    }
}

void TestDeliveredLayout::writtenWhenMissing()
{
    ReportEngine::ensureDeliveredLayout();
    QFile written(QStringLiteral("rkv.rpl"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), ReportEngine::deliveredLayout());
}

// A layout of the firm's own, sound, is theirs: never touched.
void TestDeliveredLayout::neverOverwritten()
{
    const QByteArray ours = ReportEngine::deliveredLayout().replace("\"size\": 8", "\"size\": 9");
    QVERIFY(ours != ReportEngine::deliveredLayout());
    QFile mine(QStringLiteral("rkv.rpl"));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write(ours);
    mine.close();
    QCOMPARE(ReportEngine::ensureDeliveredLayout(), QString());
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), ours);
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rkv.rpl")});
}

void TestDeliveredLayout::samplePayslipPrints()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    for (const auto &[number, text] : SamplePayslip::entries())
        engine.set_formula(number, text);
    ReportError error;
    const std::optional<ReportDocument> document = engine.document(&error);
    QVERIFY2(document, qPrintable(error.message));
    QCOMPARE(document->formulas().size(), int(PayslipFormulaNames::all.size()));

    const QImage page = PageRenderer(*document).toImage(150);
    QCOMPARE(page.size(), QSize(1240, 1754));
    const QString sampleDir = qEnvironmentVariable("QUORVAN_SAMPLE_DIR");
    if (!sampleDir.isEmpty()) {
        QVERIFY(page.save(QDir(sampleDir).filePath(QStringLiteral("fiche-de-paie.png"))));
        QVERIFY(!engine.renderPdf(QDir(sampleDir).filePath(QStringLiteral("fiche-de-paie.pdf"))).failed());
    }
}

QTEST_MAIN(TestDeliveredLayout)
#include "tst_deliveredlayout.moc"
