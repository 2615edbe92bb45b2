// Saved song-list files: the exact bytes Save writes, Open in all its forms, and the merge.
#include "main_window_fixture.h"

#include "catalogue/song_list_file.h"
#include "platform/ui/prompts.h"
#include "windows/frmMerge.h"

#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;
using testsupport::quotedLinesBytes;

namespace {

QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
const QByteArray kSep = QByteArray(58, '-');

}  // namespace

class SongListFileTest : public MainWindowTest {
 protected:
  QString save(const QString& typed) {
    prompts.answerSaveFile(home.path(typed));
    press(form->cmdSave);
    return home.path(typed);
  }
  void open(const QString& path) {
    prompts.answerOpenFile(path);
    press(form->cmdOpen);
  }
};

TEST_F(SongListFileTest, SaveWritesTheVersionTwoFileByteForByte) {
  Form1& f = start();
  tick("SC8123");
  f.Text1.setText("Friday at the Anchor");
  press(f.cmdGet_Tracks);
  save("Party");
  EXPECT_EQ(home.readBytes("Party.mdq"),
            quotedLinesBytes(
                {"MELLOWDEX CD SELECTION FILE2", "Friday at the Anchor", "SONG", "MF TRUE", "REF FALSE", "DUP FALSE",
                 "SC8123     ", kSep,
                 (pad("MOONLIGHT HARBOUR", 36) + pad("THE LANTERNS", 30) + pad("SC8123", 15) + "    01").toLatin1(),
                 (pad("PAPER SKY", 36) + pad("JUNO REED", 30) + pad("SC8123", 15) + "    02").toLatin1()}));
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());  // success says nothing
}

// The header box refuses a letter the file cannot hold as it is typed: nothing is saved as "?".
TEST_F(SongListFileTest, TheHeaderBoxRefusesALetterTheFileCannotHold) {
  Form1& f = start();
  tick("SC8123");
  QApplication::setActiveWindow(f.window());
  QTest::mouseClick(f.Text1.widget(), Qt::LeftButton);
  QCoreApplication::processEvents();  // the click selects the whole header
  prompts.answerMsg(OK).answerMsg(OK);
  testsupport::typeInto(f.Text1.widget(), QStringLiteral("\u0141\u00d3D\u0179 KARAOKE"));
  const auto refused = prompts.callsOf("msgBox");
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(
      refused[0].text,
      QStringLiteral("The song list header cannot hold the character \"\u0141\".\n\rPlease try again without it."));
  EXPECT_EQ(refused[1].title, "Mellowdex");
  save("Lodz");
  EXPECT_TRUE(home.readBytes("Lodz.mdq")
                  .startsWith("\"MELLOWDEX CD SELECTION FILE2\"\r\n\"\xd3"
                              "D KARAOKE\"\r\n"));
}

// A header pasted with its line break stays one value: the options after it keep their lines.
TEST_F(SongListFileTest, APastedHeaderIsOneLineOfTheFile) {
  Form1& f = start();
  tick("SC8123");
  f.Text1.setText("");
  prompts.answerMsg(OK);
  testsupport::pasteInto(f.Text1.widget(), "FRIDAY\nAT THE ANCHOR");
  EXPECT_EQ(f.Text1.Text(), "");
  testsupport::pasteInto(f.Text1.widget(), "FRIDAY\tAT THE \"ANCHOR\"\r\n");  // quotes dropped, as typed ones are
  EXPECT_EQ(f.Text1.Text(), "FRIDAY AT THE ANCHOR");
  save("Anchor");
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The song list header cannot hold a line break.\n\rPlease try again without it.");
  EXPECT_EQ(home.readBytes("Anchor.mdq"),
            quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "FRIDAY AT THE ANCHOR", "SONG", "MF TRUE", "REF FALSE",
                              "DUP FALSE", "SC8123     ", kSep}));
}

