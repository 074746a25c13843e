#include "errordialog.h"
#include "printerchoice.h"
#include "reportengine.h"
#include "reportpreview.h"
#include "samplepayslip.h"

#include <QAction>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// The report engine as the pay slip screens drive it: a layout filled with
// numbered entries, sent to the preview window, the printer or a saved pay
// slip, and every way a run can fail, each with its number.
class TestReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failures_data();
    void failures();
    void destinationChecked_data();
    void destinationChecked();
    void sameNumberReplaces();
    void quoteInsideValueReachesThePage();
    void fieldWithoutEntryPrintsNothing();
    void savedPayslipIsSelfContained();
    void savedPayslipReopensIdentically();
    void savedPayslipKeepsItsProperties();
    void savedPayslipOfVersion1StillOpens();
    void savingReplacesAnExistingFile();
    void savingRefusedIsReported();
    void pdfIsAPdfDocument();
    void pdfRefusedIsReported();
    void printingWithoutPrinter_data();
    void printingWithoutPrinter();
    void previewShowsThePage();
    void previewIsReusedByTheNextRun();
    void previewFitsItsScreen();
    void previewClosesWithEscape();
    void previewExportsPdf();
    void previewPrintWithoutPrinterSaysSo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QJsonObject textItem(const QJsonArray &rect, const QString &text)
{
    return {{"type", "text"}, {"rect", rect}, {"text", text}, {"font", "normal"}};
}

QJsonObject fieldItem(const QJsonArray &rect, const QString &formula, const QString &align = "left")
{
    return {{"type", "field"}, {"rect", rect}, {"formula", formula}, {"font", "normal"}, {"align", align}};
}

// A small page: a title, a frame, a rule and two fields.
QJsonObject smallLayout(const QJsonArray &extraItems = {})
{
    QJsonArray items{
        QJsonObject{{"type", "box"}, {"rect", QJsonArray{10, 10, 190, 40}}, {"width", 0.3}, {"fill", "#eeeeee"}},
        textItem({15, 12, 80, 6}, "BULLETIN DE PAIE"),
        QJsonObject{{"type", "line"}, {"from", QJsonArray{10, 20}}, {"to", QJsonArray{200, 20}}},
        fieldItem({15, 25, 80, 6}, "NOMSALARIE"),
        fieldItem({100, 25, 40, 6}, "TAUX", "right"),
    };
    for (const QJsonValue &item : extraItems)
        items.append(item);
    return {{"format", "quorvan-layout"},
            {"version", 1},
            {"page", QJsonObject{{"size", "A4"}, {"orientation", "portrait"}, {"unit", "mm"}}},
            {"fonts", QJsonObject{{"normal", QJsonObject{{"family", "DejaVu Sans"}, {"size", 10}}}}},
            {"items", items}};
}

QJsonObject savedReport(const QJsonObject &layout, const QJsonArray &formulas)
{
    return {{"format", "quorvan-report"}, {"version", 1}, {"layout", layout}, {"formulas", formulas}};
}

QByteArray bytes(const QJsonObject &json)
{
    return QJsonDocument(json).toJson();
}

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject with(QJsonObject object, const QString &key, const QJsonValue &value)
{
    object.insert(key, value);
    return object;
}

void handSample(ReportEngine &engine)
{
    for (const auto &[number, text] : SamplePayslip::entries())
        engine.set_formula(number, text);
}

} // namespace

void TestReportEngine::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QDir::setCurrent(m_dir->path());
}

void TestReportEngine::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

