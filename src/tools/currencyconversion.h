#pragma once

#include <QString>

// The converter's arithmetic, apart from its window: an amount typed in one
// currency becomes the other with the franc/euro rate (francs per euro).
namespace CurrencyConversion {

enum class Direction {
    Euro,  // francs into euros: amount / rate
    Franc, // euros into francs: amount x rate
};

// "euro" or "franc", the word the converter's amount tooltip uses.
QString word(Direction direction);

// The result as the converter shows it, with the mask "#,##0.00". An empty
// rate or a rate of 0 gives « 0,00 »; an empty amount counts as 0. A text that
// is not a number (only pasting can bring one) is named in a short message
// instead of being taken for 0.
QString result(const QString &amount, const QString &rate, Direction direction);

} // namespace CurrencyConversion
