#include "covers/rotated_text.h"

namespace covers {

void Print_Rotated_Text(platform::DrawingSurface& printer, const QString& text, qint32 angle) {
  if (text.isEmpty()) return;
  const platform::SurfaceFont font = printer.font;
  const double x = printer.CurrentX;
  const double y = printer.CurrentY;
  printer.font.angle = angle / 10.0;
  printer.Print(text);
  printer.font = font;
  printer.CurrentX = x;
  printer.CurrentY = y;
}

}  // namespace covers
