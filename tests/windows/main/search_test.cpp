// The database searches, the search of the current list, the search box and its history.
#include "main_window_fixture.h"

#include "ordinary_user.h"
#include "platform/ui/prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;

namespace {
QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
}  // namespace

class SearchTest : public MainWindowTest {
 protected:
  void search(const QString& text, const QString& target) {
    form->cmbSearch_text.setText(text);
    form->cmbSearch.setListIndex(indexOf(target));
    press(form->cmdSearch);
  }
  int indexOf(const QString& target) const {
    for (int i = 0; i < form->cmbSearch.ListCount(); ++i)
      if (form->cmbSearch.List(i) == target) return i;
    return -1;
  }
  QStringList history() const {
    QStringList out;
    for (int i = 0; i < form->cmbSearch_text.ListCount(); ++i) out << form->cmbSearch_text.List(i);
    return out;
  }
  bool listCommands(bool on) const {
    for (auto* m : {&form->mnuExport, &form->mnuUpdate_File, &form->mnuFull_Screen, &form->mnuHide_Vocal_Tracks})
      if (m->Enabled() != on) return false;
    return true;
  }
};

TEST_F(SearchTest, SearchLinesAlwaysShowTheCodeInTheLayoutOfTheSort) {
  Form1& f = start();
  search("RIVER", "SEARCH SONGS");
  ASSERT_EQ(f.List2.items(),
            QStringList{pad("RIVER TOWN", 36) + pad("ODA BELL", 30) + pad("MDX1001", 11) + "        01"});
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 1");
  EXPECT_TRUE(f.List2.Visible() && f.TabStrip1.Visible());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_TRUE(listCommands(true));
  EXPECT_EQ(f.ProgressBar1.Max(), 1);  // fewer than 200 records
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);

  f.Option3.setValue(true);
  search("ODA", "SEARCH ARTISTS");
  EXPECT_EQ(f.List2.items(), (QStringList{"01    " + pad("LATE TRAIN", 36) + pad("ODA BELL", 30) + "zk101      ",
                                          "01    " + pad("RIVER TOWN", 36) + pad("ODA BELL", 30) + "MDX1001    "}));
  f.Option5.setValue(true);
  search("K-", "SEARCH DISC CODES");
  EXPECT_EQ(f.List2.items(), QStringList{"PK-0042    01    " + pad("GLASS HOUSE (VOCAL)", 36) + pad("MIRA STONE", 30)});
  search("ZK", "SEARCH DISC CODES");  // a code stored in small letters
  EXPECT_EQ(f.List2.items(), QStringList{"zk101      01    " + pad("LATE TRAIN", 36) + pad("ODA BELL", 30)});
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

