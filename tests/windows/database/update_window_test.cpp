// The "Update Database" window and the main window's Update command.
#include "file_size_limit.h"
#include "main_window_fixture.h"

#include "platform/ui/prompts.h"
#include "windows/database/update.h"

#include <QDir>
#include <QFile>

using platform::msg::No;
using platform::msg::OK;

// Texts show as text in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QByteArray kHeader = "\"Mellowdex Update File \"\r\n";
QByteArray track(const char* code, const char* number, const char* title, const char* artist) {
  return testsupport::trackLine(code, number, title, artist).toLatin1() + "\r\n";
}

int rowOf(const platform::ListBox& list, const QString& text) {
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.List(i) == text) return i;
  return -1;
}

}  // namespace

class UpdateWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir(home.path()).mkpath("downloads"));
    folder = home.path("downloads");
    home.writeBytes("downloads/new.kup", kHeader + track("ZX1001", "01", "MOON OVER THE HARBOUR", "THE NIGHT FERRY") +
                                             track("SC8123", "03", "NEW TRACK", "NEW ARTIST"));
    home.writeBytes("downloads/wrong.kup.1", "\"Mellowdex Update File\"\r\n" + track("QQ1", "01", "A", "B"));
    home.writeBytes("downloads/notes.txt", "x");
  }
  // Opens the downloads folder in the window and clicks the file.
  void pick(update& w, const QString& name) {
    ASSERT_TRUE(w.Dir1.setPath(folder));
    const int row = rowOf(w.File1, name);
    ASSERT_GE(row, 0) << name.toStdString();
    w.File1.setListIndex(row);
  }
  QString folder;
};

TEST_F(UpdateWindowTest, UpdateAddsTheNewTracksAndDiscsThenClearsTheMainWindow) {
  Form1& f = start();
  tick("SC8123");
  const QByteArray tracksBefore = home.readBytes("watka.bxl");
  const QByteArray discsBefore = home.readBytes("watdi.bxl");
  prompts.answerMsg(No).onModal([&](platform::FormBase& window) {
    auto& w = static_cast<update&>(window);
    EXPECT_FALSE(w.Command1.Enabled());
    EXPECT_FALSE(w.Label4.Visible());
    ASSERT_TRUE(w.Dir1.setPath(folder));
    EXPECT_EQ(w.File1.items(), (QStringList{"new.kup", "wrong.kup.1"}));
    pick(w, "new.kup");
    EXPECT_EQ(w.Label1.Caption(), folder + "/new.kup");
    EXPECT_TRUE(w.Command1.Enabled());
    w.Check1.setValue(1);
    prompts.answerMsg(OK);
    press(w.Command1);
    EXPECT_FALSE(w.isLoaded());
  });
  choose(f.mnuUpdate);

  const auto msgs = prompts.callsOf("msgBox");
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].text, "Your current disc selection will be cleared.\r\rDo you want to Save your list now?");
  EXPECT_EQ(msgs[0].title, "Update");
  EXPECT_EQ(msgs[0].style, 36);
  EXPECT_EQ(msgs[1].text, "Mellowdex has been succsesfuly updated");
  EXPECT_EQ(msgs[1].title, "Update");
  EXPECT_EQ(prompts.callsOf("saveFile").size(), 0u);

  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore +
                                             track("ZX1001", "01", "MOON OVER THE HARBOUR", "THE NIGHT FERRY") +
                                             track("SC8123", "03", "NEW TRACK", "NEW ARTIST"));
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore + testsupport::discLine("ZX1001").toLatin1() + "\r\n");
  EXPECT_FALSE(QFile::exists(folder + "/new.kup"));
  // Cleared and reloaded: the new disc is listed, nothing is ticked.
  EXPECT_EQ(f.List1.SelCount(), 0);
  EXPECT_GE(row("ZX1001"), 0);
}

