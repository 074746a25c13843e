#include "backupcontents.h"

#include "schema.h"
#include "temporaryfile.h"

#include <QFileInfo>

#include <algorithm>

namespace BackupContents {

namespace {

// The name WholeFile::setAside gives a file found damaged.
bool isSetAside(const QString &fileName)
{
    return fileName.contains(QStringLiteral(".endommagé-"));
}

} // namespace

Kind kindOf(const QString &fileName)
{
    if (fileName.startsWith(u'.') || isSetAside(fileName))
        return Kind::None;
    if (fileName == QLatin1String(LayoutName))
        return Kind::Layout;
    if (fileName == QLatin1String(HelpName))
        return Kind::Help;
    if (fileName.size() > 4 && fileName.endsWith(QLatin1String(".rkv")))
        return Kind::Database;
    if (fileName.size() > 4 && fileName.endsWith(QLatin1String(".rpt")))
        return Kind::Payslip;
    if (fileName.size() > int(qstrlen(DraftSuffix)) && fileName.endsWith(QLatin1String(DraftSuffix)))
        return Kind::Draft;
    return Kind::None;
}

bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'.') || name.toUtf8().size() > 255)
        return false;
    const bool plain = std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control
               || c.isNull();
    });
    return plain && kindOf(name) != Kind::None;
}

Listing list(const QDir &folder)
{
    Listing listing;
    const QFileInfoList entries
        = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const Kind kind = kindOf(entry.fileName());
        if (kind == Kind::None || entry.isSymLink() || !entry.isFile()
            || TemporaryFile::isTemporaryName(entry.fileName()))
            continue;
        (kind == Kind::Database ? listing.databases : listing.files) << entry.fileName();
        listing.size += entry.size();
    }
    return listing;
}

bool holdsCompany(const QDir &folder)
{
    return folder.exists(QLatin1String(Schema::MainFileName))
           || folder.exists(QLatin1String(Schema::EmployerFileName));
}

bool isDatabaseCompanion(const QString &fileName)
{
    for (const char *suffix : {".rkv-journal", ".rkv-wal", ".rkv-shm"}) {
        if (fileName.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

} // namespace BackupContents
