#include "storedpayinputs.h"

#include "database.h"
#include "employeerules.h"
#include "payinputfields.h"
#include "recordview.h"
#include "schema.h"
#include "textrules.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The stored record's field of a column, as a pay input reads it.
PayInputFields::FieldReader fieldOf(const RecordView &view)
{
    return [&view](const QString &column) { return view.fieldText(column); };
}

EmployeeFigures employeeFigures(const RecordView &view)
{
    const QStringList columns = Schema::rateColumns();
    return PayInputFields::employeeFigures(fieldOf(view), [&view, &columns](int index) {
        return EmployeeRules::browsedRate(view.fieldText(columns.at(index)));
    });
}

PayrollParameters payrollParameters(const RecordView &view)
{
    PayrollParameters p = PayInputFields::parameterTexts(fieldOf(view));
    // The parameters screen ticks A, then B, and ticking one unticks the
    // other: a record with both ticked shows B only.
    p.OPTIONB = view.fieldText(QStringLiteral("OPTIONB")) == QLatin1String("1");
    p.OPTIONA = view.fieldText(QStringLiteral("OPTIONA")) == QLatin1String("1") && !p.OPTIONB;
    return p;
}

// The edit view on the employee, or false when there is none of that key.
bool findEmployee(RecordView &view, const QString &identification, QString *error)
{
    const QString stored = TextRules::upperCase(TextRules::replaceApostrophes(identification));
    for (const QString &key : {identification, stored}) {
        if (StoreError refusal = view.findFirst(QStringLiteral("IDENTIFICATION"), key)) {
            *error = refusal.message();
            return false;
        }
        if (!view.noMatch())
            return true;
    }
    *error = QStringLiteral("Salarié inconnu : « %1 ». Un salarié se désigne par son "
                            "identification « NOM , PRENOM », telle que la liste des salariés la montre.")
                 .arg(identification);
    return false;
}

QString firstRecordError(RecordView &view)
{
    if (StoreError error = view.reload())
        return error.message();
    if (!view.hasCurrent())
        return QStringLiteral("La table %1 du fichier « %2 » est vide.")
            .arg(view.tableName(), QString::fromLatin1(Schema::MainFileName));
    return QString();
}

// The main file of the folder, opened without being created: a pay run
// reads an existing folder.
std::shared_ptr<Database> openMainFile(const QString &directory, QString *error)
{
    const QString mainFile = QString::fromLatin1(Schema::MainFileName);
    if (!QFileInfo(QDir(directory), mainFile).isFile()) {
        *error = QStringLiteral("Le dossier « %1 » ne contient pas le fichier %2 : indiquez le "
                                "dossier de travail avec --dir.")
                     .arg(QDir::toNativeSeparators(directory), mainFile);
        return nullptr;
    }
    StoreError openError;
    auto database = Database::open(directory, Schema::mainDatabase(), &openError);
    if (!database)
        *error = openError.message();
    return database;
}

// The parameters and the euro rate, as their screens show them.
QString readSettings(const std::shared_ptr<Database> &database, PayrollParameters *parameters,
                     QString *euroRate)
{
    RecordView parameterView(database, QStringLiteral("PARMETRE"));
    if (QString error = firstRecordError(parameterView); !error.isEmpty())
        return error;
    *parameters = payrollParameters(parameterView);

    RecordView euroView(database, QStringLiteral("TEURO"));
    if (QString error = firstRecordError(euroView); !error.isEmpty())
        return error;
    *euroRate = euroView.fieldText(QStringLiteral("Taux de L'euro"));
    return QString();
}

} // namespace

std::variant<StoredPayInputs, QString> StoredPayInputs::load(const QString &directory,
                                                             const QString &identification)
{
    QString error;
    const auto database = openMainFile(directory, &error);
    if (!database)
        return error;

    StoredPayInputs inputs;
    RecordView employees(database, QStringLiteral("SALARIE"));
    // The employee screen reads the place of every record first and so
    // learns of a damaged page; a lookup by key alone can miss it and take
    // the employee for unknown.
    if (StoreError refusal = employees.reload())
        return refusal.message();
    if (!findEmployee(employees, identification, &error))
        return error;
    inputs.employee = employeeFigures(employees);
    inputs.record = PayInputFields::employeeRecord(fieldOf(employees));
    inputs.identification = employees.fieldText(QStringLiteral("IDENTIFICATION"));

    if (error = readSettings(database, &inputs.parameters, &inputs.euroRate); !error.isEmpty())
        return error;
    return inputs;
}

std::variant<StoredStaff, QString> StoredPayInputs::loadStaff(const QString &directory)
{
    QString error;
    const auto database = openMainFile(directory, &error);
    if (!database)
        return error;

    StoredStaff staff;
    RecordView employees(database, QStringLiteral("SALARIE"));
    if (StoreError refusal = employees.reload())
        return refusal.message();
    staff.members.reserve(employees.count());
    while (employees.hasCurrent()) {
        StoredStaff::Member member;
        member.identification = employees.fieldText(QStringLiteral("IDENTIFICATION"));
        member.employee = employeeFigures(employees);
        member.record = PayInputFields::employeeRecord(fieldOf(employees));
        staff.members.append(std::move(member));
        if (StoreError refusal = employees.moveNext())
            return refusal.message();
    }

    if (error = readSettings(database, &staff.parameters, &staff.euroRate); !error.isEmpty())
        return error;
    return staff;
}

std::optional<QString> StoredPayInputs::loadEuroRate(const QString &directory, QString *error)
{
    const auto database = openMainFile(directory, error);
    if (!database)
        return std::nullopt;
    RecordView euroView(database, QStringLiteral("TEURO"));
    if (*error = firstRecordError(euroView); !error->isEmpty())
        return std::nullopt;
    return euroView.fieldText(QStringLiteral("Taux de L'euro"));
}

std::variant<EmployerRecordTexts, QString> StoredPayInputs::loadEmployer(const QString &directory)
{
    const QString employerFile = QString::fromLatin1(Schema::EmployerFileName);
    if (!QFileInfo(QDir(directory), employerFile).isFile())
        return QStringLiteral("Le dossier « %1 » ne contient pas le fichier %2 de l’employeur : "
                              "ouvrez une fois le programme dans ce dossier pour le créer.")
            .arg(QDir::toNativeSeparators(directory), employerFile);
    StoreError openError;
    const auto database = Database::open(directory, Schema::employerDatabase(), &openError);
    if (!database)
        return openError.message();
    RecordView view(database, QStringLiteral("EMPLOYEUR"));
    if (StoreError error = view.reload())
        return error.message();
    if (!view.hasCurrent())
        return QStringLiteral("La table EMPLOYEUR du fichier « %1 » est vide.").arg(employerFile);
    return PayInputFields::employer(fieldOf(view));
}
