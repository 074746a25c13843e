#include "wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace WholeFile {

namespace {

// Renames without replacing; link() stands in where the file system has no
// RENAME_NOREPLACE.
int renameKeeping(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

} // namespace

int write(const QString &path, const QByteArray &content, Existing existing)
{
    TemporaryFile file(path);
    if (file.write(content) && file.publish(existing))
        return 0;
    return file.error() ? file.error() : EIO;
}

QString reason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EFBIG:
        return QStringLiteral("le disque est plein ou le fichier dépasse la taille permise");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier n’existe pas");
    case EISDIR:
        return QStringLiteral("un dossier porte déjà ce nom");
    case EEXIST:
        return QStringLiteral("un fichier porte déjà ce nom");
    case ENAMETOOLONG:
        return QStringLiteral("le nom est trop long");
    case EIO:
        return QStringLiteral("erreur de lecture ou d’écriture sur le disque");
    default:
        return QStringLiteral("erreur système ") + QString::number(error);
    }
}

QStringList removeLeftovers(const QDir &directory)
{
    const QStringList names = directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QStringList removed;
    // A database file before its journal, which goes with it.
    for (const bool companions : {false, true}) {
        for (const QString &name : names) {
            if (!TemporaryFile::isTemporaryName(name) || !QFileInfo::exists(directory.filePath(name)))
                continue;
            const bool companion = name.endsWith(QLatin1String("-journal"))
                                   || name.endsWith(QLatin1String("-wal"))
                                   || name.endsWith(QLatin1String("-shm"));
            if (companion == companions && TemporaryFile::removeIfLeftover(directory.filePath(name)))
                removed << name;
        }
    }
    return removed;
}

QString setAside(const QString &path, int *error)
{
    const QFileInfo info(path);
    const QString stem = info.completeBaseName() + QStringLiteral(".endommagé-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QByteArray from = QFile::encodeName(info.absoluteFilePath());
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString name = stem + (attempt > 1 ? u'-' + QString::number(attempt) : QString()) + suffix;
        const int rc = renameKeeping(from, QFile::encodeName(info.absoluteDir().filePath(name)));
        if (rc == 0)
            return name;
        if (rc != EEXIST) {
            *error = rc;
            return QString();
        }
    }
    *error = EEXIST;
    return QString();
}

} // namespace WholeFile
