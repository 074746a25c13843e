#include "payinputfields.h"

#include "contributionlines.h"

namespace PayInputFields {

EmployeeFigures employeeFigures(const FieldReader &field, const RateReader &rate)
{
    EmployeeFigures figures;
    figures.NOM = field(QStringLiteral("NOM"));
    figures.BASEHORAIRE = field(QStringLiteral("BASEHORAIRE"));
    figures.TAUXHORAIRE = field(QStringLiteral("TAUXHORAIRE"));
    figures.MDLBAC1 = field(QStringLiteral("MDLBAC1"));
    figures.PP1 = field(QStringLiteral("PP1"));
    figures.RAPPLS1 = field(QStringLiteral("RAPPLS1"));
    for (int i = 0; i < ContributionLines::RateCount; ++i)
        figures.rates[i] = rate(i);
    return figures;
}

EmployeeRecordTexts employeeRecord(const FieldReader &field)
{
    EmployeeRecordTexts record;
    record.NOM = field(QStringLiteral("NOM"));
    record.PRENOM = field(QStringLiteral("PRENOM"));
    record.NUMSECU = field(QStringLiteral("NUMSECU"));
    record.ADRESSE = field(QStringLiteral("ADRESSE"));
    record.CODEPOSTAL = field(QStringLiteral("CODEPOSTAL"));
    record.VILLE = field(QStringLiteral("VILLE"));
    record.POSTE = field(QStringLiteral("POSTE"));
    record.ENTRE_LE = field(QStringLiteral("Entré le"));
    record.TAUXHORAIRE = field(QStringLiteral("TAUXHORAIRE"));
    record.BASEHORAIRE = field(QStringLiteral("BASEHORAIRE"));
    record.PP1 = field(QStringLiteral("PP1"));
    record.RAPPLS1 = field(QStringLiteral("RAPPLS1"));
    record.PAR3 = field(QStringLiteral("PAR3"));
    return record;
}

EmployerRecordTexts employer(const FieldReader &field)
{
    EmployerRecordTexts employer;
    employer.NomSociete = field(QStringLiteral("NomSociété"));
    employer.Adresse = field(QStringLiteral("Adresse"));
    employer.CodePostal = field(QStringLiteral("CodePostal"));
    employer.Ville = field(QStringLiteral("Ville"));
    employer.NumeroTel = field(QStringLiteral("NuméroTél"));
    employer.Siret = field(QStringLiteral("Siret"));
    employer.APE = field(QStringLiteral("APE"));
    employer.NoURSSAF = field(QStringLiteral("N°URSSAF"));
    return employer;
}

PayrollParameters parameterTexts(const FieldReader &field)
{
    PayrollParameters p;
    p.PRETRANCHEH = field(QStringLiteral("PRETRANCHEH"));
    p.DEUTRANCHEH = field(QStringLiteral("DEUTRANCHEH"));
    p.HEURSUP1 = field(QStringLiteral("HEURSUP1"));
    p.HEURSUP2 = field(QStringLiteral("HEURSUP2"));
    p.POURCENTCSGRDS = field(QStringLiteral("POURCENTCSGRDS"));
    p.POURCENTCSGROPTIOB = field(QStringLiteral("POURCENTCSGROPTIOB"));
    p.conge1 = field(QStringLiteral("conge1"));
    p.conge2 = field(QStringLiteral("conge2"));
    return p;
}

} // namespace PayInputFields
