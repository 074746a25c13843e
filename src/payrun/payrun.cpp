#include "payrun.h"

#include "mask.h"
#include "numbertext.h"
#include "paycalculation.h"
#include "payrunhistory.h"
#include "storedpayinputs.h"
#include "textrules.h"

#include <cmath>

namespace {

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// Amounts as the slip prints them, in centimes: a sum of them is exact.
qint64 centimes(const QString &amount)
{
    return std::llround(NumberText::read(amount).value_or(0.0) * 100.0);
}

QString amountText(qint64 centimes)
{
    return Mask::format(double(centimes) / 100.0, QString::fromLatin1(Mask::Amount));
}

} // namespace

PayRun::PayRun(const StoredStaff &staff, const PayRunPeriod &period)
    : m_period(period)
    , m_parameters(staff.parameters)
    , m_euroRate(staff.euroRate)
{
    m_rows.reserve(staff.members.size());
    for (const StoredStaff::Member &member : staff.members) {
        PayRunRow row;
        row.identification = member.identification;
        row.names = (member.record.NOM + u' ' + member.record.PRENOM).simplified();
        row.employee = member.employee;
        row.record = member.record;
        // Two records of one key are the employee screen's to settle; the
        // first is the one its search finds.
        if (!m_byIdentification.contains(row.identification))
            m_byIdentification.insert(row.identification, int(m_rows.size()));
        m_rows.append(std::move(row));
    }
}

std::variant<PayRun, QString> PayRun::open(const QString &directory, const PayRunPeriod &period,
                                           const PayRunHistory &history)
{
    auto staff = StoredPayInputs::loadStaff(directory);
    if (const QString *error = std::get_if<QString>(&staff))
        return *error;
    PayRun run(std::get<StoredStaff>(staff), period);
    run.readHistory(history);
    return run;
}

void PayRun::readHistory(const PayRunHistory &history)
{
    for (int index = 0; index < size(); ++index) {
        PayRunRow &row = m_rows[index];
        setCarriedOver(index, history.carriedOver(row.identification, m_period));
        row.savedFile = history.savedSlips(row.identification, row.names, m_period).join(QStringLiteral(", "));
    }
}

void PayRun::setCarriedOver(int index, const CarriedOver &carried)
{
    PayRunRow &row = m_rows[index];
    row.carried = carried;
    row.figures[PayRunFigures::PreviousLeaveBalance] = carried.leaveBalance;
    row.figures[PayRunFigures::PreviousCumulativeTaxable] = carried.cumulativeTaxable;
    row.figures[PayRunFigures::PreviousCumulativeGross] = carried.cumulativeGross;
    clearResult(row);
}

void PayRun::setFigure(int index, int figure, const QString &text)
{
    PayRunRow &row = m_rows[index];
    if (row.figures[figure] == text)
        return;
    row.figures[figure] = text;
    clearResult(row);
}

void PayRun::clearResult(PayRunRow &row)
{
    row.computed.reset();
    row.refusal.clear();
    row.savedCurrent = false;
}

void PayRun::calculate()
{
    for (int index = 0; index < size(); ++index)
        calculate(index);
}

// As the preparation does it: a freshly opened sheet, the figures typed
// into it, then "Lancer le calcul".
bool PayRun::calculate(int index)
{
    PayRunRow &row = m_rows[index];
    clearResult(row);
    auto opening = PayCalculation::open(row.employee, m_parameters, m_euroRate);
    if (const CalculationError *error = std::get_if<CalculationError>(&opening)) {
        row.refusal = error->message;
        return false;
    }
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    const auto &definitions = PayRunFigures::definitions();
    for (int figure = 0; figure < PayRunFigures::Count; ++figure)
        opened.sheet.*definitions[figure].field = row.figures[figure];
    typePeriod(opened.sheet);
    if (const auto error = PayCalculation::calculate(opened.sheet, opened.employee, m_parameters, m_euroRate)) {
        row.refusal = error->message;
        return false;
    }
    row.computed = PayRunRow::Computed{std::move(opened.sheet), std::move(opened.employee)};
    return true;
}

void PayRun::typePeriod(PaySheet &sheet) const
{
    sheet.period_start_day = twoDigits(m_period.first().day());
    sheet.period_start_month = twoDigits(m_period.first().month());
    sheet.period_start_year = QString::number(m_period.first().year());
    sheet.period_end_day = twoDigits(m_period.last().day());
    sheet.period_end_month = twoDigits(m_period.last().month());
    sheet.period_end_year = QString::number(m_period.last().year());
}

PayRunTotals PayRun::totals() const
{
    PayRunTotals totals;
    qint64 gross = 0, employee = 0, employer = 0, net = 0;
    for (const PayRunRow &row : m_rows) {
        if (!row.refusal.isEmpty())
            ++totals.refused;
        if (!row.computed)
            continue;
        ++totals.computed;
        const PaySheet &sheet = row.computed->sheet;
        gross += centimes(sheet.gross_pay);
        employee += centimes(sheet.employee_total);
        employer += centimes(sheet.employer_total);
        net += centimes(sheet.net_to_pay);
    }
    totals.grossPay = amountText(gross);
    totals.employeeTotal = amountText(employee);
    totals.employerTotal = amountText(employer);
    totals.netToPay = amountText(net);
    return totals;
}

QList<int> PayRun::computedRows() const
{
    QList<int> rows;
    for (int index = 0; index < size(); ++index) {
        if (m_rows.at(index).computed)
            rows.append(index);
    }
    return rows;
}

std::optional<int> PayRun::findEmployee(const QString &identification) const
{
    const QString stored = TextRules::upperCase(TextRules::replaceApostrophes(identification));
    for (const QString &key : {identification, stored}) {
        const auto found = m_byIdentification.constFind(key);
        if (found != m_byIdentification.cend())
            return found.value();
    }
    return std::nullopt;
}

void PayRun::setSaved(int index, const QString &fileName)
{
    m_rows[index].savedFile = fileName;
    m_rows[index].savedCurrent = true;
}
