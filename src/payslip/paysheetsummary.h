#pragma once

#include "paysheet.h"

#include <QString>

// The pay sheet as a clerk reads it on a terminal: the rows of the
// preparation screen with their francs and euros, the leave still due.
namespace PaySheetSummary {

QString text(const PaySheet &sheet);

} // namespace PaySheetSummary
