#pragma once

#include "reportdocument.h"

// The files of the report engine on disk: a layout (".rpl") or a saved pay
// slip (".rpt"), both JSON documents told apart by their "format".
namespace ReportFile {

// Opens a layout and fills it with the formula entries, or opens a saved pay
// slip as it was saved (the entries are not applied to a finished document).
std::optional<ReportDocument> open(const QString &path, const QMap<qint16, QString> &entries,
                                   ReportError *error);

// Writes a saved pay slip in one piece: the file is replaced only once the
// whole new content is on disk.
ReportError save(const QString &path, const ReportDocument &document);

} // namespace ReportFile
