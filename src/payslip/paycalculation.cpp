#include "paycalculation.h"

#include "datetext.h"
#include "inputcheck.h"
#include "numbertext.h"
#include "sheetnumbers.h"

namespace {

using ContributionLines::employeeRate;
using ContributionLines::employerRate;

const QString Zero = QStringLiteral("0");

// A parameters record never validated may have neither option ticked; its
// validation would have ticked A.
bool usesOptionA(const PayrollParameters &parameters)
{
    return parameters.OPTIONA || !parameters.OPTIONB;
}

CalculationError overflow()
{
    return {QStringLiteral("calcul"),
            QStringLiteral("Un résultat du calcul dépasse ce que le programme sait compter. "
                           "Vérifiez les heures et les montants saisis.")};
}

std::optional<CalculationError> checkOpening(const EmployeeFigures &employee,
                                             const PayrollParameters &parameters,
                                             const QString &euroRate)
{
    InputCheck check;
    check.number(parameters.conge1, ValueSource::parameter("conge1"))
        .nonZero(parameters.conge2, ValueSource::parameter("conge2"))
        .number(employee.TAUXHORAIRE, ValueSource::employeeBase("TAUXHORAIRE"))
        .number(employee.BASEHORAIRE, ValueSource::employeeBase("BASEHORAIRE"))
        .nonZero(euroRate, ValueSource::euroRate());
    return check.error();
}

// Everything the calculation will read, in the order it reads it.
std::optional<CalculationError> checkCalculation(const PaySheet &sheet,
                                                 const EmployeeFigures &employee,
                                                 const PayrollParameters &parameters,
                                                 const QString &euroRate)
{
    const auto typed = &ValueSource::typed;
    const auto parameter = &ValueSource::parameter;
    const auto base = &ValueSource::employeeBase;
    InputCheck check;
    check.typed(sheet.complementary_hours, typed("complementary_hours"))
        .number(employee.TAUXHORAIRE, base("TAUXHORAIRE"))
        .number(parameters.PRETRANCHEH, parameter("PRETRANCHEH"))
        .number(parameters.DEUTRANCHEH, parameter("DEUTRANCHEH"))
        .number(parameters.HEURSUP1, parameter("HEURSUP1"))
        .number(parameters.HEURSUP2, parameter("HEURSUP2"))
        .number(employee.BASEHORAIRE, base("BASEHORAIRE"))
        .typed(sheet.leave_hours_taken, typed("leave_hours_taken"))
        .typed(sheet.previous_leave_balance, typed("previous_leave_balance"))
        .typed(sheet.absence_hours, typed("absence_hours"))
        .number(sheet.leave_accrual_rate, ValueSource::opening("leave_accrual_rate"))
        .typed(sheet.bonus, typed("bonus"))
        .typed(sheet.commission_base, typed("commission_base"))
        .typed(sheet.commission_rate, typed("commission_rate"))
        .nonZero(euroRate, ValueSource::euroRate())
        .typed(sheet.advance, typed("advance"))
        .number(sheet.base_salary, ValueSource::opening("base_salary"));
    for (int line = ContributionLines::FirstOrdinaryLine; line < ContributionLines::Count; ++line) {
        for (const int index : {employerRate(line), employeeRate(line)})
            check.number(employee.rates[index], ValueSource::employeeRate(index));
    }
    if (usesOptionA(parameters)) {
        check.number(parameters.POURCENTCSGRDS, parameter("POURCENTCSGRDS"));
    } else {
        check.number(employee.PP1, base("PP1"))
            .number(parameters.POURCENTCSGROPTIOB, parameter("POURCENTCSGROPTIOB"));
    }
    for (const int index : {employerRate(ContributionLines::CsgRds), employeeRate(ContributionLines::CsgRds),
                            employeeRate(ContributionLines::CsgDeductible),
                            employerRate(ContributionLines::CsgDeductible)})
        check.number(employee.rates[index], ValueSource::employeeRate(index));
    check.number(employee.PP1, base("PP1"))
        .number(employee.RAPPLS1, base("RAPPLS1"))
        .typed(sheet.previous_cumulative_taxable, typed("previous_cumulative_taxable"))
        .typed(sheet.previous_cumulative_gross, typed("previous_cumulative_gross"));
    return check.error();
}

QString periodText(const QString &day, const QString &month, const QString &year)
{
    const QString joined = day + u'/' + month + u'/' + year;
    const std::optional<QDate> date = DateText::read(joined);
    return date ? DateText::formatEntryDate(*date) : joined;
}

// One run of "Lancer le calcul" on a copy of the sheet, in the order of the
// preparation screen. The order matters: an amount read after its formatting
// reads back rounded to the centime.
class Calculation
{
public:
    Calculation(const PaySheet &sheet, const EmployeeFigures &employee,
                const PayrollParameters &parameters, double euroRate)
        : s(sheet)
        , e(employee)
        , p(parameters)
        , n(euroRate)
    {
    }

