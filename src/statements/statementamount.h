#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Amounts of the statements, in centimes, added up in integers so that a
// total is exactly the sum of the amounts the slips print.
namespace StatementAmount {

// "12 345,67", "-1 234,50", "0,00" (any grouping space) -> centimes; none
// when the text is not an amount. A blank text is not an amount either: the
// caller decides what a blank figure means.
std::optional<qint64> parse(const QString &text);
// 1234567 -> "12 345,67", the way the pay sheet prints its amounts.
QString format(qint64 centimes);
// 1234567 -> "12345,67": no grouping, the decimal comma (CSV).
QString plain(qint64 centimes);
// Francs to euros, converted once: round(centimes / rate) to the centime.
// `rate` is the folder's euro rate as a text ("6,55957"); none when it is
// not one.
std::optional<qint64> toEuro(qint64 francCentimes, const QString &rate);

} // namespace StatementAmount
