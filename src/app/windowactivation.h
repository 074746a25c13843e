#pragma once

class QWidget;

// Some small screens step aside (minimise) when the clerk turns to another
// window of the program. Turning to another application, or to one of the
// screen's own message boxes, is not a reason to step aside: a picture can
// then still be dragged from the desktop, and a message does not hide the
// window it speaks about.
namespace WindowActivation {

// To be asked when `window` receives its deactivation: true when the window
// now active is another window of the program.
bool passedToAnotherScreen(const QWidget *window);

} // namespace WindowActivation
