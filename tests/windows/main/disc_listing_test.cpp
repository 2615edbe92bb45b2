// The disc listing view: every track of one disc, opened from a song-list line or from the
// disc list.
#include "main_window_fixture.h"

#include "common/text_helpers.h"
#include "platform/ui/prompts.h"
#include "user_input.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProgressBar>
#include <QTabBar>

#include <algorithm>

using platform::msg::No;
using platform::msg::OK;
using testsupport::discLine;
using testsupport::trackLine;

namespace {

QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
QString viewLine(const QString& track, const QString& song, const QString& artist, const QString& code) {
  return track + "    " + pad(song, 36) + pad(artist, 30) + pad(code, 11);
}
QStringList records(int n, const QString& code) {
  QStringList out;
  for (int i = 0; i < n; ++i) out << QString("%1,%2,SONG %3,ARTIST").arg(code).arg(i % 100, 2, 10, QChar('0')).arg(i);
  return out;
}

}  // namespace

class DiscListingTest : public MainWindowTest {
 protected:
  // The song list of the ticked discs, built in the artist layout.
  Form1& artistListOf(std::initializer_list<const char*> codes) {
    Form1& f = start();
    f.Option1.setValue(true);
    for (const char* c : codes) tick(c);
    press(f.cmdGet_Tracks);
    return f;
  }
  void doubleClick(int row) {
    // As the window system sends a double click: a click, then the second press as a double click.
    testsupport::clickRow(form->List2, row);
    QTest::mouseDClick(form->List2.view()->viewport(), Qt::LeftButton, {}, testsupport::rowPoint(form->List2, row));
  }
  // Highlights the disc-list item that begins with the code and opens its view from the popup.
  void viewDisc(const QString& code) {
    int found = -1;
    for (int i = 0; i < form->List1.ListCount(); ++i)
      if (form->List1.List(i).startsWith(code)) found = i;
    ASSERT_GE(found, 0) << code.toStdString();
    form->List1.setListIndex(found);
    choose(form->mnuQuick_View_Disc);
  }
  double songListBottom() const { return form->List2.Top() + form->List2.Height(); }
  double belowDiscList() const { return form->List1.Top() + form->List1.Height() + 5; }
  // The highest value the progress bar showed while the view was filled.
  void watchProgress() {
    auto* bar = static_cast<QProgressBar*>(form->ProgressBar1.widget());
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [this](int v) { highest = std::max(highest, v); });
  }
  int highest = 0;
};

TEST_F(DiscListingTest, DoubleClickListsEveryTrackOfTheLinesDiscExactlyAndInTrackOrder) {
  home.writeDiscs({"AB1234", "CC1"});
  home.writeTracks({"AB1234,10,TENTH,BAND", "ab1234,01,LOWER CASE CODE,BAND", "AB1234,02,SECOND,BAND",
                    "AB12345,01,LONGER CODE,BAND", "CC1,01,OTHER,SINGER", "AB1234,01,FIRST,BAND"});
  Form1& f = artistListOf({"AB1234", "CC1"});
  ASSERT_EQ(f.List2.ListCount(), 4);
  for (auto* m : {&f.mnuExport, &f.mnuUpdate_File, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks}) m->setEnabled(false);
  const QString line = f.List2.List(1);
  ASSERT_EQ(line.mid(66, 11), "AB1234     ");

  doubleClick(1);
  EXPECT_EQ(f.List3.items(),
            (QStringList{viewLine("01", "FIRST", "BAND", "AB1234"), viewLine("02", "SECOND", "BAND", "AB1234"),
                         viewLine("10", "TENTH", "BAND", "AB1234")}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), line);
  EXPECT_TRUE(f.List3.Visible());
  EXPECT_TRUE(f.cmdClose.Visible());
  EXPECT_NEAR(f.cmdClose.Top(), f.List3.Top() + 0.5, 0.01);
  // The whole caption shows, inside the window: at 95 across only where there is room.
  EXPECT_TRUE(f.client()->rect().contains(f.cmdClose.widget()->geometry()));
  EXPECT_GE(f.cmdClose.widget()->width(), f.cmdClose.widget()->sizeHint().width());
  EXPECT_NEAR(f.List2.Top(), belowDiscList(), 0.01);
  EXPECT_NEAR(songListBottom(), 75, 0.01);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 4");  // still the song list's count
  for (auto* m : {&f.mnuExport, &f.mnuUpdate_File, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks})
    EXPECT_TRUE(m->Enabled()) << m->name().toStdString();
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
  EXPECT_TRUE(prompts.calls().empty());

  // Another double click replaces the view; close puts the song list back.
  doubleClick(3);
  EXPECT_EQ(f.List3.items(), (QStringList{viewLine("01", "OTHER", "SINGER", "CC1")}));
  press(f.cmdClose);
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_NEAR(songListBottom(), 95, 0.01);

  // In the full-size layout the song list stays under the view.
  choose(f.mnuFull_Screen);
  doubleClick(0);
  EXPECT_EQ(f.List3.ListCount(), 3);
  EXPECT_NEAR(f.List2.Top(), 0, 0.01);
  EXPECT_NEAR(f.List2.Height(), 95, 0.01);
}

