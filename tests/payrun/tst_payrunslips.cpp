#include "payhistory.h"
#include "payrun.h"
#include "payrunhistory.h"
#include "payrunslipname.h"
#include "payrunslips.h"
#include "payruntestsupport.h"
#include "numbertext.h"
#include "payslipfilename.h"
#include "reportfile.h"
#include "reportpages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace PayRunTestSupport;

// The slips of the month's pay run: one saved file per computed employee
// under its systematic name, in the archive's order, naming its employee
// and period for the history, which records it; a slip already saved for
// the period is replaced only when asked; a stopped saving leaves whole
// files that the history knows; one PDF holds every slip, one page each,
// and a stopped PDF writes nothing.
class TestPayRunSlips : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void savesOneSlipPerComputedRow();
    void savedSlipIsKnownToTheHistory();
    void slipOfThePeriodReplacedOnlyWhenAsked();
    void replacingRemovesAnOverlappingSlipOfAnotherName();
    void stoppedSavingLeavesWholeRecordedFiles();
    void nextMonthCarriesTheSavedFigures();
    void overlappingSlipsCarryNothing();
    void onePdfOfEverySlip();
    void stoppedPdfWritesNothing();

private:
    PayRun open(const PayRunPeriod &period = PayRunPeriod::month(2001, 3)) const;
    PayRunSlips slips() const;
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

int pagesOf(const QByteArray &pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

void TestPayRunSlips::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeDemo(m_dir->path()));
}

PayRun TestPayRunSlips::open(const PayRunPeriod &period) const
{
    auto opened = PayRun::open(m_dir->path(), period, PayRunHistory(m_dir->path()));
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRun>(opened);
}

PayRunSlips TestPayRunSlips::slips() const
{
    auto prepared = PayRunSlips::prepare(m_dir->path());
    if (const QString *error = std::get_if<QString>(&prepared))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRunSlips>(prepared);
}

