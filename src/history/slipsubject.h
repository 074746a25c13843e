#pragma once

#include <QDate>
#include <QMap>
#include <QString>

#include <optional>

struct PaySheet;

// What a saved pay slip says it is about, kept in the file beside its page:
// the employee's IDENTIFICATION and the first and last day of its period
// (ISO dates, empty when the period typed is no date). A slip saved before
// these were kept says it through its printed values instead: the names
// printed and the period's two dates.
namespace SlipSubject {

inline constexpr const char *Identification = "identification";
inline constexpr const char *PeriodStart = "periodStart";
inline constexpr const char *PeriodEnd = "periodEnd";

// The properties of the pay slip of `identification` computed on `sheet`.
QMap<QString, QString> properties(const QString &identification, const PaySheet &sheet);

// The period as typed on the sheet, day, month and year; empty when the
// fields make no date.
std::optional<QDate> periodStart(const PaySheet &sheet);
std::optional<QDate> periodEnd(const PaySheet &sheet);

// IDENTIFICATION as the employee file builds it: « NOM , PRENOM ».
QString identificationOf(const QString &surname, const QString &firstName);

} // namespace SlipSubject
