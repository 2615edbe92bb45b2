// The clipboard copy, the export file and the update file through the main window.
#include "main_window_fixture.h"

#include "catalogue/export_writers.h"
#include "platform/ui/prompts.h"
#include "platform/ui/qt_prompts.h"
#include "windows/database/Rename_Disc.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;

namespace {

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

}  // namespace

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
  choose(f.mnuCopy);
  const auto refused = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(refused[0].text, "Nothing to copy, please create a list first");
  EXPECT_EQ(refused[0].title, "Copy List To Clipboard");
  EXPECT_EQ(clipboardText(), "kept");

  tick("SC8123");
  press(f.cmdGet_Tracks);
  // The Edit menu's entry and each popup's copy the same.
  size_t told = 1;
  for (platform::MenuItem* entry : {&f.mnuCopy, &f.mnu_Copy_List3, &f.mnu_Copy_List, &f.mnu_Copy_List2}) {
    SCOPED_TRACE(entry->name().toStdString());
    QGuiApplication::clipboard()->setText("kept");
    prompts.answerMsg(OK);
    choose(*entry);
    EXPECT_EQ(clipboardText(),
              "SONG\tARTIST\tMF CODE\tTRACK\r\n"
              "MOONLIGHT HARBOUR\tTHE LANTERNS\tSC8123\t01\r\n"
              "PAPER SKY\tJUNO REED\tSC8123\t02\r\n");
    ++told;
    EXPECT_EQ(prompts.expectCalls("msgBox", told)[told - 1].text, "List has been copied");
  }
  EXPECT_EQ(f.mousePointer(), platform::MousePointer::Default);
}

TEST_F(ClipboardExportTest, CopyWithoutACodeOrNumberColumnLeavesTheClipboardAlone) {
  Form1& f = start();
  f.Check1.setValue(0);
  tick("SC8123");
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 2);
  prompts.answerMsg(OK);
  choose(f.mnuCopy);
  EXPECT_EQ(clipboardText(), "kept");
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Show MF Code or Use my Disc Codes must be selected to Copy");
}

TEST_F(ClipboardExportTest, ExportRefusesWithoutACodeOrNumberColumn) {
  Form1& f = start();
  f.Check1.setValue(0);
  tick("SC8123");
  prompts.answerMsg(OK);
  press(f.cmdExport);  // the entry waits for a list
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, "Show MF Code or Use my Disc Codes must be selected to Export");
  EXPECT_EQ(prompts.calls()[0].title, "Export");
  EXPECT_EQ(f.List2.ListCount(), 0);
}

TEST_F(ClipboardExportTest, ExportCreatesTheListFirstAndWritesCommaDelimitedText) {
  Form1& f = start();
  tick("SC8123");
  prompts.answerSaveFile(home.path("songs")).answerMsg(OK);
  press(f.cmdExport);  // the entry waits for a list
  EXPECT_EQ(f.List2.ListCount(), 2);
  EXPECT_EQ(home.readBytes("songs.csv"), QByteArray("SONG,ARTIST,MF CODE,TRACK\r\n"
                                                    "MOONLIGHT HARBOUR,THE LANTERNS,SC8123,01\r\n"
                                                    "PAPER SKY,JUNO REED,SC8123,02\r\n"));
  const auto dialog = prompts.callsOf("saveFile");
  ASSERT_EQ(dialog.size(), 1u);
  EXPECT_EQ(dialog[0].defaultText, "Comma delimited text file (*.csv)|*.csv|Web Page (*.htm)|*.htm");
  const auto told = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(told[0].text, "List has been successfully exported to " + home.path("songs.csv"));
  EXPECT_EQ(told[0].title, "Export");
  // The File menu's entry, offered now that a list exists, writes the same file.
  prompts.answerSaveFile(home.path("again")).answerMsg(OK);
  choose(f.mnuExport);
  EXPECT_EQ(home.readBytes("again.csv"), home.readBytes("songs.csv"));
}

