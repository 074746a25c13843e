#include "screencatalog.h"

#include "aboutbox.h"
#include "archivescreen.h"
#include "calculatorscreen.h"
#include "converterscreen.h"
#include "employeelistscreen.h"
#include "employeescreen.h"
#include "employerscreen.h"
#include "euroratescreen.h"
#include "mainwindow.h"
#include "messagebox.h"
#include "parametersscreen.h"
#include "payrunscreen.h"
#include "photopicker.h"
#include "preparationscreen.h"
#include "screennames.h"
#include "screenregistry.h"

#include <QPointer>

namespace {

// The calculator hands its result to the employee screen's active editor
// when that screen is on view, and to nobody otherwise.
QWidget *newCalculator(ScreenRegistry &registry)
{
    auto *calculator = new CalculatorScreen;
    calculator->setResultReceiver([&registry](const QString &display) {
        auto *employee = registry.find<EmployeeScreen>(ScreenName::Employee);
        if (employee && employee->isVisible())
            employee->receiveCalculatorResult(display);
    });
    return calculator;
}

// "Envoi" shows the employee screen, whose activation reads the request;
// it is refused while an add or a modification is under way there.
QWidget *newEmployeeList(ScreenRegistry &registry)
{
    auto *list = new EmployeeListScreen;
    list->setEmployeeScreenOpener([&registry] { registry.show(ScreenName::Employee); });
    list->setSendRefusal([&registry]() -> std::optional<QString> {
        const auto *employee = registry.find<EmployeeScreen>(ScreenName::Employee);
        return employee ? employee->sendRefusal() : std::nullopt;
    });
    return list;
}

// A minimised picker comes back as it was left; otherwise it shows the
// employee's current photo and hands the chosen one back to the edit under
// way, and to that edit only.
void openPhotoPicker(ScreenRegistry &registry, EmployeeScreen *employee)
{
    auto *open = registry.find<PhotoPicker>(ScreenName::Photo);
    if (open && open->isMinimized()) {
        open->showNormal();
        return;
    }
    auto *picker = registry.load<PhotoPicker>(ScreenName::Photo);
    if (!picker)
        return;
    picker->setHandOver(employee->photoHandOver());
    picker->setPhoto(employee->photoData());
    registry.show(ScreenName::Photo);
}

// The employee screen's ways to the tools: the list's send request read at
// each activation (the list closes once read), the calculator and the photo
// picker on request.
void wireEmployeeTools(ScreenRegistry &registry, EmployeeScreen *employee)
{
    if (!employee)
        return;
    employee->setSendRequestSource([&registry]() -> std::optional<QString> {
        // A row of the month's pay run opened in the preparation comes first.
        if (auto *payRun = registry.find<PayRunScreen>(ScreenName::PayRun)) {
            if (std::optional<QString> requested = payRun->takeEmployeeRequest())
                return requested;
        }
        auto *list = registry.find<EmployeeListScreen>(ScreenName::EmployeeList);
        if (!list || !list->sendRequested())
            return std::nullopt;
        const QString chosen = list->chosenName();
        list->close();
        return chosen;
    });
    QObject::connect(employee, &EmployeeScreen::calculatorRequested, &registry,
                     [&registry] { registry.show(ScreenName::Calculator); });
    QObject::connect(employee, &EmployeeScreen::photoPickerRequested, &registry,
                     [&registry, employee] { openPhotoPicker(registry, employee); });
    // The picker serves the edit that opened it, and goes with it.
    QObject::connect(employee, &EmployeeScreen::editEnded, &registry, [&registry] {
        if (QWidget *picker = registry.find(ScreenName::Photo))
            picker->close();
    });
    employee->setPreparationOpener([&registry] { PreparationScreen::prepareForEmployeeShown(registry); });
}

// One row of the month's pay run looked at in detail: the employee screen
// comes to that employee (not while an add or a modification is under way
// there), the preparation opens for them and the row's figures are typed in.
void openPayRunRow(ScreenRegistry &registry, PayRunScreen *payRun, const QString &identification,
                   const PaySheet &typed)
{
    if (const auto *shown = registry.find<EmployeeScreen>(ScreenName::Employee)) {
        if (const std::optional<QString> refusal = shown->sendRefusal()) {
            payRun->takeEmployeeRequest();
            MessageBox::show(payRun, *refusal, MessageBox::Exclamation, QStringLiteral("Fiche détaillée"));
            return;
        }
    }
    auto *employee = qobject_cast<EmployeeScreen *>(registry.show(ScreenName::Employee));
    if (!employee)
        return;
    // Read now, whenever the window manager makes the screen active.
    employee->activate();
    payRun->takeEmployeeRequest();
    if (employee->keyText() != identification) {
        MessageBox::show(payRun,
                         QStringLiteral("%1 n’est plus dans le fichier salariés : sa fiche de paie ne peut pas "
                                        "être préparée.").arg(identification),
                         MessageBox::Exclamation, QStringLiteral("Fiche détaillée"));
        return;
    }
    PreparationScreen::prepareForEmployeeShown(registry);
    auto *preparation = registry.find<PreparationScreen>(ScreenName::Preparation);
    if (preparation && preparation->employee().key == identification)
        preparation->typeInputs(typed);
}

QWidget *newPayRun(ScreenRegistry &registry, const PrinterChoice *printers)
{
    auto *payRun = new PayRunScreen(printers);
    payRun->setPreparationOpener([&registry, payRun](const QString &identification, const PaySheet &typed) {
        openPayRunRow(registry, payRun, identification, typed);
    });
    return payRun;
}

} // namespace

