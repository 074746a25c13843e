#include "payinputscreens.h"

#include "employeerules.h"
#include "employeescreen.h"
#include "euroratescreen.h"
#include "parametersscreen.h"
#include "screennames.h"
#include "screenregistry.h"

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
