// Signs of a busy program: the busy mouse pointer, the beep, and letting pending events through.
#pragma once

#include <QCursor>
#include <QString>

namespace platform {

// The pointer drawn from the given icon file, or the standard busy pointer when the file is
// missing or unreadable.
QCursor busyCursor(const QString& icoPath);

void beep();
int beepCount();  // how many beeps so far, for tests

// While a BusyScope lives, letting events through repaints the windows but lets no mouse or
// key input in, so a second click cannot start a second pass over the same lists.
class BusyScope {
 public:
  BusyScope();
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  static bool active();
};

void letEventsThrough();

}  // namespace platform
