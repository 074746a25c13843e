#pragma once

#include "storeerror.h"
#include "tabledefinition.h"

#include <QString>

// Database files copied and checked for a backup and its restore. The copy
// goes through the engine's own backup interface, so it is one consistent
// state of the file even while the program has it open and another program
// writes: a backup never holds a half-written database.
namespace DatabaseBackup {

// Copies the database `sourcePath` into the new file `targetPath` (owner-only,
// rollback journal). Waits up to `busyTimeoutMs` for a writer to finish.
StoreError copy(const QString &sourcePath, const QString &targetPath, int busyTimeoutMs = 5000);

// Opens `path` read-only and checks it is a sound SQLite database: the
// engine's quick check, and, when `definition` is given, its tables and
// their columns; otherwise it must hold at least one table. Nothing is
// written, not even a journal.
StoreError check(const QString &path, const DatabaseDefinition *definition = nullptr);

// The first record's text of `column` in `table`, or an empty text when the
// file, the table or the record is missing. For names shown to the clerk
// (the employer's name on a backup).
QString firstText(const QString &path, const QString &table, const QString &column);

} // namespace DatabaseBackup
