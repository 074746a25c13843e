#pragma once

#include "payrollparameters.h"
#include "payrunperiod.h"
#include "payrunrow.h"
#include "payruntotals.h"
#include "storedstaff.h"

#include <QHash>
#include <QList>
#include <optional>
#include <variant>

class PayRunHistory;

// The month's pay for the whole staff: one row per employee of the file, in
// the file's order, with the month's figures, computed by the one pay
// calculation of the program — each row exactly as "Lancer le calcul" of
// the preparation would compute it for that employee, with the parameters
// and euro rate as stored. A row the calculation refuses keeps its message;
// the others compute.
class PayRun
{
public:
    PayRun(const StoredStaff &staff, const PayRunPeriod &period);

    // The staff of the working folder for the period, each row holding the
    // figures carried over from the employee's previous slip in the
    // folder's history. On failure, a French message.
    static std::variant<PayRun, QString> open(const QString &directory, const PayRunPeriod &period,
                                              const PayRunHistory &history);

    const PayRunPeriod &period() const { return m_period; }
    int size() const { return int(m_rows.size()); }
    const PayRunRow &row(int index) const { return m_rows.at(index); }

    // The previous slip's figures become the rows' carried figures, and
    // each row learns of the slip already saved for the period.
    void readHistory(const PayRunHistory &history);
    void setCarriedOver(int row, const CarriedOver &carried);
    // A figure as typed; the row's result is cleared.
    void setFigure(int row, int figure, const QString &text);

    // "Calculer": every row; then one row.
    void calculate();
    bool calculate(int row);
    PayRunTotals totals() const;
    QList<int> computedRows() const;

    // The row of an employee designated as `quorvan payslip --employee`
    // does: the identification as typed or as the employee screen stores it.
    std::optional<int> findEmployee(const QString &identification) const;

    // The row's slip is saved, from the figures it holds now.
    void setSaved(int row, const QString &fileName);

    const PayrollParameters &parameters() const { return m_parameters; }
    const QString &euroRate() const { return m_euroRate; }

private:
    void clearResult(PayRunRow &row);
    void typePeriod(PaySheet &sheet) const;

    PayRunPeriod m_period;
    QList<PayRunRow> m_rows;
    PayrollParameters m_parameters;
    QString m_euroRate;
    QHash<QString, int> m_byIdentification;
};
