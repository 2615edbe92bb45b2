// The rewrites and writes of the track and disc files behind the database windows.
#include "maintenance/track_database.h"

#include "file_size_limit.h"
#include "ordinary_user.h"
#include "platform/core/text_file.h"
#include "temp_home.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <functional>

using namespace maintenance;

namespace {

// A track line with every field padded, CR LF ended.
QByteArray padded(const char* code, const char* track, const char* song, const char* artist) {
  return (testsupport::trackLine(code, track, song, artist) + "\r\n").toLatin1();
}

// Runs the change in a child process killed, as by kill -9, right after its first step, then
// after its second, and so on, each time from the files `reset` writes; after each run does
// what the next start does and lets check(step, killed) look at the files. Returns how many
// steps the change has.
int killAfterEachStep(const std::function<void()>& reset, const std::function<void()>& change,
                      const std::function<void(int, bool)>& check) {
  for (int step = 1;; ++step) {
    reset();
    const pid_t pid = fork();
    if (pid == 0) {
      changeStepHook = [step](int at) {
        if (at == step) raise(SIGKILL);
      };
      change();
      _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    EXPECT_TRUE(finishInterruptedChange()) << "step " << step;
    check(step, killed);
    if (!killed) return step - 1;
  }
}

QStringList filesOf(const testsupport::TempHome& home) { return QDir(home.path()).entryList(QDir::Files, QDir::Name); }

// An append journal's value: the length before, the length appended and the bytes.
QByteArray appendEntry(qint64 before, const QByteArray& appended) {
  return QByteArray::number(before) + ' ' + QByteArray::number(appended.size()) + ' ' + appended.toHex();
}

}  // namespace

TEST(TrackDatabase, EditLeavesOutEveryExactMatchAndAddsTheEditedRecordLast) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\"SC1\",\"02\",\"BARE\",\"B\"\r\n" +
                            padded("SC1", "02", "TWO", "B") + "ZZ9 , 03 ,\"X, Y\",C\r\n" +
                            padded("SC1", "02", "TWO AGAIN", "B");
  const QByteArray edited = recordLine(QStringList{"SC1        ", "02", "NEW", "B"});
  const QByteArray out = editedTracks(tracks, "SC1        ", "02", edited).content;
  // The unpadded record is not the key: it stays, as read; the unquoted one comes back quoted.
  EXPECT_EQ(out, padded("SC1", "01", "ONE", "A") + "\"SC1\",\"02\",\"BARE\",\"B\"\r\n" +
                     "\"ZZ9\",\"03\",\"X, Y\",\"C\"\r\n" + edited);
  // No match: nothing left out, the edited record still added.
  EXPECT_EQ(editedTracks(padded("SC1", "01", "ONE", "A"), "SC9        ", "01", edited).content,
            padded("SC1", "01", "ONE", "A") + edited);
}

TEST(TrackDatabase, RecodeMatchesTrimmedCodesAndKeepsTheOtherFieldsAsRead) {
  const QByteArray tracks =
      padded("SC1", "01", "ONE", "A") + "\" SC1\",\"2\",\"short\",\"b\"\r\n" + padded("SC10", "01", "TEN", "C");
  EXPECT_EQ(
      recodedTracks(tracks, "SC1", "NEW        ").content,
      padded("NEW", "01", "ONE", "A") + "\"NEW        \",\"2\",\"short\",\"b\"\r\n" + padded("SC10", "01", "TEN", "C"));
  EXPECT_EQ(recodedDiscs({"SC10       ", "SC1", "AB         "}, "SC1", "NEW        ").content,
            QByteArray("\"SC10       \"\r\n\"NEW        \"\r\n\"AB         \"\r\n"));
}