TEST_F(UpdateWindowTest, AWrongFileIsRefusedAndKeptAndTheWindowStaysOpen) {
  start();
  const QByteArray tracksBefore = home.readBytes("watka.bxl");
  update w;
  w.Show();
  pick(w, "wrong.kup.1");
  w.Check1.setValue(1);
  prompts.answerMsg(OK);
  press(w.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "This is not a Mellowdex Update file\rPlease try again using the correct file");
  EXPECT_TRUE(w.isLoaded());
  EXPECT_TRUE(w.Command1.Enabled());
  EXPECT_TRUE(w.Command2.Enabled());
  EXPECT_FALSE(w.Label4.Visible());
  EXPECT_TRUE(QFile::exists(folder + "/wrong.kup.1"));
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);

  // A disc full when the new track file is written: refused, and the progress bar back at the
  // start.
  pick(w, "new.kup");
  prompts.answerMsg(OK);
  {
    testsupport::FileSizeLimit limit(tracksBefore.size() + 10);
    press(w.Command1);
  }
  const QString full = prompts.expectCalls("msgBox", 2)[1].text;
  EXPECT_TRUE(full.contains("could not be written")) << full.toStdString();
  EXPECT_EQ(w.ProgressBar1.Value(), 0);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_TRUE(QFile::exists(folder + "/new.kup"));
}

TEST_F(UpdateWindowTest, ADoubleClickAppliesTheFileAtOnce) {
  start();
  update w;
  w.Show();
  pick(w, "new.kup");
  prompts.answerMsg(OK);
  testsupport::doubleClickRow(w.File1, rowOf(w.File1, "new.kup"));
  EXPECT_EQ(prompts.callsOf("msgBox").at(0).text, update::kUpdated);
  EXPECT_TRUE(home.readBytes("watka.bxl").contains("NEW TRACK"));
  EXPECT_TRUE(QFile::exists(folder + "/new.kup"));  // Check1 was not ticked
}

TEST_F(UpdateWindowTest, TheFolderListOpensFoldersAndTheChosenFolder) {
  start();
  update w;
  w.Show();
  ASSERT_TRUE(QDir(home.path()).mkpath("downloads/more"));
  ASSERT_TRUE(w.Dir1.setPath(folder));
  // The chain down to the open folder, then its subfolder one step deeper.
  const int more = rowOf(w.Dir1, QString((QDir(folder).absolutePath().count('/') + 1) * 2, ' ') + "more");
  ASSERT_GE(more, 0);
  w.Dir1.setListIndex(more);
  testsupport::doubleClickRow(w.Dir1, more);
  EXPECT_EQ(w.Dir1.Path(), folder + "/more");
  EXPECT_EQ(w.File1.ListCount(), 0);

  prompts.answerFolder(folder);
  press(w.cmdBrowse);
  EXPECT_EQ(w.Dir1.Path(), folder);
  EXPECT_EQ(w.File1.Path(), folder);
  EXPECT_EQ(w.File1.ListCount(), 2);
  EXPECT_FALSE(w.Dir1.setPath(folder + "/none"));
  EXPECT_EQ(w.Dir1.Path(), folder);
}

TEST_F(UpdateWindowTest, ADriveThatCannotBeReadGoesBackToTheProgramFoldersDrive) {
  start();
  update w;
  w.Load();
  ASSERT_TRUE(w.Dir1.setPath(folder));
  prompts.answerMsg(OK);
  w.Drive1.setDrive(home.path("no-such-drive"));
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "Drive not ready");
  EXPECT_EQ(msgs[0].title, "");
  const QString drive = windows::driveOf(home.path());
  EXPECT_EQ(w.Drive1.Drive(), drive);
  EXPECT_EQ(w.Dir1.Path(), drive);
}

TEST_F(UpdateWindowTest, EveryButtonReachesItsHandler) {
  start();
  update w;
  w.Show();
  pick(w, "new.kup");
  EXPECT_EQ(testsupport::buttonsNotWired(w.window(), {&w.cmdBrowse, &w.Command1, &w.Command2}), "");
}

