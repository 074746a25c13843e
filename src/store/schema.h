#pragma once

#include "tabledefinition.h"

// The two database files of the program, with exactly the table and column
// names their users and earlier files know, and their delivered content.
namespace Schema {

inline constexpr const char *MainFileName = "Bdrk.rkv";
inline constexpr const char *EmployerFileName = "sterk.rkv";

TableDefinition employees();   // SALARIE
TableDefinition parameters();  // PARMETRE
TableDefinition euroRate();    // TEURO
TableDefinition employer();    // EMPLOYEUR

DatabaseDefinition mainDatabase();     // Bdrk.rkv: SALARIE, PARMETRE, TEURO
DatabaseDefinition employerDatabase(); // sterk.rkv: EMPLOYEUR

// The forty contribution-rate columns of SALARIE, in rate-field order
// (even: employer "/PATR", odd: employee "/SAL").
QStringList rateColumns();

} // namespace Schema
