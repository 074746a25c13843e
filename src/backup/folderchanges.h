#pragma once

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QString>

// Whether the company files of a working folder changed since a moment:
// a file added, removed, or written (size or time of modification), which
// is what decides the automatic backup at closing. Cheap: the folder is
// listed, nothing is read.
class FolderChanges
{
public:
    explicit FolderChanges(const QDir &folder);

    QDir folder() const { return m_folder; }
    bool changed() const;
    // From now on, what is there counts as unchanged.
    void reset();

private:
    struct Stamp
    {
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp &other) const = default;
    };
    QHash<QString, Stamp> snapshot() const;

    QDir m_folder;
    QHash<QString, Stamp> m_start;
};