// A list saved when the header could hold a tab opens with a blank in its place, and saves again.
TEST_F(SongListFileTest, AHeaderWithATabFromAnOlderFileSavesWithABlank) {
  home.writeBytes("old.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "FRIDAY\tAT THE ANCHOR", "SONG",
                                               "MF TRUE", "REF FALSE", "DUP FALSE", "SC8123     ", kSep}));
  Form1& f = start();
  open(home.path("old.mdq"));
  EXPECT_EQ(f.Text1.Text(), "FRIDAY AT THE ANCHOR");
  save("again");
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_TRUE(
      home.readBytes("again.mdq").startsWith("\"MELLOWDEX CD SELECTION FILE2\"\r\n\"FRIDAY AT THE ANCHOR\"\r\n"));
}

TEST_F(SongListFileTest, SaveKeepsOwnNumbersSortAndOptions) {
  // A disc stored without its padding (an update file's) is saved padded, and comes back with its number.
  home.writeBytes("watdi.bxl", home.readBytes("watdi.bxl") + "\"SHORT\"\r\n");
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("7").answerInput("8");
  tick("MDX1001");
  tick("SHORT");
  f.Option1.setValue(true);
  f.Check3.setValue(1);
  save("Mine.MDQ");
  EXPECT_EQ(home.readBytes("Mine.mdq"),
            quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "SONG LIST HEADER HERE", "ARTIST", "MF FALSE", "REF TRUE",
                              "DUP TRUE", "MDX1001    0007", "SHORT      0008", kSep}));
  EXPECT_FALSE(QFileInfo::exists(home.path("Mine.MDQ.mdq")));
  open(home.path("Mine.mdq"));
  EXPECT_TRUE(f.List1.items().contains("SHORT0008")) << f.List1.items().join("|").toStdString();
  EXPECT_EQ(f.List1.SelCount(), 2);
}

TEST_F(SongListFileTest, SaveWritesTheKeywordOfEachSort) {
  Form1& f = start();
  testsupport::clickRow(f.List1, row("zk101"), Qt::LeftButton, Qt::NoModifier, testsupport::RowPart::CheckBox);
  const std::pair<platform::OptionButton*, QByteArray> sorts[] = {
      {&f.Option3, "TRACK"}, {&f.Option5, "MF CODE"}, {&f.Option2, "SONG"}};
  for (const auto& [option, keyword] : sorts) {
    option->setValue(true);
    if (option == &f.Option5) {  // from the File menu
      prompts.answerSaveFile(home.path(keyword + ".mdq"));
      choose(f.mnuSave);
    } else {
      save(keyword + ".mdq");
    }
    EXPECT_TRUE(home.readBytes(keyword + ".mdq").contains("\r\n\"" + keyword + "\"\r\n\"MF TRUE\""))
        << keyword.constData();
  }
}

TEST_F(SongListFileTest, SaveRefusesWithoutATickAndCancelWritesNothing) {
  Form1& f = start();
  prompts.answerMsg(OK);
  press(f.cmdSave);
  const auto refused = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(refused[0].text, "Please create a list first, nothing to Save");
  EXPECT_EQ(refused[0].title, "Save");
  tick("SC8123");
  prompts.answerSaveFile(std::nullopt);
  press(f.cmdSave);
  const auto dialog = prompts.expectCalls("saveFile", 1);
  EXPECT_EQ(dialog[0].text, "*.mdq");
  EXPECT_EQ(dialog[0].title, "Mellowdex");
  EXPECT_TRUE(QDir(home.path()).entryList({"*.mdq"}).isEmpty());
}

