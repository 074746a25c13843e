#pragma once

#include <QString>

class StoreError;

// What a settings screen says when its record cannot be written: the
// screen's own message, then what was not stored and the store's reason,
// so the clerk knows whether to retype a value or to see to the file.
namespace SettingsMessages {

// `described`: the screen's message; `what`: a sentence naming what was not
// stored (« Les paramètres généraux n’ont pas été enregistrés. »).
QString refusedWrite(const QString &described, const QString &what, const StoreError &error);

// The euro rate screen: « TAPER LE TAUX DE L'EURO » only asks for a rate
// when none was typed; a typed rate is named with the reason it was refused.
QString refusedEuroRate(const QString &rate, const StoreError &error);

} // namespace SettingsMessages
