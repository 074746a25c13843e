#pragma once

#include "backupresult.h"

#include <QDir>
#include <QString>

// « Sauvegarder »: the whole company of a working folder written as one
// archive file — a tar of the files compressed with zstd (".tar.zst"), the
// databases as consistent copies taken while they may be open, every other
// file as it stands, and last the manifest of every entry's size and SHA-256.
// The archive is owner-only and written whole or not at all (a temporary
// file beside it, renamed once complete); a full disk, a file changing under
// the backup or « Annuler » leaves no archive and says so.
namespace BackupWriter {

// Writes the backup of `folder` as `archivePath`. An existing file of that
// name is kept and the backup refused unless `replace`.
BackupResult write(const QDir &folder, const QString &archivePath, const BackupProgress &progress = {},
                   bool replace = false);

} // namespace BackupWriter
