#pragma once

#include <QString>

class QWidget;

// The modal message boxes of the program, chosen by the classic style value:
// the sum of a button set, an icon and, for questions, the default button.
namespace MessageBox {

enum Style {
    Exclamation = 48,          // OK, exclamation
    Stop = 16,                 // OK, stop
    Information = 64,          // OK, information
    Question = 32,             // OK, question
    Plain = 0,                 // OK, no icon
    YesNoInformation = 68,     // Yes/No, information, Yes by default
    YesNoInformationNo = 324,  // Yes/No, information, No by default
    YesNoStopNo = 276,         // Yes/No, stop, No by default
    YesNoQuestionNo = 292,     // Yes/No, question, No by default
};

inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// Shows the box and waits for the answer: Ok, Yes or No.
int show(QWidget *parent, const QString &message, int style, const QString &title);

} // namespace MessageBox