TEST_F(SongListFileTest, OverwriteIsAskedForTheNameActuallyWritten) {
  Form1& f = start();
  tick("SC8123");
  home.writeBytes("Party.mdq", "precious");
  prompts.answerSaveFile(home.path("Party")).answerMsg(No).answerSaveFile(std::nullopt);
  press(f.cmdSave);
  EXPECT_EQ(home.readBytes("Party.mdq"), QByteArray("precious"));
  const auto asked = prompts.callsOf("msgBox");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].text.startsWith(home.path("Party.mdq")));
  EXPECT_EQ(asked[0].style & platform::msg::DefaultButton2, platform::msg::DefaultButton2);
  prompts.answerSaveFile(home.path("Party")).answerMsg(Yes);
  press(f.cmdSave);
  EXPECT_TRUE(home.readBytes("Party.mdq").startsWith("\"MELLOWDEX CD SELECTION FILE2\""));
}

TEST_F(SongListFileTest, AFolderNameIsReadOnlyAndTheSaveStartsAgain) {
  Form1& f = start();
  tick("SC8123");
  QDir(home.path()).mkdir("Folder.mdq");
  prompts.answerSaveFile(home.path("Folder")).answerMsg(OK).answerSaveFile(std::nullopt);
  press(f.cmdSave);
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);  // no question whether to replace the folder
  EXPECT_EQ(msgs[0].text, "This file is read only. Please use another file name");
  EXPECT_EQ(msgs[0].title, "Read Only File");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 2u);
}

TEST_F(SongListFileTest, ADoubleQuoteCannotReachTheSavedHeader) {
  home.writeBytes("watka.bxl", home.readBytes("watka.bxl") + "SC8123,03,SAY \"HI\",JO\r\n");
  Form1& f = start();
  // Typed into the header box, a double quote is dropped and other keys stay as typed.
  QApplication::setActiveWindow(f.window());
  QTest::mouseClick(f.Text1.widget(), Qt::LeftButton, {}, f.Text1.widget()->rect().center());
  QCoreApplication::processEvents();
  QTest::keyClicks(QApplication::focusWidget(), "a\"b");
  EXPECT_EQ(f.Text1.Text(), "ab");
  tick("SC8123");
  f.Text1.setText("The \"Big\" Night");  // pasted
  press(f.cmdGet_Tracks);
  save("q.mdq");
  open(home.path("q.mdq"));
  EXPECT_EQ(f.Text1.Text(), "The 'Big' Night");
  // A song of a hand-edited track file with a quote inside keeps its line whole.
  EXPECT_EQ(f.List2.ListCount(), 3);
  EXPECT_GE(f.List2.items().indexOf(QRegularExpression("^SAY 'HI' +JO +SC8123 +03$")), 0)
      << f.List2.items().join('|').toStdString();
}

TEST_F(SongListFileTest, SaveThenOpenRestoresEveryControl) {
  Form1& f = start();
  f.Check2.setValue(1);
  prompts.answerInput("12").answerInput("ab");
  tick("SC8123");
  tick("zk101");
  f.Check1.setValue(1);
  f.Option1.setValue(true);
  f.TabStrip1.setSelectedIndex(2);
  f.Check5.setValue(0);
  press(f.cmdGet_Tracks);
  f.Text1.setText("Saturday");
  const QStringList lines = f.List2.items();
  save("round.mdq");

  press(f.cmdUntag);
  f.Option2.setValue(true);
  f.Check1.setValue(0);
  f.Check2.setValue(0);
  open(home.path("round.mdq"));
  EXPECT_EQ(f.Text1.Text(), "Saturday");
  EXPECT_TRUE(f.Option1.Value());
  EXPECT_EQ(f.TabStrip1.SelectedIndex(), 2);
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_EQ(f.Check2.Value(), 1);
  EXPECT_EQ(f.Check3.Value(), 0);
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     0012");
  EXPECT_EQ(f.List1.List(row("zk101")), "zk101      AB  ");
  EXPECT_EQ(f.List2.items(), lines);  // the saved lines, in their saved case
  EXPECT_TRUE(f.List2.Visible());
  EXPECT_TRUE(f.TabStrip1.Visible());
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 3");
  EXPECT_EQ(f.Label1.Caption(), "Discs = 2");
  EXPECT_FALSE(f.Ticking_In_Code);
  EXPECT_FALSE(f.Opening_File);
  EXPECT_FALSE(f.Frame1.Visible());
  for (auto* m : {&f.mnuSave, &f.mnuExport, &f.mnuUpdate_File, &f.mnuPrint, &f.mnuFull_Screen, &f.mnuHide_Vocal_Tracks})
    EXPECT_TRUE(m->Enabled()) << m->name().toStdString();
  EXPECT_TRUE(prompts.callsOf("inputBox").size() == 2u);  // no number was asked for again
}

