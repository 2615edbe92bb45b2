// The size of the screen the main window stands on, which tests may replace.
#pragma once

#include <QRect>
#include <QSize>

namespace platform {

QSize screenSizePixels();
// The part of that screen a window may take (without the desktop's panels).
QRect availableScreenArea();
// A fixed size for tests; an empty size returns to the real screen.
void overrideScreenSize(QSize size);

}  // namespace platform
