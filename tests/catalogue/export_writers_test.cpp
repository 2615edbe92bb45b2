// The song list as it leaves the program: the columns, the clipboard text, the export files and
// the update file.
#include "catalogue/export_writers.h"

#include "catalogue/song_line.h"

#include <gtest/gtest.h>

using catalogue::Sort;

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kArtist30 = "BARTHOLOMEW AND THE NIGHT OWLS";
const QString kSong36 = "A LONG WAY DOWN TO THE HARBOUR LIGHT";
const QString kCode11 = "SGBTB100105";

QString line(Sort sort, const QString& ref, const QString& code = kCode11) {
  return catalogue::createListLine(sort, {kArtist30, kSong36, code, ref, "05"});
}

QString headings(const std::vector<catalogue::ListColumn>& columns) {
  QStringList h;
  for (const auto& c : columns) h << c.heading;
  return h.join(',');
}

}  // namespace

TEST(ListColumns, ElevenColumnSetsAndNoneWithoutACodeOrNumberColumn) {
  using catalogue::listColumns;
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
  using catalogue::lineFields;
  using catalogue::listColumns;
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
  using catalogue::clipboardListText;
  using catalogue::listColumns;
  const QString artistLine = line(Sort::Artist, "");
  EXPECT_EQ(clipboardListText(listColumns(Sort::Artist, true, true), {artistLine}),
            "ARTIST\tSONG\tMF CODE\tDISC\tTRACK\r\n" + kArtist30 + "\t" + kSong36 + "\t" + kCode11 + "\t\t05\r\n");
  // A blank number in the last column leaves a tab before the line end.
  EXPECT_EQ(clipboardListText(listColumns(Sort::Track, true, true), {line(Sort::Track, "")}),
            "TRACK\tSONG\tARTIST\tMF CODE\tDISC\r\n05\t" + kSong36 + "\t" + kArtist30 + "\t" + kCode11 + "\t\r\n");
  EXPECT_EQ(clipboardListText({}, {artistLine}), "");
  // A tab inside a field goes as a blank, so the pasted columns stay in their places.
  const QString tabbed = catalogue::createListLine(Sort::Song, {"AC\tDC", "T.N.T.\tLIVE", kCode11, "", "05"});
  EXPECT_EQ(clipboardListText(listColumns(Sort::Song, true, false), {tabbed}),
            "SONG\tARTIST\tMF CODE\tTRACK\r\nT.N.T. LIVE\tAC DC\t" + kCode11 + "\t05\r\n");
}

TEST(ExportFile, TheTypedNameChoosesTheFormat) {
  using catalogue::ExportFormat;
  using catalogue::exportTarget;
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
  const auto columns = catalogue::listColumns(Sort::Song, true, false);
  const QString plain = catalogue::createListLine(Sort::Song, {"ODA BELL", "RIVER TOWN", "MDX1001", "", "01"});
  const QString commas = catalogue::createListLine(Sort::Song, {"BELL, ODA", "SAY \"HI\"", "MDX1001", "", "02"});
  EXPECT_EQ(catalogue::csvExportText(columns, {plain, commas}),
            "SONG,ARTIST,MF CODE,TRACK\r\n"
            "RIVER TOWN,ODA BELL,MDX1001,01\r\n"
            "\"SAY \"\"HI\"\"\",\"BELL, ODA\",MDX1001,02\r\n");
  EXPECT_EQ(catalogue::csvExportText(columns, {}), "SONG,ARTIST,MF CODE,TRACK\r\n");
}

