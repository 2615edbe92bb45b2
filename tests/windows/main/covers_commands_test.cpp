// The main window's commands that open the CD label and case designers with one disc's
// tracks, and that print the song slips and the blank CD selection sheet.
#include "main_window_fixture.h"

#include "windows/covers/frmPrint_Cover.h"
#include "windows/covers/frmPrint_Offset.h"

#include <QFile>
#include <QPageSize>
#include <QRegularExpression>

using platform::msg::OK;

namespace {

QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
QString item(const QString& track, const QString& song, const QString& artist) {
  return pad(track, 2) + "    " + pad(song, 36) + pad(artist, 30);
}
int pdfPages(const QByteArray& pdf) {
  return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}
// The first page's size in points, from its media box.
QSizeF pdfPageSize(const QByteArray& pdf) {
  const auto box = QRegularExpression(R"(/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+))").match(pdf);
  if (!box.hasMatch()) return {};
  return QSizeF(box.captured(3).toDouble() - box.captured(1).toDouble(),
                box.captured(4).toDouble() - box.captured(2).toDouble());
}

}  // namespace

class CoversTest : public MainWindowTest {
 protected:
  // Scripts the next designer: records its caption, track list and title as it comes up.
  void expectDesigner() {
    prompts.onModal([this](platform::FormBase& w) {
      caption = w.Caption();
      if (auto* label = dynamic_cast<frmPrint_Offset*>(&w)) tracks = label->List1.items(), title = label->Text3.Text();
      if (auto* cover = dynamic_cast<frmPrint_Cover*>(&w)) tracks = cover->List1.items(), title = cover->Text3.Text();
    });
  }
  void highlightDisc(const QString& code, const QString& number = {}) {
    if (!number.isEmpty()) form->List1.setList(row(code), pad(code, 11) + pad(number, 4));
    form->List1.setListIndex(row(code));
  }
  // The song list holding one line in the given layout, highlighted.
  void songLine(platform::OptionButton& sort, const QString& line) {
    sort.setValue(true);
    form->List2.Clear();
    form->List2.AddItem(line);
    form->List2.setListIndex(0);
  }
  QString caption, title;
  QStringList tracks;
};

TEST_F(CoversTest, DiscLabelListsTheDiscsTracksByNumberUnderItsCode) {
  home.writeLines(
      "watka.bxl",
      {"\"SC8123\",\"03\",\"THIRD\",\"C\"", "\"MDX1001\",\"01\",\"OTHER\",\"D\"",
       "\" SC8123\",\"01\",\"A SONG TITLE THAT RUNS WELL PAST ITS COLUMN\",\"AN ARTIST LONGER THAN THIRTY LETTERS\"",
       "\"SC8123\",\"02\",\"SECOND\",\"B\"", "\"SC8123\",\"02\",\"SECOND\",\"B\"",
       "\"sc8123\",\"04\",\"SMALL LETTERS\",\"E\""});
  Form1& f = start();
  highlightDisc("SC8123");
  expectDesigner();
  choose(f.mnuPrint_CD_Label);
  EXPECT_EQ(caption, "Print CD Label");
  EXPECT_EQ(title, "SC8123");
  EXPECT_EQ(tracks, (QStringList{item("01", "A SONG TITLE THAT RUNS WELL PAST ITS", "AN ARTIST LONGER THAN THIRTY L"),
                                 item("02", "SECOND", "B"), item("02", "SECOND", "B"), item("03", "THIRD", "C")}));
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
  // The File menu's entry opens the same designer.
  caption.clear();
  expectDesigner();
  choose(f.mnuPrintHighLabel);
  EXPECT_EQ(caption, "Print CD Label");
  EXPECT_EQ(tracks.size(), 4);
}

