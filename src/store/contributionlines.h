#pragma once

#include <QString>

// The twenty contribution lines of a pay slip, in the order the employee's
// rate fields, the pay sheet's rate copies and the amounts follow: line n
// uses rate fields 2n (employer, "/PATR") and 2n + 1 (employee, "/SAL").
// One table names each line for everyone: its key in the pay sheet, its
// label and caption on the rates panel, and its two SALARIE rate columns.
namespace ContributionLines {

inline constexpr int Count = 20;
inline constexpr int RateCount = 2 * Count;

// Lines 0 and 1 are the CSG/RDS lines, taken on the CSG base; lines 2 to 19
// are taken on the gross pay.
inline constexpr int FirstOrdinaryLine = 2;
inline constexpr int CsgRds = 0;
inline constexpr int CsgDeductible = 1;
inline constexpr int Param1 = 17;
// The last line has no name of its own: the clerk types it (PAR3).
inline constexpr int Param3 = Count - 1;

// The line's key: "csg_rds", "sickness", ... "param3".
QString key(int line);

// The row label of the rates panel ("Assurance Maladie"); empty for the
// last line.
QString rowLabel(int line);

// The row's whole caption on the rates panel, dot leaders included
// ("Assurance Maladie.....%     .....%"); empty for the last line.
QString rowCaption(int line);

inline int employerRate(int line) { return 2 * line; }
inline int employeeRate(int line) { return 2 * line + 1; }

// The SALARIE column of rate field `rateIndex` (0 to 39).
QString rateColumn(int rateIndex);

} // namespace ContributionLines
