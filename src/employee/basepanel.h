#pragma once

#include "employeepanel.h"

class CalculatorPicture;
class QLabel;

// The panel of the tab "Base": the hourly base and rate, the mutual-insurance
// amount and its employer share (base_0 to base_3, served by the numeric
// editor Txtmove2 with its calculator picture PicCal2) and the share left to
// the employee (label38), recomputed as the editor's text changes.
class BasePanel : public EmployeePanel
{
    Q_OBJECT

public:
    explicit BasePanel(QWidget *parent = nullptr);

    QLabel *remainingShare() const { return m_remaining; }
    CalculatorPicture *calculatorPicture() const { return m_calculator; }

    // An empty base field becomes « 0 », then the mask "#,##0.0#".
    void normaliseBases();
    // label38 := MDLBAC1 - PP1; left empty while either is not a number.
    void recomputeRemainingShare();

signals:
    void remainingShareChanged(const QString &text);

private:
    void addBaseRow(int index, const QString &caption, int y);

    QLabel *m_remaining = nullptr;
    CalculatorPicture *m_calculator = nullptr;
};
