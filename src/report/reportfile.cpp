#include "reportfile.h"

#include "regularfile.h"
#include "wholefile.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <cerrno>

namespace ReportFile {

namespace {

// The file name is inserted in one pass with the other values, so a "%1" in
// it stays as typed.
ReportError refusal(ReportError::Number number, const QString &text, const QString &path)
{
    return ReportError::make(number, text.arg(path));
}

ReportError refusal(ReportError::Number number, const QString &text, const QString &path,
                    const QString &detail)
{
    return ReportError::make(number, text.arg(path, detail));
}

std::optional<QByteArray> readBytes(const QString &path, ReportError *error)
{
    const RegularFile::Reading reading = RegularFile::read(path, MaximumSize);
    switch (reading.status) {
    case RegularFile::Status::Read:
        return reading.content;
    case RegularFile::Status::Missing:
        *error = refusal(ReportError::FileMissing, QStringLiteral("Le fichier « %1 » est introuvable."), path);
        break;
    case RegularFile::Status::NotRegular:
        *error = refusal(ReportError::NotAFile,
            QStringLiteral("« %1 » n'est pas un fichier ordinaire (c'est un dossier, un tube ou un "
                           "périphérique) : il n'est pas lu."), path);
        break;
    case RegularFile::Status::TooLarge:
        *error = refusal(ReportError::FileTooLarge,
            QStringLiteral("Le fichier « %1 » fait plus de %2 Mo, quand une fiche de paie ou une mise "
                           "en page en fait moins de 4 : ce n'en est pas une, il n'est pas lu."),
            path, QString::number(reading.size / (1024 * 1024)));
        break;
    case RegularFile::Status::Unreadable:
        *error = refusal(ReportError::FileMissing, QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2."),
                         path, WholeFile::reason(reading.error));
        break;
    }
    return std::nullopt;
}

std::optional<QJsonObject> readJson(const QString &path, ReportError *error)
{
    const std::optional<QByteArray> bytes = readBytes(path, error);
    if (!bytes)
        return std::nullopt;
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(*bytes, &parseError);
    if (bytes->isEmpty()) {
        *error = refusal(ReportError::FileDamaged, QStringLiteral("Le fichier « %1 » est endommagé : il est vide."), path);
        return std::nullopt;
    }
    if (parseError.error != QJsonParseError::NoError || !json.isObject()) {
        *error = refusal(ReportError::FileDamaged,
            QStringLiteral("Le fichier « %1 » est endommagé : son contenu est illisible (erreur à "
                           "l'octet %2)."), path, QString::number(parseError.offset));
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
        *error = refusal(ReportError::UnknownFormat,
            QStringLiteral("Le fichier « %1 » n'est ni une mise en page ni une fiche de paie "
                           "enregistrée."), path);
        return std::nullopt;
    }
    const std::optional<ReportLayout> layout = ReportLayout::fromJson(*json, path, error);
    if (!layout)
        return std::nullopt;
    return ReportDocument::fill(*layout, entries, path, error);
}

std::optional<ReportLayout> openLayout(const QString &path, ReportError *error)
{
    const std::optional<QJsonObject> json = readJson(path, error);
    if (!json)
        return std::nullopt;
    if (json->value(QStringLiteral("format")).toString() != QLatin1String(ReportLayout::Format)) {
        *error = refusal(ReportError::UnknownFormat,
            QStringLiteral("Le fichier « %1 » n'est pas une mise en page."), path);
        return std::nullopt;
    }
    return ReportLayout::fromJson(*json, path, error);
}

ReportError save(const QString &path, const ReportDocument &document, bool replace)
{
    // Without indentation: a saved pay slip is read by programs, and the
    // indentation of its layout alone would make up most of its size.
    const QByteArray content = QJsonDocument(document.toJson()).toJson(QJsonDocument::Compact);
    const QString name = QFileInfo(path).fileName();
    int rc = WholeFile::write(path, content, replace ? WholeFile::Existing::Replace : WholeFile::Existing::Keep);
    if (rc == EEXIST && QFileInfo(path).isFile())
        return refusal(ReportError::OutputExists,
            QStringLiteral("La fiche de paie « %1 » existe déjà : elle est gardée telle quelle."), name);
    if (rc == EEXIST && QFileInfo(path).isDir())
        rc = EISDIR;
    if (rc != 0)
        return refusal(ReportError::OutputFailed,
            QStringLiteral("La fiche de paie « %1 » n'a pas pu être enregistrée : %2."), name,
            WholeFile::reason(rc));
    return ReportError::success();
}

} // namespace ReportFile
