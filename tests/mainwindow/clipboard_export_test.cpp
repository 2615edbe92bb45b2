// The song list leaving the program: the clipboard copy, the export file and the update file.
#include "main_window_fixture.h"

#include "catalogue/song_line.h"
#include "mainwindow/export_writers.h"
#include "platform/prompts.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

using catalogue::Sort;
using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;

namespace {

const QString kArtist30 = "BARTHOLOMEW AND THE NIGHT OWLS";
const QString kSong36 = "A LONG WAY DOWN TO THE HARBOUR LIGHT";
const QString kCode11 = "SGBTB100105";

QString line(Sort sort, const QString& ref, const QString& code = kCode11) {
  return catalogue::createListLine(sort, {kArtist30, kSong36, code, ref, "05"});
}

QString headings(const std::vector<mainwindow::ListColumn>& columns) {
  QStringList h;
  for (const auto& c : columns) h << c.heading;
  return h.join(',');
}

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

}  // namespace

TEST(ListColumns, ElevenColumnSetsAndNoneWithoutACodeOrNumberColumn) {
  using mainwindow::listColumns;
  EXPECT_EQ(headings(listColumns(Sort::Artist, true, true)), "ARTIST,SONG,MF CODE,DISC,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Artist, true, false)), "ARTIST,SONG,MF CODE,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Artist, false, true)), "ARTIST,SONG,DISC,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Song, true, true)), "SONG,ARTIST,MF CODE,DISC,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Song, true, false)), "SONG,ARTIST,MF CODE,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Song, false, true)), "SONG,ARTIST,DISC,TRACK");
  EXPECT_EQ(headings(listColumns(Sort::Track, true, true)), "TRACK,SONG,ARTIST,MF CODE,DISC");
  EXPECT_EQ(headings(listColumns(Sort::Track, true, false)), "TRACK,SONG,ARTIST,MF CODE");
  EXPECT_EQ(headings(listColumns(Sort::Track, false, true)), "TRACK,SONG,ARTIST,DISC");
  EXPECT_EQ(headings(listColumns(Sort::MfCode, true, true)), "MF CODE,TRACK,SONG,ARTIST,DISC");
  EXPECT_EQ(headings(listColumns(Sort::MfCode, true, false)), "MF CODE,TRACK,SONG,ARTIST");
  EXPECT_TRUE(listColumns(Sort::MfCode, false, true).empty());
  for (Sort s : catalogue::kAllSorts) EXPECT_TRUE(listColumns(s, false, false).empty());
  EXPECT_TRUE(listColumns(std::nullopt, true, true).empty());
}

TEST(ListColumns, FullWidthFieldsStayInTheirOwnColumns) {
  ASSERT_EQ(kArtist30.size(), 30);
  ASSERT_EQ(kSong36.size(), 36);
  using mainwindow::lineFields;
  using mainwindow::listColumns;
  EXPECT_EQ(lineFields(listColumns(Sort::Song, true, false), line(Sort::Song, "")),
            (QStringList{kSong36, kArtist30, kCode11, "05"}));
  EXPECT_EQ(lineFields(listColumns(Sort::Artist, true, true), line(Sort::Artist, "0007")),
            (QStringList{kArtist30, kSong36, kCode11, "0007", "05"}));
  EXPECT_EQ(lineFields(listColumns(Sort::Track, false, true), line(Sort::Track, "AB", "")),
            (QStringList{"05", kSong36, kArtist30, "AB"}));
  // The code layout cuts the track with the gap after it, and still gives just the digits.
  EXPECT_EQ(lineFields(listColumns(Sort::MfCode, true, true), line(Sort::MfCode, "0007")),
            (QStringList{kCode11, "05", kSong36, kArtist30, "0007"}));
}

TEST(ClipboardText, TabsBetweenFieldsAndCrLfAfterEveryLine) {
  using mainwindow::clipboardListText;
  using mainwindow::listColumns;
  const QString artistLine = line(Sort::Artist, "");
  EXPECT_EQ(clipboardListText(listColumns(Sort::Artist, true, true), {artistLine}),
            "ARTIST\tSONG\tMF CODE\tDISC\tTRACK\r\n" + kArtist30 + "\t" + kSong36 + "\t" + kCode11 + "\t\t05\r\n");
  // A blank number in the last column leaves a tab before the line end.
  EXPECT_EQ(clipboardListText(listColumns(Sort::Track, true, true), {line(Sort::Track, "")}),
            "TRACK\tSONG\tARTIST\tMF CODE\tDISC\r\n05\t" + kSong36 + "\t" + kArtist30 + "\t" + kCode11 + "\t\r\n");
  EXPECT_EQ(clipboardListText({}, {artistLine}), "");
}