// A value the user gave never brings a control character into the files, whatever window gave
// it; a record already holding one is written back as it was read.
TEST(TrackDatabase, ANewValueHoldingAControlCharacterIsRefusedAStoredOnePassesThrough) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\"SC1\",\"02\",\"TAB\tKEPT\",\"B\"\r\n";
  const auto edit = [&](const char* song, const char* artist) {
    return editedTracks(tracks, "SC1        ", "01", recordLine(QStringList{"SC1        ", "01", song, artist}));
  };
  const common::FileRewrite kept = edit("NEW", "A");
  EXPECT_TRUE(kept);
  EXPECT_TRUE(kept.content.startsWith("\"SC1\",\"02\",\"TAB\tKEPT\",\"B\"\r\n"));
  const QString notChanged = "\n\rThe database has not been changed.";
  const common::FileRewrite split = edit("LINE ONE\nLINE TWO", "A");
  EXPECT_EQ(split.refusal, "The song title cannot hold a line break." + notChanged);
  EXPECT_TRUE(split.content.isEmpty());
  EXPECT_EQ(edit("SONG", "A\x01").refusal, "The artist cannot hold a control character." + notChanged);
  EXPECT_EQ(recodedTracks(tracks, "SC1", "QQ\n1        ").refusal,
            "The disc code cannot hold a line break." + notChanged);
  EXPECT_EQ(recodedDiscs({"SC1"}, "SC1", "QQ\t1").refusal, "The disc code cannot hold a tab." + notChanged);
  EXPECT_TRUE(recodedTracks(tracks, "SC1", "NEW        ").content.contains("\"TAB\tKEPT\""));

  // An append refuses before it touches any file.
  testsupport::TempHome home;
  home.writeBytes("a.txt", "first\r\n");
  const Outcome out = appendAll({{home.path("a.txt"), "\"NEW\",\"01\",\"A\",\"B\"\r\n"},
                                 {home.path("b.txt"), recordLine(QStringList{"NEW", "01", "A\rB", "B"})}});
  EXPECT_FALSE(out);
  EXPECT_EQ(out.message, "The song title cannot hold a line break." + notChanged);
  EXPECT_EQ(home.readBytes("a.txt"), "first\r\n");
  EXPECT_FALSE(QFile::exists(home.path("b.txt")));
  EXPECT_FALSE(QFile::exists(journalPath()));
}

TEST(TrackDatabase, DeletionsFindDiscsAndTracksByIdentityAndWriteTheOthersAsRead) {
  const QByteArray other = "\"OTHER\",\"1\",\"x\",\"y\"\r\n";
  const QByteArray tracks = "\"SC1\",\"5\",\"bare\",\"b\"\r\n" + padded("SC1", "06", "SIX", "A") + other;
  for (const char* track : {"5", "05"}) {
    const TrackDeletion one = withoutTrack(tracks, "SC1        ", track);
    EXPECT_EQ(one.discTracks, 2);
    EXPECT_EQ(one.removed, 1) << track;
    EXPECT_EQ(one.tracks, padded("SC1", "06", "SIX", "A") + other);
  }
  EXPECT_EQ(withoutTrack(tracks, "SC1", "6").removed, 1);

  const TrackDeletion none = withoutTrack(tracks, "SC1        ", "07");
  EXPECT_EQ(none.removed, 0);
  EXPECT_EQ(none.discTracks, 2);

  const TrackDeletion disc = withoutDisc(tracks, "SC1        ");
  EXPECT_EQ(disc.removed, 2);
  EXPECT_EQ(disc.tracks, other);

  EXPECT_EQ(discsWithout({"SC1", "AB", "SC1        "}, "SC1        "), QByteArray("\"AB\"\r\n"));
}

