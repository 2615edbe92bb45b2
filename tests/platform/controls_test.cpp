// Controls fire their handlers from code as from the user, and only on real changes.
#include "platform/controls.h"
#include "platform/busy.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/prompts.h"
#include "user_input.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QTabBar>

#include <gtest/gtest.h>

using namespace platform;
using testsupport::clickRow;
using testsupport::RowPart;

namespace {
struct Window : FormBase {
  Window() : FormBase(Kind::MainWindow, "test", QSize(400, 300)) {}
};
}  // namespace

TEST(CheckBox, FiresOnEveryRealChangeFromCodeOrUserAndNeverOnTheSameValue) {
  Window w;
  CheckBox box(&w, w.client(), "Check1", "x");
  int clicks = 0;
  box.Click = [&] { ++clicks; };
  box.setValue(0);
  EXPECT_EQ(clicks, 0);
  box.setValue(1);
  box.setValue(1);
  EXPECT_EQ(clicks, 1);
  static_cast<QCheckBox*>(box.widget())->click();  // the user unticks it
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(box.Value(), 0);
}

TEST(CheckBox, HandlerSeesTheNewValue) {
  Window w;
  CheckBox box(&w, w.client(), "Check2", "x");
  int seen = -1;
  box.Click = [&] { seen = box.Value(); };
  box.setValue(1);
  EXPECT_EQ(seen, 1);
}

TEST(OptionButton, SelectingOneClearsTheOthersAndFiresOnlyItsOwnClick) {
  Window w;
  OptionGroup g;
  OptionButton a(&w, w.client(), "Option1", "a", &g), b(&w, w.client(), "Option2", "b", &g);
  int aClicks = 0, bClicks = 0;
  a.Click = [&] { ++aClicks; };
  b.Click = [&] { ++bClicks; };
  a.setValue(true);
  b.setValue(true);
  b.setValue(true);  // already selected
  EXPECT_FALSE(a.Value());
  EXPECT_TRUE(b.Value());
  EXPECT_EQ(aClicks, 1);
  EXPECT_EQ(bClicks, 1);
}

TEST(CheckListBox, TicksFromCodeFireTheTickHandlerAndTextChangesDoNot) {
  Window w;
  ListBox list(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  list.addItems({"B", "A", "C"});
  std::vector<int> ticks;
  int clicks = 0;
  list.ItemCheck = [&](int i) { ticks.push_back(i); };
  list.Click = [&] { ++clicks; };
  list.setSelected(2, true);
  EXPECT_EQ(list.ListIndex(), 2);  // the ticked row becomes current
  EXPECT_EQ(list.Text(), "C");
  list.setSelected(2, true);       // no change, no event
  list.setList(2, "C    0001");
  EXPECT_EQ(ticks, std::vector<int>{2});
  EXPECT_EQ(list.SelCount(), 1);
  EXPECT_EQ(clicks, 0);
}

TEST(CheckListBox, AClickOnTheBoxTicksAndFiresTickThenClickOneOnTheTextDoesNotTick) {
  Window w;
  ListBox list(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  list.movePx(0, 0, 200, 100);
  w.Show();
  list.addItems({"A", "B"});
  std::vector<std::string> events;
  list.ItemCheck = [&](int) { events.push_back("tick"); };
  list.Click = [&] { events.push_back("click"); };
  list.MouseDown = [&](int b, int, double, double) { events.push_back("down" + std::to_string(b)); };
  clickRow(list, 1, Qt::LeftButton, Qt::NoModifier, RowPart::CheckBox);
  EXPECT_EQ(events, (std::vector<std::string>{"tick", "click", "down1"}));
  EXPECT_TRUE(list.Selected(1));
  events.clear();
  clickRow(list, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "down1"}));
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(list.SelCount(), 1);
}