    void run()
    {
        complementaryHours();
        defaultsAndPeriod();
        leaveHours();
        grossComponents();
        grossPay();
        contributions();
        netAndCumulatives();
    }

    bool overflowed() const { return n.overflowed(); }
    const PaySheet &sheet() const { return s; }

private:
    double rate(int index) { return n.number(e.rates[index]); }
    void complementaryHours();
    void defaultsAndPeriod();
    void leaveHours();
    void grossComponents();
    void grossPay();
    void contributions();
    void csgBase();
    void totals();
    void netAndCumulatives();

    PaySheet s;
    const EmployeeFigures &e;
    const PayrollParameters &p;
    SheetNumbers n;
};

// Complementary hours are paid at the plain rate up to HEURSUP1, then in
// band 1 up to HEURSUP2, then in band 2; the thresholds count the employee's
// hourly base, so a base above HEURSUP1 pays band 1 even with none typed.
void Calculation::complementaryHours()
{
    SheetNumbers::defaultZero(s.complementary_hours);
    const QString typed = s.complementary_hours;
    const double hourly = n.number(e.TAUXHORAIRE);
    const double band1Rate = hourly * n.number(p.PRETRANCHEH) / 100 + hourly;
    const double band2Rate = hourly * n.number(p.DEUTRANCHEH) / 100 + hourly;
    s.plain_comp_amount = s.band1_amount = s.band2_amount = s.band1_hours = s.band2_hours = Zero;

    const double base = n.number(e.BASEHORAIRE);
    const double plainLimit = n.number(p.HEURSUP1) - base;
    const double band1Limit = n.number(p.HEURSUP2) - base;
    const double hours = n.number(typed);
    if (hours < 0)
        return;
    if (hours <= plainLimit) {
        s.plain_comp_hours = typed;
        s.plain_comp_amount = n.text(hours * hourly);
        return;
    }
    s.plain_comp_hours = n.text(plainLimit);
    s.plain_comp_amount = n.text(plainLimit * hourly);
    if (hours <= band1Limit) {
        s.band1_hours = n.text(hours - plainLimit);
        s.band1_amount = n.text((hours - plainLimit) * band1Rate);
        return;
    }
    s.band1_hours = n.text(band1Limit - plainLimit);
    s.band1_amount = n.text((band1Limit - plainLimit) * band1Rate);
    s.band2_hours = n.text(hours - band1Limit);
    s.band2_amount = n.text((hours - band1Limit) * band2Rate);
}

void Calculation::defaultsAndPeriod()
{
    SheetNumbers::defaultZero(s.leave_hours_taken);
    SheetNumbers::defaultZero(s.complementary_hours);
    SheetNumbers::defaultZero(s.previous_leave_balance);
    s.period_start_text = periodText(s.period_start_day, s.period_start_month, s.period_start_year);
    s.period_end_text = periodText(s.period_end_day, s.period_end_month, s.period_end_year);
    SheetNumbers::defaultZero(s.absence_hours);
}

// Paid leave is earned on the hours worked plus the complementary hours.
void Calculation::leaveHours()
{
    s.hours_worked = n.text(n.number(e.BASEHORAIRE) - n.number(s.absence_hours));
    s.leave_basis_hours = n.text(n.number(s.complementary_hours) + n.number(s.hours_worked));
    s.leave_balance = n.text(n.number(s.previous_leave_balance)
                             + n.number(s.leave_basis_hours) * n.number(s.leave_accrual_rate)
                             - n.number(s.leave_hours_taken));
}

void Calculation::grossComponents()
{
    s.leave_amount = s.absence_amount = Zero;
    SheetNumbers::defaultZero(s.absence_hours);
    SheetNumbers::defaultZero(s.leave_hours_taken);
    const double hourly = n.number(e.TAUXHORAIRE);
    s.leave_amount = n.text(n.number(s.leave_hours_taken) * hourly);
    s.absence_amount = n.text(n.number(s.absence_hours) * hourly);
    SheetNumbers::defaultZero(s.bonus);
    SheetNumbers::defaultZero(s.commission_base);
    SheetNumbers::defaultZero(s.commission_rate);
    s.commission_amount = n.text(n.number(s.commission_base) * n.number(s.commission_rate) / 100);

    s.commission_amount_euro = n.euroTwin(s.commission_amount);
    SheetNumbers::format(s.commission_amount_euro);
    SheetNumbers::format(s.commission_amount);
    SheetNumbers::format(s.band1_amount);

    // Only the band-1 twin is taken from its rounded amount.
    s.plain_comp_amount_euro = n.euroTwin(s.plain_comp_amount);
    s.band1_amount_euro = n.euroTwin(s.band1_amount);
    s.band2_amount_euro = n.euroTwin(s.band2_amount);
    s.leave_amount_euro = n.euroTwin(s.leave_amount);
    s.absence_amount_euro = n.euroTwin(s.absence_amount);

    for (QString *text : {&s.absence_amount_euro, &s.leave_amount_euro, &s.leave_amount,
                          &s.band2_amount_euro, &s.band1_amount_euro, &s.plain_comp_amount_euro,
                          &s.band1_amount, &s.band2_amount, &s.plain_comp_amount, &s.absence_amount})
        SheetNumbers::format(*text);
}

// Every component enters the gross rounded to the centime but the bonus,
// which enters as typed.
void Calculation::grossPay()
{
    SheetNumbers::defaultZero(s.advance);
    const double sum = n.number(s.base_salary) + n.number(s.plain_comp_amount)
                       + n.number(s.band1_amount) + n.number(s.band2_amount)
                       + n.number(s.leave_amount) + n.number(s.commission_amount)
                       + n.number(s.bonus);
    s.gross_pay = n.text(n.number(n.text(sum)) - n.number(s.absence_amount));
    SheetNumbers::format(s.gross_pay);
    s.gross_pay_euro = n.euroTwin(s.gross_pay);
    SheetNumbers::format(s.gross_pay_euro);
}

// Lines 2 to 19 are taken on the whole rounded gross, no ceiling; the
// amounts stay unrounded and each total is rounded once.
void Calculation::contributions()
{
    const double gross = n.number(s.gross_pay);
    for (int line = ContributionLines::FirstOrdinaryLine; line < ContributionLines::Count; ++line) {
        s.contributions[line].employer = n.text(gross * rate(employerRate(line)) / 100);
        s.contributions[line].employee = n.text(gross * rate(employeeRate(line)) / 100);
    }
    csgBase();
    const double base = n.number(s.csg_base);
    PaySheet::Contribution &csgRds = s.contributions[ContributionLines::CsgRds];
    PaySheet::Contribution &csgDeductible = s.contributions[ContributionLines::CsgDeductible];
    csgRds.employer = n.text(base * rate(employerRate(ContributionLines::CsgRds)) / 100);
    csgRds.employee = n.text(base * rate(employeeRate(ContributionLines::CsgRds)) / 100);
    csgDeductible.employee = n.text(base * rate(employeeRate(ContributionLines::CsgDeductible)) / 100);
    csgDeductible.employer = n.text(base * rate(employerRate(ContributionLines::CsgDeductible)) / 100);
    totals();
}

void Calculation::csgBase()
{
    const double gross = n.number(s.gross_pay);
    if (usesOptionA(p)) {
        const double deduction = gross * n.number(p.POURCENTCSGRDS) / 100;
        s.csg_base = n.text(gross - deduction);
        return;
    }
    // The factor is a plain multiplier (0,95), not a percentage.
    const QString sum = n.text(n.number(e.PP1)
                               + n.number(s.contributions[ContributionLines::Param1].employer) + gross);
    s.csg_base = n.text(n.number(sum) * n.number(p.POURCENTCSGROPTIOB));
}

// The employer total leaves out the CSG/RDS employer amounts and takes in the
// employer's mutual-insurance share; the employee total takes in both
// employee CSG amounts, not the employee's mutual-insurance share.
void Calculation::totals()
{
    double employer = 0;
    double employee = 0;
    for (int line = ContributionLines::FirstOrdinaryLine; line < ContributionLines::Count; ++line) {
        employer += n.number(s.contributions[line].employer);
        employee += n.number(s.contributions[line].employee);
    }
    employer += n.number(e.PP1);
    employee += n.number(s.contributions[ContributionLines::CsgDeductible].employee);
    employee += n.number(s.contributions[ContributionLines::CsgRds].employee);

    s.employer_total = n.text(employer);
    s.employer_total_euro = n.euroTwin(s.employer_total);
    SheetNumbers::format(s.employer_total);
    SheetNumbers::format(s.employer_total_euro);
    s.employee_total = n.text(employee);
    s.employee_total_euro = n.euroTwin(s.employee_total);
    SheetNumbers::format(s.employee_total);
    SheetNumbers::format(s.employee_total_euro);
}

void Calculation::netAndCumulatives()
{
    s.net_salary = n.text(n.number(s.gross_pay) - n.number(s.employee_total));
    s.net_to_pay = n.text(n.number(s.net_salary) - n.number(s.advance) - n.number(e.RAPPLS1));
    s.net_to_pay_euro = n.euroTwin(s.net_to_pay);
    SheetNumbers::format(s.net_to_pay);
    SheetNumbers::format(s.net_to_pay_euro);

    // The non-deductible CSG/RDS is taxed: it is added back, unrounded.
    s.taxable_net = n.text(n.number(s.contributions[ContributionLines::CsgRds].employee)
                           + n.number(s.net_salary));
    s.taxable_net_euro = n.euroTwin(s.taxable_net);
    SheetNumbers::format(s.taxable_net);
    SheetNumbers::format(s.taxable_net_euro);

    SheetNumbers::defaultZero(s.previous_cumulative_taxable);
    s.cumulative_taxable = n.text(n.number(s.taxable_net) + n.number(s.previous_cumulative_taxable));
    s.cumulative_taxable_euro = n.euroTwin(s.cumulative_taxable);
    SheetNumbers::format(s.cumulative_taxable_euro);
    SheetNumbers::format(s.cumulative_taxable);

    SheetNumbers::formatHours(s.leave_balance);

    SheetNumbers::defaultZero(s.previous_cumulative_gross);
    s.cumulative_gross = n.text(n.number(s.gross_pay) + n.number(s.previous_cumulative_gross));
    SheetNumbers::format(s.cumulative_gross);
    s.cumulative_gross_formula = {888, QStringLiteral("CUM='") + s.cumulative_gross + u'\''};
}

} // namespace

