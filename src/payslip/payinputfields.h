#pragma once

#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "employerrecordtexts.h"
#include "payrollparameters.h"

#include <QString>
#include <functional>

// The pay inputs gathered column by column, whoever holds the fields: the
// stored records of a working folder or the screens showing them. Only the
// reading of one field differs from one source to the other.
namespace PayInputFields {

// The text of the field of a column ("NOM", "Entré le" ...).
using FieldReader = std::function<QString(const QString &column)>;
// The text of contribution rate `index`, 0..39.
using RateReader = std::function<QString(int index)>;

EmployeeFigures employeeFigures(const FieldReader &field, const RateReader &rate);
EmployeeRecordTexts employeeRecord(const FieldReader &field);
EmployerRecordTexts employer(const FieldReader &field);
// The parameters' texts; the options A and B are left to the caller, since
// a stored record and the parameters screen tick them differently.
PayrollParameters parameterTexts(const FieldReader &field);

} // namespace PayInputFields
