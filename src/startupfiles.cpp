#include "startupfiles.h"

#include "database.h"
#include "helpsystem.h"
#include "reportengine.h"
#include "schema.h"
#include "wholefile.h"

#include <QDir>
#include <QFileInfo>

namespace StartupFiles {

namespace {

// A database file holds at least its tables and the settings' records; an
// empty one holds nothing to lose, and would refuse every screen.
QString setAsideIfEmpty(const QString &fileName)
{
    const QFileInfo info(QDir::current().filePath(fileName));
    if (!info.isFile() || info.isSymLink() || info.size() != 0)
        return QString();
    int error = 0;
    const QString kept = WholeFile::setAside(info.filePath(), &error);
    if (kept.isEmpty())
        return QStringLiteral("Le fichier « %1 » est vide et n'a pas pu être mis de côté : %2.")
            .arg(fileName, WholeFile::reason(error));
    return QStringLiteral("Le fichier « %1 » était vide : il est gardé sous le nom « %2 » et un fichier "
                          "neuf, avec son contenu livré, a été créé à sa place.")
        .arg(fileName, kept);
}

} // namespace

QStringList prepare()
{
    WholeFile::removeLeftovers(QDir::current());
    QStringList notices;
    for (const DatabaseDefinition &definition : {Schema::mainDatabase(), Schema::employerDatabase()}) {
        notices << setAsideIfEmpty(definition.fileName);
        // A refused file is reported by the screen that opens it.
        StoreError ignored;
        Database::open(QStringLiteral("."), definition, &ignored);
    }
    notices << HelpSystem::ensureHelpFile() << ReportEngine::ensureDeliveredLayout();
    notices.removeAll(QString());
    return notices;
}

} // namespace StartupFiles