// The Search menu's song and artist entries (hidden, and never enabled) search their own field.
TEST_F(SearchTest, TheSearchMenuEntriesSearchTheirField) {
  Form1& f = start();
  f.cmbSearch_text.setText("ODA");
  triggerUnoffered(f.mnuArtist);
  EXPECT_EQ(f.List2.ListCount(), 2);
  f.cmbSearch_text.setText("RIVER");
  triggerUnoffered(f.mnuSong);
  EXPECT_EQ(f.List2.items(),
            QStringList{pad("RIVER TOWN", 36) + pad("ODA BELL", 30) + pad("MDX1001", 11) + "        01"});
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

TEST_F(SearchTest, SearchAllMatchesAnyFieldAndAddsEachTrackOnce) {
  Form1& f = start();
  search("SC8", "SEARCH ALL");  // only the disc code holds it
  EXPECT_EQ(f.List2.ListCount(), 2);
  search("A", "SEARCH ALL");  // every record, several of them in two or three fields
  EXPECT_EQ(f.List2.ListCount(), 5);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 5");
  search("ODA BELL ", "SEARCH ALL");  // the blank meets the artist's padding
  EXPECT_EQ(f.List2.ListCount(), 2);
  // A record stored without its padding is padded before it is compared; its track shows in two digits.
  home.writeLines("watka.bxl", {"\"MDX1001\",\"2\",\"LOVE\",\"ODA BELL\""});
  search("LOVE ", "SEARCH ALL");
  EXPECT_EQ(f.List2.items(), QStringList{pad("LOVE", 36) + pad("ODA BELL", 30) + pad("MDX1001", 11) + "        02"});
  // A record of one field: the fields it lacks are blank.
  home.writeBytes("watka.bxl", "\"X\"\r\n");
  search("X", "SEARCH ALL");
  EXPECT_EQ(f.List2.items(), QStringList{pad("", 36) + pad("", 30) + pad("X", 11) + "          "});
}

TEST_F(SearchTest, NoMatchHidesTheListAndSaysSoInTheMembersWords) {
  Form1& f = start();
  const std::tuple<const char*, const char*, const char*> members[] = {
      {"SEARCH ARTISTS", "No artists containing 'RIVER' found.\rPlease try again.", "SEARCH ARTISTS"},
      {"SEARCH DISC CODES", "No discs containing 'ZZ' found.\rPlease try again.", "Search Disc Codes"},
      {"SEARCH SONGS", "No songs containing 'ZK' found.\rPlease try again.", "SEARCH SONGS"},
      {"SEARCH ALL", "No tracks containing 'ZZ' found.\rPlease try again.", "SEARCH ALL"}};
  size_t told = 0;
  for (const auto& [target, text, title] : members) {
    prompts.answerMsg(OK);
    search(QString(text).section('\'', 1, 1), target);
    const auto msgs = prompts.expectCalls("msgBox", ++told);
    EXPECT_EQ(msgs.back().text, text);
    EXPECT_EQ(msgs.back().title, title);
    EXPECT_FALSE(f.List2.Visible() || f.TabStrip1.Visible());
    EXPECT_TRUE(f.Label9.Visible());
    EXPECT_TRUE(listCommands(false));
  }
}

TEST_F(SearchTest, ADatabaseSearchOffersToSaveThenClearsTheSelectionAndOwnNumbers) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("7");
  tick("MDX1001");
  f.Check3.setValue(1);
  prompts.answerMsg(No);
  search("PAPER", "SEARCH SONGS");
  const auto asked = prompts.callsOf("msgBox");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "Your current disc selection will be cleared.\r\rDo you want to Save your list now?");
  EXPECT_EQ(asked[0].title, "Search");
  EXPECT_EQ(asked[0].style, platform::msg::YesNo + platform::msg::Question);
  EXPECT_EQ(f.Check2.Value(), 0);
  EXPECT_EQ(f.Check3.Value(), 0);
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.List1.List(row("MDX1001")), "MDX1001    ");  // the number is gone
  EXPECT_EQ(f.cmbSearch_text.Text(), "PAPER");
  EXPECT_EQ(f.List2.ListCount(), 1);

  tick("SC8123");
  prompts.answerMsg(Yes).answerSaveFile(std::nullopt);
  search("PAPER", "SEARCH SONGS");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 1u);  // Yes ran the Save command
  // The save was cancelled: nothing is searched and the selection stays, to save or answer No.
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.Label1.Caption(), "Discs = 1");
  prompts.answerMsg(Yes).answerSaveFile(home.path("before.mdq"));
  QTest::mouseClick(f.cmdSearch.widget(), Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(home.path("before.mdq")));
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "");
  // Search All unticks the discs before reloading them: the tick handler has the last word.
  tick("SC8123");
  prompts.answerMsg(No);
  search("PAPER", "SEARCH ALL");
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Label1.Caption(), "Discs = 0");
}

TEST_F(SearchTest, TheListStopsAtItsCapWithOneMessage) {
  QStringList tracks;
  for (int i = 0; i < catalogue::Max_List_Lines; ++i)
    tracks << QString("D%1,01,SONG %1,SINGER").arg(i, 6, 10, QChar('0'));
  home.writeTracks(tracks);
  Form1& f = start();
  search("SINGER", "SEARCH ARTISTS");
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_EQ(f.ProgressBar1.Max(), 327);  // 32731 records of 92 bytes

  tracks << "Z9,01,ONE MORE,SINGER";
  home.writeTracks(tracks);
  prompts.answerMsg(OK);
  search("SINGER", "SEARCH ARTISTS");
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].text, "Maximum list size is 32731");
  EXPECT_EQ(msgs[0].title, "Max List Size Reached");
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_TRUE(listCommands(true));
}

TEST_F(SearchTest, AMissingTrackFileIsNamedInsteadOfNotFound) {
  Form1& f = start();
  QFile::remove(home.path("watka.bxl"));
  prompts.answerMsg(OK);
  search("RIVER", "SEARCH SONGS");
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_TRUE(msgs[0].text.contains(home.path("watka.bxl"))) << msgs[0].text.toStdString();
  EXPECT_EQ(msgs[0].title, "SEARCH SONGS");
  EXPECT_FALSE(f.List2.Visible());
}