TEST_F(CoversTest, ADiscItemIsReadByColumnsAndItsOwnNumberIsTheTitle) {
  home.writeDiscs({"ABCDEFGHIJK", "AB C1", "AB", "SC8123"});
  home.writeTracks({"ABCDEFGHIJK,01,FULL WIDTH,X", "AB C1,01,WITH A BLANK,Y", "AB,01,SHORT CODE,Z", "SC8123,01,S,T"});
  Form1& f = start();
  // The File menu's entry and the disc list popup's open the same case designer.
  const struct {
    const char *code, *number, *title, *song;
    platform::MenuItem* entry;
  } cases[] = {{"ABCDEFGHIJK", "0003", "0003", "FULL WIDTH", &f.mnuPrintHighCase},
               {"AB C1", "", "AB C1", "WITH A BLANK", &f.mnuPrint_CD_Case},
               {"SC8123", "12", "12", "S", &f.mnuPrintHighCase}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    highlightDisc(c.code, c.number);
    expectDesigner();
    choose(*c.entry);
    EXPECT_EQ(caption, "Print CD Case");
    EXPECT_EQ(title, c.title);
    ASSERT_EQ(tracks.size(), 1);
    EXPECT_EQ(tracks[0].mid(6, 36).trimmed(), c.song);
  }
}

TEST_F(CoversTest, NoHighlightedDiscOrAnUnreadableTrackFileOpensNoDesigner) {
  Form1& f = start();
  f.List1.setListIndex(-1);
  prompts.answerMsg(OK).answerMsg(OK).answerMsg(OK).answerMsg(OK);
  choose(f.mnuPrintHighCase);
  choose(f.mnuPrintHighLabel);
  choose(f.mnuPrint_CD_Case);  // the disc list popup's entries alike
  choose(f.mnuPrint_CD_Label);
  const auto refused = prompts.expectCalls("msgBox", 4);
  EXPECT_EQ(refused[0].text, "Please highlight a disc first");
  EXPECT_EQ(refused[0].title, "Print CD Case");
  EXPECT_EQ(refused[1].title, "Print CD Label");
  EXPECT_EQ(refused[2].title, "Print CD Case");
  EXPECT_EQ(refused[3].title, "Print CD Label");
  EXPECT_EQ(prompts.calls().size(), 4u) << "nothing but the four messages";

  QFile::remove(home.path("watka.bxl"));
  highlightDisc("SC8123");
  prompts.answerMsg(OK);
  choose(f.mnuPrintHighLabel);
  const auto msgs = prompts.expectCalls("msgBox", 5);
  EXPECT_EQ(msgs[4].title, "Print CD Label");
  EXPECT_TRUE(msgs[4].text.contains("watka.bxl"));
  EXPECT_TRUE(prompts.callsOf("modal").empty());
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

TEST_F(CoversTest, SongListEntriesNeedTheCodesShownAndAHighlightedLine) {
  Form1& f = start();
  f.Check1.setValue(0);
  prompts.answerMsg(OK);
  choose(f.mnuCD_Label_List2);
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "(Show MF Code) must be selected to view a disc");
  EXPECT_EQ(prompts.calls()[0].title, "View Disc");
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);

  f.Check1.setValue(1);
  f.List2.setListIndex(-1);
  choose(f.mnuCD_Cover_List2);
  EXPECT_EQ(prompts.calls().size(), 1u) << "no highlighted line: no designer, no message";
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

