// The add, change-code and delete windows, opened from the main window as the user does.
#include "maint_support.h"

#include "catalogue/colour_settings.h"
#include "catalogue/song_list_file.h"
#include "covers/label_settings.h"
#include "maintenance/track_database.h"
#include "maintenance/update_file.h"
#include "platform/core/cp1252.h"
#include "platform/ui/busy.h"
#include "windows/database/add_tracks.h"
#include "windows/database/delete_record.h"
#include "windows/database/Rename_Disc.h"
#include "windows/database/Restore.h"
#include "windows/database/update.h"
#include "windows/file_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QListView>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;
using testsupport::discLine;
using testsupport::trackLine;

// ---------------------------------------------------------------- Add Tracks

TEST_F(MaintenanceTest, AddAppendsEachTrackStepsTheNumberAndReselectsTheDisc) {
  Form1& f = start();
  prompts.onModal([](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    EXPECT_EQ(a.Text2.Text(), "01");
    a.Show();
    QApplication::setActiveWindow(a.window());
    QTest::mouseClick(a.Text1.widget(), Qt::LeftButton, {}, a.Text1.widget()->rect().center());
    QCoreApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
    EXPECT_EQ(a.Text1.Text(), "N");
    QInputMethodEvent composed;  // an accent from a dead key or an input method
    composed.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(QApplication::focusWidget(), &composed);
    EXPECT_EQ(a.Text1.Text(), QStringLiteral("N\u00c9"));
    a.Text1.setText("NEW1");
    a.Text2.setText("7");
    a.Text3.setText("FIRST SONG");
    a.Text4.setText("   ");  // blanks are an artist
    press(a.Command1);
    EXPECT_EQ(a.Text1.Text(), "NEW1");
    EXPECT_EQ(a.Text2.Text(), "08");
    EXPECT_EQ(a.Text3.Text(), "");
    EXPECT_EQ(a.Text4.Text(), "");
    // A click into the code box selects it whole, so the code typed replaces it.
    a.Show();
    QApplication::setActiveWindow(a.window());
    QTest::mouseClick(a.Text1.widget(), Qt::LeftButton, {}, a.Text1.widget()->rect().center());
    QCoreApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), "new1");
    EXPECT_EQ(a.Text1.Text(), "NEW1");
    a.Text3.setText("SECOND");
    a.Text4.setText("SINGER");
    press(a.Command1);
    press(a.Command2);
  });
  choose(f.mnuTracks);
  const QString first = trackLine("NEW1", "07", "FIRST SONG", ""), second = trackLine("NEW1", "08", "SECOND", "SINGER");
  EXPECT_EQ(tracks(), (kTracks + QStringList{first, second}));
  EXPECT_EQ(home.readBytes("watka.bxl").size(), 7 * 92);
  EXPECT_EQ(lines("My_Discs.kup"), (QStringList{first, second}));
  EXPECT_EQ(discs(), kDiscs + QStringList{"\"NEW1       \""});  // once, 15 bytes with its line end
  EXPECT_EQ(f.Label4.Caption(), "NEW1");
  EXPECT_EQ(f.List1.Text(), "NEW1       ");
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

TEST_F(MaintenanceTest, AddRefusesBadCodesDuplicatesAndTrack99WithoutWriting) {
  Form1& f = start();
  prompts.onModal([](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Text2.setText("1x");
    EXPECT_EQ(a.Text2.Text(), "");
    a.Text2.setText("-1");  // pasted: a number, but no track
    EXPECT_EQ(a.Text2.Text(), "");
    a.Text1.setText("AB C");
    a.Text2.setText("3");
    a.Text3.setText("A SONG");
    a.Text4.setText("AN ARTIST");
    press(a.Command1);
    EXPECT_EQ(a.Text1.Text(), "");
    a.Text1.setText("SC8123");
    a.Text2.setText("1");
    press(a.Command1);  // already stored as track 01
    EXPECT_EQ(a.Text1.Text(), "");
    EXPECT_EQ(a.Text2.Text(), "01");
    EXPECT_EQ(a.Text3.Text(), "");
    a.Text3.setText("A SONG");
    a.Text4.setText("AN ARTIST");
    press(a.Command1);
    a.Text1.setText("SC8123");
    a.Text2.setText("99");
    a.Text3.setText("X");
    a.Text4.setText("Y");
    press(a.Command1);
    EXPECT_EQ(a.Text2.Text(), "01");
    EXPECT_EQ(a.Text4.Text(), "");
    press(a.Command2);
  });
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK).answerMsg(OK);
  choose(f.mnuTracks);
  const auto shown = prompts.callsOf("msgBox");
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "You can not use these characters \"  , ");
  EXPECT_EQ(shown[0].text.size(), 38);
  EXPECT_EQ(shown[0].title, "Invalid Character");
  EXPECT_EQ(shown[1].text,
            "You already have a track 01 for disk SC8123\rPlease try again\r\r"
            "If you want to rewrite this track please use Edit Track.");
  EXPECT_EQ(shown[1].title, "Disc, Track Duplication");
  EXPECT_EQ(shown[2].text, "Please enter a Disc code.");  // emptied by the duplicate
  EXPECT_EQ(shown[3].text, "Only 98 tracks allowed");
  EXPECT_EQ(tracks(), kTracks);
  EXPECT_FALSE(QFile::exists(home.path("My_Discs.kup")));
  EXPECT_EQ(f.Label4.Caption(), "");  // the box was emptied: nothing to re-select
}

// A letter the track file cannot hold is refused where it is typed or pasted, never stored as "?".
TEST_F(MaintenanceTest, AddRefusesALetterTheTrackFileCannotHold) {
  Form1& f = start();
  QString kept, afterPaste;
  prompts.onModal([&](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Show();
    a.Text3.SetFocus();
    testsupport::typeInto(a.Text3.widget(), QStringLiteral("\u0141\u00d3D\u0179"));
    kept = a.Text3.Text();
    QApplication::clipboard()->setText(QStringLiteral("\u0141"));
    QTest::keyClick(a.Text4.widget(), Qt::Key_V, Qt::ControlModifier);
    afterPaste = a.Text4.Text();
  });
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK);
  QTest::mouseClick(f.cmdAdd.widget(), Qt::LeftButton);
  EXPECT_EQ(kept, QStringLiteral("\u00d3D"));
  EXPECT_EQ(afterPaste, "");
  EXPECT_EQ(messages(),
            (QStringList{
                QStringLiteral("The song title cannot hold the character \"\u0141\".\n\rPlease try again without it."),
                QStringLiteral("The song title cannot hold the character \"\u0179\".\n\rPlease try again without it."),
                QStringLiteral("The artist cannot hold the character \"\u0141\".\n\rPlease try again without it.")}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[0].title, "Add Tracks");
}

// A song copied from a spreadsheet or a mail carries line breaks and tabs: a line break inside it
// never splits a record, the one at its end is dropped, a tab is a blank.
TEST_F(MaintenanceTest, AddTakesAPastedSongAsOneLine) {
  Form1& f = start();
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  QString afterRefusal;
  QByteArray tracksAfterRefusal;
  prompts.onModal([&](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Show();
    a.Text1.setText("NEW1");
    a.Text4.setText("SINGER");
    testsupport::pasteInto(a.Text3.widget(), "LINE ONE\nLINE TWO");
    afterRefusal = a.Text3.Text();
    press(a.Command1);  // no song: asked for, nothing written
    tracksAfterRefusal = home.readBytes("watka.bxl");
    testsupport::pasteInto(a.Text3.widget(), "line one\tand two\u2026\r\n");  // capitals, as typed keys give
    EXPECT_EQ(a.Text3.Text(), "LINE ONE AND TWO\u2026");
    press(a.Command1);
    press(a.Command2);
  });
  prompts.answerMsg(OK).answerMsg(OK);
  choose(f.mnuTracks);
  EXPECT_EQ(afterRefusal, "");
  EXPECT_EQ(tracksAfterRefusal, tracksBefore);
  EXPECT_EQ(messages(), (QStringList{"The song title cannot hold a line break.\n\rPlease try again without it.",
                                     "Please enter the song title.\rIf you do not know it enter Unknown"}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[0].title, "Add Tracks");
  const QString added = trackLine("NEW1", "01", "LINE ONE AND TWO\u2026", "SINGER");  // the ellipsis is byte 0x85
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore + platform::cp1252::encode(added) + "\r\n");
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore + discLine("NEW1").toLatin1() + "\r\n");
}

// The help page tells a host how long a code, a title and an artist can be: as long as the add
// window's boxes let them be typed.
TEST_F(MaintenanceTest, TheHelpPageGivesTheLengthsTheAddBoxesTake) {
  QFile page(MELLOWDEX_DEMO_DIR "/help.htm");
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QRegularExpressionMatch stated =
      QRegularExpression("Codes can be up to (\\d+) characters, titles up to (\\d+) and artist names up to (\\d+)")
          .match(QString::fromLatin1(page.readAll()).simplified());
  ASSERT_TRUE(stated.hasMatch());
  Form1& f = start();
  prompts.onModal([&](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Show();
    int field = 1;
    for (platform::TextBox* box : {&a.Text1, &a.Text3, &a.Text4}) {
      QTest::keyClicks(box->widget(), QString(40, QLatin1Char('X')));
      EXPECT_EQ(box->Text().size(), stated.captured(field++).toInt()) << box->name().toStdString();
    }
    press(a.Command2);
  });
  press(f.cmdAdd);
}

