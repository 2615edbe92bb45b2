// The disc list: ticks, the user's own disc reference numbers, clicks, keys and the popup.
#include "main_window_fixture.h"

#include "catalogue/disc_reference.h"
#include "platform/ui/prompts.h"
#include "user_input.h"
#include "windows/database/delete_record.h"

#include <QApplication>
#include <QListView>
#include <QTest>

using platform::msg::OK;
using testsupport::clickRow;

namespace {
const QString kTitle = "Your disc reference number";
}

TEST_F(MainWindowTest, TickingWithoutOwnCodesOnlyCounts) {
  Form1& f = start();
  tick("SC8123");
  tick("zk101");
  EXPECT_EQ(f.Label1.Caption(), "Discs = 2");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     ");
  tick("zk101", false);
  EXPECT_EQ(f.Label1.Caption(), "Discs = 1");
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(MainWindowTest, OwnCodeIsAskedWithAProposalAndStoredPadded) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("7").answerInput("x");
  tick("SC8123");
  tick("MDX1001");
  const auto asked = prompts.callsOf("inputBox");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].text, "Enter your reference number for the disc SC8123");
  EXPECT_EQ(asked[0].title, kTitle);
  EXPECT_EQ(asked[0].defaultText, "0001");
  EXPECT_EQ(asked[1].defaultText, "0008");
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     0007");
  EXPECT_EQ(f.List1.List(row("MDX1001")), "MDX1001    X   ");
  EXPECT_EQ(f.Label1.Caption(), "Discs = 2");
  EXPECT_TRUE(f.mnuFull_Screen.Enabled());
  EXPECT_TRUE(f.mnuHide_Vocal_Tracks.Enabled());
}

TEST_F(MainWindowTest, DuplicateNumberInAnyCaseIsRefusedAndAskedAgain) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("ab").answerInput("AB ").answerMsg(OK).answerInput("ab").answerMsg(OK).answerInput("0002");
  tick("SC8123");
  tick("MDX1001");
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "You already have a Disc AB.\n\rPlease try again.");  // the number, trimmed
  EXPECT_EQ(msgs[1].text, "You already have a Disc AB.\n\rPlease try again.");
  EXPECT_EQ(msgs[0].title, kTitle);
  EXPECT_EQ(msgs[0].style, platform::msg::OKOnly);
  EXPECT_EQ(f.List1.List(row("MDX1001")), "MDX1001    0002");

  // A letter the saved files cannot hold is refused and asked again.
  prompts.answerInput(QStringLiteral("\u01412")).answerMsg(OK).answerInput("3");
  tick("zk101");
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[2].text,
            QStringLiteral(
                "The disc reference number cannot hold the character \"\u0141\".\n\rPlease try again without it."));
  EXPECT_EQ(f.List1.List(row("zk101")), "zk101      0003");

  // A pasted number loses the line break at its end; one inside it is refused and asked again.
  prompts.answerInput("7\n8").answerMsg(OK).answerInput("7\r\n");
  tick("PK-0042");
  EXPECT_EQ(prompts.expectCalls("msgBox", 4).back().text,
            "The disc reference number cannot hold a line break.\n\rPlease try again without it.");
  EXPECT_EQ(f.List1.List(row("PK-0042")), "PK-0042    0007");
}

TEST_F(MainWindowTest, ANumberCanBeGivenAgainOnceItsDiscIsUnticked) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("5").answerInput("5");
  tick("SC8123");
  tick("SC8123", false);
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     ");
  tick("MDX1001");
  EXPECT_EQ(f.List1.List(row("MDX1001")), "MDX1001    0005");
  EXPECT_EQ(prompts.expectCalls("inputBox", 2)[1].defaultText, "0001");
}

TEST_F(MainWindowTest, CancelOrEmptyAnswerUnticksTheDisc) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("");
  tick("SC8123");
  EXPECT_FALSE(f.List1.Selected(row("SC8123")));
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     ");
  EXPECT_EQ(f.Label1.Caption(), "Discs = 0");
}

