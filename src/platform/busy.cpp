#include "platform/busy.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPixmap>

namespace platform {
namespace {
int g_busyDepth = 0;
int g_beeps = 0;
}  // namespace

QCursor busyCursor(const QString& icoPath) {
  if (!icoPath.isEmpty() && QFileInfo(icoPath).isFile()) {
    QPixmap pix(icoPath);
    if (!pix.isNull()) return QCursor(pix, 0, 0);
  }
  return QCursor(Qt::BusyCursor);
}

void beep() {
  ++g_beeps;
  QApplication::beep();
}

int beepCount() { return g_beeps; }

BusyScope::BusyScope() { ++g_busyDepth; }
BusyScope::~BusyScope() { --g_busyDepth; }
bool BusyScope::active() { return g_busyDepth > 0; }

void letEventsThrough() {
  if (g_busyDepth > 0)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  else
    QCoreApplication::processEvents();
}

}  // namespace platform