TEST_F(MaintenanceTest, AddOffersToSaveTheTickedSelectionFirst) {
  Form1& f = start();
  tick("SC8123");
  prompts.answerMsg(No).onModal(nullptr);  // closed by its frame: no hand-back
  choose(f.mnuTracks);
  ASSERT_EQ(prompts.calls().size(), 2u);
  EXPECT_EQ(prompts.calls()[0].text,
            "Your current disc selection will be cleared.\n\r\n\rDo you want to Save your list now?");
  EXPECT_EQ(prompts.calls()[0].style, 36);
  EXPECT_EQ(prompts.calls()[0].title, "Add Tracks");
  EXPECT_EQ(f.List1.SelCount(), 1);  // nothing added: the tick stays
  EXPECT_EQ(f.Label4.Caption(), "");

  // Yes, and the save dialog cancelled: neither Add nor Update goes on, the tick stays.
  tick("SC8123");
  for (platform::CommandButton* command : {&f.cmdAdd, &f.cmdUpdate}) {
    prompts.answerMsg(Yes).answerSaveFile(std::nullopt);
    QTest::mouseClick(command->widget(), Qt::LeftButton);
    EXPECT_EQ(f.List1.SelCount(), 1) << command->name().toStdString();
  }
  EXPECT_EQ(prompts.callsOf("modal").size(), 1u);  // the one opened after No above
}

TEST_F(MaintenanceTest, AddThatCannotBeWrittenLeavesEveryFileAsItWas) {
  Form1& f = start();
  prompts.onModal([](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Text1.setText("NEW1");
    a.Text3.setText("SONG");
    a.Text4.setText("ARTIST");
    {
      testsupport::FileSizeLimit limit(5 * 92 + 40);  // the track file takes part of the record
      press(a.Command1);
    }
    EXPECT_EQ(a.Text3.Text(), "SONG");  // still there to try again
    press(a.Command2);
  });
  prompts.answerMsg(OK);
  choose(f.mnuTracks);
  ASSERT_EQ(messages().size(), 1);
  EXPECT_TRUE(messages()[0].contains("watka.bxl could not be written")) << messages()[0].toStdString();
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Add Tracks");
  EXPECT_EQ(tracks(), kTracks);
  EXPECT_EQ(discs(), kDiscs);
  EXPECT_FALSE(QFile::exists(home.path("My_Discs.kup")));

  // A read-only disc file refuses the new disc: the track already appended is taken back, and
  // the user is told that nothing changed, with no call for the backup.
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  QFile::setPermissions(home.path("watdi.bxl"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  prompts.onModal([this](platform::FormBase& w) {
    auto& a = dynamic_cast<add_tracks&>(w);
    a.Text1.setText("NEW2");
    a.Text3.setText("SONG");
    a.Text4.setText("ARTIST");
    testsupport::OrdinaryUser user(home.path());
    press(a.Command1);
  });
  prompts.answerMsg(OK);
  choose(f.mnuTracks);
  ASSERT_EQ(messages().size(), 2);
  EXPECT_TRUE(messages()[1].contains("watdi.bxl could not be written")) << messages()[1].toStdString();
  EXPECT_TRUE(messages()[1].endsWith("The database has not been changed.")) << messages()[1].toStdString();
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  EXPECT_FALSE(QFile::exists(home.path("My_Discs.kup")));
}

// ---------------------------------------------------------------- Change Disc Code

TEST_F(MaintenanceTest, ChangeCodeRewritesBothFilesInOrderAndReselectsTheDisc) {
  home.writeDiscs({"MDX1001", "SC8123"});
  home.writeLines("watka.bxl", {trackLine("SC8123", "01", "A", "B"), trackLine("MDX1001", "01", "C", "D"),
                                "\"SC8123\",\"02\",\"E\",\"F\""});
  Form1& f = start();
  const int r = row("SC8123");
  f.List1.setList(r, f.List1.List(r) + "0042");  // a disc with the user's own number
  f.List1.setListIndex(r);
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    EXPECT_EQ(d.Text1.Text(), "SC8123");  // the code, without the user's number
    EXPECT_FALSE(d.Text1.Enabled());
    d.Text2.setText("new9");  // a text set from code is taken as it is
    d.Show();
    QTest::mouseClick(d.Command1.widget(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());  // closed by the change itself
  });
  choose(f.mnu_Change_Disc_Code);
  // The disc's records carry the new code and keep the rest as they were stored.
  EXPECT_EQ(tracks(), (QStringList{trackLine("new9", "01", "A", "B"), trackLine("MDX1001", "01", "C", "D"),
                                   "\"new9       \",\"02\",\"E\",\"F\""}));
  EXPECT_EQ(discs(), (QStringList{discLine("MDX1001"), discLine("new9")}));
  EXPECT_EQ(f.Label4.Caption(), "new9");
  EXPECT_EQ(f.List1.Text(), "new9       ");
}

// The list saved at the offer is the list as the change leaves it, and only a change written
// leaves it saved: opened again, it ticks the same discs and Create List gives the same lines.
TEST_F(MaintenanceTest, ChangeCodeSavesTheListAtTheOfferUnderTheNewCode) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("43").answerInput("7");
  tick("SC8123");
  tick("zk101");
  f.Check1.setValue(1);  // the lines show the codes beside the numbers
  press(f.cmdGet_Tracks);
  f.List1.setListIndex(row("SC8123"));
  const auto changeTo = [&](const QString& code, const std::function<void()>& answers) {
    prompts.onModal([&, code](platform::FormBase& w) {
      auto& d = dynamic_cast<Rename_Disc&>(w);
      d.Text2.setText(code);
      answers();
      press(d.Command1);
      if (d.isLoaded()) press(d.Command2);
    });
    choose(f.mnu_Change_Disc_Code);
  };
  // Another copy takes the new code while the offer waits: refused, and no list saved.
  changeTo("TAKEN", [&] {
    prompts.answerMsg(Yes, [&] { home.writeDiscs({"SC8123", "MDX1001", "zk101", "TAKEN"}); });
    prompts.answerSaveFile(home.path("taken.mdq")).answerMsg(OK);
  });
  EXPECT_TRUE(messages().last().endsWith("\n\rThe song list has not been saved.")) << messages().last().toStdString();
  EXPECT_EQ(QDir(home.path()).entryList({"taken*"}), QStringList());

  changeTo("ZZ-02", [&] { prompts.answerMsg(Yes).answerSaveFile(home.path("friday.mdq")); });
  prompts.answerOpenFile(home.path("friday.mdq"));
  press(f.cmdOpen);
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_TRUE(f.List1.Selected(row("ZZ-02")));
  EXPECT_EQ(f.List1.List(row("ZZ-02")), "ZZ-02      0043");
  const QStringList saved = f.List2.items();
  press(f.cmdGet_Tracks);
  EXPECT_EQ(f.List2.items(), saved);
  // Saved again as it stands now, the list is the one saved at the offer, byte for byte.
  prompts.answerSaveFile(home.path("again.mdq"));
  press(f.cmdSave);
  EXPECT_EQ(home.readBytes("again.mdq"), home.readBytes("friday.mdq"));

  // Lines read back from a saved list stand for the disc whose code they show.
  prompts.answerOpenFile(home.path("again.mdq"));
  press(f.cmdOpen);
  f.List1.setListIndex(row("ZZ-02"));
  changeTo("YY-03", [&] { prompts.answerMsg(Yes).answerSaveFile(home.path("saturday.mdq")); });
  EXPECT_EQ(QString::fromLatin1(home.readBytes("saturday.mdq")).count("YY-03      0043"), 3);

  // The list cannot be put in place once the change is made: the user hears that the change
  // stands and why, the save comes again, and a cancelled save is told before the list goes.
  prompts.answerOpenFile(home.path("saturday.mdq"));
  press(f.cmdOpen);
  f.List1.setListIndex(row("YY-03"));
  const QString blocked = home.path("blocked.mdq");
  maintenance::changeStepHook = [&](int) {
    if (QFile::exists(blocked + ".tmp")) QDir().mkdir(blocked);
  };
  changeTo("XX-04", [&] {
    prompts.answerMsg(Yes).answerSaveFile(blocked).answerMsg(OK).answerSaveFile(std::nullopt).answerMsg(OK);
  });
  maintenance::changeStepHook = nullptr;
  EXPECT_EQ(messages().mid(messages().size() - 2),
            (QStringList{"Disc YY-03 is now XX-04. The song list could not be saved: " + windows::kReadOnlyText,
                         catalogue::kListNotSavedText}));
  EXPECT_TRUE(discs().contains(discLine("XX-04")));
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(QDir(home.path()).entryList({"blocked*"}, QDir::Files), QStringList());

  // With Hide Duplicates on, a copy that the new code puts ahead of the line it hid shows in its
  // place, as Create List shows it, whether the list remembers its copies or was reopened.
  home.writeDiscs({"MDX1001", "zk101"});
  home.writeTracks({"MDX1001,01,SAME SONG,ODA BELL", "zk101,01,SAME SONG,ODA BELL"});
  press(f.cmdUntag);
  prompts.answerInput("1").answerInput("2");
  tick("MDX1001");
  tick("zk101");
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // Hide Duplicates
  press(f.cmdGet_Tracks);
  for (const auto& [from, to, shown] : {std::tuple{"MDX1001", "ZZ1", "ZK101"}, {"ZZ1", "A1", "A1 "}}) {
    f.List1.setListIndex(row(from));
    changeTo(to, [&, to] { prompts.answerMsg(Yes).answerSaveFile(home.path(QString(to) + ".mdq")); });
    prompts.answerOpenFile(home.path(QString(to) + ".mdq"));
    press(f.cmdOpen);
    EXPECT_TRUE(f.List2.ListCount() == 1 && f.List2.List(0).contains(shown)) << f.List2.List(0).toStdString();
  }
}

