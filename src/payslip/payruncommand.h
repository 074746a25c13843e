#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `quorvan payrun`: the month's pay for the whole staff of a working folder,
// computed row by row exactly as « Paie du mois » computes it, the figures
// of the month read from a CSV file in the format of its « Importer… », the
// three figures of each previous slip taken from the pay history unless the
// file gives them. Prints a French table, or with --json one object per
// employee; --save records the slips as « Enregistrer » does, --pdf writes
// them all in one PDF (a QGuiApplication is then needed for the fonts).
namespace PayrunCommand {

enum ExitCode { Computed = 0, BadArguments = 2, RowsRefused = 3, WriteFailed = 4 };

// `arguments` are the words after "payrun".
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The lines of the general help that describe this command's options.
QString optionsHelp();

} // namespace PayrunCommand
