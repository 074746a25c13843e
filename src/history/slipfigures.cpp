#include "slipfigures.h"

#include "payslipformulaset.h"

const QList<SlipFigures::Field> &SlipFigures::fields()
{
    static const QList<Field> all = {
        {"employee_name", "NOMSALARIE", &SlipFigures::employee_name},
        {"employee_first_name", "PRENOMSALARIE", &SlipFigures::employee_first_name},
        {"period_start_text", "DATEDEBUT", &SlipFigures::period_start_text},
        {"period_end_text", "DATEFIN", &SlipFigures::period_end_text},
        {"hourly_base", "BASE", &SlipFigures::hourly_base},
        {"hourly_rate", "TAUX", &SlipFigures::hourly_rate},
        {"base_salary", "BRUTB", &SlipFigures::base_salary},
        {"absence_hours", "ABS", &SlipFigures::absence_hours},
        {"plain_comp_hours", "BHC", &SlipFigures::plain_comp_hours},
        {"band1_hours", "BHS", &SlipFigures::band1_hours},
        {"band2_hours", "HSS", &SlipFigures::band2_hours},
        {"leave_hours_taken", "HPAIEB", &SlipFigures::leave_hours_taken},
        {"bonus", "PRIME", &SlipFigures::bonus},
        {"gross_pay", "SALAIREBRUT", &SlipFigures::gross_pay},
        {"employee_total", "RETENUES", &SlipFigures::employee_total},
        {"employer_total", "RETENUEP", &SlipFigures::employer_total},
        {"employer_mutual_share", "BASE3", &SlipFigures::employer_mutual_share},
        {"net_salary", "SALAP", &SlipFigures::net_salary},
        {"employee_mutual_share", "MUTUELLE", &SlipFigures::employee_mutual_share},
        {"advance", "ACOMPTE", &SlipFigures::advance},
        {"net_to_pay", "NET", &SlipFigures::net_to_pay},
        {"net_to_pay_euro", "EURO", &SlipFigures::net_to_pay_euro},
        {"taxable_net", "NETIMP", &SlipFigures::taxable_net},
        {"cumulative_taxable", "T48", &SlipFigures::cumulative_taxable},
        {"cumulative_gross", "CUM", &SlipFigures::cumulative_gross},
        {"previous_leave_balance", "T78", &SlipFigures::previous_leave_balance},
        {"leave_balance", "CONB", &SlipFigures::leave_balance},
    };
    return all;
}

SlipFigures SlipFigures::fromFormulas(const QHash<QString, QString> &values)
{
    SlipFigures figures;
    for (const Field &field : fields())
        figures.*field.member = values.value(QLatin1String(field.formula));
    for (int line = 0; line < ContributionLines::Count; ++line) {
        const PayslipFormulaSet::LineNames names = PayslipFormulaSet::lineNames(line);
        figures.lines[line] = {values.value(names.label), values.value(names.base),
                               values.value(names.employeeAmount), values.value(names.employerAmount)};
    }
    return figures;
}
