#include "folderswap.h"

#include "backupcontents.h"
#include "temporaryfile.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FolderSwap {

namespace {

bool isCarried(const QString &name)
{
    return BackupContents::kindOf(name) == BackupContents::Kind::None
           && !BackupContents::isDatabaseCompanion(name) && !TemporaryFile::isTemporaryName(name);
}

QString cannotCarry(const QString &path, int error)
{
    return QStringLiteral("« %1 » n’a pas pu être gardé dans le dossier restauré : %2")
        .arg(QDir::toNativeSeparators(path), WholeFile::reason(error));
}

// Files are linked, not copied: nothing is duplicated and the old folder is
// left exactly as it was until the swap. A file system without links gets
// a copy.
QString carryFile(const QByteArray &from, const QByteArray &to, const QString &shown)
{
    if (::link(from.constData(), to.constData()) == 0)
        return {};
    if (errno != EPERM && errno != EXDEV && errno != EMLINK && errno != ENOTSUP)
        return cannotCarry(shown, errno);
    if (!QFile::copy(QFile::decodeName(from), QFile::decodeName(to)))
        return cannotCarry(shown, EIO);
    return {};
}

QString carryEntry(const QString &fromPath, const QString &toPath)
{
    const QByteArray from = QFile::encodeName(fromPath);
    const QByteArray to = QFile::encodeName(toPath);
    struct stat status;
    if (::lstat(from.constData(), &status) != 0)
        return errno == ENOENT ? QString() : cannotCarry(fromPath, errno);
    if (S_ISREG(status.st_mode))
        return carryFile(from, to, fromPath);
    if (S_ISLNK(status.st_mode)) {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(from.constData(), target.data(), size_t(target.size()));
        if (length < 0 || ::symlink(target.left(length).constData(), to.constData()) != 0)
            return cannotCarry(fromPath, errno);
        return {};
    }
    if (S_ISDIR(status.st_mode)) {
        if (::mkdir(to.constData(), status.st_mode & 07777) != 0)
            return cannotCarry(fromPath, errno);
        const QDir folder(fromPath);
        for (const QString &name :
             folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (QString failure = carryEntry(folder.filePath(name), QDir(toPath).filePath(name));
                !failure.isEmpty())
                return failure;
        }
        return {};
    }
    // A pipe or a device has no content to keep, but it is not ours to drop.
    return cannotCarry(fromPath, ENOTSUP);
}

int flush(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    // Every file restored is written out in one go, not one by one.
    const int rc = ::syncfs(fd);
    const int error = errno;
    ::close(fd);
    return rc == 0 ? 0 : error;
}

// For a file system that cannot exchange two names: the old folder steps
// aside to the staging name's place, then the restored one takes its name;
// it comes back if that fails.
int swapInTwoSteps(const QByteArray &staging, const QByteArray &target)
{
    const QByteArray aside = staging + ".ancien";
    if (::rename(target.constData(), aside.constData()) != 0)
        return errno;
    if (::rename(staging.constData(), target.constData()) != 0) {
        const int error = errno;
        ::rename(aside.constData(), target.constData());
        return error;
    }
    // The old content where the caller removes it, at the staging name.
    ::rename(aside.constData(), staging.constData());
    return 0;
}

} // namespace

int lockStaging(const QString &staging)
{
    const int fd = ::open(QFile::encodeName(staging).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int removeLeftovers(const QString &target)
{
    const QFileInfo info(target);
    const QDir parent(info.absolutePath());
    const QRegularExpression ours(QStringLiteral("^\\.%1\\.restauration-[A-Za-z0-9]{6}(\\.ancien)?$")
                                      .arg(QRegularExpression::escape(info.fileName())));
    int removed = 0;
    for (const QString &name : parent.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!ours.match(name).hasMatch())
            continue;
        const int fd = lockStaging(parent.filePath(name));
        if (fd < 0)
            continue;
        removed += QDir(parent.filePath(name)).removeRecursively() ? 1 : 0;
        ::close(fd);
    }
    return removed;
}

QString carryOver(const QString &from, const QString &to)
{
    const QDir folder(from);
    for (const QString &name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!isCarried(name))
            continue;
        if (QString failure = carryEntry(folder.filePath(name), QDir(to).filePath(name)); !failure.isEmpty())
            return failure;
    }
    return {};
}

int swap(const QString &staging, const QString &target)
{
    if (const int error = flush(staging))
        return error;
    const QByteArray from = QFile::encodeName(staging);
    const QByteArray to = QFile::encodeName(target);
    struct stat status;
    const bool exists = ::lstat(to.constData(), &status) == 0;
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                    exists ? RENAME_EXCHANGE : RENAME_NOREPLACE)
        != 0) {
        if (!exists || (errno != EINVAL && errno != ENOSYS))
            return errno;
        if (const int error = swapInTwoSteps(from, to))
            return error;
    }
    // The new names reach the disk with the folder that holds them.
    flush(QFileInfo(target).absolutePath());
    return 0;
}

} // namespace FolderSwap
