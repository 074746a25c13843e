#include "payinputscreens.h"

#include "employeerules.h"
#include "employeescreen.h"
#include "employerscreen.h"
#include "euroratescreen.h"
#include "parametersscreen.h"
#include "screennames.h"
#include "screenregistry.h"
#include "settingsrules.h"

namespace {

// The base fields of the employee screen, in its order.
enum Base { HourlyBase = 0, HourlyRate = 1, MutualAmount = 2, EmployerShare = 3 };

} // namespace

EmployeeFigures PayInputScreens::employee() const
{
    EmployeeFigures figures;
    const auto *screen = m_registry.load<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return figures;
    figures.NOM = screen->identityText(EmployeeRules::Surname);
    figures.BASEHORAIRE = screen->baseText(HourlyBase);
    figures.TAUXHORAIRE = screen->baseText(HourlyRate);
    figures.MDLBAC1 = screen->baseText(MutualAmount);
    figures.PP1 = screen->baseText(EmployerShare);
    figures.RAPPLS1 = screen->remainingShareText();
    for (int i = 0; i < ContributionLines::RateCount; ++i)
        figures.rates[i] = screen->rateText(i);
    return figures;
}

PayrollParameters PayInputScreens::parameters() const
{
    PayrollParameters p;
    const auto *screen = m_registry.load<ParametersScreen>(ScreenName::Parameters);
    if (!screen)
        return p;
    const auto text = [screen](const char *column) { return screen->fieldText(QLatin1String(column)); };
    p.PRETRANCHEH = text("PRETRANCHEH");
    p.DEUTRANCHEH = text("DEUTRANCHEH");
    p.HEURSUP1 = text("HEURSUP1");
    p.HEURSUP2 = text("HEURSUP2");
    p.POURCENTCSGRDS = text("POURCENTCSGRDS");
    p.POURCENTCSGROPTIOB = text("POURCENTCSGROPTIOB");
    p.conge1 = text("conge1");
    p.conge2 = text("conge2");
    p.OPTIONA = screen->optionA();
    p.OPTIONB = screen->optionB();
    return p;
}

QString PayInputScreens::euroRate() const
{
    const auto *screen = m_registry.load<EuroRateScreen>(ScreenName::EuroRate);
    return screen ? screen->rateText() : QString();
}

EmployeeRecordTexts PayInputScreens::employeeRecord() const
{
    EmployeeRecordTexts record;
    const auto *screen = m_registry.load<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return record;
    const QStringList columns = EmployeeRules::identityColumns();
    const auto identity = [screen, &columns](const QString &column) {
        return screen->identityText(columns.indexOf(column));
    };
    record.NUMSECU = identity(QStringLiteral("NUMSECU"));
    record.NOM = identity(QStringLiteral("NOM"));
    record.PRENOM = identity(QStringLiteral("PRENOM"));
    record.ADRESSE = identity(QStringLiteral("ADRESSE"));
    record.CODEPOSTAL = identity(QStringLiteral("CODEPOSTAL"));
    record.VILLE = identity(QStringLiteral("VILLE"));
    record.POSTE = identity(QStringLiteral("POSTE"));
    record.ENTRE_LE = identity(QStringLiteral("Entré le"));
    record.BASEHORAIRE = screen->baseText(HourlyBase);
    record.TAUXHORAIRE = screen->baseText(HourlyRate);
    record.PP1 = screen->baseText(EmployerShare);
    record.RAPPLS1 = screen->remainingShareText();
    record.PAR3 = screen->par3Text();
    return record;
}

EmployerRecordTexts PayInputScreens::employer() const
{
    EmployerRecordTexts employer;
    const auto *screen = m_registry.load<EmployerScreen>(ScreenName::Employer);
    if (!screen)
        return employer;
    const QStringList columns = SettingsRules::employerColumns();
    const auto text = [screen, &columns](const QString &column) {
        return screen->fieldText(columns.indexOf(column));
    };
    employer.NomSociete = text(QStringLiteral("NomSociété"));
    employer.Adresse = text(QStringLiteral("Adresse"));
    employer.CodePostal = text(QStringLiteral("CodePostal"));
    employer.Ville = text(QStringLiteral("Ville"));
    employer.NumeroTel = text(QStringLiteral("NuméroTél"));
    employer.Siret = text(QStringLiteral("Siret"));
    employer.APE = text(QStringLiteral("APE"));
    employer.NoURSSAF = text(QStringLiteral("N°URSSAF"));
    return employer;
}

void PayInputScreens::showEmployeeDefaults(const EmployeeFigures &read, const EmployeeFigures &shown) const
{
    auto *screen = m_registry.find<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return;
    if (shown.BASEHORAIRE != read.BASEHORAIRE)
        screen->setBaseText(HourlyBase, shown.BASEHORAIRE);
    if (shown.TAUXHORAIRE != read.TAUXHORAIRE)
        screen->setBaseText(HourlyRate, shown.TAUXHORAIRE);
}
