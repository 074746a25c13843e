#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the program is handed (a saved pay slip, a layout): only a
// regular file is read, so a FIFO or a link to a device never makes the
// program wait or read for ever, and only up to a size, checked before
// anything is read, so a file far larger than it can be is refused instead
// of filling the memory. Paths beginning with ":" are the program's own
// resources.
namespace RegularFile {

enum class Status { Read, Missing, NotRegular, TooLarge, Unreadable };

struct Reading
{
    Status status = Status::Read;
    QByteArray content; // when Read
    qint64 size = 0;    // when TooLarge: the size found
    int error = 0;      // when Unreadable: the errno
};

Reading read(const QString &path, qint64 maximumSize);

} // namespace RegularFile
