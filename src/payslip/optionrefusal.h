#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The one wording of an option no command knows, whichever command met it,
// so that the clerk always reads the same sentence and where to look.
namespace OptionRefusal {

// « option inconnue : --x ; quorvan --help donne la liste »; several options
// are named together.
QString text(const QStringList &options);

// The options the parser did not know among ARGUMENTS, written as they were
// typed ("-x", "--x", "--long").
QStringList unknownOptions(const QCommandLineParser &parser, const QStringList &arguments);

} // namespace OptionRefusal
