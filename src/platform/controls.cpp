#include "platform/controls.h"

#include "platform/colours.h"
#include "platform/form.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

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

static int toMouseButton(Qt::MouseButton b) {
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

Control::Control(FormBase* form, QWidget* widget, QString name)
    : form_(form), widget_(widget), name_(std::move(name)) {
  widget_->setObjectName(name_);
  px_ = QRectF(widget_->geometry());
  focusWatcher_ = new FocusWatcher(this);
  widget_->installEventFilter(focusWatcher_);
}

Control::~Control() {
  if (widget_) delete focusWatcher_;  // no focus event may reach a control that is gone
}

bool Control::inScale() const {
  return form_ && widget_ && widget_->parentWidget() == form_->client();
}

void Control::applyGeometry() {
  if (!widget_) return;
  widget_->setGeometry(int(std::lround(px_.x())), int(std::lround(px_.y())),
                       std::max(0, int(std::lround(px_.width()))),
                       std::max(0, int(std::lround(px_.height()))));
  geometryApplied();
}

void Control::Move(double left, double top, double width, double height) {
  if (!inScale()) {
    movePx(left, top, width, height);
    return;
  }
  const double sx = form_->pxPerUnitX(), sy = form_->pxPerUnitY();
  px_.setRect(left * sx, top * sy, width >= 0 ? width * sx : px_.width(),
              height >= 0 ? height * sy : px_.height());
  applyGeometry();
}

void Control::movePx(double left, double top, double width, double height) {
  px_.setRect(left, top, width >= 0 ? width : px_.width(), height >= 0 ? height : px_.height());
  applyGeometry();
}

double Control::Left() const { return inScale() ? px_.x() / form_->pxPerUnitX() : px_.x(); }
double Control::Top() const { return inScale() ? px_.y() / form_->pxPerUnitY() : px_.y(); }
double Control::Width() const {
  return inScale() ? px_.width() / form_->pxPerUnitX() : px_.width();
}
double Control::Height() const {
  return inScale() ? px_.height() / form_->pxPerUnitY() : px_.height();
}

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

static void applyColour(QWidget* w, QPalette::ColorRole role, qint32 colour) {
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

CommandButton::CommandButton(FormBase* form, QWidget* parent, const QString& name,
                             const QString& caption)
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

OptionButton::OptionButton(FormBase* form, QWidget* parent, const QString& name,
                           const QString& caption, OptionGroup* group)
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
      owner->MouseDown(toMouseButton(e->button()), toShiftState(e->modifiers()),
                       e->position().x(), e->position().y());
    QLabel::mousePressEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (owner && owner->Click && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      owner->Click();
    QLabel::mouseReleaseEvent(e);
  }
};
}  // namespace

Label::Label(FormBase* form, QWidget* parent, const QString& name, const QString& caption,
             bool autoSize)
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

// ---------------------------------------------------------------- TextBox

namespace {
class KeyFilter : public QObject {
 public:
  explicit KeyFilter(QObject* parent, std::function<void(int&)>* keyPress,
                     std::function<void(int&, int)>* keyDown = nullptr)
      : QObject(parent), keyPress_(keyPress), keyDown_(keyDown) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::InputMethod && !replacing_) return composed(static_cast<QInputMethodEvent*>(e));
    if (e->type() != QEvent::KeyPress || replacing_) return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    if (keyDown_ && *keyDown_) {
      int code = toKeyCode(ke->key());
      (*keyDown_)(code, toShiftState(ke->modifiers()));
      if (code == 0) return true;
    }
    if (keyPress_ && *keyPress_ && ke->text().size() == 1) {
      int ascii = ke->text().at(0).unicode();
      const int before = ascii;
      (*keyPress_)(ascii);
      if (ascii == 0) return true;
      if (ascii != before) {
        QKeyEvent replaced(QEvent::KeyPress, ke->key(), ke->modifiers(), QString(QChar(char16_t(ascii))));
        replacing_ = true;
        QCoreApplication::sendEvent(parent(), &replaced);
        replacing_ = false;
        return true;
      }
    }
    return false;
  }
 private:
  // Text composed through a dead key or an input method arrives whole, without key presses:
  // each of its characters goes through the key handler as a typed one does.
  bool composed(QInputMethodEvent* e) {
    if (!keyPress_ || !*keyPress_ || e->commitString().isEmpty()) return false;
    QString text;
    for (const QChar c : e->commitString()) {
      int code = c.unicode();
      (*keyPress_)(code);
      if (code != 0) text += QChar(char16_t(code));
    }
    if (text == e->commitString()) return false;
    QInputMethodEvent replaced(e->preeditString(), e->attributes());
    replaced.setCommitString(text, e->replacementStart(), e->replacementLength());
    replacing_ = true;
    QCoreApplication::sendEvent(parent(), &replaced);
    replacing_ = false;
    return true;
  }
  std::function<void(int&)>* keyPress_;
  std::function<void(int&, int)>* keyDown_;
  bool replacing_ = false;
};
}  // namespace

