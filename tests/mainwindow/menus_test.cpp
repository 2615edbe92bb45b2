// Menu entries and buttons that do more than forward: the Export button's check, the help
// entries, and the ways a menu reaches its command.
#include "main_window_fixture.h"

#include "platform/prompts.h"

using platform::msg::OK;

TEST_F(MainWindowTest, ExportButtonRefusesWhenThereIsNothingToExport) {
  Form1& f = start();
  prompts.answerMsg(OK);
  f.cmdExport.setValue(true);
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.callsOf("msgBox")[0].text, "Please create a list first, nothing to Export");
  EXPECT_EQ(prompts.callsOf("msgBox")[0].title, "Export");
  EXPECT_TRUE(f.cmdExport.Enabled());
}

TEST_F(MainWindowTest, HelpEntriesOpenThePageTheSiteAndTheDiscHint) {
  Form1& f = start();
  f.mnuContents.click();
  f.mnu_tavrel.click();
  ASSERT_EQ(prompts.shellOpened.size(), 2u);
  EXPECT_EQ(prompts.shellOpened[0], home.path("help.htm"));
  EXPECT_EQ(prompts.shellOpened[1], "http://www.mellowdex.example");
  prompts.answerMsg(OK);
  f.mnuWhich_Disc_Click();
  EXPECT_EQ(prompts.callsOf("msgBox")[0].title, "Identify a disc");
  EXPECT_TRUE(prompts.callsOf("msgBox")[0].text.startsWith("How to identify a disc.\n\r\n\r1. Select Sort by track\n\r"));
}

TEST_F(MainWindowTest, EditMenuClearResetsTheWindowLikeTheButton) {
  Form1& f = start();
  tick("SC8123");
  f.mnuUntick.click();
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs  = 0");
}

TEST_F(MainWindowTest, DisabledEntriesCannotBeChosenFromTheMenuBar) {
  Form1& f = start();
  EXPECT_FALSE(f.mnuSave.action()->isEnabled());
  tick("SC8123");
  f.List1_Click();
  EXPECT_TRUE(f.mnuSave.action()->isEnabled());
}
