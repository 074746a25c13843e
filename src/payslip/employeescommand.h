#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `quorvan employees export --to FILE.csv [--dir DIR]` and `quorvan employees
// import FILE.csv [--dir DIR]`: the employee file of a working folder sent to
// or brought in from a spreadsheet's CSV, as the « Dossier » menu does.
namespace EmployeesCommand {

enum ExitCode { Done = 0, BadArguments = 2, NotWritten = 4 };

// `arguments` are the words after "employees".
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

QString help();

} // namespace EmployeesCommand