TEST_F(CoversTest, SongListEntriesTakeTheWholeCodeColumnOfTheCurrentLayout) {
  home.writeLines("watka.bxl", {"\"SC8123\",\"01\",\"EXACT\",\"A\"", "\"sc8123\",\"02\",\"SMALL\",\"B\"",
                                "\" SC8123\",\"03\",\"SHIFTED\",\"C\"", "\"MDX1001\",\"01\",\"WRONG DISC\",\"D\""});
  Form1& f = start();
  f.Check1.setValue(1);
  // Read from any other columns, each line names no disc or another one.
  const QString trackLine = "01    " + pad("SONG", 36) + pad("ARTIST", 30) + pad("SC8123", 11);
  const QString artistLine = pad("ARTIST", 30) + pad("SONG", 36) + pad("SC8123", 11) + pad("", 8) + "01";
  const QString codeLine = pad("SC8123", 11) + "01    " + pad("SONG", 36) + pad("MDX1001", 30) + "    ";
  for (const auto& [sort, line] : {std::pair{&f.Option3, trackLine}, std::pair{&f.Option1, artistLine},
                                   std::pair{&f.Option2, artistLine}, std::pair{&f.Option5, codeLine}}) {
    SCOPED_TRACE(sort->Caption().toStdString());
    songLine(*sort, line);
    expectDesigner();
    choose(f.mnuCD_Cover_List2);
    EXPECT_EQ(caption, "Print CD Case");
    EXPECT_EQ(title, "SC8123");
    EXPECT_EQ(tracks, QStringList{item("01", "EXACT", "A")});
  }
  songLine(f.Option5, codeLine);
  expectDesigner();
  choose(f.mnuCD_Label_List2);
  EXPECT_EQ(caption, "Print CD Label");
  EXPECT_EQ(prompts.remainingSteps(), 0);
}

// The popup's case and label act on the disc of the record the line was made from, though the
// line shows the code in capitals and cut to 11; a line of a reopened list that fits two discs
// opens no designer and names them.
TEST_F(CoversTest, SongListEntriesActOnTheDiscOfTheLinesOwnRecord) {
  home.writeLines("watdi.bxl", {testsupport::discLine("plx0104"), testsupport::discLine("PLX0104"),
                                testsupport::discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""});
  home.writeLines("watka.bxl", {"\"plx0104\",\"01\",\"SMALL\",\"A\"", "\"PLX0104\",\"01\",\"BIG\",\"B\"",
                                "\"ABCDEFGHIJK\",\"01\",\"ELEVEN\",\"C\"", "\"ABCDEFGHIJKL\",\"01\",\"TWELVE\",\"D\""});
  Form1& f = start();
  QTest::mouseClick(f.Check5.widget(), Qt::LeftButton);  // word capitals: every code in capitals
  for (int i = 0; i < f.List1.ListCount(); ++i) f.List1.setSelected(i, true);
  QTest::mouseClick(f.cmdGet_Tracks.widget(), Qt::LeftButton);
  ASSERT_EQ(f.List2.ListCount(), 4);  // Big, Eleven, Small, Twelve
  const auto fromPopup = [&](int row, const char* entry, const std::function<void()>& then) {
    testsupport::clickRow(f.List2, row);
    prompts.choosePopup(entry);
    then();
    testsupport::clickRow(f.List2, row, Qt::RightButton);
  };
  const auto designer = [&] { expectDesigner(); };
  fromPopup(2, "mnuCD_Cover_List2", designer);
  EXPECT_EQ(caption, "Print CD Case");
  EXPECT_EQ(title, "plx0104");
  EXPECT_EQ(tracks, QStringList{item("01", "SMALL", "A")});
  fromPopup(3, "mnuCD_Label_List2", designer);
  EXPECT_EQ(caption, "Print CD Label");
  EXPECT_EQ(title, "ABCDEFGHIJKL");
  EXPECT_EQ(tracks, QStringList{item("01", "TWELVE", "D")});

  prompts.answerSaveFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdSave.widget(), Qt::LeftButton);
  prompts.answerOpenFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  fromPopup(2, "mnuCD_Cover_List2", [&] { prompts.answerMsg(OK); });
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "The disc code PLX0104 fits more than one disc: plx0104, PLX0104.");
  EXPECT_EQ(msgs[0].title, "Print CD Case");
  EXPECT_EQ(prompts.callsOf("modal").size(), 2u);
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