// The File menu's Save writes what the button writes, its Open reads it back, and its Merge
// opens the merge window.
TEST_F(SongListFileTest, TheFileMenuSavesOpensAndMerges) {
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  save("button.mdq");
  prompts.answerSaveFile(home.path("menu"));
  choose(f.mnuSave);
  EXPECT_EQ(home.readBytes("menu.mdq"), home.readBytes("button.mdq"));

  choose(f.mnuUntick);
  ASSERT_EQ(f.List2.ListCount(), 0);
  prompts.answerOpenFile(home.path("menu.mdq"));
  choose(f.mnuOpen);
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.List2.ListCount(), 2);

  QString title;
  prompts.onModal([&](platform::FormBase& w) { title = w.Caption(); });
  choose(f.mnuMerge);
  EXPECT_EQ(title, "Merge Files");
}

TEST_F(SongListFileTest, AFileWithoutLinesIsRebuiltOrOnlyRestoresTicks) {
  home.writeBytes("t.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "TRACK", "MF TRUE", "REF FALSE",
                                             "DUP FALSE", "SC8123     ", kSep}));
  Form1& f = start();
  open(home.path("t.mdq"));
  EXPECT_EQ(f.List2.ListCount(), 2);  // Create List ran
  EXPECT_TRUE(f.List2.List(0).startsWith("01    MOONLIGHT HARBOUR"));
  f.chkOpen.setValue(0);
  open(home.path("t.mdq"));
  EXPECT_EQ(f.List2.ListCount(), 0);
  EXPECT_FALSE(f.List2.Visible());
  EXPECT_FALSE(f.TabStrip1.Visible());
  EXPECT_EQ(f.List1.SelCount(), 1);
}

TEST_F(SongListFileTest, LinesAfterTheSeparatorAreNotReadWithoutCreateListAfterOpen) {
  home.writeBytes("l.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF FALSE",
                                             "DUP FALSE", "SC8123     ", kSep, "SOME SAVED LINE"}));
  Form1& f = start();
  f.chkOpen.setValue(0);
  open(home.path("l.mdq"));
  EXPECT_EQ(f.List2.ListCount(), 0);
  f.chkOpen.setValue(1);
  open(home.path("l.mdq"));
  EXPECT_EQ(f.List2.items(), QStringList{"SOME SAVED LINE"});
}

TEST_F(SongListFileTest, VersionOneFilesRebuildTheListWhenAsked) {
  home.writeBytes("v1.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE", "Old", "ARTIST", "MF TRUE", "REF FALSE",
                                              "DUP FALSE", "MDX1001    ", "zk101      "}));
  Form1& f = start();
  open(home.path("v1.mdq"));
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_EQ(f.List2.ListCount(), 2);
  EXPECT_TRUE(f.List2.List(0).startsWith("ODA BELL"));
  f.chkOpen.setValue(0);
  prompts.answerOpenFile(home.path("v1.mdq"));
  choose(f.mnuOpen);  // the File menu's entry
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_EQ(f.List2.ListCount(), 0);
}

