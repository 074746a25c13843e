#include "payslipcommand.h"

#include "formulalines.h"
#include "optionrefusal.h"
#include "payhistory.h"
#include "paycalculation.h"
#include "paysheetjson.h"
#include "paysheetsummary.h"
#include "payslipformulaset.h"
#include "reportcommand.h"
#include "reportengine.h"
#include "slipsubject.h"
#include "storedpayinputs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

namespace PayslipCommand {

namespace {

// A numeric field of the preparation screen and its option.
struct NumericOption
{
    const char *name;
    const char *valueName;
    const char *help;
    QString PaySheet::*field;
};

const NumericOption NumericOptions[] = {
    {"absence-hours", "heures", "Heures absences", &PaySheet::absence_hours},
    {"complementary-hours", "heures", "Heures complèmentaires", &PaySheet::complementary_hours},
    {"leave-hours", "heures", "Congés payés ( Hres) : heures de congés prises",
     &PaySheet::leave_hours_taken},
    {"commission-rate", "pourcentage", "% Sur : pourcentage de la commission",
     &PaySheet::commission_rate},
    {"commission-base", "montant", "% Sur : chiffre sur lequel porte la commission",
     &PaySheet::commission_base},
    {"advance", "montant", "Acompte reçu", &PaySheet::advance},
    {"bonus", "montant", "Prime", &PaySheet::bonus},
    {"previous-leave-balance", "heures", "Heures de congés dûes (dernière fiche de paie)",
     &PaySheet::previous_leave_balance},
    {"previous-cumulative-taxable", "montant", "Dernier Cumul Imposable",
     &PaySheet::previous_cumulative_taxable},
    {"previous-cumulative-gross", "montant", "Dernier Cumul Brut", &PaySheet::previous_cumulative_gross},
};

// The period fields: day, month and year of each date.
struct PeriodOption
{
    const char *name;
    const char *help;
    QString PaySheet::*day;
    QString PaySheet::*month;
    QString PaySheet::*year;
};

const PeriodOption PeriodOptions[] = {
    {"period-start", "Période du : premier jour de la période", &PaySheet::period_start_day,
     &PaySheet::period_start_month, &PaySheet::period_start_year},
    {"period-end", "au : dernier jour de la période", &PaySheet::period_end_day,
     &PaySheet::period_end_month, &PaySheet::period_end_year},
};

struct OtherOption
{
    const char *name;
    const char *valueName; // none for a switch
    const char *help;
};

const OtherOption OtherOptions[] = {
    {"dir", "dossier", "dossier de travail qui contient Bdrk.rkv (par défaut le dossier courant)"},
    {"employee", "identification", "le salarié, par son identification « NOM , PRENOM »"},
    {"json", nullptr, "écrit la fiche de paie en un objet JSON de textes"},
    {"formulas", nullptr,
     "écrit les 182 formules du bulletin de paie puis la prime (PRIME) dans l’ordre de remise, une "
     "par ligne : numéro, "
     "tabulation, NOM='valeur' ; dans le texte, \\ s’écrit \\\\, un saut de ligne \\n, un retour "
     "chariot \\r, une tabulation \\t et tout autre caractère de contrôle \\uXXXX (quatre chiffres "
     "hexadécimaux)"},
    {"pdf", "fichier", "écrit aussi le bulletin de paie en PDF dans FICHIER"},
    {"rpt", "fichier",
     "enregistre aussi le bulletin de paie dans FICHIER (.rpt), que « quorvan report » relit ; "
     "un fichier qui existe déjà est refusé, sauf avec --replace"},
    {"replace", nullptr, "remplace le fichier de --rpt s’il existe déjà"},
    {"carry-over", nullptr,
     "reprend de l’historique des paies du dossier les chiffres de la dernière fiche de paie (heures "
     "de congés dûes, dernier cumul imposable, dernier cumul brut), comme « Reprendre la dernière "
     "fiche » ; demande --period-start ; une option --previous-… donnée garde sa valeur"},
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void addOptions(QCommandLineParser &parser)
{
    for (const OtherOption &o : OtherOptions) {
        parser.addOption(o.valueName ? QCommandLineOption(text(o.name), text(o.help), text(o.valueName))
                                     : QCommandLineOption(text(o.name), text(o.help)));
    }
    for (const NumericOption &o : NumericOptions)
        parser.addOption(QCommandLineOption(text(o.name), text(o.help), text(o.valueName)));
    for (const PeriodOption &o : PeriodOptions)
        parser.addOption(QCommandLineOption(text(o.name), text(o.help), QStringLiteral("JJ/MM/AAAA")));
}

// What the screen's numeric fields accept: digits and one decimal comma.
bool isFieldText(const QString &value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]*(,[0-9]*)?$"));
    return digits.match(value).hasMatch();
}

// Fills the typed values of the sheet, or says which option is refused.
QString typeInto(PaySheet &sheet, const QCommandLineParser &parser)
{
    for (const NumericOption &o : NumericOptions) {
        if (!parser.isSet(text(o.name)))
            continue;
        const QString value = parser.value(text(o.name));
        if (!isFieldText(value))
            return QStringLiteral("La valeur « %1 » de --%2 est refusée : seuls des chiffres et au "
                                  "plus une virgule décimale sont admis, comme dans la préparation "
                                  "de la fiche de paie.")
                .arg(value, text(o.name));
        sheet.*o.field = value;
    }
    static const QRegularExpression date(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{1,4})$"));
    for (const PeriodOption &o : PeriodOptions) {
        if (!parser.isSet(text(o.name)))
            continue;
        const QString value = parser.value(text(o.name));
        const QRegularExpressionMatch match = date.match(value);
        if (!match.hasMatch())
            return QStringLiteral("La date « %1 » de --%2 est refusée : elle s’écrit JJ/MM/AAAA.")
                .arg(value, text(o.name));
        sheet.*o.day = match.captured(1);
        sheet.*o.month = match.captured(2);
        sheet.*o.year = match.captured(3);
    }
    return QString();
}

QString argumentError(const QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.unknownOptionNames().isEmpty())
        return OptionRefusal::text(OptionRefusal::unknownOptions(parser, arguments));
    return QStringLiteral("Arguments incorrects : %1 La liste des options : quorvan --help.")
        .arg(parser.errorText());
}

// The layout of the working folder, the delivered one when it has none.
QString layoutIn(const QString &directory)
{
    const QString own = QDir(directory).filePath(QLatin1String(ReportEngine::DeliveredLayoutName));
    return QFileInfo::exists(own) ? own : QStringLiteral(":/report/rkv.rpl");
}

// The pay slip written as PDF and as a saved pay slip, as asked.
ReportError writeFiles(const QList<FormulaEntry> &entries, const DocumentProperties &properties,
                       const QString &layout, const QString &pdf, const QString &saved, bool replace)
{
    ReportEngine engine;
    engine.set_report_file(layout);
    for (const FormulaEntry &entry : entries)
        engine.set_formula(entry.number, entry.text);
    engine.setProperties(properties);
    if (!pdf.isEmpty()) {
        if (const ReportError error = engine.renderPdf(pdf); error.failed())
            return error;
    }
    if (!saved.isEmpty()) {
        engine.set_destination(ReportEngine::File);
        engine.set_output_file(saved);
        engine.setReplaceExisting(replace);
        return engine.run();
    }
    return ReportError::success();
}

void tell(QTextStream &err, const QStringList &notices)
{
    for (const QString &notice : notices)
        err << notice << Qt::endl;
}

// --carry-over: the three figures of the previous slip into the sheet, as
// the preparation screen's button puts them into its fields; an option
// given for one of them keeps its value. Returns what stops the command
// (BadArguments) or nothing; `source` says where the figures come from.
std::optional<int> carryOver(PaySheet &sheet, const QCommandLineParser &parser, const QString &directory,
                             const QString &identification, QTextStream &err, QString *source)
{
    const std::optional<QDate> start = SlipSubject::periodStart(sheet);
    if (!start) {
        err << QStringLiteral("--carry-over reprend la dernière fiche de paie avant la période : indiquez "
                              "son premier jour avec --period-start JJ/MM/AAAA.")
            << Qt::endl;
        return BadArguments;
    }
    PayHistory::Opening history = PayHistory::open(directory);
    tell(err, history.notices);
    if (!history.history) {
        err << history.failure << Qt::endl;
        return BadArguments;
    }
    const CarryOver carried = history.history->carryOver(identification, *start);
    *source = carried.description();
    if (carried.status == CarryOver::Status::NoPreviousSlip) {
        err << *source << Qt::endl;
        return std::nullopt;
    }
    if (!carried.carried()) {
        err << *source << Qt::endl;
        return BadArguments;
    }
    const std::pair<const char *, QString PaySheet::*> fields[] = {
        {"previous-leave-balance", &PaySheet::previous_leave_balance},
        {"previous-cumulative-taxable", &PaySheet::previous_cumulative_taxable},
        {"previous-cumulative-gross", &PaySheet::previous_cumulative_gross}};
    const QString values[] = {carried.previous_leave_balance, carried.previous_cumulative_taxable,
                              carried.previous_cumulative_gross};
    for (int i = 0; i < 3; ++i) {
        if (!parser.isSet(text(fields[i].first)))
            sheet.*fields[i].second = values[i];
    }
    return std::nullopt;
}

// A pay slip saved in the working folder joins its pay history, as one
// saved by the save-as dialog does; one saved elsewhere is in no archive.
std::optional<int> recordSaved(const QString &saved, const QString &directory, QTextStream &err)
{
    const QFileInfo file(saved);
    if (file.absoluteDir().canonicalPath() != QDir(directory).canonicalPath()) {
        err << QStringLiteral("La fiche de paie « %1 » est enregistrée hors du dossier de travail : "
                              "l’historique des paies ne la compte pas.").arg(saved)
            << Qt::endl;
        return std::nullopt;
    }
    const PayHistory::Outcome recorded = PayHistory::recordIn(directory, {file.fileName()});
    tell(err, recorded.messages);
    if (!recorded.failed)
        return std::nullopt;
    return WriteFailed;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("quorvan")} + arguments)) {
        err << argumentError(parser, arguments) << Qt::endl;
        return BadArguments;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("Argument inattendu : « %1 ». La liste des options : quorvan --help.")
                   .arg(parser.positionalArguments().constFirst())
            << Qt::endl;
        return BadArguments;
    }
    const bool formulas = parser.isSet(QStringLiteral("formulas"));
    const QString pdf = parser.value(QStringLiteral("pdf"));
    const QString saved = parser.value(QStringLiteral("rpt"));
    const bool replace = parser.isSet(QStringLiteral("replace"));
    // A saved pay slip is the record of its month: checked before anything
    // is computed or written.
    if (!saved.isEmpty() && !replace && QFileInfo(saved).isFile()) {
        err << QStringLiteral("Le fichier « %1 » existe déjà : une fiche de paie enregistrée n’est "
                              "remplacée qu’avec --replace.").arg(saved)
            << Qt::endl;
        return BadArguments;
    }
    const bool document = formulas || !pdf.isEmpty() || !saved.isEmpty();
    if (formulas && parser.isSet(QStringLiteral("json"))) {
        err << QStringLiteral("Choisissez --json ou --formulas : la fiche de paie s’écrit d’une "
                              "seule façon à la fois.")
            << Qt::endl;
        return BadArguments;
    }
    const QString employee = parser.value(QStringLiteral("employee"));
    if (employee.isEmpty()) {
        err << QStringLiteral("Indiquez le salarié avec --employee « NOM , PRENOM ».") << Qt::endl;
        return BadArguments;
    }
    PaySheet typed;
    if (const QString refusal = typeInto(typed, parser); !refusal.isEmpty()) {
        err << refusal << Qt::endl;
        return BadArguments;
    }

    const QString directory =
        parser.isSet(QStringLiteral("dir")) ? parser.value(QStringLiteral("dir")) : QStringLiteral(".");
    auto loaded = StoredPayInputs::load(directory, employee);
    if (const QString *error = std::get_if<QString>(&loaded)) {
        err << *error << Qt::endl;
        return BadArguments;
    }
    const StoredPayInputs &inputs = std::get<StoredPayInputs>(loaded);
    EmployerRecordTexts employer;
    if (document) {
        auto employerLoaded = StoredPayInputs::loadEmployer(directory);
        if (const QString *error = std::get_if<QString>(&employerLoaded)) {
            err << *error << Qt::endl;
            return BadArguments;
        }
        employer = std::get<EmployerRecordTexts>(employerLoaded);
    }

    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    if (const CalculationError *error = std::get_if<CalculationError>(&opening)) {
        err << error->message << Qt::endl;
        return Refused;
    }
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet sheet = opened.sheet;
    // The clerk types into the freshly opened sheet: a field left alone keeps
    // what the opening gave it ("0" in the absence hours).
    for (const NumericOption &o : NumericOptions) {
        if (parser.isSet(text(o.name)))
            sheet.*o.field = typed.*o.field;
    }
    for (const PeriodOption &o : PeriodOptions) {
        for (QString PaySheet::*field : {o.day, o.month, o.year})
            sheet.*field = typed.*field;
    }
    QString carriedFrom;
    if (parser.isSet(QStringLiteral("carry-over"))) {
        if (const std::optional<int> stop =
                carryOver(sheet, parser, directory, inputs.identification, err, &carriedFrom))
            return *stop;
    }
    if (const auto error = PayCalculation::calculate(sheet, opened.employee, inputs.parameters,
                                                     inputs.euroRate)) {
        err << error->message << Qt::endl;
        return Refused;
    }

    if (document) {
        // The employee screen shows the "0" the opening wrote into an empty
        // hourly base or rate.
        EmployeeRecordTexts record = inputs.record;
        record.TAUXHORAIRE = opened.employee.TAUXHORAIRE;
        record.BASEHORAIRE = opened.employee.BASEHORAIRE;
        // The document formats the amounts it prints; the sheet written
        // below stays as the calculation left it.
        PaySheet printed = sheet;
        const QList<FormulaEntry> entries = PayslipFormulaSet::build(printed, record, employer);
        const DocumentProperties properties = SlipSubject::properties(inputs.identification, sheet);
        if (const ReportError error = writeFiles(entries, properties, layoutIn(directory), pdf, saved, replace);
            error.failed()) {
            err << ReportCommand::failureText(error.number, error.message) << Qt::endl;
            return WriteFailed;
        }
        if (!saved.isEmpty()) {
            if (const std::optional<int> stop = recordSaved(saved, directory, err))
                return *stop;
        }
        if (formulas) {
            out << FormulaLines::lines(entries);
            out.flush();
            return Calculated;
        }
    }
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonObject json = PaySheetJson::toJson(sheet);
        if (!carriedFrom.isEmpty())
            json.insert(QStringLiteral("carry_over"), carriedFrom);
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        if (!carriedFrom.isEmpty())
            out << QStringLiteral("Dernière fiche de paie : %1\n").arg(carriedFrom);
        out << PaySheetSummary::text(sheet);
    }
    out.flush();
    return Calculated;
}

QString optionsHelp()
{
    QString help;
    const auto line = [&help](const QString &option, const QString &description) {
        help += QStringLiteral("  ") + option.leftJustified(38) + u' ' + description + u'\n';
    };
    for (const OtherOption &o : OtherOptions)
        line(QStringLiteral("--%1%2").arg(text(o.name),
                                         o.valueName ? QStringLiteral(" ") + text(o.valueName).toUpper()
                                                     : QString()),
             text(o.help));
    for (const NumericOption &o : NumericOptions)
        line(QStringLiteral("--%1 %2").arg(text(o.name), text(o.valueName).toUpper()), text(o.help));
    for (const PeriodOption &o : PeriodOptions)
        line(QStringLiteral("--%1 JJ/MM/AAAA").arg(text(o.name)), text(o.help));
    return help;
}

} // namespace PayslipCommand