TEST(TrackDatabase, FindingTracksAndDiscs) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\"SC2\",\"01\",\"x\",\"y\"\r\n";
  EXPECT_TRUE(hasTrack(tracks, "SC1        ", "01"));
  EXPECT_FALSE(hasTrack(tracks, "SC1        ", "02"));
  EXPECT_TRUE(hasTrack(tracks, "SC2        ", "1"));  // stored without padding, typed without a zero
  EXPECT_FALSE(hasTrack(tracks, "sc1        ", "01"));

  const QStringList discs{"SC1        ", "SC2", "ABCDEFGHIJK"};
  EXPECT_TRUE(discListed(discs, "SC1        "));
  EXPECT_TRUE(discListed(discs, "SC2        "));  // trailing blanks aside
  EXPECT_FALSE(discListed(discs, "ABCDEFGHIJ"));
  EXPECT_TRUE(discInUse(discs, "SC2"));  // compared trimmed
  EXPECT_TRUE(discInUse(discs, " SC1 "));
  EXPECT_FALSE(discInUse(discs, "SC"));
}

TEST(TrackDatabase, WhenTheDiscFileCannotBeReplacedTheTrackFileIsPutBack) {
  testsupport::TempHome home;
  home.writeBytes("watka.bxl", "old tracks\r\n");
  QDir(home.path()).mkdir("watdi.bxl");  // cannot be replaced by a file
  Outcome out = replaceDatabase("new tracks\r\n", QByteArray("discs\r\n"));
  EXPECT_FALSE(out.ok);
  EXPECT_TRUE(out.message.contains("watdi.bxl could not be written")) << out.message.toStdString();
  EXPECT_TRUE(out.message.contains("The database has not been changed."));
  EXPECT_EQ(home.readBytes("watka.bxl"), "old tracks\r\n");

  // The disc file fails after the track file is written: the old track file comes back.
  QDir(home.path()).rmdir("watdi.bxl");
  {
    testsupport::FileSizeLimit limit(60);  // the journal fits
    out = replaceDatabase("new tracks\r\n", QByteArray(70, 'd'));
  }
  EXPECT_FALSE(out.ok);
  EXPECT_TRUE(out.message.contains("watdi.bxl could not be written")) << out.message.toStdString();
  EXPECT_TRUE(out.message.contains("The database has not been changed."));
  EXPECT_EQ(home.readBytes("watka.bxl"), "old tracks\r\n");
  EXPECT_FALSE(QFile::exists(home.path("watdi.bxl")));

  ASSERT_TRUE(replaceDatabase("new tracks\r\n", QByteArray("discs\r\n")).ok);
  EXPECT_EQ(home.readBytes("watka.bxl"), "new tracks\r\n");
  EXPECT_EQ(home.readBytes("watdi.bxl"), "discs\r\n");
}

TEST(TrackDatabase, AppendsGoInTogetherOrNotAtAll) {
  testsupport::TempHome home;
  home.writeBytes("a.txt", "first");  // no line end: the new record must not join it
  ASSERT_TRUE(appendAll({{home.path("a.txt"), "x\r\n"}, {home.path("new.txt"), "y\r\n"}}).ok);
  EXPECT_EQ(home.readBytes("a.txt"), "first\r\nx\r\n");
  EXPECT_EQ(home.readBytes("new.txt"), "y\r\n");

  // The second file may not grow past 310 bytes: the first is cut back, the third never made.
  home.writeBytes("big.txt", QByteArray(300, 'b') + "\r\n");
  {
    testsupport::FileSizeLimit limit(310);
    const Outcome out = appendAll({{home.path("a.txt"), "z\r\n"},
                                   {home.path("big.txt"), QByteArray(20, 'z') + "\r\n"},
                                   {home.path("third.txt"), "t\r\n"}});
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.message.contains("big.txt could not be written")) << out.message.toStdString();
  }
  EXPECT_EQ(home.readBytes("a.txt"), "first\r\nx\r\n");
  EXPECT_EQ(home.readBytes("big.txt"), QByteArray(300, 'b') + "\r\n");
  EXPECT_FALSE(QFile::exists(home.path("third.txt")));

  // The copy of the tracks added by hand is named as what it is, not as the database.
  QDir(home.path()).mkdir("My_Discs.kup");
  const Outcome out = appendAll({{home.path("a.txt"), "z\r\n"}, {home.path("My_Discs.kup"), "z\r\n"}});
  EXPECT_TRUE(out.message.startsWith("The file of tracks added by hand " + home.path("My_Discs.kup") +
                                     " could not be written."))
      << out.message.toStdString();
}

