#include "employeerates.h"

#include "mask.h"

namespace EmployeeRates {

QString shownAfterActivation(const QString &stored)
{
    const QString rate = stored.isEmpty() ? QStringLiteral("0") : stored;
    return Mask::apply(rate, QString::fromLatin1(Mask::Rate));
}

} // namespace EmployeeRates