TextBox::TextBox(FormBase* form, QWidget* parent, const QString& name, const QString& text)
    : Control(form, new QLineEdit(text, parent), name) {
  QObject::connect(edit(), &QLineEdit::textChanged, handlers(), [this] {
    if (Change) Change();
  });
  edit()->installEventFilter(new KeyFilter(edit(), &KeyPress));
}

QLineEdit* TextBox::edit() const { return static_cast<QLineEdit*>(widget()); }
QString TextBox::Text() const { return edit()->text(); }
void TextBox::setText(const QString& text) { edit()->setText(text); }
int TextBox::MaxLength() const {
  const int m = edit()->maxLength();
  return m == 32767 ? 0 : m;
}
void TextBox::setMaxLength(int n) { edit()->setMaxLength(n <= 0 ? 32767 : n); }
int TextBox::SelStart() const {
  return edit()->hasSelectedText() ? edit()->selectionStart() : edit()->cursorPosition();
}
int TextBox::SelLength() const { return int(edit()->selectedText().size()); }
void TextBox::setSelection(int start, int length) { edit()->setSelection(start, length); }
void TextBox::setBackColor(qint32 colour) {
  backColour_ = colour;
  applyColour(widget(), QPalette::Base, colour);
}
void TextBox::setForeColor(qint32 colour) {
  foreColour_ = colour;
  applyColour(widget(), QPalette::Text, colour);
}

// ---------------------------------------------------------------- ComboBox

ComboBox::ComboBox(FormBase* form, QWidget* parent, const QString& name, Style style, bool sorted,
                   const QString& text)
    : Control(form, new QComboBox(parent), name), style_(style), sorted_(sorted) {
  auto* c = combo();
  c->setEditable(style == Style::DropdownCombo);
  c->setInsertPolicy(QComboBox::NoInsert);
  if (c->lineEdit()) {
    c->setCompleter(nullptr);
    c->lineEdit()->installEventFilter(focusWatcher_);  // the field takes the clicks
    c->lineEdit()->setText(text);
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, handlers(), [this] {
      if (Change) Change();
    });
  }
  // The drop-down holds the focus and hands typed keys to its field without passing them
  // through the field's filters: the keys are seen where they arrive.
  c->installEventFilter(new KeyFilter(c, &KeyPress, &KeyDown));
  QObject::connect(c, &QComboBox::activated, handlers(), [this](int) {
    if (!inCode_ && Click) Click();
  });
  applyStyleSheet();
}

QComboBox* ComboBox::combo() const { return static_cast<QComboBox*>(widget()); }

