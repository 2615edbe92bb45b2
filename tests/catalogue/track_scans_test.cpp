// The passes over the whole track file: Create List, Tick All, the records of one disc and the
// searches, with the cap on a list's lines and the progress steps.
#include "catalogue/track_scans.h"
#include "platform/core/sorted_list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string_view>

// Show lines as quoted text when a comparison fails.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using catalogue::Sort;

namespace {
QByteArray record(const char* code, const char* track, const char* song, const char* artist) {
  return QByteArray("\"") + code + "\",\"" + track + "\",\"" + song + "\",\"" + artist + "\"\r\n";
}
}  // namespace

TEST(TrackScans, CreateListTakesTheTickedDiscsInFileOrderWithTheirNumbers) {
  // A record stored padded is its disc's; one of a longer code sharing the first 11 characters is not.
  const QByteArray tracks = record("SC1", "01", "ONE", "A") + record("ZZ9", "01", "OTHER", "B") +
                            record("SC2        ", "03", "THREE", "C") + "\r\n" + record("SC1", "02", "TWO", "D") +
                            record("SERIESCODE-0101", "01", "TWIN", "E") + record("SERIESCODE-0102", "01", "OWN", "F") +
                            record("SC2", "1 ", "UNPADDED", "G") + record("SC2", "10", "TEN", "H");
  const QHash<QByteArray, QString> ticked{{"SC1", "0007"}, {"SC2", "    "}, {"SERIESCODE-0102", "0008"}};
  const auto shown = catalogue::createListLines(tracks, Sort::Song, ticked, true);
  EXPECT_FALSE(shown.capped);
  EXPECT_EQ(shown.lines, (QStringList{catalogue::createListLine(Sort::Song, {"A", "ONE", "SC1", "0007", "01"}),
                                      catalogue::createListLine(Sort::Song, {"C", "THREE", "SC2", "    ", "03"}),
                                      catalogue::createListLine(Sort::Song, {"D", "TWO", "SC1", "0007", "02"}),
                                      catalogue::createListLine(Sort::Song, {"F", "OWN", "SERIESCODE-", "0008", "01"}),
                                      catalogue::createListLine(Sort::Song, {"G", "UNPADDED", "SC2", "    ", "01"}),
                                      catalogue::createListLine(Sort::Song, {"H", "TEN", "SC2", "    ", "10"})}));
  // A track is its number: the one stored without its zero takes its place before 10 by the track.
  QStringList byTrack = catalogue::createListLines(tracks, Sort::Track, ticked, true).lines;
  std::sort(byTrack.begin(), byTrack.end(),
            [](const QString& a, const QString& b) { return platform::sortKey(a) < platform::sortKey(b); });
  QStringList numbers;
  for (const QString& line : byTrack) numbers << line.left(2);
  EXPECT_EQ(numbers, (QStringList{"01", "01", "01", "02", "03", "10"}));
  // Codes hidden: the column is blank, the number stays.
  const auto hidden = catalogue::createListLines(tracks, Sort::Song, ticked, false);
  EXPECT_EQ(hidden.lines[0], catalogue::createListLine(Sort::Song, {"A", "ONE", QString(11, ' '), "0007", "01"}));
  EXPECT_TRUE(catalogue::createListLines(tracks, Sort::Song, {}, true).lines.isEmpty());
}

TEST(TrackScans, ListsStopAtTheCapAndSaySoAndStepEverySoManyRecords) {
  QByteArray tracks;
  for (int i = 0; i <= catalogue::Max_List_Lines; ++i) tracks += record("SC1", "01", "SONG", "ARTIST");
  int steps = 0;
  const auto created =
      catalogue::createListLines(tracks, Sort::Artist, {{"SC1", "    "}}, true, {1000, [&] { ++steps; }});
  EXPECT_TRUE(created.capped);
  EXPECT_EQ(created.lines.size(), catalogue::Max_List_Lines);
  EXPECT_EQ(steps, (catalogue::Max_List_Lines + 1) / 1000);
  const auto all = catalogue::tickAllLines(tracks, Sort::Track);
  EXPECT_TRUE(all.capped);
  EXPECT_EQ(all.lines.size(), catalogue::Max_List_Lines);
  EXPECT_EQ(all.lines[0], catalogue::tickAllLine(Sort::Track, {"ARTIST", "SONG", "SC1", "", "01"}));
  tracks.chop(record("SC1", "01", "SONG", "ARTIST").size());
  EXPECT_FALSE(catalogue::tickAllLines(tracks, Sort::Track).capped);
  EXPECT_EQ(catalogue::recordCount(tracks), catalogue::Max_List_Lines);
}

TEST(TrackScans, TheRecordsOfOneDiscAreThoseItsTestAccepts) {
  const QByteArray tracks =
      record("SC1", "01", "ONE", "A") + record("SC10", "01", "TEN", "B") + record("SC1", "02", "TWO", "C");
  const auto records = catalogue::discRecords(tracks, [](std::string_view code) { return code == "SC1"; });
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].title, "ONE");
  EXPECT_EQ(records[1].track, "02");
}

TEST(TrackScans, SearchesMatchTheChosenFieldsPaddedToTheirWidths) {
  const QByteArray tracks = record("SC1", "01", "MOON RIVER", "ODA BELL") + record("SC2", "02", "BELL TOWER", "JUNO") +
                            record("MOON7", "03", "SKY", "RAY") + record("ABCDEFGHIJK", "04", "FULL", "ZED") +
                            record("SERIESCODE-0102", "05", "LONG", "ZED");
  const auto songs = [&](const char* text, int fields) {
    QStringList got;
    for (const QString& line : catalogue::searchLines(tracks, Sort::Song, catalogue::SearchPattern(text), fields).lines)
      got << line.left(12).trimmed();
    return got;
  };
  EXPECT_EQ(songs("MOON", catalogue::kSearchSong), QStringList{"MOON RIVER"});
  EXPECT_EQ(songs("MOON", catalogue::kSearchSong | catalogue::kSearchCode), (QStringList{"MOON RIVER", "SKY"}));
  EXPECT_EQ(songs("BELL", catalogue::kSearchArtist), QStringList{"MOON RIVER"});
  // The field is blank-padded to its width: a blank after the last letter still matches.
  EXPECT_EQ(songs("JUNO ", catalogue::kSearchArtist), QStringList{"BELL TOWER"});
  // The code is seen in all its columns: the last one of a full code, the padding of a short one.
  EXPECT_EQ(songs("JK", catalogue::kSearchCode), QStringList{"FULL"});
  EXPECT_EQ(songs("SC1        ", catalogue::kSearchCode), QStringList{"MOON RIVER"});
  EXPECT_EQ(songs("CODE-0102", catalogue::kSearchCode), QStringList{"LONG"});  // a longer code is seen whole
}
