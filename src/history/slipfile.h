#pragma once

#include "savedslip.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

// Many files at once, shared between two threads when there are many: the
// history of a folder of thousands of slips is rebuilt in about half the
// time. The readings are in the order of the names.
QList<Reading> readAll(const QDir &directory, const QStringList &fileNames);

// The same reading on content already in memory; `modified` is the file's
// time of last change (milliseconds since the epoch).
Reading fromBytes(const QString &fileName, const QByteArray &content, qint64 modified);

// The checksum of a content: BLAKE2b-256, in hexadecimal (as strong as
// SHA-256 and five times quicker on the slips of a whole year).
QByteArray checksum(const QByteArray &content);

// A saved pay slip's file as the folder shows it now.
struct Entry
{
    QString fileName;
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
};

// The saved pay slips of a folder, as the archive lists them: the regular
// files, links to them included, whose name ends in ".rpt" in any case and
// does not begin with a dot; in no particular order. Read with one system
// call a file: the history compares thousands of them at every opening.
QList<Entry> folder(const QDir &directory);

} // namespace SlipFile
