#pragma once

#include "slipsummary.h"

#include <QList>
#include <QString>

#include <optional>

// The three figures a new pay slip copies from the employee's previous one
// (the leave hours still due, the cumulative taxable, the cumulative gross),
// as a clerk would type them, and where they come from. When no figure can
// be trusted (two slips for overlapping periods, a slip changed outside the
// program, a printed figure that is no number) nothing is carried and the
// reason is said.
struct CarryOver
{
    enum class Status {
        Carried,        // the three figures come from `source`
        NoPreviousSlip, // no saved slip of the employee ends before the period
        Conflict,       // `source` and `conflicting` have overlapping periods
        Changed,        // `source` was changed outside the program
        NotANumber,     // `source` prints a figure that is no number
    };

    Status status = Status::NoPreviousSlip;
    QDate periodStart; // of the new slip
    std::optional<SlipSummary> source;
    QList<SlipSummary> conflicting;
    // Saved slips of the employee whose period cannot be read: left out.
    int undated = 0;

    // When carried: texts for the numeric fields, digits and a decimal
    // comma. The cumulatives are empty when the previous slip belongs to an
    // earlier year (a year's first slip starts from nothing).
    QString previous_leave_balance;
    QString previous_cumulative_taxable;
    QString previous_cumulative_gross;
    bool cumulativesRestart = false;

    bool carried() const { return status == Status::Carried; }
    // One French sentence or two saying what was carried from where, or
    // why nothing was.
    QString description() const;
    // Whether three typed texts say the same as the figures carried (an
    // empty text counts as 0, as in the calculation; a text that is no
    // number differs). Always true when nothing was carried.
    bool agreesWith(const QString &leaveBalance, const QString &cumulativeTaxable,
                    const QString &cumulativeGross) const;
};
