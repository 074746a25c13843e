#pragma once

#include <QString>

// The registry names of the program's screens.
namespace ScreenName {
inline const QString Employee = QStringLiteral("Fiche");
inline const QString EmployeeList = QStringLiteral("lists");
inline const QString Archive = QStringLiteral("listsal");
inline const QString Employer = QStringLiteral("Soc");
inline const QString EuroRate = QStringLiteral("TEUR");
inline const QString Parameters = QStringLiteral("PARAM");
inline const QString Converter = QStringLiteral("convert");
inline const QString Calculator = QStringLiteral("Calcul");
inline const QString About = QStringLiteral("frmAbout");
inline const QString Photo = QStringLiteral("photo");
inline const QString Preparation = QStringLiteral("PPAI");
inline const QString PayRun = QStringLiteral("PaieMois");
} // namespace ScreenName