TEST_F(SongListFileTest, DiscLinesDecideOwnNumbersAndUnknownDiscsAreDropped) {
  home.writeDiscs({"SC8123", "SC8123", "MDX1001"});
  home.writeBytes("d.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF FALSE",
                                             "DUP FALSE", "SC8123     0042", "GONE99     ", "OLD-7      0003", kSep}));
  Form1& f = start();
  f.chkOpen.setValue(0);
  prompts.answerOpenFile(home.path("d.mdq")).answerMsg(OK);
  press(f.cmdOpen);
  EXPECT_EQ(f.Check2.Value(), 1);    // a 15-character disc line
  EXPECT_EQ(f.List1.SelCount(), 2);  // both items of the code
  EXPECT_EQ(f.List1.List(1), "SC8123     0042");
  EXPECT_EQ(f.List1.List(2), "SC8123     0042");
  // The discs the database no longer holds are named, once.
  const auto told = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(told[0].text,
            "This list ticks discs that the database no longer holds:\rGONE99\rOLD-7\r\r"
            "Create List leaves their songs out.");
  EXPECT_EQ(told[0].title, "Open");

  // A code of 12 characters (only an update file makes one) is a disc of its own, no code of 11
  // with a number: it comes back ticked, the disc of its first 11 characters keeps its text and
  // stays unticked, and the numbers stay off as the file says.
  home.writeLines("watdi.bxl", {testsupport::discLine("ABCDEFGHIJK"), "\"ABCDEFGHIJKL\""});
  home.writeLines("watka.bxl", {testsupport::trackLine("ABCDEFGHIJK", "01", "ELEVEN", "X"),
                                "\"ABCDEFGHIJKL\",\"01\",\"TWELVE\",\"Y\""});
  QTest::mouseClick(f.Check2.widget(), Qt::LeftButton);  // the numbers off: the disc list reloads
  ASSERT_EQ(f.Check2.Value(), 0);
  tick("ABCDEFGHIJKL");
  save("twelve.mdq");
  ASSERT_TRUE(home.readBytes("twelve.mdq").contains("\"REF FALSE\"\r\n\"DUP FALSE\"\r\n\"ABCDEFGHIJKL\"\r\n"));
  press(f.cmdUntag);
  open(home.path("twelve.mdq"));
  EXPECT_EQ(f.List1.items(), (QStringList{"ABCDEFGHIJK", "ABCDEFGHIJKL"}));
  EXPECT_FALSE(f.List1.Selected(0));
  EXPECT_TRUE(f.List1.Selected(1));
  EXPECT_EQ(f.Check2.Value(), 0);
  press(f.cmdGet_Tracks);
  ASSERT_EQ(f.List2.ListCount(), 1);  // the disc's own track, not that of its first 11 characters
  EXPECT_TRUE(f.List2.List(0).startsWith("TWELVE "));
  EXPECT_EQ(f.List2.List(0).mid(77, 4), "    ");  // DISC

  // With the user's number it is saved whole and comes back whole, number and all.
  QTest::mouseClick(f.Check2.widget(), Qt::LeftButton);
  prompts.answerInput("2");
  tick("ABCDEFGHIJKL");
  save("numbered.mdq");
  press(f.cmdUntag);
  open(home.path("numbered.mdq"));
  EXPECT_EQ(f.List1.items(), (QStringList{"ABCDEFGHIJK", "ABCDEFGHIJKL0002"}));
  EXPECT_FALSE(f.List1.Selected(0));
  EXPECT_TRUE(f.List1.Selected(1));

  // The 12-character disc gone, its line names nothing: the disc of its first 11 characters is
  // not ticked in its place, and the numbers stay off as the file says.
  home.writeLines("watdi.bxl", {testsupport::discLine("ABCDEFGHIJK")});
  prompts.answerOpenFile(home.path("twelve.mdq")).answerMsg(OK);  // it is named as gone
  press(f.cmdOpen);
  EXPECT_EQ(f.List1.items(), (QStringList{"ABCDEFGHIJK"}));
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_EQ(f.Check2.Value(), 0);
  // So does a gone disc of 15 characters: the numbers stay off as the file says.
  home.writeBytes("fifteen.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF FALSE",
                                                   "DUP FALSE", "SERIESCODE-0101", kSep}));
  prompts.answerOpenFile(home.path("fifteen.mdq")).answerMsg(OK);
  press(f.cmdOpen);
  EXPECT_EQ(f.Check2.Value(), 0);

  // Without a disc file no disc is known to be gone: only that it cannot be read is told.
  QFile::remove(home.path("watdi.bxl"));
  const size_t shown = prompts.callsOf("msgBox").size();
  prompts.answerOpenFile(home.path("fifteen.mdq")).answerMsg(OK);
  press(f.cmdOpen);  // the disc list reloads, empty
  ASSERT_EQ(prompts.callsOf("msgBox").size(), shown + 1);
  EXPECT_EQ(prompts.callsOf("msgBox").back().text,
            "The database file " + home.path("watdi.bxl") + " cannot be read.\n\rThe disc list stays empty.");
}

