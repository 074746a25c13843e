#include "demodata.h"
#include "paycalculation.h"
#include "payhistory.h"
#include "payslipformulaset.h"
#include "reportengine.h"
#include "slipsubject.h"
#include "storedpayinputs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The pay history of a company of 1,000 employees paid every month of 2001:
// 12,000 saved pay slips, each a real slip of the demonstration's SMIC
// employee written by the report engine, under its own employee and month.
// Measured: opening the history of that folder and the carry-over of every
// employee for January 2002 (what the pay run's grid needs when it opens),
// rebuilding the whole history from the files, and recording the 1,000
// slips of a month just saved.
namespace {

constexpr int Employees = 1000;
constexpr int Months = 12;

QTemporaryDir *folder = nullptr;
QByteArray slipTemplate; // with the placeholders below in its properties
QStringList identifications;

const QByteArray Identification = "@IDENTIFICATION@";
const QByteArray Start = "@START@";
const QByteArray End = "@END@";

QByteArray makeTemplate()
{
    const auto inputs = std::get<StoredPayInputs>(StoredPayInputs::load(folder->path(), DemoData::employees().first()));
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet sheet = opened.sheet;
    sheet.complementary_hours = QStringLiteral("8");
    if (PayCalculation::calculate(sheet, opened.employee, inputs.parameters, inputs.euroRate))
        qFatal("calculation refused");
    const auto employer = std::get<EmployerRecordTexts>(StoredPayInputs::loadEmployer(folder->path()));
    ReportEngine engine;
    engine.set_report_file(QStringLiteral(":/report/rkv.rpl"));
    for (const FormulaEntry &entry : PayslipFormulaSet::build(sheet, inputs.record, employer))
        engine.set_formula(entry.number, entry.text);
    engine.setProperties({{QLatin1String(SlipSubject::Identification), QString::fromLatin1(Identification)},
                          {QLatin1String(SlipSubject::PeriodStart), QString::fromLatin1(Start)},
                          {QLatin1String(SlipSubject::PeriodEnd), QString::fromLatin1(End)}});
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(QDir(folder->path()).filePath(QStringLiteral("modèle.tmp")));
    if (const ReportError error = engine.run(); error.failed())
        qFatal("%s", qPrintable(error.message));
    QFile file(engine.outputFile());
    file.open(QIODevice::ReadOnly);
    const QByteArray content = file.readAll();
    file.remove();
    return content;
}

QString writeSlip(int employee, const QDate &start)
{
    const QString name = QStringLiteral("%1 %2.rpt").arg(start.toString(QStringLiteral("yyyy-MM")),
                                                          identifications.at(employee));
    QByteArray content = slipTemplate;
    content.replace(Identification, identifications.at(employee).toUtf8());
    content.replace(Start, start.toString(Qt::ISODate).toLatin1());
    content.replace(End, start.addMonths(1).addDays(-1).toString(Qt::ISODate).toLatin1());
    QFile file(QDir(folder->path()).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("slip not written");
    return name;
}

void writeYear()
{
    for (int employee = 0; employee < Employees; ++employee)
        identifications << QStringLiteral("SALARIE%1 , PRENOM").arg(employee, 4, 10, QLatin1Char('0'));
    for (int month = 1; month <= Months; ++month)
        for (int employee = 0; employee < Employees; ++employee)
            writeSlip(employee, QDate(2001, month, 1));
}

// Opening an up-to-date history (the folder compared, the list read) and
// the carry-over of the whole staff for a new month.
void BM_OpenAndCarryOverForTheStaff(benchmark::State &state)
{
    PayHistory::open(folder->path());
    for (auto _ : state) {
        const PayHistory::Opening opening = PayHistory::open(folder->path());
        const QHash<QString, CarryOver> carried = opening.history->carryOver(identifications, QDate(2002, 1, 1));
        if (carried.size() != Employees || !carried.value(identifications.first()).carried())
            state.SkipWithError("carry-over not found");
        benchmark::DoNotOptimize(carried);
    }
}
BENCHMARK(BM_OpenAndCarryOverForTheStaff)->Unit(benchmark::kMillisecond);

// The carry-over alone, on a history already open.
void BM_CarryOverForTheStaff(benchmark::State &state)
{
    const PayHistory::Opening opening = PayHistory::open(folder->path());
    for (auto _ : state)
        benchmark::DoNotOptimize(opening.history->carryOver(identifications, QDate(2002, 1, 1)));
}
BENCHMARK(BM_CarryOverForTheStaff)->Unit(benchmark::kMillisecond);

// A lost history rebuilt from the 12,000 files.
void BM_RebuildFromTheFiles(benchmark::State &state)
{
    const QString history = QDir(folder->path()).filePath(QLatin1String(PayHistory::FileName));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(history);
        state.ResumeTiming();
        const PayHistory::Opening opening = PayHistory::open(folder->path());
        if (!opening.history || opening.history->slips().size() < Employees * Months)
            state.SkipWithError("history not rebuilt");
    }
}
BENCHMARK(BM_RebuildFromTheFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

// The 1,000 slips of a month just saved, read back and recorded at once.
void BM_RecordAMonth(benchmark::State &state)
{
    PayHistory::Opening opening = PayHistory::open(folder->path());
    int month = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QStringList names;
        const QDate start(2002, ++month, 1);
        for (int employee = 0; employee < Employees; ++employee)
            names << writeSlip(employee, start);
        state.ResumeTiming();
        if (opening.history->record(names))
            state.SkipWithError("slips not recorded");
    }
}
BENCHMARK(BM_RecordAMonth)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir directory;
    folder = &directory;
    if (const auto refused = DemoData::write(directory.path()))
        qFatal("%s", qPrintable(*refused));
    slipTemplate = makeTemplate();
    writeYear();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
