#include "platform/ui/text_controls.h"

#include "platform/core/colours.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace platform {

namespace {
// A line edit's limit when none is set; a MaxLength of 0 (no limit) stands for it.
constexpr int kLineEditNoLimit = 32767;
}  // namespace

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
  return m == kLineEditNoLimit ? 0 : m;
}
void TextBox::setMaxLength(int n) { edit()->setMaxLength(n <= 0 ? kLineEditNoLimit : n); }
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

ComboBox::ComboBox(FormBase* form, QWidget* parent, const QString& name, Style style, bool sorted, const QString& text)
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
  if (c->isEditable() && c->currentIndex() >= 0 && c->lineEdit()->text() != c->itemText(c->currentIndex())) return -1;
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
  const QString face =
      back.isValid() ? QStringLiteral(" border: 1px solid palette(dark); padding: 0px 2px;") : QString();
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

}  // namespace platform
