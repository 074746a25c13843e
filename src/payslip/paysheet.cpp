#include "paysheet.h"

QList<std::pair<QString, QString>> PaySheet::namedTexts() const
{
    QList<std::pair<QString, QString>> texts = {
        {QStringLiteral("absence_hours"), absence_hours},
        {QStringLiteral("complementary_hours"), complementary_hours},
        {QStringLiteral("leave_hours_taken"), leave_hours_taken},
        {QStringLiteral("commission_rate"), commission_rate},
        {QStringLiteral("commission_base"), commission_base},
        {QStringLiteral("advance"), advance},
        {QStringLiteral("bonus"), bonus},
        {QStringLiteral("period_start_day"), period_start_day},
        {QStringLiteral("period_start_month"), period_start_month},
        {QStringLiteral("period_start_year"), period_start_year},
        {QStringLiteral("period_end_day"), period_end_day},
        {QStringLiteral("period_end_month"), period_end_month},
        {QStringLiteral("period_end_year"), period_end_year},
        {QStringLiteral("previous_leave_balance"), previous_leave_balance},
        {QStringLiteral("previous_cumulative_taxable"), previous_cumulative_taxable},
        {QStringLiteral("previous_cumulative_gross"), previous_cumulative_gross},
        {QStringLiteral("employee_name"), employee_name},
        {QStringLiteral("band1_percent"), band1_percent},
        {QStringLiteral("band2_percent"), band2_percent},
        {QStringLiteral("leave_accrual_rate"), leave_accrual_rate},
        {QStringLiteral("base_salary"), base_salary},
        {QStringLiteral("base_salary_euro"), base_salary_euro},
        {QStringLiteral("plain_comp_hours"), plain_comp_hours},
        {QStringLiteral("plain_comp_amount"), plain_comp_amount},
        {QStringLiteral("plain_comp_amount_euro"), plain_comp_amount_euro},
        {QStringLiteral("band1_hours"), band1_hours},
        {QStringLiteral("band1_amount"), band1_amount},
        {QStringLiteral("band1_amount_euro"), band1_amount_euro},
        {QStringLiteral("band2_hours"), band2_hours},
        {QStringLiteral("band2_amount"), band2_amount},
        {QStringLiteral("band2_amount_euro"), band2_amount_euro},
        {QStringLiteral("leave_amount"), leave_amount},
        {QStringLiteral("leave_amount_euro"), leave_amount_euro},
        {QStringLiteral("commission_amount"), commission_amount},
        {QStringLiteral("commission_amount_euro"), commission_amount_euro},
        {QStringLiteral("absence_amount"), absence_amount},
        {QStringLiteral("absence_amount_euro"), absence_amount_euro},
        {QStringLiteral("period_start_text"), period_start_text},
        {QStringLiteral("period_end_text"), period_end_text},
        {QStringLiteral("hours_worked"), hours_worked},
        {QStringLiteral("leave_basis_hours"), leave_basis_hours},
        {QStringLiteral("leave_balance"), leave_balance},
        {QStringLiteral("gross_pay"), gross_pay},
        {QStringLiteral("gross_pay_euro"), gross_pay_euro},
    };
    for (int line = 0; line < ContributionLines::Count; ++line) {
        const QString key = ContributionLines::key(line);
        texts.append({key + QStringLiteral("_employer"), contributions[line].employer});
        texts.append({key + QStringLiteral("_employee"), contributions[line].employee});
    }
    texts += QList<std::pair<QString, QString>>{
        {QStringLiteral("csg_base"), csg_base},
        {QStringLiteral("employer_total"), employer_total},
        {QStringLiteral("employer_total_euro"), employer_total_euro},
        {QStringLiteral("employee_total"), employee_total},
        {QStringLiteral("employee_total_euro"), employee_total_euro},
        {QStringLiteral("net_salary"), net_salary},
        {QStringLiteral("net_to_pay"), net_to_pay},
        {QStringLiteral("net_to_pay_euro"), net_to_pay_euro},
        {QStringLiteral("taxable_net"), taxable_net},
        {QStringLiteral("taxable_net_euro"), taxable_net_euro},
        {QStringLiteral("cumulative_taxable"), cumulative_taxable},
        {QStringLiteral("cumulative_taxable_euro"), cumulative_taxable_euro},
        {QStringLiteral("cumulative_gross"), cumulative_gross},
        {QStringLiteral("cumulative_gross_formula"), cumulative_gross_formula.text},
    };
    return texts;
}
