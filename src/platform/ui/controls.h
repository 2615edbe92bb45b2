// The controls of the program's windows. Each keeps its own state (caption, value, items,
// ticks, geometry) and shows it through a Qt widget. Setting a value from code fires the
// control's handler at once, inside the caller, exactly as the user's action does.
#pragma once

#include "platform/core/sorted_list_model.h"

#include <QFont>
#include <QKeySequence>
#include <QPalette>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTimer;

namespace platform {

class FormBase;

// Key codes the handlers see (the old virtual-key numbers).
namespace keys {
constexpr int Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36,
              Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46;
}
// Mouse buttons and shift state as the handlers see them.
namespace mouse {
constexpr int Left = 1, Right = 2, Middle = 4;
}
int toKeyCode(int qtKey);
int toShiftState(Qt::KeyboardModifiers mods);
int toMouseButton(Qt::MouseButton button);
// Sets one colour of a widget's palette; a colour number that names no colour changes nothing.
void applyColour(QWidget* widget, QPalette::ColorRole role, qint32 colour);

class Control {
 public:
  Control(FormBase* form, QWidget* widget, QString name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const QString& name() const { return name_; }
  QWidget* widget() const { return widget_; }

  // Geometry in the form's current scale units (pixels inside frames).
  void Move(double left, double top, double width = -1, double height = -1);
  void setLeft(double v) { Move(v, Top()); }
  void setTop(double v) { Move(Left(), v); }
  void setWidth(double v) { Move(Left(), Top(), v); }
  void setHeight(double v) { Move(Left(), Top(), -1, v); }
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  // Geometry in pixels of the parent.
  void movePx(double left, double top, double width = -1, double height = -1);
  QRectF geometryPx() const { return px_; }

  bool Visible() const { return visible_; }
  virtual void setVisible(bool on);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool on);
  QString ToolTipText() const;
  void setToolTipText(const QString& tip);
  void setFont(const QFont& font);
  // Asks for a fixed-pitch font of the given face and size, so columns line up.
  void setFixedPitchFont(const QString& face, double pointSize);
  QFont font() const;

  qint32 BackColor() const { return backColour_; }
  qint32 ForeColor() const { return foreColour_; }
  virtual void setBackColor(qint32 colour);
  virtual void setForeColor(qint32 colour);

  void SetFocus();
  bool hasFocus() const;
  // Focus moved here by the user or by code (not by a popup or by switching programs).
  std::function<void()> GotFocus;
  // Runs after the handler that moved the focus away has returned.
  std::function<void()> LostFocus;

  void ZOrderBottom();

 protected:
  bool inScale() const;
  void applyGeometry();
  // Runs after the control has been moved or sized (also while it is hidden).
  virtual void geometryApplied() {}
  // The context of every connection that runs this control's handlers. It goes with the
  // control, so a signal its widget sends afterwards (as the window closes, when the form's
  // controls are already gone) runs no handler.
  QObject* handlers() const { return focusWatcher_; }
  FormBase* form_;
  QPointer<QWidget> widget_;
  QString name_;
  QRectF px_;
  bool visible_ = true;
  bool enabled_ = true;
  qint32 backColour_ = -1;
  qint32 foreColour_ = -1;
  QObject* focusWatcher_ = nullptr;
  friend class FocusWatcher;
};

class CommandButton : public Control {
 public:
  CommandButton(FormBase* form, QWidget* parent, const QString& name, const QString& caption);
  QString Caption() const;
  void setCaption(const QString& caption);
  // "Pressing" the button from code runs its click handler, as a user's click does.
  void setValue(bool pressed);
  void click();
  // The key that presses the button with Alt (the letter marked with "&" in its caption).
  QKeySequence accessKey() const;
  // Leaves the access key to someone else; the caption still shows its mark.
  void dropAccessKey();
  std::function<void()> Click;

 private:
  QPushButton* button() const;
};

class CheckBox : public Control {
 public:
  CheckBox(FormBase* form, QWidget* parent, const QString& name, const QString& caption);
  int Value() const { return value_; }
  // Fires Click when the value really changes.
  void setValue(int value);
  QString Caption() const;
  void setCaption(const QString& caption);
  std::function<void()> Click;

 private:
  int value_ = 0;
};

class OptionGroup;

class OptionButton : public Control {
 public:
  OptionButton(FormBase* form, QWidget* parent, const QString& name, const QString& caption, OptionGroup* group);
  bool Value() const { return value_; }
  // Selecting a button that is not selected fires Click and clears the other buttons of the
  // group silently.
  void setValue(bool on);
  QString Caption() const;
  std::function<void()> Click;

 private:
  friend class OptionGroup;
  void setSilently(bool on);
  OptionGroup* group_;
  bool value_ = false;
};

class OptionGroup {
 public:
  void add(OptionButton* b) { buttons_.push_back(b); }
  void selected(OptionButton* b);

 private:
  std::vector<OptionButton*> buttons_;
};

class Label : public Control {
 public:
  Label(FormBase* form, QWidget* parent, const QString& name, const QString& caption, bool autoSize = true);
  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  void setAlignment(Qt::Alignment a);
  // A fixed width in pixels; a longer caption shows with its middle left out.
  void setElidedWidth(int px);
  std::function<void()> Click;
  std::function<void(int button, int shift, double x, double y)> MouseDown;

 private:
  QString caption_;
  bool autoSize_;
  int elidedWidth_ = 0;
};

class Frame : public Control {
 public:
  Frame(FormBase* form, QWidget* parent, const QString& name, const QString& caption);
  QWidget* inner() const { return widget(); }
};

class ProgressBar : public Control {
 public:
  ProgressBar(FormBase* form, QWidget* parent, const QString& name);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  // The maximum is at least min + 1 and values are kept inside the range, so the bar never
  // turns into a "busy" animation and never refuses a value.
  void setMax(int max);
  void setMin(int min);
  void setValue(int value);

 private:
  QProgressBar* bar() const;
  int min_ = 0, max_ = 100, value_ = 0;
};

class TabStrip : public Control {
 public:
  TabStrip(FormBase* form, QWidget* parent, const QString& name, const QStringList& tabs);
  int SelectedIndex() const;  // 1-based, as the tab strip numbers its tabs
  // Selecting from code fires Click when it changes, as a click on the tab does.
  void setSelectedIndex(int index);
  int tabCount() const;
  QString tabCaption(int index) const;
  // Tab size in the form's scale units.
  void setTabSize(double width, double height);
  void relayoutTabs();
  std::function<void()> Click;

 private:
  QTabBar* bar() const;
  double tabW_ = 0, tabH_ = 0;
  bool inCode_ = false;
  std::optional<QFont> baseFont_;
};

class PictureBox : public Control {
 public:
  PictureBox(FormBase* form, QWidget* parent, const QString& name);
};

class Timer {
 public:
  explicit Timer(int intervalMs);
  ~Timer();
  bool Enabled() const;
  void setEnabled(bool on);
  int Interval() const;
  void setInterval(int ms);
  std::function<void()> Tick;

 private:
  QTimer* timer_;
};

// When a click caught on a widget without a click of its own runs its handler: at the press of
// any button (a window's background, a frame), or once a left click inside the widget has been
// handled by the widget itself (a click on selected text ends by deselecting it, which the
// handler must come after).
enum class ClickMoment { Press, AfterLeftClick };
void watchClicks(QWidget* widget, std::function<void()> onClick, ClickMoment moment = ClickMoment::Press);

}  // namespace platform

// The text controls and the list box, which build on the controls above.
#include "platform/ui/list_box.h"
#include "platform/ui/text_controls.h"