void TestReportEngine::failures_data()
{
    QTest::addColumn<QByteArray>("content"); // of the report file; null: no file
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");

    const QStringList none;
    const QStringList name{"NOMSALARIE='DUPONT'"};
    const QJsonObject layout = smallLayout();
    const QJsonArray oneFormula{QJsonObject{{"number", 0}, {"name", "NOMSALARIE"}, {"value", "DUPONT"}}};

    QTest::newRow("missing file") << QByteArray() << name << 28601
        << "Le fichier « fiche.rpl » est introuvable.";
    QTest::newRow("damaged JSON") << bytes(layout).left(60) << name << 28602
        << "Le fichier « fiche.rpl » est endommagé";
    QTest::newRow("JSON that is not an object") << QByteArray("[1, 2]") << name << 28602 << "endommagé";
    QTest::newRow("empty file") << QByteArray("") << name << 28602 << "endommagé";
    QTest::newRow("foreign format") << bytes({{"format", "tableur"}, {"version", 1}}) << name << 28603
        << "n'est ni une mise en page ni une fiche de paie enregistrée";
    QTest::newRow("layout of a later version") << bytes(with(layout, "version", 2)) << name << 28603
        << "est en version 2, que ce programme ne sait pas lire";
    QTest::newRow("saved pay slip of a later version")
        << bytes(with(savedReport(layout, oneFormula), "version", 3)) << none << 28603
        << "La fiche de paie enregistrée « fiche.rpl » est en version 3 : ce programme lit les fiches de paie "
           "enregistrées jusqu'à la version 2.";
    QTest::newRow("layout without version") << bytes(with(layout, "version", "un")) << name << 28603
        << "La mise en page « fiche.rpl » ne porte pas de numéro de version.";
    QTest::newRow("unknown paper") << bytes(with(layout, "page", QJsonObject{{"size", "A6"}})) << name
        << 28604 << "format de papier « A6 » inconnu";
    QTest::newRow("unknown item type")
        << bytes(smallLayout({QJsonObject{{"type", "cercle"}, {"rect", QJsonArray{1, 1, 5, 5}}}})) << name
        << 28604 << "élément n°6 : type « cercle » inconnu";
    QTest::newRow("undefined font style")
        << bytes(smallLayout({QJsonObject{{"type", "text"}, {"rect", QJsonArray{1, 1, 5, 5}}, {"text", "x"}, {"font", "titre"}}}))
        << name << 28604 << "style de police « titre » non défini";
    QTest::newRow("field without a name")
        << bytes(smallLayout({QJsonObject{{"type", "field"}, {"rect", QJsonArray{1, 1, 5, 5}}}})) << name
        << 28604 << "champ sans nom de formule";
    QTest::newRow("item off the paper") << bytes(smallLayout({fieldItem({180, 290, 40, 6}, "NET")})) << name
        << 28604 << "le rectangle sort de la page";
    QTest::newRow("rectangle of three numbers") << bytes(smallLayout({fieldItem({1, 2, 3}, "NET")})) << name
        << 28604 << "rectangle absent ou incorrect";
    QTest::newRow("unknown alignment")
        << bytes(smallLayout({with(fieldItem({1, 1, 5, 5}, "NET"), "align", "justify")})) << name
        << 28604 << "alignement « justify » inconnu";
    QTest::newRow("unreadable entry") << bytes(layout) << QStringList{"NOMSALARIE=DUPONT"} << 28605
        << "La formule n°0 est illisible : « NOMSALARIE=DUPONT ».";
    QTest::newRow("name the layout does not define") << bytes(layout) << QStringList{"INCONNU='1'"} << 28606
        << "La formule n°0 « INCONNU » n'existe pas dans la mise en page « fiche.rpl ».";
    QTest::newRow("saved pay slip without layout")
        << bytes({{"format", "quorvan-report"}, {"version", 1}, {"formulas", oneFormula}}) << none << 28604
        << "La fiche de paie enregistrée « fiche.rpl » est endommagée : sa mise en page est absente.";
    QTest::newRow("saved pay slip without formulas")
        << bytes(with(savedReport(layout, oneFormula), "formulas", "rien")) << none << 28604
        << "la liste de ses formules est absente";
    QTest::newRow("saved formula the layout does not define")
        << bytes(savedReport(layout, {QJsonObject{{"number", 9}, {"name", "INCONNU"}, {"value", "1"}}})) << none
        << 28604 << "la formule « INCONNU » n'existe pas dans sa mise en page";
    QTest::newRow("saved formula number out of range")
        << bytes(savedReport(layout, {QJsonObject{{"number", 40000}, {"name", "NOMSALARIE"}, {"value", "1"}}}))
        << none << 28604 << "la formule en position 1 est mal décrite";
    QTest::newRow("saved pay slip cut short") << bytes(savedReport(layout, oneFormula)).chopped(40) << none
        << 28602 << "endommagé";
    QTest::newRow("saved pay slip of version 2 without its properties")
        << bytes(with(savedReport(layout, oneFormula), "version", 2)) << none << 28604
        << "la liste de ses propriétés est absente";
    QTest::newRow("saved property that is not a text")
        << bytes(with(with(savedReport(layout, oneFormula), "version", 2), "properties",
                      QJsonObject{{"identification", 12}}))
        << none << 28604 << "sa propriété « identification » n'est pas un texte";
}