TEST_F(SearchTest, TheCurrentListIsSearchedLineByLineBelowTheSongList) {
  Form1& f = start();
  prompts.answerMsg(OK);
  search("RIVER", "SEARCH CURRENT LIST");
  tick("SC8123");
  tick("MDX1001");
  press(f.cmdGet_Tracks);
  const QStringList before = f.List2.items();
  search("   01", "SEARCH CURRENT LIST");  // blanks meet the gap before the track column
  EXPECT_EQ(f.List3.items(), (QStringList{before[0], before[2]}));
  EXPECT_EQ(f.List2.items(), before);
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_TRUE(f.List3.Visible() && f.cmdClose.Visible());
  EXPECT_NEAR(f.List2.Top() + f.List2.Height(), 75, 0.5);
  EXPECT_TRUE(listCommands(true));

  f.cmbSearch.setListIndex(0);  // a new target closes the matches
  EXPECT_FALSE(f.List3.Visible() || f.cmdClose.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);

  prompts.answerMsg(OK);
  search("NOWHERE", "SEARCH CURRENT LIST");
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List2.items(), before);
  EXPECT_TRUE(listCommands(true));  // the list still holds its lines
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);  // no save question although discs are ticked
  EXPECT_EQ(msgs[0].text, "Please create a list first");
  EXPECT_EQ(msgs[0].title, "SEARCH CURRENT LIST");
  EXPECT_EQ(msgs[1].text, "No tracks matching 'NOWHERE' found.\rPlease try again.");
  EXPECT_EQ(msgs[1].title, "SEARCH CURRENT LIST");
}

TEST_F(SearchTest, WithoutAllCapitalsEverySearchEndsInWordCapitals) {
  Form1& f = start();
  f.Check5.setValue(0);
  search("PAPER", "SEARCH SONGS");
  ASSERT_EQ(f.List2.ListCount(), 1);
  EXPECT_TRUE(f.List2.List(0).startsWith("Paper Sky")) << f.List2.List(0).toStdString();
  // The matches below keep the case of the lines they were taken from.
  search("Sky", "SEARCH CURRENT LIST");
  EXPECT_EQ(f.List3.items(), f.List2.items());
  // The capitals the box types find word capitals too.
  search("PAPER SKY", "SEARCH CURRENT LIST");
  EXPECT_EQ(f.List3.items(), f.List2.items());
  EXPECT_TRUE(f.List2.List(0).startsWith("Paper Sky"));
}

// A list built with "All Capitals" ticked keeps the case its tracks have in the database: the
// capitals the box types still find a title written in word capitals or mixed case.
TEST_F(SearchTest, TypedCapitalsFindMixedCaseLinesWithAllCapitalsTicked) {
  home.writeTracks(
      {"SC8123,01,Dancing In My Socks,THE LANTERNS", "SC8123,02,PAPER SKY,JUNO REED", "SC8123,03,mIxEd Up,Oda Bell"});
  Form1& f = start();
  ASSERT_EQ(f.Check5.Value(), 1);
  tick("SC8123");
  press(f.cmdGet_Tracks);
  search("DANCING", "SEARCH CURRENT LIST");
  ASSERT_EQ(f.List3.ListCount(), 1);
  EXPECT_TRUE(f.List3.List(0).startsWith("Dancing In My Socks"));
  search("MIXED UP", "SEARCH CURRENT LIST");
  ASSERT_EQ(f.List3.ListCount(), 1);
  EXPECT_TRUE(f.List3.List(0).startsWith("mIxEd Up"));
  // Text that is not in capitals still matches the line as it stands.
  search("Socks", "SEARCH CURRENT LIST");
  EXPECT_EQ(f.List3.ListCount(), 1);
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(SearchTest, TheSearchCommandRefusesThePromptAndBlanks) {
  Form1& f = start();
  prompts.answerMsg(OK).answerMsg(OK);
  search("  TYPE SEARCH TEXT HERE", "SEARCH ALL");
  search("   ", "SEARCH ALL");
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text, "Please enter search text");
  EXPECT_EQ(home.readBytes("search.dat"), QByteArray());
  EXPECT_FALSE(f.List2.Visible());
}