TEST(ExportFile, TheTypedNameChoosesTheFormat) {
  using mainwindow::ExportFormat;
  using mainwindow::exportTarget;
  EXPECT_EQ(exportTarget("/d/list.csv").path, "/d/list.csv");
  EXPECT_EQ(exportTarget("/d/list.CSV").format, ExportFormat::Csv);
  EXPECT_EQ(exportTarget("/d/page.htm").format, ExportFormat::Html);
  EXPECT_EQ(exportTarget("/d/page.HTML").format, ExportFormat::Html);
  EXPECT_EQ(exportTarget("/d/page.HTML").path, "/d/page.HTML");
  EXPECT_EQ(exportTarget("/d/list").path, "/d/list.csv");
  EXPECT_EQ(exportTarget("/d/list.txt").path, "/d/list.txt.csv");
  EXPECT_EQ(exportTarget("/d/list.txt").format, ExportFormat::Csv);
}

TEST(ExportFile, CommaDelimitedFieldsAreQuotedOnlyWhenTheyMustBe) {
  const auto columns = mainwindow::listColumns(Sort::Song, true, false);
  const QString plain = catalogue::createListLine(Sort::Song, {"ODA BELL", "RIVER TOWN", "MDX1001", "", "01"});
  const QString commas = catalogue::createListLine(Sort::Song, {"BELL, ODA", "SAY \"HI\"", "MDX1001", "", "02"});
  EXPECT_EQ(mainwindow::csvExportText(columns, {plain, commas}),
            "SONG,ARTIST,MF CODE,TRACK\r\n"
            "RIVER TOWN,ODA BELL,MDX1001,01\r\n"
            "\"SAY \"\"HI\"\"\",\"BELL, ODA\",MDX1001,02\r\n");
  EXPECT_EQ(mainwindow::csvExportText(columns, {}), "SONG,ARTIST,MF CODE,TRACK\r\n");
}

TEST(ExportFile, WebPageFollowsTheTemplateWithItsTextEscaped) {
  const auto columns = mainwindow::listColumns(Sort::Song, true, false);
  const QString l = catalogue::createListLine(
      Sort::Song, {QString::fromUtf8("ZO\u00cb"), "ROCK & ROLL <LIVE>", "SC8123", "", "01"});
  EXPECT_EQ(mainwindow::htmlExportText(columns, {l}, "www.mellowdex.example", "http://www.mellowdex.example"),
            "<HTML>\r\n"
            "<HEAD><TITLE>Mellowdex</TITLE></HEAD>\r\n"
            "<meta name=\"keywords\" content = \"Mellowdex, www.mellowdex.example\" > \r\n"
            "<BODY>\r\n"
            "<H1 align=\"Center\">Mellowdex</H1><P>\r\n"
            "<center>\r\n"
            "<TABLE BORDER=1 cellpadding=\"3\">\r\n"
            "<TR> <TD><b>SONG</b></TD> <TD><b>ARTIST</b></TD> <TD><b>MF CODE</b></TD> <TD><b>TRACK</b></TD> </TR>\r\n"
            "<TR> <TD>ROCK &amp; ROLL &lt;LIVE&gt;</TD> <TD>ZO&#203;</TD> <TD>SC8123</TD> <TD>01</TD> </TR>\r\n"
            "</TABLE>\r\n"
            "</center>\r\n"
            "<p align=\"center\"><font size=\"2\">Created with <a href=\"http://www.mellowdex.example\">Mellowdex</a>"
            "</font><a href=\"http://www.mellowdex.example\">.</a></p>\r\n"
            "</BODY>\r\n"
            "</HTML>\r\n");
}

