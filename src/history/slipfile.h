#pragma once

#include "savedslip.h"

#include <QByteArray>
#include <QString>

#include <variant>

class QDir;

// Reads a saved pay slip (".rpt") for the history, without drawing it: the
// employee, the period and the figures it prints, and the checksum of the
// file. Both versions of the saved pay slip are read: a file of version 2
// names its employee and its period; one of version 1 is read from its
// printed values (the names and the two dates printed). A file that is no
// saved pay slip, a damaged one or one of an unknown version is refused
// with the reason, in French.
namespace SlipFile {

// A saved pay slip is some tens of kilobytes: far larger is no pay slip.
inline constexpr qint64 MaximumSize = 4 * 1024 * 1024;

using Reading = std::variant<SavedSlip, QString>;

Reading read(const QDir &directory, const QString &fileName);

// The same reading on content already in memory; `modified` is the file's
// time of last change (milliseconds since the epoch).
Reading fromBytes(const QString &fileName, const QByteArray &content, qint64 modified);

// SHA-256 of a content, in hexadecimal.
QByteArray checksum(const QByteArray &content);

} // namespace SlipFile
