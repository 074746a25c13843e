#include "regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

Reading refusal(Status status, qint64 size = 0, int error = 0)
{
    Reading reading;
    reading.status = status;
    reading.size = size;
    reading.error = error;
    return reading;
}

Reading readResource(const QString &path, qint64 maximumSize)
{
    QFile file(path);
    if (!file.exists())
        return refusal(Status::Missing);
    if (file.size() > maximumSize)
        return refusal(Status::TooLarge, file.size());
    if (!file.open(QIODevice::ReadOnly))
        return refusal(Status::Unreadable, 0, EIO);
    Reading reading;
    reading.content = file.readAll();
    return reading;
}

// Reads at most one byte more than allowed, so a file growing meanwhile is
// still refused.
Reading readOpen(int fd, qint64 maximumSize)
{
    Reading reading;
    const qint64 limit = maximumSize + 1;
    char chunk[65536];
    while (reading.content.size() < limit) {
        const ssize_t got = ::read(fd, chunk, size_t(qMin<qint64>(qint64(sizeof chunk), limit - reading.content.size())));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refusal(Status::Unreadable, 0, errno);
        if (got == 0)
            break;
        reading.content.append(chunk, qsizetype(got));
    }
    if (reading.content.size() > maximumSize)
        return refusal(Status::TooLarge, reading.content.size());
    return reading;
}

} // namespace

Reading read(const QString &path, qint64 maximumSize)
{
    if (path.startsWith(u':'))
        return readResource(path, maximumSize);
    // Non-blocking: a FIFO opens at once instead of waiting for a writer;
    // it is refused just below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? refusal(Status::Missing)
                                                   : refusal(Status::Unreadable, 0, errno);
    struct stat status;
    Reading reading;
    if (::fstat(fd, &status) != 0)
        reading = refusal(Status::Unreadable, 0, errno);
    else if (!S_ISREG(status.st_mode))
        reading = refusal(Status::NotRegular);
    else if (status.st_size > maximumSize)
        reading = refusal(Status::TooLarge, status.st_size);
    else
        reading = readOpen(fd, maximumSize);
    ::close(fd);
    return reading;
}

} // namespace RegularFile
