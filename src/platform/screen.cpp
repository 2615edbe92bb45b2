#include "platform/screen.h"

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

void overrideScreenSize(QSize size) { g_override = size; }

}  // namespace platform
