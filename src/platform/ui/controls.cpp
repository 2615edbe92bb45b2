#include "platform/ui/controls.h"

#include "platform/core/colours.h"
#include "platform/ui/form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSizeF>
#include <QTabBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

int toKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Backspace: return keys::Back;
    case Qt::Key_Tab: return keys::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::Return;
    case Qt::Key_Escape: return keys::Escape;
    case Qt::Key_Space: return keys::Space;
    case Qt::Key_PageUp: return keys::PageUp;
    case Qt::Key_PageDown: return keys::PageDown;
    case Qt::Key_End: return keys::End;
    case Qt::Key_Home: return keys::Home;
    case Qt::Key_Left: return keys::Left;
    case Qt::Key_Up: return keys::Up;
    case Qt::Key_Right: return keys::Right;
    case Qt::Key_Down: return keys::Down;
    case Qt::Key_Delete: return keys::Delete;
    default:
      if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;  // the same numbers as the old key codes
      return qtKey & 0xFFFF;
  }
}

int toShiftState(Qt::KeyboardModifiers mods) {
  int s = 0;
  if (mods & Qt::ShiftModifier) s |= 1;
  if (mods & Qt::ControlModifier) s |= 2;
  if (mods & Qt::AltModifier) s |= 4;
  return s;
}

int toMouseButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return mouse::Left;
    case Qt::RightButton: return mouse::Right;
    case Qt::MiddleButton: return mouse::Middle;
    default: return 0;
  }
}

// The control that code gave the focus while its window was not active (behind a message box
// that has just closed): it gets the focus only as the window comes back, and that still counts
// as focus moved by code.
static QPointer<QWidget> g_focusFromCode;

// The one-line field of a text box or an editable drop-down, if the widget has one.
static QLineEdit* fieldOf(QWidget* w) {
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit;
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
  return nullptr;
}

// Runs the focus handlers of a control: GotFocus at once, LostFocus after the code that moved
// the focus has returned. Focus moved by popups or by switching programs runs neither.
class FocusWatcher : public QObject {
 public:
  explicit FocusWatcher(Control* c) : QObject(c->widget()), control_(c) {}
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease) keepSelectionPastClick();
    if (watched == control_->widget() && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
      const auto reason = static_cast<QFocusEvent*>(e)->reason();
      const bool cameBackToCodeFocus = e->type() == QEvent::FocusIn && reason == Qt::ActiveWindowFocusReason &&
                                       g_focusFromCode == control_->widget();
      if (e->type() == QEvent::FocusIn) g_focusFromCode = nullptr;
      if ((reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) && !cameBackToCodeFocus)
        return false;
      if (e->type() == QEvent::FocusIn) {
        if (control_->GotFocus) control_->GotFocus();
        // A click puts the caret where it lands after this handler ran: the text the handler
        // selected is selected again once the click is over.
        if (QLineEdit* field = fieldOf(control_->widget());
            field && reason == Qt::MouseFocusReason && field->hasSelectedText()) {
          selStart_ = field->selectionStart();
          selLength_ = int(field->selectedText().size());
        }
      } else if (control_->LostFocus) {
        Control* c = control_;
        QPointer<QWidget> alive = c->widget();
        QTimer::singleShot(0, alive, [c, alive] {
          if (alive && c->LostFocus) c->LostFocus();
        });
      }
    }
    return false;
  }

 private:
  void keepSelectionPastClick() {
    if (selStart_ < 0) return;
    const int start = selStart_, length = selLength_;
    selStart_ = -1;
    QPointer<QLineEdit> field = fieldOf(control_->widget());
    QTimer::singleShot(0, field, [field, start, length] {
      if (field) field->setSelection(start, length);
    });
  }
  Control* control_;
  int selStart_ = -1, selLength_ = 0;
};

// ---------------------------------------------------------------- Control

Control::Control(FormBase* form, QWidget* widget, QString name) : form_(form), widget_(widget), name_(std::move(name)) {
  widget_->setObjectName(name_);
  px_ = QRectF(widget_->geometry());
  focusWatcher_ = new FocusWatcher(this);
  widget_->installEventFilter(focusWatcher_);
}

Control::~Control() {
  if (widget_) delete focusWatcher_;  // no focus event may reach a control that is gone
}

bool Control::inScale() const { return form_ && widget_ && widget_->parentWidget() == form_->client(); }

