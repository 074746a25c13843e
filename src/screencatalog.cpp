#include "screencatalog.h"

#include "aboutbox.h"
#include "converterscreen.h"
#include "employeescreen.h"
#include "employerscreen.h"
#include "euroratescreen.h"
#include "mainwindow.h"
#include "parametersscreen.h"
#include "screennames.h"
#include "screenregistry.h"

namespace ScreenCatalog {

void registerScreens(ScreenRegistry &registry)
{
    registry.registerScreen(ScreenName::Parameters, [] { return new ParametersScreen; });
    registry.registerScreen(ScreenName::EuroRate, [] { return new EuroRateScreen; });
    registry.registerScreen(ScreenName::Employer, [] { return new EmployerScreen; });
    registry.registerScreen(ScreenName::Converter, [] { return new ConverterScreen; });
    registry.registerScreen(ScreenName::About, [] { return new AboutBox; });
    registry.registerScreen(ScreenName::Employee, [] { return new EmployeeScreen; });
}

void wire(MainWindow &window, ScreenRegistry &registry)
{
    window.setEuroRateReader([&registry]() -> QString {
        // Loaded without being shown when closed: the stored rate is used;
        // when open, the rate it currently shows, validated or not.
        auto *screen = registry.load<EuroRateScreen>(ScreenName::EuroRate);
        return screen ? screen->rateText() : QString();
    });
    window.refreshAvailableScreens();
}

} // namespace ScreenCatalog
