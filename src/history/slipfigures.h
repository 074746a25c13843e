#pragma once

#include "contributionlines.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>

// What one saved pay slip prints, figure by figure, exactly as printed: the
// amounts with their grouping and two decimals, the hours as shown, a blank
// where the slip prints nothing. Later work (the next month's carry-over,
// the statements) reads these texts, so they sum to what the slips show.
// Names follow the pay sheet.
struct SlipFigures
{
    // One contribution line: its label, its base and its two amounts.
    struct Line
    {
        QString label;
        QString base;
        QString employee;
        QString employer;
        bool operator==(const Line &) const = default;
    };

    QString employee_name;       // NOMSALARIE
    QString employee_first_name; // PRENOMSALARIE
    QString period_start_text;   // DATEDEBUT
    QString period_end_text;     // DATEFIN
    QString hourly_base;         // BASE
    QString hourly_rate;         // TAUX
    QString base_salary;         // BRUTB
    QString absence_hours;       // ABS
    QString plain_comp_hours;    // BHC
    QString band1_hours;         // BHS
    QString band2_hours;         // HSS
    QString leave_hours_taken;   // HPAIEB
    QString bonus;               // PRIME
    QString gross_pay;           // SALAIREBRUT
    QString employee_total;      // RETENUES
    QString employer_total;      // RETENUEP
    QString employer_mutual_share; // BASE3
    QString net_salary;          // SALAP
    QString employee_mutual_share; // MUTUELLE
    QString advance;             // ACOMPTE
    QString net_to_pay;          // NET
    QString net_to_pay_euro;     // EURO
    QString taxable_net;         // NETIMP
    QString cumulative_taxable;  // T48
    QString cumulative_gross;    // CUM
    QString previous_leave_balance; // T78
    QString leave_balance;       // CONB
    std::array<Line, ContributionLines::Count> lines;

    bool operator==(const SlipFigures &) const = default;

    // A single figure: its name (the history's column) and the formula of
    // the pay slip that prints it.
    struct Field
    {
        const char *name;
        const char *formula;
        QString SlipFigures::*member;
    };
    static const QList<Field> &fields();

    // The figures of a pay slip from its formula values (name -> value).
    static SlipFigures fromFormulas(const QHash<QString, QString> &values);
};