TEST_F(ClipboardExportTest, ExportWritesAWebPageAndAsksBeforeReplacingAFile) {
  Form1& f = start();
  tick("MDX1001");
  home.writeBytes("page.htm", "precious");
  // No keeps the file and shows the dialog again; cancelling there writes nothing.
  prompts.answerSaveFile(home.path("page.htm")).answerMsg(No).answerSaveFile(std::nullopt);
  press(f.cmdExport);  // the entry waits for a list
  EXPECT_EQ(home.readBytes("page.htm"), QByteArray("precious"));
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            home.path("page.htm") + " already exists.\n\rDo you want to replace it?");
  prompts.answerSaveFile(home.path("page.htm")).answerMsg(Yes).answerMsg(OK);
  press(f.cmdExport);  // the entry waits for a list
  const QByteArray page = home.readBytes("page.htm");
  EXPECT_TRUE(page.startsWith("<HTML>\r\n<HEAD><TITLE>Mellowdex</TITLE></HEAD>\r\n"));
  EXPECT_TRUE(page.contains("\r\n<TR> <TD>RIVER TOWN</TD> <TD>ODA BELL</TD> <TD>MDX1001</TD> <TD>01</TD> </TR>\r\n"));
  EXPECT_TRUE(page.endsWith("</BODY>\r\n</HTML>\r\n"));
}

// The name the export writes, from the name typed in the dialog with the type chosen there, in
// the dialog's own filter: a web page keeps ".htm" or ".html", the text file ".csv".
TEST(ExportName, TheTypedNameKeepsAnExtensionOfItsTypeWhateverItsCase) {
  const QString shown = platform::toQtFilter(catalogue::kExportFilter);
  const QString csv = shown.split(";;").at(0), web = shown.split(";;").at(1);
  const auto written = [&](const QString& typed, const QString& type) {
    return catalogue::exportTarget(platform::withChosenExtension(typed, type, shown));
  };
  struct Case {
    QString typed, type, path;
    catalogue::ExportFormat format;
  } cases[] = {
      {"/d/list.html", web, "/d/list.html", catalogue::ExportFormat::Html},
      {"/d/list.HTM", web, "/d/list.HTM", catalogue::ExportFormat::Html},
      {"/d/list.Html", csv, "/d/list.Html", catalogue::ExportFormat::Html},
      {"/d/list.", web, "/d/list.htm", catalogue::ExportFormat::Html},
      {"/d/list.", csv, "/d/list.csv", catalogue::ExportFormat::Csv},
      {"/d/list.CSV", web, "/d/list.CSV", catalogue::ExportFormat::Csv},
      {"/d/list", web, "/d/list.htm", catalogue::ExportFormat::Html},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString() + " as " + c.type.toStdString());
    EXPECT_EQ(written(c.typed, c.type).path, c.path);
    EXPECT_EQ(written(c.typed, c.type).format, c.format);
  }
}

// A folder of the name is refused without asking first whether to replace it; a folder that
// does not exist is named as such.
TEST_F(ClipboardExportTest, AnExportThatCannotBeWrittenSaysSoAndAsksAgain) {
  Form1& f = start();
  tick("SC8123");
  QDir(home.path()).mkdir("taken.csv");
  prompts.answerSaveFile(home.path("taken.csv")).answerMsg(OK);
  prompts.answerSaveFile(home.path("nowhere/list.csv")).answerMsg(OK).answerSaveFile(std::nullopt);
  press(f.cmdExport);  // the entry waits for a list
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "This file is read only. Please use another file name");
  EXPECT_EQ(msgs[1].text, "The folder " + home.path("nowhere") + " does not exist.\n\rPlease choose another folder.");
  EXPECT_EQ(msgs[1].title, "Export");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 3u);
}

TEST_F(ClipboardExportTest, NothingTickedMeansCreateListRefusesAndNothingIsAsked) {
  Form1& f = start();
  prompts.answerMsg(OK);
  triggerUnoffered(f.mnuExport);  // disabled until a list exists: its own refusal
  prompts.answerMsg(OK);
  triggerUnoffered(f.mnuUpdate_File);  // disabled too until a list exists
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "Please tick your disc MF Codes first");
  EXPECT_EQ(msgs[1].text, "Please tick your disc MF Codes first");
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
}

