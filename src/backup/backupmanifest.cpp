#include "backupmanifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString FormatKey = QStringLiteral("format");
const QString VersionKey = QStringLiteral("version");
const QString CompanyKey = QStringLiteral("entreprise");
const QString FolderKey = QStringLiteral("dossier");
const QString CreatedKey = QStringLiteral("date");
const QString EntriesKey = QStringLiteral("fichiers");
const QString NameKey = QStringLiteral("nom");
const QString SizeKey = QStringLiteral("taille");
const QString HashKey = QStringLiteral("sha256");

std::optional<BackupManifest::Entry> readEntry(const QJsonValue &value)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    const QJsonObject object = value.toObject();
    const QJsonValue size = object.value(SizeKey);
    BackupManifest::Entry entry;
    entry.name = object.value(NameKey).toString();
    entry.sha256 = object.value(HashKey).toString().toLatin1();
    // Sizes are written as whole numbers; a double holds them exactly up to 2^53.
    if (entry.name.isEmpty() || !size.isDouble() || size.toDouble() < 0
        || size.toDouble() != double(qint64(size.toDouble()))
        || !hex.match(QString::fromLatin1(entry.sha256)).hasMatch())
        return std::nullopt;
    entry.size = qint64(size.toDouble());
    return entry;
}

} // namespace

QByteArray BackupManifest::toJson() const
{
    QJsonArray list;
    for (const Entry &entry : entries)
        list.append(QJsonObject{{NameKey, entry.name},
                                {SizeKey, double(entry.size)},
                                {HashKey, QString::fromLatin1(entry.sha256)}});
    const QJsonObject root{{FormatKey, QString::fromLatin1(Format)},
                           {VersionKey, Version},
                           {CompanyKey, company},
                           {FolderKey, folderName},
                           {CreatedKey, created.toString(Qt::ISODate)},
                           {EntriesKey, list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<BackupManifest> BackupManifest::fromJson(const QByteArray &json, QString *why, bool *foreign)
{
    bool ignored = false;
    bool &notOurs = foreign ? *foreign : ignored;
    notOurs = true;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || root.value(FormatKey).toString() != QLatin1String(Format)) {
        *why = QStringLiteral("sa liste des fichiers n’est pas celle d’une sauvegarde Quorvan");
        return std::nullopt;
    }
    notOurs = false;
    const int version = root.value(VersionKey).toInt(-1);
    if (version != Version) {
        *why = QStringLiteral("elle est d’une version (%1) que ce programme ne sait pas lire")
                   .arg(root.value(VersionKey).toVariant().toString());
        return std::nullopt;
    }
    BackupManifest manifest;
    manifest.company = root.value(CompanyKey).toString();
    manifest.folderName = root.value(FolderKey).toString();
    manifest.created = QDateTime::fromString(root.value(CreatedKey).toString(), Qt::ISODate);
    const QJsonValue list = root.value(EntriesKey);
    if (!list.isArray()) {
        *why = QStringLiteral("sa liste des fichiers est endommagée");
        return std::nullopt;
    }
    QSet<QString> names;
    for (const QJsonValue &value : list.toArray()) {
        const std::optional<Entry> entry = readEntry(value);
        if (!entry || names.contains(entry->name)) {
            *why = QStringLiteral("sa liste des fichiers est endommagée");
            return std::nullopt;
        }
        names.insert(entry->name);
        manifest.entries << *entry;
    }
    return manifest;
}

QHash<QString, BackupManifest::Entry> BackupManifest::byName() const
{
    QHash<QString, Entry> index;
    index.reserve(entries.size());
    for (const Entry &entry : entries)
        index.insert(entry.name, entry);
    return index;
}

qint64 BackupManifest::totalSize() const
{
    qint64 total = 0;
    for (const Entry &entry : entries)
        total += entry.size;
    return total;
}
