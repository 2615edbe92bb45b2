// The "Edit Tracks" window: filled from a song-list line, rewrites one track to the end of the
// track file, refreshes the main window when asked.
#include "maint_support.h"

#include "platform/core/cp1252.h"
#include "platform/ui/busy.h"
#include "windows/database/Edit_Record.h"

#include <functional>
#include <vector>

using platform::msg::OK;
using testsupport::trackLine;

namespace {
// The boxes as the main window fills them from a song-list line.
void fill(Edit_Record& e, const QString& code, const QString& track, const QString& song, const QString& artist) {
  e.setDiscCode(code);
  e.Text2.setText(track);
  e.Text3.setText(song);
  e.Text4.setText(artist);
}
// Keys typed over the whole text of a box, selected first as the user selects it.
void typeOver(platform::TextBox& box, const QString& text) {
  box.widget()->setFocus();
  QTest::keyClick(box.widget(), Qt::Key_A, Qt::ControlModifier);
  testsupport::typeInto(box.widget(), text);
}
// The Edit window opened from the song-list line's popup, as the user opens it.
void editFromPopup(Form1& f, testsupport::ScriptedPrompts& prompts, int row, std::function<void(Edit_Record&)> act) {
  testsupport::clickRow(f.List2, row);
  prompts.choosePopup("mnug");
  prompts.onModal([act](platform::FormBase& w) { act(dynamic_cast<Edit_Record&>(w)); });
  testsupport::clickRow(f.List2, row, Qt::RightButton);
}
QString padded(const QString& text, int width) { return text.leftJustified(width, ' ', true); }
}  // namespace

TEST_F(MaintenanceTest, EditMovesTheTrackToTheEndAndCreatesTheListAgain) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  clickSong("PAPER SKY");
  const QString song35(35, 'S');
  prompts.onModal([&](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    EXPECT_EQ(e.Text1.Text(), "SC8123    ");
    EXPECT_EQ(e.Text2.Text(), "02");
    EXPECT_EQ(e.Text3.Text(), "PAPER SKY");
    EXPECT_FALSE(e.Text1.Enabled() || e.Text2.Enabled());
    EXPECT_EQ(e.Check1.Value(), 0);
    e.Text3.setText(song35);
    e.Check1.setValue(1);
    press(e.Command1);
    EXPECT_FALSE(e.isVisible());
  });
  choose(f.mnuedittrack);
  // The edited record is last, its song of 35 characters ended by one blank; the rest keep their order.
  EXPECT_EQ(tracks(), (QStringList{kTracks[0], kTracks[2], kTracks[3], kTracks[4],
                                   trackLine("SC8123", "02", song35, "JUNO REED")}));
  EXPECT_EQ(f.List2.ListCount(), 2);  // Create List ran again
  EXPECT_GE(songRow(song35), 0);
}

// What is pasted into the song and artist boxes stays one line of the track file.
TEST_F(MaintenanceTest, EditTakesAPastedSongAndArtistAsOneLine) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  clickSong("PAPER SKY");
  const QByteArray before = home.readBytes("watka.bxl");
  QStringList refusedBoxes;
  QByteArray afterRefusal;
  prompts.onModal([&](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    e.Show();
    e.Text3.setText("");
    e.Text4.setText("");
    testsupport::pasteInto(e.Text3.widget(), "LINE ONE\nLINE TWO");
    testsupport::pasteInto(e.Text4.widget(), "JUNO\u0001REED");
    refusedBoxes = QStringList{e.Text3.Text(), e.Text4.Text()};
    afterRefusal = home.readBytes("watka.bxl");
    testsupport::pasteInto(e.Text3.widget(), "LINE ONE\tLINE TWO\u2026\n");
    testsupport::pasteInto(e.Text4.widget(), "JUNO REED\r\n");
    press(e.Command1);
  });
  prompts.answerMsg(OK).answerMsg(OK);
  choose(f.mnuedittrack);
  EXPECT_EQ(refusedBoxes, (QStringList{"", ""}));
  EXPECT_EQ(afterRefusal, before);
  EXPECT_EQ(messages(), (QStringList{"The song title cannot hold a line break.\n\rPlease try again without it.",
                                     "The artist cannot hold a control character.\n\rPlease try again without it."}));
  const QString edited = trackLine("SC8123", "02", "LINE ONE LINE TWO\u2026", "JUNO REED");  // the ellipsis is 0x85
  EXPECT_EQ(home.readBytes("watka.bxl"),
            platform::cp1252::encode(QStringList{kTracks[0], kTracks[2], kTracks[3], kTracks[4], edited}.join("\r\n") +
                                     "\r\n"));
}

