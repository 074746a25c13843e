#pragma once

#include "storeerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class Database;

// The employee file as a spreadsheet's CSV: every column of SALARIE but the
// photo, in the table's order, the column names as header and one line per
// employee in record order, the stored texts as they stand.
namespace EmployeeExport {

QStringList columns();

// The CSV bytes; empty with `error` set when the file cannot be read.
QByteArray content(Database &database, StoreError *error);

// Writes the CSV as `path`, whole and owner-only (it holds personal data).
// Returns the number of employees written, or -1 with `error` in French.
int write(Database &database, const QString &path, QString *error);

} // namespace EmployeeExport
