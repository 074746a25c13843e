#pragma once

#include <QString>

// The twenty contribution lines of a pay slip, in the order the employee's
// rate fields, the pay sheet's rate copies and the amounts follow: line n
// uses rate fields 2n (employer, "/PATR") and 2n + 1 (employee, "/SAL").
namespace ContributionLines {

inline constexpr int Count = 20;
inline constexpr int RateCount = 2 * Count;

// Lines 0 and 1 are the CSG/RDS lines, taken on the CSG base; lines 2 to 19
// are taken on the gross pay.
inline constexpr int FirstOrdinaryLine = 2;
inline constexpr int CsgRds = 0;
inline constexpr int CsgDeductible = 1;
inline constexpr int Param1 = 17;

// The line's key: "csg_rds", "sickness", ... "param3".
QString key(int line);

// The row label of the rates panel ("Assurance Maladie"); the last line has
// none of its own, its label being typed by the user.
QString rowLabel(int line);

inline int employerRate(int line) { return 2 * line; }
inline int employeeRate(int line) { return 2 * line + 1; }

} // namespace ContributionLines
