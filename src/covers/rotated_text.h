// Text printed turned by an angle, at the printer's current position and in its current font.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QString>

namespace covers {

// Prints `text` turned by `angle` tenths of a degree anticlockwise, its top-left corner at the
// surface's current position (the turn is about that corner), in the surface's current font:
// face, size, bold, italic and underline as they stand. The current position and the font are
// left as they were, so two calls without moving print at the same point. An empty text draws
// nothing.
void Print_Rotated_Text(platform::DrawingSurface& printer, const QString& text, qint32 angle);

}  // namespace covers