TEST_F(MaintenanceTest, ChangeCodeRefusalsKeepTheWindowOpenAndTheFilesUntouched) {
  Form1& f = start();
  tick("zk101");  // a refused change offers no list for saving
  f.List1.setListIndex(row("SC8123"));
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    for (const char* typed : {"   ", " SC8123 ", "A,B", "MDX1001"}) {
      d.Text2.setText(typed);
      press(d.Command1);
      EXPECT_EQ(d.Text2.Text(), "") << typed;
      EXPECT_TRUE(d.isLoaded());
    }
    EXPECT_TRUE(d.Command1.Enabled() && d.Command2.Enabled());
    // The current code stays the highlighted disc's.
    testsupport::typeInto(d.Text1.widget(), "X");
    EXPECT_EQ(d.Text1.Text(), "SC8123");
    press(d.Command2);
  });
  // A box that waits for the user keeps no other copy of the program from the database.
  bool lockedWhileShown = true;
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK, [&] { lockedWhileShown = QFile::exists(home.path("watka.lck")); });
  choose(f.mnu_Change_Disc_Code);
  EXPECT_FALSE(lockedWhileShown);
  EXPECT_EQ(messages(), (QStringList{"New Disc Code = Current Disc Code\rPlease use another disc code.",
                                     "You can not use these characters \" , ",
                                     "MDX1001 disc code is already in use\rPlease use another disc code"}));
  EXPECT_EQ(tracks(), kTracks);
  EXPECT_EQ(discs(), kDiscs);
  EXPECT_EQ(f.Label4.Caption(), "");
  EXPECT_EQ(f.List1.Text(), "SC8123     ");  // nothing changed: the disc stays highlighted
  EXPECT_TRUE(f.List1.Selected(row("zk101")));

  // With no disc highlighted there is nothing to change: refused before the window opens.
  press(f.cmdUntag);
  ASSERT_EQ(f.List1.ListIndex(), -1);
  home.writeBytes("watdi.bxl", home.readBytes("watdi.bxl") + "\r\n");  // an empty line is no disc
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  prompts.answerMsg(OK);
  choose(f.mnuChange_Disc_Code);  // the Edit menu's entry
  EXPECT_EQ(messages().last(), "Please select a disc first");
  EXPECT_EQ(prompts.callsOf("modal").size(), 1u);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
}

// Another copy of the program deleted the disc after this copy's list was made: the change is
// refused as a deletion is, and nothing is written.
// A code pasted with a line break inside never reaches the files; a copied cell's line break at
// its end is dropped.
TEST_F(MaintenanceTest, ChangeCodeTakesAPastedCodeAsOneLine) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  QString afterRefusal;
  QByteArray tracksAfterRefusal, discsAfterRefusal;
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Show();
    testsupport::pasteInto(d.Text2.widget(), "QQ\n1");
    afterRefusal = d.Text2.Text();
    press(d.Command1);  // no new code: asked again, nothing written
    tracksAfterRefusal = home.readBytes("watka.bxl");
    discsAfterRefusal = home.readBytes("watdi.bxl");
    testsupport::pasteInto(d.Text2.widget(), "qq1\r\n");  // capitals, as typed keys give
    EXPECT_EQ(d.Text2.Text(), "QQ1");
    press(d.Command1);
  });
  prompts.answerMsg(OK);
  choose(f.mnu_Change_Disc_Code);
  EXPECT_EQ(afterRefusal, "");
  EXPECT_EQ(tracksAfterRefusal, tracksBefore);
  EXPECT_EQ(discsAfterRefusal, discsBefore);
  EXPECT_EQ(messages(), QStringList{"The disc code cannot hold a line break.\n\rPlease try again without it."});
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Change Disc Code");
  QStringList recoded = kTracks, discsNow = kDiscs;
  recoded[0] = trackLine("QQ1", "01", "MOONLIGHT HARBOUR", "THE LANTERNS");
  recoded[1] = trackLine("QQ1", "02", "PAPER SKY", "JUNO REED");
  discsNow[0] = discLine("QQ1");
  EXPECT_EQ(tracks(), recoded);
  EXPECT_EQ(discs(), discsNow);
  EXPECT_EQ(f.Label4.Caption(), "QQ1");
}

// A text copied from another program can break its lines with the Unicode separators: they are
// line breaks like CR and LF, named as such rather than shown.
TEST_F(MaintenanceTest, ChangeCodeTakesEveryLineBreakAsOne) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  QStringList kept;
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Show();
    for (const QString& pasted :
         {QStringLiteral("QQ\u20281"), QStringLiteral("QQ\u20291"), QStringLiteral("QQ\u00851")}) {
      testsupport::pasteInto(d.Text2.widget(), pasted);
      kept << d.Text2.Text();
    }
    testsupport::pasteInto(d.Text2.widget(), QStringLiteral("QQ1\u2029\u0085\u2028"));
    kept << d.Text2.Text();
    press(d.Command2);
  });
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK);
  choose(f.mnu_Change_Disc_Code);
  EXPECT_EQ(kept, (QStringList{"", "", "", "QQ1"}));
  EXPECT_EQ(messages(), QStringList(3, "The disc code cannot hold a line break.\n\rPlease try again without it."));
}

// A real message box takes the focus from the box, and a box typed into checks its text as it
// loses the focus, the refused paste still in it: the refusal is told for that paste alone, not
// again for a later one that is merely too long, or for a key typed into a full box.
TEST_F(MaintenanceTest, ChangeCodeTellsARefusalOnlyForThePasteItRefuses) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  QStringList kept;
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Show();
    QApplication::setActiveWindow(d.window());
    testsupport::typeInto(d.Text2.widget(), "qq");
    testsupport::pasteInto(d.Text2.widget(), "\n1");
    kept << d.Text2.Text();
    testsupport::pasteInto(d.Text2.widget(), "ABCDEFGHIJKLMN");
    kept << d.Text2.Text();
    testsupport::typeInto(d.Text2.widget(), "X");
    kept << d.Text2.Text();
    press(d.Command2);
  });
  prompts.answerMsg(OK, [] {
    QWidget box;  // the message box, a window of its own
    box.show();
    QApplication::setActiveWindow(&box);
  });
  choose(f.mnu_Change_Disc_Code);
  EXPECT_EQ(kept, (QStringList{"QQ", "QQABCDEFGH", "QQABCDEFGH"}));
  EXPECT_EQ(messages(), QStringList{"The disc code cannot hold a line break.\n\rPlease try again without it."});
}

// The current code comes from the disc list as the disc file holds it, small letters included: the
// box, which turns what the user puts in into capitals, takes it as it is, and the disc is found.
TEST_F(MaintenanceTest, ChangeCodeOfADiscStoredInSmallLetters) {
  Form1& f = start();
  f.List1.setListIndex(row("zk101"));
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    EXPECT_EQ(d.Text1.Text(), "zk101");
    testsupport::pasteInto(d.Text2.widget(), "ZK102");
    press(d.Command1);
  });
  choose(f.mnu_Change_Disc_Code);
  QStringList recoded = kTracks, discsNow = kDiscs;
  recoded[3] = trackLine("ZK102", "01", "LATE TRAIN", "ODA BELL");
  discsNow[2] = discLine("ZK102");
  EXPECT_EQ(tracks(), recoded);
  EXPECT_EQ(discs(), discsNow);
}

