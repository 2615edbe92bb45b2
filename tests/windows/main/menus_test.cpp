// Menu entries and buttons that do more than forward: the Export button's check, the help
// entries, and the ways a menu reaches its command.
#include "main_window_fixture.h"

#include "platform/ui/prompts.h"
#include "user_input.h"

#include <QApplication>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QTest>

using platform::msg::OK;

namespace {
// "name=caption" of every entry of a menu, in order.
QStringList entriesOf(const platform::MenuItem& menu) {
  QStringList out;
  for (const auto* e : menu.entries()) out << e->name() + "=" + e->Caption();
  return out;
}
}  // namespace

TEST_F(MainWindowTest, MenusHoldTheirEntriesWithTheirCaptions) {
  Form1& f = start();
  EXPECT_EQ(entriesOf(f.mnuedit),
            (QStringList{"mnuUntick=Clear", "mnuTag=Tick All", "mnu6=-", "mnuTracks=Add Disc or Tracks",
                         "mnuChange_Disc_Code=Change Highlited Disc Code", "mnuedittrack=Edit highlited track",
                         "mnuDelete=Delete highlited Disc or Track from master database",
                         "mnuCopy=Copy List To Clipboard", "mnu50=-", "mnuClear_Search_History=Clear Search History"}));
  EXPECT_EQ(entriesOf(f.mnuTools),
            (QStringList{"mnuSong=Search Song", "mnuArtist=Search Artist", "mnuDisc=Search Disc"}));
  EXPECT_EQ(entriesOf(f.mnu_view),
            (QStringList{"mnuNormal=Normal", "mnuFull_Screen=Full Size Song List",
                         "mnuHide_Vocal_Tracks=Hide Vocal Tracks", "mnuCapitals3=All Capitals"}));
  EXPECT_EQ(entriesOf(f.mnuHelp), (QStringList{"mnuContents=Contents", "mnuWhich_Disc=Identify a disc",
                                               "mnu_tavrel=Web Site", "MNU30=-", "mnuAbout=About"}));
  EXPECT_EQ(entriesOf(f.mnuD),
            (QStringList{"mnu51=Hide highlited tracks", "mnuHide_Vocal=Hide VOCAL tracks", "mnuCapitals1=Capitals",
                         "mnu_Copy_List3=Copy List", "mnu78=-", "mnue=Delete highlited track from database",
                         "mnug=Edit highlited track", "mnu40=-", "mnul2Fcolor=Text Color", "mnuL2Bcolor=Back Color",
                         "mnu41=-", "mnuCD_Cover_List2=Print highlited track CD case",
                         "mnuCD_Label_List2=Print highlited track CD label", "mnu107=-", "mnuF=Cancel"}));
  EXPECT_EQ(
      entriesOf(f.mnuz),
      (QStringList{"mnuMF_Code=Show MF Code must be selected to edit or delete a track", "mnu52=Hide highlited tracks",
                   "mnuhide_vocal2=Hide VOCAL Tracks", "mnuCapitals2=Capitals", "mnu_Copy_List2=Copy List", "mnu47=-",
                   "mnuL2ForeColor=Text Color", "mnuL2BackColor=Back Color", "mnu44=-", "mnuy=Cancel"}));
  // Cancel entries, the disc search and the note entry have no handler.
  for (auto* m : {&f.mnuF, &f.mnuC, &f.mnuy, &f.mnuDisc, &f.mnuMF_Code})
    EXPECT_FALSE(m->Click) << m->name().toStdString();
}

TEST_F(MainWindowTest, EveryOfferedButtonAndMenuEntryReachesItsHandler) {
  Form1& f = start();
  testsupport::clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
  EXPECT_EQ(testsupport::buttonsNotWired(f.window(), {&f.cmdOpen, &f.cmdSave, &f.cmdPrint, &f.cmdExport, &f.cmdUpdate,
                                                      &f.cmdAdd, &f.cmdUntag, &f.cmdGet_Tracks, &f.cmdSearch}),
            "");
  // The searches wait for a search text; the Cancel entries only close their popup.
  EXPECT_EQ(testsupport::menuEntriesNotWired(f.topMenus()),
            "mnuSong disabled; mnuArtist disabled; mnuDisc without a handler; mnuF without a handler; "
            "mnuC without a handler; mnuy without a handler");
}

TEST_F(MainWindowTest, ExitClosesTheWindowThroughItsClosingSteps) {
  Form1& f = start();
  choose(f.mnuExit);
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(QFileInfo::exists(home.path("mellowdex.ini")));
}

