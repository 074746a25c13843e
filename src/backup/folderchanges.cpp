#include "folderchanges.h"

#include "backupcontents.h"

#include <QFileInfo>

FolderChanges::FolderChanges(const QDir &folder)
    : m_folder(folder)
    , m_start(snapshot())
{}

bool FolderChanges::changed() const
{
    return snapshot() != m_start;
}

void FolderChanges::reset()
{
    m_start = snapshot();
}

QHash<QString, FolderChanges::Stamp> FolderChanges::snapshot() const
{
    const BackupContents::Listing listing = BackupContents::list(m_folder);
    QHash<QString, Stamp> stamps;
    for (const QStringList *names : {&listing.databases, &listing.files}) {
        for (const QString &name : *names) {
            const QFileInfo info(m_folder.filePath(name));
            stamps.insert(name, {info.size(), info.lastModified()});
        }
    }
    return stamps;
}