void ComboBox::AddItem(const QString& item) {
  auto* c = combo();
  const QString keep = c->isEditable() ? c->lineEdit()->text() : QString();
  const int current = c->currentIndex();
  int pos = c->count();
  if (sorted_) {
    const QByteArray key = sortKey(item);
    int lo = 0, hi = c->count();
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (key < sortKey(c->itemText(mid))) hi = mid;
      else lo = mid + 1;
    }
    pos = lo;
  }
  inCode_ = true;
  {
    const QSignalBlocker block(c);
    c->insertItem(pos, item);
    // Qt makes the first item current (and, when editable, replaces the edit text); the
    // selection stays what it was, moved along when the item went in before it.
    c->setCurrentIndex(current < 0 ? -1 : (pos <= current ? current + 1 : current));
    if (c->isEditable()) c->lineEdit()->setText(keep);
  }
  inCode_ = false;
}

void ComboBox::RemoveItem(int index) {
  const QSignalBlocker block(combo());
  combo()->removeItem(index);
}

void ComboBox::Clear() {
  auto* c = combo();
  const QString keep = c->isEditable() ? c->lineEdit()->text() : QString();
  const QSignalBlocker block(c);
  c->clear();
  if (c->isEditable()) c->lineEdit()->setText(keep);
}

int ComboBox::ListCount() const { return combo()->count(); }
QString ComboBox::List(int index) const { return combo()->itemText(index); }
int ComboBox::ListIndex() const {
  auto* c = combo();
  if (c->isEditable() && c->currentIndex() >= 0 && c->lineEdit()->text() != c->itemText(c->currentIndex()))
    return -1;
  return c->currentIndex();
}

void ComboBox::setListIndex(int index) {
  auto* c = combo();
  if (index == ListIndex()) return;
  {
    const QSignalBlocker block(c);
    c->setCurrentIndex(index);
  }
  if (Click) Click();
}

QString ComboBox::Text() const {
  auto* c = combo();
  return c->isEditable() ? c->lineEdit()->text() : c->currentText();
}

void ComboBox::setText(const QString& text) {
  auto* c = combo();
  const QSignalBlocker block(c);
  if (c->isEditable()) {
    c->lineEdit()->setText(text);
  } else {
    c->setCurrentIndex(c->findText(text, Qt::MatchFixedString));
  }
  if (Change && c->isEditable()) Change();
}

void ComboBox::applyStyleSheet() {
  // Without combobox-popup some styles show a menu that ignores the row count. The colours are
  // part of the sheet: applying a sheet again puts back the palette the widget had before, and
  // the face of a pick-only box is drawn in colours no palette entry of ours reaches.
  QString colours;
  const QColor back = toQColor(backColour_), fore = toQColor(foreColour_);
  if (back.isValid()) colours += QStringLiteral(" background-color: %1;").arg(back.name());
  if (fore.isValid()) colours += QStringLiteral(" color: %1;").arg(fore.name());
  // A border of its own makes the face one plain colour rather than the style's shading of it.
  const QString face = back.isValid() ? QStringLiteral(" border: 1px solid palette(dark); padding: 0px 2px;") : QString();
  QString sheet = QStringLiteral("QComboBox { combobox-popup: 0;%1%2 }").arg(colours, face);
  if (!colours.isEmpty())
    sheet += QStringLiteral(" QComboBox QAbstractItemView, QComboBox QLineEdit {%1 }").arg(colours);
  // A disabled box still looks disabled: its text takes the greyed colour of the system.
  if (fore.isValid())
    sheet += QStringLiteral(" QComboBox:disabled, QComboBox QLineEdit:disabled { color: %1; }")
                 .arg(QApplication::palette().color(QPalette::Disabled, QPalette::Text).name());
  combo()->setStyleSheet(sheet);
}

void ComboBox::setVisibleRows(int rows) {
  rows_ = rows;
  combo()->setMaxVisibleItems(std::max(1, rows));
  applyStyleSheet();
}

void ComboBox::fitDropDownToEntries() {
  QAbstractItemView* view = combo()->view();
  const QFontMetrics metrics(view->font());
  int widest = 0;
  for (int i = 0; i < ListCount(); ++i) widest = std::max(widest, metrics.horizontalAdvance(List(i)));
  // The frame, the scroll bar, and the entries' own margins.
  const int margins = 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) +
                      2 * metrics.averageCharWidth();
  view->setMinimumWidth(widest + margins);
}

