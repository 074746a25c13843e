#pragma once

#include "paysheet.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
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

    // "Lancer le calcul". False when a value read is not a number: the clerk
    // has been told and nothing on the screen has changed.
    bool calculate();
    const PaySheet &sheet() const { return m_sheet; }

    // "Aperçu avant impression", "Imprimer la fiche de Paie" and
    // "Enregistrement de la fiche".
    enum class Output { Preview, Print, Save };
    void produce(Output output);

    PayslipReport &report() const { return *m_report; }
    // The save-as dialog while it is open.
    PayslipSaveDialog *saveDialog() const;

private:
    using SheetText = QString PaySheet::*;

    PreparationScreen(ScreenRegistry &registry, PaySheet sheet, const PrinterChoice *printers);

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

    void readInputs(PaySheet &sheet) const;
    void showSheet();
    ReportError finish(PayslipReport &report, Output output);
    void openSaveDialog();
    void backToEmployees();
    void leave();

    ScreenRegistry &m_registry;
    PaySheet m_sheet;
    QList<std::pair<QLineEdit *, SheetText>> m_inputs;
    QList<std::pair<QLabel *, SheetText>> m_results;
    std::unique_ptr<PayslipReport> m_report;
    QPointer<PayslipSaveDialog> m_saveDialog;
};
