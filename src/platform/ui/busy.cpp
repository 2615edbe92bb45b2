#include "platform/ui/busy.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace platform {
namespace {

int g_busyDepth = 0;
int g_beeps = 0;
QWidget* g_closingFromCode = nullptr;

// Whether the widget is part of the window: in it, or in a pop-up (a completer's list, a
// drop-down, a menu) that the window opened, which is a window of its own.
bool partOf(const QWidget* w, const QWidget* window) {
  for (int depth = 0; w && depth < 8; ++depth) {
    const QWidget* top = w->window();
    if (top == window) return true;
    if (top->windowType() != Qt::Popup) return false;
    // A completer's list has no parent: it stands in for the box it completes.
    w = top->parentWidget() ? top->parentWidget() : top->focusProxy();
  }
  return false;
}

bool partOf(const QWindow* win, const QWidget* window) {
  if (window->windowHandle() == win) return true;
  const QWidgetList tops = QApplication::topLevelWidgets();
  return std::any_of(tops.begin(), tops.end(),
                     [&](const QWidget* top) { return top->windowHandle() == win && partOf(top, window); });
}

class InputBlocker : public QObject {
 public:
  // The modal window in front when the pass began (if any): the pass may run inside it.
  QPointer<QWidget> modalAtStart = QApplication::activeModalWidget();

  bool eventFilter(QObject* receiver, QEvent* e) override {
    if (!isUserInput(e) && e->type() != QEvent::Close) return false;
    // A message box or dialog the pass itself opens takes its input as usual, its pop-ups included:
    // one that took no keys could never be closed.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != modalAtStart) {
      if (auto* w = qobject_cast<QWidget*>(receiver); w && partOf(w, modal)) return false;
      if (auto* win = qobject_cast<QWindow*>(receiver); win && partOf(win, modal)) return false;
    }
    if (isUserInput(e)) return true;
    switch (e->type()) {
      case QEvent::Close:
        // A top-level widget closes through its platform window first.
        if (g_closingFromCode && (receiver == g_closingFromCode || receiver == g_closingFromCode->windowHandle()))
          return false;
        e->ignore();
        return true;
      default: return false;
    }
  }
};

InputBlocker* g_blocker = nullptr;

QElapsedTimer& sliceTimer() {
  static QElapsedTimer t;
  return t;
}

}  // namespace

bool isUserInput(const QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu: return true;
    default: return false;
  }
}

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

BusyScope::BusyScope() {
  if (g_busyDepth++ == 0 && QCoreApplication::instance()) {
    g_blocker = new InputBlocker;
    QCoreApplication::instance()->installEventFilter(g_blocker);
  }
}

BusyScope::~BusyScope() {
  // Input that came during the pass and is still waiting goes now, while it is still held back,
  // rather than acting once the pass is over.
  if (g_busyDepth == 1 && g_blocker) QCoreApplication::processEvents();
  if (--g_busyDepth == 0 && g_blocker) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(g_blocker);
    delete g_blocker;
    g_blocker = nullptr;
  }
}

bool BusyScope::active() { return g_busyDepth > 0; }

void closeFromCode(QWidget* window) {
  if (!window) return;
  QWidget* const outer = g_closingFromCode;
  g_closingFromCode = window;
  window->close();
  g_closingFromCode = outer;
}

void letEventsThrough() {
  QCoreApplication::processEvents();
  sliceTimer().restart();
}

void letEventsThroughSliced() {
  QElapsedTimer& t = sliceTimer();
  if (t.isValid() && t.elapsed() < 40) return;
  letEventsThrough();
}

}  // namespace platform
