#pragma once

#include "temporaryfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QDir;

// The files of the working folder are written whole or not at all: through
// a temporary file beside them, owner-only, flushed to the disk, then renamed
// (TemporaryFile). A full disk, a kill or a refused name leaves the previous
// file exactly as it was, and the failure is said, never taken for success.
namespace WholeFile {

using Existing = TemporaryFile::Existing;

// Writes `content` as the file `path`. Returns 0, or the errno of the
// failure (EEXIST when `existing` is Keep and the name is taken).
int write(const QString &path, const QByteArray &content, Existing existing = Existing::Replace);

// Why the system refused, in French (« le disque est plein »...).
QString reason(int error);

// Removes the temporary files that programs killed while writing left in
// `directory`; files still being written by a living program stay. Returns
// the names removed.
QStringList removeLeftovers(const QDir &directory);

// Moves `path` aside under a name of the same folder that says it was found
// damaged ("rkv.rpl" becomes "rkv.endommagé-20010331-174502.rpl"), never
// replacing a file. Returns the new file name, or an empty text with `error`
// set.
QString setAside(const QString &path, int *error);

} // namespace WholeFile
