#pragma once

#include <QString>

// The small mask language of the program's screens:
//   "#,##0.00"  "#,##0.0#"  "#,##0.0###"  "#,##0.00000"  "###0"
//   "0."  "-0."  "."  "##%"  ">"
// '0' forces a digit, '#' shows one only when needed, ',' asks for grouping
// with the French group separator (U+202F), '.' is the decimal comma, '%'
// multiplies by 100, '>' upper-cases any text, other characters are copied.
// Rounding is half away from zero on the 15-significant-digit decimal form
// of the value, so 2,345 gives 2,35 as a clerk expects.
namespace Mask {

inline constexpr const char *Amount = "#,##0.00";
inline constexpr const char *HourlyRate = "#,##0.0#";
inline constexpr const char *Rate = "#,##0.0###";
inline constexpr const char *EuroRate = "#,##0.00000";
inline constexpr const char *Hours = "###0";
inline constexpr const char *DecimalKey = "0.";
inline constexpr const char *Upper = ">";

// Formats a text with a mask. A text that is not a number is returned
// unchanged by every numeric mask; ">" upper-cases any text.
QString apply(const QString &text, const QString &mask);

// Formats a number with a numeric mask.
QString format(double value, const QString &mask);

} // namespace Mask
