#include "payrun.h"
#include "payrundraft.h"
#include "payrunhistory.h"
#include "payruntestsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace PayRunTestSupport;

// The draft of the month's pay run: what the clerk typed survives the
// program — a pay run opened afresh on the same files brings it back — and
// nothing else is kept; a damaged draft is set aside, never trusted and
// never deleted; the file is owner-only and written whole.
class TestPayRunDraft : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void typedFiguresSurviveARestart();
    void onlyWhatWasTypedIsKept();
    void nothingTypedLeavesNoDraft();
    void savedRowsLeaveTheDraft();
    void draftIsOwnerOnly();
    void eachPeriodHasItsDraft();
    void unusableDraftIsSetAside_data();
    void unusableDraftIsSetAside();
    void employeeGoneFromTheFileIsSaid();

private:
    PayRun open(const PayRunPeriod &period = PayRunPeriod::month(2001, 3)) const;
    QString draftPath(const PayRunPeriod &period = PayRunPeriod::month(2001, 3)) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPayRunDraft::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeDemo(m_dir->path()));
}

PayRun TestPayRunDraft::open(const PayRunPeriod &period) const
{
    auto opened = PayRun::open(m_dir->path(), period, PayRunHistory(m_dir->path()));
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRun>(opened);
}

QString TestPayRunDraft::draftPath(const PayRunPeriod &period) const
{
    return QDir(m_dir->path()).filePath(PayRunDraft::fileName(period));
}

void TestPayRunDraft::typedFiguresSurviveARestart()
{
    {
        PayRun run = open();
        run.setFigure(0, PayRunFigures::ComplementaryHours, QStringLiteral("10,5"));
        run.setFigure(2, PayRunFigures::Bonus, QStringLiteral("500"));
        run.setFigure(2, PayRunFigures::PreviousLeaveBalance, QStringLiteral("12"));
        QCOMPARE(PayRunDraft::save(m_dir->path(), run), QString());
    }
    QCOMPARE(QFileInfo(draftPath()).fileName(), QStringLiteral("paie-du-mois 2001-03.brouillon.json"));

    PayRun reopened = open();
    QCOMPARE(reopened.row(0).figures[PayRunFigures::ComplementaryHours], QString());
    QCOMPARE(PayRunDraft::restore(m_dir->path(), reopened), QString());
    QCOMPARE(reopened.row(0).figures[PayRunFigures::ComplementaryHours], QStringLiteral("10,5"));
    QCOMPARE(reopened.row(2).figures[PayRunFigures::Bonus], QStringLiteral("500"));
    QCOMPARE(reopened.row(2).figures[PayRunFigures::PreviousLeaveBalance], QStringLiteral("12"));
    QVERIFY(reopened.row(2).isEdited(PayRunFigures::PreviousLeaveBalance));
    QVERIFY(!reopened.row(1).hasTypedFigures());
}

void TestPayRunDraft::onlyWhatWasTypedIsKept()
{
    PayRun run = open();
    run.setFigure(1, PayRunFigures::Advance, QStringLiteral("1000"));
    run.calculate();
    QCOMPARE(PayRunDraft::save(m_dir->path(), run), QString());
    QFile file(draftPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("\"format\":\"quorvan-payrun-draft\""));
    QVERIFY(content.contains("\"version\":1"));
    QVERIFY(content.contains("\"advance\":\"1000\""));
    QVERIFY(content.contains(Almeida.toUtf8()));
    // Neither the other employees nor any result: only what was typed.
    QVERIFY(!content.contains(Moreau.toUtf8()));
    QVERIFY(!content.contains("gross"));
}

void TestPayRunDraft::nothingTypedLeavesNoDraft()
{
    PayRun run = open();
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("1"));
    QCOMPARE(PayRunDraft::save(m_dir->path(), run), QString());
    QVERIFY(QFileInfo::exists(draftPath()));
    run.setFigure(0, PayRunFigures::Bonus, QString());
    QCOMPARE(PayRunDraft::save(m_dir->path(), run), QString());
    QVERIFY(!QFileInfo::exists(draftPath()));
}

