// Create List, Tick All, the option boxes, sort changes, duplicates and capitals on the main
// window.
#include "main_window_fixture.h"

#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <functional>

using platform::msg::OK;

namespace {

// A line written out column by column: artist 30, song 36, code 11, number 4, gap 4, track 2.
QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
QString songLine(const QString& song, const QString& artist, const QString& code, const QString& ref,
                 const QString& track) {
  return pad(song, 36) + pad(artist, 30) + pad(code, 11) + pad(ref, 4) + "    " + track;
}

}  // namespace

class SongListTest : public MainWindowTest {
 protected:
  QStringList lines() const { return form->List2.items(); }
};

TEST_F(SongListTest, CreateListRefusesWhenNothingIsTicked) {
  Form1& f = start();
  prompts.answerMsg(OK);
  f.cmdGet_Tracks.setValue(true);
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "Please tick your disc MF Codes first");
  EXPECT_EQ(prompts.calls()[0].title, "Create List");
  EXPECT_FALSE(f.List2.Visible());
}

TEST_F(SongListTest, CreateListListsTheTicksDiscsInTheSongLayout) {
  Form1& f = start();
  tick("SC8123");
  tick("zk101");
  const int beeps = platform::beepCount();
  f.cmdGet_Tracks.setValue(true);
  EXPECT_EQ(lines(), (QStringList{songLine("LATE TRAIN", "ODA BELL", "zk101", "", "01"),
                                  songLine("MOONLIGHT HARBOUR", "THE LANTERNS", "SC8123", "", "01"),
                                  songLine("PAPER SKY", "JUNO REED", "SC8123", "", "02")}));
  EXPECT_EQ(lines()[0].size(), 87);
  EXPECT_EQ(f.Label1.Caption(), "Discs  =  2");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 3");
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::Song));
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_TRUE(f.TabStrip1.Visible());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_FALSE(f.Label9.Visible());
  EXPECT_TRUE(f.Enabled());
  for (auto* m : {&f.mnuSave, &f.mnuExport, &f.mnuUpdate_File, &f.mnuPrint}) EXPECT_TRUE(m->Enabled());
  EXPECT_EQ(platform::beepCount(), beeps + 1);
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
  EXPECT_EQ(f.ProgressBar1.Value(), 0);
}

TEST_F(SongListTest, TheBusyFrameIsDrawnOverTheWindowWhichDoesNotTurnGrey) {
  Form1& f = start();
  // Looks at the window once the busy frame stands, at a moment the pass lets events through.
  bool looked = false, frameOpaque = false, buttonsLookEnabled = false;
  std::function<void()> look = [&] {
    if (!f.Frame1.Visible()) return void(QTimer::singleShot(0, f.window(), look));
    QWidget* frame = f.Frame1.widget();
    const QImage shown = f.client()->grab(frame->geometry()).toImage();
    frameOpaque = shown == frame->grab().toImage().convertToFormat(shown.format());
    buttonsLookEnabled = f.cmdOpen.widget()->isEnabled();
    looked = true;
  };
  QTimer::singleShot(0, f.window(), look);
  f.cmbSearch_text.setText("TAVREL CLICK ALL");  // Tick All: the hint stays beneath the frame
  ASSERT_TRUE(looked);
  EXPECT_TRUE(frameOpaque);
  tick("SC8123");
  looked = false;
  QTimer::singleShot(0, f.window(), look);
  QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
  ASSERT_TRUE(looked);
  EXPECT_TRUE(buttonsLookEnabled);
  EXPECT_TRUE(f.Enabled());
}

namespace {
// Posts a click on a widget as soon as the busy frame shows: it waits in the queue while the
// pass runs, and the pass lets it through at some point.
class ClickWhileBusy : public QObject {
 public:
  ClickWhileBusy(platform::Control& frame, QWidget* target) : target_(target) {
    frame.widget()->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      const QPointF at = QRectF(target_->rect()).center();
      for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            target_, new QMouseEvent(t, at, target_->mapToGlobal(at), Qt::LeftButton,
                                     t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
      ++posted;
    }
    return false;
  }
  int posted = 0;

