#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The words of `quorvan [DOSSIER]`, the start with windows, read before any
// application exists so that a refusal needs no display: at most one
// working folder, and no option but the toolkit's own (-platform, -style,
// -session…), which the application takes for itself. A word beginning with
// "-" is never taken for a folder.
namespace WindowStart {

// The French message refusing WORDS (the arguments after the program's
// name), or nothing when the program may start on them.
std::optional<QString> refusal(const QStringList &words);

} // namespace WindowStart
