#pragma once

#include "payrunperiod.h"

#include <QString>

// The name under which the month's pay run saves an employee's slip:
// the period's key, then the employee's names, so that the archive lists
// the slips by period and then by name (« 2001-03 MOREAU CÉLINE.rpt »).
// A character the save-as dialog refuses in a name becomes a space.
namespace PayRunSlipName {

// The name without ".rpt", as the save-as dialog would take it.
QString name(const PayRunPeriod &period, const QString &names);
// The file name, ".rpt" added.
QString fileName(const PayRunPeriod &period, const QString &names);

} // namespace PayRunSlipName