 private:
  QWidget* target_;
};
}  // namespace

// A click on Clear made while a pass reworks the list is dropped: the pass ends as it would have,
// and the list stays.
TEST_F(SongListTest, APassDropsAClickMadeWhileItRuns) {
  home.writeTracks(
      {"SC8123,01,SAME SONG,SAME ARTIST", "MDX1001,04,SAME SONG,SAME ARTIST", "MDX1001,05,OTHER SONG,SAME ARTIST"});
  Form1& f = start();
  struct Pass {
    const char* name;
    std::function<void()> run;
    int lines;
  } passes[] = {
      {"Create List",
       [&] {
         tick("SC8123");
         tick("MDX1001");
         QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
       },
       3},
      {"Hide Duplicates", [&] { QTest::mouseClick(f.Check3.widget(), Qt::LeftButton); }, 2},
      {"word capitals", [&] { QTest::mouseClick(f.Check5.widget(), Qt::LeftButton); }, 2},
      {"all capitals", [&] { QTest::mouseClick(f.Check5.widget(), Qt::LeftButton); }, 2},
      {"Tick All", [&] { f.mnuTag.action()->trigger(); }, 3},
  };
  for (const Pass& pass : passes) {
    SCOPED_TRACE(pass.name);
    ClickWhileBusy click(f.Frame1, f.cmdUntag.widget());
    f.Frame1.setVisible(false);
    pass.run();
    QCoreApplication::processEvents();
    ASSERT_EQ(click.posted, 1);
    EXPECT_TRUE(f.List2.Visible());
    EXPECT_EQ(f.List2.ListCount(), pass.lines);
    EXPECT_EQ(f.Label6.Caption(), "Tracks = " + QString::number(pass.lines));
    EXPECT_GT(f.List1.SelCount(), 0);
  }
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(SongListTest, CreateListInTheFullSizeViewCoversTheWindow) {
  Form1& f = start();
  tick("SC8123");
  f.mnuFull_Screen.setChecked(true);
  f.mnuNormal.setChecked(false);
  press(f.cmdGet_Tracks);
  EXPECT_NEAR(f.List2.Top(), 0, 0.01);
  EXPECT_NEAR(f.List2.Height(), 95, 0.01);
  EXPECT_NEAR(f.List2.Width(), 100, 0.01);
  // The column-header strip hides the buttons beneath: where two of them meet it shows its own colour.
  const QImage shot = f.client()->grab().toImage();
  const int y = f.Label2.widget()->geometry().center().y(), between = f.cmdSave.widget()->x();
  for (int x : {between - 1, between})
    EXPECT_EQ(QColor(shot.pixel(x, y)), f.client()->palette().color(QPalette::Window)) << x;
}

TEST_F(SongListTest, AMissingTrackFileIsNamedAndBothBuildsStillFinish) {
  Form1& f = start();
  QFile::remove(home.path("watka.bxl"));
  tick("SC8123");
  prompts.answerMsg(OK).answerMsg(OK);
  press(f.cmdGet_Tracks);
  EXPECT_TRUE(f.Enabled());
  tickAll();
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_TRUE(msgs[0].text.contains(home.path("watka.bxl")));
  EXPECT_EQ(msgs[0].title, "Create List");
  EXPECT_EQ(msgs[1].title, "Tick All");
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_FALSE(f.Ticking_In_Code);
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
  EXPECT_FALSE(QFileInfo::exists(home.path("watka.bxl")));
}

TEST_F(SongListTest, CodesMatchExactlyIncludingCase) {
  home.writeTracks({"SC8123,01,A,B", "sc8123,02,C,D", "SC8123 ,03,E,F", "SC81234,04,G,H"});
  // Two codes of an update file that share their first 11 characters are two discs.
  home.writeLines("watdi.bxl", {"\"SERIESCODE-0101\"", "\"SERIESCODE-0102\"", testsupport::discLine("SC8123")});
  home.writeBytes("watka.bxl", home.readBytes("watka.bxl") + "\"SERIESCODE-0101\",\"05\",\"TWIN\",\"X\"\r\n" +
                                   "\"SERIESCODE-0102\",\"06\",\"OWN\",\"Y\"\r\n");
  Form1& f = start();
  tick("SC8123");
  clickRow(f.List1, row("SERIESCODE-0102"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 3);  // "SC8123 " pads to the same 11 characters
  EXPECT_TRUE(lines()[0].endsWith("01"));
  EXPECT_TRUE(lines()[1].endsWith("03"));
  EXPECT_TRUE(lines()[2].startsWith("OWN ")) << lines()[2].toStdString();
}

TEST_F(SongListTest, HiddenCodesLeaveBlankColumns) {
  Form1& f = start();
  f.Check1.setValue(0);
  f.Option1.setValue(true);
  tick("MDX1001");
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 1);
  EXPECT_EQ(lines()[0], pad("ODA BELL", 30) + pad("RIVER TOWN", 36) + QString(19, ' ') + "01");
}

TEST_F(SongListTest, OwnNumbersFillTheDiscColumnAndADiscWithoutOneGivesBlanks) {
  Form1& f = start();
  // A disc of a saved selection may carry no number.
  openSaved({"MELLOWDEX CD SELECTION FILE2", "SONG LIST HEADER HERE", "SONG", "MF FALSE", "REF TRUE", "DUP FALSE",
             "SC8123     0012", "MDX1001    ", QByteArray(58, '-')});
  press(f.cmdGet_Tracks);
  EXPECT_EQ(lines(), (QStringList{songLine("MOONLIGHT HARBOUR", "THE LANTERNS", "", "0012", "01"),
                                  songLine("PAPER SKY", "JUNO REED", "", "0012", "02"),
                                  songLine("RIVER TOWN", "ODA BELL", "", "", "01")}));
}

TEST_F(SongListTest, CodeSortTicksShowManufacturerCodesAndEveryLineCarriesTheCode) {
  Form1& f = start();
  f.Check1.setValue(0);
  f.Option5.setValue(true);
  tick("SC8123");
  press(f.cmdGet_Tracks);
  EXPECT_EQ(f.Check1.Value(), 1);
  ASSERT_EQ(f.List2.ListCount(), 2);
  EXPECT_EQ(lines()[0], pad("SC8123", 11) + "01    " + pad("MOONLIGHT HARBOUR", 36) + pad("THE LANTERNS", 30) + "    ");
}

TEST_F(SongListTest, CreateListStopsAtTheCapAndSaysSo) {
  QStringList tracks;
  for (int i = 0; i < catalogue::Max_List_Lines + 5; ++i)
    tracks << QString("SC8123,%1,SONG %2,ARTIST").arg(i % 100).arg(i);
  home.writeTracks(tracks);
  Form1& f = start();
  tick("SC8123");
  prompts.answerMsg(OK);
  press(f.cmdGet_Tracks);
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "Maximum list size is 32731");
  EXPECT_EQ(msgs[0].title, "Max List Size Reached");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 32731");
}