// The code column shows at most 11 characters, in capitals after a capitals pass: a line made by
// Create List or a search lists the disc of the record it was made from, through every pass over
// the list. A line read back from a saved list lists the one disc that fits it, and names the
// discs where several do.
TEST_F(DiscListingTest, ALineListsTheDiscOfItsOwnRecordThroughEveryPass) {
  home.writeLines("watdi.bxl", {discLine("plx0104"), discLine("PLX0104"), discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""});
  home.writeLines(
      "watka.bxl",
      {trackLine("plx0104", "01", "SMALL ONE", "ANNA"), trackLine("PLX0104", "02", "SMALL ONE", "ANNA"),
       trackLine("PLX0104", "01", "BIG ONE (VOCAL)", "BEN"), trackLine("ABCDEFGHIJK", "01", "ELEVEN", "CARL"),
       "\"ABCDEFGHIJKL\",\"01\",\"TWELVE\",\"DORA\"", "\"ABCDEFGHIJKL\",\"02\",\"TWELVE TWO\",\"DORA\""});
  const QStringList small{viewLine("01", "SMALL ONE", "ANNA", "plx0104")};
  const QStringList big{viewLine("01", "BIG ONE (VOCAL)", "BEN", "PLX0104"),
                        viewLine("02", "SMALL ONE", "ANNA", "PLX0104")};
  // The view shows 11 characters of the code.
  const QStringList twelve{viewLine("01", "TWELVE", "DORA", "ABCDEFGHIJK"),
                           viewLine("02", "TWELVE TWO", "DORA", "ABCDEFGHIJK")};
  Form1& f = start();
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals: every code in capitals
  for (int i = 0; i < f.List1.ListCount(); ++i) f.List1.setSelected(i, true);
  QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
  // The disc listing of the line of this song and track.
  const auto viewOf = [&](const QString& song, const QString& track) {
    int at = -1;
    for (int i = 0; i < f.List2.ListCount(); ++i) {
      const catalogue::LineFields cut = catalogue::fieldsOfLine(f.List2.List(i), *f.currentSort());
      if (common::UCase(common::Trim(cut.song)) == song && cut.track == track) at = i;
    }
    if (at < 0) return QStringList{"no line " + song};
    doubleClick(at);
    return f.List3.items();
  };
  EXPECT_EQ(viewOf("SMALL ONE", "01"), small);
  EXPECT_EQ(viewOf("SMALL ONE", "02"), big);
  EXPECT_EQ(viewOf("TWELVE", "01"), twelve);

  auto* tabs = static_cast<QTabBar*>(f.TabStrip1.widget());
  for (int tab : {1, 2, 3, 0}) {  // artist, track, code and song layouts
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    EXPECT_EQ(viewOf("SMALL ONE", "01"), small) << tab;
  }
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // hide duplicates: the plx0104 line stays
  EXPECT_EQ(viewOf("SMALL ONE", "02"), QStringList{"no line SMALL ONE"});
  choose(f.mnuHide_Vocal_Tracks);
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // all capitals
  testsupport::clickRow(f.List2, 0);                     // ELEVEN, hidden from the popup
  prompts.choosePopup("mnu51");
  testsupport::clickRow(f.List2, 0, Qt::RightButton);
  ASSERT_EQ(f.List2.ListCount(), 3);
  EXPECT_EQ(viewOf("SMALL ONE", "01"), small);
  EXPECT_EQ(viewOf("TWELVE", "01"), twelve);

  // Saved as it shows now (PLX0104 on both Small One lines), then a search made in word capitals.
  prompts.answerSaveFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdSave.widget(), Qt::LeftButton);
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);
  f.cmbSearch_text.setText("SMALL ONE");
  for (int i = 0; i < f.cmbSearch.ListCount(); ++i)
    if (f.cmbSearch.List(i) == "SEARCH SONGS") f.cmbSearch.setListIndex(i);
  prompts.answerMsg(No);  // no save of the ticked discs first
  QTest::mouseClick(f.cmdSearch.widget(), Qt::LeftButton);
  EXPECT_EQ(viewOf("SMALL ONE", "01"), small);
  EXPECT_EQ(viewOf("SMALL ONE", "02"), big);

  prompts.answerOpenFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  prompts.answerMsg(OK);
  EXPECT_EQ(viewOf("SMALL ONE", "01"), QStringList{});
  const auto twins = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(twins[1].text, "The disc code PLX0104 fits more than one disc: plx0104, PLX0104.");
  EXPECT_EQ(twins[1].title, "View Disc");
  EXPECT_FALSE(f.List3.Visible());
  prompts.answerMsg(OK);
  EXPECT_EQ(viewOf("TWELVE", "01"), QStringList{});
  EXPECT_EQ(prompts.expectCalls("msgBox", 3)[2].text,
            "The disc code ABCDEFGHIJK fits more than one disc: ABCDEFGHIJK, ABCDEFGHIJKL.");
  EXPECT_EQ(viewOf("TWELVE TWO", "02"), twelve);  // only the twelve-character disc holds a track 02
}

