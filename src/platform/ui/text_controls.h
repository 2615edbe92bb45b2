// The text box and the drop-down, with the key filter that gives their typed keys to the form's
// key handlers (capitals and the other rules the windows apply as the user types).
#pragma once

#include "platform/ui/controls.h"

namespace platform {

class TextBox : public Control {
 public:
  TextBox(FormBase* form, QWidget* parent, const QString& name, const QString& text);
  QString Text() const;
  void setText(const QString& text);
  int MaxLength() const;
  void setMaxLength(int n);  // 0: no limit; a longer text set from code is cut
  int SelStart() const;
  int SelLength() const;
  void setSelection(int start, int length);
  void setBackColor(qint32 colour) override;
  void setForeColor(qint32 colour) override;
  // Runs at every change of the text, by the user or by code.
  std::function<void()> Change;
  // A typed character (by reference: 0 swallows it).
  std::function<void(int& keyAscii)> KeyPress;

 private:
  QLineEdit* edit() const;
};

class ComboBox : public Control {
 public:
  enum class Style { DropdownCombo, DropdownList };
  ComboBox(FormBase* form, QWidget* parent, const QString& name, Style style, bool sorted, const QString& text = {});
  Style style() const { return style_; }
  void AddItem(const QString& item);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const;
  QString List(int index) const;
  int ListIndex() const;
  void setListIndex(int index);  // fires Click when it changes
  QString Text() const;
  void setText(const QString& text);
  // How many rows the dropped-down list shows.
  void setVisibleRows(int rows);
  int visibleRows() const { return rows_; }
  // The dropped-down list is made wide enough to show its longest entry whole, however narrow
  // the box itself stands.
  void fitDropDownToEntries();
  void setBackColor(qint32 colour) override;
  void setForeColor(qint32 colour) override;
  std::function<void()> Click;
  std::function<void()> Change;
  std::function<void(int& keyAscii)> KeyPress;
  std::function<void(int& keyCode, int shift)> KeyDown;

 private:
  QComboBox* combo() const;
  void applyStyleSheet();
  Style style_;
  bool sorted_;
  int rows_ = 8;
  bool inCode_ = false;
};

}  // namespace platform