TEST(UpdateFile, TracksComeFromTheLinesAndTheDatabaseWhereItHasThem) {
  const auto make = [](const QString& code, const QString& track, const QString& song, const QString& artist) {
    return catalogue::createListLine(Sort::Track, {artist, song, code, "", track});
  };
  const QStringList lines{make("ZK101", "01", "LATE TRAIN", "ODA BELL"), make("", "02", "NO CODE", "NOBODY"),
                          make("NEW1", "03", "Fresh Song", "New Band"), make("ZK101", "01", "LATE TRAIN", "ODA BELL")};
  auto tracks = mainwindow::songListTracks(Sort::Track, lines);
  ASSERT_EQ(tracks.size(), 2u);  // no code: left out; the same disc and track: once
  EXPECT_EQ(tracks[1].toLine(), common::TrackRecord::fromFields({"NEW1", "03", "Fresh Song", "New Band"}).toLine());

  const QByteArray database = "\"zk101      \",\"01\",\"Late Train\",\"Oda Bell\"\r\n"
                              "\"zk101      \",\"01\",\"Second Copy\",\"Ignored\"\r\n";
  mainwindow::useStoredRecords(tracks, database);
  const QString text = mainwindow::updateFileText(tracks);
  EXPECT_EQ(text, "\"Mellowdex Update File \"\r\n" +
                      common::TrackRecord::fromFields({"zk101", "01", "Late Train", "Oda Bell"}).toLine() + "\r\n" +
                      common::TrackRecord::fromFields({"NEW1", "03", "Fresh Song", "New Band"}).toLine() + "\r\n");
  EXPECT_TRUE(text.contains("\"zk101      \",\"01\",\"Late Train                          \",\"Oda Bell  "));

  EXPECT_EQ(mainwindow::withKupExtension("/d/new"), "/d/new.kup");
  EXPECT_EQ(mainwindow::withKupExtension("/d/new.KUP"), "/d/new.kup");
  EXPECT_EQ(mainwindow::withKupExtension("/d/new.txt"), "/d/new.txt.kup");
}

// ---------------------------------------------------------------- through the main window

class ClipboardExportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QGuiApplication::clipboard()->setText("kept");
  }
};

TEST_F(ClipboardExportTest, CopyPutsTheHeadedListOnTheClipboard) {
  Form1& f = start();
  prompts.answerMsg(OK);
  f.mnuCopy_Click();
  EXPECT_EQ(prompts.callsOf("msgBox").back().text, "Nothing to copy, please create a list first");
  EXPECT_EQ(prompts.callsOf("msgBox").back().title, "Copy List To Clipboard");
  EXPECT_EQ(clipboardText(), "kept");

  tick("SC8123");
  f.cmdGet_Tracks_Click();
  prompts.answerMsg(OK);
  f.mnu_Copy_List3_Click();
  EXPECT_EQ(clipboardText(), "SONG\tARTIST\tMF CODE\tTRACK\r\n"
                             "MOONLIGHT HARBOUR\tTHE LANTERNS\tSC8123\t01\r\n"
                             "PAPER SKY\tJUNO REED\tSC8123\t02\r\n");
  EXPECT_EQ(prompts.callsOf("msgBox").back().text, "List has been copied");
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

TEST_F(ClipboardExportTest, CopyWithoutACodeOrNumberColumnLeavesTheClipboardAlone) {
  Form1& f = start();
  f.Check1.setValue(0);
  tick("SC8123");
  f.cmdGet_Tracks_Click();
  ASSERT_EQ(f.List2.ListCount(), 2);
  prompts.answerMsg(OK);
  f.Copy_List();
  EXPECT_EQ(clipboardText(), "kept");
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.callsOf("msgBox")[0].text, "Show MF Code or Use my Disc Codes must be selected to Copy");
}

TEST_F(ClipboardExportTest, ExportRefusesWithoutACodeOrNumberColumn) {
  Form1& f = start();
  f.Check1.setValue(0);
  tick("SC8123");
  prompts.answerMsg(OK);
  f.mnuExport_Click();
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "Show MF Code or Use my Disc Codes must be selected to Export");
  EXPECT_EQ(prompts.calls()[0].title, "Export");
  EXPECT_EQ(f.List2.ListCount(), 0);
}

TEST_F(ClipboardExportTest, ExportCreatesTheListFirstAndWritesCommaDelimitedText) {
  Form1& f = start();
  tick("SC8123");
  prompts.answerSaveFile(home.path("songs")).answerMsg(OK);
  f.mnuExport_Click();
  EXPECT_EQ(f.List2.ListCount(), 2);
  EXPECT_EQ(home.readBytes("songs.csv"), QByteArray("SONG,ARTIST,MF CODE,TRACK\r\n"
                                                    "MOONLIGHT HARBOUR,THE LANTERNS,SC8123,01\r\n"
                                                    "PAPER SKY,JUNO REED,SC8123,02\r\n"));
  const auto dialog = prompts.callsOf("saveFile");
  ASSERT_EQ(dialog.size(), 1u);
  EXPECT_EQ(dialog[0].defaultText, "Comma delimited text file (*.csv)|*.csv|Web Page (*.htm)|*.htm");
  EXPECT_EQ(prompts.callsOf("msgBox").back().text, "List has been successfully exported to " + home.path("songs.csv"));
  EXPECT_EQ(prompts.callsOf("msgBox").back().title, "Export");
}