TEST_F(CoversTest, EachCopyOfTheSheetOrTheSlipsIsOnePageOfOneDocument) {
  Form1& f = start();
  platform::PrintDialogAnswer answer;
  answer.copies = 3;
  answer.outputFile = home.path("sheet.pdf");
  // On the paper chosen in the dialog: A5 across.
  answer.pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));
  const QSizeF a5Across = QPageSize(QPageSize::A5).sizePoints().transposed();
  prompts.answerPrint(answer);
  choose(f.mnuCD_Selection);
  EXPECT_EQ(pdfPages(home.readBytes("sheet.pdf")), 3);
  EXPECT_NEAR(pdfPageSize(home.readBytes("sheet.pdf")).width(), a5Across.width(), 1);
  EXPECT_NEAR(pdfPageSize(home.readBytes("sheet.pdf")).height(), a5Across.height(), 1);

  answer.copies = 2;
  answer.outputFile = home.path("slips.pdf");
  prompts.answerPrint(answer);
  choose(f.mnuSong_Slips);
  EXPECT_EQ(pdfPages(home.readBytes("slips.pdf")), 2);
  EXPECT_NEAR(pdfPageSize(home.readBytes("slips.pdf")).width(), a5Across.width(), 1);
  EXPECT_NEAR(pdfPageSize(home.readBytes("slips.pdf")).height(), a5Across.height(), 1);
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
}

TEST_F(CoversTest, CancelOrNoCopiesPrintNothingAndAPrinterFailureIsReported) {
  Form1& f = start();
  platform::PrintDialogAnswer none;
  none.copies = 0;
  none.outputFile = home.path("none.pdf");
  prompts.answerPrint(std::nullopt).answerPrint(none);
  choose(f.mnuCD_Selection);
  choose(f.mnuSong_Slips);
  EXPECT_FALSE(QFile::exists(none.outputFile));
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());

  platform::PrintDialogAnswer broken;
  broken.outputFile = home.path("no such folder/out.pdf");
  prompts.answerPrint(broken).answerMsg(OK).answerPrint(broken).answerMsg(OK);
  choose(f.mnuCD_Selection);
  choose(f.mnuSong_Slips);
  const auto boxes = prompts.callsOf("msgBox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title, "Print Cd Selection Sheet");
  EXPECT_TRUE(boxes[0].text.startsWith("The CD selection sheet could not be printed.\n\r"));
  EXPECT_EQ(boxes[1].title, "Print Song Slips");
  EXPECT_TRUE(boxes[1].text.startsWith("The song slips could not be printed.\n\r"));
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

// A code of 12 characters (only an update file makes one) is the disc's whole code: the label and
// the case list the disc's own tracks, not those of the disc of its first 11 characters, under the
// whole code, or under the user's number once it has one.
TEST_F(CoversTest, ACodeLongerThanElevenCharactersIsMatchedWholeAndIsTheTitle) {
  home.writeLines("watdi.bxl", {"\"LONGCODE12AB\"", testsupport::discLine("LONGCODE12A")});
  home.writeLines("watka.bxl", {"\"LONGCODE12AB\",\"01\",\"OWN SONG\",\"X\"",
                                testsupport::trackLine("LONGCODE12A", "01", "TWIN SONG", "Y")});
  Form1& f = start();
  for (platform::MenuItem* entry : {&f.mnuPrint_CD_Label, &f.mnuPrint_CD_Case}) {
    SCOPED_TRACE(entry->name().toStdString());
    f.List1.setListIndex(row("LONGCODE12AB"));
    expectDesigner();
    choose(*entry);
    EXPECT_EQ(title, "LONGCODE12AB");
    EXPECT_EQ(tracks, QStringList{item("01", "OWN SONG", "X")});
  }
  f.Check2.setValue(1);
  prompts.answerInput("7");
  testsupport::clickRow(f.List1, row("LONGCODE12AB"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  expectDesigner();
  choose(f.mnuPrint_CD_Label);
  EXPECT_EQ(title, "0007");
  EXPECT_EQ(tracks, QStringList{item("01", "OWN SONG", "X")});
}
