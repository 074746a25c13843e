#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What the settings screens do to their texts before writing them, kept out
// of the widgets so the rules read on their own.
namespace SettingsRules {

// The parameter record as the screen shows it: field texts by column, and the
// two CSG/RDS options.
struct ParameterEntry
{
    QMap<QString, QString> texts;
    bool optionA = false;
    bool optionB = false;
};

// The entry as "Valider" writes it: an option is always chosen (A when none
// is), the band-1 majoration is shown with two decimals, and the amounts and
// percentages that the pay calculation needs as numbers get "0" when empty.
// The hour counts are written as typed.
ParameterEntry validatedParameters(ParameterEntry entry);

// The overtime thresholds (HEURSUP1, HEURSUP2) take any key, yet the pay
// calculation reads them as numbers: the first one holding a text that is not
// a number, empty when both are numbers. An empty one is written as it is.
QString firstNonNumberThreshold(const ParameterEntry &entry);
// What "Valider" says of that threshold: its words on the screen, its
// column and the text refused.
QString thresholdNotANumber(const QString &column, const QString &text);

// A rate below one franc per euro makes no sense: it becomes "1". A text that
// is not a number stays as it is.
QString validatedEuroRate(const QString &text);

// The columns of EMPLOYEUR in the order of the employer screen's fields.
QStringList employerColumns();

} // namespace SettingsRules
