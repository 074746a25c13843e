#pragma once

#include "backupmanifest.h"
#include "backupresult.h"

#include <QString>

#include <variant>

// Reading a backup for « Restaurer »: every entry of the archive is checked
// as it is read — one plain file name of a company file (no folder, no "..",
// no absolute path), a regular file (no link, no device), not twice — and
// written into a folder of the restore's own; then the manifest must list
// exactly those files with their sizes and SHA-256, and every database must
// open as a sound SQLite file with its tables. A damaged, cut short or
// foreign archive is refused with a French message saying why.
namespace BackupReader {

// Extracts `archivePath` into the empty folder `into`. On refusal, what was
// written there is the caller's to remove.
std::variant<BackupManifest, BackupResult> extract(const QString &archivePath, const QString &into,
                                                   const BackupProgress &progress = {});

} // namespace BackupReader