TEST_F(SongListTest, ExactlyTheCapIsNoLoss) {
  QStringList tracks;
  for (int i = 0; i < catalogue::Max_List_Lines; ++i) tracks << QString("SC8123,%1,SONG %2,ARTIST").arg(i % 100).arg(i);
  tracks << "MDX1001,01,OTHER,DISC";  // not ticked: nothing is lost
  home.writeTracks(tracks);
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(SongListTest, ProgressMaximumFollowsTheTrackFileSize) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  // A small file counts as 1000 records: a maximum of 10.
  EXPECT_EQ(f.ProgressBar1.Max(), 10);
}

TEST_F(SongListTest, TickAllListsEveryTrackWithCodesAndNoNumbers) {
  Form1& f = start();
  f.Option3.setValue(true);
  f.Check3.setValue(1);
  tickAll();
  EXPECT_EQ(f.List1.SelCount(), 5);
  EXPECT_EQ(f.Check3.Value(), 0);
  EXPECT_EQ(f.Check1.Value(), 1);
  ASSERT_EQ(f.List2.ListCount(), 5);
  EXPECT_EQ(lines()[0], "01    " + pad("GLASS HOUSE (VOCAL)", 36) + pad("MIRA STONE", 30) + pad("PK-0042", 11));
  EXPECT_EQ(lines()[0].size(), 83);
  EXPECT_EQ(f.Label1.Caption(), "Discs  =  5");
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 5");
  EXPECT_FALSE(f.mnuSave.Enabled());
  EXPECT_TRUE(f.mnuPrint.Enabled());
  EXPECT_FALSE(f.Ticking_In_Code);
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(SongListTest, TickAllInTheArtistLayoutPutsTheTrackLast) {
  Form1& f = start();
  f.Option1.setValue(true);
  tickAll();
  EXPECT_EQ(lines()[0], pad("JUNO REED", 30) + pad("PAPER SKY", 36) + pad("SC8123", 11) + QString(8, ' ') + "02");
}

TEST_F(SongListTest, TickAllStopsAtTheCapWithItsMessage) {
  QStringList tracks;
  for (int i = 0; i < catalogue::Max_List_Lines + 1; ++i) tracks << QString("SC8123,01,S%1,A").arg(i);
  home.writeTracks(tracks);
  Form1& f = start();
  prompts.answerMsg(OK);
  tickAll();
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  EXPECT_EQ(prompts.callsOf("msgBox").at(0).title, "Max List Size Reached");
}

TEST_F(SongListTest, ChangingShowCodesOrUntickingHideDuplicatesDiscardsTheList) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  f.Check1.setValue(0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_FALSE(f.List2.Visible());
  EXPECT_FALSE(f.TabStrip1.Visible());
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  press(f.cmdGet_Tracks);
  f.Check3.setValue(1);
  EXPECT_EQ(f.List2.ListCount(), 2);  // nothing to hide
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 2");
  f.Check3.setValue(0);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
}

TEST_F(SongListTest, LinesOptionUnderlinesTheSongListNotItsHeader) {
  Form1& f = start();
  QTest::mouseClick(f.Check7.widget(), Qt::LeftButton, {}, QPoint(8, f.Check7.widget()->height() / 2));
  EXPECT_TRUE(f.List2.underline());
  EXPECT_FALSE(f.Label2.widget()->font().underline());
  f.Check7.setValue(0);
  EXPECT_FALSE(f.List2.underline());
}

TEST_F(SongListTest, CloseButtonClosesTheDiscListingAndRestoresTheListPlace) {
  Form1& f = start();
  f.List3.AddItem("x");
  f.List3.setVisible(true);
  f.cmdClose.setVisible(true);
  f.List2.Move(0, 60, 100, 10);
  f.cmdClose.setValue(true);
  EXPECT_FALSE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.cmdClose.Visible());
  EXPECT_NEAR(f.List2.Top(), f.List1.Top() + f.List1.Height() + 5, 0.01);
  EXPECT_NEAR(f.List2.Height(), 95 - 60, 0.01);  // the height is taken from the old top
}

