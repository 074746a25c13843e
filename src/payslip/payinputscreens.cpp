#include "payinputscreens.h"

#include "employeerules.h"
#include "employeescreen.h"
#include "employerscreen.h"
#include "euroratescreen.h"
#include "payinputfields.h"
#include "parametersscreen.h"
#include "screennames.h"
#include "screenregistry.h"
#include "settingsrules.h"

namespace {

// The base fields of the employee screen, in its order.
enum Base { HourlyBase = 0, HourlyRate = 1, MutualAmount = 2, EmployerShare = 3 };

// The employee screen's field of a column: an identity field, a base
// field, the remaining share or the last line's free label.
QString employeeField(const EmployeeScreen &screen, const QString &column)
{
    const int identity = EmployeeRules::identityColumns().indexOf(column);
    if (identity >= 0)
        return screen.identityText(identity);
    const int base = EmployeeRules::baseColumns().indexOf(column);
    if (base >= 0)
        return screen.baseText(base);
    if (column == QLatin1String("RAPPLS1"))
        return screen.remainingShareText();
    if (column == QLatin1String("PAR3"))
        return screen.par3Text();
    return QString();
}

} // namespace

PayInputScreens::EmployeeShown PayInputScreens::employeeShown() const
{
    const auto *screen = m_registry.load<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return EmployeeShown();
    const QString names = screen->identityText(EmployeeRules::Surname) + u' '
                          + screen->identityText(EmployeeRules::FirstName);
    return {screen->keyText(), names.trimmed()};
}

EmployeeFigures PayInputScreens::employee() const
{
    const auto *screen = m_registry.load<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return EmployeeFigures();
    return PayInputFields::employeeFigures(
        [screen](const QString &column) { return employeeField(*screen, column); },
        [screen](int index) { return screen->rateText(index); });
}

PayrollParameters PayInputScreens::parameters() const
{
    const auto *screen = m_registry.load<ParametersScreen>(ScreenName::Parameters);
    if (!screen)
        return PayrollParameters();
    PayrollParameters p =
        PayInputFields::parameterTexts([screen](const QString &column) { return screen->fieldText(column); });
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
    const auto *screen = m_registry.load<EmployeeScreen>(ScreenName::Employee);
    if (!screen)
        return EmployeeRecordTexts();
    return PayInputFields::employeeRecord([screen](const QString &column) { return employeeField(*screen, column); });
}

EmployerRecordTexts PayInputScreens::employer() const
{
    const auto *screen = m_registry.load<EmployerScreen>(ScreenName::Employer);
    if (!screen)
        return EmployerRecordTexts();
    const QStringList columns = SettingsRules::employerColumns();
    return PayInputFields::employer(
        [screen, &columns](const QString &column) { return screen->fieldText(columns.indexOf(column)); });
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