void TestPayRunSlips::savesOneSlipPerComputedRow()
{
    PayRun run = open();
    run.setFigure(1, PayRunFigures::Bonus, QStringLiteral("beaucoup"));
    run.calculate();
    PayRunHistory history(m_dir->path());
    const PayRunSlips::Saving saving = slips().save(run, run.computedRows(), {}, history);
    QCOMPARE(saving.saved, (QList<int>{0, 2}));
    QVERIFY(!saving.failure.failed());
    QCOMPARE(saving.notRecorded, QString());
    // The refused row has no slip; the archive lists the others.
    QCOMPARE(PayslipFileName::savedPayslips(QDir(m_dir->path())),
             (QStringList{QStringLiteral("2001-03 LAMBERT ÉLISE.rpt"), QStringLiteral("2001-03 MOREAU CÉLINE.rpt")}));
    QCOMPARE(run.row(0).savedFile, QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QVERIFY(run.row(0).savedCurrent);
    QVERIFY(QFileInfo(path(QStringLiteral("2001-03 MOREAU CÉLINE.rpt"))).size() < 40 * 1024);

    ReportError error;
    const std::optional<ReportDocument> saved =
        ReportFile::open(path(QStringLiteral("2001-03 MOREAU CÉLINE.rpt")), {}, &error);
    QVERIFY(saved);
    QCOMPARE(saved->value(QStringLiteral("SALAIREBRUT")), run.row(0).computed->sheet.gross_pay);
    QCOMPARE(saved->value(QStringLiteral("NET")), run.row(0).computed->sheet.net_to_pay);
}

void TestPayRunSlips::savedSlipIsKnownToTheHistory()
{
    PayRun run = open();
    run.calculate();
    PayRunHistory history(m_dir->path());
    slips().save(run, run.computedRows(), {}, history);
    PayHistory::Opening opening = PayHistory::open(m_dir->path());
    QVERIFY(opening.history);
    const QList<SlipSummary> moreau = opening.history->slipsOf(Moreau);
    QCOMPARE(moreau.size(), 1);
    QCOMPARE(moreau.constFirst().fileName, QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QCOMPARE(moreau.constFirst().periodStart, QDate(2001, 3, 1));
    QCOMPARE(moreau.constFirst().periodEnd, QDate(2001, 3, 31));
    QVERIFY(!moreau.constFirst().changed);
    QCOMPARE(opening.history->slipsOf(Almeida).size(), 1);
}

void TestPayRunSlips::slipOfThePeriodReplacedOnlyWhenAsked()
{
    PayRun run = open();
    run.calculate();
    {
        PayRunHistory history(m_dir->path());
        slips().save(run, run.computedRows(), {}, history);
    }
    const QString moreau = path(QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QFile before(moreau);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray first = before.readAll();
    before.close();

    PayRun again = open();
    again.setFigure(0, PayRunFigures::Bonus, QStringLiteral("800"));
    again.setFigure(2, PayRunFigures::Bonus, QStringLiteral("800"));
    again.calculate();
    PayRunHistory history(m_dir->path());
    const auto saved = PayRunSlips::alreadySaved(again, again.computedRows(), history);
    QCOMPARE(saved.size(), 3);
    QCOMPARE(saved.at(0).second, QStringList{QStringLiteral("2001-03 MOREAU CÉLINE.rpt")});
    // Only LAMBERT is to be replaced: MOREAU's slip stays as it was.
    const PayRunSlips::Saving saving = slips().save(again, again.computedRows(), {2}, history);
    QCOMPARE(saving.saved, QList<int>{2});
    QFile after(moreau);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), first);
    ReportError error;
    const auto lambert = ReportFile::open(path(QStringLiteral("2001-03 LAMBERT ÉLISE.rpt")), {}, &error);
    QVERIFY(lambert);
    QCOMPARE(lambert->value(QStringLiteral("SALAIREBRUT")), again.row(2).computed->sheet.gross_pay);
}

void TestPayRunSlips::replacingRemovesAnOverlappingSlipOfAnotherName()
{
    PayRun run = open();
    run.calculate();
    {
        PayRunHistory history(m_dir->path());
        slips().save(run, {0}, {}, history);
    }
    // The same slip under the name a clerk typed in the save-as dialog.
    QVERIFY(QFile::rename(path(QStringLiteral("2001-03 MOREAU CÉLINE.rpt")), path(QStringLiteral("mars-2001 MOREAU.rpt"))));
    PayRun again = open();
    again.calculate();
    PayRunHistory history(m_dir->path());
    QCOMPARE(PayRunSlips::alreadySaved(again, {0}, history).constFirst().second,
             QStringList{QStringLiteral("mars-2001 MOREAU.rpt")});
    const PayRunSlips::Saving saving = slips().save(again, {0}, {0}, history);
    QCOMPARE(saving.saved, QList<int>{0});
    QCOMPARE(PayslipFileName::savedPayslips(QDir(m_dir->path())), QStringList{QStringLiteral("2001-03 MOREAU CÉLINE.rpt")});
    PayHistory::Opening opening = PayHistory::open(m_dir->path());
    QCOMPARE(opening.history->slipsOf(Moreau).size(), 1);
}

void TestPayRunSlips::stoppedSavingLeavesWholeRecordedFiles()
{
    QVERIFY(addEmployees(m_dir->path(), 5));
    PayRun run = open();
    run.calculate();
    PayRunHistory history(m_dir->path());
    const PayRunSlips::Saving saving =
        slips().save(run, run.computedRows(), {}, history, [](int done) { return done < 3; });
    QVERIFY(saving.stopped);
    QCOMPARE(saving.saved.size(), 3);
    const QStringList files = PayslipFileName::savedPayslips(QDir(m_dir->path()));
    QCOMPARE(files.size(), 3);
    for (const QString &file : files) {
        ReportError error;
        QVERIFY2(ReportFile::open(path(file), {}, &error), qPrintable(error.message));
    }
    PayHistory::Opening opening = PayHistory::open(m_dir->path());
    QCOMPARE(opening.history->slips().size(), 3);
    // No leftover of a file begun and never finished.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".rpt")).size(), 3);
}

void TestPayRunSlips::nextMonthCarriesTheSavedFigures()
{
    PayRun march = open();
    march.setFigure(0, PayRunFigures::ComplementaryHours, QStringLiteral("10"));
    march.setFigure(0, PayRunFigures::LeaveHours, QStringLiteral("7"));
    march.calculate();
    {
        PayRunHistory history(m_dir->path());
        slips().save(march, march.computedRows(), {}, history);
    }
    const PaySheet &saved = march.row(0).computed->sheet;
    PayRun april = open(PayRunPeriod::month(2001, 4));
    const PayRunRow &row = april.row(0);
    QVERIFY(row.carried.found);
    QCOMPARE(row.carried.source, QStringLiteral("« 2001-03 MOREAU CÉLINE.rpt » (du 01/03/2001 au 31/03/2001)"));
    QCOMPARE(row.carried.label, QStringLiteral("mars 2001"));
    // The figures printed on March's slip, as a clerk would type them.
    QCOMPARE(NumberText::read(row.figures[PayRunFigures::PreviousCumulativeGross]), NumberText::read(saved.cumulative_gross));
    QCOMPARE(NumberText::read(row.figures[PayRunFigures::PreviousCumulativeTaxable]),
             NumberText::read(saved.cumulative_taxable));
    QCOMPARE(NumberText::read(row.figures[PayRunFigures::PreviousLeaveBalance]), NumberText::read(saved.leave_balance));
    QVERIFY(!row.hasTypedFigures());
    // January of the next year starts the cumulatives afresh.
    PayRun january = open(PayRunPeriod::month(2002, 1));
    QCOMPARE(january.row(0).figures[PayRunFigures::PreviousCumulativeGross], QString());
    QCOMPARE(NumberText::read(january.row(0).figures[PayRunFigures::PreviousLeaveBalance]),
             NumberText::read(saved.leave_balance));
}

void TestPayRunSlips::overlappingSlipsCarryNothing()
{
    PayRun march = open();
    march.calculate();
    {
        PayRunHistory history(m_dir->path());
        slips().save(march, {0}, {}, history);
    }
    // A second slip of MOREAU for March, saved under another name.
    QVERIFY(QFile::copy(path(QStringLiteral("2001-03 MOREAU CÉLINE.rpt")), path(QStringLiteral("mars bis.rpt"))));
    PayRun april = open(PayRunPeriod::month(2001, 4));
    const PayRunRow &row = april.row(0);
    QVERIFY(!row.carried.found);
    QVERIFY2(row.carried.conflict.contains(QStringLiteral("chevauchent")), qPrintable(row.carried.conflict));
    QVERIFY(row.carried.conflict.contains(QStringLiteral("mars bis.rpt")));
    QCOMPARE(row.carried.label, QStringLiteral("à vérifier"));
    QCOMPARE(row.figures[PayRunFigures::PreviousCumulativeGross], QString());
    // March itself lists both slips as saved for the period.
    PayRunHistory history(m_dir->path());
    PayRun again = open();
    again.calculate();
    QCOMPARE(PayRunSlips::alreadySaved(again, {0}, history).constFirst().second.size(), 2);
}

void TestPayRunSlips::onePdfOfEverySlip()
{
    PayRun run = open();
    run.calculate();
    auto built = slips().documents(run, run.computedRows());
    QVERIFY(std::holds_alternative<std::vector<ReportDocument>>(built));
    const QString pdf = path(QStringLiteral("mars.pdf"));
    QVERIFY(!ReportPages::toPdf(pdf, std::get<std::vector<ReportDocument>>(built)).failed());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("%PDF"));
    QCOMPARE(pagesOf(content), 3);
    QCOMPARE(file.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

void TestPayRunSlips::stoppedPdfWritesNothing()
{
    PayRun run = open();
    run.calculate();
    auto built = slips().documents(run, run.computedRows());
    const QString pdf = path(QStringLiteral("mars.pdf"));
    QFile earlier(pdf);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("the previous file");
    earlier.close();
    bool stopped = false;
    const ReportError error = ReportPages::toPdf(pdf, std::get<std::vector<ReportDocument>>(built),
                                                 [](int done) { return done < 2; }, &stopped);
    QVERIFY(stopped);
    QVERIFY(!error.failed());
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("the previous file"));
    // Stopped while being filled: nothing to show at all.
    auto none = slips().documents(run, run.computedRows(), [](int) { return false; });
    QVERIFY(std::holds_alternative<ReportError>(none));
    QVERIFY(!std::get<ReportError>(none).failed());
}

QTEST_MAIN(TestPayRunSlips)
#include "tst_payrunslips.moc"