TEST_F(SongListTest, DuplicatesAreHiddenAfterBuildingAndBeforeCapitals) {
  home.writeTracks(
      {"SC8123,01,SAME SONG,SAME ARTIST", "MDX1001,04,SAME SONG,SAME ARTIST", "MDX1001,05,Other Song,SAME ARTIST"});
  Form1& f = start();
  tick("SC8123");
  tick("MDX1001");
  f.Check3.setValue(1);
  f.Check5.setValue(0);
  press(f.cmdGet_Tracks);
  EXPECT_EQ(lines(), (QStringList{songLine("Other Song", "Same Artist", "MDX1001", "", "05"),
                                  songLine("Same Song", "Same Artist", "MDX1001", "", "04")}));
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 2");
  EXPECT_EQ(f.Label8.Caption(), "Please wait while your list is proccessed.");
  EXPECT_EQ(f.Temp_List.ListCount(), 0);
}

// A copy stored in other capitals still shows, whether Hide Duplicates is ticked before Create List
// or after it has turned the list to word capitals; a copy in the same capitals is hidden.
TEST_F(SongListTest, ACopyInOtherCapitalsShowsWhicheverIsTickedFirst) {
  home.writeTracks(
      {"SC8123,01,SAME SONG,SAME ARTIST", "MDX1001,04,Same Song,Same Artist", "zk101,02,SAME SONG,SAME ARTIST"});
  Form1& f = start();
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals
  for (const bool hideFirst : {true, false}) {
    tick("SC8123");
    tick("MDX1001");
    tick("zk101");
    if (hideFirst) QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);
    press(f.cmdGet_Tracks);
    if (!hideFirst) QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);
    EXPECT_EQ(lines(), (QStringList{songLine("Same Song", "Same Artist", "MDX1001", "", "04"),
                                    songLine("Same Song", "Same Artist", "SC8123", "", "01")}))
        << hideFirst;
    QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // off again: the list is discarded
  }
}