namespace PayCalculation {

std::variant<OpenedSheet, CalculationError> open(const EmployeeFigures &employee,
                                                 const PayrollParameters &parameters,
                                                 const QString &euroRate)
{
    // The employee screen gets "0" in an empty hourly base or rate.
    EmployeeFigures shown = employee;
    SheetNumbers::defaultZero(shown.BASEHORAIRE);
    SheetNumbers::defaultZero(shown.TAUXHORAIRE);
    if (std::optional<CalculationError> error = checkOpening(shown, parameters, euroRate))
        return *error;

    SheetNumbers n(*NumberText::read(euroRate));
    OpenedSheet opened{PaySheet(), shown};
    PaySheet &s = opened.sheet;
    s.leave_accrual_rate = n.text(n.number(parameters.conge1) / n.number(parameters.conge2));
    s.rate_copy = employee.rates;
    // The copies are taken before the "0" defaults, as the fields then stood.
    s.base_copy = {employee.BASEHORAIRE, employee.TAUXHORAIRE, employee.MDLBAC1, employee.PP1,
                   employee.RAPPLS1};
    // The remaining mutual-insurance share is left empty when there is none.
    QString &share = s.base_copy[4];
    SheetNumbers::defaultZero(share);
    if (const std::optional<double> value = NumberText::read(share); value && *value == 0)
        share.clear();
    SheetNumbers::defaultZero(s.absence_hours);
    s.band1_percent = parameters.PRETRANCHEH;
    s.band2_percent = parameters.DEUTRANCHEH;
    s.employee_name = employee.NOM;
    // The base salary is computed here only: a later change of the rate or
    // the base does not reach it until the preparation is opened again.
    s.base_salary = n.text(n.number(shown.TAUXHORAIRE) * n.number(shown.BASEHORAIRE));
    SheetNumbers::format(s.base_salary);
    s.base_salary_euro = n.euroTwin(s.base_salary);
    SheetNumbers::format(s.base_salary_euro);
    if (n.overflowed())
        return overflow();
    return opened;
}

std::optional<CalculationError> calculate(PaySheet &sheet, const EmployeeFigures &employee,
                                          const PayrollParameters &parameters,
                                          const QString &euroRate)
{
    if (std::optional<CalculationError> error = checkCalculation(sheet, employee, parameters, euroRate))
        return error;
    Calculation calculation(sheet, employee, parameters, *NumberText::read(euroRate));
    calculation.run();
    if (calculation.overflowed())
        return overflow();
    sheet = calculation.sheet();
    return std::nullopt;
}

} // namespace PayCalculation