TEST_F(MaintenanceTest, EditRefreshRunsTheSearchOnlyWhenNoDiscIsTicked) {
  Form1& f = start();
  int searched = 0, created = 0;
  f.cmdSearch.Click = [&] { ++searched; };
  f.cmdGet_Tracks.Click = [&] { ++created; };
  const auto editWith = [&](const QString& searchText) {
    f.cmbSearch_text.setText(searchText);
    prompts.onModal([](platform::FormBase& w) {
      auto& e = dynamic_cast<Edit_Record&>(w);
      fill(e, "zk101", "01", "LATE TRAIN", "ODA BELL");
      e.Check1.setValue(1);
      press(e.Command1);
    });
    choose(f.mnug);
  };
  editWith("ODA");
  EXPECT_EQ(searched, 1);
  editWith(Form1::kSearchPrompt);  // the prompt is no search
  EXPECT_EQ(searched, 1);
  EXPECT_EQ(created, 1);
  tick("SC8123");
  editWith("ODA");  // ticked discs make a list of their own
  EXPECT_EQ(searched, 1);
  EXPECT_EQ(created, 2);
  // Every OK moves the record to the end, changed or not.
  EXPECT_EQ(tracks().last(), kTracks[3]);
  EXPECT_EQ(tracks().size(), 5);
}

TEST_F(MaintenanceTest, EditWritesTheTrackOfTheClickedLineWhenOneCodeBeginsAnother) {
  home.writeDiscs({"ABCDEFGHIJ", "ABCDEFGHIJK"});
  home.writeTracks({"ABCDEFGHIJ,01,TEN,X", "ABCDEFGHIJK,01,ELEVEN,Y"});
  Form1& f = start();
  tick("ABCDEFGHIJ");
  tick("ABCDEFGHIJK");
  press(f.cmdGet_Tracks);
  clickSong("ELEVEN");
  prompts.onModal([](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    EXPECT_EQ(e.Text1.Text(), "ABCDEFGHIJ");  // the box shows 10 characters of the code
    e.Text3.setText("NEW ELEVEN");
    press(e.Command1);
  });
  choose(f.mnug);
  EXPECT_EQ(tracks(), (QStringList{trackLine("ABCDEFGHIJ", "01", "TEN", "X"),
                                   trackLine("ABCDEFGHIJK", "01", "NEW ELEVEN", "Y")}));
}

TEST_F(MaintenanceTest, EditKeepsAnUnpaddedTwinAndReplacesEveryPaddedOne) {
  home.writeLines("watka.bxl", {kTracks[1], "\"SC8123\",\"02\",\"OLD\",\"X\"", kTracks[2], kTracks[1]});
  start();
  prompts.onModal([](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    fill(e, "SC8123     ", "02", "NEW", "Y");
    press(e.Command1);
  });
  choose(form->mnug);
  EXPECT_EQ(tracks(),
            (QStringList{"\"SC8123\",\"02\",\"OLD\",\"X\"", kTracks[2], trackLine("SC8123", "02", "NEW", "Y")}));
}

TEST_F(MaintenanceTest, EditRefusesWhatItCannotWriteAndStaysClosable) {
  home.writeDiscs({"ABCDEFGHIJK", "ABCDEFGHIJKL", "SC8123"});
  home.writeLines("watka.bxl", kTracks + QStringList{"\"ABCDEFGHIJK\",\"01\",\"SONG\",\"ARTIST\"",
                                                     "\"ABCDEFGHIJKL\",\"01\",\"SONG\",\"ARTIST\""});
  const QByteArray before = home.readBytes("watka.bxl");
  start();
  prompts.onModal([](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    fill(e, "           ", "01", "SONG", "ARTIST");  // the list hides the codes
    press(e.Command1);
    fill(e, "ABCDEFGHIJK", "01", "SONG", "ARTIST");  // the list's column of either disc's code
    press(e.Command1);
    fill(e, "SC8123", "01", "SONG, TWO", "ARTIST");
    press(e.Command1);
    EXPECT_EQ(e.Text3.Text(), "");
    fill(e, "SC8123", "99", "SONG", "ARTIST");
    press(e.Command1);
    EXPECT_EQ(e.Text1.Text(), "");
    EXPECT_EQ(e.Text2.Text(), "01");
    EXPECT_TRUE(e.isLoaded());
    EXPECT_TRUE(e.Command2.Enabled());
    press(e.Command2);
  });
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK).answerMsg(OK);
  choose(form->mnug);
  const QStringList shown = messages();
  ASSERT_EQ(shown.size(), 4);
  EXPECT_EQ(shown[0], "Show MF Code must be selected to edit or delete a track");
  EXPECT_EQ(shown[1],
            "The disc code ABCDEFGHIJK fits more than one disc: ABCDEFGHIJK, ABCDEFGHIJKL.\r"
            "Nothing has been changed.");
  EXPECT_EQ(shown[2], "You can not use these characters \" , ");
  EXPECT_EQ(shown[3], "Only 98 tracks allowed");
  EXPECT_EQ(home.readBytes("watka.bxl"), before);
}

