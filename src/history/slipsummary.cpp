#include "slipsummary.h"

namespace {

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

bool SlipSummary::overlaps(const SlipSummary &other) const
{
    return other.hasPeriod() && overlaps(other.periodStart, other.periodEnd);
}

bool SlipSummary::overlaps(const QDate &start, const QDate &end) const
{
    return hasPeriod() && start.isValid() && end.isValid() && periodStart <= end && start <= periodEnd;
}

QString SlipSummary::periodText() const
{
    if (!hasPeriod())
        return QStringLiteral("sans période lisible");
    return QStringLiteral("du %1 au %2").arg(dayText(periodStart), dayText(periodEnd));
}

QString SlipSummary::description() const
{
    return QStringLiteral("« %1 » (%2)").arg(fileName, periodText());
}