void TestPayRunDraft::savedRowsLeaveTheDraft()
{
    PayRun run = open();
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("1"));
    run.setFigure(1, PayRunFigures::Bonus, QStringLiteral("2"));
    run.calculate();
    run.setSaved(0, QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QCOMPARE(PayRunDraft::save(m_dir->path(), run), QString());
    PayRun reopened = open();
    PayRunDraft::restore(m_dir->path(), reopened);
    QCOMPARE(reopened.row(0).figures[PayRunFigures::Bonus], QString());
    QCOMPARE(reopened.row(1).figures[PayRunFigures::Bonus], QStringLiteral("2"));
    // Changed again after its save, the row is typed once more.
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("3"));
    PayRunDraft::save(m_dir->path(), run);
    PayRun again = open();
    PayRunDraft::restore(m_dir->path(), again);
    QCOMPARE(again.row(0).figures[PayRunFigures::Bonus], QStringLiteral("3"));
}

void TestPayRunDraft::draftIsOwnerOnly()
{
    const mode_t previous = umask(0);
    PayRun run = open();
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("1"));
    const QString failure = PayRunDraft::save(m_dir->path(), run);
    umask(previous);
    QCOMPARE(failure, QString());
    struct stat status {};
    QCOMPARE(stat(QFile::encodeName(draftPath()).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
}

void TestPayRunDraft::eachPeriodHasItsDraft()
{
    PayRun march = open();
    march.setFigure(0, PayRunFigures::Bonus, QStringLiteral("1"));
    PayRunDraft::save(m_dir->path(), march);
    const PayRunPeriod half(QDate(2001, 3, 1), QDate(2001, 3, 15));
    PayRun halfMonth = open(half);
    QCOMPARE(PayRunDraft::restore(m_dir->path(), halfMonth), QString());
    QCOMPARE(halfMonth.row(0).figures[PayRunFigures::Bonus], QString());
    QCOMPARE(PayRunDraft::fileName(half), QStringLiteral("paie-du-mois 2001-03-01 au 2001-03-15.brouillon.json"));
}

void TestPayRunDraft::unusableDraftIsSetAside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why");
    QTest::newRow("cut short") << QByteArray("{\"format\":\"quorvan-payrun-draft\",\"vers") << "son contenu est illisible";
    QTest::newRow("empty") << QByteArray() << "son contenu est illisible";
    QTest::newRow("another format") << QByteArray("{\"format\":\"quorvan-report\",\"version\":1}")
                                    << "ce n’est pas un brouillon de la paie du mois";
    QTest::newRow("later version")
        << QByteArray("{\"format\":\"quorvan-payrun-draft\",\"version\":7,\"period_start\":\"2001-03-01\","
                      "\"period_end\":\"2001-03-31\",\"employees\":[]}")
        << "sa version (7) n’est pas connue de ce programme";
    QTest::newRow("another period")
        << QByteArray("{\"format\":\"quorvan-payrun-draft\",\"version\":1,\"period_start\":\"2001-02-01\","
                      "\"period_end\":\"2001-02-28\",\"employees\":[]}")
        << "il est celui d’une autre période";
}

void TestPayRunDraft::unusableDraftIsSetAside()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    QFile file(draftPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    PayRun run = open();
    const QString notice = PayRunDraft::restore(m_dir->path(), run);
    QVERIFY2(notice.contains(why), qPrintable(notice));
    QVERIFY(notice.contains(QStringLiteral("Il est gardé sous le nom")));
    QVERIFY(!QFileInfo::exists(draftPath()));
    // Kept aside, byte for byte.
    const QStringList aside = QDir(m_dir->path()).entryList({QStringLiteral("paie-du-mois 2001-03*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QFile kept(QDir(m_dir->path()).filePath(aside.constFirst()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), content);
    QVERIFY(!run.row(0).hasTypedFigures());
}

void TestPayRunDraft::employeeGoneFromTheFileIsSaid()
{
    PayRun run = open();
    run.setFigure(1, PayRunFigures::Bonus, QStringLiteral("5"));
    run.setFigure(2, PayRunFigures::Bonus, QStringLiteral("6"));
    PayRunDraft::save(m_dir->path(), run);
    QVERIFY(execute(m_dir->path(), QStringLiteral("DELETE FROM SALARIE WHERE IDENTIFICATION = ?1"), Almeida));
    PayRun reopened = open();
    const QString notice = PayRunDraft::restore(m_dir->path(), reopened);
    QVERIFY2(notice.contains(Almeida), qPrintable(notice));
    QCOMPARE(reopened.size(), 2);
    QCOMPARE(reopened.row(1).figures[PayRunFigures::Bonus], QStringLiteral("6"));
}

QTEST_GUILESS_MAIN(TestPayRunDraft)
#include "tst_payrundraft.moc"