TEST_F(MaintenanceTest, ChangeCodeOfADiscThatIsGoneChangesNothing) {
  Form1& f = start();
  tick("zk101");  // the refusal comes without an offer to save the list
  f.List1.setListIndex(row("SC8123"));
  home.writeLines("watka.bxl", {kTracks[2], kTracks[3], kTracks[4]});
  home.writeLines("watdi.bxl", {kDiscs[1], kDiscs[2], kDiscs[3], kDiscs[4]});
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  prompts.choosePopup("mnu_Change_Disc_Code");
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Show();
    testsupport::typeInto(d.Text2.widget(), "newx");
    testsupport::clickOn(d.Command1.widget());
    EXPECT_TRUE(d.isVisible());
    testsupport::clickOn(d.Command2.widget());
  });
  prompts.answerMsg(OK);
  testsupport::clickRow(f.List1, row("SC8123"), Qt::RightButton);
  EXPECT_EQ(messages(), QStringList{"There is no disc SC8123 in the database.\rNothing has been changed."});
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  EXPECT_EQ(f.Label4.Caption(), "");
  EXPECT_TRUE(f.List1.Selected(row("zk101")));
}

// An update file can make a code of 11 characters: the current-code box holds it whole, and the
// change leaves the disc whose code is its first 10 characters as it was.
TEST_F(MaintenanceTest, ChangeCodeChangesACodeLongerThanTheNewCodeBox) {
  home.writeDiscs({"ABCDEFGHIJK", "ABCDEFGHIJ", "SC1"});
  home.writeTracks({"ABCDEFGHIJK,01,A,B", "ABCDEFGHIJ,01,C,D"});
  Form1& f = start();
  f.List1.setListIndex(row("ABCDEFGHIJK"));
  ASSERT_EQ(f.List1.Text(), "ABCDEFGHIJK");
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    EXPECT_EQ(d.Text1.Text(), "ABCDEFGHIJK");
    d.Text2.setText("NEW");
    press(d.Command1);
    EXPECT_FALSE(d.isLoaded());
  });
  choose(f.mnu_Change_Disc_Code);
  EXPECT_TRUE(messages().isEmpty());
  EXPECT_EQ(home.readBytes("watka.bxl"),
            (trackLine("NEW", "01", "A", "B") + "\r\n" + trackLine("ABCDEFGHIJ", "01", "C", "D") + "\r\n").toLatin1());
  EXPECT_EQ(discs(), (QStringList{discLine("NEW"), discLine("ABCDEFGHIJ"), discLine("SC1")}));
  EXPECT_EQ(f.List1.Text(), "NEW        ");
}

TEST_F(MaintenanceTest, ChangeCodeHoldsInputDuringTheRewriteAndHandsBackTheCodeItWrote) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  bool inputHeld = false;
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Text2.setText("NEW9");
    // Runs where the window lets events through, as a key typed into the new-code box would.
    QMetaObject::invokeMethod(
        &d,
        [&] {
          inputHeld = platform::BusyScope::active();
          d.Text2.setText("OTHER");
        },
        Qt::QueuedConnection);
    press(d.Command1);
  });
  choose(f.mnu_Change_Disc_Code);
  EXPECT_TRUE(inputHeld);
  EXPECT_EQ(discs()[0], discLine("NEW9"));
  EXPECT_EQ(f.Label4.Caption(), "NEW9");
  EXPECT_EQ(f.List1.Text(), "NEW9       ");
}

// The change counts only once written: the main window keeps its ticks, as the database does.
TEST_F(MaintenanceTest, ChangeCodeThatCannotBeWrittenLeavesBothFiles) {
  Form1& f = start();
  tick("zk101");
  f.List1.setListIndex(row("SC8123"));
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Text2.setText("NEW9");
    {
      testsupport::FileSizeLimit limit(100);
      press(d.Command1);
    }
    EXPECT_TRUE(d.Command1.Enabled());
    EXPECT_FALSE(d.Text1.Enabled());
    EXPECT_EQ(d.mousePointer(), platform::MousePointer::Default);
  });
  prompts.answerMsg(No).answerMsg(OK);  // the list is not to be saved
  choose(f.mnu_Change_Disc_Code);
  ASSERT_EQ(messages().size(), 2);
  EXPECT_TRUE(messages()[1].contains("could not be written"));
  EXPECT_EQ(tracks(), kTracks);
  EXPECT_EQ(discs(), kDiscs);
  EXPECT_EQ(f.Label4.Caption(), "");
  EXPECT_TRUE(f.List1.Selected(row("zk101")));
}

// ---------------------------------------------------------------- Delete

TEST_F(MaintenanceTest, DeleteDiscRemovesItsTracksAndItsLineAndClearsTheMainWindow) {
  // Scratch files left by a run that was killed are taken over by the rewrite, not left behind.
  home.writeBytes("watka.tmp", QByteArray(100000, 'x'));
  home.writeBytes("watdi.tmp", "half a disc file");
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<delete_record&>(w);
    EXPECT_TRUE(d.Command1.Enabled());
    press(d.Command1);
    EXPECT_FALSE(d.isLoaded());
  });
  prompts.answerMsg(Yes);
  choose(f.mnuB);
  const auto asked = prompts.callsOf("msgBox");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "You have choosen to delete Disc SC8123 are you sure");
  EXPECT_EQ(asked[0].title, "Delete Disc SC8123");
  EXPECT_EQ(asked[0].style, 276);
  EXPECT_EQ(tracks(), kTracks.mid(2));
  EXPECT_EQ(discs(), kDiscs.mid(1));
  EXPECT_EQ(f.List1.ListCount(), 4);
  const QStringList left = QDir(home.path()).entryList(QDir::Files);
  EXPECT_FALSE(left.contains("watka.tmp") || left.contains("watdi.tmp")) << left.join(' ').toStdString();
  EXPECT_TRUE(left.filter("watka.bxl.").isEmpty() && left.filter("watdi.bxl.").isEmpty())
      << left.join(' ').toStdString();
}

// A code pasted into the delete window is taken as the other code boxes take it: one line, in
// capitals. A line break inside it is refused; the one a copied cell ends with is dropped.
TEST_F(MaintenanceTest, DeleteTakesAPastedCodeAsOneLineInCapitals) {
  Form1& f = start();
  f.List1.setListIndex(row("SC8123"));
  QString afterRefusal;
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<delete_record&>(w);
    d.Show();
    QApplication::setActiveWindow(d.window());
    testsupport::pasteInto(d.Text1.widget(), "mdx\n1001");  // over the code the box holds, selected
    afterRefusal = d.Text1.Text();
    QTest::keyClick(d.Text1.widget(), Qt::Key_A, Qt::ControlModifier);
    testsupport::pasteInto(d.Text1.widget(), "mdx1001\r\n");
    EXPECT_EQ(d.Text1.Text(), "MDX1001");
    press(d.Command1);
  });
  prompts.answerMsg(OK).answerMsg(Yes);
  choose(f.mnuB);
  EXPECT_EQ(afterRefusal, "SC8123     ");
  EXPECT_EQ(messages(), (QStringList{"The disc code cannot hold a line break.\n\rPlease try again without it.",
                                     "You have choosen to delete Disc MDX1001 are you sure"}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[0].title, "Delete Track or Disc");
  EXPECT_EQ(tracks(), (QStringList{kTracks[0], kTracks[1], kTracks[3], kTracks[4]}));
  EXPECT_EQ(discs(), (QStringList{kDiscs[0], kDiscs[2], kDiscs[3], kDiscs[4]}));
}

TEST_F(MaintenanceTest, DeleteTrackFromTheSongListKeepsADiscWithOtherTracks) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  clickSong("PAPER SKY");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes).answerMsg(No);
  choose(f.mnue);
  ASSERT_EQ(messages(),
            (QStringList{"You have choosen to delete Disc SC8123 Track 02 are you sure.",
                         "Your current disc selection will be cleared.\n\r\n\rDo you want to Save your list now?"}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[0].title, "Delete Track 02 from Disc SC8123");
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].title, "Delete Track or Disc");
  QStringList expected = kTracks;
  expected.removeAt(1);
  EXPECT_EQ(tracks(), expected);
  EXPECT_EQ(discs(), kDiscs);
  EXPECT_EQ(f.List2.ListCount(), 0);  // cleared

  // A supplier's track of one digit, stored so, shows in two digits, so that the track sort puts
  // it in its place, and goes from its line.
  home.writeLines("watdi.bxl", {discLine("SHORT")});
  home.writeBytes("watka.bxl",
                  "\"SHORT\",\"1\",\"ONE\",\"A\"\r\n\"SHORT\",\"2\",\"TWO\",\"B\"\r\n"
                  "\"SHORT\",\"03\",\"THREE\",\"C\"\r\n");
  press(f.cmdUntag);
  tick("SHORT");
  press(f.cmdGet_Tracks);
  auto* tabs = static_cast<QTabBar*>(f.TabStrip1.widget());
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());  // the track sort
  ASSERT_TRUE(f.Option3.Value());
  EXPECT_EQ(f.List2.items().join('|').remove(QRegularExpression(" +[^|]*")), "01|02|03");
  clickSong("ONE");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes).answerMsg(No);
  choose(f.mnue);
  EXPECT_EQ(prompts.expectCalls("msgBox", 4)[2].text, "You have choosen to delete Disc SHORT Track 01 are you sure.");
  EXPECT_EQ(home.readBytes("watka.bxl"), "\"SHORT\",\"2\",\"TWO\",\"B\"\r\n\"SHORT\",\"03\",\"THREE\",\"C\"\r\n");
}