// A failed run says why and writes nothing.
void TestReportEngine::failures()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, entries);
    if (!content.isNull())
        writeFile("fiche.rpl", content);

    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    for (int i = 0; i < entries.size(); ++i)
        engine.set_formula(qint16(i), entries.at(i));
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("sortie.rpt");
    const ReportError error = engine.run();

    QTEST(error.number, "number");
    QFETCH(QString, message);
    QVERIFY2(error.message.contains(message), qPrintable(error.message));
    QVERIFY(!QFile::exists("sortie.rpt"));
    QCOMPARE(engine.renderPdf("fiche.pdf").number, error.number);
    QVERIFY(!QFile::exists("fiche.pdf"));
}

void TestReportEngine::destinationChecked_data()
{
    QTest::addColumn<int>("destination");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("number");

    QTest::newRow("file without a name") << 2 << "" << 28608;
    QTest::newRow("negative") << -1 << "a.rpt" << 28609;
    QTest::newRow("three") << 3 << "a.rpt" << 28609;
}

void TestReportEngine::destinationChecked()
{
    QFETCH(int, destination);
    QFETCH(QString, output);
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_destination(destination);
    engine.set_output_file(output);
    const ReportError error = engine.run();
    QTEST(error.number, "number");
    QVERIFY(!error.message.isEmpty());
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{"fiche.rpl"});
}

void TestReportEngine::sameNumberReplaces()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_formula(0, "NOMSALARIE='DUPONT'");
    engine.set_formula(1201, "TAUX='43,72'");
    engine.set_formula(0, "NOMSALARIE='DURAND'");
    QCOMPARE(engine.formulas().size(), 2);

    ReportError error;
    const std::optional<ReportDocument> document = engine.document(&error);
    QVERIFY2(document, qPrintable(error.message));
    QCOMPARE(document->value("NOMSALARIE"), QString("DURAND"));
    QCOMPARE(document->formulas(), (QList<DocumentFormula>{{0, "NOMSALARIE", "DURAND"}, {1201, "TAUX", "43,72"}}));
}

void TestReportEngine::quoteInsideValueReachesThePage()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_formula(0, "NOMSALARIE='D'ARTAGNAN'");
    ReportError error;
    const std::optional<ReportDocument> document = engine.document(&error);
    QVERIFY2(document, qPrintable(error.message));
    QCOMPARE(document->value("NOMSALARIE"), QString("D'ARTAGNAN"));
}