TEST_F(SongListFileTest, AFileWithoutSeparatorTakesEveryLaterLineAsADisc) {
  home.writeBytes("n.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF FALSE",
                                             "DUP FALSE", "SC8123     ", "MDX1001    "}));
  Form1& f = start();
  open(home.path("n.mdq"));
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_EQ(f.List2.ListCount(), 3);
}

TEST_F(SongListFileTest, ATruncatedFileLeavesMissingOptionsOff) {
  home.writeBytes("tr.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "Half", "TRACK"}));
  Form1& f = start();
  prompts.answerOpenFile(home.path("tr.mdq")).answerMsg(OK);  // nothing ticked: Create List refuses
  press(f.cmdOpen);
  EXPECT_EQ(f.Text1.Text(), "Half");
  EXPECT_TRUE(f.Option3.Value());
  EXPECT_EQ(f.Check1.Value(), 0);
  EXPECT_EQ(f.Check3.Value(), 0);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Please tick your disc MF Codes first");
  EXPECT_FALSE(f.Ticking_In_Code || f.Opening_File || f.Frame1.Visible());
}

TEST_F(SongListFileTest, AWrongHeaderOrAnUnreadableFileLeavesTheWindowAsItWas) {
  home.writeBytes("bad.mdq", quotedLinesBytes({"mellowdex cd selection file2", "H"}));
  Form1& f = start();
  tick("SC8123");
  f.Text1.setText("keep me");
  prompts.answerOpenFile(home.path("bad.mdq")).answerMsg(OK);
  press(f.cmdOpen);
  const auto pressed = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(pressed[0].text,
            home.path("bad.mdq") + " is not a Mellowdex file\r\rPlease try again using the correct file");
  EXPECT_EQ(pressed[0].title, "Open");
  prompts.answerMsg(OK);
  f.Command_Open("\"" + home.path("bad.mdq") + "\"");  // as the program's command line opens it
  const auto named = prompts.expectCalls("msgBox", 2);
  EXPECT_TRUE(named[1].text.contains(home.path("bad.mdq")));
  EXPECT_EQ(named[1].title, "Open");
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_EQ(f.Text1.Text(), "keep me");
  EXPECT_FALSE(f.Ticking_In_Code || f.Opening_File || f.Frame1.Visible());
}

TEST_F(SongListFileTest, CancellingOpenChangesNothing) {
  Form1& f = start();
  tick("SC8123");
  prompts.answerOpenFile(std::nullopt);
  press(f.cmdOpen);
  EXPECT_EQ(f.List1.SelCount(), 1);
}

TEST_F(SongListFileTest, OpeningAddsAtMostAFullList) {
  QList<QByteArray> values{
      "MELLOWDEX CD SELECTION FILE2", "H", "SONG", "MF TRUE", "REF FALSE", "DUP FALSE", "SC8123     ", kSep};
  for (int i = 0; i < catalogue::Max_List_Lines + 10; ++i) values << QByteArray::number(i);
  home.writeBytes("big.mdq", quotedLinesBytes(values));
  Form1& f = start();
  prompts.answerOpenFile(home.path("big.mdq")).answerMsg(OK);
  QTest::mouseClick(f.cmdOpen.widget(), Qt::LeftButton);
  EXPECT_EQ(f.List2.ListCount(), catalogue::Max_List_Lines);
  EXPECT_EQ(f.Label6.Caption(), "Tracks = 32731");
  // The lines left out are told of, as Create List tells of them.
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "Maximum list size is 32731");
  EXPECT_EQ(msgs[0].title, "Max List Size Reached");
}