TEST_F(MainWindowTest, BlankAnswerIsAskedAgainWithoutAMessage) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("   ").answerInput("9");
  tick("SC8123");
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     0009");
}

TEST_F(MainWindowTest, MoreThanFourCharactersAreRefused) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("9999");
  tick("SC8123");
  // The proposal is now 10000; taking it unchanged is refused, as are a five-digit answer and
  // five blanks (only four blanks are asked again without a word).
  prompts.answerInput("10000").answerMsg(OK).answerInput("12345").answerMsg(OK);
  prompts.answerInput("     ").answerMsg(OK).answerInput("");
  tick("MDX1001");
  EXPECT_EQ(prompts.expectCalls("inputBox", 5)[1].defaultText, "10000");
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 3u);
  EXPECT_EQ(msgs[0].text, "No more than 4 characters can be used.\n\rPlease try again.");
  EXPECT_EQ(msgs[2].text, msgs[0].text);
  EXPECT_FALSE(f.List1.Selected(row("MDX1001")));
  EXPECT_EQ(f.List1.List(row("MDX1001")), "MDX1001    ");
}

TEST_F(MainWindowTest, QuotesAndCommasInANumberAreRefusedAndAskedAgain) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("A\"B").answerMsg(OK).answerInput("1,2").answerMsg(OK).answerInput("ab");
  tick("SC8123");
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "You can not use these characters \" , ");
  EXPECT_EQ(msgs[0].title, "Invalid Character");
  EXPECT_EQ(msgs[0].style, platform::msg::OKOnly);
  EXPECT_EQ(prompts.callsOf("inputBox").size(), 3u);
  EXPECT_TRUE(f.List1.Selected(row("SC8123")));
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     AB  ");
}

TEST_F(MainWindowTest, DiscsTickedByOpeningASavedListAreOnlyCounted) {
  Form1& f = start();
  openSaved({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF FALSE", "REF TRUE", "DUP FALSE", "SC8123     ",
             "zk101      ", QByteArray(58, '-')});
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_TRUE(prompts.callsOf("inputBox").empty());
}

TEST_F(MainWindowTest, SpaceTicksOnlyWithoutOwnCodes) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  QTest::keyClick(f.List1.view(), Qt::Key_Space);
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.Label1.Caption(), "Discs = 1");
  f.Check2.setValue(1);  // starts afresh
  f.List1.setListIndex(row("SC8123"));
  QTest::keyClick(f.List1.view(), Qt::Key_Space);
  EXPECT_EQ(f.List1.SelCount(), 0);
  // The list marks one row: the view's own current row is the highlighted one.
  f.List1.setListIndex(-1);
  f.List1.SetFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(f.List1.ListIndex(), 1);
  EXPECT_EQ(static_cast<QListView*>(f.List1.widget())->currentIndex().row(), 1);
}

TEST_F(MainWindowTest, UseMyDiscCodesStartsTheSelectionAfresh) {
  Form1& f = start();
  tick("SC8123");
  f.List2.AddItem("x");
  f.Check2.setValue(1);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Check1.Value(), 0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs  = 0");
  prompts.answerInput("1");
  tick("zk101");
  f.Check2.setValue(0);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.List1.List(row("zk101")), "zk101      ");
  EXPECT_EQ(f.Check1.Value(), 0);  // switching off leaves the box as it is
}

TEST_F(MainWindowTest, UseMyDiscCodesDoesNothingWhileAFileOpens) {
  Form1& f = start();
  openSaved({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF TRUE", "DUP FALSE", "SC8123     0012",
             QByteArray(58, '-')});
  EXPECT_EQ(f.Check2.Value(), 1);
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.Check1.Value(), 1);
}

TEST_F(MainWindowTest, AClickOnADiscsBoxTicksItAClickOnItsCodeOnlyHighlightsIt) {
  Form1& f = start();
  clickRow(f.List1, row("zk101"));
  EXPECT_EQ(f.List1.Text(), "zk101      ");
  EXPECT_EQ(f.List1.SelCount(), 0);
  clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  EXPECT_TRUE(f.List1.Selected(row("SC8123")));
  EXPECT_EQ(f.Label1.Caption(), "Discs = 1");
}

