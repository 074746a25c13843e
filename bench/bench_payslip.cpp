#include "paycalculation.h"
#include "payslipformulaset.h"

#include <benchmark/benchmark.h>

// One pay slip from the clerk's inputs to the finished pay sheet: the
// opening of the preparation and one "Lancer le calcul", for an employee at
// the SMIC with every line of the 2001 regime and every field typed.
namespace {

EmployeeFigures smicEmployee()
{
    EmployeeFigures e;
    e.NOM = QStringLiteral("MOREAU");
    e.BASEHORAIRE = QStringLiteral("169,0");
    e.TAUXHORAIRE = QStringLiteral("43,72");
    e.MDLBAC1 = QStringLiteral("200,0");
    e.PP1 = QStringLiteral("120,0");
    e.RAPPLS1 = QStringLiteral("80,0");
    const char *rates[] = {"0,0", "2,9",  "0,0", "5,1", "12,8", "0,75", "0,0", "0,1",
                           "1,6", "0,0",  "8,2", "6,55", "3,7", "2,1", "0,0", "0,0",
                           "0,1", "0,0",  "2,2", "0,0", "4,5",  "3,0",  "0,0", "0,0",
                           "0,1", "0,0",  "0,5", "0,0", "0,15", "0,0",  "0,0", "0,0",
                           "0,0", "0,0",  "0,0", "0,0", "5,4",  "0,0",  "1,2", "0,8"};
    for (int i = 0; i < 40; ++i)
        e.rates[i] = QString::fromLatin1(rates[i]);
    return e;
}

PayrollParameters deliveredParameters()
{
    PayrollParameters p;
    p.PRETRANCHEH = QStringLiteral("25,00");
    p.DEUTRANCHEH = QStringLiteral("50");
    p.HEURSUP1 = QStringLiteral("169");
    p.HEURSUP2 = QStringLiteral("200");
    p.POURCENTCSGRDS = QStringLiteral("5");
    p.POURCENTCSGROPTIOB = QStringLiteral("0,95");
    p.conge1 = QStringLiteral("20");
    p.conge2 = QStringLiteral("169");
    p.OPTIONA = true;
    return p;
}

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

void BM_WholePaySlip(benchmark::State &state)
{
    const EmployeeFigures employee = smicEmployee();
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
    const EmployeeFigures employee = smicEmployee();
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    auto opening = PayCalculation::open(employee, parameters, euroRate);
    PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opening).sheet;
    typeMarch2001(sheet);
    for (auto _ : state) {
        PaySheet run = sheet;
        const auto error = PayCalculation::calculate(run, employee, parameters, euroRate);
        if (error)
            state.SkipWithError("calculation refused");
        benchmark::DoNotOptimize(run.net_to_pay);
    }
}
BENCHMARK(BM_Calculation)->Unit(benchmark::kMicrosecond);

// The pay slip's 182 formulas built from a calculated sheet, as every
// preview, print or save does right after the calculation; each run starts
// from the sheet as the calculation left it, before the set's formatting.
void BM_FormulaSet(benchmark::State &state)
{
    const EmployeeFigures employee = smicEmployee();
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    auto opening = PayCalculation::open(employee, parameters, euroRate);
    PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opening).sheet;
    typeMarch2001(sheet);
    if (PayCalculation::calculate(sheet, employee, parameters, euroRate))
        state.SkipWithError("calculation refused");
    EmployeeRecordTexts record;
    record.NOM = employee.NOM;
    record.PRENOM = QStringLiteral("CÉLINE");
    record.TAUXHORAIRE = employee.TAUXHORAIRE;
    record.BASEHORAIRE = employee.BASEHORAIRE;
    record.PP1 = employee.PP1;
    record.RAPPLS1 = employee.RAPPLS1;
    record.PAR3 = QStringLiteral("AGFF");
    EmployerRecordTexts employer;
    employer.NomSociete = QStringLiteral("SARL BOULANGERIE DES TILLEULS");
    for (auto _ : state) {
        PaySheet calculated = sheet;
        const QList<FormulaEntry> entries = PayslipFormulaSet::build(calculated, record, employer);
        benchmark::DoNotOptimize(entries.constData());
    }
}
BENCHMARK(BM_FormulaSet)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