TEST_F(SongListFileTest, ClosingWithTicksSavesWhenTheAnswerIsYes) {
  Form1& f = start();
  tick("zk101");
  prompts.answerMsg(Yes).answerSaveFile(home.path("atexit"));
  f.Unload();
  EXPECT_TRUE(home.readBytes("atexit.mdq").contains("\"zk101      \""));
}

// ---------------------------------------------------------------- merge

class MergeTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    merge.Show();  // as the File menu opens it
  }
  void writeInputs() {
    home.writeBytes("a.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "Wedding", "ARTIST", "MF FALSE",
                                               "REF TRUE", "DUP FALSE", "SC8123     0001", kSep, "a saved line"}));
    home.writeBytes("b.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE", "Birthday", "TRACK", "MF FALSE",
                                               "REF FALSE", "DUP TRUE", "zk101      ", "SC8123     "}));
  }
  frmMerge merge;
  void choose(const QString& a, const QString& b) {
    prompts.answerOpenFile(home.path(a)).answerOpenFile(home.path(b));
    press(merge.Command1);
    press(merge.Command2);
  }
};

TEST_F(MergeTest, MergesTwoSelectionsIntoAVersionOneFile) {
  writeInputs();
  choose("a.mdq", "b.mdq");
  prompts.answerSaveFile(home.path("Both.MDQ")).answerMsg(OK);
  press(merge.Command3);
  EXPECT_EQ(home.readBytes("Both.mdq"),
            quotedLinesBytes({"MELLOWDEX CD SELECTION FILE", "Birthday", "TRACK", "MF FALSE", "REF TRUE", "DUP TRUE",
                              "SC8123     0001", "zk101      ", "SC8123     "}));
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].text, "Files have been merged to " + home.path("Both") + ".mdq");
  EXPECT_EQ(msgs[0].title, "Merge Files");

  // A long path keeps its start and its file name in the window; its middle gives way.
  const QString longPath = "/" + QString("a deep folder/").repeated(20) + "Saturday night.mdq";
  prompts.answerOpenFile(longPath);
  merge.Show();
  QTest::mouseClick(merge.Command1.widget(), Qt::LeftButton);
  const QString shown = static_cast<QLabel*>(merge.Label1.widget())->text();
  EXPECT_TRUE(shown.startsWith("/a deep folder/") && shown.endsWith("Saturday night.mdq")) << shown.toStdString();
  EXPECT_TRUE(merge.client()->rect().contains(merge.Label1.widget()->geometry()));
  EXPECT_EQ(merge.Label1.Caption(), longPath);
  // Resting the mouse on it shows the whole path.
  QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), merge.Label1.widget()->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(merge.Label1.widget(), &hover);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), longPath);
  QToolTip::hideText();
}

TEST_F(MergeTest, TheResultOpensToBothSelections) {
  writeInputs();
  choose("a.mdq", "b.mdq");
  prompts.answerSaveFile(home.path("both")).answerMsg(OK);
  press(merge.Command3);
  Form1& f = start();
  prompts.answerOpenFile(home.path("both.mdq"));
  press(f.cmdOpen);
  EXPECT_EQ(f.List1.SelCount(), 2);
  EXPECT_EQ(f.List1.List(row("SC8123")), "SC8123     0001");
  EXPECT_EQ(f.List2.ListCount(), 3);
}

