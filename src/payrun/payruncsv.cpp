#include "payruncsv.h"

#include "numbertext.h"
#include "payrun.h"
#include "payrunfigures.h"
#include "regularfile.h"
#include "wholefile.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace PayRunCsv {

namespace {

// A staff of thousands takes some hundred kilobytes.
constexpr qint64 MaximumSize = 16 * 1024 * 1024;
constexpr int ReportedRefusals = 25;

const QString EmployeeColumn = QStringLiteral("employee");

// The records of the text: cells between semicolons, a cell in double
// quotes may hold semicolons, line breaks and doubled quotes. Each record
// keeps the number of the line it starts on.
struct Record
{
    int line = 0;
    QStringList cells;
};

QList<Record> records(const QString &text)
{
    QList<Record> result;
    Record record{1, {}};
    QString cell;
    bool quoted = false;
    int line = 1;
    const auto endRecord = [&] {
        record.cells.append(cell);
        cell.clear();
        result.append(record);
        record = Record{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                cell += c;
            }
        } else if (c == u'"' && cell.trimmed().isEmpty()) {
            cell.clear();
            quoted = true;
        } else if (c == u';') {
            record.cells.append(cell);
            cell.clear();
        } else if (c == u'\n') {
            ++line;
            endRecord();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !record.cells.isEmpty())
        endRecord();
    return result;
}

bool isBlank(const Record &record)
{
    for (const QString &cell : record.cells) {
        if (!cell.trimmed().isEmpty())
            return false;
    }
    return true;
}

QString columnList()
{
    QStringList names{EmployeeColumn};
    for (int figure = PayRunFigures::CarriedCount; figure < PayRunFigures::Count; ++figure)
        names << PayRunFigures::name(figure);
    QStringList carried;
    for (int figure = 0; figure < PayRunFigures::CarriedCount; ++figure)
        carried << PayRunFigures::name(figure);
    return names.join(QStringLiteral(", ")) + QStringLiteral(" et, au choix, ")
           + carried.join(QStringLiteral(", "));
}

// The header: the figure of each column (-1 for the employee), or refusals.
QList<int> readHeader(const Record &header, QStringList *refusals)
{
    QList<int> columns;
    QSet<QString> seen;
    if (header.cells.size() == 1 && header.cells.constFirst().contains(u',')) {
        refusals->append(QStringLiteral("Ligne %1 : les colonnes sont séparées par des virgules ; elles "
                                        "doivent l’être par des points-virgules (;).").arg(header.line));
        return columns;
    }
    for (qsizetype i = 0; i < header.cells.size(); ++i) {
        const QString name = header.cells.at(i).trimmed();
        const int number = int(i) + 1;
        if (name.isEmpty()) {
            refusals->append(QStringLiteral("Ligne %1 : la colonne %2 n’a pas de nom.").arg(header.line).arg(number));
            columns.append(-2);
            continue;
        }
        if (seen.contains(name))
            refusals->append(QStringLiteral("Ligne %1 : la colonne « %2 » est nommée deux fois.")
                                 .arg(QString::number(header.line), name));
        seen.insert(name);
        if (name == EmployeeColumn) {
            columns.append(-1);
        } else if (const std::optional<int> figure = PayRunFigures::byName(name)) {
            columns.append(*figure);
        } else {
            refusals->append(QStringLiteral("Ligne %1 : la colonne « %2 » est inconnue. Les colonnes "
                                            "sont : %3.").arg(QString::number(header.line), name, columnList()));
            columns.append(-2);
        }
    }
    if (!seen.contains(EmployeeColumn))
        refusals->append(QStringLiteral("Ligne %1 : aucune colonne « employee » ne désigne les salariés "
                                        "(« NOM , PRENOM »).").arg(header.line));
    return columns;
}

std::optional<Line> readLine(const Record &record, const QList<int> &columns, const PayRun &run,
                             QHash<int, int> *lineOfRow, QStringList *refusals)
{
    if (record.cells.size() != columns.size()) {
        refusals->append(QStringLiteral("Ligne %1 : %2 cellules au lieu des %3 de la ligne d’en-tête.")
                             .arg(record.line).arg(record.cells.size()).arg(columns.size()));
        return std::nullopt;
    }
    Line line;
    bool refused = false;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString text = record.cells.at(i).trimmed();
        if (columns.at(i) == -1) {
            if (text.isEmpty()) {
                refusals->append(QStringLiteral("Ligne %1 : aucun salarié n’est indiqué.").arg(record.line));
                refused = true;
            } else if (const std::optional<int> row = run.findEmployee(text)) {
                line.row = *row;
            } else {
                refusals->append(QStringLiteral("Ligne %1 : salarié inconnu « %2 ».")
                                     .arg(QString::number(record.line), text));
                refused = true;
            }
        } else if (!text.isEmpty() && (!PayRunFigures::isFieldText(text) || !NumberText::isNumber(text))) {
            refusals->append(QStringLiteral("Ligne %1, colonne %2 : « %3 » n’est pas un nombre (des chiffres "
                                            "et au plus une virgule décimale).")
                                 .arg(QString::number(record.line), PayRunFigures::name(columns.at(i)), text));
            refused = true;
        } else {
            line.figures.append({columns.at(i), text});
        }
    }
    if (line.row >= 0) {
        if (const auto earlier = lineOfRow->constFind(line.row); earlier != lineOfRow->cend()) {
            refusals->append(QStringLiteral("Ligne %1 : %2 figure déjà à la ligne %3.")
                                 .arg(QString::number(record.line), run.row(line.row).identification,
                                      QString::number(earlier.value())));
            refused = true;
        } else {
            lineOfRow->insert(line.row, record.line);
        }
    }
    if (refused)
        return std::nullopt;
    return line;
}

} // namespace

