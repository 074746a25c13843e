#include "payruncommand.h"

#include "optionrefusal.h"

#include "paysheetjson.h"
#include "payrun.h"
#include "payruncsv.h"
#include "payrunhistory.h"
#include "payrunslips.h"
#include "reportcommand.h"
#include "reportpages.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

namespace PayrunCommand {

namespace {

struct Option
{
    const char *name;
    const char *valueName; // none for a switch
    const char *help;
};

const Option Options[] = {
    {"period-start", "JJ/MM/AAAA", "premier jour de la période (obligatoire)"},
    {"period-end", "JJ/MM/AAAA", "dernier jour de la période (obligatoire)"},
    {"dir", "dossier", "dossier de travail qui contient Bdrk.rkv (par défaut le dossier courant)"},
    {"inputs", "fichier",
     "les chiffres du mois, en CSV comme « Importer… » de la paie du mois ; les colonnes des trois "
     "chiffres de la dernière fiche remplacent ceux de l’historique"},
    {"save", nullptr,
     "enregistre la fiche de chaque salarié calculé comme « Enregistrer » ; un salarié dont la fiche "
     "de la période est déjà enregistrée fait tout refuser, sauf avec --replace"},
    {"replace", nullptr, "avec --save, remplace les fiches de la période déjà enregistrées"},
    {"pdf", "fichier", "écrit toutes les fiches calculées dans un seul PDF"},
    {"json", nullptr, "écrit un objet JSON : la période et, par salarié, sa fiche de paie et la reprise"},
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct Arguments
{
    PayRunPeriod period;
    QString directory = QStringLiteral(".");
    QString inputs;
    QString pdf;
    bool save = false;
    bool replace = false;
    bool json = false;
};

// A date as the option must give it; the period itself is judged after.
QString dateOption(const QCommandLineParser &parser, const char *name, QString *refusal)
{
    static const QRegularExpression date(QStringLiteral("^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}$"));
    const QString value = parser.value(text(name));
    if (!parser.isSet(text(name)))
        *refusal = QStringLiteral("Indiquez la période avec --period-start et --period-end (JJ/MM/AAAA).");
    else if (!date.match(value).hasMatch())
        *refusal = QStringLiteral("La date « %1 » de --%2 est refusée : elle s’écrit JJ/MM/AAAA.").arg(value, text(name));
    return value;
}

// The arguments, or why they are refused.
std::variant<Arguments, QString> parse(const QStringList &words)
{
    QCommandLineParser parser;
    for (const Option &o : Options)
        parser.addOption(o.valueName ? QCommandLineOption(text(o.name), text(o.help), text(o.valueName))
                                     : QCommandLineOption(text(o.name), text(o.help)));
    if (!parser.parse(QStringList{QStringLiteral("quorvan")} + words))
        return parser.unknownOptionNames().isEmpty()
                   ? QStringLiteral("Arguments incorrects : %1 La liste des options : quorvan --help.")
                         .arg(parser.errorText())
                   : OptionRefusal::text(OptionRefusal::unknownOptions(parser, words));
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Argument inattendu : « %1 ». La liste des options : quorvan --help.")
            .arg(parser.positionalArguments().constFirst());
    QString refusal;
    const QString first = dateOption(parser, "period-start", &refusal);
    const QString last = refusal.isEmpty() ? dateOption(parser, "period-end", &refusal) : QString();
    if (!refusal.isEmpty())
        return refusal;
    auto period = PayRunPeriod::read(first, last);
    if (const QString *error = std::get_if<QString>(&period))
        return *error;
    Arguments arguments;
    arguments.period = std::get<PayRunPeriod>(period);
    if (parser.isSet(QStringLiteral("dir")))
        arguments.directory = parser.value(QStringLiteral("dir"));
    arguments.inputs = parser.value(QStringLiteral("inputs"));
    arguments.pdf = parser.value(QStringLiteral("pdf"));
    arguments.save = parser.isSet(QStringLiteral("save"));
    arguments.replace = parser.isSet(QStringLiteral("replace"));
    arguments.json = parser.isSet(QStringLiteral("json"));
    if (arguments.replace && !arguments.save)
        return QStringLiteral("--replace ne sert qu’avec --save.");
    return arguments;
}

// The month's figures of the file typed into the run, or why it is refused.
QString typeInputs(const QString &path, PayRun &run)
{
    auto content = PayRunCsv::readFile(path);
    if (const QString *error = std::get_if<QString>(&content))
        return *error;
    auto read = PayRunCsv::read(std::get<QByteArray>(content), run);
    if (const QStringList *refusals = std::get_if<QStringList>(&read))
        return PayRunCsv::refusalReport(path, *refusals);
    PayRunCsv::apply(std::get<PayRunCsv::Import>(read), run);
    return QString();
}

// The computed employees whose slip of the period is saved already.
QString alreadySavedRefusal(const PayRun &run, const PayRunHistory &history)
{
    const auto saved = PayRunSlips::alreadySaved(run, run.computedRows(), history);
    if (saved.isEmpty())
        return QString();
    QStringList who;
    for (const auto &[row, files] : saved)
        who << QStringLiteral("  %1 (« %2 »)").arg(run.row(row).identification, files.join(QStringLiteral(" », « ")));
    return QStringLiteral("Rien n’est enregistré : la période %1 a déjà une fiche de paie enregistrée pour :\n%2\n"
                          "Ajoutez --replace pour %3.")
        .arg(run.period().text(), who.join(u'\n'),
             saved.size() == 1 ? QStringLiteral("la remplacer") : QStringLiteral("les remplacer"));
}

QString failureText(const ReportError &error)
{
    return ReportCommand::failureText(error.number, error.message);
}

// --save and --pdf; the first failure, empty when every output is written.
QString writeOutputs(const Arguments &arguments, PayRun &run, PayRunHistory &history, const PayRunSlips &slips,
                     QTextStream &err)
{
    const QList<int> rows = run.computedRows();
    if (arguments.save) {
        QSet<int> replace;
        for (const auto &entry : PayRunSlips::alreadySaved(run, rows, history))
            replace.insert(entry.first);
        const PayRunSlips::Saving saving = slips.save(run, rows, replace, history);
        if (!saving.notRecorded.isEmpty())
            err << saving.notRecorded << Qt::endl;
        if (saving.failure.failed())
            return failureText(saving.failure);
    }
    if (!arguments.pdf.isEmpty()) {
        auto documents = slips.documents(run, rows);
        if (const ReportError *error = std::get_if<ReportError>(&documents))
            return failureText(*error);
        if (const ReportError error = ReportPages::toPdf(arguments.pdf, std::get<std::vector<ReportDocument>>(documents));
            error.failed())
            return failureText(error);
    }
    return QString();
}

QJsonObject carriedJson(const CarriedOver &carried)
{
    return QJsonObject{{QStringLiteral("found"), carried.found},
                       {QStringLiteral("source"), carried.source},
                       {QStringLiteral("conflict"), carried.conflict},
                       {QStringLiteral("previous_leave_balance"), carried.leaveBalance},
                       {QStringLiteral("previous_cumulative_taxable"), carried.cumulativeTaxable},
                       {QStringLiteral("previous_cumulative_gross"), carried.cumulativeGross}};
}

QByteArray json(const PayRun &run)
{
    QJsonArray employees;
    for (int index = 0; index < run.size(); ++index) {
        const PayRunRow &row = run.row(index);
        QJsonObject employee{{QStringLiteral("employee"), row.identification},
                             {QStringLiteral("carry_over"), carriedJson(row.carried)},
                             {QStringLiteral("saved_file"), row.savedCurrent ? row.savedFile : QString()}};
        if (row.computed)
            employee.insert(QStringLiteral("sheet"), PaySheetJson::toJson(row.computed->sheet));
        else
            employee.insert(QStringLiteral("refusal"), row.refusal);
        employees.append(employee);
    }
    const PayRunTotals totals = run.totals();
    const QJsonObject object{
        {QStringLiteral("period_start"), run.period().first().toString(Qt::ISODate)},
        {QStringLiteral("period_end"), run.period().last().toString(Qt::ISODate)},
        {QStringLiteral("employees"), employees},
        {QStringLiteral("totals"), QJsonObject{{QStringLiteral("computed"), totals.computed},
                                               {QStringLiteral("refused"), totals.refused},
                                               {QStringLiteral("gross_pay"), totals.grossPay},
                                               {QStringLiteral("employee_total"), totals.employeeTotal},
                                               {QStringLiteral("employer_total"), totals.employerTotal},
                                               {QStringLiteral("net_to_pay"), totals.netToPay}}}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString tableRow(const QString &employee, const QString &gross, const QString &employeeTotal,
                 const QString &employerTotal, const QString &net)
{
    return employee.leftJustified(34) + gross.rightJustified(14) + employeeTotal.rightJustified(16)
           + employerTotal.rightJustified(16) + net.rightJustified(14) + u'\n';
}

QString table(const PayRun &run)
{
    QString out = QStringLiteral("Paie du mois, période %1\n\n").arg(run.period().text());
    out += tableRow(QStringLiteral("Salarié"), QStringLiteral("Salaire brut"), QStringLiteral("Ret. salariales"),
                    QStringLiteral("Ret. patronales"), QStringLiteral("Net à payer"));
    for (int index = 0; index < run.size(); ++index) {
        const PayRunRow &row = run.row(index);
        if (row.computed) {
            const PaySheet &s = row.computed->sheet;
            out += tableRow(row.identification, s.gross_pay, s.employee_total, s.employer_total, s.net_to_pay);
        } else {
            out += row.identification + u'\n' + QStringLiteral("    refusé : ") + row.refusal + u'\n';
        }
        out += QStringLiteral("    repris de : %1\n")
                   .arg(row.carried.conflict.isEmpty() ? row.carried.source : row.carried.conflict);
        if (row.savedCurrent)
            out += QStringLiteral("    enregistrée : %1\n").arg(row.savedFile);
    }
    const PayRunTotals totals = run.totals();
    out += u'\n' + tableRow(QStringLiteral("Total (%1 calculée(s), %2 refusée(s))")
                                .arg(totals.computed).arg(totals.refused),
                            totals.grossPay, totals.employeeTotal, totals.employerTotal, totals.netToPay);
    return out;
}

} // namespace

int run(const QStringList &words, QTextStream &out, QTextStream &err)
{
    auto parsed = parse(words);
    if (const QString *refusal = std::get_if<QString>(&parsed)) {
        err << *refusal << Qt::endl;
        return BadArguments;
    }
    const Arguments &arguments = std::get<Arguments>(parsed);
    PayRunHistory history(arguments.directory);
    auto opened = PayRun::open(arguments.directory, arguments.period, history);
    if (const QString *error = std::get_if<QString>(&opened)) {
        err << *error << Qt::endl;
        return BadArguments;
    }
    for (const QString &notice : history.notices())
        err << notice << Qt::endl;
    PayRun &run = std::get<PayRun>(opened);
    if (!arguments.inputs.isEmpty()) {
        if (const QString refusal = typeInputs(arguments.inputs, run); !refusal.isEmpty()) {
            err << refusal << Qt::endl;
            return BadArguments;
        }
    }
    run.calculate();

    QString failure;
    if (arguments.save || !arguments.pdf.isEmpty()) {
        // Checked before anything is written: a saved slip is the record of its month.
        if (const QString refusal = arguments.save && !arguments.replace ? alreadySavedRefusal(run, history) : QString();
            !refusal.isEmpty()) {
            err << refusal << Qt::endl;
            return BadArguments;
        }
        auto slips = PayRunSlips::prepare(arguments.directory);
        if (const QString *error = std::get_if<QString>(&slips)) {
            err << *error << Qt::endl;
            return BadArguments;
        }
        failure = writeOutputs(arguments, run, history, std::get<PayRunSlips>(slips), err);
    }
    out << (arguments.json ? QString::fromUtf8(json(run)) : table(run));
    out.flush();
    if (!failure.isEmpty()) {
        err << failure << Qt::endl;
        return WriteFailed;
    }
    for (int index = 0; index < run.size(); ++index) {
        if (!run.row(index).refusal.isEmpty())
            err << QStringLiteral("%1 : %2").arg(run.row(index).identification, run.row(index).refusal) << Qt::endl;
    }
    return run.totals().refused > 0 ? RowsRefused : Computed;
}

QString optionsHelp()
{
    QString help;
    for (const Option &o : Options) {
        const QString option = QStringLiteral("--%1%2").arg(
            text(o.name), o.valueName ? QStringLiteral(" ") + text(o.valueName).toUpper() : QString());
        help += QStringLiteral("  ") + option.leftJustified(38) + u' ' + text(o.help) + u'\n';
    }
    return help;
}

} // namespace PayrunCommand