TEST(TrackDatabase, AKillAtAnyStepOfAChangeOfBothFilesLeavesThemWhollyOldOrWhollyNew) {
  testsupport::TempHome home;
  const QByteArray oldTracks = padded("SC1", "01", "ONE", "A"), oldDiscs = "\"SC1        \"\r\n";
  const QByteArray newTracks = padded("NEW", "01", "ONE", "A"), newDiscs = "\"NEW        \"\r\n";
  // The song list saved at the change's offer, in a folder of the user's, goes with the change.
  QTemporaryDir lists;
  const QString list = QDir(lists.path()).filePath("friday.mdq");
  const auto listBytes = [&] {
    QFile f(list);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
  };
  const auto reset = [&] {
    home.writeBytes("watka.bxl", oldTracks);
    home.writeBytes("watdi.bxl", oldDiscs);
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write("old list") == 8);
  };
  const int steps = killAfterEachStep(
      reset,
      [&] {
        replaceDatabase(newTracks, newDiscs, FileWrite{list, "new list"});
      },
      [&](int step, bool killed) {
        // Killed before the journal was ended, after its scratch files were written: not changed.
        // Once the journal is whole: changed, the renames left undone made at the start.
        const bool changed = !killed || step > 4;
        EXPECT_EQ(home.readBytes("watka.bxl"), changed ? newTracks : oldTracks) << "step " << step;
        EXPECT_EQ(home.readBytes("watdi.bxl"), changed ? newDiscs : oldDiscs) << "step " << step;
        EXPECT_EQ(listBytes(), changed ? "new list" : "old list") << "step " << step;
        EXPECT_EQ(filesOf(home), (QStringList{"watdi.bxl", "watka.bxl"})) << "step " << step;
        EXPECT_EQ(QDir(lists.path()).entryList(QDir::Files), QStringList{"friday.mdq"}) << "step " << step;
      });
  // The journal, three scratch files, the journal's end, three renames.
  EXPECT_EQ(steps, 8);

  // A journal cut while written: the change never began, and its scratch files go.
  home.writeBytes("watka.tmp", oldTracks);
  home.writeBytes("watdi.tmp", oldDiscs);
  home.writeBytes("watka.jnl", "replace\nwatka.bxl\nwatka.tmp\nwatdi.bxl\nwatdi.t");
  ASSERT_TRUE(finishInterruptedChange());
  EXPECT_EQ(home.readBytes("watka.bxl"), newTracks);
  EXPECT_EQ(home.readBytes("watdi.bxl"), newDiscs);
  EXPECT_EQ(filesOf(home), (QStringList{"watdi.bxl", "watka.bxl"}));
}

