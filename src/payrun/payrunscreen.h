#pragma once

#include "payrunperiod.h"
#include "paysheet.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class PayRunModel;
class PayRunOutputs;
class PrinterChoice;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class ReportPreview;

// « Paie du mois »: the month's pay for the whole staff in one grid. The
// clerk chooses the month (its first and last day may be moved), types the
// month's figures — the three figures of the previous slip come already
// filled in from the slips saved — and "Calculer" computes every row; the
// slips are then previewed, printed, saved or exported together. What is
// typed is kept as a draft in the working folder at each change, so that
// closing the window or the program loses nothing. The screen holds no
// arithmetic: the pay run, its calculation and its files are the domain's.
class PayRunScreen : public QWidget
{
    Q_OBJECT

public:
    // Opens one row in the preparation screen: the employee's
    // identification, and the figures to type there.
    using PreparationOpener = std::function<void(const QString &identification, const PaySheet &typed)>;

    explicit PayRunScreen(const PrinterChoice *printers = nullptr, QWidget *parent = nullptr);
    ~PayRunScreen() override;

    void setPreparationOpener(PreparationOpener opener) { m_openPreparation = std::move(opener); }
    // The employee whose row is being opened in the preparation, once: the
    // employee screen reads it to come to that employee.
    std::optional<QString> takeEmployeeRequest() { return std::exchange(m_employeeRequest, std::nullopt); }

    // Shows the period's grid: the staff, the carried figures, the draft.
    bool openPeriod(const PayRunPeriod &period);
    // The month after the last one paid, the current month when none was.
    static PayRunPeriod nextMonthToPay(const QString &directory);
    const PayRunPeriod &period() const { return m_period; }
    PayRunModel &model() const { return *m_model; }
    QTableView *grid() const { return m_grid; }

    // The buttons' actions; "PDF" and "Importer…" once the file is chosen.
    void calculate();
    void openRow(int row);
    void preview();
    void print();
    void save();
    void writePdf(const QString &path);
    bool importFile(const QString &path);

    ReportPreview *previewWindow() const;
    QString statusText() const;

private:
    QLayout *buildPeriod();
    QLayout *buildButtons();
    QPushButton *button(const char *name, const QString &caption, const QString &tip, const QKeySequence &key);
    void monthChosen();
    void typedPeriod();
    void showPeriodFields();
    void showOpened();
    void commitEditedFigure();
    void keepDraft();
    void showRefusals();
    void showComputed();
    void setStatus(const QString &text);
    void askPdf();
    void askImport();
    void openCurrentRow();

    std::unique_ptr<PayRunModel> m_model;
    std::unique_ptr<PayRunOutputs> m_outputs;
    PayRunPeriod m_period;
    PreparationOpener m_openPreparation;
    std::optional<QString> m_employeeRequest;
    QComboBox *m_month;
    QSpinBox *m_year;
    QLineEdit *m_first;
    QLineEdit *m_last;
    QTableView *m_grid;
    QLabel *m_status;
};
