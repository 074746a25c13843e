#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `quorvan report FICHIER --pdf SORTIE.pdf`: a saved pay slip (".rpt"),
// or a layout left unfilled, rendered as PDF by the same renderer as the
// preview and the printer, so the PDF shows the page the clerk saved.
namespace ReportCommand {

enum ExitCode { Written = 0, BadArguments = 2, Failed = 4 };

// `arguments` are the words after "report". Needs a QGuiApplication.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// A report engine failure as the command line says it: its message and number.
QString failureText(int number, const QString &message);

} // namespace ReportCommand
