#pragma once

#include <QString>

// How the employee screen shows a stored rate once it has been activated:
// an empty rate becomes « 0 », then every rate takes the rates mask
// "#,##0.0###". A text that is not a number stays as it is, for the pay
// calculation to refuse by name.
namespace EmployeeRates {

QString shownAfterActivation(const QString &stored);

} // namespace EmployeeRates