// A database kept in another folder through symbolic links stays there: each change, and each
// start after a kill, replaces the file a link leads to, beside which its scratch file lies.
TEST(TrackDatabase, ADatabaseKeptElsewhereThroughLinksStaysThere) {
  testsupport::TempHome home;
  QTemporaryDir elsewhere;
  const QDir there(elsewhere.path());
  const QByteArray oldTracks = padded("SC1", "01", "ONE", "A"), oldDiscs = "\"SC1        \"\r\n";
  const QByteArray newTracks = padded("NEW", "01", "ONE", "A"), newDiscs = "\"NEW        \"\r\n";
  const auto read = [&](const char* name) {
    QFile f(there.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
  };
  const auto linked = [&](const char* name) {
    return QFileInfo(home.path(name)).symLinkTarget() == there.filePath(name);
  };
  const auto reset = [&] {
    for (const auto& [name, bytes] : {std::pair{"watka.bxl", oldTracks}, std::pair{"watdi.bxl", oldDiscs}}) {
      QFile::remove(home.path(name));
      QFile f(there.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
      ASSERT_TRUE(QFile::link(there.filePath(name), home.path(name)));
    }
  };
  killAfterEachStep(
      reset, [&] { replaceDatabase(newTracks, newDiscs); },
      [&](int step, bool killed) {
        const bool changed = !killed || step > 3;
        EXPECT_TRUE(linked("watka.bxl") && linked("watdi.bxl")) << "step " << step;
        EXPECT_EQ(read("watka.bxl"), changed ? newTracks : oldTracks) << "step " << step;
        EXPECT_EQ(read("watdi.bxl"), changed ? newDiscs : oldDiscs) << "step " << step;
        EXPECT_EQ(there.entryList(QDir::Files, QDir::Name), (QStringList{"watdi.bxl", "watka.bxl"})) << "step " << step;
      });

  // Every other file the program rewrites, a settings file for one.
  ASSERT_TRUE(QFile::link(there.filePath("watdi.bxl"), home.path("settings.ini")));
  ASSERT_TRUE(platform::replaceFile(home.path("settings.ini"), "settings\r\n"));
  EXPECT_EQ(QFileInfo(home.path("settings.ini")).symLinkTarget(), there.filePath("watdi.bxl"));
  EXPECT_EQ(read("watdi.bxl"), "settings\r\n");
  EXPECT_EQ(filesOf(home), (QStringList{"settings.ini", "watdi.bxl", "watka.bxl"}));
}

TEST(TrackDatabase, AKilledAppendIsCutBackAtTheNextStart) {
  testsupport::TempHome home;
  const QByteArray tracks = padded("SC1", "01", "ONE", "A"), discs = "\"SC1        \"\r\n";
  const QByteArray record = padded("SC2", "01", "TWO", "B"), disc = "\"SC2        \"\r\n";
  const auto reset = [&] {
    home.writeBytes("watka.bxl", tracks);
    home.writeBytes("watdi.bxl", discs);
    QFile::remove(home.path("My_Discs.kup"));
  };
  const auto change = [&] {
    appendAll({{home.path("watka.bxl"), record}, {home.path("watdi.bxl"), disc}, {home.path("My_Discs.kup"), record}});
  };
  const int steps = killAfterEachStep(reset, change, [&](int step, bool killed) {
    // Killed after the last append, before the journal was removed: the append was complete and
    // stays.
    const bool added = !killed || step == 4;
    EXPECT_EQ(home.readBytes("watka.bxl"), added ? tracks + record : tracks) << "step " << step;
    EXPECT_EQ(home.readBytes("watdi.bxl"), added ? discs + disc : discs) << "step " << step;
    EXPECT_EQ(QFile::exists(home.path("My_Discs.kup")), added) << "step " << step;
    EXPECT_FALSE(QFile::exists(home.path("watka.jnl"))) << "step " << step;
  });
  EXPECT_EQ(steps, 4);  // the journal, three appends

  // Half a record written when the kill came: cut back to the length the journal holds.
  home.writeBytes("watka.jnl", "append\nwatka.bxl\n" + appendEntry(tracks.size(), record) + "\nend\n");
  home.writeBytes("watka.bxl", tracks + record.left(30));
  ASSERT_TRUE(finishInterruptedChange());
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_FALSE(QFile::exists(home.path("watka.jnl")));

  // A journal cut in the middle of a length: no append had begun, nothing is cut.
  home.writeBytes("watka.jnl", "append\nwatka.bxl\n1");
  ASSERT_TRUE(finishInterruptedChange());
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_FALSE(QFile::exists(home.path("watka.jnl")));
}

// A journal is read as any other file: untrusted. One that names files outside the database, a
// scratch file not its target's own, or lengths the files cannot have touches nothing: it is
// moved aside under a name of its own, and the user told where.
TEST(TrackDatabase, AJournalIsObeyedOnlyForTheDatabasesOwnFilesAndPossibleLengths) {
  testsupport::TempHome home;
  QTemporaryDir elsewhere;
  const QString victim = QDir(elsewhere.path()).filePath("victim.txt");
  const QByteArray relative = QDir(home.path()).relativeFilePath(victim).toUtf8();
  const QByteArray tracks = padded("SC1", "01", "ONE", "A"), discs = "\"SC1        \"\r\n";
  const QByteArray sha = QCryptographicHash::hash("x", QCryptographicHash::Sha1).toHex();
  const struct {
    const char* what;
    QByteArray journal;
  } cases[] = {
      {"a relative name outside", "replace\n" + relative + "\n" + relative + ".tmp\nend\n"},
      {"an absolute name", "replace\n" + victim.toUtf8() + "\n" + victim.toUtf8() + ".tmp\nend\n"},
      {"a percent-encoded name",
       "replace\n" + relative.toPercentEncoding() + "\n" + relative.toPercentEncoding() + ".tmp\nend\n"},
      {"the track file moved over the disc file", "replace\nwatdi.bxl\nwatka.bxl\nend\n"},
      {"a scratch name outside", "replace\nwatka.bxl\n" + relative + "\nend\n"},
      {"an append outside", "append\n" + relative + "\n0 1 " + sha + "\nend\n"},
      {"an append longer than what was appended", "append\nwatka.bxl\n0 1 " + sha + "\nend\n"},
      {"an append that would remove the disc file", "append\nwatdi.bxl\n-1 1 " + sha + "\nend\n"},
      {"a length that is no number", "append\nwatka.bxl\nten 1 " + sha + "\nend\n"},
      {"a bare length, which would empty the track file", "append\nwatka.bxl\n0\nend\n"},
      {"backup files in two folders", "replace\nMLDXbackup1.bxl\nMLDXbackup1.bxl.tmp\n" + relative +
                                          "/../MLDXbackup2.bxl\n" + relative + "/../MLDXbackup2.bxl.tmp\nend\n"},
      {"a name without its value", "replace\nwatka.bxl\nwatka.tmp\nwatdi.bxl\nend\n"},
      // Bounds that no append of the program gives: the files keep every byte.
      {"an append as long as no record", "append\nwatka.bxl\n0 99999999 " + sha + "\nend\n"},
      {"an append longer than the disc file", "append\nwatdi.bxl\n-1 99999999 " + sha + "\nend\n"},
      {"an append that made the tracks added by hand", "append\nMy_Discs.kup\n-1 9999999 " + sha + "\nend\n"},
      {"an append of the last 5 bytes",
       "append\nwatka.bxl\n" + QByteArray::number(tracks.size() - 5) + " 10 " + sha + "\nend\n"},
      {"an append of other bytes than the file ends with",
       "append\nwatka.bxl\n" + appendEntry(tracks.size() - 5, QByteArray(20, 'x')) + "\nend\n"},
      {"an append that made the disc file, which is there before any",
       "append\nwatdi.bxl\n" + appendEntry(-1, discs + "12345") + "\nend\n"},
  };
  int aside = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    home.writeBytes("watka.bxl", tracks);
    home.writeBytes("watdi.bxl", discs);
    home.writeBytes("watka.tmp", "scratch\r\n");
    home.writeBytes("My_Discs.kup", tracks);
    home.writeBytes("watka.jnl", c.journal);
    QFile::remove(victim);
    QFile v(victim), vs(victim + ".tmp");
    ASSERT_TRUE(v.open(QIODevice::WriteOnly) && v.write("mine") == 4 && vs.open(QIODevice::WriteOnly) &&
                vs.write("t") == 1);
    v.close();
    vs.close();

    const Recovery r = finishInterruptedChange();
    ++aside;
    const QString keptName = aside == 1 ? QString("watka.rejected.jnl") : QString("watka.rejected%1.jnl").arg(aside);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.message.contains(home.path("watka.jnl")) && r.message.contains(home.path(keptName)))
        << r.message.toStdString();
    EXPECT_EQ(home.readBytes(keptName), c.journal);
    EXPECT_FALSE(QFile::exists(home.path("watka.jnl")));
    EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
    EXPECT_EQ(home.readBytes("watdi.bxl"), discs);
    EXPECT_EQ(home.readBytes("watka.tmp"), "scratch\r\n");
    EXPECT_EQ(home.readBytes("My_Discs.kup"), tracks);
    QFile check(victim);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "mine");
    EXPECT_TRUE(QFile::exists(victim + ".tmp"));
  }

  // The backup pair in one folder, with its own scratch files, is obeyed.
  QFile::remove(victim + ".tmp");
  QTemporaryDir backups;
  const QByteArray folder = QDir(home.path()).relativeFilePath(backups.path()).toUtf8();
  for (const char* name : {"/MLDXbackup1.bxl.tmp", "/MLDXbackup2.bxl.tmp"}) {
    QFile f(backups.path() + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("new") == 3);
  }
  home.writeBytes("watka.jnl", "replace\n" + folder + "/MLDXbackup1.bxl\n" + folder + "/MLDXbackup1.bxl.tmp\n" +
                                   folder + "/MLDXbackup2.bxl\n" + folder + "/MLDXbackup2.bxl.tmp\nend\n");
  const Recovery r = finishInterruptedChange();
  EXPECT_TRUE(r.ok && r.message.isEmpty()) << r.message.toStdString();
  EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files), (QStringList{"MLDXbackup1.bxl", "MLDXbackup2.bxl"}));
  EXPECT_FALSE(QFile::exists(home.path("watka.jnl")));
}