void ComboBox::setBackColor(qint32 colour) {
  backColour_ = colour;
  applyStyleSheet();
}

void ComboBox::setForeColor(qint32 colour) {
  foreColour_ = colour;
  applyStyleSheet();
}

// ---------------------------------------------------------------- ListBox

class ListBoxView : public QListView {
 public:
  ListBoxView(ListBox* owner, QWidget* parent) : QListView(parent), owner_(owner) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(2000);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeHeader(); });
  }
  // The view's own current row (where it draws its focus frame) stands on the list's
  // highlight, so the list shows one marker.
  void followCurrent() {
    const int row = owner_->ListIndex();
    const QModelIndex idx = row >= 0 ? model()->index(row, 0) : QModelIndex();
    if (!selectionModel() || selectionModel()->currentIndex() == idx) return;
    // The marker follows without scrolling: the list scrolls where it means to (ensureVisible),
    // and ticking thousands of discs from code must not scroll the view row by row.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    following_ = true;
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    following_ = false;
    setAutoScroll(autoScroll);
  }
  // A one-line header standing over the rows, inside the list's frame. It is a widget of its
  // own beside the list, so it shows while the list is hidden and keeps its own font.
  void setHeader(QWidget* header) {
    header_ = header;
    // The strip above the rows is painted: in the full-size view the list covers the buttons.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setViewportMargins(0, header->sizeHint().height() + 2, 0, 0);
    placeHeader();
  }
  void placeHeader() {
    if (!header_) return;
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int frame = frameWidth();
    const QRect list = geometry();
    const int scrollBar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    header_->setGeometry(list.x() + frame + textMargin, list.y() + frame,
                         std::max(0, list.width() - 2 * frame - textMargin - scrollBar),
                         header_->sizeHint().height() + 2);
    // The header's words follow the rows when they are scrolled sideways.
    header_->setContentsMargins(-horizontalScrollBar()->value(), 0, 0, 0);
  }
 protected:
  void resizeEvent(QResizeEvent* e) override {
    QListView::resizeEvent(e);
    placeHeader();
  }
  bool onCheckBox(const QModelIndex& idx, QPoint pos) const {
    if (!idx.isValid() || !idx.data(Qt::CheckStateRole).isValid()) return false;
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.rect = visualRect(idx);
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect r = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, this);
    return r.adjusted(-2, -2, 2, 2).contains(pos);
  }
  void mousePressEvent(QMouseEvent* e) override {
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = e->position().toPoint();
    const QModelIndex idx = indexAt(pos);
    owner_->userPress(idx.isValid() ? idx.row() : -1, toMouseButton(e->button()), e->modifiers(),
                      pos, onCheckBox(idx, pos));
  }
  void focusInEvent(QFocusEvent* e) override {
    QListView::focusInEvent(e);  // which puts the current row on the first line when it has none
    followCurrent();
  }
  // Where the marker follows the list's highlight, the rows are repainted with the visible part
  // of the list as a whole: asking for the two rows' places would lay the whole list out again on
  // every tick made from code. Nothing here is editable and the list scrolls on its own terms.
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
    if (!following_ || QAccessible::isActive()) {
      QListView::currentChanged(current, previous);
      return;
    }
    if (isVisible()) viewport()->update();
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton) owner_->userDoubleClick(idx.isValid() ? idx.row() : -1);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (!owner_->userKey(e->key(), e->modifiers(), e->text())) QListView::keyPressEvent(e);
  }
 private:
  ListBox* owner_;
  QWidget* header_ = nullptr;
  bool following_ = false;  // the current row is being set to the list's own
};