TEST_F(MaintenanceTest, DeleteTrackTypedByHand) {
  // Unpadded records read like padded ones and are written back as stored.
  const QByteArray stored = "\"MDX1001\",\"01\",\"RIVER TOWN\",\"ODA BELL\"\r\n\"zk101\",\"01\",\"LATE\",\"ODA\"\r\n";
  home.writeBytes("watka.bxl", stored);
  Form1& f = start();
  const auto deleteTrack = [&](const char* code, const char* track, int answer, bool toldNothingWent = false) {
    prompts.onModal([=](platform::FormBase& w) {
      auto& d = dynamic_cast<delete_record&>(w);
      EXPECT_FALSE(d.Command1.Enabled());  // neither mode chosen yet
      EXPECT_FALSE(d.Option1.Value() || d.Option2.Value());
      d.Text1.setText(code);
      d.Text2.setText(track);
      press(d.Command1);
    });
    prompts.answerMsg(answer);
    // The box waits for the user with the database let go, for another copy to change it.
    if (toldNothingWent) prompts.answerMsg(OK, [&] { EXPECT_FALSE(QFile::exists(home.path("watka.lck"))); });
    triggerUnoffered(f.mnuDelete);  // hidden from the menus: Delete with no mode
  };
  deleteTrack("zk101", "1", No);
  EXPECT_EQ(home.readBytes("watka.bxl"), stored);
  deleteTrack("zk101", "2", Yes, true);  // a track the disc lacks: said so, not kept quiet
  EXPECT_EQ(messages().last(), "Disc zk101 has no track 02 in the database.\rNothing has been deleted.");
  EXPECT_EQ(home.readBytes("watka.bxl"), stored);  // nothing to write
  EXPECT_EQ(discs(), kDiscs);
  deleteTrack("MDX1001", "1", Yes);  // its last track takes the disc with it
  EXPECT_EQ(home.readBytes("watka.bxl"), "\"zk101\",\"01\",\"LATE\",\"ODA\"\r\n");
  EXPECT_EQ(discs(), (QStringList{kDiscs[0], kDiscs[2], kDiscs[3], kDiscs[4]}));
  const auto asked = prompts.expectCalls("msgBox", 4);
  EXPECT_EQ(asked[0].text, "You have choosen to delete Disc zk101 Track 01 are you sure.");
  EXPECT_EQ(asked[0].title, "Delete Track 1 from Disc zk101");

  // Blanks are no disc code: refused before the question, and nothing is written.
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<delete_record&>(w);
    d.Text1.setText("   ");
    d.Text2.setText("1");
    press(d.Command1);
    EXPECT_TRUE(d.isLoaded());
    press(d.Command2);
  });
  prompts.answerMsg(OK);
  choose(f.mnuB);
  EXPECT_EQ(messages().last(), "Please enter a Disc code.");
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
}

// A disc the database does not hold: said so, with no offer to save the list for a clear that
// does not come; nothing is written and the list keeps its ticks.
TEST_F(MaintenanceTest, DeleteDiscThatFindsNothingWritesNothingAndKeepsTheList) {
  const QByteArray stored = "\"MDX1001\",\"01\",\"RIVER TOWN\",\"ODA BELL\"\r\n";  // a rewrite pads it
  home.writeBytes("watka.bxl", stored);
  Form1& f = start();
  tick("MDX1001");
  const QByteArray discsBefore = home.readBytes("watdi.bxl");
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<delete_record&>(w);
    d.Show();
    testsupport::clickOn(d.Option1.widget());
    testsupport::typeInto(d.Text1.widget(), "nope1");
    testsupport::clickOn(d.Command1.widget());
  });
  prompts.answerMsg(Yes).answerMsg(OK);
  triggerUnoffered(f.mnuDelete);
  EXPECT_EQ(messages(), (QStringList{"You have choosen to delete Disc NOPE1 are you sure",
                                     "There is no disc NOPE1 in the database.\rNothing has been deleted."}));
  EXPECT_EQ(home.readBytes("watka.bxl"), stored);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  EXPECT_TRUE(f.List1.Selected(row("MDX1001")));
}

TEST_F(MaintenanceTest, DeleteKeepsLongFieldsWholeLongerCodesApartAndQuotesFromSplittingRecords) {
  const QByteArray longer = "\"ABCDEFGHIJKL\",\"01\",\"A SONG TITLE THAT RUNS TO FORTY-ONE CHARS\",\"AN ARTIST\"\r\n";
  home.writeBytes("watka.bxl", "\"ABCDEFGHIJK\",\"01\",\"GOES\",\"X\"\r\n" + longer + "SC1,01,SAY \"HI\",Y\r\n");
  home.writeBytes("watdi.bxl", "\"ABCDEFGHIJK\"\r\n\"ABCDEFGHIJKL\"\r\n\"SC1\"\r\n");
  Form1& f = start();
  f.List1.setListIndex(row("ABCDEFGHIJK"));
  ASSERT_EQ(f.List1.Text(), "ABCDEFGHIJK");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes);
  choose(f.mnuB);
  // Every field as read, the long ones whole; the quote that would end its field is an apostrophe.
  EXPECT_EQ(home.readBytes("watka.bxl"), longer + "\"SC1\",\"01\",\"SAY 'HI'\",\"Y\"\r\n");
  EXPECT_EQ(home.readBytes("watdi.bxl"), "\"ABCDEFGHIJKL\"\r\n\"SC1\"\r\n");
}

// With the user's own numbers a ticked disc's item carries its number after the code: the popup's
// Delete acts on the code alone, and on the disc whose whole code it is.
TEST_F(MaintenanceTest, DeleteFromTheDiscListPopupLeavesTheUsersNumberOut) {
  home.writeLines("watka.bxl",
                  {trackLine("ABCDEFGHIJK", "01", "ELEVEN", "D"), "\"ABCDEFGHIJKL\",\"01\",\"TWELVE\",\"E\""});
  home.writeLines("watdi.bxl", {discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\"", discLine("SC1")});
  Form1& f = start();
  f.Check2.setValue(1);
  const int twelveRow = row("ABCDEFGHIJKL");
  prompts.answerInput("2");
  testsupport::clickRow(f.List1, twelveRow, Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  ASSERT_EQ(f.List1.List(twelveRow), "ABCDEFGHIJKL0002");
  prompts.choosePopup("mnuB");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes).answerMsg(No);  // sure; the ticked list is not to be saved
  testsupport::clickRow(f.List1, twelveRow, Qt::RightButton);
  const auto asked = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(asked[0].text, "You have choosen to delete Disc ABCDEFGHIJKL are you sure");
  EXPECT_EQ(tracks(), QStringList{trackLine("ABCDEFGHIJK", "01", "ELEVEN", "D")});
  EXPECT_EQ(discs(), (QStringList{discLine("ABCDEFGHIJK"), discLine("SC1")}));
}

namespace {
// A real click on the song-list line holding the text, then a real right-click on it with the
// popup answered with the entry; `then` scripts what the entry asks.
void rightClickSong(Form1& f, testsupport::ScriptedPrompts& prompts, const QString& text, const char* entry,
                    const std::function<void()>& then) {
  int at = -1;
  for (int i = 0; i < f.List2.ListCount(); ++i)
    if (f.List2.List(i).contains(text)) at = i;
  ASSERT_GE(at, 0) << text.toStdString();
  testsupport::clickRow(f.List2, at);
  prompts.choosePopup(entry);
  then();
  testsupport::clickRow(f.List2, at, Qt::RightButton);
}
}  // namespace

