#include "payrunmodel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

const QColor EditedBackground(0xff, 0xf0, 0xb3);
const QColor RefusalText(0xb0, 0x00, 0x00);
const QColor ConflictText(0xb0, 0x50, 0x00);

QString PaySheet::*resultField(int column)
{
    switch (column) {
    case PayRunModel::GrossPay:
        return &PaySheet::gross_pay;
    case PayRunModel::EmployeeTotal:
        return &PaySheet::employee_total;
    case PayRunModel::EmployerTotal:
        return &PaySheet::employer_total;
    case PayRunModel::NetToPay:
        return &PaySheet::net_to_pay;
    default:
        return nullptr;
    }
}

bool isNumberColumn(int column)
{
    return column == PayRunModel::HourlyBase || PayRunModel::figureOf(column) || resultField(column);
}

QFont boldFont()
{
    QFont font;
    font.setBold(true);
    return font;
}

} // namespace

PayRunModel::PayRunModel(QObject *parent) : QAbstractTableModel(parent) {}

void PayRunModel::setRun(PayRun run)
{
    beginResetModel();
    m_run = std::move(run);
    m_totals = m_run->totals();
    endResetModel();
}

void PayRunModel::refresh()
{
    if (!m_run)
        return;
    m_totals = m_run->totals();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

std::optional<int> PayRunModel::figureOf(int column)
{
    if (column >= FirstFigure && column < Source)
        return column - FirstFigure;
    if (column >= FirstMonthFigure && column < GrossPay)
        return column - FirstMonthFigure + PayRunFigures::CarriedCount;
    return std::nullopt;
}

int PayRunModel::columnOf(int figure)
{
    return PayRunFigures::isCarried(figure) ? FirstFigure + figure
                                            : FirstMonthFigure + figure - PayRunFigures::CarriedCount;
}

bool PayRunModel::isTotalsRow(int row) const
{
    return m_run && row == m_run->size();
}

int PayRunModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_run || m_run->size() == 0)
        return 0;
    return m_run->size() + 1;
}

int PayRunModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PayRunModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole && !isTotalsRow(section) ? QVariant(section + 1) : QVariant();
    if (role == Qt::ToolTipRole && section == Source)
        return QStringLiteral("La fiche de paie dont les trois chiffres précédents sont repris");
    if (role != Qt::DisplayRole)
        return {};
    if (const std::optional<int> figure = figureOf(section))
        return PayRunFigures::caption(*figure);
    switch (section) {
    case Employee:
        return QStringLiteral("Salarié");
    case HourlyBase:
        return QStringLiteral("Base\nhoraire");
    case Source:
        return QStringLiteral("Repris de");
    case GrossPay:
        return QStringLiteral("Salaire\nbrut");
    case EmployeeTotal:
        return QStringLiteral("Retenues\nsalariales");
    case EmployerTotal:
        return QStringLiteral("Retenues\npatronales");
    case NetToPay:
        return QStringLiteral("Net à\npayer");
    case SavedSlip:
        return QStringLiteral("Fiche\nenregistrée");
    default:
        return {};
    }
}

Qt::ItemFlags PayRunModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isTotalsRow(index.row()) && figureOf(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant PayRunModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_run || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    if (isTotalsRow(index.row()))
        return totalsData(index.column(), role);
    return rowData(m_run->row(index.row()), index.column(), role);
}

QVariant PayRunModel::rowData(const PayRunRow &row, int column, int role) const
{
    const std::optional<int> figure = figureOf(column);
    const bool edited = figure && row.isEdited(*figure);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return rowText(row, column);
    case Qt::ToolTipRole:
        return rowTip(row, column);
    case Qt::BackgroundRole:
        return edited ? QVariant(QBrush(EditedBackground)) : QVariant();
    case Qt::FontRole:
        if (edited) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case Qt::ForegroundRole:
        if (column == GrossPay && !row.refusal.isEmpty())
            return QBrush(RefusalText);
        if (column == Source && !row.carried.conflict.isEmpty())
            return QBrush(ConflictText);
        return {};
    default:
        return {};
    }
}

QString PayRunModel::rowText(const PayRunRow &row, int column) const
{
    if (const std::optional<int> figure = figureOf(column))
        return row.figures[*figure];
    switch (column) {
    case Employee:
        return row.identification;
    case HourlyBase:
        return row.employee.BASEHORAIRE;
    case Source:
        return row.carried.label;
    case SavedSlip:
        return row.savedFile.isEmpty() ? QString() : QStringLiteral("oui");
    default:
        break;
    }
    // A refused row says why across its results.
    if (!row.refusal.isEmpty())
        return column == GrossPay ? row.refusal : QString();
    if (const auto field = resultField(column); field && row.computed)
        return row.computed->sheet.*field;
    return {};
}

QString PayRunModel::rowTip(const PayRunRow &row, int column) const
{
    if (const std::optional<int> figure = figureOf(column); figure && row.isEdited(*figure))
        return QStringLiteral("Changé à la main : la dernière fiche donne « %1 » (%2).")
            .arg(row.carriedFigure(*figure), row.carried.source);
    if (column == Source)
        return row.carried.conflict.isEmpty() ? row.carried.source : row.carried.conflict;
    if (column == SavedSlip)
        return row.savedFile;
    if (resultField(column) && !row.refusal.isEmpty())
        return row.refusal;
    return {};
}

QVariant PayRunModel::totalsData(int column, int role) const
{
    if (role == Qt::FontRole)
        return boldFont();
    if (role == Qt::ToolTipRole && column == Employee)
        return QStringLiteral("Les sommes des fiches calculées ; une ligne refusée n’y compte pas");
    if (role != Qt::DisplayRole)
        return {};
    // Nothing computed yet: no sum to show.
    if (m_totals.computed == 0 && column != Employee)
        return {};
    switch (column) {
    case Employee:
        return m_totals.computed <= 1 ? QStringLiteral("Total (%1 fiche)").arg(m_totals.computed)
                                      : QStringLiteral("Total (%1 fiches)").arg(m_totals.computed);
    case GrossPay:
        return m_totals.grossPay;
    case EmployeeTotal:
        return m_totals.employeeTotal;
    case EmployerTotal:
        return m_totals.employerTotal;
    case NetToPay:
        return m_totals.netToPay;
    default:
        return {};
    }
}

bool PayRunModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_run || isTotalsRow(index.row()))
        return false;
    const std::optional<int> figure = figureOf(index.column());
    if (!figure)
        return false;
    const QString text = value.toString();
    if (m_run->row(index.row()).figures[*figure] == text)
        return true;
    m_run->setFigure(index.row(), *figure, text);
    m_totals = m_run->totals();
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit dataChanged(this->index(m_run->size(), 0), this->index(m_run->size(), ColumnCount - 1));
    emit figuresEdited();
    return true;
}
