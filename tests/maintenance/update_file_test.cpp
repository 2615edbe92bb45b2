// Update files: the header, the records, and merging them into the track and disc files; and
// the write of a set of files together, which applying an update relies on.
#include "maintenance/update_file.h"

#include "maintenance/track_database.h"

#include "temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using maintenance::UpdateFileRead;
using maintenance::UpdateOutcome;

// Texts show as text in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QByteArray kHeader = "\"Mellowdex Update File \"\r\n";

QByteArray track(const char* code, const char* number, const char* title, const char* artist) {
  return testsupport::trackLine(code, number, title, artist).toLatin1() + "\r\n";
}
QByteArray disc(const char* code) { return testsupport::discLine(code).toLatin1() + "\r\n"; }

QByteArray merge(const QByteArray& tracks, const QByteArray& discs, const QByteArray& update, QByteArray* newDiscs) {
  const UpdateFileRead read = maintenance::readUpdateFile(update);
  EXPECT_EQ(read.status, UpdateFileRead::Status::Records);
  const auto merged = maintenance::mergeUpdate(tracks, discs, read.records);
  if (newDiscs) *newDiscs = merged.discs;
  return merged.tracks;
}

}  // namespace

TEST(UpdateFile, OnlyTheExactHeaderIsAccepted) {
  const auto status = [](const QByteArray& bytes) { return maintenance::readUpdateFile(bytes).status; };
  EXPECT_EQ(status(kHeader), UpdateFileRead::Status::Records);
  EXPECT_EQ(status("\"Mellowdex Update File\"\r\n"), UpdateFileRead::Status::NotUpdateFile);
  EXPECT_EQ(status("\"MELLOWDEX UPDATE FILE \"\r\n"), UpdateFileRead::Status::NotUpdateFile);
  EXPECT_EQ(status("Mellowdex Update File \r\n"), UpdateFileRead::Status::NotUpdateFile);  // unquoted: trimmed
  EXPECT_EQ(status(""), UpdateFileRead::Status::NotUpdateFile);
  EXPECT_EQ(status("\r\n" + kHeader), UpdateFileRead::Status::NotUpdateFile);
  // The hand-added tracks log has no header line.
  EXPECT_EQ(status(track("ZX1001", "01", "A", "B")), UpdateFileRead::Status::NotUpdateFile);
}

TEST(UpdateFile, RecordsAreTakenAsStoredAndBrokenLinesRefuseTheFile) {
  const UpdateFileRead read = maintenance::readUpdateFile(
      kHeader + "\"ZX1\",\"7\",\"SONG, WITH COMMA\",\" ARTIST \"\r\n\r\n  \r\n" + track("ZX2", "01", "B", "C"));
  ASSERT_EQ(read.status, UpdateFileRead::Status::Records);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0].line(), "\"ZX1\",\"7\",\"SONG, WITH COMMA\",\" ARTIST \"\r\n");
  EXPECT_EQ(read.records[1].line(), track("ZX2", "01", "B", "C"));

  for (const QByteArray& broken : {QByteArray("\"ZX1\",\"01\",\"SONG\"\r\n"),              // a field short
                                   QByteArray("\"ZX1\",\"01\",\"SONG\",\"ARTIST\",\r\n"),  // one too many
                                   QByteArray("\"ZX1\",\"01\",\"SONG\",ART\"IST\r\n"),     // a quote inside
                                   QByteArray("\"ZX1\",\"01\",\"SO")}) {                   // cut short
    const UpdateFileRead r = maintenance::readUpdateFile(kHeader + track("ZX2", "01", "B", "C") + broken);
    EXPECT_EQ(r.status, UpdateFileRead::Status::BrokenRecord) << broken.constData();
    EXPECT_EQ(r.brokenLine, 3);
    EXPECT_TRUE(r.records.empty());
  }
}

