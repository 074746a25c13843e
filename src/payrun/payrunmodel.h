#pragma once

#include "payrun.h"

#include <QAbstractTableModel>
#include <optional>

// The grid of the month's pay run: one row per employee, then the totals.
// Columns: the identification, the hourly base, the three figures carried
// over from the previous slip and where they come from, the seven figures
// of the month, then what "Calculer" made of them — gross, employee and
// employer deductions, net to pay — or the calculation's refusal, and the
// slip saved for the period. The ten figures are edited; a carried figure
// changed by hand is marked.
class PayRunModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Employee,
        HourlyBase,
        FirstFigure, // the ten figures of PayRunFigures, in their order
        Source = FirstFigure + PayRunFigures::CarriedCount,
        FirstMonthFigure,
        GrossPay = FirstFigure + PayRunFigures::Count + 1,
        EmployeeTotal,
        EmployerTotal,
        NetToPay,
        SavedSlip,
        ColumnCount
    };

    explicit PayRunModel(QObject *parent = nullptr);

    void setRun(PayRun run);
    bool hasRun() const { return m_run.has_value(); }
    PayRun &run() { return *m_run; }
    const PayRun &run() const { return *m_run; }
    // The results changed wholesale (a calculation, a save, an import).
    void refresh();

    // The figure a column edits, nothing for the others.
    static std::optional<int> figureOf(int column);
    static int columnOf(int figure);
    bool isTotalsRow(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The clerk changed a figure: the draft is to be written.
    void figuresEdited();

private:
    QVariant rowData(const PayRunRow &row, int column, int role) const;
    QVariant totalsData(int column, int role) const;
    QString rowText(const PayRunRow &row, int column) const;
    QString rowTip(const PayRunRow &row, int column) const;

    std::optional<PayRun> m_run;
    PayRunTotals m_totals;
};