// A character the database's code page has not would be stored as "?", a wildcard when picked
// from the history later: such a text is refused and never stored.
TEST_F(SearchTest, ACharacterOutsideTheCodePageIsRefusedAndNotStored) {
  Form1& f = start();
  tick("SC8123");
  prompts.answerMsg(OK).answerMsg(OK);
  search(QStringLiteral("CAF\u00c9 \u0141ODZ"), "SEARCH SONGS");
  search(QStringLiteral("SKY \U0001F600"), "SEARCH CURRENT LIST");
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);  // no save question before the refusal
  EXPECT_EQ(msgs[0].text,
            QStringLiteral("The search text cannot hold the character \"\u0141\".\n\rPlease search without it."));
  EXPECT_EQ(msgs[0].title, "Search");
  EXPECT_EQ(msgs[1].text,
            QStringLiteral("The search text cannot hold the character \"\U0001F600\".\n\rPlease search without it."));
  EXPECT_EQ(home.readBytes("search.dat"), QByteArray());
  EXPECT_TRUE(history().isEmpty());
  EXPECT_EQ(f.List1.SelCount(), 1);
  // Typed or pasted, the letter stands in the box until the search refuses it.
  prompts.answerMsg(OK).answerMsg(OK);
  f.cmbSearch_text.setText("");
  testsupport::typeInto(f.cmbSearch_text.widget(), QStringLiteral("\u0141"));
  press(f.cmdSearch);
  testsupport::pasteInto(f.cmbSearch_text.widget(), QStringLiteral("\u0141"));
  EXPECT_EQ(f.cmbSearch_text.Text(), QStringLiteral("\u0141"));
  press(f.cmdSearch);
  const auto again = prompts.expectCalls("msgBox", 4);
  EXPECT_EQ(again[2].text, msgs[0].text);
  EXPECT_EQ(again[3].text, msgs[0].text);
  // Accented letters of the code page are searched and stored as they are.
  prompts.answerMsg(No).answerMsg(OK);
  search(QStringLiteral("CAF\u00c9"), "SEARCH SONGS");
  EXPECT_EQ(home.readBytes("search.dat"), QByteArray("CAF\xc9\r\n"));
}

// A search pasted from elsewhere is one search and one history entry.
TEST_F(SearchTest, APastedSearchIsOneLineOfTheHistory) {
  Form1& f = start();
  f.cmbSearch_text.setText("");
  prompts.answerMsg(OK);
  testsupport::pasteInto(f.cmbSearch_text.widget(), "RIVER\nTOWN");
  EXPECT_EQ(f.cmbSearch_text.Text(), "");
  testsupport::pasteInto(f.cmbSearch_text.widget(), "river\ttown\r\n");  // capitals, as typed keys give
  EXPECT_EQ(f.cmbSearch_text.Text(), "RIVER TOWN");
  f.cmbSearch.setListIndex(indexOf("SEARCH SONGS"));
  press(f.cmdSearch);
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].text, "The search text cannot hold a line break.\n\rPlease try again without it.");
  EXPECT_EQ(msgs[0].title, "Search");
  EXPECT_EQ(home.readBytes("search.dat"), QByteArray("RIVER TOWN\r\n"));
  EXPECT_EQ(history(), QStringList{"RIVER TOWN"});
  EXPECT_EQ(f.List2.ListCount(), 1);  // found as one search
}

TEST_F(SearchTest, AfterTheNotFoundBoxTypingReplacesTheSearchText) {
  Form1& f = start();
  f.cmbSearch_text.setText("ZZZ");
  f.cmbSearch.setListIndex(indexOf("SEARCH SONGS"));
  // The message box is the active window while the search box is given the focus back.
  QWidget messageBox;
  messageBox.show();
  QApplication::setActiveWindow(&messageBox);
  prompts.answerMsg(OK);
  QTest::mouseClick(f.cmdSearch.widget(), Qt::LeftButton);
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  messageBox.hide();
  QApplication::setActiveWindow(f.window());
  ASSERT_EQ(QApplication::focusWidget(), f.cmbSearch_text.widget());
  QTest::keyClicks(QApplication::focusWidget(), "q");
  EXPECT_EQ(f.cmbSearch_text.Text(), "Q");
}

