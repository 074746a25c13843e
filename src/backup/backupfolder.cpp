#include "backupfolder.h"

#include "backupcontents.h"
#include "databasebackup.h"
#include "schema.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace BackupFolder {

namespace {

QString occasionWord(Occasion occasion)
{
    switch (occasion) {
    case Occasion::AtClosing:
        return QStringLiteral("automatique");
    case Occasion::BeforeRestore:
        return QStringLiteral("avant-restauration");
    case Occasion::Chosen:
        break;
    }
    return QStringLiteral("sauvegarde");
}

const QRegularExpression &closingPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("-automatique-(\\d{8}-\\d{6})(?:-(\\d+))?\\.tar\\.zst$"));
    return pattern;
}

QString subfolder(const QDir &folder)
{
    return folder.filePath(QLatin1String(BackupContents::BackupsFolder));
}

} // namespace

QString companyName(const QDir &folder)
{
    const QString path = folder.filePath(QLatin1String(Schema::EmployerFileName));
    if (!QFileInfo(path).isFile())
        return {};
    return DatabaseBackup::firstText(path, QStringLiteral("EMPLOYEUR"), QStringLiteral("NomSociété"))
        .simplified();
}

QString safeName(const QString &company, const QString &fallback)
{
    QString safe;
    for (const QChar c : company) {
        if (c.isLetterOrNumber())
            safe += c;
        else if (!safe.isEmpty() && !safe.endsWith(u'-'))
            safe += u'-';
    }
    while (safe.endsWith(u'-'))
        safe.chop(1);
    safe.truncate(60);
    while (safe.endsWith(u'-'))
        safe.chop(1);
    if (!safe.isEmpty())
        return safe;
    return fallback.isEmpty() ? QStringLiteral("quorvan") : safeName(fallback, QString());
}

QString fileName(const QDir &folder, const QDateTime &when, Occasion occasion)
{
    const QString company = safeName(companyName(folder), folder.dirName());
    return QStringLiteral("%1-%2-%3%4")
        .arg(company, occasionWord(occasion), when.toString(QStringLiteral("yyyyMMdd-HHmmss")),
             QLatin1String(Extension));
}

QString automaticPath(const QDir &folder, const QDateTime &when, Occasion occasion, int *error)
{
    const QString directory = subfolder(folder);
    if (::mkdir(QFile::encodeName(directory).constData(), S_IRWXU) != 0 && errno != EEXIST) {
        *error = errno;
        return {};
    }
    if (!QFileInfo(directory).isDir()) {
        *error = ENOTDIR;
        return {};
    }
    const QString name = fileName(folder, when, occasion);
    *error = 0;
    // Two backups in one second keep both, the later one numbered after
    // every other of that second, so that it sorts as the newest even once
    // the first of them is pruned.
    const QString stem = name.chopped(int(qstrlen(Extension)));
    int last = QFileInfo::exists(QDir(directory).filePath(name)) ? 1 : 0;
    const QRegularExpression numbered(QStringLiteral("^%1-(\\d+)%2$")
                                          .arg(QRegularExpression::escape(stem),
                                               QRegularExpression::escape(QLatin1String(Extension))));
    for (const QString &existing : QDir(directory).entryList(QDir::Files)) {
        if (const QRegularExpressionMatch match = numbered.match(existing); match.hasMatch())
            last = qMax(last, match.captured(1).toInt());
    }
    if (last == 0)
        return QDir(directory).filePath(name);
    return QDir(directory).filePath(QStringLiteral("%1-%2%3").arg(stem).arg(last + 1).arg(QLatin1String(Extension)));
}

QStringList closingBackups(const QDir &folder)
{
    struct Found
    {
        QString name;
        QString stamp;
        int number;
    };
    QList<Found> found;
    const QDir directory(subfolder(folder));
    for (const QString &name : directory.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = closingPattern().match(name);
        if (match.hasMatch())
            found.append({name, match.captured(1), match.captured(2).toInt()});
    }
    // By the time in the name: the company's name may have changed between two.
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.number < b.number;
    });
    QStringList names;
    for (const Found &entry : found)
        names << entry.name;
    return names;
}

QStringList prune(const QDir &folder, int keep)
{
    const QStringList backups = closingBackups(folder);
    QStringList removed;
    QDir directory(subfolder(folder));
    for (int i = 0; i + keep < backups.size(); ++i) {
        if (directory.remove(backups.at(i)))
            removed << backups.at(i);
    }
    return removed;
}

} // namespace BackupFolder
