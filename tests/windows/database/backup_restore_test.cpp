// Backup and restore of the two database files.
#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "ordinary_user.h"

#include "platform/ui/prompts.h"
#include "windows/database/Backup.h"
#include "windows/database/Restore.h"

#include <QDir>
#include <QFile>

using platform::msg::No;
using platform::msg::OK;
using platform::msg::Yes;

// Texts show as text in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class BackupRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home.writeDiscs({"ZX1001"});
    home.writeTracks({"ZX1001,01,MOON OVER THE HARBOUR,THE NIGHT FERRY"});
    ASSERT_TRUE(QDir(home.path()).mkpath("safe"));
    folder = home.path("safe");
  }
  QByteArray read(const QString& name) const { return home.readBytes(name); }
  testsupport::TempHome home;
  testsupport::ScriptedPrompts prompts;
  QString folder;
};

TEST_F(BackupRestoreTest, BackupCopiesBothFilesAndAsksBeforeOverwritingEither) {
  Backup w;
  w.Show();
  ASSERT_TRUE(w.Dir1.setPath(folder));
  EXPECT_EQ(w.Label1.Caption(), folder);
  prompts.answerMsg(OK);
  press(w.Command1);
  const auto done = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(done[0].text, "Data files have been backed up to the folder " + folder);
  EXPECT_EQ(done[0].title, "Back Up Data");
  EXPECT_EQ(read("safe/MLDXbackup1.bxl"), read("watdi.bxl"));
  EXPECT_EQ(read("safe/MLDXbackup2.bxl"), read("watka.bxl"));
  EXPECT_FALSE(w.isLoaded());

  // Only one of the two left from an older backup: the question, and No copies nothing.
  QFile::remove(home.path("safe/MLDXbackup1.bxl"));
  home.writeBytes("safe/MLDXbackup2.bxl", "older tracks");
  w.Show();
  ASSERT_TRUE(w.Dir1.setPath(folder));
  prompts.answerMsg(No);
  press(w.Command1);
  const auto asked = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(asked[1].text, "Files already exist. Do you want to overwrite");
  EXPECT_EQ(asked[1].title, "Back Up ");
  EXPECT_EQ(asked[1].style, 276);
  EXPECT_EQ(read("safe/MLDXbackup2.bxl"), "older tracks");
  EXPECT_FALSE(QFile::exists(home.path("safe/MLDXbackup1.bxl")));
  EXPECT_TRUE(w.isLoaded());

  prompts.answerMsg(Yes).answerMsg(OK);
  press(w.Command1);
  EXPECT_EQ(read("safe/MLDXbackup2.bxl"), read("watka.bxl"));
  EXPECT_EQ(read("safe/MLDXbackup1.bxl"), read("watdi.bxl"));
}

TEST_F(BackupRestoreTest, ABackupThatCannotBeWrittenIsReportedAndLeavesTheFolderAsItWas) {
  home.writeBytes("safe/MLDXbackup1.bxl", "older discs");
  ASSERT_TRUE(QDir(folder).mkdir("MLDXbackup2.bxl"));
  Backup w;
  w.Show();
  ASSERT_TRUE(w.Dir1.setPath(folder));
  prompts.answerMsg(Yes).answerMsg(OK);
  press(w.Command1);
  const auto last = prompts.expectCalls("msgBox", 2)[1];
  EXPECT_TRUE(last.text.startsWith("The backup file " + folder + "/MLDXbackup2.bxl could not be written"))
      << last.text.toStdString();
  EXPECT_TRUE(last.text.endsWith("Nothing has been backed up."));
  EXPECT_EQ(read("safe/MLDXbackup1.bxl"), "older discs");
  EXPECT_TRUE(w.isLoaded());
}

// The backup reads the database and writes only the chosen folder: a read-only database in a
// read-only program folder is backed up, and scratch copies a stopped backup left there go.
TEST_F(BackupRestoreTest, AReadOnlyDatabaseIsBackedUpIntoAWritableFolder) {
  home.writeBytes("safe/MLDXbackup1.bxl.tmp", "left by a stopped backup");
  home.writeBytes("safe/MLDXbackup2.bxl.tmp", "left by a stopped backup");
  {
    testsupport::OrdinaryUser user(home.path());
    testsupport::setMode(folder, 0777);
    for (const char* name : {"watka.bxl", "watdi.bxl"}) testsupport::setMode(home.path(name), 0444);
    testsupport::setMode(home.path(), 0555);
    Backup w;
    w.Show();
    ASSERT_TRUE(w.Dir1.setPath(folder));
    prompts.answerMsg(OK);
    press(w.Command1);
    EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Data files have been backed up to the folder " + folder);
    testsupport::setMode(home.path(), 0755);
  }
  EXPECT_EQ(read("safe/MLDXbackup1.bxl"), read("watdi.bxl"));
  EXPECT_EQ(read("safe/MLDXbackup2.bxl"), read("watka.bxl"));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"MLDXbackup1.bxl", "MLDXbackup2.bxl"}));
}