TEST_F(ClipboardExportTest, ExportWritesAWebPageAndAsksBeforeReplacingAFile) {
  Form1& f = start();
  tick("MDX1001");
  home.writeBytes("page.htm", "precious");
  // No keeps the file and shows the dialog again; cancelling there writes nothing.
  prompts.answerSaveFile(home.path("page.htm")).answerMsg(No).answerSaveFile(std::nullopt);
  f.mnuExport_Click();
  EXPECT_EQ(home.readBytes("page.htm"), QByteArray("precious"));
  EXPECT_EQ(prompts.callsOf("msgBox")[0].text, home.path("page.htm") + " already exists.\n\rDo you want to replace it?");
  prompts.answerSaveFile(home.path("page.htm")).answerMsg(Yes).answerMsg(OK);
  f.mnuExport_Click();
  const QByteArray page = home.readBytes("page.htm");
  EXPECT_TRUE(page.startsWith("<HTML>\r\n<HEAD><TITLE>Mellowdex</TITLE></HEAD>\r\n"));
  EXPECT_TRUE(page.contains("\r\n<TR> <TD>RIVER TOWN</TD> <TD>ODA BELL</TD> <TD>MDX1001</TD> <TD>01</TD> </TR>\r\n"));
  EXPECT_TRUE(page.endsWith("</BODY>\r\n</HTML>\r\n"));
}

TEST_F(ClipboardExportTest, AnExportThatCannotBeWrittenSaysSoAndAsksAgain) {
  Form1& f = start();
  tick("SC8123");
  QDir(home.path()).mkdir("taken.csv");
  prompts.answerSaveFile(home.path("taken.csv")).answerMsg(Yes).answerMsg(OK).answerSaveFile(std::nullopt);
  f.mnuExport_Click();
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[1].text, "This file is read only. Please use another file name");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 2u);
}

TEST_F(ClipboardExportTest, NothingTickedMeansCreateListRefusesAndNothingIsAsked) {
  Form1& f = start();
  prompts.answerMsg(OK);
  f.mnuExport_Click();
  prompts.answerMsg(OK);
  f.mnuUpdate_File_Click();
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "Please tick your disc MF Codes first");
  EXPECT_EQ(msgs[1].text, "Please tick your disc MF Codes first");
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
}

TEST_F(ClipboardExportTest, UpdateFileHoldsTheDatabaseRecordsOfTheListedTracks) {
  Form1& f = start();
  tick("zk101");
  tick("SC8123");
  prompts.answerSaveFile(home.path("share")).answerMsg(OK);
  f.mnuUpdate_File_Click();
  // The list shows ZK101 in capitals; the file keeps the disc code the database has.
  EXPECT_EQ(home.readBytes("share.kup"),
            "\"Mellowdex Update File \"\r\n" +
                (testsupport::trackLine("zk101", "01", "LATE TRAIN", "ODA BELL") + "\r\n" +
                 testsupport::trackLine("SC8123", "01", "MOONLIGHT HARBOUR", "THE LANTERNS") + "\r\n" +
                 testsupport::trackLine("SC8123", "02", "PAPER SKY", "JUNO REED") + "\r\n")
                    .toLatin1());
  EXPECT_EQ(prompts.callsOf("saveFile")[0].defaultText, "Mellowdex Update File (*.kup)|*.kup");
  EXPECT_EQ(prompts.callsOf("msgBox").back().text, "Update file has been successfully written to " + home.path("share.kup"));
}

TEST_F(ClipboardExportTest, UpdateFileNeedsTheDiscCodesInTheList) {
  Form1& f = start();
  f.Check1.setValue(0);
  f.Check2.setValue(1);
  prompts.answerInput("1");
  tick("SC8123");
  f.cmdGet_Tracks_Click();
  prompts.answerMsg(OK);
  f.mnuUpdate_File_Click();
  EXPECT_EQ(prompts.callsOf("msgBox").back().text, "Show MF Code must be selected to create an update file");
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
  EXPECT_TRUE(QDir(home.path()).entryList({"*.kup"}).isEmpty());
}
