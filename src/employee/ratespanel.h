#pragma once

#include "employeepanel.h"

class CalculatorPicture;
class QLineEdit;

// The panel of the tab "Taux des Cotisations": the forty contribution rates
// TauxCot_0 to TauxCot_39 (even: employer, odd: employee) in two blocks of
// ten lines, the name of the twentieth line (Text45, typed into directly),
// the numeric editor txtmove1 and its calculator picture PicCal1.
class RatesPanel : public EmployeePanel
{
    Q_OBJECT

public:
    explicit RatesPanel(QWidget *parent = nullptr);

    QLineEdit *par3Field() const { return m_par3; }
    CalculatorPicture *calculatorPicture() const { return m_calculator; }

    // What browsing does: an empty rate becomes « 0 », then the rate mask.
    void browseRates();
    // The rate checks of the editor's focus: a rate above 100 is lowered to
    // 100 with an advice.
    void checkRates();
    // The same checks, silently ("Valider").
    void saveRates();

private:
    void addRow(int row, const QString &caption);

    QLineEdit *m_par3 = nullptr;
    CalculatorPicture *m_calculator = nullptr;
};
