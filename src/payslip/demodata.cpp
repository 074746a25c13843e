#include "demodata.h"

#include "database.h"
#include "employeerules.h"
#include "recordview.h"
#include "schema.h"
#include "textrules.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace DemoData {

namespace {

using Texts = QList<std::pair<const char *, const char *>>;

// As typed on the employer screen.
const Texts Employer = {
    {"NomSociété", "SARL Boulangerie des Tilleuls"},
    {"Adresse", "14, rue des Tanneurs"},
    {"CodePostal", "37000"},
    {"Ville", "Tours"},
    {"NuméroTél", "02 47 61 23 45"},
    {"NumTélécopie", "02 47 61 23 46"},
    {"Siret", "412 387 607 00002"},
    {"APE", "158C"},
    {"N°URSSAF", "370 1 05432 1 07"},
    {"Directeur du perssonel", "Mme Hélène Brunet"},
    {"Type de societe", "Boulangerie-pâtisserie"},
};

// One employee as typed on the employee screen: the identity fields in
// screen order, the hourly base and rate and the mutual insurance, then the
// employer and employee rate of each of the twenty lines.
struct Employee
{
    std::array<const char *, EmployeeRules::IdentityCount> identity;
    std::array<const char *, EmployeeRules::BaseCount> base;
    std::array<const char *, 40> rates;
};

// The general regime of 2001 under the ceiling: CSG and RDS on 95 % of the
// gross, sickness, widowhood, old age, unemployment and AGS, work accident
// at the bakery's rate, ARRCO pension, housing aid, apprenticeship and
// training taxes, family allowances, and AGFF on the twentieth line; only
// the provident scheme differs from one employee to the next.
constexpr std::array<const char *, 40> regime2001(const char *providentEmployer,
                                                  const char *providentEmployee)
{
    return {"0",    "2,9",  "0",   "5,1",  "12,8", "0,75", "0",   "0,1",
            "1,6",  "0",    "8,2", "6,55", "3,7",  "2,1",  "0",   "0",
            "0,1",  "0",    "2,2", "0",    "4,5",  "3",    "0",   "0",
            "0,1",  "0",    "0,5", "0",    "0,15", "0",    "0",   "0",
            "0",    "0",    providentEmployer, providentEmployee, "5,4", "0",
            "1,2",  "0,8"};
}

const std::array<Employee, 3> Employees = {{
    // Paid the SMIC of July 2000: 169 hours at 43,72 F.
    {{"2 75 08 37 261 054 80", "Moreau", "Céline", "02 47 38 12 90", "8, allée des Peupliers",
      "37100", "Tours", "Vendeuse", "03/04/1998"},
     {"169", "43,72", "200", "120"},
     regime2001("0", "0")},
    {{"1 68 04 37 352 121 37", "d'Almeida", "José", "02 47 05 77 18", "3, rue Colbert", "37000",
      "Tours", "Ouvrier boulanger", "15/09/1994"},
     {"169", "58,5", "0", "0"},
     regime2001("0,6", "0,6")},
    {{"2 81 01 75 056 118 78", "Lambert", "Élise", "02 47 20 64 03", "27, quai Paul-Bert",
      "37100", "Tours", "Responsable de magasin", "02/01/2001"},
     {"169", "85", "300", "150"},
     regime2001("1,5", "0")},
}};

const char *const TwentiethLine = "AGFF";

// Present while the folder is being written.
const char *const UnfinishedMarker = ".quorvan-demo-en-cours";
const QString MarkerText = QStringLiteral(
    "Dossier de démonstration en cours d’écriture : « quorvan demo » sur ce dossier le termine.\n");

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The identity as "Valider" stores it: apostrophes, date mask, no SSN,
// blank fill, upper case.
QStringList storedIdentity(const Employee &employee)
{
    QStringList identity;
    for (const char *typed : employee.identity)
        identity << EmployeeRules::apostrophes(text(typed));
    return EmployeeRules::savedIdentity(identity);
}

std::optional<QString> storeEmployee(RecordView &view, const Employee &employee)
{
    const QStringList identity = storedIdentity(employee);
    // Finishing an interrupted folder: an employee already stored stays as he is.
    const QString key = EmployeeRules::key(identity.at(EmployeeRules::Surname),
                                           identity.at(EmployeeRules::FirstName));
    if (StoreError error = view.findFirst(QStringLiteral("IDENTIFICATION"), key))
        return error.message();
    if (!view.noMatch())
        return std::nullopt;
    if (StoreError error = view.addNew())
        return error.message();
    const QStringList identityColumns = EmployeeRules::identityColumns();
    for (int i = 0; i < identity.size(); ++i)
        view.setFieldText(identityColumns.at(i), identity.at(i));
    view.setFieldText(QStringLiteral("IDENTIFICATION"), key);

    QStringList base;
    const QStringList baseColumns = EmployeeRules::baseColumns();
    for (int i = 0; i < baseColumns.size(); ++i) {
        base << EmployeeRules::baseForm(text(employee.base[i]));
        view.setFieldText(baseColumns.at(i), base.last());
    }
    view.setFieldText(QStringLiteral("RAPPLS1"),
                      EmployeeRules::remainingShare(base.at(2), base.at(3)).value_or(QString()));
    const QStringList rateColumns = Schema::rateColumns();
    for (int i = 0; i < rateColumns.size(); ++i)
        view.setFieldText(rateColumns.at(i), EmployeeRules::checkRate(text(employee.rates[i])).text);
    view.setFieldText(QStringLiteral("PAR3"), text(TwentiethLine));
    if (StoreError error = view.writeCurrent())
        return error.message();
    return std::nullopt;
}

std::optional<QString> storeEmployer(const QString &directory)
{
    StoreError error;
    const auto database = Database::open(directory, Schema::employerDatabase(), &error);
    if (!database)
        return error.message();
    RecordView view(database, QStringLiteral("EMPLOYEUR"));
    if ((error = view.reload()))
        return error.message();
    for (const auto &[column, typed] : Employer)
        view.setFieldText(text(column),
                          TextRules::upperCase(TextRules::replaceApostrophes(text(typed))));
    if ((error = view.writeCurrent()))
        return error.message();
    return std::nullopt;
}

std::optional<QString> storeEmployees(const QString &directory)
{
    StoreError error;
    const auto database = Database::open(directory, Schema::mainDatabase(), &error);
    if (!database)
        return error.message();
    RecordView view(database, QStringLiteral("SALARIE"));
    for (const Employee &employee : Employees) {
        if (auto refusal = storeEmployee(view, employee))
            return refusal;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> write(const QString &directory)
{
    const QDir folder(directory);
    const QString marker = folder.filePath(QLatin1String(UnfinishedMarker));
    const bool unfinished = QFileInfo::exists(marker);
    for (const char *file : {Schema::MainFileName, Schema::EmployerFileName}) {
        if (!unfinished && QFileInfo::exists(folder.filePath(QString::fromLatin1(file))))
            return QStringLiteral("Le dossier « %1 » contient déjà le fichier %2 : la démonstration "
                                  "s’écrit dans un dossier neuf, ou vide. Choisissez un autre dossier.")
                .arg(QDir::toNativeSeparators(directory), QString::fromLatin1(file));
    }
    if (!QDir().mkpath(directory))
        return QStringLiteral("Le dossier « %1 » ne peut pas être créé.")
            .arg(QDir::toNativeSeparators(directory));
    // What a killed run was writing is of no use now.
    WholeFile::removeLeftovers(folder);
    // Written first and removed last: a folder left half-written by a kill
    // is known for ours, and the next run finishes it.
    const int marked = unfinished ? 0 : WholeFile::write(marker, MarkerText.toUtf8(), WholeFile::Existing::Keep);
    if (marked != 0)
        return QStringLiteral("Le dossier « %1 » ne peut pas recevoir la démonstration : %2.")
            .arg(QDir::toNativeSeparators(directory), WholeFile::reason(marked));
    if (auto refusal = storeEmployer(directory))
        return refusal;
    if (auto refusal = storeEmployees(directory))
        return refusal;
    if (!QFile::remove(marker))
        return QStringLiteral("La démonstration est écrite dans « %1 », mais le fichier « %2 » n’a pas pu "
                              "être supprimé : supprimez-le.")
            .arg(QDir::toNativeSeparators(directory), QLatin1String(UnfinishedMarker));
    return std::nullopt;
}

QStringList employees()
{
    QStringList keys;
    for (const Employee &employee : Employees) {
        const QStringList identity = storedIdentity(employee);
        keys << EmployeeRules::key(identity.at(EmployeeRules::Surname),
                                   identity.at(EmployeeRules::FirstName));
    }
    return keys;
}

} // namespace DemoData