// A song-list line shows its code cut to 11 characters, and in capitals after a capitals pass:
// Edit and Delete Track act on the record the line was made from, never on a disc whose code
// differs in case or only past the 11th character. A line read back from a saved list is matched
// to the one disc that fits it; where several fit, nothing changes and the user hears which. Any
// line acts only while the track still holds the song and artist the line shows.
TEST_F(MaintenanceTest, EditAndDeleteFromALineActOnlyOnItsOwnDisc) {
  // A code of 12 characters comes only from an update file, which writes its fields as read.
  const QString twelve = "\"ABCDEFGHIJKL\",\"01\",\"TWELVE\",\"E\"";
  const QStringList discFile{discLine("plx0104"), discLine("PLX0104"), discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""};
  const QStringList trackFile{trackLine("plx0104", "01", "SMALL ONE", "A"), trackLine("PLX0104", "01", "BIG ONE", "B"),
                              trackLine("plx0104", "02", "SMALL TWO", "C"),
                              trackLine("ABCDEFGHIJK", "01", "ELEVEN", "D"), twelve};
  home.writeLines("watdi.bxl", discFile);
  home.writeLines("watka.bxl", trackFile);
  Form1& f = start();
  f.Check1.setValue(1);
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals: every code shown in capitals
  ASSERT_EQ(f.Check5.Value(), 0);
  const auto createList = [&] {
    for (int i = 0; i < f.List1.ListCount(); ++i) f.List1.setSelected(i, true);
    press(f.cmdGet_Tracks);
  };
  const auto edit = [&](const QString& song, bool refused = false) {
    rightClickSong(f, prompts, song, "mnug", [&] {
      prompts.onModal([](platform::FormBase& w) {
        auto& e = dynamic_cast<Edit_Record&>(w);
        e.Text3.setText(e.Text3.Text() + " EDITED");
        QTest::mouseClick(e.Command1.widget(), Qt::LeftButton);
        if (e.isLoaded()) QTest::mouseClick(e.Command2.widget(), Qt::LeftButton);  // refused: closed
      });
      if (refused) prompts.answerMsg(OK);
    });
  };
  // A deletion from a ticked list offers it for saving: not wanted here.
  const auto deleteAnswering = [&](int answer, bool offered = false) {
    return [&, answer, offered] {
      prompts.onModal([](platform::FormBase& w) {
        QTest::mouseClick(dynamic_cast<delete_record&>(w).Command1.widget(), Qt::LeftButton);
      });
      prompts.answerMsg(answer);
      if (offered) prompts.answerMsg(No);
    };
  };
  const auto question = [&] { return messages().filter("are you sure").last(); };

  createList();
  ASSERT_EQ(f.List2.List(songRow("Small One")).mid(66, 11), "PLX0104    ");
  // Saved while the database holds every disc; opened again below, its lines are matched.
  prompts.answerSaveFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdSave.widget(), Qt::LeftButton);

  for (const char* song : {"Big One", "Small One", "Eleven"}) edit(song);
  rightClickSong(f, prompts, "Twelve", "mnue", deleteAnswering(Yes, true));
  EXPECT_EQ(question(), "You have choosen to delete Disc ABCDEFGHIJKL Track 01 are you sure.");
  createList();
  rightClickSong(f, prompts, "Small Two", "mnue", deleteAnswering(Yes, true));
  EXPECT_EQ(question(), "You have choosen to delete Disc plx0104 Track 02 are you sure.");
  EXPECT_EQ(tracks(), (QStringList{trackLine("PLX0104", "01", "BIG ONE EDITED", "B"),
                                   trackLine("plx0104", "01", "SMALL ONE EDITED", "A"),
                                   trackLine("ABCDEFGHIJK", "01", "ELEVEN EDITED", "D")}));
  EXPECT_EQ(discs(), (QStringList{discLine("plx0104"), discLine("PLX0104"), discLine("ABCDEFGHIJK")}));

  // From the reopened list: where two discs fit a line, nothing changes and both are named.
  home.writeLines("watdi.bxl", discFile);
  home.writeLines("watka.bxl", trackFile);
  const auto reopen = [&](bool discGone = false) {
    prompts.answerOpenFile(home.path("list.mdq"));
    if (discGone) prompts.answerMsg(OK);  // the list's PLX0104 is named
    QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  };
  reopen();
  ASSERT_EQ(f.List2.ListCount(), 5);
  const QByteArray before = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  edit("Big One", true);
  EXPECT_EQ(messages().last(),
            "The disc code PLX0104 fits more than one disc: plx0104, PLX0104.\rNothing has been changed.");
  rightClickSong(f, prompts, "Twelve", "mnue", deleteAnswering(OK));
  EXPECT_EQ(messages().last(),
            "The disc code ABCDEFGHIJK fits more than one disc: ABCDEFGHIJK, ABCDEFGHIJKL.\rNothing has been changed.");
  EXPECT_EQ(home.readBytes("watka.bxl"), before);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  // Only plx0104 holds a track 02: the line shown as PLX0104 is its.
  reopen();
  rightClickSong(f, prompts, "Small Two", "mnue", deleteAnswering(Yes, true));
  EXPECT_EQ(question(), "You have choosen to delete Disc plx0104 Track 02 are you sure.");
  EXPECT_FALSE(tracks().join('|').contains("SMALL TWO"));

  // The disc list holds the whole code: its popup deletes that disc and no other.
  press(f.cmdUntag);
  const int twelveRow = row("ABCDEFGHIJKL");
  f.List1.setListIndex(twelveRow);
  prompts.choosePopup("mnuB");
  deleteAnswering(Yes)();
  testsupport::clickRow(f.List1, twelveRow, Qt::RightButton);
  EXPECT_EQ(prompts.expectCalls("msgBox", 9).back().title, "Delete Disc ABCDEFGHIJKL");
  EXPECT_TRUE(tracks().join('|').contains("ELEVEN"));
  EXPECT_FALSE(tracks().join('|').contains("TWELVE"));
  EXPECT_EQ(discs(), (QStringList{discLine("plx0104"), discLine("PLX0104"), discLine("ABCDEFGHIJK")}));

  // A line acts only on a track that still holds its song and artist. The own tracks of the saved
  // Big One and Eleven lines are gone: each line now fits one other disc, whose track is left as it
  // is, and the user hears why. Small One fits its own track, which holds it in other capitals.
  home.writeLines("watdi.bxl", {discLine("plx0104"), discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""});
  home.writeLines("watka.bxl", {trackFile[0], trackFile[2], twelve});
  reopen(true);
  ASSERT_EQ(f.List2.ListCount(), 5);
  const QByteArray kept = home.readBytes("watka.bxl"), keptDiscs = home.readBytes("watdi.bxl");
  edit("Big One", true);
  EXPECT_EQ(messages().last(),
            "Track 01 of disc plx0104 no longer holds \"Big One\" by \"B\". Create List brings the list up to "
            "date.\rNothing has been changed.");
  rightClickSong(f, prompts, "Eleven", "mnue", deleteAnswering(OK));
  EXPECT_EQ(messages().last(),
            "Track 01 of disc ABCDEFGHIJKL no longer holds \"Eleven\" by \"D\". Create List brings the list up to "
            "date.\rNothing has been changed.");
  EXPECT_EQ(home.readBytes("watka.bxl"), kept);
  EXPECT_EQ(home.readBytes("watdi.bxl"), keptDiscs);
  reopen(true);
  edit("Small One");
  EXPECT_EQ(tracks(), (QStringList{trackFile[2], twelve, trackLine("plx0104", "01", "SMALL ONE EDITED", "A")}));
  // A line of this run names its own record, which another copy of the program may change meanwhile.
  createList();
  home.writeLines("watka.bxl", {trackLine("plx0104", "02", "ANOTHER SONG", "C"), twelve});
  const QByteArray changed = home.readBytes("watka.bxl");
  rightClickSong(f, prompts, "Small Two", "mnue", [&] {
    deleteAnswering(Yes)();
    prompts.answerMsg(OK);
  });
  EXPECT_EQ(messages().last(),
            "Track 02 of disc plx0104 no longer holds \"Small Two\" by \"C\". Create List brings the list up to "
            "date.\rNothing has been changed.");
  EXPECT_EQ(home.readBytes("watka.bxl"), changed);
  // A track that still holds the song but another artist no longer holds the line either.
  home.writeLines("watka.bxl", {trackLine("plx0104", "02", "SMALL TWO", "ANOTHER ARTIST"), twelve});
  const QByteArray otherArtist = home.readBytes("watka.bxl");
  edit("Small Two", true);
  EXPECT_EQ(messages().last(),
            "Track 02 of disc plx0104 no longer holds \"Small Two\" by \"C\". Create List brings the list up to "
            "date.\rNothing has been changed.");
  EXPECT_EQ(home.readBytes("watka.bxl"), otherArtist);
  EXPECT_EQ(home.readBytes("watdi.bxl"), keptDiscs);
}

// The deletion counts only once written: the main window keeps its ticks, as the database does.
TEST_F(MaintenanceTest, DeleteThatCannotBeWrittenLeavesBothFiles) {
  Form1& f = start();
  tick("zk101");
  f.List1.setListIndex(row("SC8123"));
  prompts.onModal([](platform::FormBase& w) {
    testsupport::FileSizeLimit limit(100);
    press(dynamic_cast<delete_record&>(w).Command1);
  });
  prompts.answerMsg(Yes).answerMsg(No).answerMsg(OK);  // sure; the list is not to be saved
  choose(f.mnuB);
  ASSERT_EQ(messages().size(), 3);
  EXPECT_TRUE(messages()[2].contains("watka.bxl could not be written")) << messages()[2].toStdString();
  EXPECT_EQ(tracks(), kTracks);
  EXPECT_EQ(discs(), kDiscs);
  EXPECT_TRUE(f.List1.Selected(row("zk101")));
}

TEST_F(MaintenanceTest, DeleteWindowTitleBlinks) {
  start();
  delete_record& d = delete_record::instance();
  EXPECT_EQ(d.Caption(), "Delete Track or Disc");
  EXPECT_TRUE(d.Timer1.Enabled());
  d.Timer1_Timer();  // the timer's ticks, run here rather than waited for
  EXPECT_EQ(d.Caption(), "Delete Track or Disk");
  d.Timer1_Timer();
  EXPECT_EQ(d.Caption(), "");
  d.Timer1_Timer();
  EXPECT_EQ(d.Caption(), "Delete Track or Disk");
}

