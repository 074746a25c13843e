#pragma once

#include "employeerecordtexts.h"
#include "employerrecordtexts.h"
#include "formulaentry.h"
#include "paysheet.h"

#include <QList>
#include <QString>

// The pay slip document: the 183 formula entries a pay slip layout is filled
// with (the 182 of every pay slip layout, then the bonus "PRIME"), built from
// the pay sheet just after a calculation, the employee shown on the employee
// screen and the employer. Entries that would print a zero are left blank
// (or a single space where the layout expects one), so that a line the
// employee has nothing on disappears from the pay slip whole.
class PayslipFormulaSet
{
public:
    static constexpr int Count = 183;

    // The entries in hand-over order. The first is the calculation's own
    // "CUM" entry (formula 888), which the calculation hands over before the
    // rest; the last is the bonus "PRIME" (formula 3001). Handing the list
    // over in order is therefore the whole pay slip.
    //
    // Building formats in the sheet the rate copies, the forty contribution
    // amounts and the CSG base with "#,##0.00", as the pay slip shows them,
    // and changes nothing else; the next calculation computes them afresh.
    static QList<FormulaEntry> build(PaySheet &sheet, const EmployeeRecordTexts &employee,
                                     const EmployerRecordTexts &employer);

    // NAME='value', the value as it stands: the report engine reads a value
    // up to the final quote, so a quote inside it needs no escaping.
    static QString entryText(const QString &name, const QString &value);

    // The formulas a contribution line (0 to 19) prints under, for a reader
    // of saved pay slips: its label, its base, the employee's amount and the
    // employer's amount.
    struct LineNames
    {
        QString label;
        QString base;
        QString employeeAmount;
        QString employerAmount;
    };
    static LineNames lineNames(int line);
};
