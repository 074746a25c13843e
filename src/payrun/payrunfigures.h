#pragma once

#include "paysheet.h"

#include <QString>
#include <array>
#include <optional>

// The ten figures of a month's pay run row: the three carried over from the
// previous pay slip, then the seven the clerk types for the month. Each has
// the name of its `quorvan payslip` option without the dashes — the column
// of an imported file — its caption in the grid and the pay sheet value it
// fills.
namespace PayRunFigures {

inline constexpr int Count = 10;
inline constexpr int CarriedCount = 3;

// Indexes, in the grid's order.
enum Figure {
    PreviousLeaveBalance,
    PreviousCumulativeTaxable,
    PreviousCumulativeGross,
    AbsenceHours,
    ComplementaryHours,
    LeaveHours,
    CommissionRate,
    CommissionBase,
    Advance,
    Bonus,
};

struct Definition
{
    const char *name;    // "absence-hours"
    const char *caption; // "Heures\nabsences", on two lines in the grid's header
    QString PaySheet::*field;
};

const std::array<Definition, Count> &definitions();

inline bool isCarried(int figure)
{
    return figure < CarriedCount;
}

QString name(int figure);
QString caption(int figure);
// The figure of a column name, nothing for a name that is none.
std::optional<int> byName(const QString &name);

// What a numeric field of the preparation holds: digits and at most one
// decimal comma, or nothing.
bool isFieldText(const QString &text);

} // namespace PayRunFigures