void Control::applyGeometry() {
  if (!widget_) return;
  widget_->setGeometry(int(std::lround(px_.x())), int(std::lround(px_.y())), std::max(0, int(std::lround(px_.width()))),
                       std::max(0, int(std::lround(px_.height()))));
  geometryApplied();
}

void Control::Move(double left, double top, double width, double height) {
  if (!inScale()) {
    movePx(left, top, width, height);
    return;
  }
  const double sx = form_->pxPerUnitX(), sy = form_->pxPerUnitY();
  px_.setRect(left * sx, top * sy, width >= 0 ? width * sx : px_.width(), height >= 0 ? height * sy : px_.height());
  applyGeometry();
}

void Control::movePx(double left, double top, double width, double height) {
  px_.setRect(left, top, width >= 0 ? width : px_.width(), height >= 0 ? height : px_.height());
  applyGeometry();
}

double Control::Left() const { return inScale() ? px_.x() / form_->pxPerUnitX() : px_.x(); }
double Control::Top() const { return inScale() ? px_.y() / form_->pxPerUnitY() : px_.y(); }
double Control::Width() const { return inScale() ? px_.width() / form_->pxPerUnitX() : px_.width(); }
double Control::Height() const { return inScale() ? px_.height() / form_->pxPerUnitY() : px_.height(); }

void Control::setVisible(bool on) {
  visible_ = on;
  if (widget_) widget_->setVisible(on);
}

void Control::setEnabled(bool on) {
  enabled_ = on;
  if (widget_) widget_->setEnabled(on);
}

QString Control::ToolTipText() const { return widget_ ? widget_->toolTip() : QString(); }
void Control::setToolTipText(const QString& tip) {
  if (widget_) widget_->setToolTip(tip);
}

void Control::setFont(const QFont& font) {
  if (!widget_) return;
  widget_->setFont(font);
  // A drop-down's field is restyled with the drop-down and would fall back to the default face.
  if (QLineEdit* field = fieldOf(widget_); field && field != widget_) field->setFont(font);
}

void Control::setFixedPitchFont(const QString& face, double pointSize) {
  QFont f(face);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSizeF(pointSize);
  setFont(f);
}

QFont Control::font() const { return widget_ ? widget_->font() : QFont(); }

void applyColour(QWidget* w, QPalette::ColorRole role, qint32 colour) {
  if (!w) return;
  const QColor c = toQColor(colour);
  if (!c.isValid()) return;
  QPalette p = w->palette();
  p.setColor(role, c);
  w->setPalette(p);
}

void Control::setBackColor(qint32 colour) {
  backColour_ = colour;
  applyColour(widget_, QPalette::Base, colour);
  applyColour(widget_, QPalette::Window, colour);
}

void Control::setForeColor(qint32 colour) {
  foreColour_ = colour;
  applyColour(widget_, QPalette::Text, colour);
  applyColour(widget_, QPalette::WindowText, colour);
}

