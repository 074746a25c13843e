#pragma once

#include <QString>
#include <optional>

// Every amount, hour count and rate of the program is held as text. These
// functions are the only place where such a text becomes a number and back,
// always with the French conventions (decimal comma), whatever the system's
// locale is.
namespace NumberText {

// A text as a number. Group separators (space, U+00A0, U+202F) are accepted,
// so a masked text reads back; a trailing comma ("12,") reads as 12.
// Empty or non-numeric text is not a number: the result is empty, never 0.
std::optional<double> read(const QString &text);

// True when read() gives a number.
bool isNumber(const QString &text);

// A computed number as stored text: up to 15 significant digits, decimal
// comma, no grouping, no rounding beyond those digits ("12,5", "-5",
// "0,333333333333333").
QString write(double value);

// A printed number as a clerk copies it into a numeric field: the same
// digits, sign and decimal comma, its group separators left out
// ("6 795,09" gives "6795,09"). Empty when the text is not a number.
QString typed(const QString &printed);

} // namespace NumberText