TEST_F(SongListTest, CodeSortKeepsTheLowestCodeOfEachSong) {
  home.writeTracks({"ZZ9,01,SONG,ARTIST", "AA1,07,SONG,ARTIST", "MM5,02,SONG,ARTIST", "MM5,03,OTHER,ARTIST"});
  home.writeDiscs({"ZZ9", "AA1", "MM5"});
  Form1& f = start();
  f.Option5.setValue(true);
  tickAll();
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // hide duplicates
  EXPECT_EQ(lines(), (QStringList{pad("AA1", 11) + "07    " + pad("SONG", 36) + pad("ARTIST", 30),
                                  pad("MM5", 11) + "03    " + pad("OTHER", 36) + pad("ARTIST", 30)}));
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 2");
  EXPECT_TRUE(f.TabStrip1.Visible());
}

TEST_F(SongListTest, TrackSortKeepsDuplicatesThatAreNotNeighbours) {
  home.writeTracks({"SC8123,01,SONG,ARTIST", "MDX1001,01,ZEBRA,X", "zk101,02,SONG,ARTIST", "PK-0042,02,SONG,ARTIST"});
  Form1& f = start();
  f.Option3.setValue(true);
  tickAll();
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // hide duplicates
  // 01 SONG, 01 ZEBRA, 02 SONG, 02 SONG: only the neighbouring pair loses a line.
  EXPECT_EQ(f.List2.ListCount(), 3);
}

TEST_F(SongListTest, AllCapitalsBoxSwitchesTheCaseOfTheWholeList) {
  home.writeTracks({"SC8123,01,don't stop (live),o'brien"});
  Form1& f = start();
  tick("SC8123");
  f.Check5.setValue(0);
  press(f.cmdGet_Tracks);
  EXPECT_EQ(lines()[0], songLine("Don't Stop (Live)", "O'brien", "SC8123", "", "01"));
  EXPECT_FALSE(f.mnuCapitals3.Checked());
  f.Check5.setValue(1);
  EXPECT_EQ(lines()[0], songLine("DON'T STOP (LIVE)", "O'BRIEN", "SC8123", "", "01"));
  EXPECT_TRUE(f.mnuCapitals3.Checked());
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 1");
}