namespace ScreenCatalog {

void registerScreens(ScreenRegistry &registry, const PrinterChoice *printers)
{
    registry.registerScreen(ScreenName::Parameters, [] { return new ParametersScreen; });
    registry.registerScreen(ScreenName::EuroRate, [] { return new EuroRateScreen; });
    registry.registerScreen(ScreenName::Employer, [] { return new EmployerScreen; });
    registry.registerScreen(ScreenName::Converter, [] { return new ConverterScreen; });
    registry.registerScreen(ScreenName::About, [] { return new AboutBox; });
    registry.registerScreen(ScreenName::Employee, [] { return new EmployeeScreen; });
    registry.registerScreen(ScreenName::EmployeeList, [&registry] { return newEmployeeList(registry); });
    registry.registerScreen(ScreenName::Calculator, [&registry] { return newCalculator(registry); });
    registry.registerScreen(ScreenName::Photo, [] { return new PhotoPicker; });
    // A preparation whose opening refuses a value is not created at all.
    registry.registerScreen(ScreenName::Preparation,
                            [&registry, printers] { return PreparationScreen::open(registry, printers); });
    // After a deletion the archive opens itself anew, reading the folder again.
    registry.registerScreen(ScreenName::Archive, [&registry, printers] {
        return new ArchiveScreen(printers, [&registry] { registry.show(ScreenName::Archive); });
    });
    registry.registerScreen(ScreenName::PayRun, [&registry, printers] { return newPayRun(registry, printers); });
}

void wire(MainWindow &window, ScreenRegistry &registry)
{
    window.setEuroRateReader([&registry]() -> MainWindow::RateReading {
        // Loaded without being shown when closed: the stored rate is used;
        // when open, the rate it currently shows, validated or not.
        auto *screen = registry.load<EuroRateScreen>(ScreenName::EuroRate);
        if (!screen)
            return {};
        return {screen->rateText(), screen->readFailure()};
    });
    QObject::connect(&registry, &ScreenRegistry::screenLoaded, &registry,
                     [&registry](const QString &name, QWidget *screen) {
                         if (name == ScreenName::Employee)
                             wireEmployeeTools(registry, qobject_cast<EmployeeScreen *>(screen));
                     });
    window.refreshAvailableScreens();
}

} // namespace ScreenCatalog
