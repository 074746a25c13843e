#include "temporaryfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What sets our temporary files apart from anything a clerk names.
const QString Marker = QStringLiteral(".quorvan-");
// A database built under a temporary name leaves these beside it when killed.
const char *const DatabaseCompanions[] = {"-journal", "-wal", "-shm"};
constexpr int CreationAttempts = 5;

int lockWaiting(int fd)
{
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 ? 0 : errno;
}

void syncDirectory(const QByteArray &directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Takes the final name without replacing a file there: link() never
// replaces, and rename(RENAME_NOREPLACE) stands in where there are no links.
int publishKeeping(const QByteArray &temporary, const QByteArray &final)
{
    if (::link(temporary.constData(), final.constData()) == 0) {
        ::unlink(temporary.constData());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, final.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

} // namespace

TemporaryFile::TemporaryFile(const QString &finalPath)
    : m_finalPath(QFileInfo(finalPath).absoluteFilePath())
{
    const QFileInfo info(m_finalPath);
    const QByteArray pattern = QFile::encodeName(info.absolutePath() + QLatin1String("/.")
                                                 + info.fileName() + Marker + QLatin1String("XXXXXX"));
    for (int attempt = 0; attempt < CreationAttempts; ++attempt) {
        QByteArray path = pattern;
        const int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0) {
            m_error = errno;
            return;
        }
        // Personal data: owner only, whatever the umask.
        ::fchmod(fd, S_IRUSR | S_IWUSR);
        if (const int locked = lockWaiting(fd); locked != 0) {
            ::unlink(path.constData());
            ::close(fd);
            m_error = locked;
            return;
        }
        // A clean-up may have taken the file for a leftover between its
        // creation and the lock; it is gone then, so take another.
        struct stat status;
        if (::fstat(fd, &status) == 0 && status.st_nlink > 0) {
            m_fd = fd;
            m_path = path;
            return;
        }
        ::close(fd);
    }
    m_error = EAGAIN;
}

TemporaryFile::~TemporaryFile()
{
    discard();
}

QString TemporaryFile::path() const
{
    return QFile::decodeName(m_path);
}

bool TemporaryFile::fail(int error)
{
    if (m_error == 0)
        m_error = error;
    discard();
    return false;
}

void TemporaryFile::discard()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.constData());
    for (const char *companion : DatabaseCompanions)
        ::unlink((m_path + companion).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool TemporaryFile::write(const QByteArray &content)
{
    if (!isValid())
        return false;
    const char *data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    return true;
}

bool TemporaryFile::publish(Existing existing)
{
    if (!isValid())
        return false;
    // The content must be on the disk before the name points at it; a full
    // disk may only say so here.
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const QByteArray final = QFile::encodeName(m_finalPath);
    int rc = 0;
    if (existing == Existing::Replace)
        rc = ::rename(m_path.constData(), final.constData()) == 0 ? 0 : errno;
    else
        rc = publishKeeping(m_path, final);
    if (rc != 0)
        return fail(rc);
    syncDirectory(QFile::encodeName(QFileInfo(m_finalPath).absolutePath()));
    ::close(m_fd);
    m_fd = -1;
    return true;
}

bool TemporaryFile::isTemporaryName(const QString &fileName)
{
    static const QRegularExpression name(
        QStringLiteral("^\\..+\\.quorvan-[A-Za-z0-9]{6}(-journal|-wal|-shm)?$"));
    return name.match(fileName).hasMatch();
}

bool TemporaryFile::removeIfLeftover(const QString &path)
{
    if (!isTemporaryName(QFileInfo(path).fileName()))
        return false;
    const QByteArray native = QFile::encodeName(path);
    for (const char *companion : DatabaseCompanions) {
        if (!native.endsWith(companion))
            continue;
        // A companion goes with its database file; alone, it is a leftover.
        const QByteArray base = native.chopped(qsizetype(qstrlen(companion)));
        struct stat status;
        if (::lstat(base.constData(), &status) == 0 || errno != ENOENT)
            return false;
        return ::lstat(native.constData(), &status) == 0 && S_ISREG(status.st_mode)
               && ::unlink(native.constData()) == 0;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    // Locked: its writer is alive and still writing.
    bool removed = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
                   && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(native.constData()) == 0;
    if (removed) {
        for (const char *companion : DatabaseCompanions)
            ::unlink((native + companion).constData());
    }
    ::close(fd);
    return removed;
}