TEST_F(SongListTest, CaseAndDuplicatePassesLeaveAnEmptyListAlone) {
  Form1& f = start();
  f.Label6.setCaption("Tracks = 9");
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // all capitals off: word capitals
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // and on again
  QTest::mouseClick(f.Check3.widget(), Qt::LeftButton);  // hide duplicates
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 9");
  EXPECT_FALSE(f.Frame1.Visible());
}

TEST_F(SongListTest, ChoosingATabRecutsEveryLineAndSelectsItsOption) {
  Form1& f = start();
  tickAll();
  const int before = f.List2.ListCount();
  f.TabStrip1.setSelectedIndex(2);  // artist
  EXPECT_TRUE(f.Option1.Value());
  EXPECT_FALSE(f.Option2.Value());
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::Artist));
  EXPECT_EQ(f.List2.ListCount(), before);
  EXPECT_EQ(f.List2.List(0), pad("JUNO REED", 30) + pad("PAPER SKY", 36) + pad("SC8123", 11) + QString(8, ' ') + "02");
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_EQ(f.List3.ListCount(), 0);
  EXPECT_FALSE(f.List3.Visible());
  // The wheel and the arrow keys change the tab through the same handler.
  auto* bar = static_cast<QTabBar*>(f.TabStrip1.widget());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  EXPECT_TRUE(f.Option3.Value());
  EXPECT_TRUE(f.List2.List(0).startsWith("01    "));
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::Track));
  // The chosen tab stands out plainly from the others.
  const QImage tabs = bar->grab().toImage();
  const auto face = [&](int tab) { return QColor(tabs.pixel(bar->tabRect(tab).topLeft() + QPoint(4, 4))).lightness(); };
  EXPECT_GT(std::abs(face(2) - face(1)), 40);
  // Back on the first tab, the song layout under its own header.
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
  EXPECT_TRUE(f.Option2.Value());
  EXPECT_EQ(f.List2.List(0), songLine("GLASS HOUSE (VOCAL)", "MIRA STONE", "PK-0042", "", "01"));
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::Song));
}

TEST_F(SongListTest, TheCurrentTabLeavesAnOpenViewAlone) {
  Form1& f = start();
  f.List3.AddItem("view");
  f.List3.setVisible(true);
  auto* bar = static_cast<QTabBar*>(f.TabStrip1.widget());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->currentIndex()).center());
  EXPECT_TRUE(f.List3.Visible());
  EXPECT_EQ(f.List3.ListCount(), 1);
}

TEST_F(SongListTest, CodeTabWithCodesHiddenIsRefusedThenTheListMustBeCreatedAgain) {
  Form1& f = start();
  tick("SC8123");
  f.Check1.setValue(0);
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 2);
  prompts.answerMsg(OK);
  f.TabStrip1.setSelectedIndex(4);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text,
            "Show MF Codes must be selected\r\rPlease click the Create List button to re-create your list");
  EXPECT_EQ(msgs[0].title, "Sort by MF Code");
  EXPECT_TRUE(f.Option5.Value());
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 0");
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::MfCode));
}

TEST_F(SongListTest, AnEmptyListStaysHiddenThroughASortChange) {
  Form1& f = start();
  f.TabStrip1.setSelectedIndex(3);
  EXPECT_FALSE(f.List2.Visible());
  EXPECT_EQ(f.Label2.Caption(), catalogue::columnHeader(catalogue::Sort::Track));
  EXPECT_TRUE(f.Label2.widget()->isVisible());  // the header shows over the hidden list's place
}

TEST_F(SongListTest, SortChangeKeepsIdenticalLinesAndTheCounter) {
  home.writeTracks({"SC8123,01,SAME,ONE", "SC8123,01,SAME,ONE"});
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  f.TabStrip1.setSelectedIndex(4);
  EXPECT_EQ(f.List2.ListCount(), 2);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 2");
}
