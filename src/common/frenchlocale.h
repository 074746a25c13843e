#pragma once

#include <QLocale>

// The program always works in the French locale, whatever the system's.
namespace FrenchLocale {

inline QLocale locale() { return QLocale(QLocale::French, QLocale::France); }

// Makes the French locale the default for every QLocale() of the program.
inline void install() { QLocale::setDefault(locale()); }

} // namespace FrenchLocale