ListBox::ListBox(FormBase* form, QWidget* parent, const QString& name, Style style,
                 MultiSelect multi, bool sorted)
    : Control(form, new ListBoxView(this, parent), name),
      style_(style),
      multi_(multi),
      model_(new SortedListModel(sorted, widget())) {
  model_->setCheckBoxes(style == Style::CheckBox);
  model_->setHighlightSelected(style == Style::Standard);
  model_->setHighlightCurrent(style == Style::CheckBox || multi == MultiSelect::None);
  const QPalette pal = QApplication::palette();
  model_->setColours(pal.color(QPalette::Active, QPalette::Highlight),
                     pal.color(QPalette::Active, QPalette::HighlightedText));
  view()->setModel(model_);
  QObject::connect(model_, &SortedListModel::flushed, handlers(), [this] {
    static_cast<ListBoxView*>(view())->followCurrent();
    ensureVisible();
  });
}

ListBox::~ListBox() = default;

QListView* ListBox::view() const { return static_cast<QListView*>(widget()); }

void ListBox::AddItem(const QString& item) { model_->add(item); }
void ListBox::addItems(const QStringList& items) { model_->addMany(items); }

void ListBox::setHeader(Control& header) {
  static_cast<ListBoxView*>(view())->setHeader(header.widget());
}

void ListBox::geometryApplied() { static_cast<ListBoxView*>(view())->placeHeader(); }

void ListBox::moveAllFrom(ListBox& other) {
  model_->takeAllFrom(*other.model_);
  other.listIndex_ = -1;
  other.anchor_ = -1;
}

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  model_->removeAt(index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  setCurrentRow(listIndex_);
}

// A list filled again shows its first row, however far down it was scrolled before.
void ListBox::Clear() {
  model_->clear();
  listIndex_ = -1;
  anchor_ = -1;
  view()->scrollToTop();
}

QString ListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return model_->text(index);
}

void ListBox::setList(int index, const QString& text) {
  if (index >= 0 && index < ListCount()) model_->setText(index, text);
}

void ListBox::setCurrentRow(int row) {
  model_->setCurrentRow(row);
  static_cast<ListBoxView*>(view())->followCurrent();
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= ListCount()) return;
  if (index == listIndex_) return;
  listIndex_ = index;
  setCurrentRow(index);
  if (style_ == Style::Standard && multi_ == MultiSelect::None) {
    model_->setAllSelected(false);
    if (index >= 0) model_->setSelected(index, true);
  }
  ensureVisible();
  if (Click) Click();
}

QString ListBox::Text() const { return List(listIndex_); }

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= ListCount()) return false;
  return model_->selected(index);
}

void ListBox::setSelected(int index, bool on) {
  if (index < 0 || index >= ListCount()) return;
  if (style_ == Style::CheckBox) {
    if (listIndex_ != index) {
      listIndex_ = index;
      setCurrentRow(index);
    }
    if (model_->selected(index) == on) return;
    model_->setSelected(index, on);
    if (ItemCheck) ItemCheck(index);
    return;
  }
  if (multi_ == MultiSelect::None) {
    if (on) setListIndex(index);
    else model_->setSelected(index, false);
    return;
  }
  model_->setSelected(index, on);
}

void ListBox::ensureVisible() {
  if (listIndex_ >= 0 && listIndex_ < model_->rowCount() && view()->isVisible())
    view()->scrollTo(model_->index(listIndex_), QAbstractItemView::EnsureVisible);
}

void ListBox::keyboardSearch(const QString& text) {
  if (text.isEmpty()) return;
  const int row = model_->findPrefix(text, 0);
  if (row >= 0) {
    if (multi_ == MultiSelect::Extended) selectOnly(row);
    setListIndex(row);
  }
}

// A list hidden while it holds the focus (the passes that rework it hide it) takes the focus
// back when it shows again, unless the focus went elsewhere meanwhile. Qt would hand it to the
// next control, whose focus handler runs (the header box selects its text for the next key).
void ListBox::setVisible(bool on) {
  if (on && !visible_) model_->flush();
  if (!on && visible_ && widget_ && widget_->hasFocus()) {
    widget_->clearFocus();
    focusOnShow_ = true;
  }
  Control::setVisible(on);
  if (on) ensureVisible();
  if (on && focusOnShow_) {
    focusOnShow_ = false;
    if (widget_ && !widget_->window()->focusWidget()) SetFocus();
  }
}