TEST(ExportFile, WebPageFollowsTheTemplateWithItsTextEscaped) {
  const auto columns = catalogue::listColumns(Sort::Song, true, false);
  const QString l =
      catalogue::createListLine(Sort::Song, {QString::fromUtf8("ZO\u00cb"), "ROCK & ROLL <LIVE>", "SC8123", "", "01"});
  EXPECT_EQ(catalogue::htmlExportText(columns, {l}, "www.mellowdex.example", "http://www.mellowdex.example"),
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
  const auto own = [](const QString& code, const QString& track) { return catalogue::LineRecord{code, track}; };
  // Lines made in this run carry their record; the others were read back from a saved list.
  const std::vector<std::pair<QString, std::optional<catalogue::LineRecord>>> list{
      {make("ZK101", "01", "LATE TRAIN", "ODA BELL"), {}},
      {make("", "02", "NO CODE", "NOBODY"), {}},
      {make("NEW1", "03", "Fresh Song", "New Band"), {}},
      {make("ZK101", "01", "LATE TRAIN", "ODA BELL"), {}},
      {make("TR0003", "01", "BIG ONE", "Y"), own("TR0003     ", "01")},
      {make("TR0003", "01", "BIG ONE", "Y"), {}},
      {make("ABCDEFGHIJK", "01", "TWELVE ONE", "B"), own("ABCDEFGHIJKL", "01")},
      {make("ABCDEFGHIJK", "01", "ELEVEN ONE", "A"), own("ABCDEFGHIJK", "01")},
      {make("ABCDEFGHIJK", "02", "TWELVE TWO", "C"), {}},
      {make("ABCDEFGHIJK", "01", "ELEVEN ONE", "A"), {}},
      {make("ABCDEFGHIJK", "03", "ELEVEN THREE", "A"), {}},
      {make("TR0003", "01", "BIG ONE BEFORE", "Y"), own("TR0003     ", "01")},
      {make("ABCDEFGHIJK", "04", "TWELVE FOUR", "C"), own("ABCDEFGHIJKL", "04")},
      {make("ABCDEFGHIJK", "04", "TWELVE FOUR", "C"), {}},
      {make("ZK101", "1 ", "LATE TRAIN", "ODA BELL"), {}},                 // as an earlier version showed track 1
      {make("ZK101", "01", "LATE TRAIN", "ODA BELL"), own("zk101", "1")},  // the same track stored unpadded
  };
  QStringList lines;
  std::vector<std::optional<catalogue::LineRecord>> records;
  for (const auto& [line, record] : list) lines << line, records.push_back(record);
  const QByteArray database =
      "\"zk101      \",\"01\",\"Late Train\",\"Oda Bell\"\r\n"
      "\"zk101      \",\"01\",\"Second Copy\",\"Ignored\"\r\n"
      "\"tr0003     \",\"01\",\"small one\",\"x\"\r\n"
      "\"TR0003     \",\"01\",\"BIG ONE\",\"Y\"\r\n"
      "\"ABCDEFGHIJK\",\"01\",\"ELEVEN ONE\",\"A\"\r\n"
      "\"ABCDEFGHIJKL\",\"01\",\"TWELVE ONE\",\"B\"\r\n"
      "\"ABCDEFGHIJKL\",\"02\",\"TWELVE TWO\",\"C\"\r\n"
      "\"ABCDEFGHIJKL\",\"03\",\"TWELVE THREE\",\"C\"\r\n"
      "\"zk101\",\"1\",\"Late Train\",\"Oda Bell\"\r\n";
  const catalogue::UpdateFileTracks made = catalogue::updateFileTracks(Sort::Track, lines, records, database);
  const auto record = [](const QString& code, const QString& track, const QString& song, const QString& artist) {
    return common::TrackRecord::fromFields({code, track, song, artist}).toLine() + "\r\n";
  };
  // The twelve-character code is written whole, under the disc each line came from; a case twin
  // is the disc of the line's own record. The same disc and track is written once.
  const QString text = catalogue::updateFileText(made.tracks);
  EXPECT_EQ(text, "\"Mellowdex Update File \"\r\n" + record("zk101", "01", "Late Train", "Oda Bell") +
                      record("TR0003", "01", "BIG ONE", "Y") + "\"ABCDEFGHIJKL\",\"01\",\"" +
                      QString("TWELVE ONE").leftJustified(36) + "\",\"" + QString("B").leftJustified(30) + "\"\r\n" +
                      record("ABCDEFGHIJK", "01", "ELEVEN ONE", "A") + "\"ABCDEFGHIJKL\",\"02\",\"" +
                      QString("TWELVE TWO").leftJustified(36) + "\",\"" + QString("C").leftJustified(30) + "\"\r\n");
  EXPECT_TRUE(text.contains("\"zk101      \",\"01\",\"Late Train                          \",\"Oda Bell  "));
  // A saved line that fits two discs is named, not written; a line without a code names nothing.
  EXPECT_EQ(made.severalDiscs, (QStringList{"TR0003 track 01 (BIG ONE) fits tr0003, TR0003",
                                            "ABCDEFGHIJK track 01 (ELEVEN ONE) fits ABCDEFGHIJK, ABCDEFGHIJKL"}));
  EXPECT_EQ(made.withoutCode, 1);
  // A line whose one disc's track holds another song is left out and named: the saved line of a
  // deleted track fits the 12-character disc, and a track changed since its line was made. So is a
  // line that fits no disc, whether it kept its record or was read back: it is never written from
  // its own text.
  EXPECT_EQ(made.noLongerHeld, (QStringList{"Track 03 of disc NEW1 no longer holds \"Fresh Song\" by \"New Band\".",
                                            "Track 03 of disc ABCDEFGHIJKL no longer holds \"ELEVEN THREE\" by \"A\".",
                                            "Track 01 of disc TR0003 no longer holds \"BIG ONE BEFORE\" by \"Y\".",
                                            "Track 04 of disc ABCDEFGHIJKL no longer holds \"TWELVE FOUR\" by \"C\".",
                                            "Track 04 of disc ABCDEFGHIJK no longer holds \"TWELVE FOUR\" by \"C\"."}));

  EXPECT_EQ(catalogue::withKupExtension("/d/new"), "/d/new.kup");
  EXPECT_EQ(catalogue::withKupExtension("/d/new.KUP"), "/d/new.kup");
  EXPECT_EQ(catalogue::withKupExtension("/d/new.txt"), "/d/new.txt.kup");
}
