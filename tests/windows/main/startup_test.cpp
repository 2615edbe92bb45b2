// Start-up, activation, the Clear command and shutdown of the main window.
#include "main_window_fixture.h"

#include "platform/core/colours.h"
#include "platform/ui/prompts.h"
#include "windows/main/module1.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;

TEST_F(MainWindowTest, StartsWithTheDiscListSortedAndTheDatabaseSizeInTheTitle) {
  Form1& f = start();
  EXPECT_EQ(f.Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 5 Songs");
  ASSERT_EQ(f.List1.ListCount(), 5);
  EXPECT_EQ(f.List1.List(0), "AB&C1      ");
  EXPECT_EQ(f.List1.List(4), "zk101      ");
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs   = 0");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  EXPECT_EQ(f.Text1.Text(), "SONG LIST HEADER HERE");
  EXPECT_EQ(f.cmbSearch.Text(), "SEARCH ALL");
  EXPECT_EQ(f.Label5.Caption(), "");
  EXPECT_FALSE(f.Ticking_In_Code);
  EXPECT_FALSE(f.Opening_File);
}

TEST_F(MainWindowTest, OptionBoxesAndHiddenControlsStartAsDesigned) {
  Form1& f = start();
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_EQ(f.Check5.Value(), 1);
  EXPECT_EQ(f.chkOpen.Value(), 1);
  EXPECT_EQ(f.Check2.Value(), 0);
  EXPECT_EQ(f.Check3.Value(), 0);
  EXPECT_TRUE(f.Option2.Value());
  EXPECT_FALSE(f.Option1.Value() || f.Option3.Value() || f.Option5.Value() || f.Option4.Value());
  for (platform::Control* c : std::initializer_list<platform::Control*>{
           &f.List2, &f.List3, &f.Temp_List, &f.TabStrip1, &f.cmdClose, &f.cmdCreate_Update, &f.Check4, &f.Check6,
           &f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5, &f.Label4, &f.Frame1, &f.Frame3})
    EXPECT_FALSE(c->Visible()) << c->name().toStdString();
  EXPECT_TRUE(f.List1.Visible());
  EXPECT_TRUE(f.Label9.Visible());
  EXPECT_EQ(f.Label9.Caption(), " Tick your karaoke disc codes above, then click the CREATE LIST button ");
  EXPECT_EQ(f.cmdUpdate.ToolTipText(), "click to update the master databse");
  EXPECT_EQ(f.List1.ToolTipText(), "master database, showing disc manufacture codes");
  EXPECT_EQ(f.Option5.ToolTipText(), "select to sort tracks by disc maunfacturer code");
  EXPECT_TRUE(f.List1.font().fixedPitch() || f.List1.font().styleHint() == QFont::TypeWriter);
  EXPECT_EQ(f.TabStrip1.tabCount(), 4);
  EXPECT_EQ(f.TabStrip1.tabCaption(4), "Sort by Manufacturer Code");
}

TEST_F(MainWindowTest, MenusStartWithTheirDesignedStates) {
  Form1& f = start();
  for (auto* m : {&f.mnuSave, &f.mnuExport, &f.mnuUpdate_File, &f.mnuPrint, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks,
                  &f.mnuSong, &f.mnuArtist, &f.mnuDisc})
    EXPECT_FALSE(m->Enabled()) << m->name().toStdString();
  EXPECT_TRUE(f.mnuNormal.Checked());
  EXPECT_TRUE(f.mnuCapitals3.Checked());
  EXPECT_FALSE(f.mnuFull_Screen.Checked());
  for (auto* m :
       {&f.mnuTools, &f.mnuD, &f.mnua, &f.mnuz, &f.mnuTag, &f.mnuDelete, &f.mnuWhich_Disc, &f.mnu2, &f.mnuMF_Code})
    EXPECT_FALSE(m->Visible()) << m->name().toStdString();
  QStringList file;
  for (auto* e : f.mnuFile.entries()) file << e->name();
  EXPECT_EQ(file, (QStringList{"mnuOpen", "mnuSave", "mnuExport", "mnuUpdate_File", "mnuMerge", "mnu4", "mnuPrint",
                               "mnuCD_Selection", "mnuSong_Slips", "mnuPrintHighCase", "mnuPrintHighLabel", "MNU3",
                               "mnuUpdate", "mnu2", "mnuBackup", "mnuRestore", "mnu1", "mnuExit"}));
  QStringList bar;
  for (auto* m : f.topMenus()) bar << m->Caption();
  EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&Search", "View", "&Help", "D", "A", "z"}));
  EXPECT_EQ(f.mnuz.entries().size(), 10u);
  EXPECT_EQ(f.mnuD.entries().size(), 15u);
}

TEST_F(MainWindowTest, EveryActivationRecountsTheTrackFile) {
  Form1& f = start();
  home.writeTracks({"SC8123,01,A,B"});
  reactivate();
  EXPECT_EQ(f.Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 1 Songs");
}

TEST_F(MainWindowTest, TitleCountsOneRecordALineAndSurvivesAMalformedLastLine) {
  home.writeBytes("watka.bxl", QByteArray(R"("A","01","X","Y")") + "\r\n\r\n" + R"("B","0)");
  Form1& f = start();
  EXPECT_EQ(f.Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 2 Songs");
}

TEST_F(MainWindowTest, EmptyTrackFileCountsZero) {
  home.writeBytes("watka.bxl", "");
  EXPECT_EQ(start().Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 0 Songs");
}

// A missing database file is told of over the drawn window, not over an empty frame.
TEST_F(MainWindowTest, MissingDiscFileIsReportedOnceAndNothingIsCreated) {
  QFile::remove(home.path("watdi.bxl"));
  prompts.answerMsg(OK);
  form = std::make_unique<Form1>();
  Form1& f = *form;
  f.Show();
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  for (int i = 0; i < 3 && prompts.callsOf("msgBox").empty(); ++i) QCoreApplication::processEvents();
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_TRUE(msgs[0].text.contains(home.path("watdi.bxl")));
  EXPECT_EQ(msgs[0].title, "Mellowdex");
  EXPECT_EQ(f.List1.ListCount(), 0);
  EXPECT_TRUE(f.List1.Visible());
  EXPECT_FALSE(QFileInfo::exists(home.path("watdi.bxl")));
}

TEST_F(MainWindowTest, MissingTrackFileReadsZeroAndIsReportedOnlyOnce) {
  QFile::remove(home.path("watka.bxl"));
  prompts.answerMsg(OK);
  Form1& f = start();
  for (int i = 0; i < 3 && prompts.callsOf("msgBox").empty(); ++i) QCoreApplication::processEvents();
  EXPECT_EQ(f.Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 0 Songs");
  EXPECT_EQ(
      prompts.callsOf("msgBox").at(0).text,
      "The database file " + home.path("watka.bxl") +
          " cannot be read.\n\rThe discs are listed, but every song list stays empty until this file can be read.");
  EXPECT_EQ(f.List1.ListCount(), 5);
  reactivate();  // a second activation does not repeat the message
  EXPECT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_FALSE(QFileInfo::exists(home.path("watka.bxl")));
}

TEST_F(MainWindowTest, BothDatabaseFilesMissingAreNamedInOneMessage) {
  QFile::remove(home.path("watdi.bxl"));
  QFile::remove(home.path("watka.bxl"));
  prompts.answerMsg(OK);
  start();
  for (int i = 0; i < 3 && prompts.callsOf("msgBox").empty(); ++i) QCoreApplication::processEvents();
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "The database files " + home.path("watdi.bxl") + " and " +
                                                          home.path("watka.bxl") +
                                                          " cannot be read.\n\rThe disc list stays empty.");
  reactivate();
  EXPECT_EQ(prompts.callsOf("msgBox").size(), 1u);
}

TEST_F(MainWindowTest, AChangeOfBothFilesCutShortByAKillIsFinishedBeforeTheDiscsAreRead) {
  // Killed after the new track file took its place and before the disc file did.
  home.writeTracks({"NEW1,01,A,B"});
  home.writeLines("watdi.tmp", {testsupport::discLine("NEW1")});
  home.writeBytes("watka.jnl", "replace\nwatka.bxl\nwatka.tmp\nwatdi.bxl\nwatdi.tmp\nend\n");
  Form1& f = start();
  ASSERT_EQ(f.List1.ListCount(), 1);
  EXPECT_EQ(f.List1.List(0), "NEW1       ");
  EXPECT_EQ(f.Caption(), "Mellowdex Pro Zendra Edition 2.3   Database = 1 Songs");
  EXPECT_FALSE(QFileInfo::exists(home.path("watdi.tmp")));
  EXPECT_FALSE(QFileInfo::exists(home.path("watka.jnl")));
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

TEST_F(MainWindowTest, AJournalThatIsNotTheProgramsOwnIsToldOfOnceAndTouchesNothing) {
  // It would move the track file over the disc file.
  home.writeBytes("watka.jnl", "replace\nwatdi.bxl\nwatka.bxl\nend\n");
  const QByteArray tracks = home.readBytes("watka.bxl"), discs = home.readBytes("watdi.bxl");
  prompts.answerMsg(platform::msg::OK);
  Form1& f = start();
  // Told once the window is drawn, not over an empty screen.
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  for (int i = 0; i < 3 && prompts.callsOf("msgBox").empty(); ++i) QCoreApplication::processEvents();
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The journal " + home.path("watka.jnl") +
                " of an unfinished change of the database was not carried out: it gives " + home.path("watdi.bxl") +
                " a scratch file that is not its own.\rNothing was changed by it. It was kept as " +
                home.path("watka.rejected.jnl") + ".");
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discs);
  EXPECT_EQ(home.readBytes("watka.rejected.jnl"), "replace\nwatdi.bxl\nwatka.bxl\nend\n");
  reactivate();
  press(f.cmdUntag);
  EXPECT_EQ(prompts.callsOf("msgBox").size(), 1u);
}

TEST_F(MainWindowTest, ScreensSmallerThan800By600AreRefusedWithTheMessage) {
  for (QSize size : {QSize(640, 480), QSize(799, 600), QSize(800, 599)}) {
    platform::overrideScreenSize(size);
    testsupport::ScriptedPrompts local;
    local.answerMsg(OK);
    Form1 f;
    f.Show();
    EXPECT_TRUE(f.endedAtLoad());
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(local.calls().size(), 1u);
    EXPECT_EQ(local.calls()[0].style, platform::msg::Critical);
    EXPECT_EQ(local.calls()[0].title, "Mellowdex");
    EXPECT_EQ(local.calls()[0].text,
              "Mellowdex will only run when\n\ryour screen area is 800 x 600 or higher.\n\r\n\r"
              "To change the screen area setting click\n\r\n\rSTART/SETTINGS/CONTROL PANEL/DISPLAY\n\r\n\r"
              "Select the Settings tab and adjust the\n\rscreen area size to at least 800 x 600.\n\r\n\r");
  }
  platform::overrideScreenSize(QSize(800, 600));
  Form1 f;
  f.Show();
  QCoreApplication::processEvents();
  EXPECT_FALSE(f.endedAtLoad());
  // The window fits the smallest screen accepted, and so does every control it shows.
  const QRect frame = f.window()->frameGeometry();
  EXPECT_TRUE(QRect(0, 0, 800, 600).contains(frame)) << frame.width() << "x" << frame.height();
  for (QWidget* c : f.client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (c->isVisible()) {
      EXPECT_TRUE(f.client()->rect().contains(c->geometry()))
          << c->objectName().toStdString() << " " << c->geometry().x() << "," << c->geometry().y() << " " << c->width()
          << "x" << c->height() << " in " << f.client()->width() << "x" << f.client()->height();
    }
  }
  // No caption of the option row runs into the next box.
  const platform::CheckBox* row[] = {&f.Check2, &f.Check1, &f.chkOpen, &f.Check3, &f.Check7, &f.Check5};
  for (size_t i = 1; i < std::size(row); ++i) {
    const QWidget* before = row[i - 1]->widget();
    EXPECT_LT(before->x() + before->sizeHint().width(), row[i]->widget()->x()) << row[i]->name().toStdString();
  }
  // The chosen tab's bold caption keeps a margin of the tab's own colour on each side.
  f.List1.setSelected(0, true);
  press(f.cmdGet_Tracks);
  auto* bar = static_cast<QTabBar*>(f.TabStrip1.widget());
  for (int tab = 0; tab < bar->count(); ++tab) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    ASSERT_EQ(bar->currentIndex(), tab);
    const QImage shot = bar->grab().toImage();
    const QRect r = bar->tabRect(tab);
    const QColor face = shot.pixelColor(r.left() + 3, r.top() + 3);
    for (int y = r.top() + 3; y < r.bottom() - 2; ++y)
      for (int x : {r.left() + 2, r.left() + 3, r.left() + 4, r.right() - 4, r.right() - 3, r.right() - 2})
        EXPECT_EQ(shot.pixelColor(x, y), face) << bar->tabText(tab).toStdString() << " at " << x << "," << y;
  }
}

TEST_F(MainWindowTest, ClearBringsBackTheEmptyStateAndReloadsTheDiscs) {
  Form1& f = start();
  tick("SC8123");
  f.Text1.setText("My party");
  f.cmbSearch_text.setText("ZUBA");
  f.Combo1.setText("x");
  for (auto* m : {&f.mnuSave, &f.mnuPrint, &f.mnuExport}) m->setEnabled(true);
  f.List2.AddItem("line");
  f.List2.setVisible(true);
  f.TabStrip1.setVisible(true);
  f.cmbSearch.setListIndex(3);
  f.cmdUntag.setValue(true);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.List1.ListCount(), 5);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_FALSE(f.List2.Visible());
  EXPECT_FALSE(f.TabStrip1.Visible());
  EXPECT_EQ(f.Label1.Caption(), "Discs  = 0");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  EXPECT_EQ(f.Text1.Text(), "SONG LIST HEADER HERE");
  EXPECT_EQ(f.cmbSearch_text.Text(), "TYPE SEARCH TEXT HERE ");
  EXPECT_EQ(f.Combo1.Text(), "CLICK THIS DROP DOWN LIST TO FIND DISC CODES");
  EXPECT_EQ(f.cmbSearch.ListIndex(), 0);
  EXPECT_TRUE(f.Label9.Visible());
  EXPECT_FALSE(f.Label17.Visible());
  for (auto* m : {&f.mnuPrint, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks, &f.mnuSave, &f.mnuExport, &f.mnuUpdate_File})
    EXPECT_FALSE(m->Enabled()) << m->name().toStdString();
  EXPECT_EQ(f.ProgressBar1.Value(), 0);
}

// Clear shows the disc list from its first row, however far down it was scrolled.
TEST_F(MainWindowTest, ClearShowsTheDiscListFromItsFirstRow) {
  QStringList codes;
  for (int i = 0; i < 200; ++i) codes << QString("AA%1").arg(i, 3, 10, QChar('0'));
  home.writeDiscs(codes);
  Form1& f = start();
  QScrollBar* scroll = f.List1.view()->verticalScrollBar();
  QTest::mouseClick(f.List1.view()->viewport(), Qt::LeftButton, {}, QPoint(40, 5));
  QTest::keyClick(f.List1.view(), Qt::Key_End);
  QTest::keyClick(f.List1.view(), Qt::Key_Space);
  ASSERT_GT(scroll->value(), 0);
  QTest::mouseClick(f.cmdUntag.widget(), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(f.List1.view()->indexAt(QPoint(40, 5)).row(), 0);
}

TEST_F(MainWindowTest, AClickIntoTheHeaderBoxSelectsItsTextAndTypingStopsAtSixty) {
  Form1& f = start();
  QApplication::setActiveWindow(f.window());
  QTest::mouseClick(f.Text1.widget(), Qt::LeftButton, {}, f.Text1.widget()->rect().center());
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), f.Text1.widget());
  EXPECT_EQ(f.Text1.SelStart(), 0);
  EXPECT_EQ(f.Text1.SelLength(), QString("SONG LIST HEADER HERE").size());
  QTest::keyClicks(QApplication::focusWidget(), QString(70, 'x'));
  EXPECT_EQ(f.Text1.Text(), QString(60, 'x'));
}

