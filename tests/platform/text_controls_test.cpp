// The drop-down: typed text, items and the selection.
#include "platform/ui/busy.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/prompts.h"
#include "user_input.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QTabBar>

#include <gtest/gtest.h>

using namespace platform;
using testsupport::clickRow;
using testsupport::RowPart;

using Window = testsupport::TestWindow;

TEST(ComboBox, EditableComboKeepsTypedTextAndAddsNoItemOnEnter) {
  Window w;
  ComboBox combo(&w, w.client(), "cmbSearch_text", ComboBox::Style::DropdownCombo, false, "TYPE");
  combo.AddItem("first");
  EXPECT_EQ(combo.Text(), "TYPE");
  auto* edit = static_cast<QComboBox*>(combo.widget())->lineEdit();
  edit->setText("typed");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QCoreApplication::sendEvent(edit, &enter);
  EXPECT_EQ(combo.ListCount(), 1);
  EXPECT_EQ(combo.Text(), "typed");
}

TEST(ComboBox, SortedItemsAndVisibleRows) {
  Window w;
  ComboBox combo(&w, w.client(), "Combo1", ComboBox::Style::DropdownList, true);
  combo.AddItem("b");
  combo.AddItem("A");
  combo.AddItem("c");
  EXPECT_EQ(combo.List(0), "A");
  EXPECT_EQ(combo.List(2), "c");
  combo.setVisibleRows(30);
  EXPECT_EQ(static_cast<QComboBox*>(combo.widget())->maxVisibleItems(), 30);
  EXPECT_TRUE(combo.widget()->styleSheet().contains("combobox-popup: 0"));
}

TEST(ComboBox, AddingItemsSelectsNothingAndKeepsTheSelection) {
  Window w;
  ComboBox combo(&w, w.client(), "Combo2", ComboBox::Style::DropdownList, true);
  int clicks = 0;
  combo.Click = [&] { ++clicks; };
  combo.AddItem("M");
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
  combo.setListIndex(0);
  EXPECT_EQ(clicks, 1);
  combo.AddItem("A");  // goes in before the selected item
  EXPECT_EQ(combo.Text(), "M");
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(clicks, 1);
}
