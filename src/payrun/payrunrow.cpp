#include "payrunrow.h"

QString PayRunRow::carriedFigure(int figure) const
{
    switch (figure) {
    case PayRunFigures::PreviousLeaveBalance:
        return carried.leaveBalance;
    case PayRunFigures::PreviousCumulativeTaxable:
        return carried.cumulativeTaxable;
    case PayRunFigures::PreviousCumulativeGross:
        return carried.cumulativeGross;
    default:
        return QString();
    }
}

bool PayRunRow::isEdited(int figure) const
{
    return PayRunFigures::isCarried(figure) && figures[figure] != carriedFigure(figure);
}

bool PayRunRow::hasTypedFigures() const
{
    for (int figure = 0; figure < PayRunFigures::Count; ++figure) {
        if (PayRunFigures::isCarried(figure) ? isEdited(figure) : !figures[figure].isEmpty())
            return true;
    }
    return false;
}