TEST_F(MaintenanceTest, DeleteAndEditWantOneSelectedLine) {
  Form1& f = start();
  prompts.answerMsg(OK);
  choose(f.mnuedittrack);
  EXPECT_EQ(messages(), QStringList{"Please select a track first"});
  tick("SC8123");
  press(f.cmdGet_Tracks);
  f.List2.setSelected(0, true);
  f.List2.setSelected(1, true);
  ASSERT_EQ(f.List2.SelCount(), 2);
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK);
  choose(f.mnuB);
  choose(f.mnuedittrack);
  choose(f.mnug);
  const auto shown = prompts.callsOf("msgBox");
  ASSERT_EQ(shown.size(), 4u);
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(shown[i].text, "Please select only one track");
  EXPECT_EQ(shown[1].title, "Delete Track");
  EXPECT_EQ(shown[2].title, "Edit Track");
  EXPECT_TRUE(prompts.callsOf("modal").empty());
}

// Closed and chosen again from the menu, the edit and delete windows show the highlighted line
// again; the delete window the highlighted disc when a disc was clicked last.
TEST_F(MaintenanceTest, EditAndDeleteChosenAgainShowWhatIsHighlighted) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  clickSong("PAPER SKY");
  QStringList shown;
  const auto closeEdit = [&](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    shown << e.Text1.Text() + e.Text2.Text() + e.Text3.Text() + e.Text4.Text();
    press(e.Command2);
  };
  const auto cancelDelete = [&](platform::FormBase& w) {
    auto& d = dynamic_cast<delete_record&>(w);
    shown << d.Text1.Text() + "|" + d.Text2.Text();
    press(d.Command2);
  };
  for (int i = 0; i < 2; ++i) {
    prompts.onModal(closeEdit).onModal(cancelDelete);
    choose(f.mnuedittrack);
    choose(f.mnue);
  }
  f.List1.setListIndex(row("MDX1001"));
  prompts.onModal(cancelDelete).onModal(cancelDelete);
  choose(f.mnuB);
  choose(f.mnuB);
  const QString edit = "SC8123    02PAPER SKYJUNO REED", del = "SC8123     |02", disc = "MDX1001    |";
  EXPECT_EQ(shown, (QStringList{edit, del, edit, del, disc, disc}));
}

// ---------------------------------------------------------------- The main window afterwards

namespace {
// What the user has made in the main window: the ticked discs, the song list, its header, the
// highlighted disc and song line.
QStringList userList(const Form1& f) {
  QStringList ticked;
  for (int i = 0; i < f.List1.ListCount(); ++i)
    if (f.List1.Selected(i)) ticked << f.List1.List(i);
  return {ticked.join('|'), f.List2.items().join('|'), f.Text1.Text(), f.List1.Text(),
          QString::number(f.List2.ListIndex())};
}
}  // namespace

// Cancel, No or Close in a database window after a misclick costs the user nothing: the list,
// its ticks and its header stay, and no save is offered for a clear that does not come.
TEST_F(MaintenanceTest, AWindowThatChangedNothingLeavesTheListAsItWas) {
  Form1& f = start();
  tick("SC8123");
  tick("zk101");
  press(f.cmdGet_Tracks);
  f.Text1.setText("FRIDAY NIGHT");
  f.List1.setListIndex(row("MDX1001"));
  clickSong("PAPER SKY");
  const QStringList before = userList(f);
  ASSERT_EQ(f.List2.ListCount(), 3);
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");

  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<Rename_Disc&>(w).Command2); });
  choose(f.mnu_Change_Disc_Code);
  EXPECT_EQ(userList(f), before) << "Change Disc Code, Cancel";

  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(No);
  choose(f.mnue);
  EXPECT_EQ(userList(f), before) << "Delete, No";

  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<Restore&>(w).Command2); });
  choose(f.mnuRestore);
  EXPECT_EQ(userList(f), before) << "Restore, Cancel";

  // Add and Update offer the list for saving before their windows open.
  prompts.answerMsg(No).onModal([](platform::FormBase& w) { press(dynamic_cast<add_tracks&>(w).Command2); });
  choose(f.mnuTracks);
  EXPECT_EQ(userList(f), before) << "Add, Close";
  prompts.answerMsg(No).onModal([](platform::FormBase& w) { press(dynamic_cast<update&>(w).Command2); });
  choose(f.mnuUpdate);
  EXPECT_EQ(userList(f), before) << "Update, Cancel";

  EXPECT_EQ(messages().filter("Save your list").size(), 2);
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
}

// A window about to change the database offers the list for saving while it is still whole and
// before it writes: a save that was wanted and did not happen leaves the database and the list as
// they were, so the disc list never shows what the database no longer holds.
TEST_F(MaintenanceTest, AChangeOffersTheListForSavingBeforeTheMainWindowIsCleared) {
  Form1& f = start();
  tick("SC8123");
  tick("zk101");
  press(f.cmdGet_Tracks);
  f.Text1.setText("FRIDAY NIGHT");
  f.List1.setListIndex(row("MDX1001"));
  const QStringList before = userList(f);
  const QStringList lines = f.List2.items();
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  ASSERT_TRUE(QDir(home.path()).mkpath("safe"));
  home.writeBytes("safe/MLDXbackup1.bxl", "\"AB1        \"\r\n");
  home.writeBytes("safe/MLDXbackup2.bxl", (trackLine("AB1", "01", "S", "A") + "\r\n").toLatin1());

  // Yes, and the save dialog cancelled: nothing is written, the list stays for the user to save.
  QStringList atOffer;
  bool writtenAtOffer = true;
  const auto cancelSave = [&] {
    prompts.answerMsg(Yes, [&] {
      atOffer = userList(f);
      writtenAtOffer = home.readBytes("watka.bxl") != tracksBefore || home.readBytes("watdi.bxl") != discsBefore;
    });
    prompts.answerSaveFile(std::nullopt);
  };
  prompts.onModal([&](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Text2.setText("NEW9");
    cancelSave();
    press(d.Command1);
    EXPECT_TRUE(d.isLoaded());  // the user may try again, or cancel
    press(d.Command2);
  });
  choose(f.mnu_Change_Disc_Code);
  const auto offer = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(offer[0].text, "Your current disc selection will be cleared.\n\r\n\rDo you want to Save your list now?");
  EXPECT_EQ(offer[0].title, "Change Disc Code");
  EXPECT_EQ(offer[0].style, 36);
  EXPECT_EQ(atOffer, before);
  EXPECT_FALSE(writtenAtOffer);
  EXPECT_EQ(userList(f), before) << "Change Disc Code";

  writtenAtOffer = true;
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes);  // are you sure
  cancelSave();
  choose(f.mnuB);
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[2].title, "Delete Track or Disc");
  EXPECT_FALSE(writtenAtOffer);
  EXPECT_EQ(userList(f), before) << "Delete Disc";

  writtenAtOffer = true;
  prompts.onModal([&](platform::FormBase& w) {
    auto& r = dynamic_cast<Restore&>(w);
    ASSERT_TRUE(r.Dir1.setPath(home.path("safe")));
    cancelSave();
    press(r.Command1);
    EXPECT_TRUE(r.isLoaded());
    press(r.Command2);
  });
  choose(f.mnuRestore);
  EXPECT_EQ(prompts.expectCalls("msgBox", 4)[3].title, "Restore Database");
  EXPECT_FALSE(writtenAtOffer);
  EXPECT_EQ(userList(f), before) << "Restore";
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);

  // Yes and saved: the saved file holds the list as the deletion leaves it, and the main window
  // is cleared.
  clickSong("PAPER SKY");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes).answerMsg(Yes).answerSaveFile(home.path("friday.mdq"));
  choose(f.mnue);
  EXPECT_EQ(prompts.expectCalls("msgBox", 6).back().title, "Delete Track or Disc");
  EXPECT_FALSE(tracks().join('|').contains("PAPER SKY"));
  const QString saved = QString::fromLatin1(home.readBytes("friday.mdq"));
  EXPECT_TRUE(saved.contains("FRIDAY NIGHT"));
  for (const QString& line : lines)
    EXPECT_EQ(saved.contains(line), !line.startsWith("PAPER SKY")) << line.toStdString();
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_EQ(f.Text1.Text(), Form1::kHeaderPrompt);
  // Delete Disc: without the disc's lines and its tick, so that the list opens as the database is.
  tick("SC8123");
  tick("zk101");
  press(f.cmdGet_Tracks);
  f.List1.setListIndex(row("SC8123"));
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(Yes).answerMsg(Yes).answerSaveFile(home.path("saturday.mdq"));
  choose(f.mnuB);
  prompts.answerOpenFile(home.path("saturday.mdq"));
  press(f.cmdOpen);
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.List2.items(), QStringList{lines.filter("LATE TRAIN")});

  // A restore of a ticked list, No: cleared at once, showing the restored discs.
  tick("zk101");
  prompts.onModal([&](platform::FormBase& w) {
    auto& r = dynamic_cast<Restore&>(w);
    ASSERT_TRUE(r.Dir1.setPath(home.path("safe")));
    prompts.answerMsg(No).answerMsg(OK);
    press(r.Command1);
  });
  choose(f.mnuRestore);
  EXPECT_EQ(prompts.expectCalls("msgBox", 10)[8].title, "Restore Database");
  EXPECT_EQ(f.List1.items(), QStringList{"AB1        "});
  EXPECT_EQ(f.List1.SelCount(), 0);

  // With Hide Duplicates on, a line that goes gives its place to the first copy it hid that stays,
  // whether the list remembers its copies or was reopened from its file.
  home.writeDiscs({"MDX1001", "zk101"});
  home.writeTracks({"MDX1001,01,SAME SONG,ODA BELL", "MDX1001,02,SAME SONG,ODA BELL", "MDX1001,03,SAME SONG,ODA BELL",
                    "zk101,01,SAME SONG,ODA BELL"});
  press(f.cmdUntag);
  tick("MDX1001");
  tick("zk101");
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // Hide Duplicates
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 1);
  clickSong("SAME SONG");
  for (const auto& [entry, kept] : {std::pair{&f.mnue, "MDX1001            02"}, {&f.mnuB, "ZK101              01"}}) {
    const QString name = home.path(QString(kept).left(5) + ".mdq");
    if (entry == &f.mnuB) f.List1.setListIndex(row("MDX1001"));
    prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
    prompts.answerMsg(Yes).answerMsg(Yes).answerSaveFile(name);
    choose(*entry);
    prompts.answerOpenFile(name);
    press(f.cmdOpen);
    EXPECT_EQ(f.List2.items(), QStringList{"SAME SONG" + QString(27, ' ') + "ODA BELL" + QString(22, ' ') + kept});
  }
}

