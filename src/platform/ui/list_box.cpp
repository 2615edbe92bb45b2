#include "platform/ui/list_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDateTime>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMetaObject>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace platform {

// ---------------------------------------------------------------- ListBox

class ListBoxView : public QListView {
 public:
  ListBoxView(ListBox* owner, QWidget* parent) : QListView(parent), owner_(owner) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height are laid out in one pass, however many: a list laid out in batches
    // starts over at its first batch on every change of a row (a tick, the highlight), and a
    // row past the batch has no place to be scrolled to until the timer has laid out the rest.
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
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
    owner_->userPress(idx.isValid() ? idx.row() : -1, toMouseButton(e->button()), e->modifiers(), pos,
                      onCheckBox(idx, pos));
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
  // A changed row (its tick, its text, the highlight's colours) keeps its place: the rows are of
  // one height, so only that row is repainted. The list view's own answer lays out every row
  // again, which on a long list costs more than the change itself at every tick and key. The
  // width the rows scroll sideways over is measured again when the list is refilled.
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override {
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent*) override {}
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton) owner_->userDoubleClick(idx.isValid() ? idx.row() : -1);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier)) {
      owner_->userMenuKey();
      return;
    }
    if (!owner_->userKey(e->key(), e->modifiers(), e->text())) QListView::keyPressEvent(e);
  }
  // The mouse's popup comes with its press; a keyboard's request that arrives as a menu event
  // opens it at the current row.
  void contextMenuEvent(QContextMenuEvent* e) override {
    if (e->reason() == QContextMenuEvent::Keyboard) owner_->userMenuKey();
  }

 private:
  ListBox* owner_;
  QWidget* header_ = nullptr;
  bool following_ = false;  // the current row is being set to the list's own
};

ListBox::ListBox(FormBase* form, QWidget* parent, const QString& name, Style style, MultiSelect multi, bool sorted)
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
void ListBox::addItems(const QStringList& items, const std::vector<qint64>& itemData) {
  model_->addMany(items, itemData);
}

void ListBox::setHeader(Control& header) { static_cast<ListBoxView*>(view())->setHeader(header.widget()); }

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

qint64 ListBox::ItemData(int index) const {
  if (index < 0 || index >= ListCount()) return 0;
  return model_->payload(index);
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
      ensureVisibleLater();
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

// Ticks made from code move the highlight from row to row, thousands at a time: the list scrolls
// once, to where the highlight ends, when they are done.
void ListBox::ensureVisibleLater() {
  if (scrollQueued_) return;
  scrollQueued_ = true;
  QMetaObject::invokeMethod(
      handlers(),
      [this] {
        scrollQueued_ = false;
        ensureVisible();
      },
      Qt::QueuedConnection);
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

void ListBox::userMenuKey() {
  QListView* v = view();
  ensureVisible();
  const QRect row = listIndex_ >= 0 ? v->visualRect(model_->index(listIndex_)) : QRect();
  const QPoint at = row.isValid() && v->viewport()->rect().intersects(row) ? row.bottomLeft() + QPoint(row.height(), 0)
                                                                           : QPoint(0, 0);
  keyboardPopupAt_ = v->viewport()->mapToGlobal(at);
  if (MouseDown) MouseDown(mouse::Right, 0, at.x(), at.y());
  keyboardPopupAt_.reset();
}

QPoint ListBox::popupPosition() const { return keyboardPopupAt_ ? *keyboardPopupAt_ : QCursor::pos(); }

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
  const int page = std::max(1, view()->viewport()->height() / std::max(1, view()->sizeHintForRow(0)) - 1);
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
          // The row ticked is the row shown, however far the wheel or the scroll bar moved away.
          ensureVisible();
          toggleTick(listIndex_);
          if (Click) Click();
        }
        return true;
      }
      break;
    default: break;
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

}  // namespace platform