TEST_F(DiscListingTest, EachLayoutGivesItsOwnCodeColumn) {
  Form1& f = start();
  tick("SC8123");
  tick("zk101");
  for (int tab : {3, 4, 1}) {  // track, code and song layouts
    press(f.cmdGet_Tracks);
    f.TabStrip1.setSelectedIndex(tab);
    int row = -1;
    for (int i = 0; i < f.List2.ListCount(); ++i)
      if (f.List2.List(i).contains("LATE TRAIN")) row = i;
    ASSERT_GE(row, 0);
    doubleClick(row);
    EXPECT_EQ(f.List3.items(), (QStringList{viewLine("01", "LATE TRAIN", "ODA BELL", "zk101")})) << tab;
  }
}

TEST_F(DiscListingTest, WithCodesHiddenTheLineIsCopiedAndNoViewOpens) {
  Form1& f = start();
  f.Check1.setValue(0);
  tick("SC8123");
  press(f.cmdGet_Tracks);
  viewDisc("MDX1001");
  ASSERT_TRUE(f.List3.Visible());
  ASSERT_NEAR(songListBottom(), 75, 0.01);

  prompts.answerMsg(OK);
  doubleClick(0);
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "(Show MF Code) must be selected to view a disc");
  EXPECT_EQ(prompts.calls()[0].title, "View Disc");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), f.List2.List(0));
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_NEAR(songListBottom(), 75, 0.01);  // the song list keeps its place
}

TEST_F(DiscListingTest, ALineWhoseDiscHasNoTracksLeftSaysSoAndClosesTheView) {
  Form1& f = artistListOf({"SC8123", "MDX1001"});
  home.writeTracks({"MDX1001,01,RIVER TOWN,ODA BELL"});  // SC8123 has gone meanwhile
  f.cmbSearch_text.setText("RIVER");
  f.TabStrip1.setVisible(false);
  prompts.answerMsg(OK);
  doubleClick(2);  // THE LANTERNS, on SC8123
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "No tracks matching 'RIVER' found.\rPlease try again.");
  EXPECT_EQ(prompts.calls()[0].title, "SEARCH SONGS");
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_NEAR(songListBottom(), 95, 0.01);
  EXPECT_TRUE(f.TabStrip1.Visible());
  for (auto* m : {&f.mnuExport, &f.mnuUpdate_File, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks})
    EXPECT_TRUE(m->Enabled()) << m->name().toStdString();  // the song list still holds its lines
}

TEST_F(DiscListingTest, ASongListHiddenMeanwhileGivesNoView) {
  Form1& f = artistListOf({"SC8123"});
  f.List2.setListIndex(0);
  const QPoint onRow = testsupport::rowPoint(f.List2, 0);
  f.List2.setVisible(false);
  prompts.answerMsg(OK);
  // A double click the list had taken before a pass hid it reaches the handler after.
  QTest::mouseDClick(f.List2.view()->viewport(), Qt::LeftButton, Qt::NoModifier, onRow);
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "Please create a list first");
  EXPECT_EQ(prompts.calls()[0].title, "SEARCH CURRENT LIST");
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.cmdClose.Visible());
}

