// Controls fire their handlers from code as from the user, and only on real changes.
#include "platform/ui/controls.h"
#include "platform/ui/busy.h"
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