std::variant<QByteArray, QString> readFile(const QString &path)
{
    const RegularFile::Reading reading = RegularFile::read(path, MaximumSize);
    const QString name = QFileInfo(path).fileName();
    switch (reading.status) {
    case RegularFile::Status::Read:
        return reading.content;
    case RegularFile::Status::Missing:
        return QStringLiteral("Le fichier « %1 » est introuvable.").arg(name);
    case RegularFile::Status::NotRegular:
        return QStringLiteral("« %1 » n’est pas un fichier ordinaire : il n’est pas lu.").arg(name);
    case RegularFile::Status::TooLarge:
        return QStringLiteral("Le fichier « %1 » est bien trop grand pour être les chiffres d’un mois : "
                              "il n’est pas lu.").arg(name);
    case RegularFile::Status::Unreadable:
        break;
    }
    return QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2.").arg(name, WholeFile::reason(reading.error));
}

std::variant<Import, QStringList> read(const QByteArray &content, const PayRun &run)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(content);
    if (decoder.hasError())
        return QStringList{QStringLiteral("Le fichier n’est pas écrit en UTF-8 : enregistrez-le en "
                                          "« CSV UTF-8 » depuis le tableur.")};
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    QList<Record> lines = records(text);
    while (!lines.isEmpty() && isBlank(lines.constFirst()))
        lines.removeFirst();
    if (lines.isEmpty())
        return QStringList{QStringLiteral("Le fichier est vide : sa première ligne doit nommer les colonnes "
                                          "(%1).").arg(columnList())};
    QStringList refusals;
    const QList<int> columns = readHeader(lines.constFirst(), &refusals);
    if (!refusals.isEmpty())
        return refusals;

    Import import;
    QHash<int, int> lineOfRow;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (isBlank(lines.at(i)))
            continue;
        if (const std::optional<Line> line = readLine(lines.at(i), columns, run, &lineOfRow, &refusals))
            import.append(*line);
    }
    if (!refusals.isEmpty())
        return refusals;
    return import;
}

void apply(const Import &import, PayRun &run)
{
    for (const Line &line : import) {
        for (const auto &[figure, text] : line.figures)
            run.setFigure(line.row, figure, text);
    }
}

QString refusalReport(const QString &fileName, const QStringList &refusals)
{
    QString report = QStringLiteral("Le fichier « %1 » n’a pas été importé : rien n’a été changé.\n")
                         .arg(fileName);
    for (qsizetype i = 0; i < refusals.size() && i < ReportedRefusals; ++i)
        report += u'\n' + refusals.at(i);
    if (refusals.size() > ReportedRefusals)
        report += QStringLiteral("\n… et %1 autres problèmes.").arg(refusals.size() - ReportedRefusals);
    return report;
}

QString header()
{
    QStringList names{EmployeeColumn};
    for (int figure = PayRunFigures::CarriedCount; figure < PayRunFigures::Count; ++figure)
        names << PayRunFigures::name(figure);
    for (int figure = 0; figure < PayRunFigures::CarriedCount; ++figure)
        names << PayRunFigures::name(figure);
    return names.join(u';');
}

} // namespace PayRunCsv
