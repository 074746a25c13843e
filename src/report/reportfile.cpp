#include "reportfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

namespace ReportFile {

namespace {

std::optional<QJsonObject> readJson(const QString &path, ReportError *error)
{
    QFile file(path);
    if (!file.exists()) {
        *error = ReportError::make(ReportError::FileMissing,
            QStringLiteral("Le fichier « %1 » est introuvable.").arg(path));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = ReportError::make(ReportError::FileMissing,
            QStringLiteral("Le fichier « %1 » ne peut pas être lu.").arg(path));
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !json.isObject()) {
        *error = ReportError::make(ReportError::FileDamaged,
            QStringLiteral("Le fichier « %1 » est endommagé : son contenu est illisible (erreur à "
                           "l'octet %2).").arg(path, QString::number(parseError.offset)));
        return std::nullopt;
    }
    return json.object();
}

} // namespace

std::optional<ReportDocument> open(const QString &path, const QMap<qint16, QString> &entries,
                                   ReportError *error)
{
    const std::optional<QJsonObject> json = readJson(path, error);
    if (!json)
        return std::nullopt;
    const QString format = json->value(QStringLiteral("format")).toString();
    if (format == QLatin1String(ReportDocument::Format))
        return ReportDocument::fromJson(*json, path, error);
    if (format != QLatin1String(ReportLayout::Format)) {
        *error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("Le fichier « %1 » n'est ni une mise en page ni une fiche de paie "
                           "enregistrée.").arg(path));
        return std::nullopt;
    }
    const std::optional<ReportLayout> layout = ReportLayout::fromJson(*json, path, error);
    if (!layout)
        return std::nullopt;
    return ReportDocument::fill(*layout, entries, path, error);
}

ReportError save(const QString &path, const ReportDocument &document)
{
    QSaveFile file(path);
    const QByteArray content = QJsonDocument(document.toJson()).toJson(QJsonDocument::Indented);
    // A pay slip is personal: readable by its owner only, like the databases.
    const bool written = file.open(QIODevice::WriteOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        && file.write(content) == content.size() && file.commit();
    if (!written)
        return ReportError::make(ReportError::OutputFailed,
            QStringLiteral("La fiche de paie « %1 » n'a pas pu être enregistrée : le dossier est "
                           "protégé en écriture, le nom est refusé ou le disque est plein.")
                .arg(QFileInfo(path).fileName()));
    return ReportError::success();
}

} // namespace ReportFile