// A field the entries leave out prints nothing, like a field given an empty value.
void TestReportEngine::fieldWithoutEntryPrintsNothing()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    QJsonObject withoutRate = smallLayout();
    QJsonArray items = withoutRate.value("items").toArray();
    items.removeLast();
    withoutRate.insert("items", items);
    writeFile("sans-taux.rpl", bytes(withoutRate));

    ReportError error;
    ReportEngine left;
    left.set_report_file("fiche.rpl");
    left.set_formula(0, "NOMSALARIE='DUPONT'");
    const QImage page = left.renderImage(96, &error);
    QVERIFY2(!error.failed(), qPrintable(error.message));

    ReportEngine empty;
    empty.set_report_file("fiche.rpl");
    empty.set_formula(0, "NOMSALARIE='DUPONT'");
    empty.set_formula(1201, "TAUX=''");
    QCOMPARE(empty.renderImage(96, &error), page);

    ReportEngine absent;
    absent.set_report_file("sans-taux.rpl");
    absent.set_formula(0, "NOMSALARIE='DUPONT'");
    QCOMPARE(absent.renderImage(96, &error), page);

    ReportEngine filled;
    filled.set_report_file("fiche.rpl");
    filled.set_formula(0, "NOMSALARIE='DUPONT'");
    filled.set_formula(1201, "TAUX='43,72'");
    QVERIFY(filled.renderImage(96, &error) != page);
}

void TestReportEngine::savedPayslipIsSelfContained()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("octobre.rpt");
    const ReportError error = engine.run();
    QVERIFY2(!error.failed(), qPrintable(error.message));

    const QJsonObject saved = QJsonDocument::fromJson(readFile("octobre.rpt")).object();
    QCOMPARE(saved.value("format").toString(), QString("quorvan-report"));
    QCOMPARE(saved.value("version").toInt(), 2);
    QCOMPARE(saved.value("layout").toObject(), QJsonDocument::fromJson(ReportEngine::deliveredLayout()).object());
    const QJsonArray formulas = saved.value("formulas").toArray();
    QCOMPARE(formulas.size(), int(PayslipFormulaNames::all.size()));
    QCOMPARE(formulas.first().toObject(), (QJsonObject{{"number", 0}, {"name", "NOMSALARIE"}, {"value", "LEFEBVRE"}}));
    // Pay slips are personal: readable by their owner only.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions("octobre.rpt") & others, QFile::Permissions());
}

// Reopened from its file alone, a saved pay slip is the very same page, and
// the entries of a later pay slip do not change it.
void TestReportEngine::savedPayslipReopensIdentically()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("octobre.rpt");
    QVERIFY(!engine.run().failed());
    ReportError error;
    const QImage printed = engine.renderImage(100, &error);
    QVERIFY(!printed.isNull());
    QVERIFY(QFile::remove("rkv.rpl"));

    ReportEngine archive;
    archive.set_report_file("octobre.rpt");
    archive.set_formula(0, "NOMSALARIE='AUTRE'");
    const QImage reopened = archive.renderImage(100, &error);
    QVERIFY2(!error.failed(), qPrintable(error.message));
    QCOMPARE(reopened, printed);

    // Saved again, it stays the same document.
    archive.set_destination(ReportEngine::File);
    archive.set_output_file("copie.rpt");
    QVERIFY(!archive.run().failed());
    QCOMPARE(readFile("copie.rpt"), readFile("octobre.rpt"));
}

// A saved pay slip says whose it is and for which period, for the pay
// history; it is written without indentation, well under 40 KB, and a saved
// pay slip reopened keeps what it said, whatever the engine now holds.
void TestReportEngine::savedPayslipKeepsItsProperties()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    const DocumentProperties subject{{"identification", "LEFEBVRE , MARC"},
                                     {"periodStart", "2001-10-01"},
                                     {"periodEnd", "2001-10-31"}};
    engine.setProperties(subject);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("octobre.rpt");
    QVERIFY(!engine.run().failed());

    const QByteArray content = readFile("octobre.rpt");
    QVERIFY2(content.size() < 40 * 1024, qPrintable(QString::number(content.size())));
    QVERIFY(!content.contains('\n'));
    const QJsonObject saved = QJsonDocument::fromJson(content).object();
    QCOMPARE(saved.value("properties").toObject(),
             (QJsonObject{{"identification", "LEFEBVRE , MARC"}, {"periodStart", "2001-10-01"},
                          {"periodEnd", "2001-10-31"}}));

    ReportEngine archive;
    archive.set_report_file("octobre.rpt");
    archive.setProperties({{"identification", "AUTRE , PERSONNE"}});
    ReportError error;
    const std::optional<ReportDocument> reopened = archive.document(&error);
    QVERIFY2(reopened, qPrintable(error.message));
    QCOMPARE(reopened->properties(), subject);
}

