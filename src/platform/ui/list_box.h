// The list box and its view: sorted, with check boxes or several selected lines, over a model
// that holds any number of lines.
#pragma once

#include "platform/core/sorted_list_model.h"
#include "platform/ui/controls.h"

#include <QPoint>

#include <optional>

namespace platform {

// A list box: optionally sorted, optionally with a check box per item (the tick is the item's
// selection), optionally multi-select. Backed by SortedListModel, never one widget item a line.
class ListBox : public Control {
 public:
  enum class Style { Standard, CheckBox };
  enum class MultiSelect { None, Extended };
  ListBox(FormBase* form, QWidget* parent, const QString& name, Style style, MultiSelect multi, bool sorted);
  ~ListBox() override;

  void AddItem(const QString& item);
  // `itemData` is empty or holds each item's number (see SortedListModel), in the items' order.
  void addItems(const QStringList& items, const std::vector<qint64>& itemData = {});
  // Keeps a one-line header (a label of the same window, created after the list) over the
  // rows, inside the list's frame; the header stays in its place while the list is hidden.
  void setHeader(Control& header);
  // Moves every line of another list box into this one (the other is left empty).
  void moveAllFrom(ListBox& other);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return model_->count(); }
  QString List(int index) const;
  void setList(int index, const QString& text);
  QStringList items() const { return model_->texts(); }
  // The number an item carries beside its text; 0 for none, or for no such item.
  qint64 ItemData(int index) const;
  std::vector<qint64> itemData() const { return model_->payloads(); }

  int ListIndex() const { return listIndex_; }
  // Makes a row current; fires Click when it changes (as the old lists did).
  void setListIndex(int index);
  QString Text() const;  // the current item's text, empty when there is none

  bool Selected(int index) const;
  // On a check-box list, ticking from code makes the row current and fires ItemCheck; the list
  // scrolls to the row the highlight ends on once events run.
  void setSelected(int index, bool on);
  int SelCount() const { return model_->selectedCount(); }

  // Moves the highlight to the first item starting with the text, as typing it would.
  void keyboardSearch(const QString& text);

  void setVisible(bool on) override;
  void setBackColor(qint32 colour) override;
  void setForeColor(qint32 colour) override;
  bool underline() const;
  void setUnderline(bool on);
  void geometryApplied() override;

  SortedListModel* model() const { return model_; }
  QListView* view() const;

  std::function<void(int index)> ItemCheck;
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(int& keyCode, int shift)> KeyDown;
  std::function<void(int button, int shift, double x, double y)> MouseDown;
  // Where a popup menu opened from MouseDown stands: under the current row when the Menu key or
  // Shift+F10 asked for it (which MouseDown receives as a right click), else at the mouse.
  QPoint popupPosition() const;

 private:
  // The user's actions, as the view reports them: only real events reach them.
  friend class ListBoxView;
  void userPress(int row, int button, Qt::KeyboardModifiers mods, QPoint pos, bool onCheck);
  void userDoubleClick(int row);
  bool userKey(int qtKey, Qt::KeyboardModifiers mods, const QString& text);
  void userMenuKey();
  void toggleTick(int row);
  void selectOnly(int row);
  void selectRange(int from, int to);
  void ensureVisible();
  void ensureVisibleLater();
  void setCurrentRow(int row);
  Style style_;
  MultiSelect multi_;
  SortedListModel* model_;
  int listIndex_ = -1;
  int anchor_ = -1;
  QString typed_;
  qint64 typedAt_ = 0;
  bool focusOnShow_ = false;
  bool scrollQueued_ = false;  // a scroll to the highlight waits for the events
  std::optional<QPoint> keyboardPopupAt_;
};

}  // namespace platform