void Control::SetFocus() {
  if (!widget_) return;
  g_focusFromCode = widget_->isActiveWindow() ? nullptr : widget_.data();
  widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const { return widget_ && widget_->hasFocus(); }

void Control::ZOrderBottom() {
  if (widget_) widget_->lower();
}

// ---------------------------------------------------------------- CommandButton

CommandButton::CommandButton(FormBase* form, QWidget* parent, const QString& name, const QString& caption)
    : Control(form, new QPushButton(caption, parent), name) {
  // Enter presses the focused button, in the main window as in the dialogs.
  button()->setAutoDefault(true);
  QObject::connect(button(), &QPushButton::clicked, handlers(), [this] { click(); });
}

QPushButton* CommandButton::button() const { return static_cast<QPushButton*>(widget()); }
QString CommandButton::Caption() const { return button()->text(); }
void CommandButton::setCaption(const QString& caption) { button()->setText(caption); }
void CommandButton::setValue(bool pressed) {
  if (pressed) click();
}
void CommandButton::click() {
  if (Click) Click();
}
QKeySequence CommandButton::accessKey() const { return button()->shortcut(); }
void CommandButton::dropAccessKey() { button()->setShortcut(QKeySequence()); }

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(FormBase* form, QWidget* parent, const QString& name, const QString& caption)
    : Control(form, new QCheckBox(caption, parent), name) {
  auto* box = static_cast<QCheckBox*>(widget());
  QObject::connect(box, &QCheckBox::toggled, handlers(), [this](bool on) { setValue(on ? 1 : 0); });
}

void CheckBox::setValue(int value) {
  if (value == value_) return;
  value_ = value;
  auto* box = static_cast<QCheckBox*>(widget());
  {
    const QSignalBlocker block(box);
    box->setChecked(value != 0);
  }
  if (Click) Click();
}

QString CheckBox::Caption() const { return static_cast<QCheckBox*>(widget())->text(); }
void CheckBox::setCaption(const QString& c) { static_cast<QCheckBox*>(widget())->setText(c); }

// ---------------------------------------------------------------- OptionButton

OptionButton::OptionButton(FormBase* form, QWidget* parent, const QString& name, const QString& caption,
                           OptionGroup* group)
    : Control(form, new QRadioButton(caption, parent), name), group_(group) {
  auto* radio = static_cast<QRadioButton*>(widget());
  radio->setAutoExclusive(false);
  if (group_) group_->add(this);
  QObject::connect(radio, &QRadioButton::toggled, handlers(), [this](bool on) {
    if (on) setValue(true);
    else setSilently(value_);
  });
}

void OptionButton::setSilently(bool on) {
  value_ = on;
  auto* radio = static_cast<QRadioButton*>(widget());
  const QSignalBlocker block(radio);
  radio->setChecked(on);
}

void OptionButton::setValue(bool on) {
  if (!on) {
    setSilently(false);
    return;
  }
  if (value_) return;  // already selected: no click
  setSilently(true);
  if (group_) group_->selected(this);
  if (Click) Click();
}

QString OptionButton::Caption() const { return static_cast<QRadioButton*>(widget())->text(); }

void OptionGroup::selected(OptionButton* b) {
  for (auto* other : buttons_)
    if (other != b) other->setSilently(false);
}

// ---------------------------------------------------------------- Label

namespace {
class ClickableLabel : public QLabel {
 public:
  using QLabel::QLabel;
  Label* owner = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (owner && owner->MouseDown)
      owner->MouseDown(toMouseButton(e->button()), toShiftState(e->modifiers()), e->position().x(), e->position().y());
    QLabel::mousePressEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (owner && owner->Click && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      owner->Click();
    QLabel::mouseReleaseEvent(e);
  }
};
}  // namespace

Label::Label(FormBase* form, QWidget* parent, const QString& name, const QString& caption, bool autoSize)
    : Control(form, new ClickableLabel(parent), name), autoSize_(autoSize) {
  static_cast<ClickableLabel*>(widget())->owner = this;
  static_cast<QLabel*>(widget())->setTextFormat(Qt::PlainText);
  setCaption(caption);
}

void Label::setCaption(const QString& caption) {
  caption_ = caption;
  auto* l = static_cast<QLabel*>(widget());
  if (elidedWidth_ > 0) {
    l->setText(l->fontMetrics().elidedText(caption, Qt::ElideMiddle, elidedWidth_));
    l->setToolTip(l->text() == caption ? QString() : caption);  // what the cut left out, on hover
    px_.setSize(QSizeF(elidedWidth_, l->sizeHint().height()));
    l->resize(px_.size().toSize());
    return;
  }
  l->setText(caption);
  if (autoSize_) {
    const QSize hint = l->sizeHint();
    px_.setSize(QSizeF(hint));
    l->resize(hint);
  }
}

void Label::setAlignment(Qt::Alignment a) { static_cast<QLabel*>(widget())->setAlignment(a); }

void Label::setElidedWidth(int px) {
  elidedWidth_ = px;
  setCaption(caption_);
}

// ---------------------------------------------------------------- Frame, ProgressBar

Frame::Frame(FormBase* form, QWidget* parent, const QString& name, const QString& caption)
    : Control(form, new QGroupBox(caption, parent), name) {
  // A frame hides what lies beneath it, as the busy notices must.
  widget()->setAutoFillBackground(true);
}

ProgressBar::ProgressBar(FormBase* form, QWidget* parent, const QString& name)
    : Control(form, new QProgressBar(parent), name) {
  bar()->setRange(min_, max_);
  bar()->setTextVisible(false);
}

QProgressBar* ProgressBar::bar() const { return static_cast<QProgressBar*>(widget()); }

void ProgressBar::setMax(int max) {
  max_ = std::max(max, min_ + 1);
  value_ = std::clamp(value_, min_, max_);
  bar()->setRange(min_, max_);
  bar()->setValue(value_);
}

void ProgressBar::setMin(int min) {
  min_ = min;
  if (max_ <= min_) max_ = min_ + 1;
  value_ = std::clamp(value_, min_, max_);
  bar()->setRange(min_, max_);
  bar()->setValue(value_);
}

void ProgressBar::setValue(int value) {
  value_ = std::clamp(value, min_, max_);
  bar()->setValue(value_);
}

// ---------------------------------------------------------------- TabStrip

TabStrip::TabStrip(FormBase* form, QWidget* parent, const QString& name, const QStringList& tabs)
    : Control(form, new QTabBar(parent), name) {
  auto* b = bar();
  b->setExpanding(false);
  b->setDrawBase(false);
  for (const auto& t : tabs) b->addTab(t);
  // Clicks, arrow keys and the wheel all change the tab through this one signal.
  QObject::connect(b, &QTabBar::currentChanged, handlers(), [this](int) {
    if (!inCode_ && Click) Click();
  });
}

QTabBar* TabStrip::bar() const { return static_cast<QTabBar*>(widget()); }
int TabStrip::SelectedIndex() const { return bar()->currentIndex() + 1; }
int TabStrip::tabCount() const { return bar()->count(); }
QString TabStrip::tabCaption(int index) const { return bar()->tabText(index - 1); }

void TabStrip::setSelectedIndex(int index) {
  if (index == SelectedIndex()) return;
  inCode_ = true;
  bar()->setCurrentIndex(index - 1);
  inCode_ = false;
  if (Click) Click();
}

void TabStrip::setTabSize(double width, double height) {
  tabW_ = width;
  tabH_ = height;
  relayoutTabs();
}

void TabStrip::relayoutTabs() {
  if (tabW_ <= 0 || !form_) return;
  const int w = int(std::lround(tabW_ * form_->pxPerUnitX()));
  const int h = int(std::lround(tabH_ * form_->pxPerUnitY()));
  // The chosen tab's caption is bold: the captions take a smaller size where the tabs are too
  // narrow for the longest of them in bold with a margin on each side.
  if (!baseFont_) baseFont_ = bar()->font();
  QFont font = *baseFont_;
  const auto fits = [&](const QFont& f) {
    QFont bold = f;
    bold.setBold(true);
    const QFontMetrics m(bold);
    int widest = 0;
    for (int i = 0; i < tabCount(); ++i) widest = std::max(widest, m.horizontalAdvance(bar()->tabText(i)));
    return widest + 2 * m.averageCharWidth() <= w - 2;
  };
  while (!fits(font) && font.pointSizeF() > 6) font.setPointSizeF(font.pointSizeF() - 0.5);
  bar()->setFont(font);
  // The chosen tab stands out plainly: light and bold over darker ones.
  bar()->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; height: %2px; padding: 0px;"
                                      " border: 1px solid palette(dark); background: palette(mid); }"
                                      " QTabBar::tab:selected { background: palette(base);"
                                      " font-weight: bold; }")
                           .arg(std::max(10, w - 2))
                           .arg(std::max(10, h - 2)));
  movePx(px_.x(), px_.y(), w * tabCount(), h);
}

