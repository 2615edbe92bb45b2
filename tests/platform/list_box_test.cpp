// The list box: ticks, clicks, keys and the view, from code and from the user.
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
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace platform;
using testsupport::clickRow;
using testsupport::RowPart;

using Window = testsupport::TestWindow;

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
  list.setSelected(2, true);  // no change, no event
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

namespace {
// Whether a list's highlight stands on a row that its view shows, in part at least.
bool showsHighlightOn(const ListBox& list, int row) {
  const QRect r = list.view()->visualRect(list.model()->index(row));
  return list.ListIndex() == row && r.isValid() && list.view()->viewport()->rect().intersects(r);
}

QStringList discCodes(int count) {
  QStringList codes;
  for (int i = 0; i < count; ++i) codes << QString("D%1").arg(i, 5, 10, QChar('0'));
  return codes;
}
}  // namespace

// However far down a long list the highlight goes, by a typed code, a key or a tick from code,
// the list scrolls to it once events run, so that Space ticks a disc the user sees.
TEST(ListBox, TheHighlightIsScrolledIntoViewDownALongList) {
  Window w;
  ListBox discs(&w, w.client(), "List1", ListBox::Style::CheckBox, ListBox::MultiSelect::None, true);
  ListBox songs(&w, w.client(), "List2", ListBox::Style::Standard, ListBox::MultiSelect::None, true);
  discs.movePx(0, 0, 200, 100);
  songs.movePx(0, 120, 200, 100);
  w.Show();
  discs.addItems(discCodes(14000));
  songs.addItems(discCodes(14000));
  QCoreApplication::processEvents();
  // The key as the user presses it, then whether the row it leads to shows highlighted.
  const auto keyShows = [](ListBox& list, Qt::Key key, int row) {
    QTest::keyClick(list.view(), key);
    QCoreApplication::processEvents();
    return showsHighlightOn(list, row);
  };
  discs.view()->setFocus();

  testsupport::typeInto(discs.view(), "D10000");
  QCoreApplication::processEvents();
  EXPECT_TRUE(showsHighlightOn(discs, 10000));
  QTest::keyClick(discs.view(), Qt::Key_Space);
  EXPECT_TRUE(keyShows(discs, Qt::Key_Down, 10001));
  EXPECT_TRUE(keyShows(discs, Qt::Key_End, 13999));
  QTest::keyClick(discs.view(), Qt::Key_Home);
  discs.setSelected(12000, true);  // a tick from code takes the highlight with it
  QCoreApplication::processEvents();
  EXPECT_TRUE(showsHighlightOn(discs, 12000));
  // Wheeled away from the highlight, Space unticks the row it brings back into view.
  QWheelEvent wheel(QPointF(50, 20), discs.view()->mapToGlobal(QPoint(50, 20)), {}, QPoint(0, 1200), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(discs.view()->viewport(), &wheel);
  ASSERT_FALSE(showsHighlightOn(discs, 12000));
  EXPECT_TRUE(keyShows(discs, Qt::Key_Space, 12000));
  EXPECT_FALSE(discs.Selected(12000));
  discs.setSelected(500, true);  // a second tick from code scrolls as the first did
  QCoreApplication::processEvents();
  EXPECT_TRUE(showsHighlightOn(discs, 500));

  songs.view()->setFocus();
  EXPECT_TRUE(keyShows(songs, Qt::Key_End, 13999));
  EXPECT_TRUE(keyShows(songs, Qt::Key_Up, 13998));
}