TEST_F(MaintenanceTest, EditThatCannotBeWrittenKeepsTheFileAndTheWindow) {
  start();
  prompts.onModal([](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    fill(e, "SC8123", "01", "SONG", "ARTIST");
    {
      testsupport::FileSizeLimit limit(100);
      press(e.Command1);
    }
    EXPECT_TRUE(e.isLoaded());
    EXPECT_TRUE(e.Command1.Enabled());
    EXPECT_FALSE(e.Label5.Visible());
  });
  prompts.answerMsg(OK);
  choose(form->mnug);
  ASSERT_EQ(messages().size(), 1);
  EXPECT_TRUE(messages()[0].contains("watka.bxl could not be written"));
  EXPECT_EQ(tracks(), kTracks);
}

TEST_F(MaintenanceTest, EditHoldsKeysAndClicksWhileTheTrackIsRewritten) {
  start();
  std::vector<bool> held;  // at each point the window lets events through
  std::function<void()> look;
  prompts.onModal([&](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    fill(e, "SC8123", "01", "SONG", "ARTIST");
    look = [&] {
      held.push_back(platform::BusyScope::active());
      if (held.size() < 2) QMetaObject::invokeMethod(&e, look, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&e, look, Qt::QueuedConnection);
    press(e.Command1);
  });
  choose(form->mnug);
  EXPECT_EQ(held, (std::vector<bool>{true, true}));
  EXPECT_EQ(tracks().last(), trackLine("SC8123", "01", "SONG", "ARTIST"));
}

TEST_F(MaintenanceTest, EveryButtonOfTheEditWindowReachesItsHandler) {
  Form1& f = start();
  tick("SC8123");
  QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
  clickSong("PAPER SKY");
  EXPECT_EQ(buttonsNotWiredIn<Edit_Record>(f.mnuedittrack, {&Edit_Record::Command1, &Edit_Record::Command2}), "");
}

// A field the user leaves alone goes back exactly as the track held it: a title of the field's whole
// 36 characters, a comma, a tab, a track of one digit, track 99, a track of a letter, a code not
// padded (as an update file can bring them). A title of 36 characters with one letter typed over
// keeps its last. The line shows each correction at once, in a list turned to capitals in capitals
// (so does a search of the list below it), so a track corrected twice from one line holds both
// corrections.
TEST_F(MaintenanceTest, EditTwiceFromOneLineKeepsBothCorrectionsAndEveryFieldLeftAlone) {
  const QString whole = "EVERYTHING I KNOW I LEARNED FROM THE";  // the title fills its field
  ASSERT_EQ(whole.size(), 36);
  const QString tabbed = "\"ACC100     \",\"02\",\"" + padded("Tab\tSong", 36) + "\",\"";
  home.writeDiscs({"TOP40-12", "ACC100"});
  home.writeLines(
      "watka.bxl",
      {trackLine("TOP40-12", "06", whole, "THE WIDE AWAKE"), trackLine("ACC100", "01", "LOVE, ACTUALLY", "Old Crooner"),
       tabbed + padded("X", 30) + "\"", trackLine("ACC100", "03", "STAYS", "PUT"),
       trackLine("ACC100", "4", "ONE DIGIT", "AS STORED"), trackLine("ACC100", "99", "LAST TRACK", "AS STORED"),
       trackLine("ACC100", "A1", "LETTERED", "AS STORED"), "\"ACC100\",\"05\",\"RAW CODE\",\"X\""});
  Form1& f = start();
  tick("TOP40-12");
  tick("ACC100");
  press(f.cmdGet_Tracks);
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // and all capitals
  const int row = songRow("EVERYTHING");
  const QString line = f.List2.List(row);

  QString shown;
  editFromPopup(f, prompts, row, [&](Edit_Record& e) {
    shown = e.Text3.Text();
    typeOver(e.Text4, "new band");
    press(e.Command1);
  });
  EXPECT_EQ(shown, whole);
  EXPECT_EQ(tracks().last(), trackLine("TOP40-12", "06", whole, "NEW BAND"));
  // The line shows the new artist in its place, in the list's capitals.
  EXPECT_EQ(f.List2.List(row), QString(line).replace(padded("THE WIDE AWAKE", 30), padded("NEW BAND", 30)));

  // One letter typed over: the rest of the title stays whole.
  editFromPopup(f, prompts, row, [](Edit_Record& e) {
    QWidget* box = e.Text3.widget();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    testsupport::typeInto(box, "f");
    press(e.Command1);
  });
  EXPECT_EQ(tracks().last(), trackLine("TOP40-12", "06", "F" + whole.mid(1), "NEW BAND"));

  // Again from the same line, through the Edit menu: the window is filled from the line as it is now.
  // The list's search below shows the line as it now is too.
  f.cmbSearch_text.setText("FVERYTHING");
  f.cmbSearch.setListIndex(f.cmbSearch.ListCount() - 1);
  ASSERT_EQ(f.cmbSearch.Text(), "SEARCH CURRENT LIST");
  press(f.cmdSearch);
  ASSERT_EQ(f.List3.ListCount(), 1);
  prompts.onModal([](platform::FormBase& w) {
    auto& e = dynamic_cast<Edit_Record&>(w);
    typeOver(e.Text3, "everything i know");
    press(e.Command1);
  });
  choose(f.mnuedittrack);
  EXPECT_EQ(f.List3.List(0), f.List2.List(row));
  EXPECT_TRUE(f.List2.List(row).startsWith("EVERYTHING I KNOW "));

  editFromPopup(f, prompts, songRow("LOVE, ACTUALLY"), [](Edit_Record& e) {
    typeOver(e.Text4, "new crooner");
    press(e.Command1);
  });
  const int tabRow = songRow("TAB");
  editFromPopup(f, prompts, tabRow, [](Edit_Record& e) {
    typeOver(e.Text4, "y");
    press(e.Command1);
  });
  EXPECT_TRUE(f.List2.List(tabRow).contains("TAB\tSONG")) << f.List2.List(tabRow).toStdString();
  for (const QString song : {"ONE DIGIT", "LAST TRACK", "LETTERED", "RAW CODE"}) {
    editFromPopup(f, prompts, songRow(song), [](Edit_Record& e) {
      typeOver(e.Text4, "as corrected");
      press(e.Command1);
    });
  }
  EXPECT_EQ(tracks(),
            (QStringList{trackLine("ACC100", "03", "STAYS", "PUT"),
                         trackLine("TOP40-12", "06", "EVERYTHING I KNOW", "NEW BAND"),
                         trackLine("ACC100", "01", "LOVE, ACTUALLY", "NEW CROONER"), tabbed + padded("Y", 30) + "\"",
                         trackLine("ACC100", "4", "ONE DIGIT", "AS CORRECTED"),
                         trackLine("ACC100", "99", "LAST TRACK", "AS CORRECTED"),
                         trackLine("ACC100", "A1", "LETTERED", "AS CORRECTED"),
                         "\"ACC100\",\"05\",\"RAW CODE\",\"" + padded("AS CORRECTED", 30) + "\""}));
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

// After an edit the line, and the disc listing below the list, show the track as it now is, in the
// list's word capitals, with "Update list after OK" left unticked: the update file writes the line
// and Delete Track acts on it.
TEST_F(MaintenanceTest, AnEditedLineShowsItsTrackAndEveryCommandActsOnIt) {
  Form1& f = start();
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals
  ASSERT_EQ(f.Check5.Value(), 0);
  tick("SC8123");
  press(f.cmdGet_Tracks);
  const int row = songRow("Paper Sky");
  const QString line = f.List2.List(row);
  testsupport::clickRow(f.List2, row);  // a double click comes as a click, then the second press
  testsupport::doubleClickRow(f.List2, row);
  ASSERT_TRUE(f.List3.Visible());
  ASSERT_EQ(f.List3.ListCount(), 2);

  editFromPopup(f, prompts, row, [](Edit_Record& e) {
    EXPECT_EQ(e.Check1.Value(), 0);
    typeOver(e.Text4, "new reed");
    press(e.Command1);
  });
  EXPECT_EQ(tracks().last(), trackLine("SC8123", "02", "PAPER SKY", "NEW REED"));
  EXPECT_EQ(f.List2.List(row), QString(line).replace(padded("Juno Reed", 30), padded("New Reed", 30)));
  EXPECT_EQ(f.List3.List(1), "02    " + padded("PAPER SKY", 36) + padded("NEW REED", 30) + padded("SC8123", 11));

  prompts.answerSaveFile(home.path("fixes")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "Update file has been successfully written to " + home.path("fixes.kup"));
  EXPECT_TRUE(home.readBytes("fixes.kup").contains(trackLine("SC8123", "02", "PAPER SKY", "NEW REED").toLatin1()));

  testsupport::clickRow(f.List2, row);
  prompts.choosePopup("mnue");
  prompts.onModal([](platform::FormBase& w) { press(dynamic_cast<delete_record&>(w).Command1); });
  prompts.answerMsg(platform::msg::Yes).answerMsg(platform::msg::No);  // sure; the list is not saved
  testsupport::clickRow(f.List2, row, Qt::RightButton);
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[1].text, "You have choosen to delete Disc SC8123 Track 02 are you sure.");
  EXPECT_EQ(tracks(), (QStringList{kTracks[0], kTracks[2], kTracks[3], kTracks[4]}));
}

// With "Update list after OK" unticked the edited line takes its place in the list's order, still
// highlighted; with Hide Duplicates on, the copy of its old song that it hid shows again.
TEST_F(MaintenanceTest, AnEditedLineTakesItsPlaceAndTheCopyItHidShowsAgain) {
  home.writeTracks(
      {"SC8123,01,ZEBRA TIME TWO,ODA BELL", "SC8123,02,MOON,JUNO REED", "MDX1001,01,ZEBRA TIME TWO,ODA BELL"});
  Form1& f = start();
  tick("SC8123");
  tick("MDX1001");
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // Hide Duplicates
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 2);
  editFromPopup(f, prompts, songRow("ZEBRA"), [](Edit_Record& e) {
    typeOver(e.Text3, "aardvark song");
    press(e.Command1);
  });
  const auto line = [](const char* song, const char* artist, const char* code, const char* track) {
    return padded(song, 36) + padded(artist, 30) + padded(code, 11) + "        " + track;
  };
  EXPECT_EQ(f.List2.items(),
            (QStringList{line("AARDVARK SONG", "ODA BELL", "MDX1001", "01"), line("MOON", "JUNO REED", "SC8123", "02"),
                         line("ZEBRA TIME TWO", "ODA BELL", "SC8123", "01")}));
  EXPECT_TRUE(f.List2.ListIndex() == 0 && f.List2.Selected(0));
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 3");
}

