#include "companyfolders.h"

#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace CompanyFolders {

namespace {

const QString RecentKey = QStringLiteral("dossiers/recents");
const QString LastKey = QStringLiteral("dossiers/dernier");

QSettings settings()
{
    return QSettings(QStringLiteral("Quorvan"), QStringLiteral("Quorvan"));
}

// Tried rather than read from the permissions: a read-only mount or an
// access list says no only when a file is made.
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quorvan-essai-XXXXXX")));
    return probe.open();
}

QString quoted(const QString &folder)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(folder));
}

} // namespace

Kind examine(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return Kind::Empty;
    const QDir dir(folder);
    const bool company = QFileInfo(dir.filePath(QLatin1String(Schema::MainFileName))).isFile()
                         || QFileInfo(dir.filePath(QLatin1String(Schema::EmployerFileName))).isFile();
    if (!info.isDir() || !canWriteIn(folder))
        return Kind::Unwritable;
    if (company)
        return Kind::Company;
    if (dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty())
        return Kind::Empty;
    return Kind::Other;
}

QString whyNotOpenable(const QString &folder)
{
    switch (examine(folder)) {
    case Kind::Company:
    case Kind::Empty:
        return QString();
    case Kind::Other:
        return QStringLiteral("Le dossier %1 n’est pas un dossier de société Quorvan : il ne contient ni Bdrk.rkv "
                              "ni sterk.rkv, et il n’est pas vide. Choisissez le dossier d’une société, ou un "
                              "dossier vide pour une nouvelle société.")
            .arg(quoted(folder));
    case Kind::Unwritable:
        break;
    }
    return QStringLiteral("Le dossier %1 ne peut pas être écrit : Quorvan ne pourrait pas y enregistrer la paie.")
        .arg(quoted(folder));
}

QString whyNotCreatable(const QString &folder)
{
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return QStringLiteral("Le dossier %1 n’a pas pu être créé.").arg(quoted(folder));
        return QString();
    }
    switch (examine(folder)) {
    case Kind::Empty:
        return QString();
    case Kind::Company:
        return QStringLiteral("Le dossier %1 contient déjà une société : ouvrez-le par « Ouvrir un dossier de "
                              "société… », ou choisissez un dossier vide.")
            .arg(quoted(folder));
    case Kind::Other:
        return QStringLiteral("Le dossier %1 n’est pas vide : une nouvelle société se crée dans un dossier vide.")
            .arg(quoted(folder));
    case Kind::Unwritable:
        break;
    }
    return whyNotOpenable(folder);
}

QString normalised(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QStringList recent()
{
    return settings().value(RecentKey).toStringList();
}

void remember(const QString &folder)
{
    const QString path = normalised(folder);
    QStringList list = recent();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > RecentCapacity)
        list.removeLast();
    QSettings store = settings();
    store.setValue(RecentKey, list);
    store.setValue(LastKey, path);
}

void forget(const QString &folder)
{
    const QString path = normalised(folder);
    QStringList list = recent();
    list.removeAll(path);
    QSettings store = settings();
    store.setValue(RecentKey, list);
    if (store.value(LastKey).toString() == path)
        store.remove(LastKey);
}

QString last()
{
    return settings().value(LastKey).toString();
}

} // namespace CompanyFolders
