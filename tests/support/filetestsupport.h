#pragma once

// Reading and writing the test's own files byte for byte, and their modes,
// for the tests that check what the program leaves on disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <sys/stat.h>

namespace TestFiles {

// The bytes of a file, or "<absent>" when there is none to read.
inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

inline void writeBytes(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The permission bits of a file, 0 when it cannot be read.
inline mode_t modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

} // namespace TestFiles
