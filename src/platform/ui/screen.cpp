#include "platform/ui/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
QSize g_override;
}

QSize screenSizePixels() {
  if (!g_override.isEmpty()) return g_override;
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->size();
  return {};
}

QRect availableScreenArea() {
  if (!g_override.isEmpty()) return {QPoint(0, 0), g_override};
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry();
  return {};
}

void overrideScreenSize(QSize size) { g_override = size; }

}  // namespace platform
