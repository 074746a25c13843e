#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Dates held as text. The stored form of an entry date is the mask
// "dddd dd mmm yyyy" (« lundi 15 janv. 2001 »), later upper-cased; reading
// accepts that form in any case, so masking a masked text changes nothing.
namespace DateText {

inline constexpr const char *EntryDateMask = "dddd dd mmm yyyy";

// Day-first typed forms (15/01/2001, 15-1-01, 15.01.2001, 15 01 2001) and the
// program's own masked form in any case. Two-digit years 00-29 are 20xx,
// 30-99 are 19xx.
std::optional<QDate> read(const QString &text);

// « lundi 15 janv. 2001 ».
QString formatEntryDate(const QDate &date);

// The text formatted as an entry date when it reads as a date, unchanged
// otherwise.
QString maskEntryDate(const QString &text);

// The long date of the French locale: « lundi 15 janvier 2001 ».
QString longDate(const QDate &date);

// Hours, minutes and seconds: « 09:05:07 ».
QString longTime(const QTime &time);

} // namespace DateText
