#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `quorvan payslip`: the pay calculation of the preparation screen run on
// the files of a working folder, for scripts and checks. Each option holds
// the text the preparation's field would hold; the pay sheet is written as a
// French summary, with --json as one JSON object of texts, or with
// --formulas as the pay slip's formulas in the order they are handed over;
// --pdf and --rpt write the pay slip itself besides (a QGuiApplication is
// then needed for the fonts).
namespace PayslipCommand {

enum ExitCode { Calculated = 0, BadArguments = 2, Refused = 3, WriteFailed = 4 };

// `arguments` are the words after "payslip". Results go to `out`, messages
// to `err`.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The lines of the general help that describe this command's options.
QString optionsHelp();

} // namespace PayslipCommand