// ---------------------------------------------------------------- Line ends

// The other files the program reads take CR CR LF as one line end too: a saved list keeps its
// header and values, the colours and the label settings keep their places.
TEST_F(MaintenanceTest, ASavedListColoursAndLabelSettingsConvertedTwiceReadAsBefore) {
  const QByteArray mdq = "\"Mellowdex Song List File V2\"\r\n\"MY HEADER\"\r\n\"MF TRUE\"\r\n\"SC8123     \"\r\n";
  const QByteArray ini = "255\r\n65280\r\n16711680\r\n0\r\n";
  const QByteArray offset = "12\r\n0\r\nArial\r\n/pictures/a.png\r\n";
  const auto twice = [](QByteArray b) { return b.replace("\r\n", "\r\r\n"); };
  home.writeBytes("a.mdq", mdq);
  home.writeBytes("b.mdq", twice(mdq));
  const auto once = catalogue::readSongListValues(home.path("a.mdq"));
  ASSERT_TRUE(once && once->size() == 4);
  EXPECT_EQ(catalogue::readSongListValues(home.path("b.mdq")), once);
  home.writeBytes("a.ini", ini);
  home.writeBytes("b.ini", twice(ini));
  ASSERT_TRUE(catalogue::readColourValues(home.path("a.ini")));
  EXPECT_EQ(catalogue::readColourValues(home.path("b.ini")), catalogue::readColourValues(home.path("a.ini")));
  home.writeBytes("a.dat", offset);
  home.writeBytes("b.dat", twice(offset));
  ASSERT_TRUE(covers::readSettingsValues(home.path("a.dat"), 4));
  EXPECT_EQ(covers::readSettingsValues(home.path("b.dat"), 4), covers::readSettingsValues(home.path("a.dat"), 4));
}

// The demo database with a lone CR, then CR CR LF (a file converted twice), ending every line:
// read record by record for the title and the disc list, and by every rewrite, which writes each
// record back with CR LF.
TEST_F(MaintenanceTest, LoneCarriageReturnsEndRecordsInEveryReadAndRewrite) {
  QFile demoTracks(MELLOWDEX_DEMO_DIR "/watka.bxl"), demoDiscs(MELLOWDEX_DEMO_DIR "/watdi.bxl");
  ASSERT_TRUE(demoTracks.open(QIODevice::ReadOnly) && demoDiscs.open(QIODevice::ReadOnly));
  const QByteArray tracksCrLf = demoTracks.readAll(), discsCrLf = demoDiscs.readAll();
  const QList<QByteArray> records = tracksCrLf.split('\n').mid(0, tracksCrLf.count('\n'));
  QByteArray odd;
  const auto crOnly = [&](QByteArray b) { return b.replace("\r\n", odd); };
  const auto useCrOnly = [&] {
    home.writeBytes("watka.bxl", crOnly(tracksCrLf));
    home.writeBytes("watdi.bxl", crOnly(discsCrLf));
  };
  const auto without = [&](int i) {
    QByteArray out;
    for (int j = 0; j < records.size(); ++j)
      if (j != i) out += records[j] + '\n';
    return out;
  };
  ASSERT_TRUE(records[0].startsWith("\"MDX1003    \",\"01\"") && records[1].startsWith("\"MDX1003    \",\"02\""));

  Form1& f = start();
  for (const char* end : {"\r", "\r\r\n"}) {
    SCOPED_TRACE(QByteArray(end).toHex().toStdString());
    odd = end;
    useCrOnly();
    press(f.cmdUntag);
    reactivate();
    EXPECT_TRUE(f.Caption().endsWith("Database = " + QString::number(records.size()) + " Songs"))
        << f.Caption().toStdString();
    EXPECT_EQ(f.List1.ListCount(), discsCrLf.count('\n'));

    // Delete one track of a disc with more.
    prompts.onModal([](platform::FormBase& w) {
      auto& d = dynamic_cast<delete_record&>(w);
      d.Option2.setValue(true);
      d.Text1.setText("MDX1003");
      d.Text2.setText("01");
      press(d.Command1);
    });
    prompts.answerMsg(Yes);
    choose(f.mnuB);
    EXPECT_EQ(home.readBytes("watka.bxl"), without(0));
    EXPECT_EQ(home.readBytes("watdi.bxl"), crOnly(discsCrLf));

    // Edit one.
    useCrOnly();
    prompts.onModal([](platform::FormBase& w) {
      auto& e = dynamic_cast<Edit_Record&>(w);
      e.setDiscCode("MDX1003    ");
      e.Text2.setText("02");
      e.Text3.setText("NEW SONG");
      e.Text4.setText("NEW ARTIST");
      press(e.Command1);
    });
    choose(f.mnug);
    EXPECT_EQ(home.readBytes("watka.bxl"),
              without(1) + (trackLine("MDX1003", "02", "NEW SONG", "NEW ARTIST") + "\r\n").toLatin1());

    // Change a disc's code.
    useCrOnly();
    press(f.cmdUntag);
    f.List1.setListIndex(row("MDX1003"));
    prompts.onModal([](platform::FormBase& w) {
      auto& d = dynamic_cast<Rename_Disc&>(w);
      d.Text2.setText("NEWCODE");
      press(d.Command1);
    });
    choose(f.mnu_Change_Disc_Code);
    EXPECT_EQ(home.readBytes("watka.bxl"), QByteArray(tracksCrLf).replace("\"MDX1003    \"", "\"NEWCODE    \""));
    EXPECT_EQ(home.readBytes("watdi.bxl"), QByteArray(discsCrLf).replace("\"MDX1003    \"", "\"NEWCODE    \""));

    // Apply an update file with lone CRs too: one new track of a new disc, one already stored.
    useCrOnly();
    const QByteArray added = (trackLine("ZZ100", "01", "NEW", "ONE") + "\r\n").toLatin1();
    home.writeBytes("u.kup", crOnly("\"Mellowdex Update File \"\r\n" + added + records[0] + '\n'));
    EXPECT_EQ(maintenance::applyUpdateFile(home.path("u.kup"), home.path()).result,
              maintenance::UpdateOutcome::Result::Applied);
    EXPECT_EQ(home.readBytes("watka.bxl"), crOnly(tracksCrLf) + added);
    EXPECT_EQ(home.readBytes("watdi.bxl"), crOnly(discsCrLf) + "\"ZZ100      \"\r\n");
  }
  EXPECT_EQ(messages().size(), 2) << messages().join('|').toStdString();  // the deletes' questions
}

TEST_F(MaintenanceTest, EveryButtonOfTheAddChangeAndDeleteWindowsReachesItsHandler) {
  Form1& f = start();
  EXPECT_EQ(buttonsNotWiredIn<add_tracks>(f.mnuTracks, {&add_tracks::Command1, &add_tracks::Command2}), "");
  f.List1.setListIndex(row("SC8123"));
  EXPECT_EQ(buttonsNotWiredIn<Rename_Disc>(f.mnuChange_Disc_Code, {&Rename_Disc::Command1, &Rename_Disc::Command2}),
            "");
  EXPECT_EQ(buttonsNotWiredIn<delete_record>(f.mnuB, {&delete_record::Command1, &delete_record::Command2}), "");
}