// A track of a ticked disc that the list hides is not in the file, and the message says so.
TEST_F(ClipboardExportTest, UpdateFileHoldsTheDatabaseRecordsOfTheListedTracks) {
  Form1& f = start();
  tick("zk101");
  tick("SC8123");
  tick("PK-0042");
  prompts.answerSaveFile(home.path("share")).answerMsg(OK);
  press(f.cmdGet_Tracks);   // the entry waits for a list
  choose(f.mnuHide_Vocal);  // the song list's popup
  choose(f.mnuUpdate_File);
  // The list shows ZK101 in capitals; the file keeps the disc code the database has.
  EXPECT_EQ(home.readBytes("share.kup"),
            "\"Mellowdex Update File \"\r\n" +
                (testsupport::trackLine("zk101", "01", "LATE TRAIN", "ODA BELL") + "\r\n" +
                 testsupport::trackLine("SC8123", "01", "MOONLIGHT HARBOUR", "THE LANTERNS") + "\r\n" +
                 testsupport::trackLine("SC8123", "02", "PAPER SKY", "JUNO REED") + "\r\n")
                    .toLatin1());
  EXPECT_EQ(prompts.expectCalls("saveFile", 1)[0].defaultText, "Mellowdex Update File (*.kup)|*.kup");
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "Update file has been successfully written to " + home.path("share.kup") +
                "\r1 track of the ticked discs that the list hides is not in it.");
}

