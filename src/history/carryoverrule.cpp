#include "carryoverrule.h"

#include "numbertext.h"

namespace CarryOverRule {

namespace {

// Ending last; of two ending the same day (a conflict anyway), the one
// that starts later, then the first by name, so the answer never depends on
// the order the slips were listed in.
bool endsLater(const SlipSummary &a, const SlipSummary &b)
{
    if (a.periodEnd != b.periodEnd)
        return a.periodEnd > b.periodEnd;
    if (a.periodStart != b.periodStart)
        return a.periodStart > b.periodStart;
    return a.fileName < b.fileName;
}

const SlipSummary *previousSlip(const QList<SlipSummary> &slips, const QDate &periodStart)
{
    const SlipSummary *previous = nullptr;
    for (const SlipSummary &slip : slips) {
        if (slip.hasPeriod() && slip.periodEnd < periodStart && (!previous || endsLater(slip, *previous)))
            previous = &slip;
    }
    return previous;
}

// The figures as the clerk copies them; empty when printed blank, and
// nothing at all (nullopt) when printed as something that is no number.
std::optional<QString> copied(const QString &printed)
{
    if (printed.trimmed().isEmpty())
        return QString();
    const QString typed = NumberText::typed(printed);
    if (typed.isEmpty())
        return std::nullopt;
    return typed;
}

void carry(CarryOver &result, const SlipSummary &previous)
{
    const std::optional<QString> leave = copied(previous.leave_balance);
    const std::optional<QString> taxable = copied(previous.cumulative_taxable);
    const std::optional<QString> gross = copied(previous.cumulative_gross);
    if (!leave || !taxable || !gross) {
        result.status = CarryOver::Status::NotANumber;
        return;
    }
    result.status = CarryOver::Status::Carried;
    result.previous_leave_balance = *leave;
    result.cumulativesRestart = previous.periodEnd.year() != result.periodStart.year();
    if (!result.cumulativesRestart) {
        result.previous_cumulative_taxable = *taxable;
        result.previous_cumulative_gross = *gross;
    }
}

} // namespace

CarryOver find(const QList<SlipSummary> &slips, const QDate &periodStart)
{
    CarryOver result;
    result.periodStart = periodStart;
    for (const SlipSummary &slip : slips)
        result.undated += slip.hasPeriod() ? 0 : 1;
    const SlipSummary *previous = previousSlip(slips, periodStart);
    if (!previous)
        return result;
    result.source = *previous;
    for (const SlipSummary &slip : slips) {
        if (&slip != previous && slip.overlaps(*previous))
            result.conflicting.append(slip);
    }
    if (!result.conflicting.isEmpty())
        result.status = CarryOver::Status::Conflict;
    else if (previous->changed)
        result.status = CarryOver::Status::Changed;
    else
        carry(result, *previous);
    return result;
}

} // namespace CarryOverRule
