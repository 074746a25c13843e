#pragma once

#include <QChar>
#include <QString>

// Rules on the texts the employee and employer screens store.
namespace TextRules {

// The typographic apostrophe that replaces the straight one in stored texts.
inline constexpr QChar TypographicApostrophe = QChar(0x2019);

// Every straight apostrophe replaced by the typographic one; same length.
QString replaceApostrophes(const QString &text);

// Upper case in the French locale (« é » gives « É »).
QString upperCase(const QString &text);

} // namespace TextRules
