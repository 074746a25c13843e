#include "payrundraft.h"

#include "payrun.h"
#include "payrunfigures.h"
#include "regularfile.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace PayRunDraft {

namespace {

constexpr qint64 MaximumSize = 64 * 1024 * 1024;

const QString FormatKey = QStringLiteral("format");
const QString VersionKey = QStringLiteral("version");
const QString FirstKey = QStringLiteral("period_start");
const QString LastKey = QStringLiteral("period_end");
const QString EmployeesKey = QStringLiteral("employees");
const QString EmployeeKey = QStringLiteral("employee");
const QString FiguresKey = QStringLiteral("figures");

QJsonObject typedFigures(const PayRunRow &row)
{
    QJsonObject figures;
    for (int figure = 0; figure < PayRunFigures::Count; ++figure) {
        const bool typed = PayRunFigures::isCarried(figure) ? row.isEdited(figure) : !row.figures[figure].isEmpty();
        if (typed)
            figures.insert(PayRunFigures::name(figure), row.figures[figure]);
    }
    return figures;
}

QByteArray content(const PayRun &run, bool *empty)
{
    QJsonArray employees;
    for (int index = 0; index < run.size(); ++index) {
        const PayRunRow &row = run.row(index);
        // A slip saved from the figures is the record of them now.
        if (row.savedCurrent)
            continue;
        const QJsonObject figures = typedFigures(row);
        if (!figures.isEmpty())
            employees.append(QJsonObject{{EmployeeKey, row.identification}, {FiguresKey, figures}});
    }
    *empty = employees.isEmpty();
    const QJsonObject draft{{FormatKey, QLatin1String(Format)},
                            {VersionKey, Version},
                            {FirstKey, run.period().first().toString(Qt::ISODate)},
                            {LastKey, run.period().last().toString(Qt::ISODate)},
                            {EmployeesKey, employees}};
    return QJsonDocument(draft).toJson(QJsonDocument::Compact);
}

// The draft's object, or why it cannot be one.
std::variant<QJsonObject, QString> readDraft(const QString &path, const PayRunPeriod &period)
{
    const RegularFile::Reading reading = RegularFile::read(path, MaximumSize);
    if (reading.status != RegularFile::Status::Read)
        return QStringLiteral("il ne peut pas être lu");
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(reading.content, &parseError);
    if (parseError.error != QJsonParseError::NoError || !json.isObject())
        return QStringLiteral("son contenu est illisible");
    const QJsonObject draft = json.object();
    if (draft.value(FormatKey).toString() != QLatin1String(Format))
        return QStringLiteral("ce n’est pas un brouillon de la paie du mois");
    if (draft.value(VersionKey).toInt() != Version)
        return QStringLiteral("sa version (%1) n’est pas connue de ce programme")
            .arg(draft.value(VersionKey).toVariant().toString());
    if (draft.value(FirstKey).toString() != period.first().toString(Qt::ISODate)
        || draft.value(LastKey).toString() != period.last().toString(Qt::ISODate))
        return QStringLiteral("il est celui d’une autre période");
    if (!draft.value(EmployeesKey).isArray())
        return QStringLiteral("la liste des salariés y manque");
    return draft;
}

QString setAside(const QString &path, const QString &why)
{
    int error = 0;
    const QString name = QFileInfo(path).fileName();
    const QString kept = WholeFile::setAside(path, &error);
    if (kept.isEmpty())
        return QStringLiteral("Le brouillon « %1 » n’a pas été repris : %2. Il n’a pas pu être mis de côté "
                              "(%3) et sera remplacé à la prochaine saisie.")
            .arg(name, why, WholeFile::reason(error));
    return QStringLiteral("Le brouillon « %1 » n’a pas été repris : %2. Il est gardé sous le nom « %3 » ; "
                          "la grille repart des chiffres de la dernière fiche.").arg(name, why, kept);
}

} // namespace

QString fileName(const PayRunPeriod &period)
{
    return QStringLiteral("paie-du-mois %1.brouillon.json").arg(period.key());
}

QString save(const QString &directory, const PayRun &run)
{
    const QString path = QDir(directory).filePath(fileName(run.period()));
    bool empty = false;
    const QByteArray bytes = content(run, &empty);
    if (empty) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return QStringLiteral("Le brouillon « %1 » n’a pas pu être effacé.").arg(fileName(run.period()));
        return QString();
    }
    if (const int rc = WholeFile::write(path, bytes); rc != 0)
        return QStringLiteral("Les chiffres saisis n’ont pas pu être gardés dans le brouillon « %1 » : %2. "
                              "Ils restent à l’écran ; ne fermez pas la fenêtre avant d’avoir enregistré "
                              "les fiches.").arg(fileName(run.period()), WholeFile::reason(rc));
    return QString();
}

QString restore(const QString &directory, PayRun &run)
{
    const QString path = QDir(directory).filePath(fileName(run.period()));
    if (!QFileInfo::exists(path))
        return QString();
    auto read = readDraft(path, run.period());
    if (const QString *why = std::get_if<QString>(&read))
        return setAside(path, *why);
    QStringList gone;
    for (const QJsonValue &value : std::get<QJsonObject>(read).value(EmployeesKey).toArray()) {
        const QJsonObject employee = value.toObject();
        const QString identification = employee.value(EmployeeKey).toString();
        const std::optional<int> row = run.findEmployee(identification);
        if (!row) {
            gone << identification;
            continue;
        }
        const QJsonObject figures = employee.value(FiguresKey).toObject();
        for (auto it = figures.begin(); it != figures.end(); ++it) {
            if (const std::optional<int> figure = PayRunFigures::byName(it.key()))
                run.setFigure(*row, *figure, it.value().toString());
        }
    }
    if (gone.isEmpty())
        return QString();
    return QStringLiteral("Le brouillon de la période tenait des chiffres pour des salariés qui ne sont plus "
                          "dans le fichier : %1. Ils ne sont pas repris.").arg(gone.join(QStringLiteral(", ")));
}

bool remove(const QString &directory, const PayRunPeriod &period)
{
    const QString path = QDir(directory).filePath(fileName(period));
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace PayRunDraft
