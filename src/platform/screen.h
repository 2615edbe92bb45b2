// The size of the screen the main window stands on, which tests may replace.
#pragma once

#include <QSize>

namespace platform {

QSize screenSizePixels();
// A fixed size for tests; an empty size returns to the real screen.
void overrideScreenSize(QSize size);

}  // namespace platform