// Under the song and the code tabs alike, with Hide Duplicates on, an edit brings back the copy its
// line hid: in the session that made the list, and in a list reopened from its file, which finds
// the copy among the ticked discs' records.
TEST_F(MaintenanceTest, AnEditOnAReopenedListBringsBackTheCopyItHid) {
  Form1& f = start();
  for (const int tab : {1, 4}) {  // Song, MF Code
    home.writeTracks({"SC8123,01,ZEBRA TIME TWO,ODA BELL", "MDX1001,01,ZEBRA TIME TWO,ODA BELL",
                      "SC8123,02,MOON,JUNO REED", "MDX1001,02,MOON,JUNO REED"});
    press(f.cmdUntag);
    f.TabStrip1.setSelectedIndex(tab);
    tick("SC8123");
    tick("MDX1001");
    if (f.Check3.Value() == 0) QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // Hide Duplicates
    press(f.cmdGet_Tracks);
    ASSERT_EQ(f.List2.ListCount(), 2);
    const auto editSong = [&](const QString& song, const char* typed) {
      editFromPopup(f, prompts, songRow(song), [typed](Edit_Record& e) {
        typeOver(e.Text3, typed);
        press(e.Command1);
      });
      const QStringList copies = f.List2.items().filter(song);
      EXPECT_TRUE(copies.size() == 1 && copies[0].contains("SC8123")) << tab << copies.join('|').toStdString();
    };
    editSong("ZEBRA", "aardvark");
    const QString saved = home.path(QString("tab%1.mdq").arg(tab));
    prompts.answerSaveFile(saved);
    press(f.cmdSave);
    prompts.answerOpenFile(saved);
    press(f.cmdOpen);
    ASSERT_EQ(f.List2.ListCount(), 3);
    editSong("MOON", "ant");
    EXPECT_EQ(f.List2.ListCount(), 4);
  }
}
