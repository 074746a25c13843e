#pragma once

#include <QByteArray>
#include <QString>

// The two versions the crash writer alternates between: long field texts and
// a photo of several pages, so a store touches many pages of the file.
namespace CrashVersions {

inline const QString key = QStringLiteral("CIBLE , CRASH");

inline QString text(const QString &column, int version)
{
    return QStringLiteral("%1 version %2 ").arg(column).arg(version).repeated(12);
}

inline QByteArray photo(int version)
{
    return QByteArray(1 << 20, version == 0 ? 'a' : 'b');
}

inline QString rate(int version)
{
    return version == 0 ? QStringLiteral("6,55957") : QStringLiteral("1,95583");
}

} // namespace CrashVersions
