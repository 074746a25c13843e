#pragma once

#include <QStringList>

// The working folder made ready at start: the temporary files a program
// killed while writing left behind are removed (never one another running
// program is still writing), a database file found empty and the delivered
// layout or help file found empty or damaged are set aside (kept under
// another name, never deleted) and written anew, and the delivered files
// missing are written.
namespace StartupFiles {

// Works on the current directory. Returns what the clerk must be told, one
// text a file set aside or refused; empty when all was in order.
QStringList prepare();

} // namespace StartupFiles
