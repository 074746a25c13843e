#pragma once

class QWidget;

// Bringing a window to the clerk, and knowing when to step aside. Some small
// screens step aside (minimise) when the clerk turns to another window of
// the program. Turning to another application, or to one of the
// screen's own message boxes, is not a reason to step aside: a picture can
// then still be dragged from the desktop, and a message does not hide the
// window it speaks about.
namespace WindowActivation {

// To be asked when `window` receives its deactivation: true when the window
// now active is another window of the program.
bool passedToAnotherScreen(const QWidget *window);

// Shows `window` in front and active; a minimised window comes back as it
// was left.
void bringToFront(QWidget *window);

} // namespace WindowActivation