// Pay slips saved before the properties were kept open as they always did,
// and say nothing of themselves.
void TestReportEngine::savedPayslipOfVersion1StillOpens()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("octobre.rpt");
    QVERIFY(!engine.run().failed());
    ReportError error;
    const QImage printed = engine.renderImage(60, &error);
    QJsonObject older = QJsonDocument::fromJson(readFile("octobre.rpt")).object();
    older.insert("version", 1);
    older.remove("properties");
    writeFile("ancienne.rpt", QJsonDocument(older).toJson(QJsonDocument::Indented));

    ReportEngine archive;
    archive.set_report_file("ancienne.rpt");
    const std::optional<ReportDocument> reopened = archive.document(&error);
    QVERIFY2(reopened, qPrintable(error.message));
    QVERIFY(reopened->properties().isEmpty());
    QCOMPARE(archive.renderImage(60, &error), printed);
}

void TestReportEngine::savingReplacesAnExistingFile()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    writeFile("janvier.rpt", "ancienne fiche");
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_formula(0, "NOMSALARIE='DUPONT'");
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("janvier.rpt");
    QVERIFY(!engine.run().failed());
    const QJsonObject saved = QJsonDocument::fromJson(readFile("janvier.rpt")).object();
    QCOMPARE(saved.value("formulas").toArray().size(), 1);
}

void TestReportEngine::savingRefusedIsReported()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("dossier-absent/janvier.rpt");
    const ReportError error = engine.run();
    QCOMPARE(error.number, 28607);
    QVERIFY2(error.message.startsWith("La fiche de paie « janvier.rpt » n'a pas pu être enregistrée"),
             qPrintable(error.message));
}

void TestReportEngine::pdfIsAPdfDocument()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    const ReportError error = engine.renderPdf("octobre.pdf");
    QVERIFY2(!error.failed(), qPrintable(error.message));
    const QByteArray pdf = readFile("octobre.pdf");
    QVERIFY(pdf.startsWith("%PDF-1."));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    // A4 in points.
    QVERIFY(pdf.contains("/MediaBox [0 0 595"));
}

void TestReportEngine::pdfRefusedIsReported()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    const ReportError error = engine.renderPdf("dossier-absent/fiche.pdf");
    QCOMPARE(error.number, 28610);
    QVERIFY(error.message.contains("« fiche.pdf »"));
}

void TestReportEngine::printingWithoutPrinter_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("no printer chosen") << QString();
    QTest::newRow("chosen printer gone") << QString("Imprimante du bureau");
}

// The test machines have no printer: printing must fail with 28663, the
// number the pay slip actions answer with "VERIFIER VOS PARAMETRES IMPRIMANTE".
void TestReportEngine::printingWithoutPrinter()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed on this machine");
    QFETCH(QString, chosen);
    PrinterChoice printers;
    printers.setPrinterName(chosen);
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine(&printers);
    engine.set_report_file("fiche.rpl");
    engine.set_destination(ReportEngine::Printer);
    const ReportError error = engine.run();
    QCOMPARE(error.number, 28663);
    QCOMPARE(error.message, QString("Aucune imprimante n'est installée : la fiche de paie ne peut pas être imprimée."));
}

