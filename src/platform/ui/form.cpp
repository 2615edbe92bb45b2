#include "platform/ui/form.h"

#include "platform/core/files.h"
#include "platform/ui/busy.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace platform {

FormBase::FormBase(Kind kind, const QString& caption, QSize clientSize) : kind_(kind) {
  if (kind == Kind::MainWindow) {
    auto* mw = new QMainWindow;
    client_ = new QWidget(mw);
    mw->setCentralWidget(client_);
    window_ = mw;
  } else {
    auto* dlg = new QDialog;
    dlg->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(dlg);
    layout->setContentsMargins(0, 0, 0, 0);
    client_ = new QWidget(dlg);
    layout->addWidget(client_);
    window_ = dlg;
  }
  client_->setMinimumSize(1, 1);
  window_->setWindowTitle(caption);
  window_->resize(clientSize);
  client_->resize(clientSize);
  window_->installEventFilter(this);
  client_->installEventFilter(this);
}

FormBase::~FormBase() {
  delete inputHold_;
  if (window_) {
    window_->removeEventFilter(this);
    client_->removeEventFilter(this);
    delete window_.data();
  }
}

QDialog* FormBase::dialog() const { return qobject_cast<QDialog*>(window_.data()); }

QMenuBar* FormBase::menuBar() {
  if (auto* mw = qobject_cast<QMainWindow*>(window_.data())) return mw->menuBar();
  return nullptr;
}

QString FormBase::Caption() const { return window_->windowTitle(); }
void FormBase::setCaption(const QString& caption) { window_->setWindowTitle(caption); }

void FormBase::setUserScale(double width, double height) {
  scaleW_ = width;
  scaleH_ = height;
}

double FormBase::ScaleWidth() const { return scaleW_ > 0 ? scaleW_ : client_->width(); }
double FormBase::ScaleHeight() const { return scaleH_ > 0 ? scaleH_ : client_->height(); }
double FormBase::pxPerUnitX() const { return scaleW_ > 0 ? std::max(1, client_->width()) / scaleW_ : 1.0; }
double FormBase::pxPerUnitY() const { return scaleH_ > 0 ? std::max(1, client_->height()) / scaleH_ : 1.0; }

void FormBase::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void FormBase::Show() {
  Load();
  if (!window_ || !loaded_) return;
  window_->show();
}

void FormBase::Hide() { window_->hide(); }

void FormBase::Unload() { closeFromCode(window_); }

bool FormBase::isVisible() const { return window_ && window_->isVisible(); }

void FormBase::setMouseIcon(const QString& icoPath) { iconPath_ = icoPath; }

void FormBase::showBusyPointer() {
  setMouseIcon(programFile(QStringLiteral("mike.ico")));
  setMousePointer(MousePointer::Custom);
}

void FormBase::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  switch (pointer) {
    case MousePointer::Default: window_->unsetCursor(); break;
    case MousePointer::Hourglass: window_->setCursor(Qt::WaitCursor); break;
    case MousePointer::Custom: window_->setCursor(busyCursor(iconPath_)); break;
  }
}

namespace {
// Drops the user's input to one window while it lives.
class WindowInputHold : public QObject {
 public:
  explicit WindowInputHold(QWidget* window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  bool eventFilter(QObject* receiver, QEvent* e) override {
    if (!isUserInput(e)) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    return widget && widget->window() == window_;
  }

 private:
  QPointer<QWidget> window_;
};
}  // namespace

// A disabled window takes no input but keeps its look: its controls are not greyed.
void FormBase::setEnabled(bool on) {
  if (on == !inputHold_) return;
  if (on) {
    delete inputHold_;
    inputHold_ = nullptr;
  } else {
    inputHold_ = new WindowInputHold(window_);
  }
}
bool FormBase::Enabled() const { return !inputHold_; }

namespace {
// Waits for the first paint of a widget, then runs its work once that paint is over.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget* w, std::function<void()> then) : QObject(w), then_(std::move(then)) {
    w->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        const auto then = std::move(then_);
        deleteLater();
        then();
      });
    }
    return false;
  }

 private:
  std::function<void()> then_;
  bool done_ = false;
};
}  // namespace

void FormBase::whenDrawn(std::function<void()> then) { new FirstPaint(client_, std::move(then)); }

void FormBase::activateAfterModal() {
  if (window_ && window_->isVisible()) Form_Activate();
}

bool FormBase::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    Form_Resize();
  } else if (watched == window_) {
    if (event->type() == QEvent::KeyPress && dialog()) {
      // Enter that no control took presses no button: a dialog has no default button here, and
      // a dialog would otherwise press the first button of its focus chain.
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    if (event->type() == QEvent::Show && !activatedOnce_) {
      activatedOnce_ = true;
      Form_Activate();
    } else if (event->type() == QEvent::Close && !unloading_) {
      int cancel = 0;
      unloading_ = true;
      Form_Unload(cancel);
      unloading_ = false;
      if (cancel != 0) {
        event->ignore();
        return true;
      }
      loaded_ = false;
      activatedOnce_ = false;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace platform