TEST_F(MainWindowTest, ClosingWithoutTicksAsksNothingAndWritesTheColours) {
  Form1& f = start();
  f.Unload();
  EXPECT_TRUE(prompts.calls().empty());
  EXPECT_EQ(home.readBytes("mellowdex.ini"), QByteArray("-2147483643\r\n0\r\n-2147483643\r\n0\r\n"));
}

TEST_F(MainWindowTest, ClosingWithATickedDiscOffersToSave) {
  for (int answer : {Yes, No}) {
    Form1& f = start();
    tick("MDX1001");
    prompts.answerMsg(answer);
    if (answer == Yes) prompts.answerSaveFile(std::nullopt);  // the save dialog, cancelled
    f.mnuExit.action()->trigger();
    const auto asked = prompts.callsOf("msgBox");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().text, "Do you want to Save your list?");
    EXPECT_EQ(asked.back().style, platform::msg::YesNo + platform::msg::Question);
    EXPECT_EQ(asked.back().title, "Mellowdex");
    EXPECT_TRUE(QFileInfo::exists(home.path("mellowdex.ini")));
    // Yes without a saved file leaves the window standing with its ticks.
    EXPECT_EQ(f.isVisible(), answer == Yes);
    if (answer == Yes) {
      EXPECT_EQ(f.List1.SelCount(), 1);
    }
  }
}