TEST_F(MainWindowTest, ClickSetsTheMenusThatNeedATickedDisc) {
  Form1& f = start();
  clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  for (auto* m : {&f.mnuSave, &f.mnuExport, &f.mnuUpdate_File, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks})
    EXPECT_TRUE(m->Enabled()) << m->name().toStdString();
  EXPECT_FALSE(f.mnuPrint.Enabled());
  f.mnuPrint.setEnabled(true);  // as Create List leaves it
  clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  for (auto* m : {&f.mnuPrint, &f.mnuSave, &f.mnuExport, &f.mnuUpdate_File, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks})
    EXPECT_FALSE(m->Enabled()) << m->name().toStdString();
}

TEST_F(MainWindowTest, ClickClosesTheDiscListingAndFillsTheDeleteDialog) {
  Form1& f = start();
  f.List3.setVisible(true);
  f.cmdClose.setVisible(true);
  f.Check2.setValue(1);
  prompts.answerInput("42");
  clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_TRUE(f.Label9.Visible());
  delete_record& d = delete_record::instance();
  EXPECT_TRUE(d.Option1.Value());
  EXPECT_EQ(d.Text1.Text(), "SC8123     ");  // the reference number does not fit the box
  EXPECT_EQ(d.Text2.BackColor(), 0xC0C0C0);
  EXPECT_FALSE(d.isVisible());
}

