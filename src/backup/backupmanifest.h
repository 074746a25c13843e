#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The list a backup carries of what it holds: every entry's name, size and
// SHA-256, the company and the time of the backup. A versioned JSON document,
// the last entry of the archive, so that a restore checks every other entry
// against it before anything is put in place.
class BackupManifest
{
public:
    static constexpr const char *EntryName = "quorvan-sauvegarde.json";
    static constexpr const char *Format = "quorvan-sauvegarde";
    static constexpr int Version = 1;
    // Far more than the manifest of any company; a larger entry is refused unread.
    static constexpr qint64 MaximumSize = 64 * 1024 * 1024;

    struct Entry
    {
        QString name;
        qint64 size = 0;
        QByteArray sha256; // lower-case hexadecimal
    };

    QString company;     // the employer's name, possibly empty
    QString folderName;  // the working folder's name when backed up
    QDateTime created;   // local time of the backup
    QList<Entry> entries;

    QByteArray toJson() const;
    // Reads a manifest; an empty result with `why` set when it is not one
    // of ours (`foreign` then true) or not of a version this program reads.
    static std::optional<BackupManifest> fromJson(const QByteArray &json, QString *why, bool *foreign = nullptr);

    QHash<QString, Entry> byName() const;
    qint64 totalSize() const;
};
