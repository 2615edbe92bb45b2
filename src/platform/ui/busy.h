// Signs of a busy program: the busy mouse pointer, the beep, and letting pending events through.
#pragma once

#include <QCursor>
#include <QString>

class QEvent;
class QWidget;

namespace platform {

// The pointer drawn from the given icon file, or the standard busy pointer when the file is
// missing or unreadable.
QCursor busyCursor(const QString& icoPath);

void beep();
int beepCount();  // how many beeps so far, for tests

// While a BusyScope lives, the windows still repaint when events are let through, but mouse
// clicks, keys, the wheel and closing a window are dropped: a click during a long pass cannot
// start a second pass over the same lists, nor close the window under it. A message box or
// dialog that the pass opens itself takes its input as usual, its pop-ups (a completer's list, a
// drop-down) included. Input still waiting when the pass ends is dropped with it.
class BusyScope {
 public:
  BusyScope();
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  static bool active();
};

// Mouse clicks, keys, the wheel and context menus: what a busy pass or a disabled window drops.
bool isUserInput(const QEvent* e);

// Closes a window from the program's own code. A pass that holds the user's input back still
// closes the windows it closes itself.
void closeFromCode(QWidget* window);

// Lets pending events run now.
void letEventsThrough();
// Lets pending events run when some time has passed since they last did, so a long loop can
// call it at every step without spending its time repainting.
void letEventsThroughSliced();

}  // namespace platform