TEST_F(MergeTest, TheSamePathTwiceOrAMissingChoiceIsRefused) {
  writeInputs();
  prompts.answerOpenFile(home.path("a.mdq")).answerOpenFile(home.path("a.mdq")).answerMsg(OK);
  press(merge.Command1);
  press(merge.Command2);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Please select two different files");
  EXPECT_EQ(merge.Label2.Caption(), "");
  EXPECT_EQ(merge.Label1.Caption(), home.path("a.mdq"));
  prompts.answerMsg(OK);
  press(merge.Command3);
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text, "Please select two different files");
}

TEST_F(MergeTest, BadInputsAreNamedAndNothingIsWritten) {
  writeInputs();
  home.writeBytes("c.mdq", "\"something else\"\r\n");
  home.writeBytes("short.mdq", quotedLinesBytes({"MELLOWDEX CD SELECTION FILE2", "H", "SONG"}));
  choose("c.mdq", "b.mdq");
  prompts.answerMsg(OK);
  press(merge.Command3);
  const auto notOurs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(notOurs[0].text,
            home.path("c.mdq") + " is not a Mellowdex file\r\rPlease try again using the correct file");
  EXPECT_EQ(notOurs[0].title, "Open");
  choose("a.mdq", "short.mdq");
  prompts.answerMsg(OK);
  press(merge.Command3);
  EXPECT_TRUE(prompts.expectCalls("msgBox", 2)[1].text.contains(home.path("short.mdq")));
  choose("a.mdq", "gone.mdq");
  prompts.answerMsg(OK);
  press(merge.Command3);
  EXPECT_TRUE(prompts.expectCalls("msgBox", 3)[2].text.contains(home.path("gone.mdq")));
  EXPECT_TRUE(prompts.callsOf("saveFile").empty());
}

TEST_F(MergeTest, AnInputIsNeverTheOutput) {
  writeInputs();
  const QByteArray before = home.readBytes("a.mdq");
  choose("a.mdq", "b.mdq");
  prompts.answerSaveFile(home.path("a")).answerMsg(OK);
  press(merge.Command3);
  const auto msgs = prompts.expectCalls("msgBox", 1);  // refused before any question to replace it
  EXPECT_EQ(msgs[0].text, "Please choose a file other than the two being merged.");
  EXPECT_EQ(msgs[0].title, "Merge Files");
  EXPECT_EQ(home.readBytes("a.mdq"), before);
}

TEST_F(MergeTest, AnOutputThatCannotBeWrittenIsReadOnlyAndTheWindowStays) {
  writeInputs();
  QDir(home.path()).mkdir("taken.mdq");
  choose("a.mdq", "b.mdq");
  merge.Show();
  prompts.answerSaveFile(home.path("taken")).answerMsg(OK);
  press(merge.Command3);
  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 1u);  // the refusal, with no question before it
  EXPECT_EQ(msgs[0].text, "This file is read only. Please use another file name");
  EXPECT_EQ(msgs[0].title, "Read Only File");
  EXPECT_TRUE(merge.isLoaded());
  EXPECT_EQ(merge.Label1.Caption(), home.path("a.mdq"));
  EXPECT_EQ(merge.Label2.Caption(), home.path("b.mdq"));
}

TEST_F(MergeTest, CancelClosesTheWindow) {
  merge.Show();
  press(merge.Command4);
  EXPECT_FALSE(merge.isVisible());
}

TEST_F(MergeTest, EveryButtonReachesItsHandler) {
  merge.Show();
  EXPECT_EQ(testsupport::buttonsNotWired(merge.window(),
                                         {&merge.Command1, &merge.Command2, &merge.Command3, &merge.Command4}),
            "");
}
