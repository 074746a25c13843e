#include "windowactivation.h"

#include <QApplication>
#include <QWidget>

namespace WindowActivation {

bool passedToAnotherScreen(const QWidget *window)
{
    // When the deactivation arrives, the application already names the
    // window that took the activation.
    const QWidget *active = QApplication::activeWindow();
    if (!active || active == window)
        return false;
    for (const QWidget *owner = active->parentWidget(); owner; owner = owner->parentWidget()) {
        if (owner->window() == window)
            return false;
    }
    return true;
}

void bringToFront(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace WindowActivation
