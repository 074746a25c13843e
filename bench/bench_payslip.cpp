#include "paycalculation.h"
#include "payslipformulaset.h"
#include "smicpayinputs.h"

#include <benchmark/benchmark.h>

// One pay slip from the clerk's inputs to the finished pay sheet: the
// opening of the preparation and one "Lancer le calcul", for an employee at
// the SMIC with every line of the 2001 regime and every field typed, the
// same inputs as the formula set's tests.
namespace {

using namespace SmicPayInputs;

void typeMarch2001(PaySheet &s)
{
    s.complementary_hours = QStringLiteral("40");
    s.absence_hours = QStringLiteral("7");
    s.leave_hours_taken = QStringLiteral("14");
    s.commission_rate = QStringLiteral("1,5");
    s.commission_base = QStringLiteral("12000");
    s.bonus = QStringLiteral("250");
    s.advance = QStringLiteral("1500");
    s.period_start_day = QStringLiteral("01");
    s.period_start_month = QStringLiteral("03");
    s.period_start_year = QStringLiteral("2001");
    s.period_end_day = QStringLiteral("31");
    s.period_end_month = QStringLiteral("03");
    s.period_end_year = QStringLiteral("2001");
    s.previous_leave_balance = QStringLiteral("42");
    s.previous_cumulative_taxable = QStringLiteral("12345,67");
    s.previous_cumulative_gross = QStringLiteral("15110,62");
}

// The sheet as the preparation opens it, with March 2001 typed in.
PaySheet typedSheet(const EmployeeFigures &employee, const PayrollParameters &parameters,
                    const QString &euroRate)
{
    auto opening = PayCalculation::open(employee, parameters, euroRate);
    PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opening).sheet;
    typeMarch2001(sheet);
    return sheet;
}

void BM_WholePaySlip(benchmark::State &state)
{
    const EmployeeFigures employee = smicFigures();
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    for (auto _ : state) {
        auto opening = PayCalculation::open(employee, parameters, euroRate);
        auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
        typeMarch2001(opened.sheet);
        const auto error =
            PayCalculation::calculate(opened.sheet, opened.employee, parameters, euroRate);
        if (error)
            state.SkipWithError("calculation refused");
        benchmark::DoNotOptimize(opened.sheet.net_to_pay);
    }
}
BENCHMARK(BM_WholePaySlip)->Unit(benchmark::kMicrosecond);

// The calculation alone, as "Lancer le calcul" pressed again on an open sheet.
void BM_Calculation(benchmark::State &state)
{
    const EmployeeFigures employee = smicFigures();
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    PaySheet sheet = typedSheet(employee, parameters, euroRate);
    for (auto _ : state) {
        PaySheet run = sheet;
        const auto error = PayCalculation::calculate(run, employee, parameters, euroRate);
        if (error)
            state.SkipWithError("calculation refused");
        benchmark::DoNotOptimize(run.net_to_pay);
    }
}
BENCHMARK(BM_Calculation)->Unit(benchmark::kMicrosecond);

// The pay slip’s 183 formulas built from a calculated sheet, as every
// preview, print or save does right after the calculation; each run starts
// from the sheet as the calculation left it, before the set's formatting.
void BM_FormulaSet(benchmark::State &state)
{
    const EmployeeFigures employee = smicFigures();
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    PaySheet sheet = typedSheet(employee, parameters, euroRate);
    if (PayCalculation::calculate(sheet, employee, parameters, euroRate))
        state.SkipWithError("calculation refused");
    const EmployeeRecordTexts record = recordOf(employee);
    const EmployerRecordTexts employer = bakery();
    for (auto _ : state) {
        PaySheet calculated = sheet;
        const QList<FormulaEntry> entries = PayslipFormulaSet::build(calculated, record, employer);
        benchmark::DoNotOptimize(entries.constData());
    }
}
BENCHMARK(BM_FormulaSet)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
