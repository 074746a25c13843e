#pragma once

#include "carryover.h"

#include <QList>

// The carry-over rule. For an employee and a new period, the previous slip
// is the saved slip of that employee whose period ends last before the new
// period starts. Its leave hours due carry over whatever the year; its
// cumulative taxable and cumulative gross carry over only when it ends in
// the year the new period starts in. The figures are those printed on it.
// A slip whose period overlaps the previous slip's makes a conflict: no
// figure is carried, both slips are named.
namespace CarryOverRule {

// `slips` are the saved slips of one employee, in any order.
CarryOver find(const QList<SlipSummary> &slips, const QDate &periodStart);

} // namespace CarryOverRule