// Most tools write UTF-8 now: such a file's letters reach the database as the letters it names,
// in the database's own Windows-1252, whether or not it starts with a byte-order mark. A letter
// the database has no place for refuses the whole file before anything is added (a line break named,
// not shown), and so does a line that is not UTF-8 in a file marked as UTF-8.
TEST_F(UpdateWindowTest, AFileInUtf8AddsTheLettersItNames) {
  const auto utf8Track = [](const QString& code, const QString& title, const QString& artist) {
    return testsupport::trackLine(code, "01", title, artist).toUtf8() + "\r\n";
  };
  home.writeBytes("downloads/latin.kup", kHeader + utf8Track("FR100", QStringLiteral("CR\u00c8ME BR\u00dbL\u00c9E"),
                                                             QStringLiteral("JOS\u00c9 BRAVURA")));
  home.writeBytes("downloads/polish.kup", kHeader + utf8Track("PL100", "RAIN", "A") +
                                              utf8Track("PL200", QStringLiteral("\u0141\u00d3D\u0179"), "B"));
  home.writeBytes("downloads/marked.kup", "\xEF\xBB\xBF" + kHeader + utf8Track("MK100", "PLAIN", "C"));
  home.writeBytes("downloads/broken.kup", "\xEF\xBB\xBF" + kHeader + utf8Track("BR100", "PLAIN", "C") +
                                              track("BR200", "01", "CAFE", "D").replace("CAFE", "CAF\xC9"));
  home.writeBytes("downloads/parted.kup", kHeader + utf8Track("LB100", QStringLiteral("ONE\u2028TWO"), "E"));
  start();
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  update w;
  w.Show();
  pick(w, "polish.kup");
  prompts.answerMsg(OK);
  press(w.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            QStringLiteral("Line 3 of the update file holds the character \"\u0141\", which the database cannot "
                           "hold.\rNothing has been added to the database."));
  EXPECT_TRUE(w.isLoaded());
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  pick(w, "broken.kup");
  prompts.answerMsg(OK);
  press(w.Command1);
  pick(w, "parted.kup");
  prompts.answerMsg(OK);
  press(w.Command1);
  const auto refused = prompts.expectCalls("msgBox", 3);
  EXPECT_EQ(refused[1].text,
            "Line 3 of the update file holds bytes that are not UTF-8, which the file's mark says it "
            "is written in.\rNothing has been added to the database.");
  EXPECT_EQ(refused[2].text,
            "Line 2 of the update file holds a line break, which the database cannot hold.\r"
            "Nothing has been added to the database.");
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);

  pick(w, "latin.kup");
  prompts.answerMsg(OK);
  press(w.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 4)[3].text, update::kUpdated);
  const QByteArray latinTrack = testsupport::trackLine("FR100", "01", QStringLiteral("CR\u00c8ME BR\u00dbL\u00c9E"),
                                                       QStringLiteral("JOS\u00c9 BRAVURA"))
                                    .toLatin1() +
                                "\r\n";
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore + latinTrack);

  update again;
  again.Show();
  pick(again, "marked.kup");
  prompts.answerMsg(OK);
  press(again.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 5)[4].text, update::kUpdated);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore + latinTrack + track("MK100", "01", "PLAIN", "C"));
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore + testsupport::discLine("FR100").toLatin1() + "\r\n" +
                                             testsupport::discLine("MK100").toLatin1() + "\r\n");
}

// An update whose every track and disc the database already holds changed nothing: the main
// window keeps its ticks and its list.
TEST_F(UpdateWindowTest, AnUpdateThatAddsNothingLeavesTheMainWindowAsItWas) {
  home.writeBytes("downloads/known.kup", kHeader + track("SC8123", "01", "ANOTHER TITLE", "ANOTHER ARTIST"));
  Form1& f = start();
  tick("SC8123");
  press(f.cmdGet_Tracks);
  const QStringList lines = f.List2.items();
  ASSERT_EQ(lines.size(), 2);
  const QByteArray tracksBefore = home.readBytes("watka.bxl"), discsBefore = home.readBytes("watdi.bxl");
  prompts.answerMsg(No).onModal([&](platform::FormBase& window) {
    auto& w = static_cast<update&>(window);
    pick(w, "known.kup");
    prompts.answerMsg(OK);
    press(w.Command1);
    EXPECT_FALSE(w.isLoaded());
  });
  choose(f.mnuUpdate);
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text, update::kUpdated);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracksBefore);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discsBefore);
  EXPECT_EQ(f.List1.SelCount(), 1);
  EXPECT_TRUE(f.List1.Selected(row("SC8123")));
  EXPECT_EQ(f.List2.items(), lines);
}