// Two copies of the program on one folder: a change waits for the other copy's lock, and is
// told when it is not given up in time; the other copy's journal is never finished under it.
TEST(TrackDatabase, AChangeWaitsForAnotherCopysLockOrIsRefused) {
  testsupport::TempHome home;
  const QByteArray tracks = padded("SC1", "01", "ONE", "A");
  home.writeBytes("watka.bxl", tracks);
  // Another copy, in the middle of a change: its lock held, its journal written.
  const auto otherCopy = [&](int holdMs) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      QLockFile lock(lockPath());
      if (!lock.tryLock(0)) _exit(1);
      home.writeBytes("watka.tmp", "journalled\r\n");
      home.writeBytes("watka.jnl", "replace\nwatka.bxl\nwatka.tmp\nend\n");
      const char go = 1;
      if (write(ready[1], &go, 1) != 1) _exit(1);
      usleep(useconds_t(holdMs) * 1000);
      // Its change ends otherwise than its journal says: only a change that waited sees this.
      home.writeBytes("watka.bxl", "theirs\r\n");
      QFile::remove(home.path("watka.jnl"));
      QFile::remove(home.path("watka.tmp"));
      _exit(0);
    }
    char go = 0;
    EXPECT_EQ(read(ready[0], &go, 1), 1);
    close(ready[0]);
    close(ready[1]);
    return pid;
  };
  const int wait = lockWaitMs;
  lockWaitMs = 100;
  pid_t pid = otherCopy(3000);
  EXPECT_TRUE(finishInterruptedChange());  // at start: the other copy's journal is left to it
  EXPECT_TRUE(QFile::exists(home.path("watka.jnl")));
  const Outcome refused = replaceDatabase("mine\r\n");
  EXPECT_FALSE(refused.ok);
  EXPECT_TRUE(refused.message.contains("another copy of the program is changing it")) << refused.message.toStdString();
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);

  // Given up in time: the change waits for it, then reads and writes after it.
  lockWaitMs = 10000;
  pid = otherCopy(300);
  {
    ChangeScope change;
    EXPECT_TRUE(change) << change.refusal().toStdString();
    EXPECT_EQ(home.readBytes("watka.bxl"), "theirs\r\n");
    EXPECT_TRUE(replaceDatabase("mine\r\n").ok);
    EXPECT_EQ(home.readBytes("watka.bxl"), "mine\r\n");
  }
  waitpid(pid, nullptr, 0);

  // A copy that ended without letting go, in a folder that has since become read only: no copy
  // is changing the database, and the user hears what stops the change instead.
  lockWaitMs = 100;
  pid = fork();
  if (pid == 0) {
    QLockFile lock(lockPath());
    _exit(lock.tryLock(0) ? 0 : 1);  // ends without removing its lock file
  }
  int status = 1;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  {
    testsupport::OrdinaryUser user(home.path());
    testsupport::setMode(home.path(), 0555);
    const Outcome stale = replaceDatabase("stale\r\n");
    EXPECT_FALSE(stale.ok);
    EXPECT_EQ(stale.message.toStdString(),
              ("The folder " + QDir::cleanPath(home.path()) + " of the database cannot be written, and the lock file " +
               lockPath() + " in it was left by a change of the database that has ended.\rNothing has been changed.")
                  .toStdString());
    testsupport::setMode(home.path(), 0700);
  }
  EXPECT_EQ(home.readBytes("watka.bxl"), "mine\r\n");
  lockWaitMs = wait;
}