// ---------------------------------------------------------------- PictureBox, Timer

PictureBox::PictureBox(FormBase* form, QWidget* parent, const QString& name)
    : Control(form, new QLabel(parent), name) {}

Timer::Timer(int intervalMs) : timer_(new QTimer) {
  timer_->setInterval(intervalMs);
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
    if (Tick) Tick();
  });
}
Timer::~Timer() { delete timer_; }
bool Timer::Enabled() const { return timer_->isActive(); }
void Timer::setEnabled(bool on) {
  if (on) timer_->start();
  else timer_->stop();
}
int Timer::Interval() const { return timer_->interval(); }
void Timer::setInterval(int ms) { timer_->setInterval(ms); }

// ---------------------------------------------------------------- clicks on other widgets

namespace {
class ClickCatcher : public QObject {
 public:
  ClickCatcher(QWidget* widget, std::function<void()> onClick, ClickMoment moment)
      : QObject(widget), onClick_(std::move(onClick)), moment_(moment) {
    widget->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!onClick_) return false;
    if (moment_ == ClickMoment::Press) {
      if (e->type() == QEvent::MouseButtonPress) onClick_();
    } else if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint()))
        QTimer::singleShot(0, widget, onClick_);
    }
    return false;
  }

 private:
  std::function<void()> onClick_;
  ClickMoment moment_;
};
}  // namespace

void watchClicks(QWidget* widget, std::function<void()> onClick, ClickMoment moment) {
  if (widget) new ClickCatcher(widget, std::move(onClick), moment);
}

}  // namespace platform
