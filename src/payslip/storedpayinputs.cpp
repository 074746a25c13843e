#include "storedpayinputs.h"

#include "database.h"
#include "employeerules.h"
#include "recordview.h"
#include "schema.h"
#include "textrules.h"

#include <QDir>
#include <QFileInfo>

namespace {

EmployeeFigures employeeFigures(const RecordView &view)
{
    EmployeeFigures figures;
    figures.NOM = view.fieldText(QStringLiteral("NOM"));
    figures.BASEHORAIRE = view.fieldText(QStringLiteral("BASEHORAIRE"));
    figures.TAUXHORAIRE = view.fieldText(QStringLiteral("TAUXHORAIRE"));
    figures.MDLBAC1 = view.fieldText(QStringLiteral("MDLBAC1"));
    figures.PP1 = view.fieldText(QStringLiteral("PP1"));
    figures.RAPPLS1 = view.fieldText(QStringLiteral("RAPPLS1"));
    const QStringList columns = Schema::rateColumns();
    for (int i = 0; i < columns.size(); ++i)
        figures.rates[i] = EmployeeRules::browsedRate(view.fieldText(columns.at(i)));
    return figures;
}

EmployeeRecordTexts recordTexts(const RecordView &view)
{
    const auto text = [&view](const char *column) { return view.fieldText(QString::fromUtf8(column)); };
    EmployeeRecordTexts record;
    record.NOM = text("NOM");
    record.PRENOM = text("PRENOM");
    record.NUMSECU = text("NUMSECU");
    record.ADRESSE = text("ADRESSE");
    record.CODEPOSTAL = text("CODEPOSTAL");
    record.VILLE = text("VILLE");
    record.POSTE = text("POSTE");
    record.ENTRE_LE = text("Entré le");
    record.TAUXHORAIRE = text("TAUXHORAIRE");
    record.BASEHORAIRE = text("BASEHORAIRE");
    record.PP1 = text("PP1");
    record.RAPPLS1 = text("RAPPLS1");
    record.PAR3 = text("PAR3");
    return record;
}

EmployerRecordTexts employerTexts(const RecordView &view)
{
    const auto text = [&view](const char *column) { return view.fieldText(QString::fromUtf8(column)); };
    EmployerRecordTexts employer;
    employer.NomSociete = text("NomSociété");
    employer.Adresse = text("Adresse");
    employer.CodePostal = text("CodePostal");
    employer.Ville = text("Ville");
    employer.NumeroTel = text("NuméroTél");
    employer.Siret = text("Siret");
    employer.APE = text("APE");
    employer.NoURSSAF = text("N°URSSAF");
    return employer;
}

PayrollParameters payrollParameters(const RecordView &view)
{
    PayrollParameters p;
    const auto text = [&view](const char *column) { return view.fieldText(QLatin1String(column)); };
    p.PRETRANCHEH = text("PRETRANCHEH");
    p.DEUTRANCHEH = text("DEUTRANCHEH");
    p.HEURSUP1 = text("HEURSUP1");
    p.HEURSUP2 = text("HEURSUP2");
    p.POURCENTCSGRDS = text("POURCENTCSGRDS");
    p.POURCENTCSGROPTIOB = text("POURCENTCSGROPTIOB");
    p.conge1 = text("conge1");
    p.conge2 = text("conge2");
    // The parameters screen ticks A, then B, and ticking one unticks the
    // other: a record with both ticked shows B only.
    p.OPTIONB = text("OPTIONB") == QLatin1String("1");
    p.OPTIONA = text("OPTIONA") == QLatin1String("1") && !p.OPTIONB;
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

} // namespace

std::variant<StoredPayInputs, QString> StoredPayInputs::load(const QString &directory,
                                                             const QString &identification)
{
    // The files are not created here: a pay run reads an existing folder.
    const QString mainFile = QString::fromLatin1(Schema::MainFileName);
    if (!QFileInfo(QDir(directory), mainFile).isFile())
        return QStringLiteral("Le dossier « %1 » ne contient pas le fichier %2 : indiquez le "
                              "dossier de travail avec --dir.")
            .arg(QDir::toNativeSeparators(directory), mainFile);
    StoreError openError;
    const auto database = Database::open(directory, Schema::mainDatabase(), &openError);
    if (!database)
        return openError.message();

    StoredPayInputs inputs;
    QString error;
    RecordView employees(database, QStringLiteral("SALARIE"));
    if (!findEmployee(employees, identification, &error))
        return error;
    inputs.employee = employeeFigures(employees);
    inputs.record = recordTexts(employees);

    RecordView parameterView(database, QStringLiteral("PARMETRE"));
    if (error = firstRecordError(parameterView); !error.isEmpty())
        return error;
    inputs.parameters = payrollParameters(parameterView);

    RecordView euroView(database, QStringLiteral("TEURO"));
    if (error = firstRecordError(euroView); !error.isEmpty())
        return error;
    inputs.euroRate = euroView.fieldText(QStringLiteral("Taux de L'euro"));
    return inputs;
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
    return employerTexts(view);
}