TEST(CheckListBox, RightAndMiddleButtonsLeaveTheHighlightWhereItWas) {
  Window w;
  ListBox list(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  list.movePx(0, 0, 200, 100);
  w.Show();
  list.addItems({"A", "B", "C"});
  list.setListIndex(0);
  int downs = 0;
  list.MouseDown = [&](int, int, double, double) { ++downs; };
  clickRow(list, 2, Qt::RightButton);
  clickRow(list, 1, Qt::MiddleButton);
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(downs, 2);
}

TEST(CheckListBox, SpaceTogglesUnlessTheKeyHandlerSwallowsIt) {
  Window w;
  ListBox list(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  list.addItems({"A", "B"});
  list.setListIndex(1);
  bool swallow = false;
  list.KeyDown = [&](int& key, int) {
    if (swallow && key == keys::Space) key = 0;
  };
  QTest::keyClick(list.view(), Qt::Key_Space);
  EXPECT_TRUE(list.Selected(1));
  swallow = true;
  QTest::keyClick(list.view(), Qt::Key_Space);
  EXPECT_TRUE(list.Selected(1));
}

TEST(CheckListBox, TypedCodeMovesTheHighlightWithoutTicking) {
  Window w;
  ListBox list(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  list.addItems({"AB 1", "SC 22", "sc 3"});
  int clicks = 0;
  list.Click = [&] { ++clicks; };
  list.keyboardSearch("SC 3");
  EXPECT_EQ(list.Text(), "sc 3");
  EXPECT_EQ(list.SelCount(), 0);
  EXPECT_EQ(clicks, 1);
}

TEST(MultiSelectListBox, ClickShiftClickAndControlClickSelectLikeAListOfLines) {
  Window w;
  ListBox list(&w, w.client(), "List2", ListBox::Style::Standard, ListBox::MultiSelect::Extended, true);
  list.movePx(0, 0, 200, 100);
  w.Show();
  list.addItems({"a", "b", "c", "d"});
  clickRow(list, 1);
  clickRow(list, 3, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(list.SelCount(), 3);
  clickRow(list, 2, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_FALSE(list.Selected(2));
  clickRow(list, 0, Qt::RightButton);  // right button selects nothing
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_EQ(list.ListIndex(), 2);
}

TEST(ListBox, RemoveAndClearKeepTheCurrentRowValid) {
  Window w;
  ListBox list(&w, w.client(), "List3", ListBox::Style::Standard, ListBox::MultiSelect::None, true);
  list.addItems({"a", "b", "c"});
  list.setListIndex(2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Text(), "c");
  list.Clear();
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  EXPECT_EQ(list.List(5), "");
}

TEST(ListBox, ViewShowsTheRowsOnceEventsRun) {
  Window w;
  ListBox list(&w, w.client(), "List2", ListBox::Style::Standard, ListBox::MultiSelect::None, true);
  list.addItems({"b", "a"});
  QCoreApplication::processEvents();
  ASSERT_EQ(list.view()->model()->rowCount(), 2);
  EXPECT_EQ(list.view()->model()->index(0, 0).data().toString(), "a");
}

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

TEST(TabStrip, ClicksKeysAndWheelReachTheHandlerThroughOneSignal) {
  Window w;
  TabStrip tabs(&w, w.client(), "TabStrip1", {"a", "b", "c"});
  int clicks = 0;
  tabs.Click = [&] { ++clicks; };
  static_cast<QTabBar*>(tabs.widget())->setCurrentIndex(2);  // as the user's wheel or key does
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(tabs.SelectedIndex(), 3);
  tabs.setSelectedIndex(3);
  EXPECT_EQ(clicks, 1);
  tabs.setSelectedIndex(1);
  EXPECT_EQ(clicks, 2);
}

TEST(ProgressBar, NeverTurnsBusyAndClampsValues) {
  Window w;
  ProgressBar bar(&w, w.client(), "ProgressBar1");
  bar.setMax(0);
  EXPECT_EQ(bar.Max(), 1);
  bar.setValue(10);
  EXPECT_EQ(bar.Value(), 1);
  bar.setValue(-3);
  EXPECT_EQ(bar.Value(), 0);
}

TEST(LayoutScale, ControlsStandOnAHundredByHundredScale) {
  Window w;
  w.client()->resize(800, 400);
  w.setUserScale(100, 100);
  CommandButton b(&w, w.client(), "cmd", "x");
  b.Move(10, 25, 20, 12);
  EXPECT_EQ(b.widget()->geometry(), QRect(80, 100, 160, 48));
  EXPECT_DOUBLE_EQ(b.Top() + b.Height(), 37);
}

TEST(Menu, DataCaptionsShowAmpersandsAsThemselves) {
  MenuItem top("mnua", "A");
  top.attachToBar(nullptr);
  MenuItem entry("mnuB", "x");
  top.addEntry(&entry);
  entry.setPlainCaption("Delete  R&B01  disc from database");
  EXPECT_EQ(entry.shownText(), "Delete  R&B01  disc from database");
  entry.setCaption("&Open");
  EXPECT_EQ(entry.shownText(), "Open");
  int clicks = 0;
  entry.Click = [&] { ++clicks; };
  entry.setChecked(true);
  entry.action()->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(entry.Checked());  // the program owns the check mark
  EXPECT_EQ(top.find("mnuB"), &entry);
}

TEST(Prompts, EachLineBreakPairShowsAsOneBreak) {
  EXPECT_EQ(displayText("a\n\rb"), "a\nb");
  EXPECT_EQ(displayText("a\r\nb"), "a\nb");
  EXPECT_EQ(displayText("a\r\rb"), "a\n\nb");
  EXPECT_EQ(displayText("a\n\r\n\rb"), "a\n\nb");
}

TEST(BusyScope, RepaintsButDropsInputUntilThePassEnds) {
  Window w;
  w.Show();
  CommandButton b(&w, w.client(), "cmd", "Create List");
  b.movePx(10, 10, 100, 30);
  b.setVisible(true);
  int clicks = 0;
  b.Click = [&] { ++clicks; };
  const auto click = [&] {
    const QPointF at(5, 5);
    QCoreApplication::postEvent(b.widget(), new QMouseEvent(QEvent::MouseButtonPress, at, b.widget()->mapToGlobal(at),
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(b.widget(), new QMouseEvent(QEvent::MouseButtonRelease, at, b.widget()->mapToGlobal(at),
                                                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  };
  {
    BusyScope busy;
    click();
    letEventsThrough();
    EXPECT_EQ(clicks, 0);
    QCloseEvent userClose;  // the user's close box is refused while busy
    QCoreApplication::sendEvent(w.window(), &userClose);
    letEventsThrough();
    EXPECT_TRUE(w.isVisible());
  }
  letEventsThrough();
  EXPECT_EQ(clicks, 0);  // dropped, not merely delayed
  click();
  letEventsThrough();
  EXPECT_EQ(clicks, 1);
  {
    BusyScope busy;
    w.Unload();  // the pass closes its own window
    EXPECT_FALSE(w.isVisible());
  }
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