// What the user was told stays true when the journal's folder stops letting it be removed: a
// completed append is kept at the next start, and a change refused after its journal was
// written is not made at the next start either.
TEST(TrackDatabase, AJournalThatCannotBeRemovedNeverUndoesOrRedoesWhatTheUserWasTold) {
  testsupport::TempHome home;
  const QByteArray tracks = padded("SC1", "01", "ONE", "A"), discs = "\"SC1        \"\r\n";
  const QByteArray record = padded("SC2", "01", "TWO", "B");
  home.writeBytes("watka.bxl", tracks);
  home.writeBytes("watdi.bxl", discs);
  const auto folderMode = [&](mode_t mode) { testsupport::setMode(home.path(), mode); };
  {
    testsupport::OrdinaryUser user(home.path());
    changeStepHook = [&](int step) {
      if (step == 2) folderMode(0555);  // after the append, before the journal goes
    };
    const Outcome added = appendAll({{home.path("watka.bxl"), record}});
    changeStepHook = nullptr;
    EXPECT_TRUE(added.ok) << added.message.toStdString();
    EXPECT_EQ(home.readBytes("watka.jnl"), "");  // emptied, since it could not be removed
    folderMode(0777);
    EXPECT_TRUE(finishInterruptedChange());
    EXPECT_EQ(home.readBytes("watka.bxl"), tracks + record);
    EXPECT_FALSE(QFile::exists(home.path("watka.jnl")));

    // A rename refused once the journal is whole: the user hears that nothing changed, and the
    // next start changes nothing.
    changeStepHook = [&](int step) {
      if (step == 4) folderMode(0555);  // both scratch files and the journal written
    };
    const Outcome replaced = replaceDatabase("new tracks\r\n", QByteArray("new discs\r\n"));
    changeStepHook = nullptr;
    EXPECT_FALSE(replaced.ok);
    EXPECT_TRUE(replaced.message.endsWith("The database has not been changed.")) << replaced.message.toStdString();
    folderMode(0777);
    EXPECT_TRUE(finishInterruptedChange());
    EXPECT_EQ(home.readBytes("watka.bxl"), tracks + record);
    EXPECT_EQ(home.readBytes("watdi.bxl"), discs);
    EXPECT_EQ(filesOf(home), (QStringList{"watdi.bxl", "watka.bxl"}));
    folderMode(0700);
  }
}
