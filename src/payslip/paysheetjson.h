#pragma once

#include "paysheet.h"

#include <QJsonObject>

// The pay sheet as one JSON object of texts for scripts: every value under
// its name, an euro twin under the amount's name followed by _euro, the rate
// and base copies as arrays of texts.
namespace PaySheetJson {

QJsonObject toJson(const PaySheet &sheet);

} // namespace PaySheetJson
