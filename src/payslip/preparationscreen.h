#pragma once

#include "carryover.h"
#include "payinputscreens.h"
#include "paysheet.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <utility>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class PayslipReport;
class PayslipSaveDialog;
class PrinterChoice;
class ScreenRegistry;
struct ReportError;

// Where one pay slip is prepared for the employee current on the employee
// screen: the clerk types the period's hours and amounts, "Lancer le calcul"
// runs the pay calculation on them and on what the employee, parameters and
// euro rate screens show, and the results appear in francs and euros. The
// screen only gathers texts and shows the pay sheet; every figure comes from
// the calculation. Each opening starts from a fresh sheet.
//
// The pay slip itself is shown, printed or saved through the screen's own
// report object: each of those actions runs the calculation again, so the
// document always matches the figures on view.
class PreparationScreen : public QWidget
{
    Q_OBJECT

public:
    // The preparation for the employee now current, or nullptr when a value
    // the opening reads is not a number: the clerk has then been told which
    // one and where to correct it.
    // `printers` is the main window's printer set-up; it outlives the screen.
    static PreparationScreen *open(ScreenRegistry &registry, const PrinterChoice *printers = nullptr);
    ~PreparationScreen() override;

    // "Paie" of the employee screen: the preparation for the employee it
    // shows. One opened for somebody else gives way first, once the clerk
    // has agreed to lose the figures typed on it.
    static void prepareForEmployeeShown(ScreenRegistry &registry);

    // The key and names of the employee this pay slip is for: the one the
    // employee screen showed when it opened.
    const PayInputScreens::EmployeeShown &employee() const { return m_employee; }
    // Something other than the opening's blank or « 0 » has been typed.
    bool hasTypedFigures() const;
    // Types the inputs of `typed` into the screen's fields (the month's pay
    // run opens one of its rows here); nothing is computed yet.
    void typeInputs(const PaySheet &typed);

    // "Lancer le calcul". False when the employee screen shows another
    // employee than this pay slip's, or when a value read is not a number:
    // the clerk has been told and nothing on the screen has changed.
    bool calculate();
    const PaySheet &sheet() const { return m_sheet; }

    // "Aperçu avant impression", "Imprimer la fiche de Paie" and
    // "Enregistrement de la fiche".
    enum class Output { Preview, Print, Save };
    void produce(Output output);

    // "Reprendre la dernière fiche" (F9): the leave hours still due and the
    // two cumulatives from the employee's previous saved slip for the period
    // typed, with a line under them that says which slip; the fields stay
    // as they are when no slip can be trusted, and the line says why.
    void takeLastSlip();

    PayslipReport &report() const { return *m_report; }
    // The save-as dialog while it is open.
    PayslipSaveDialog *saveDialog() const;

private:
    using SheetText = QString PaySheet::*;

    PreparationScreen(ScreenRegistry &registry, PaySheet sheet, PayInputScreens::EmployeeShown employee,
                      const PrinterChoice *printers);

    QWidget *buildInputs();
    QWidget *buildResults();
    QLayout *buildButtons();
    QHBoxLayout *periodLine(const std::array<const char *, 3> &names,
                            const std::array<SheetText, 3> &values);
    QLineEdit *input(const char *name, SheetText value, const QString &tip, int width);
    QLineEdit *numericInput(const char *name, SheetText value, const QString &tip = QString());
    QLabel *result(const char *name, SheetText value, int width);
    QLabel *addAmountRow(QGridLayout *grid, int row, const QString &caption, const char *francs,
                      SheetText francsValue, const char *euros, SheetText eurosValue);
    void addOvertimeRow(QGridLayout *grid, int row, const QString &caption, const char *hours,
                        SheetText hoursValue, const char *percent, SheetText percentValue,
                        const char *francs, SheetText francsValue, const char *euros,
                        SheetText eurosValue);
    QPushButton *button(const char *name, const QString &caption);
    static void withKey(QPushButton *button, Qt::Key key);

    bool giveWayTo(const PayInputScreens::EmployeeShown &other) const;
    bool refuseOtherEmployee(const PayInputScreens &screens);
    void readInputs(PaySheet &sheet) const;
    QWidget *buildLastSlipRows(int width);
    std::optional<CarryOver> carryOverFor(const PaySheet &sheet, bool createHistory, QString *why);
    void showCarryOverCue(const PaySheet &sheet);
    static void showLine(QLabel *line, const QString &text);
    void showSheet();
    ReportError finish(PayslipReport &report, Output output);
    void openSaveDialog();
    std::optional<QString> systematicName() const;
    void backToEmployees();
    void leave();

    ScreenRegistry &m_registry;
    PaySheet m_sheet;
    PayInputScreens::EmployeeShown m_employee;
    QList<std::pair<QLineEdit *, SheetText>> m_inputs;
    QList<std::pair<QLabel *, SheetText>> m_results;
    std::unique_ptr<PayslipReport> m_report;
    QPointer<PayslipSaveDialog> m_saveDialog;
    QLabel *m_lastSlip = nullptr;    // which slip the three figures come from
    QLabel *m_lastSlipCue = nullptr; // the three figures differ from it
    std::optional<CarryOver> m_carried; // the last one looked up, for its period
};
