#pragma once

#include "reportdocument.h"

// The files of the report engine on disk: a layout (".rpl") or a saved pay
// slip (".rpt"), both JSON documents told apart by their "format". Only a
// regular file of at most MaximumSize bytes is read.
namespace ReportFile {

// A saved pay slip is some tens of kilobytes; a hundred times that is no
// pay slip, and is refused before it is read.
inline constexpr qint64 MaximumSize = 4 * 1024 * 1024;

// Opens a layout and fills it with the formula entries, or opens a saved pay
// slip as it was saved (the entries are not applied to a finished document).
std::optional<ReportDocument> open(const QString &path, const QMap<qint16, QString> &entries,
                                   ReportError *error);

// Opens a layout only; a saved pay slip is refused as a layout.
std::optional<ReportLayout> openLayout(const QString &path, ReportError *error);

// Writes a saved pay slip in one piece, owner-only: the file is replaced
// only once the whole new content is on disk. Without `replace`, a pay slip
// already saved under that name is kept and the save refused (OutputExists).
ReportError save(const QString &path, const ReportDocument &document, bool replace = true);

} // namespace ReportFile
