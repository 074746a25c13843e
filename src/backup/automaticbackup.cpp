#include "automaticbackup.h"

#include "backupcontents.h"
#include "backupfolder.h"
#include "backupwriter.h"
#include "wholefile.h"

#include <QDateTime>

namespace AutomaticBackup {

BackupResult atClosing(const QDir &folder, const BackupProgress &progress)
{
    int error = 0;
    const QString path = BackupFolder::automaticPath(folder, QDateTime::currentDateTime(),
                                                     BackupFolder::Occasion::AtClosing, &error);
    if (path.isEmpty())
        return BackupResult::notWritten(
            QStringLiteral("La sauvegarde automatique n’a pas pu être écrite : le dossier « %1 » ne peut "
                           "pas être créé, %2.")
                .arg(QDir::toNativeSeparators(folder.filePath(QLatin1String(BackupContents::BackupsFolder))),
                     WholeFile::reason(error)));
    const BackupResult result = BackupWriter::write(folder, path, progress);
    // Only a backup written makes room: a failure never costs an older one.
    if (result.succeeded())
        BackupFolder::prune(folder);
    return result;
}

} // namespace AutomaticBackup
