#include "demodata.h"
#include "frenchlocale.h"
#include "payrun.h"
#include "payrunhistory.h"
#include "payrunslips.h"
#include "payruntestsupport.h"
#include "reportpages.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The month's pay run of a company of 1,000 employees paid every month of
// 2001, so with a history of 12,000 saved slips: opening the pay run for
// January 2002 (the staff read, the history brought up to date and every
// carry-over found), « Calculer » for the 1,000 rows, saving the 1,000
// slips with their history rows, and one PDF of the 1,000 slips.
namespace {

constexpr int Employees = 1000;
const PayRunPeriod January = PayRunPeriod::month(2002, 1);

QTemporaryDir *folder = nullptr;

PayRun openRun(const PayRunPeriod &period, const PayRunHistory &history)
{
    auto opened = PayRun::open(folder->path(), period, history);
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRun>(std::move(opened));
}

PayRunSlips slips()
{
    auto prepared = PayRunSlips::prepare(folder->path());
    if (const QString *error = std::get_if<QString>(&prepared))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRunSlips>(prepared);
}

// One real slip of January 2001 per employee, saved by the pay run itself,
// then copied into the eleven other months under each month's name and period.
void writeYear()
{
    PayRunHistory history(folder->path());
    PayRun january = openRun(PayRunPeriod::month(2001, 1), history);
    january.calculate();
    const PayRunSlips::Saving saving = slips().save(january, january.computedRows(), {}, history);
    if (saving.saved.size() != Employees)
        qFatal("January not saved");
    const QDir directory(folder->path());
    for (int month = 2; month <= 12; ++month) {
        const PayRunPeriod period = PayRunPeriod::month(2001, month);
        for (int row = 0; row < january.size(); ++row) {
            QFile source(directory.filePath(january.row(row).savedFile));
            source.open(QIODevice::ReadOnly);
            QByteArray content = source.readAll();
            content.replace("\"periodEnd\":\"2001-01-31\",\"periodStart\":\"2001-01-01\"",
                            QStringLiteral("\"periodEnd\":\"%1\",\"periodStart\":\"%2\"")
                                .arg(period.last().toString(Qt::ISODate), period.first().toString(Qt::ISODate))
                                .toUtf8());
            QFile copy(directory.filePath(QStringLiteral("%1 %2.rpt").arg(period.key(), january.row(row).names)));
            if (!copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size())
                qFatal("slip not written");
        }
    }
    // The history reads the 11,000 copies once, as it would after a restore.
    if (!PayRunHistory(folder->path()).notices().isEmpty())
        qWarning("the history said something at its opening");
}

void BM_OpenForANewMonth(benchmark::State &state)
{
    for (auto _ : state) {
        const PayRunHistory history(folder->path());
        const PayRun run = openRun(January, history);
        if (run.size() != Employees || !run.row(0).carried.found)
            state.SkipWithError("carry-over not found");
        benchmark::DoNotOptimize(run.row(Employees - 1).figures);
    }
}
BENCHMARK(BM_OpenForANewMonth)->Unit(benchmark::kMillisecond);

void BM_CalculateTheStaff(benchmark::State &state)
{
    PayRun run = openRun(January, PayRunHistory(folder->path()));
    for (auto _ : state) {
        run.calculate();
        if (run.totals().computed != Employees)
            state.SkipWithError("a row refused");
    }
}
BENCHMARK(BM_CalculateTheStaff)->Unit(benchmark::kMillisecond);

// Every slip written whole and recorded in the history; the month is saved
// again at each iteration, replacing what the one before saved.
void BM_SaveTheStaff(benchmark::State &state)
{
    PayRun run = openRun(January, PayRunHistory(folder->path()));
    run.calculate();
    const PayRunSlips filler = slips();
    QSet<int> all;
    for (int row = 0; row < Employees; ++row)
        all.insert(row);
    for (auto _ : state) {
        PayRunHistory history(folder->path());
        const PayRunSlips::Saving saving = filler.save(run, run.computedRows(), all, history);
        if (saving.saved.size() != Employees || !saving.notRecorded.isEmpty())
            state.SkipWithError("not all saved and recorded");
    }
}
BENCHMARK(BM_SaveTheStaff)->Unit(benchmark::kMillisecond)->Iterations(3);

// The 1,000 pages filled from the layout, then drawn into one PDF.
void BM_FillTheSlips(benchmark::State &state)
{
    PayRun run = openRun(January, PayRunHistory(folder->path()));
    run.calculate();
    const PayRunSlips filler = slips();
    for (auto _ : state)
        benchmark::DoNotOptimize(filler.documents(run, run.computedRows()));
}
BENCHMARK(BM_FillTheSlips)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OnePdfOfTheStaff(benchmark::State &state)
{
    PayRun run = openRun(January, PayRunHistory(folder->path()));
    run.calculate();
    const PayRunSlips filler = slips();
    const QString pdf = QDir(folder->path()).filePath(QStringLiteral("janvier.pdf"));
    for (auto _ : state) {
        auto documents = filler.documents(run, run.computedRows());
        const ReportError error = ReportPages::toPdf(pdf, std::get<std::vector<ReportDocument>>(documents));
        if (error.failed())
            state.SkipWithError("PDF not written");
    }
    state.counters["Mo"] = double(QFile(pdf).size()) / (1024 * 1024);
}
BENCHMARK(BM_OnePdfOfTheStaff)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    FrenchLocale::install();
    QTemporaryDir directory;
    folder = &directory;
    if (!PayRunTestSupport::writeDemo(directory.path())
        || !PayRunTestSupport::addEmployees(directory.path(), Employees - int(DemoData::employees().size())))
        qFatal("the folder of 1,000 employees could not be written");
    writeYear();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