void TestReportEngine::previewShowsThePage()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::Window);
    const ReportError error = engine.run();
    QVERIFY2(!error.failed(), qPrintable(error.message));

    ReportPreview *preview = engine.preview();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY(!preview->isModal());
    QCOMPARE(preview->windowTitle(), QString("Aperçu de la fiche de paie"));
    QCOMPARE(preview->document().value("NET"), QString::fromUtf8("4\u202F965,84"));
    QCOMPARE(preview->page()->pageCount(), 1);

    QCOMPARE(preview->page()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    preview->findChild<QAction *>("FitPage")->trigger();
    QCOMPARE(preview->page()->zoomMode(), QPrintPreviewWidget::FitInView);
    const qreal fitted = preview->page()->zoomFactor();
    preview->findChild<QAction *>("ZoomIn")->trigger();
    QVERIFY(preview->page()->zoomFactor() > fitted);
    preview->findChild<QAction *>("ZoomOut")->trigger();
    preview->findChild<QAction *>("ZoomOut")->trigger();
    QVERIFY(preview->page()->zoomFactor() < fitted);
    preview->findChild<QAction *>("FitWidth")->trigger();
    QCOMPARE(preview->page()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    for (const char *name : {"PrintPage", "ExportPdf", "ClosePreview"})
        QVERIFY2(preview->findChild<QAction *>(name), name);

    preview->findChild<QAction *>("ClosePreview")->trigger();
    QTRY_VERIFY(!engine.preview());
}

void TestReportEngine::previewIsReusedByTheNextRun()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    engine.set_formula(0, "NOMSALARIE='DUPONT'");
    QVERIFY(!engine.run().failed());
    ReportPreview *first = engine.preview();
    QVERIFY(first);

    engine.set_formula(0, "NOMSALARIE='DURAND'");
    QVERIFY(!engine.run().failed());
    QCOMPARE(engine.preview(), first);
    QCOMPARE(first->document().value("NOMSALARIE"), QString("DURAND"));
}

// The whole window, frame included, lies within the screen's free area,
// wherever it was about to open.
void TestReportEngine::previewFitsItsScreen()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::Window);
    QVERIFY(!engine.run().failed());
    ReportPreview *opened = engine.preview();
    QVERIFY(opened);
    const QRect available = opened->screen()->availableGeometry();
    QVERIFY2(available.contains(opened->frameGeometry()), qPrintable(QString("%1x%2 on %3x%4")
        .arg(opened->width()).arg(opened->height()).arg(available.width()).arg(available.height())));
    QVERIFY(opened->width() > available.width() / 2);

    ReportPreview moved(engine.preview()->document());
    moved.move(available.right() - 10, available.bottom() - 10);
    moved.show();
    QVERIFY(QTest::qWaitForWindowExposed(&moved));
    QVERIFY(available.contains(moved.frameGeometry()));
}

void TestReportEngine::previewClosesWithEscape()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::Window);
    QVERIFY(!engine.run().failed());
    QVERIFY(QTest::qWaitForWindowActive(engine.preview()));
    QTest::keyClick(engine.preview()->page(), Qt::Key_Escape);
    QTRY_VERIFY(!engine.preview());
}

void TestReportEngine::previewExportsPdf()
{
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    QVERIFY(!engine.run().failed());
    QVERIFY(engine.preview()->exportPdf("aperçu.pdf"));
    QVERIFY(readFile("aperçu.pdf").startsWith("%PDF-1."));

    QVERIFY(!engine.preview()->exportPdf("dossier-absent/aperçu.pdf"));
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Erreur d'exportation"));
    QVERIFY(ErrorDialog::current()->message().contains("« aperçu.pdf »"));
}

void TestReportEngine::previewPrintWithoutPrinterSaysSo()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed on this machine");
    writeFile("fiche.rpl", bytes(smallLayout()));
    ReportEngine engine;
    engine.set_report_file("fiche.rpl");
    QVERIFY(!engine.run().failed());
    engine.preview()->findChild<QAction *>("PrintPage")->trigger();
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Erreur d'impression"));
    QVERIFY(engine.preview()->isVisible());
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