TEST_F(DiscListingTest, TheDiscListEntryComparesOnlyTheCodeOfTheItem) {
  // One disc without tracks, one written without its padding.
  home.writeLines("watdi.bxl", {"\"SC8123\"", "\"MDX1001    \"", "\"NOTRACKS   \""});
  Form1& f = start();
  viewDisc("NOTRACKS");
  EXPECT_TRUE(f.List3.Visible());  // shown empty, without a message
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_TRUE(f.cmdClose.Visible());
  EXPECT_TRUE(prompts.calls().empty());

  f.List1.setList(row("MDX1001"), "MDX1001    0007");
  viewDisc("MDX1001");
  EXPECT_EQ(f.List3.items(), (QStringList{viewLine("01", "RIVER TOWN", "ODA BELL", "MDX1001")}));
  EXPECT_FALSE(f.Label9.Visible());
  EXPECT_FALSE(f.Label17.Visible());
  EXPECT_FALSE(f.List2.Visible());

  // With a song list shown, it is shortened to end where the view begins, whatever the layout.
  testsupport::clickRow(f.List1, 0, Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);  // MDX1001
  press(f.cmdGet_Tracks);
  choose(f.mnuFull_Screen);
  viewDisc("SC8123");  // its item lacks the padding
  EXPECT_EQ(f.List3.ListCount(), 2);
  EXPECT_NEAR(f.List2.Top(), belowDiscList(), 0.01);
  EXPECT_NEAR(songListBottom(), 75, 0.01);
}

TEST_F(DiscListingTest, TheProgressBarCountsHundredsOfRecordsUpToTheEstimate) {
  home.writeDiscs({"AA1"});
  home.writeTracks(records(50, "AA1"));
  Form1& f = start();
  watchProgress();
  viewDisc("AA1");
  EXPECT_EQ(f.ProgressBar1.Max(), 1);
  EXPECT_EQ(highest, 0);
  EXPECT_EQ(f.ProgressBar1.Value(), 0);

  home.writeTracks(records(250, "AA1"));
  viewDisc("AA1");
  EXPECT_EQ(f.ProgressBar1.Max(), 2);
  EXPECT_EQ(highest, 2);
  EXPECT_EQ(f.ProgressBar1.Value(), 0);
  EXPECT_EQ(f.List3.ListCount(), 250);

  // Short records (20 bytes each) outnumber the estimate: the bar stops at its maximum and
  // every record is still read.
  QStringList shortRecords;
  for (int i = 0; i < 450; ++i) shortRecords << QString("\"AA1\",\"%1\",\"S\",\"A\"").arg(i % 100, 2, 10, QChar('0'));
  home.writeLines("watka.bxl", shortRecords);
  highest = 0;
  viewDisc("AA1");
  EXPECT_EQ(f.ProgressBar1.Max(), 1);
  EXPECT_EQ(highest, 1);
  EXPECT_EQ(f.List3.ListCount(), 450);
  EXPECT_EQ(f.List3.List(0), viewLine("00", "S", "A", "AA1"));
}

TEST_F(DiscListingTest, AnUnreadableTrackFileIsReportedAndNoViewOpens) {
  Form1& f = start();
  QFile::remove(home.path("watka.bxl"));
  prompts.answerMsg(OK);
  viewDisc("SC8123");
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_TRUE(prompts.calls()[0].text.startsWith("The database file "));
  EXPECT_TRUE(prompts.calls()[0].text.endsWith(" cannot be read."));
  EXPECT_EQ(prompts.calls()[0].title, "View Disc");
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

// A code of 12 characters (only an update file makes one) lists the disc's own tracks, not those
// of the disc of its first 11 characters.
TEST_F(DiscListingTest, ACodeLongerThanElevenCharactersListsOnlyItsOwnTracks) {
  home.writeLines("watdi.bxl", {"\"LONGCODE12AB\"", testsupport::discLine("LONGCODE12A")});
  home.writeLines("watka.bxl", {"\"LONGCODE12AB\",\"01\",\"OWN SONG\",\"X\"",
                                testsupport::trackLine("LONGCODE12A", "01", "TWIN SONG", "Y")});
  Form1& f = start();
  viewDisc("LONGCODE12AB");
  EXPECT_EQ(f.List3.items(), QStringList{viewLine("01", "OWN SONG", "X", "LONGCODE12A")});
  f.List1.setListIndex(row("LONGCODE12A"));  // the first of the two items it begins
  ASSERT_EQ(f.List1.Text(), "LONGCODE12A");
  choose(f.mnuQuick_View_Disc);
  EXPECT_EQ(f.List3.items(), QStringList{viewLine("01", "TWIN SONG", "Y", "LONGCODE12A")});
}
