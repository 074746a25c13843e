#pragma once

#include "contributionlines.h"
#include "formulaentry.h"

#include <QList>
#include <QString>
#include <array>
#include <utility>

// Every value of the pay slip preparation for one employee and one period:
// what the clerk types, what the opening copies, what the calculation
// computes. All are texts, exactly as a screen field holds them; an amount's
// euro equivalent sits beside it under the amount's name followed by _euro.
struct PaySheet
{
    struct Contribution
    {
        QString employer;
        QString employee;
        bool operator==(const Contribution &) const = default;
    };

    // Typed by the clerk.
    QString absence_hours;
    QString complementary_hours;
    QString leave_hours_taken;
    QString commission_rate;
    QString commission_base;
    QString advance;
    QString bonus;
    QString period_start_day;
    QString period_start_month;
    QString period_start_year;
    QString period_end_day;
    QString period_end_month;
    QString period_end_year;
    QString previous_leave_balance;
    QString previous_cumulative_taxable;
    QString previous_cumulative_gross;

    // Set when the preparation opens.
    QString employee_name;
    QString band1_percent;
    QString band2_percent;
    QString leave_accrual_rate;
    QString base_salary;
    QString base_salary_euro;
    // The employee's forty rates (line n: 2n employer, 2n + 1 employee) and
    // BASEHORAIRE, TAUXHORAIRE, MDLBAC1, PP1, RAPPLS1, for the pay slip only.
    std::array<QString, ContributionLines::RateCount> rate_copy;
    std::array<QString, 5> base_copy;

    // Computed by the calculation.
    QString plain_comp_hours;
    QString plain_comp_amount;
    QString plain_comp_amount_euro;
    QString band1_hours;
    QString band1_amount;
    QString band1_amount_euro;
    QString band2_hours;
    QString band2_amount;
    QString band2_amount_euro;
    QString leave_amount;
    QString leave_amount_euro;
    QString commission_amount;
    QString commission_amount_euro;
    QString absence_amount;
    QString absence_amount_euro;
    QString period_start_text;
    QString period_end_text;
    QString hours_worked;
    QString leave_basis_hours;
    QString leave_balance;
    QString gross_pay;
    QString gross_pay_euro;
    std::array<Contribution, ContributionLines::Count> contributions; // in line order
    QString csg_base;
    QString employer_total;
    QString employer_total_euro;
    QString employee_total;
    QString employee_total_euro;
    QString net_salary;
    QString net_to_pay;
    QString net_to_pay_euro;
    QString taxable_net;
    QString taxable_net_euro;
    QString cumulative_taxable;
    QString cumulative_taxable_euro;
    QString cumulative_gross;
    // "CUM='" + cumulative_gross + "'", report formula 888, handed to the
    // pay slip by the calculation itself.
    FormulaEntry cumulative_gross_formula;

    bool operator==(const PaySheet &) const = default;

    // Every single text under its name, in the order of the preparation
    // screen (typed values, opening values, results); a contribution amount
    // is named after its line, as "sickness_employer". The rate and base
    // copies, being lists, are not among them.
    QList<std::pair<QString, QString>> namedTexts() const;
};