TEST_F(BackupRestoreTest, RestoreNeedsBothBackups) {
  home.writeBytes("safe/MLDXbackup1.bxl", "\"AB1        \"\r\n");
  const QByteArray discs = read("watdi.bxl");
  Restore w;
  w.Show();
  ASSERT_TRUE(w.Dir1.setPath(folder));
  prompts.answerMsg(OK);
  press(w.Command1);
  const auto refused = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(refused[0].text, "Data files NOT found");
  EXPECT_EQ(refused[0].title, "Restore Error");
  EXPECT_EQ(read("watdi.bxl"), discs);
  EXPECT_TRUE(w.isLoaded());
}

TEST_F(BackupRestoreTest, EveryButtonOfBothWindowsReachesItsHandler) {
  Backup backup;
  Restore restore;
  for (windows::DataFolderWindow* w : std::initializer_list<windows::DataFolderWindow*>{&backup, &restore}) {
    w->Show();
    EXPECT_EQ(testsupport::buttonsNotWired(w->window(), {&w->cmdBrowse, &w->Command1, &w->Command2}), "")
        << w->Caption().toStdString();
  }
}

class RestoreCommandTest : public MainWindowTest {};

TEST_F(RestoreCommandTest, RestoreReplacesTheDatabaseAndClearsTheMainWindow) {
  ASSERT_TRUE(QDir(home.path()).mkpath("safe"));
  const QByteArray discs = "\"AB1        \"\r\n";
  const QByteArray tracks = testsupport::trackLine("AB1", "01", "S", "A").toLatin1() + "\r\n";
  home.writeBytes("safe/MLDXbackup1.bxl", discs);
  home.writeBytes("safe/MLDXbackup2.bxl", tracks);
  Form1& f = start();
  tick("SC8123");
  prompts.onModal([&](platform::FormBase& window) {
    auto& w = static_cast<Restore&>(window);
    ASSERT_TRUE(w.Dir1.setPath(home.path("safe")));
    prompts.answerMsg(No).answerMsg(OK);  // the ticked list is offered for saving first: not wanted
    press(w.Command1);
  });
  choose(f.mnuRestore);
  const auto shown = prompts.callsOf("msgBox");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Data files have been restored from backup.");
  EXPECT_EQ(shown[1].title, "Restore Data");
  EXPECT_EQ(home.readBytes("watdi.bxl"), discs);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_EQ(f.List1.items(), QStringList{"AB1        "});
  EXPECT_EQ(f.List1.SelCount(), 0);
}

// A restore that cannot be made offers no list for saving, and one that fails keeps the ticks, as
// the database is kept.
TEST_F(RestoreCommandTest, ARestoreNotMadeLeavesTheDatabaseAndTheTicks) {
  ASSERT_TRUE(QDir(home.path()).mkpath("safe"));
  home.writeBytes("safe/MLDXbackup1.bxl", "\"AB1        \"\r\n");
  Form1& f = start();
  tick("SC8123");
  const QByteArray discs = home.readBytes("watdi.bxl"), tracks = home.readBytes("watka.bxl");
  const auto restore = [&](const std::function<void(Restore&)>& press1) {
    prompts.onModal([&](platform::FormBase& window) {
      auto& w = static_cast<Restore&>(window);
      ASSERT_TRUE(w.Dir1.setPath(home.path("safe")));
      press1(w);
      EXPECT_TRUE(w.isLoaded());
      press(w.Command2);
    });
    choose(f.mnuRestore);
  };
  restore([&](Restore& w) {
    prompts.answerMsg(OK);
    press(w.Command1);
  });
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Data files NOT found");

  home.writeBytes("safe/MLDXbackup2.bxl", testsupport::trackLine("AB1", "01", "S", "A").toLatin1() + "\r\n");
  restore([&](Restore& w) {
    prompts.answerMsg(No).answerMsg(OK);  // the list is not to be saved; the failure
    testsupport::FileSizeLimit limit(4);
    press(w.Command1);
  });
  const auto shown = prompts.expectCalls("msgBox", 3);
  EXPECT_EQ(shown[1].title, "Restore Database");
  EXPECT_TRUE(shown[2].text.endsWith("Your database has not been changed.")) << shown[2].text.toStdString();
  EXPECT_EQ(home.readBytes("watdi.bxl"), discs);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_TRUE(f.List1.Selected(row("SC8123")));
}

class BackupCommandTest : public MainWindowTest {};

TEST_F(BackupCommandTest, FileMenuBackupCopiesBothFilesToTheFolderChosen) {
  ASSERT_TRUE(QDir(home.path()).mkpath("safe"));
  Form1& f = start();
  tick("SC8123");
  QString caption;
  prompts.onModal([&](platform::FormBase& window) {
    caption = window.Caption();
    auto* w = dynamic_cast<Backup*>(&window);
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->Dir1.setPath(home.path("safe")));
    prompts.answerMsg(OK);
    press(w->Command1);
  });
  choose(f.mnuBackup);
  EXPECT_EQ(caption, "Backup Database");
  EXPECT_EQ(home.readBytes("safe/MLDXbackup1.bxl"), home.readBytes("watdi.bxl"));
  EXPECT_EQ(home.readBytes("safe/MLDXbackup2.bxl"), home.readBytes("watka.bxl"));
  EXPECT_EQ(f.List1.SelCount(), 1) << "the window is left as it was";
}