// The real boxes: Escape and the close box leave the question standing; Yes and then Cancel in
// the save dialog keep the window, its list and its ticks.
TEST_F(MainWindowTest, NoKeyAtTheCloseQuestionLosesTheList) {
  Form1& f = start();
  tick("MDX1001");
  platform::setPrompts(nullptr);
  bool questionStood = false, dialogCancelled = false;
  testsupport::onNextModal<QMessageBox>(f.window(), [&](QMessageBox* box) {
    QTest::keyClick(box, Qt::Key_Escape);
    box->windowHandle()->close();
    questionStood = box->isVisible();
    testsupport::onNextModal<QFileDialog>(f.window(), [&](QFileDialog* dialog) {
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
      dialogCancelled = !dialog->isVisible();
    });
    QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
  });
  f.window()->windowHandle()->close();
  platform::setPrompts(&prompts);
  EXPECT_TRUE(questionStood);
  EXPECT_TRUE(dialogCancelled);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.List1.SelCount(), 1);
}

TEST_F(MainWindowTest, ColourSettingsAreReadBackAndABadFileIsRewritten) {
  home.writeLines("mellowdex.ini", {"255", "junk", "16777216", "65280"});
  Form1& f = start();
  EXPECT_EQ(f.List1.BackColor(), 255);
  EXPECT_EQ(f.Combo1.BackColor(), 255);
  EXPECT_EQ(f.List1.ForeColor(), 0);  // not a colour: left as it was
  EXPECT_EQ(f.List2.BackColor(), platform::kSystemWindowBackground);
  EXPECT_EQ(f.cmbSearch_text.ForeColor(), 65280);
  form.reset();
  home.writeLines("mellowdex.ini", {"255", "0"});  // short: rewritten from the designed colours
  Form1& g = start();
  EXPECT_EQ(g.List1.BackColor(), platform::kSystemWindowBackground);
  EXPECT_EQ(home.readBytes("mellowdex.ini"), QByteArray("-2147483643\r\n0\r\n-2147483643\r\n0\r\n"));

  // Every system colour (indexes 0 to 24) is kept from start to close; index 25 is none.
  form.reset();
  home.writeLines("mellowdex.ini", {"-2147483648", "-2147483624", "-2147483623", "0"});
  Form1& h = start();
  EXPECT_EQ(h.List1.BackColor(), qint32(0x80000000u));
  EXPECT_EQ(h.Combo1.ForeColor(), qint32(0x80000018u));
  EXPECT_EQ(h.List2.BackColor(), platform::kSystemWindowBackground);
  h.Unload();
  EXPECT_EQ(home.readBytes("mellowdex.ini"), QByteArray("-2147483648\r\n-2147483624\r\n-2147483643\r\n0\r\n"));
}

TEST(CommandLine, OneEnclosingPairOfQuotesIsRemovedAndBlankMeansNoFile) {
  EXPECT_EQ(Module1::commandLineFile("\"/tmp/My List.mdq\""), "/tmp/My List.mdq");
  EXPECT_EQ(Module1::commandLineFile("/tmp/a.mdq"), "/tmp/a.mdq");
  EXPECT_EQ(Module1::commandLineFile("   "), "");
  EXPECT_EQ(Module1::commandLineFile(""), "");
  EXPECT_EQ(Module1::commandLineFile("\"\"a\"\""), "\"a\"");
}