// Each line is written as the record it was made from: case twins, and a code longer than the 11
// characters a line shows, each keep their own disc. From a reopened list, a line that fits two
// discs, or one disc whose track does not hold it, is left out and named, and the file is not
// called complete.
TEST_F(ClipboardExportTest, UpdateFileWritesEachLineUnderItsOwnDisc) {
  using testsupport::trackLine;
  const auto twelve = [](const QString& track, const QString& song) {
    return "\"ABCDEFGHIJKL\",\"" + track + "\",\"" + song.leftJustified(36) + "\",\"" + QString("D").leftJustified(30) +
           "\"";
  };
  const QString small = trackLine("tr0003", "01", "SMALL", "A"), big = trackLine("TR0003", "01", "BIG", "B"),
                eleven = trackLine("ABCDEFGHIJK", "01", "ELEVEN ONE", "C"), twelveOne = twelve("01", "TWELVE ONE"),
                twelveTwo = twelve("02", "TWELVE TWO");
  home.writeLines("watdi.bxl", {testsupport::discLine("tr0003"), testsupport::discLine("TR0003"),
                                testsupport::discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""});
  home.writeLines("watka.bxl", {small, big, eleven, twelveOne, twelveTwo});
  const auto file = [](const QStringList& records) {
    return ("\"Mellowdex Update File \"\r\n" + records.join("\r\n") + "\r\n").toLatin1();
  };
  Form1& f = start();
  f.cmbSearch_text.setText("TAVREL CLICK ALL");  // Tick All
  ASSERT_EQ(f.List2.ListCount(), 5);
  prompts.answerSaveFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdSave.widget(), Qt::LeftButton);
  prompts.answerSaveFile(home.path("share")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(home.readBytes("share.kup"), file({big, eleven, small, twelveOne, twelveTwo}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "Update file has been successfully written to " + home.path("share.kup"));

  prompts.answerOpenFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  prompts.answerSaveFile(home.path("again")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  // tr0003 shows a small letter, and only ABCDEFGHIJKL holds a track 02: those lines fit one disc.
  EXPECT_EQ(home.readBytes("again.kup"), file({small, twelveTwo}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text,
            "Update file has been written to " + home.path("again.kup") +
                " without these lines:\r"
                "TR0003 track 01 (BIG) fits tr0003, TR0003\r"
                "ABCDEFGHIJK track 01 (ELEVEN ONE) fits ABCDEFGHIJK, ABCDEFGHIJKL\r"
                "ABCDEFGHIJK track 01 (TWELVE ONE) fits ABCDEFGHIJK, ABCDEFGHIJKL");

  // The own tracks of the BIG and ELEVEN ONE lines gone, each line fits one other disc, whose track
  // does not hold it: the line is left out and named, never written as that track.
  home.writeLines("watka.bxl", {small, twelveOne, twelveTwo});
  prompts.answerSaveFile(home.path("third")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(home.readBytes("third.kup"), file({small, twelveOne, twelveTwo}));
  EXPECT_EQ(prompts.expectCalls("msgBox", 3).back().text,
            "Update file has been written to " + home.path("third.kup") +
                " without these lines:\r"
                "Track 01 of disc tr0003 no longer holds \"BIG\" by \"B\".\r"
                "Track 01 of disc ABCDEFGHIJKL no longer holds \"ELEVEN ONE\" by \"C\".\r"
                "Create List brings the list up to date.");
}

// A line whose record is gone is never written from its own text: a file that did would put back,
// on every copy it reaches, a track deleted or a code changed since the line was made.
TEST_F(ClipboardExportTest, UpdateFileLeavesOutEveryLineWhoseRecordIsGone) {
  using testsupport::trackLine;
  const QString harbour = trackLine("SC8123", "01", "MOONLIGHT HARBOUR", "THE LANTERNS");
  home.writeLines("watdi.bxl", {testsupport::discLine("SC8123"), testsupport::discLine("LONG1")});
  home.writeLines("watka.bxl", {harbour, trackLine("SC8123", "02", "PAPER SKY", "JUNO REED"),
                                trackLine("LONG1", "01", "FIRST", "A"), trackLine("LONG1", "02", "SECOND", "B")});
  const QByteArray header = "\"Mellowdex Update File \"\r\n";
  Form1& f = start();
  tick("SC8123");
  tick("LONG1");
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 4);
  prompts.answerSaveFile(home.path("list.mdq"));
  QTest::mouseClick(f.cmdSave.widget(), Qt::LeftButton);

  // Another copy's update took track 02 away: the line made from it names its record, now gone.
  home.writeLines("watka.bxl",
                  {harbour, trackLine("LONG1", "01", "FIRST", "A"), trackLine("LONG1", "02", "SECOND", "B")});
  prompts.answerSaveFile(home.path("own")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(home.readBytes("own.kup"), header + (trackLine("LONG1", "01", "FIRST", "A") + "\r\n" + harbour + "\r\n" +
                                                 trackLine("LONG1", "02", "SECOND", "B") + "\r\n")
                                                    .toLatin1());
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "Update file has been written to " + home.path("own.kup") +
                " without these lines:\r"
                "Track 02 of disc SC8123 no longer holds \"PAPER SKY\" by \"JUNO REED\".\r"
                "Create List brings the list up to date.");

  // The disc's code changed here, the saved list reopened: its lines still show the old code.
  f.List1.setListIndex(row("LONG1"));
  prompts.onModal([](platform::FormBase& w) {
    auto& d = dynamic_cast<Rename_Disc&>(w);
    d.Text2.setText("LONG2");
    press(d.Command1);
  });
  prompts.answerMsg(No);
  choose(f.mnu_Change_Disc_Code);
  ASSERT_TRUE(home.readBytes("watka.bxl").contains("LONG2"));
  prompts.answerOpenFile(home.path("list.mdq")).answerMsg(OK);  // LONG1 is named as gone
  QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  ASSERT_EQ(f.List2.ListCount(), 4);
  prompts.answerSaveFile(home.path("reopened")).answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(home.readBytes("reopened.kup"), header + (harbour + "\r\n").toLatin1());
  EXPECT_EQ(prompts.expectCalls("msgBox", 4).back().text,
            "Update file has been written to " + home.path("reopened.kup") +
                " without these lines:\r"
                "Track 01 of disc LONG1 no longer holds \"FIRST\" by \"A\".\r"
                "Track 02 of disc SC8123 no longer holds \"PAPER SKY\" by \"JUNO REED\".\r"
                "Track 02 of disc LONG1 no longer holds \"SECOND\" by \"B\".\r"
                "Create List brings the list up to date.");

  // No line names a record the database holds: nothing is written, and each line is named.
  home.writeLines("watka.bxl", {trackLine("LONG2", "01", "FIRST", "A")});
  prompts.answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(prompts.expectCalls("msgBox", 5).back().text,
            "No update file has been written: no line names one track that still holds it.\r"
            "Track 01 of disc LONG1 no longer holds \"FIRST\" by \"A\".\r"
            "Track 01 of disc SC8123 no longer holds \"MOONLIGHT HARBOUR\" by \"THE LANTERNS\".\r"
            "Track 02 of disc SC8123 no longer holds \"PAPER SKY\" by \"JUNO REED\".\r"
            "Track 02 of disc LONG1 no longer holds \"SECOND\" by \"B\".\r"
            "Create List brings the list up to date.");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 3u);
}

TEST_F(ClipboardExportTest, UpdateFileNeedsTheDiscCodesInTheList) {
  Form1& f = start();
  f.Check1.setValue(0);
  f.Check2.setValue(1);
  prompts.answerInput("1");
  tick("SC8123");
  press(f.cmdGet_Tracks);
  prompts.answerMsg(OK);
  choose(f.mnuUpdate_File);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Show MF Code must be selected to create an update file");
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
  EXPECT_TRUE(QDir(home.path()).entryList({"*.kup"}).isEmpty());
}
