#pragma once

#include "storeerror.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// The message boxes of the employee screen. Each gives the front back to the
// screen it spoke about, whatever the window manager does; an unexpected
// refusal of the employee file is said in French, the record and its pending
// changes staying as they were.
class EmployeeMessages
{
public:
    explicit EmployeeMessages(QWidget *screen);

    // The titles most boxes of the screen carry.
    inline static const QString Attention = QStringLiteral("ATTENTION");
    inline static const QString ActionImpossible = QStringLiteral("Action impossible");

    // Shows the box (a MessageBox style) and returns the answer.
    int ask(const QString &message, int style, const QString &title) const;
    // True when `error` is a refusal, which has then been told.
    bool reported(const StoreError &error) const;

private:
    QPointer<QWidget> m_screen;
};
