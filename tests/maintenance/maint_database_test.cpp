// The rewrites and writes of the track and disc files behind the database windows.
#include "maintenance/track_database.h"

#include "file_size_limit.h"
#include "temp_home.h"

#include <QCryptographicHash>
#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

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

// An append journal's value: the length before, the length appended and the SHA-1 of the bytes.
QByteArray appendEntry(qint64 before, const QByteArray& appended) {
  return QByteArray::number(before) + ' ' + QByteArray::number(appended.size()) + ' ' +
         QCryptographicHash::hash(appended, QCryptographicHash::Sha1).toHex();
}

}  // namespace

TEST(TrackDatabase, EditLeavesOutEveryExactMatchAndAddsTheEditedRecordLast) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\"SC1\",\"02\",\"BARE\",\"B\"\r\n" +
                            padded("SC1", "02", "TWO", "B") + "ZZ9 , 03 ,\"X, Y\",C\r\n" +
                            padded("SC1", "02", "TWO AGAIN", "B");
  const QByteArray edited = recordLine(QStringList{"SC1        ", "02", "NEW", "B"});
  const QByteArray out = editedTracks(tracks, "SC1        ", "02", edited);
  // The unpadded record is not the key: it stays, as read; the unquoted one comes back quoted.
  EXPECT_EQ(out, padded("SC1", "01", "ONE", "A") + "\"SC1\",\"02\",\"BARE\",\"B\"\r\n" +
                     "\"ZZ9\",\"03\",\"X, Y\",\"C\"\r\n" + edited);
  // No match: nothing left out, the edited record still added.
  EXPECT_EQ(editedTracks(padded("SC1", "01", "ONE", "A"), "SC9        ", "01", edited),
            padded("SC1", "01", "ONE", "A") + edited);
}

TEST(TrackDatabase, RecodeMatchesTrimmedCodesAndKeepsTheOtherFieldsAsRead) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\" SC1\",\"2\",\"short\",\"b\"\r\n" +
                            padded("SC10", "01", "TEN", "C");
  EXPECT_EQ(recodedTracks(tracks, "SC1", "NEW        "),
            padded("NEW", "01", "ONE", "A") + "\"NEW        \",\"2\",\"short\",\"b\"\r\n" + padded("SC10", "01", "TEN", "C"));
  EXPECT_EQ(recodedDiscs({"SC10       ", "SC1", "AB         "}, "SC1", "NEW        "),
            QByteArray("\"SC10       \"\r\n\"NEW        \"\r\n\"AB         \"\r\n"));
}

TEST(TrackDatabase, DeletionsCompareFittedFieldsAndWriteEveryRecordPadded) {
  const QByteArray tracks = "\"SC1\",\"5\",\"bare\",\"b\"\r\n" + padded("SC1", "06", "SIX", "A") +
                            "\"OTHER\",\"1\",\"x\",\"y\"\r\n";
  const TrackDeletion one = withoutTrack(tracks, "SC1        ", "5");
  EXPECT_EQ(one.discTracks, 2);
  EXPECT_EQ(one.removed, 1);
  EXPECT_EQ(one.tracks, padded("SC1", "06", "SIX", "A") + padded("OTHER", "1", "x", "y"));
  EXPECT_EQ(one.tracks.size(), 2 * 92);

  const TrackDeletion none = withoutTrack(tracks, "SC1        ", "07");
  EXPECT_EQ(none.removed, 0);
  EXPECT_EQ(none.discTracks, 2);

  const TrackDeletion disc = withoutDisc(tracks, "SC1        ");
  EXPECT_EQ(disc.removed, 2);
  EXPECT_EQ(disc.tracks, padded("OTHER", "1", "x", "y"));

  EXPECT_EQ(discsWithout({"SC1", "AB", "SC1        "}, "SC1        "), QByteArray("\"AB         \"\r\n"));
}

TEST(TrackDatabase, FindingTracksAndDiscs) {
  const QByteArray tracks = padded("SC1", "01", "ONE", "A") + "\"SC2\",\"01\",\"x\",\"y\"\r\n";
  EXPECT_TRUE(hasTrack(tracks, "SC1        ", "01"));
  EXPECT_FALSE(hasTrack(tracks, "SC1        ", "02"));
  EXPECT_FALSE(hasTrack(tracks, "SC2        ", "01"));  // stored without padding: not found
  EXPECT_FALSE(hasTrack(tracks, "sc1        ", "01"));

  const QStringList discs{"SC1        ", "SC2", "ABCDEFGHIJK"};
  EXPECT_TRUE(discListed(discs, "SC1        "));
  EXPECT_FALSE(discListed(discs, "SC2        "));  // compared as read
  EXPECT_TRUE(discInUse(discs, "SC2"));             // compared trimmed
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
    testsupport::FileSizeLimit limit(40);
    out = replaceDatabase("new tracks\r\n", QByteArray(50, 'd'));
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
  const auto reset = [&] {
    home.writeBytes("watka.bxl", oldTracks);
    home.writeBytes("watdi.bxl", oldDiscs);
  };
  const int steps = killAfterEachStep(reset, [&] { replaceDatabase(newTracks, newDiscs); }, [&](int step, bool killed) {
    // Killed while the two scratch files were written: not changed. Once the journal is whole:
    // changed, the renames left undone made at the start.
    const bool changed = !killed || step > 2;
    EXPECT_EQ(home.readBytes("watka.bxl"), changed ? newTracks : oldTracks) << "step " << step;
    EXPECT_EQ(home.readBytes("watdi.bxl"), changed ? newDiscs : oldDiscs) << "step " << step;
    EXPECT_EQ(filesOf(home), (QStringList{"watdi.bxl", "watka.bxl"})) << "step " << step;
  });
  EXPECT_EQ(steps, 5);  // two scratch files, the journal, two renames

  // A journal cut while written: the change never began, and its scratch files go.
  home.writeBytes("watka.tmp", oldTracks);
  home.writeBytes("watdi.tmp", oldDiscs);
  home.writeBytes("watka.jnl", "replace\nwatka.bxl\nwatka.tmp\nwatdi.bxl\nwatdi.t");
  ASSERT_TRUE(finishInterruptedChange());
  EXPECT_EQ(home.readBytes("watka.bxl"), newTracks);
  EXPECT_EQ(home.readBytes("watdi.bxl"), newDiscs);
  EXPECT_EQ(filesOf(home), (QStringList{"watdi.bxl", "watka.bxl"}));
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