TEST(UpdateFile, MergeAddsOnlyNewTracksAndNewDiscs) {
  const QByteArray tracks = track("ZX1001", "01", "OLD SONG", "OLD ARTIST");
  const QByteArray discs = disc("ZX1001");
  QByteArray newDiscs;

  // Same disc and track with another song: nothing added.
  EXPECT_EQ(merge(tracks, discs, kHeader + track("ZX1001", "01", "OTHER", "OTHER"), &newDiscs), tracks);
  EXPECT_EQ(newDiscs, discs);

  // A new track of a stored disc: the track only.
  EXPECT_EQ(merge(tracks, discs, kHeader + track("ZX1001", "02", "NEW", "X"), &newDiscs),
            tracks + track("ZX1001", "02", "NEW", "X"));
  EXPECT_EQ(newDiscs, discs);

  // A new disc: its tracks and its code once; a repeated record once.
  const QByteArray update =
      kHeader + track("AB200", "01", "S1", "A1") + track("AB200", "02", "S2", "A2") + track("AB200", "01", "S1", "A1");
  EXPECT_EQ(merge(tracks, discs, update, &newDiscs),
            tracks + track("AB200", "01", "S1", "A1") + track("AB200", "02", "S2", "A2"));
  EXPECT_EQ(newDiscs, discs + disc("AB200"));

  // A code without its padding, a track without its leading zero, is the stored disc and track;
  // and the other way round.
  EXPECT_EQ(merge(tracks, discs, kHeader + "\"ZX1001\",\"1\",\"OLD SONG\",\"OLD ARTIST\"\r\n", &newDiscs), tracks);
  EXPECT_EQ(newDiscs, discs);
  const QByteArray bare = "\"ZX1\",\"1\",\"A\",\"B\"\r\n";
  EXPECT_EQ(merge(bare, "\"ZX1\"\r\n", kHeader + track("ZX1", "01", "A", "B"), &newDiscs), bare);
  EXPECT_EQ(newDiscs, "\"ZX1\"\r\n");
}

TEST(UpdateFile, AnAppendedLineNeverJoinsALastLineWithoutItsEnd) {
  QByteArray newDiscs;
  const QByteArray tracks = track("ZX1001", "01", "A", "B").chopped(2);
  const QByteArray discs = disc("ZX1001").chopped(2);
  EXPECT_EQ(merge(tracks, discs, kHeader + track("AB1", "01", "C", "D"), &newDiscs),
            tracks + "\r\n" + track("AB1", "01", "C", "D"));
  EXPECT_EQ(newDiscs, discs + "\r\n" + disc("AB1"));
}

TEST(UpdateFile, ApplyingReadsEverythingBeforeWritingAnything) {
  testsupport::TempHome home;
  home.writeDiscs({"ZX1001"});
  home.writeTracks({"ZX1001,01,A,B"});
  const QByteArray tracks = home.readBytes("watka.bxl"), discs = home.readBytes("watdi.bxl");

  home.writeBytes("new.kup", kHeader + track("AB1", "01", "C", "D"));
  EXPECT_EQ(maintenance::applyUpdateFile(home.path("missing.kup"), home.path()).result,
            UpdateOutcome::Result::NotUpdateFile);
  home.writeBytes("cut.kup", kHeader + track("AB1", "01", "C", "D") + "\"AB1\",\"02\"");
  UpdateOutcome out = maintenance::applyUpdateFile(home.path("cut.kup"), home.path());
  EXPECT_EQ(out.result, UpdateOutcome::Result::BrokenRecord);
  EXPECT_EQ(out.brokenLine, 3);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
  EXPECT_EQ(home.readBytes("watdi.bxl"), discs);

  // A disc file that cannot be read stops the update before the track file is touched.
  QFile::remove(home.path("watdi.bxl"));
  ASSERT_TRUE(QDir(home.path()).mkdir("watdi.bxl"));
  out = maintenance::applyUpdateFile(home.path("new.kup"), home.path());
  EXPECT_EQ(out.result, UpdateOutcome::Result::DatabaseUnreadable);
  EXPECT_EQ(home.readBytes("watka.bxl"), tracks);
}

TEST(UpdateFile, AFailedWriteOfASetPutsBackTheFilesAlreadyWritten) {
  testsupport::TempHome home;
  home.writeBytes("first.bxl", "old first");
  // The third file's folder does not exist, so its write fails after the first two are written.
  auto result = maintenance::replaceFilesTogether(
      {{home.path("first.bxl"), "new first"}, {home.path("created.bxl"), "new"}, {home.path("nowhere/x.bxl"), "x"}});
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.putBack);
  EXPECT_EQ(result.failedPath, home.path("nowhere/x.bxl"));
  EXPECT_EQ(home.readBytes("first.bxl"), "old first");
  EXPECT_FALSE(QFile::exists(home.path("created.bxl")));

  // A folder in the place of a target stops the set before anything is written.
  ASSERT_TRUE(QDir(home.path()).mkdir("blocked"));
  result = maintenance::replaceFilesTogether({{home.path("first.bxl"), "new first"}, {home.path("blocked"), "x"}});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(home.readBytes("first.bxl"), "old first");

  result =
      maintenance::replaceFilesTogether({{home.path("first.bxl"), "new first"}, {home.path("created.bxl"), "new"}});
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(home.readBytes("first.bxl"), "new first");
  EXPECT_EQ(home.readBytes("created.bxl"), "new");
}