// A history that cannot be written is told, with why, and kept as it is.
TEST_F(SearchTest, AHistoryThatCannotBeWrittenIsToldAndKept) {
  home.writeBytes("search.dat", "LOVE\r\n");
  QFile::setPermissions(home.path("search.dat"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  start();
  {
    testsupport::OrdinaryUser user(home.path());
    prompts.answerMsg(OK).answerMsg(OK);
    search("ROCK", "SEARCH SONGS");
  }
  const auto shown = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(shown[0].text, "The search history " + home.path("search.dat") + " could not be written.\n\ris read only");
  EXPECT_EQ(home.readBytes("search.dat"), "LOVE\r\n");
}

TEST_F(SearchTest, HistoryKeepsEachTextOnceNewestFirst) {
  Form1& f = start();
  ASSERT_TRUE(QFile::exists(home.path("search.dat")));  // made at start-up
  EXPECT_EQ(f.cmbSearch_text.Text(), "TYPE SEARCH TEXT HERE ");
  EXPECT_FALSE(f.cmbSearch.Enabled());
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK);
  for (const char* text : {"LOVE", "ROCK", "LOVE"}) search(text, "SEARCH SONGS");
  EXPECT_EQ(home.readBytes("search.dat"), "LOVE\r\nROCK\r\n");
  EXPECT_EQ(history(), (QStringList{"ROCK", "LOVE"}));

  f.cmbSearch_text.setText(f.kSearchPrompt);
  auto* combo = qobject_cast<QComboBox*>(f.cmbSearch_text.widget());
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // picking an entry, as the user does
  EXPECT_EQ(f.cmbSearch_text.Text(), "LOVE");
  EXPECT_TRUE(f.cmbSearch.Enabled());

  choose(f.mnuClear_Search_History);
  EXPECT_TRUE(history().isEmpty());
  EXPECT_EQ(f.cmbSearch_text.Text(), "TYPE SEARCH TEXT HERE ");

  // A long or broken file is read as far as the list goes and kept as it is.
  form.reset();
  const QByteArray broken = "HELLO, GOODBYE\r\n LOVE ME \r\n" + QByteArray("\r\n").repeated(500000) + "LOVE ME\r\n";
  home.writeBytes("search.dat", broken);
  start();
  EXPECT_EQ(history(), (QStringList{"LOVE ME", "HELLO, GOODBYE"}));
  EXPECT_EQ(home.readBytes("search.dat"), broken);

  // Every entry stays in the file however many there are; the list shows the newest hundred.
  form.reset();
  QByteArray many;
  for (int i = 1; i <= 150; ++i) many += "SEARCH " + QByteArray::number(i) + "\r\n";
  home.writeBytes("search.dat", many);
  start();
  ASSERT_EQ(history().size(), 100);
  EXPECT_EQ(history().first(), "SEARCH 150");
  EXPECT_EQ(history().last(), "SEARCH 51");
  prompts.answerMsg(OK);
  search("SEARCH 1", "SEARCH SONGS");
  EXPECT_EQ(home.readBytes("search.dat"), many);  // already stored, among the older ones
  EXPECT_EQ(history().first(), "SEARCH 150");
}

TEST_F(SearchTest, TheBoxTypesCapitalsAndKnowsTwoHiddenCommands) {
  Form1& f = start();
  for (const auto& [typed, shown] :
       {std::pair<char16_t, char16_t>{u'l', u'L'}, {u'ÿ', u'Ÿ'}, {u'\b', u'\b'}, {u'ß', u'ß'}}) {
    int key = typed;
    f.cmbSearch_text.KeyPress(key);  // the key as the box maps it, a control key too, before any text
    EXPECT_EQ(key, shown);
  }
  // Typed keys reach the box through the drop-down that holds the focus.
  QApplication::setActiveWindow(f.window());
  QLineEdit* edit = qobject_cast<QComboBox*>(f.cmbSearch_text.widget())->lineEdit();
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), f.cmbSearch_text.widget());
  QTest::keyClicks(QApplication::focusWidget(), "love");
  EXPECT_EQ(f.cmbSearch_text.Text(), "LOVE");
  // An accent composed through a dead key or an input method comes as one piece of text.
  edit->clear();
  QTest::keyClicks(QApplication::focusWidget(), "caf");
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("\u00e9"));
  QApplication::sendEvent(QApplication::focusWidget(), &composed);
  EXPECT_EQ(f.cmbSearch_text.Text(), QStringLiteral("CAF\u00c9"));
  edit->clear();
  QTest::keyClicks(QApplication::focusWidget(), "tavrel click all");
  EXPECT_EQ(f.List1.SelCount(), f.List1.ListCount());
  press(f.cmdUntag);

  prompts.answerMsg(OK);
  f.cmbSearch_text.setText("TAVREL COUNT ALL");
  EXPECT_EQ(prompts.callsOf("msgBox").at(0).text, "5 Tracks");
  EXPECT_EQ(prompts.callsOf("msgBox").at(0).title, "Total Tracks");
  home.writeBytes("watka.bxl", "");
  prompts.answerMsg(OK);
  f.cmbSearch_text.setText("TAVREL COUNT AL");
  f.cmbSearch_text.setText("TAVREL COUNT ALL");
  EXPECT_EQ(prompts.callsOf("msgBox").at(1).text, "0 Tracks");
  f.cmbSearch_text.setText("TAVREL CLICK AL");
  EXPECT_EQ(f.List1.SelCount(), 0);
  f.cmbSearch_text.setText("TAVREL CLICK ALL");
  EXPECT_EQ(f.List1.SelCount(), f.List1.ListCount());
}
