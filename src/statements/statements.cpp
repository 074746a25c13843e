#include "statements.h"

#include "contributionlines.h"
#include "statementamount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <functional>

namespace Statements {

namespace {

using Cell = StatementDocument::Cell;
using Column = StatementDocument::Column;
using Row = StatementDocument::Row;
using RowKind = StatementDocument::RowKind;

constexpr int LastLine = ContributionLines::Count - 1;

Cell text(const QString &value)
{
    return {value, std::nullopt};
}

Cell amount(qint64 centimes)
{
    return {StatementAmount::format(centimes), centimes};
}

// Hours to the hundredth: shown like an amount, never converted.
Cell hours(qint64 hundredths)
{
    return {StatementAmount::format(hundredths), hundredths};
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString monthText(const QDate &date)
{
    return StatementPeriod::month(date.month(), date.year()).text();
}

Column textColumn(const char *header, const char *key)
{
    return {QString::fromUtf8(header), QString::fromLatin1(key), false, false};
}

Column amountColumn(const QString &header, const QString &key)
{
    return {header, key, true, false};
}

Column amountColumn(const char *header, const char *key)
{
    return amountColumn(QString::fromUtf8(header), QString::fromLatin1(key));
}

const QString ChangedRemark = QStringLiteral("fiche modifiée hors du programme : non comptée");

bool anyChanged(const StatementSource &source)
{
    return std::any_of(source.slips.cbegin(), source.slips.cend(), [](const StatementSlip &s) { return s.changed; });
}

// The document's head and the notes every document carries: where its
// francs come from, the slips changed outside the program, what opening the
// history had to say.
StatementDocument begin(Kind kind, const StatementSource &source)
{
    StatementDocument document;
    document.title = kindTitle(kind);
    document.periodText = source.period.text();
    document.euroRate = source.euroRate;
    document.notes << QStringLiteral("Les montants en francs sont les sommes des montants imprimés sur les fiches de paie.");
    QStringList changed;
    for (const StatementSlip &slip : source.slips) {
        if (slip.changed)
            changed << slip.fileName;
    }
    if (!changed.isEmpty())
        document.notes << QStringLiteral("Fiches modifiées hors du programme depuis leur enregistrement, montrées "
                                         "mais non comptées : %1. Ouvrez-les dans la liste des fiches de paie "
                                         "pour les vérifier et enregistrez-les de nouveau.")
                              .arg(changed.join(QStringLiteral(", ")));
    document.notes << source.notices;
    if (source.slips.isEmpty())
        document.notes << QStringLiteral("Aucune fiche de paie enregistrée pour %1.").arg(source.period.text());
    return document;
}

// The row of euros under the totals: each franc total converted once.
void addEuroRow(StatementDocument &document, const Row &totals, qint64 mainTotal)
{
    const std::optional<qint64> mainEuros = StatementAmount::toEuro(mainTotal, document.euroRate);
    if (!mainEuros) {
        document.notes << QStringLiteral("Le taux de l’euro du dossier (« %1 ») n’est pas un nombre : "
                                         "aucun total en euros n’est donné.")
                              .arg(document.euroRate);
        return;
    }
    document.totalFrancs = mainTotal;
    document.totalEuros = mainEuros;
    Row euros{RowKind::Total, {}, false, QString()};
    for (int column = 0; column < document.columns.size(); ++column) {
        const Cell &franc = totals.cells.value(column);
        if (document.columns[column].amount && franc.centimes)
            euros.cells << amount(*StatementAmount::toEuro(*franc.centimes, document.euroRate));
        else
            euros.cells << text(QString());
    }
    euros.cells[0] = text(QStringLiteral("Total en euros"));
    document.rows << euros;
    document.notes << QStringLiteral("Les totaux en euros sont les totaux en francs convertis une fois au taux "
                                     "de %1 F pour 1 €.")
                          .arg(document.euroRate);
}

// ---- Payroll journal ------------------------------------------------------

struct JournalFigure
{
    const char *header;
    const char *key;
    qint64 StatementSlip::*member;
};

const std::array<JournalFigure, 6> JournalFigures = {{
    {"Salaire brut", "gross_pay", &StatementSlip::gross_pay},
    {"Retenues salariales", "employee_total", &StatementSlip::employee_total},
    {"Charges patronales", "employer_total", &StatementSlip::employer_total},
    {"Net imposable", "taxable_net", &StatementSlip::taxable_net},
    {"Acompte", "advance", &StatementSlip::advance},
    {"Net à payer", "net_to_pay", &StatementSlip::net_to_pay},
}};

using Sums = std::array<qint64, JournalFigures.size()>;

Row journalSums(RowKind kind, const QString &label, const Sums &sums, bool remark)
{
    Row row{kind, {text(label), text(QString()), text(QString())}, false, QString()};
    for (qint64 sum : sums)
        row.cells << amount(sum);
    if (remark)
        row.cells << text(QString());
    return row;
}

} // namespace

StatementDocument payrollJournal(const StatementSource &source)
{
    StatementDocument document = begin(Kind::Journal, source);
    const bool remark = anyChanged(source);
    document.columns = {textColumn("Salarié", "identification"), textColumn("Début", "period_start"),
                        textColumn("Fin", "period_end")};
    for (const JournalFigure &figure : JournalFigures)
        document.columns << amountColumn(figure.header, figure.key);
    if (remark)
        document.columns << textColumn("Remarque", "remark");

    const bool monthly = source.period.coversSeveralMonths();
    Sums total{};
    Sums month{};
    QDate monthOf;
    const auto closeMonth = [&] {
        if (monthly && monthOf.isValid())
            document.rows << journalSums(RowKind::SubTotal, QStringLiteral("Total %1").arg(monthText(monthOf)),
                                         month, remark);
        month = {};
    };
    for (const StatementSlip &slip : source.slips) {
        const QDate slipMonth(slip.periodEnd.year(), slip.periodEnd.month(), 1);
        if (slipMonth != monthOf) {
            closeMonth();
            monthOf = slipMonth;
        }
        Row row{slip.changed ? RowKind::Excluded : RowKind::Detail,
                {text(slip.identification), text(dateText(slip.periodStart)), text(dateText(slip.periodEnd))},
                slip.changed,
                slip.fileName};
        for (std::size_t i = 0; i < JournalFigures.size(); ++i) {
            const qint64 value = slip.*JournalFigures[i].member;
            row.cells << amount(value);
            if (!slip.changed) {
                total[i] += value;
                month[i] += value;
            }
        }
        if (remark)
            row.cells << text(slip.changed ? ChangedRemark : QString());
        document.rows << row;
    }
    closeMonth();
    const Row totals = journalSums(RowKind::Total, QStringLiteral("Total"), total, remark);
    document.rows << totals;
    addEuroRow(document, totals, total.back());
    return document;
}

// ---- Contributions statement ----------------------------------------------

namespace {

struct LineSums
{
    int line = 0;
    QString name;
    QString body;
    qint64 base = 0;
    qint64 employee = 0;
    qint64 employer = 0;
    bool used = false;
};

// One entry per line, and one per name the slips give the last line.
QList<LineSums> lineSums(const StatementSource &source, const BodyAssignment &bodies)
{
    QList<LineSums> lines(LastLine);
    for (int line = 0; line < LastLine; ++line)
        lines[line].line = line;
    QMap<QString, LineSums> lastLines; // by folded name, in name order
    for (const StatementSlip &slip : source.slips) {
        if (slip.changed)
            continue;
        for (int line = 0; line < ContributionLines::Count; ++line) {
            const StatementSlip::Line &printed = slip.lines[line];
            if (printed.label.isEmpty() && printed.base == 0 && printed.employee == 0 && printed.employer == 0)
                continue;
            LineSums *sums = nullptr;
            if (line == LastLine) {
                sums = &lastLines[printed.label.toCaseFolded()];
                sums->line = line;
            } else {
                sums = &lines[line];
            }
            if (sums->name.isEmpty())
                sums->name = printed.label;
            sums->base += printed.base;
            sums->employee += printed.employee;
            sums->employer += printed.employer;
            sums->used = true;
        }
    }
    lines.append(lastLines.values());
    for (LineSums &sums : lines) {
        if (sums.name.isEmpty())
            sums.name = sums.line == LastLine ? QStringLiteral("Ligne %1").arg(sums.line + 1)
                                              : ContributionLines::rowLabel(sums.line);
        sums.body = bodies.bodyOf(sums.line, sums.name);
    }
    return lines;
}

Row contributionRow(RowKind kind, const QString &line, const QString &name, const QString &body, qint64 base,
                    qint64 employee, qint64 employer)
{
    return {kind,
            {text(line), text(name), text(body), amount(base), amount(employee), amount(employer),
             amount(employee + employer)},
            false,
            QString()};
}

} // namespace

StatementDocument contributionsStatement(const StatementSource &source, const BodyAssignment &bodies)
{
    StatementDocument document = begin(Kind::Contributions, source);
    document.columns = {textColumn("Ligne", "line"),          textColumn("Cotisation", "name"),
                        textColumn("Organisme", "body"),      amountColumn("Base", "base"),
                        amountColumn("Part salariale", "employee"), amountColumn("Part patronale", "employer"),
                        amountColumn("Total", "total")};
    const QList<LineSums> lines = lineSums(source, bodies);
    qint64 base = 0, employee = 0, employer = 0;
    QStringList order = BodyAssignment::bodies();
    order << QString(); // the lines left unassigned come last
    for (const QString &body : std::as_const(order)) {
        qint64 bodyBase = 0, bodyEmployee = 0, bodyEmployer = 0;
        bool any = false;
        for (const LineSums &sums : lines) {
            if (!sums.used || sums.body != body)
                continue;
            any = true;
            document.rows << contributionRow(RowKind::Detail, QString::number(sums.line + 1), sums.name,
                                             BodyAssignment::bodyName(body), sums.base, sums.employee,
                                             sums.employer);
            bodyBase += sums.base;
            bodyEmployee += sums.employee;
            bodyEmployer += sums.employer;
        }
        if (!any)
            continue;
        document.rows << contributionRow(RowKind::SubTotal, QString(),
                                         QStringLiteral("Total %1").arg(BodyAssignment::bodyName(body)),
                                         BodyAssignment::bodyName(body), bodyBase, bodyEmployee, bodyEmployer);
        base += bodyBase;
        employee += bodyEmployee;
        employer += bodyEmployer;
    }
    const Row totals =
        contributionRow(RowKind::Total, QString(), QStringLiteral("Total général"), QString(), base, employee, employer);
    document.rows << totals;
    document.rows.last().cells[0] = text(QStringLiteral("Total"));
    addEuroRow(document, document.rows.last(), employee + employer);
    document.notes << QStringLiteral("La base d’une ligne est la somme des bases imprimées sur les fiches ; "
                                     "la base totale additionne celles de toutes les lignes.");
    return document;
}

// ---- Accounting entries ---------------------------------------------------

namespace {

struct EntrySums
{
    qint64 gross = 0;
    qint64 net = 0;
    qint64 advance = 0;
    qint64 employeeMutual = 0;
    qint64 employerMutual = 0;
    QMap<int, qint64> employerByBody; // index in the body order
    QMap<int, qint64> paidByBody;     // employee and employer shares
    QStringList unbalanced;
};

int bodyIndex(const QString &body)
{
    const int index = int(BodyAssignment::bodies().indexOf(body));
    return index < 0 ? int(BodyAssignment::bodies().size()) : index;
}

QString bodyAt(int index)
{
    return BodyAssignment::bodies().value(index);
}

EntrySums entrySums(const StatementSource &source, const BodyAssignment &bodies)
{
    EntrySums sums;
    for (const StatementSlip &slip : source.slips) {
        if (slip.changed)
            continue;
        sums.gross += slip.gross_pay;
        sums.net += slip.net_to_pay;
        sums.advance += slip.advance;
        sums.employeeMutual += slip.employee_mutual_share;
        sums.employerMutual += slip.employer_mutual_share;
        qint64 employeeShares = 0;
        for (int line = 0; line < ContributionLines::Count; ++line) {
            const StatementSlip::Line &printed = slip.lines[line];
            const int body = bodyIndex(bodies.bodyOf(line, printed.label));
            sums.employerByBody[body] += printed.employer;
            sums.paidByBody[body] += printed.employee + printed.employer;
            employeeShares += printed.employee;
        }
        const qint64 gap = slip.gross_pay - slip.net_to_pay - slip.advance - slip.employee_mutual_share - employeeShares;
        if (gap != 0)
            sums.unbalanced << QStringLiteral("%1 (%2 F)").arg(slip.fileName, StatementAmount::format(gap));
    }
    return sums;
}

QString bodyLabel(const QString &body)
{
    return body.isEmpty() ? QStringLiteral("organismes non affectés") : BodyAssignment::bodyName(body);
}

} // namespace

StatementDocument accountingEntries(const StatementSource &source, const BodyAssignment &bodies)
{
    StatementDocument document = begin(Kind::Entries, source);
    document.columns = {textColumn("Date", "date"), textColumn("Compte", "account"), textColumn("Libellé", "label"),
                        amountColumn("Débit", "debit"), amountColumn("Crédit", "credit")};
    const QString date = dateText(source.period.last);
    const QString month = source.period.text();
    qint64 debit = 0;
    qint64 credit = 0;
    const auto entry = [&](const QString &account, const QString &label, qint64 debitAmount, qint64 creditAmount) {
        if (debitAmount == 0 && creditAmount == 0)
            return;
        document.rows << Row{RowKind::Detail,
                             {text(date), text(account), text(QStringLiteral("%1, paie %2").arg(label, month)),
                              debitAmount ? amount(debitAmount) : text(QString()),
                              creditAmount ? amount(creditAmount) : text(QString())},
                             false,
                             QString()};
        debit += debitAmount;
        credit += creditAmount;
    };

    const EntrySums sums = entrySums(source, bodies);
    entry(bodies.grossAccount, QStringLiteral("Salaires bruts"), sums.gross, 0);
    for (auto it = sums.employerByBody.cbegin(); it != sums.employerByBody.cend(); ++it)
        entry(bodies.employerAccount(bodyAt(it.key())),
              QStringLiteral("Charges patronales %1").arg(bodyLabel(bodyAt(it.key()))), it.value(), 0);
    entry(bodies.employerAccount(QStringLiteral("mutuelle")), QStringLiteral("Part patronale de la mutuelle"),
          sums.employerMutual, 0);
    entry(bodies.netAccount, QStringLiteral("Rémunérations dues"), 0, sums.net);
    entry(bodies.advanceAccount, QStringLiteral("Acomptes versés"), 0, sums.advance);
    for (auto it = sums.paidByBody.cbegin(); it != sums.paidByBody.cend(); ++it) {
        const QString body = bodyAt(it.key());
        entry(body == BodyAssignment::Urssaf ? bodies.urssafAccount : bodies.otherBodiesAccount,
              QStringLiteral("Cotisations %1").arg(bodyLabel(body)), 0, it.value());
    }
    entry(bodies.otherBodiesAccount, QStringLiteral("Mutuelle"), 0, sums.employeeMutual + sums.employerMutual);

    document.rows << Row{RowKind::Total,
                         {text(QStringLiteral("Total")), text(QString()), text(QString()), amount(debit), amount(credit)},
                         false,
                         QString()};
    if (debit == credit)
        document.notes << QStringLiteral("Le débit et le crédit s’équilibrent : %1 F.").arg(StatementAmount::format(debit));
    else
        document.notes << QStringLiteral("Le débit et le crédit diffèrent de %1 F : le net à payer de ces fiches "
                                         "n’est pas leur brut moins leurs retenues, leur acompte et leur part de "
                                         "mutuelle : %2.")
                              .arg(StatementAmount::format(debit - credit), sums.unbalanced.join(QStringLiteral(", ")));
    if (const std::optional<qint64> euros = StatementAmount::toEuro(debit, source.euroRate)) {
        document.totalFrancs = debit;
        document.totalEuros = euros;
        document.notes << QStringLiteral("Total des écritures : %1 F, soit %2 € au taux de %3 F pour 1 € "
                                         "(converti une fois).")
                              .arg(StatementAmount::format(debit), StatementAmount::format(*euros), source.euroRate);
    }
    if (source.period.coversSeveralMonths())
        document.notes << QStringLiteral("Ces écritures couvrent plusieurs mois : les écritures de paie se passent "
                                         "d’ordinaire mois par mois.");
    return document;
}

// ---- Yearly recap ---------------------------------------------------------

namespace {

struct YearFigures
{
    QString identification;
    qint64 gross = 0;
    qint64 taxable = 0;
    qint64 net = 0;
    qint64 hours = 0;
    std::array<qint64, ContributionLines::Count> employee{};
    std::array<qint64, ContributionLines::Count> employer{};
};

} // namespace

StatementDocument yearlyRecap(const StatementSource &source)
{
    StatementDocument document = begin(Kind::Yearly, source);
    QMap<QString, YearFigures> byEmployee;
    std::array<bool, ContributionLines::Count> used{};
    std::array<QString, ContributionLines::Count> names;
    for (const StatementSlip &slip : source.slips) {
        if (slip.changed)
            continue;
        YearFigures &year = byEmployee[slip.identification];
        year.identification = slip.identification;
        year.gross += slip.gross_pay;
        year.taxable += slip.taxable_net;
        year.net += slip.net_to_pay;
        year.hours += slip.hoursPaidHundredths;
        for (int line = 0; line < ContributionLines::Count; ++line) {
            const StatementSlip::Line &printed = slip.lines[line];
            year.employee[line] += printed.employee;
            year.employer[line] += printed.employer;
            if (printed.employee != 0 || printed.employer != 0) {
                used[line] = true;
                if (names[line].isEmpty())
                    names[line] = printed.label;
                else if (line == LastLine && names[line].compare(printed.label, Qt::CaseInsensitive) != 0)
                    names[line] = QStringLiteral("Ligne 20");
            }
        }
    }

    document.columns = {textColumn("Salarié", "identification"), amountColumn("Salaire brut", "gross_pay"),
                        amountColumn("Net imposable", "taxable_net"), amountColumn("Net payé", "net_to_pay"),
                        {QStringLiteral("Heures payées"), QStringLiteral("hours_paid"), false, true}};
    QList<int> lines;
    for (int line = 0; line < ContributionLines::Count; ++line) {
        if (!used[line])
            continue;
        lines << line;
        const QString name = names[line].isEmpty() ? ContributionLines::rowLabel(line) : names[line];
        document.columns << amountColumn(QStringLiteral("%1 (sal.)").arg(name),
                                         QStringLiteral("line_%1_employee").arg(line + 1))
                         << amountColumn(QStringLiteral("%1 (pat.)").arg(name),
                                         QStringLiteral("line_%1_employer").arg(line + 1));
    }

    YearFigures total;
    const auto rowOf = [&lines](RowKind kind, const QString &label, const YearFigures &year) {
        Row row{kind, {text(label), amount(year.gross), amount(year.taxable), amount(year.net), hours(year.hours)},
                false, QString()};
        for (int line : lines)
            row.cells << amount(year.employee[line]) << amount(year.employer[line]);
        return row;
    };
    for (const YearFigures &year : std::as_const(byEmployee)) {
        document.rows << rowOf(RowKind::Detail, year.identification, year);
        total.gross += year.gross;
        total.taxable += year.taxable;
        total.net += year.net;
        total.hours += year.hours;
        for (int line = 0; line < ContributionLines::Count; ++line) {
            total.employee[line] += year.employee[line];
            total.employer[line] += year.employer[line];
        }
    }
    const Row totals = rowOf(RowKind::Total, QStringLiteral("Total"), total);
    document.rows << totals;
    addEuroRow(document, totals, total.gross);
    document.notes << QStringLiteral("Heures payées : la base horaire du mois, moins les absences, plus les heures "
                                     "complémentaires et supplémentaires.");
    return document;
}

// ---- Common ---------------------------------------------------------------

std::optional<Kind> kindFromName(const QString &name)
{
    for (Kind kind : {Kind::Journal, Kind::Contributions, Kind::Entries, Kind::Yearly}) {
        if (kindName(kind) == name)
            return kind;
    }
    return std::nullopt;
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Journal:
        return QStringLiteral("journal");
    case Kind::Contributions:
        return QStringLiteral("contributions");
    case Kind::Entries:
        return QStringLiteral("entries");
    case Kind::Yearly:
        return QStringLiteral("yearly");
    }
    return QString();
}

QString kindTitle(Kind kind)
{
    switch (kind) {
    case Kind::Journal:
        return QStringLiteral("Journal de paie");
    case Kind::Contributions:
        return QStringLiteral("État des cotisations");
    case Kind::Entries:
        return QStringLiteral("Écritures de paie");
    case Kind::Yearly:
        return QStringLiteral("Récapitulatif annuel");
    }
    return QString();
}

StatementDocument make(Kind kind, const StatementSource &source, const BodyAssignment &bodies)
{
    switch (kind) {
    case Kind::Journal:
        return payrollJournal(source);
    case Kind::Contributions:
        return contributionsStatement(source, bodies);
    case Kind::Entries:
        return accountingEntries(source, bodies);
    case Kind::Yearly:
        return yearlyRecap(source);
    }
    return {};
}

QList<MonthFigures> monthlySeries(const StatementSource &source)
{
    QList<MonthFigures> series;
    if (!source.period.isValid())
        return series;
    for (QDate month = source.period.first; month <= source.period.last; month = month.addMonths(1))
        series << MonthFigures{month.year(), month.month(), 0, 0, 0};
    for (const StatementSlip &slip : source.slips) {
        if (slip.changed || !slip.periodEnd.isValid())
            continue;
        const int index = (slip.periodEnd.year() - source.period.first.year()) * 12 + slip.periodEnd.month()
                          - source.period.first.month();
        if (index < 0 || index >= series.size())
            continue;
        series[index].gross_pay += slip.gross_pay;
        series[index].employer_total += slip.employer_total;
        series[index].net_to_pay += slip.net_to_pay;
    }
    return series;
}

namespace {

QJsonObject rowObject(const StatementDocument &document, const Row &row)
{
    QJsonObject object;
    for (int column = 0; column < document.columns.size() && column < row.cells.size(); ++column) {
        const Column &header = document.columns[column];
        const Cell &cell = row.cells[column];
        if (header.key == QLatin1String("line") && !cell.text.isEmpty() && row.kind != RowKind::Total)
            object.insert(header.key, cell.text.toInt());
        else
            object.insert(header.key, cell.text);
    }
    if (row.changed)
        object.insert(QStringLiteral("changed"), true);
    if (!row.fileName.isEmpty())
        object.insert(QStringLiteral("file"), row.fileName);
    return object;
}

QString detailsName(Kind kind)
{
    switch (kind) {
    case Kind::Journal:
        return QStringLiteral("rows");
    case Kind::Contributions:
        return QStringLiteral("lines");
    case Kind::Entries:
        return QStringLiteral("entries");
    case Kind::Yearly:
        return QStringLiteral("employees");
    }
    return QString();
}

} // namespace

QByteArray json(Kind kind, const StatementDocument &document)
{
    QJsonArray details;
    QJsonArray subtotals;
    QJsonArray totals;
    for (const Row &row : document.rows) {
        if (row.kind == RowKind::Detail || row.kind == RowKind::Excluded)
            details.append(rowObject(document, row));
        else if (row.kind == RowKind::SubTotal)
            subtotals.append(rowObject(document, row));
        else
            totals.append(rowObject(document, row));
    }
    QJsonObject root{{QStringLiteral("statement"), kindName(kind)},
                     {QStringLiteral("title"), document.title},
                     {QStringLiteral("period"), document.periodText},
                     {detailsName(kind), details},
                     {QStringLiteral("subtotals"), subtotals},
                     {QStringLiteral("totals"), totals.isEmpty() ? QJsonObject() : totals.first().toObject()},
                     {QStringLiteral("euro_rate"), document.euroRate},
                     {QStringLiteral("notes"), QJsonArray::fromStringList(document.notes)}};
    if (totals.size() > 1)
        root.insert(QStringLiteral("totals_euro"), totals.at(1).toObject());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace Statements