void ListBox::setBackColor(qint32 colour) {
  backColour_ = colour;
  applyColour(widget(), QPalette::Base, colour);
}

void ListBox::setForeColor(qint32 colour) {
  foreColour_ = colour;
  applyColour(widget(), QPalette::Text, colour);
}

bool ListBox::underline() const { return font().underline(); }
void ListBox::setUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void ListBox::toggleTick(int row) { setSelected(row, !model_->selected(row)); }

void ListBox::selectOnly(int row) {
  if (model_->selectedCount() > 0) model_->setAllSelected(false);
  if (row >= 0) model_->setSelected(row, true);
}

void ListBox::selectRange(int from, int to) {
  if (from > to) std::swap(from, to);
  model_->setAllSelected(false);
  for (int r = std::max(0, from); r <= to && r < ListCount(); ++r) model_->setSelected(r, true);
}

void ListBox::userPress(int row, int button, Qt::KeyboardModifiers mods, QPoint pos, bool onCheck) {
  // Only the left button moves the highlight; the other buttons act on the row that was
  // current before the click.
  if (button == mouse::Left && row >= 0) {
    const bool moved = row != listIndex_;
    if (multi_ == MultiSelect::Extended) {
      if (mods & Qt::ShiftModifier) {
        selectRange(anchor_ < 0 ? row : anchor_, row);
      } else if (mods & Qt::ControlModifier) {
        model_->setSelected(row, !model_->selected(row));
        anchor_ = row;
      } else {
        selectOnly(row);
        anchor_ = row;
      }
    } else if (style_ == Style::Standard) {
      selectOnly(row);
    }
    listIndex_ = row;
    setCurrentRow(row);
    if (style_ == Style::CheckBox && onCheck) toggleTick(row);
    if (Click && (moved || style_ != Style::Standard || multi_ == MultiSelect::Extended)) Click();
  }
  if (MouseDown) MouseDown(button, toShiftState(mods), pos.x(), pos.y());
}

void ListBox::userDoubleClick(int row) {
  if (row >= 0 && DblClick) DblClick();
}

bool ListBox::userKey(int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
  int code = toKeyCode(qtKey);
  if (KeyDown) {
    KeyDown(code, toShiftState(mods));
    if (code == 0) return true;
  }
  const int n = ListCount();
  int target = -1;
  const int page = std::max(1, view()->viewport()->height() /
                                   std::max(1, view()->sizeHintForRow(0)) - 1);
  switch (qtKey) {
    case Qt::Key_Up: target = std::max(0, listIndex_ - 1); break;
    case Qt::Key_Down: target = std::min(n - 1, listIndex_ + 1); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = n - 1; break;
    case Qt::Key_PageUp: target = std::max(0, listIndex_ - page); break;
    case Qt::Key_PageDown: target = std::min(n - 1, listIndex_ + page); break;
    case Qt::Key_Space:
      if (style_ == Style::CheckBox) {
        if (listIndex_ < 0 && n > 0) setListIndex(0);
        if (listIndex_ >= 0) {
          toggleTick(listIndex_);
          if (Click) Click();
        }
        return true;
      }
      break;
    default:
      break;
  }
  if (target >= 0 && n > 0) {
    if (multi_ == MultiSelect::Extended) {
      if (mods & Qt::ShiftModifier) selectRange(anchor_ < 0 ? target : anchor_, target);
      else {
        selectOnly(target);
        anchor_ = target;
      }
    }
    setListIndex(target);
    return true;
  }
  if (text.size() == 1 && text.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - typedAt_ > QApplication::keyboardInputInterval()) typed_.clear();
    typedAt_ = now;
    typed_ += text;
    keyboardSearch(typed_);
    return true;
  }
  return qtKey == Qt::Key_Tab ? false : (n == 0);
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

}  // namespace platform
