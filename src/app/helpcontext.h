#pragma once

#include <QVariant>
#include <QWidget>

// Help topics of the program's help file, by screen. A screen carries its
// topic as the dynamic property "helpContext"; a screen that designates the
// application help file when it is loaded carries "designatesHelpFile".
namespace HelpContext {

inline constexpr int Contents = 0;
inline constexpr int Photo = 1;
inline constexpr int Employee = 2;
inline constexpr int Parameters = 3;
inline constexpr int EmployeeList = 4;
inline constexpr int Converter = 5;
inline constexpr int EuroRate = 6;
inline constexpr int PayslipArchive = 7;
inline constexpr int Preparation = 8;
inline constexpr int Employer = 11;

inline void set(QWidget *screen, int context, bool designatesHelpFile = false)
{
    screen->setProperty("helpContext", context);
    if (designatesHelpFile)
        screen->setProperty("designatesHelpFile", true);
}

} // namespace HelpContext