TEST_F(MainWindowTest, UpdateButtonIsDisabledWhileTheUpdateWindowIsOpenAndAWindowThatUpdatedNothingKeepsTheTicks) {
  Form1& f = start();
  tick("SC8123");
  bool disabledMeanwhile = false;
  prompts.answerMsg(platform::msg::No).onModal([&](platform::FormBase&) {
    disabledMeanwhile = !f.cmdUpdate.Enabled();
  });
  f.cmdUpdate.setValue(true);
  EXPECT_TRUE(disabledMeanwhile);
  EXPECT_TRUE(f.cmdUpdate.Enabled());
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Update");
  EXPECT_EQ(f.List1.SelCount(), 1);
}

TEST_F(MainWindowTest, ExportButtonRefusesWhenThereIsNothingToExport) {
  Form1& f = start();
  prompts.answerMsg(OK);
  f.cmdExport.setValue(true);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "Please create a list first, nothing to Export");
  EXPECT_EQ(msgs[0].title, "Export");
  EXPECT_TRUE(f.cmdExport.Enabled());
}

// Keys on the focused button: Enter and the keypad's Enter press it as Space does.
TEST_F(MainWindowTest, EnterPressesTheFocusedButton) {
  Form1& f = start();
  f.cmdExport.SetFocus();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    prompts.answerMsg(OK);
    QTest::keyClick(f.cmdExport.widget(), key);
  }
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[0].text, "Please create a list first, nothing to Export");
}

// Tab follows the window as it reads, then comes back to the first button.
TEST_F(MainWindowTest, TabGoesOverTheWindowAsItReads) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  QTest::keyClicks(f.cmbSearch_text.widget(), "x");  // a search text enables the target box
  f.cmdOpen.SetFocus();
  QStringList order;
  for (int i = 0; i < 23; ++i) {
    QWidget* w = QApplication::focusWidget();
    order << (w ? w->objectName() : QString());
    QTest::keyClick(w, Qt::Key_Tab);
  }
  EXPECT_EQ(order, (QStringList{"cmdOpen",  "cmdSave",       "cmdPrint",  "cmdExport", "cmdUpdate",      "cmdAdd",
                                "cmdUntag", "cmdGet_Tracks", "cmdSearch", "Check2",    "Check1",         "chkOpen",
                                "Check3",   "Check7",        "Check5",    "Combo1",    "cmbSearch_text", "cmbSearch",
                                "List1",    "TabStrip1",     "List2",     "Text1",     "cmdOpen"}));
}

// Alt+E names both the Edit menu and the Export button: the first press opens the menu.
TEST_F(MainWindowTest, AltEOpensTheEditMenuAtTheFirstPress) {
  Form1& f = start();
  QApplication::setActiveWindow(f.window());
  f.List1.SetFocus();
  QTest::keyClick(f.List1.view(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(f.mnuedit.qmenu()->isVisible());
  EXPECT_FALSE(f.cmdExport.hasFocus());
  f.mnuedit.qmenu()->close();
  // The button still shows its mark and answers Tab then Enter.
  EXPECT_EQ(f.cmdExport.Caption(), "&Export");
  prompts.answerMsg(OK);
  f.cmdPrint.SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Export");
}

TEST_F(MainWindowTest, HelpEntriesOpenThePageTheSiteAndTheDiscHint) {
  Form1& f = start();
  choose(f.mnuContents);
  choose(f.mnu_tavrel);
  ASSERT_EQ(prompts.shellOpened.size(), 2u);
  EXPECT_EQ(prompts.shellOpened[0], home.path("help.htm"));
  EXPECT_EQ(prompts.shellOpened[1], "http://www.mellowdex.example");
  prompts.answerMsg(OK);
  triggerUnoffered(f.mnuWhich_Disc);  // hidden from the Help menu
  const auto hint = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(hint[0].title, "Identify a disc");
  EXPECT_TRUE(hint[0].text.startsWith("How to identify a disc.\n\r\n\r1. Select Sort by track\n\r"));
}

TEST_F(MainWindowTest, EditMenuClearResetsTheWindowLikeTheButton) {
  Form1& f = start();
  tick("SC8123");
  triggerUnoffered(f.mnuTag);  // Tick All, hidden from the Edit menu: every track listed
  EXPECT_EQ(f.List1.SelCount(), 5);
  EXPECT_EQ(f.List2.ListCount(), 5);
  choose(f.mnuUntick);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs  = 0");
}

TEST_F(MainWindowTest, DisabledEntriesCannotBeChosenFromTheMenuBar) {
  Form1& f = start();
  EXPECT_FALSE(f.mnuSave.action()->isEnabled());
  testsupport::clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  EXPECT_TRUE(f.mnuSave.action()->isEnabled());
}