TEST_F(MainWindowTest, MouseButtonsNameTheHighlightedDiscInThePopup) {
  Form1& f = start();
  f.List1.setListIndex(row("AB&C1"));
  prompts.choosePopup("");
  clickRow(f.List1, row("SC8123"), Qt::RightButton);
  EXPECT_EQ(f.List1.Text(), "AB&C1      ");  // the right button does not move the highlight
  EXPECT_EQ(prompts.expectCalls("popup", 1)[0].text, "mnua");
  EXPECT_EQ(f.mnuB.shownText(), "Delete  AB&C1  disc from database");
  EXPECT_EQ(f.mnu_Change_Disc_Code.shownText(), "Change  AB&C1  disc code");
  EXPECT_EQ(f.mnuQuick_View_Disc.shownText(), "View  AB&C1  disc listing");
  EXPECT_EQ(f.mnuPrint_CD_Case.shownText(), "Print  AB&C1  CD case");
  EXPECT_EQ(f.mnuPrint_CD_Label.shownText(), "Print  AB&C1  CD label");
  EXPECT_EQ(f.mnuRename_Files.shownText(), "Rename files to  AB&C1  disc listing");
  EXPECT_EQ(delete_record::instance().Text1.Text(), "AB&C1      ");
  QStringList entries;
  for (auto* e : f.mnua.entries()) entries << e->name();
  EXPECT_EQ(entries, (QStringList{"mnuQuick_View_Disc", "mnu_Change_Disc_Code", "mnuB", "mnu_Copy_List", "mnu420",
                                  "mnuRename_Files", "mnu42", "mnuL1ForeColor", "mnuL1BackColor", "mnu43",
                                  "mnuPrint_CD_Case", "mnuPrint_CD_Label", "mnu66", "mnuC"}));
  for (auto* e : f.mnua.entries()) EXPECT_TRUE(e->Enabled() && e->Visible()) << e->name().toStdString();

  // From the keyboard, at the highlighted disc.
  prompts.choosePopup("");
  QTest::keyClick(f.List1.view(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(prompts.expectCalls("popup", 2)[1].text, "mnua");
  const QRect disc = f.List1.view()->visualRect(f.List1.model()->index(row("AB&C1")));
  EXPECT_TRUE(disc.contains(f.List1.view()->viewport()->mapFromGlobal(prompts.popupPositions.back())));
}

TEST_F(MainWindowTest, RightClickWithNoHighlightLeavesTheDiscPartEmpty) {
  Form1& f = start();
  prompts.choosePopup("");
  clickRow(f.List1, -1, Qt::RightButton);
  EXPECT_EQ(f.mnuB.shownText(), "Delete    disc from database");
  EXPECT_EQ(delete_record::instance().Text1.Text(), "");
}

TEST_F(MainWindowTest, LeftAndMiddleButtonsOpenNoPopup) {
  Form1& f = start();
  clickRow(f.List1, row("zk101"));
  clickRow(f.List1, row("zk101"), Qt::MiddleButton);
  EXPECT_TRUE(prompts.callsOf("popup").empty());
  EXPECT_EQ(f.mnuB.shownText(), "Delete  zk101  disc from database");
  // The middle button opens the highlighted disc's listing.
  EXPECT_TRUE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 1);
}

TEST_F(MainWindowTest, OptionBoxesTakingTheFocusCloseTheListingUnlessTheListIsFullSize) {
  Form1& f = start();
  for (auto handler : {&Form1::Check1_GotFocus, &Form1::Check2_GotFocus, &Form1::Check3_GotFocus}) {
    f.mnuFull_Screen.setChecked(false);
    f.List3.AddItem("01    SONG");
    f.List3.setVisible(true);
    f.cmdClose.setVisible(true);
    f.List2.Move(0, 60, 100, 10);
    (f.*handler)();
    EXPECT_FALSE(f.List3.Visible());
    EXPECT_EQ(f.List3.ListCount(), 0);
    EXPECT_NEAR(f.List2.Top() + f.List2.Height(), 95, 0.01);
    EXPECT_TRUE(f.cmdClose.Visible());  // left as it is

    f.mnuFull_Screen.setChecked(true);
    f.List3.AddItem("01    SONG");
    f.List3.setVisible(true);
    (f.*handler)();
    EXPECT_TRUE(f.List3.Visible());
    EXPECT_EQ(f.List3.ListCount(), 1);
    f.List3.Clear();
  }
}

// An update file can make a code of 12 to 15 characters: an item whose whole text is a disc code
// carries no number. Ticking keeps the code whole and adds the number after it; a saved list
// that ticks the disc shows no part of the code as the number.
TEST_F(MainWindowTest, ACodeOfTwelveCharactersIsNoCodeWithANumber) {
  home.writeLines("watdi.bxl",
                  {"\"ABCDEFGHIJKL\"", testsupport::discLine("ABCDEFGHIJK"), testsupport::discLine("SC8123")});
  home.writeLines("watka.bxl",
                  {"\"ABCDEFGHIJKL\",\"01\",\"LONG ONE\",\"X\"", testsupport::trackLine("SC8123", "01", "S", "T")});
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("2").answerInput("");
  clickRow(f.List1, row("ABCDEFGHIJKL"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  clickRow(f.List1, row("SC8123"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  const auto asked = prompts.expectCalls("inputBox", 2);
  EXPECT_EQ(asked[0].text, "Enter your reference number for the disc ABCDEFGHIJKL");
  EXPECT_EQ(asked[1].defaultText, "0003");
  EXPECT_EQ(f.List1.items(), (QStringList{"ABCDEFGHIJK", "ABCDEFGHIJKL0002", "SC8123     "}));
  clickRow(f.List1, row("ABCDEFGHIJKL"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  EXPECT_EQ(f.List1.List(row("ABCDEFGHIJKL")), "ABCDEFGHIJKL");  // unticked: its number goes

  openSaved({"MELLOWDEX CD SELECTION FILE", "H", "SONG", "MF TRUE", "REF TRUE", "DUP FALSE", "ABCDEFGHIJKL"});
  ASSERT_EQ(f.List2.ListCount(), 1);
  EXPECT_TRUE(f.List2.List(0).contains("LONG ONE"));
  EXPECT_FALSE(f.List2.List(0).contains("IJKL")) << f.List2.List(0).toStdString();
}
