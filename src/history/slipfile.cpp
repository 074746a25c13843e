#include "slipfile.h"

#include "datetext.h"
#include "regularfile.h"
#include "slipsubject.h"
#include "wholefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <thread>
#include <sys/stat.h>

namespace SlipFile {

namespace {

// The saved pay slip's format, as the report engine writes it.
const QString Format = QStringLiteral("quorvan-report");
constexpr int FirstVersion = 1;
constexpr int LastVersion = 2;

std::optional<QHash<QString, QString>> formulaValues(const QJsonObject &json)
{
    const QJsonValue formulas = json.value(QStringLiteral("formulas"));
    if (!formulas.isArray())
        return std::nullopt;
    QHash<QString, QString> values;
    const QJsonArray array = formulas.toArray();
    values.reserve(array.size());
    for (const QJsonValue &entry : array) {
        const QJsonObject formula = entry.toObject();
        const QJsonValue name = formula.value(QStringLiteral("name"));
        const QJsonValue value = formula.value(QStringLiteral("value"));
        if (!name.isString() || !value.isString())
            return std::nullopt;
        values.insert(name.toString(), value.toString());
    }
    return values;
}

QDate isoDate(const QJsonObject &properties, const char *name)
{
    return QDate::fromString(properties.value(QLatin1String(name)).toString(), Qt::ISODate);
}

QDate printedDate(const QString &text)
{
    return DateText::read(text).value_or(QDate());
}

// Who and when: version 2 says it; version 1 is read from what it prints.
void placeSlip(SlipSummary &summary, int version, const QJsonObject &properties, const SlipFigures &figures)
{
    summary.identification = properties.value(QLatin1String(SlipSubject::Identification)).toString();
    if (summary.identification.isEmpty())
        summary.identification = SlipSubject::identificationOf(figures.employee_name, figures.employee_first_name);
    if (version >= 2) {
        summary.periodStart = isoDate(properties, SlipSubject::PeriodStart);
        summary.periodEnd = isoDate(properties, SlipSubject::PeriodEnd);
    } else {
        summary.periodStart = printedDate(figures.period_start_text);
        summary.periodEnd = printedDate(figures.period_end_text);
    }
    // Both dates or none: half a period places the slip nowhere.
    if (!summary.hasPeriod())
        summary.periodStart = summary.periodEnd = QDate();
}

qint64 modifiedTime(const struct stat &status)
{
    return qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
}

bool isSlipName(const char *name)
{
    const size_t length = std::strlen(name);
    return name[0] != '.' && length > 4 && strcasecmp(name + length - 4, ".rpt") == 0;
}

} // namespace

QList<Reading> readAll(const QDir &directory, const QStringList &fileNames)
{
    QList<Reading> readings(fileNames.size());
    const auto readRange = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            readings[i] = read(directory, fileNames.at(i));
    };
    constexpr qsizetype Shared = 64;
    if (fileNames.size() < Shared) {
        readRange(0, fileNames.size());
        return readings;
    }
    const qsizetype half = fileNames.size() / 2;
    std::thread other(readRange, half, fileNames.size());
    readRange(0, half);
    other.join();
    return readings;
}

QList<Entry> folder(const QDir &directory)
{
    QList<Entry> entries;
    DIR *listing = ::opendir(QFile::encodeName(directory.absolutePath()).constData());
    if (!listing)
        return entries;
    const int descriptor = ::dirfd(listing);
    while (const dirent *entry = ::readdir(listing)) {
        struct stat status;
        if (!isSlipName(entry->d_name) || ::fstatat(descriptor, entry->d_name, &status, 0) != 0
            || !S_ISREG(status.st_mode))
            continue;
        entries.append({QFile::decodeName(entry->d_name), qint64(status.st_size), modifiedTime(status)});
    }
    ::closedir(listing);
    return entries;
}

QByteArray checksum(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Blake2b_256).toHex();
}

Reading fromBytes(const QString &fileName, const QByteArray &content, qint64 modified)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(content, &parseError);
    if (content.isEmpty())
        return QStringLiteral("le fichier est vide");
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("le fichier est endommagé (contenu illisible)");
    const QJsonObject json = document.object();
    if (json.value(QStringLiteral("format")).toString() != Format)
        return QStringLiteral("ce n'est pas une fiche de paie enregistrée");
    const QJsonValue versionValue = json.value(QStringLiteral("version"));
    const int version = versionValue.toInt(-1);
    if (!versionValue.isDouble() || version < FirstVersion || version > LastVersion)
        return QStringLiteral("la fiche de paie est d'une version que ce programme ne sait pas lire");
    const std::optional<QHash<QString, QString>> values = formulaValues(json);
    if (!values || !json.value(QStringLiteral("layout")).isObject())
        return QStringLiteral("la fiche de paie est endommagée (mise en page ou formules absentes)");
    const QJsonValue properties = json.value(QStringLiteral("properties"));
    if (version >= 2 && !properties.isObject())
        return QStringLiteral("la fiche de paie est endommagée (propriétés absentes)");

    SavedSlip slip;
    slip.figures = SlipFigures::fromFormulas(*values);
    slip.summary.fileName = fileName;
    placeSlip(slip.summary, version, properties.toObject(), slip.figures);
    if (slip.figures.employee_name.isEmpty() && slip.figures.employee_first_name.isEmpty()
        && properties.toObject().value(QLatin1String(SlipSubject::Identification)).toString().isEmpty())
        return QStringLiteral("la fiche de paie ne nomme aucun salarié");
    slip.summary.leave_balance = slip.figures.leave_balance;
    slip.summary.cumulative_taxable = slip.figures.cumulative_taxable;
    slip.summary.cumulative_gross = slip.figures.cumulative_gross;
    slip.checksum = checksum(content);
    slip.size = content.size();
    slip.modified = modified;
    slip.formatVersion = version;
    return slip;
}

Reading read(const QDir &directory, const QString &fileName)
{
    const QString path = directory.filePath(fileName);
    // Taken before the content: a change made while reading shows at the
    // next comparison instead of passing unseen.
    struct stat status;
    const qint64 modified = ::stat(QFile::encodeName(path).constData(), &status) == 0 ? modifiedTime(status) : 0;
    const RegularFile::Reading reading = RegularFile::read(path, MaximumSize);
    switch (reading.status) {
    case RegularFile::Status::Read:
        break;
    case RegularFile::Status::Missing:
        return QStringLiteral("le fichier n'existe plus");
    case RegularFile::Status::NotRegular:
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    case RegularFile::Status::TooLarge:
        return QStringLiteral("le fichier est bien trop grand pour une fiche de paie");
    case RegularFile::Status::Unreadable:
        return QStringLiteral("le fichier ne peut pas être lu : %1").arg(WholeFile::reason(reading.error));
    }
    return fromBytes(fileName, reading.content, modified);
}

} // namespace SlipFile
