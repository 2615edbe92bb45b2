// The saved song-list file's names, headers, text and the merge of two files' values.
#include "catalogue/song_list_file.h"

#include "temp_home.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kSep = QByteArray(58, '-');
}  // namespace

using testsupport::quotedLinesBytes;

TEST(SongListFile, SavedNamesAlwaysEndInMdq) {
  EXPECT_EQ(catalogue::withMdqExtension("/d/Party.MDQ"), "/d/Party.mdq");
  EXPECT_EQ(catalogue::withMdqExtension("/d/Party"), "/d/Party.mdq");
  EXPECT_EQ(catalogue::withMdqExtension("/d/Party.txt"), "/d/Party.txt.mdq");
  EXPECT_EQ(catalogue::withMdqExtension("/d/Party.mdq"), "/d/Party.mdq");
}

TEST(SongListFile, HeadersAreComparedExactly) {
  EXPECT_EQ(catalogue::songListVersion("MELLOWDEX CD SELECTION FILE2"), 2);
  EXPECT_EQ(catalogue::songListVersion("MELLOWDEX CD SELECTION FILE"), 1);
  EXPECT_EQ(catalogue::songListVersion("mellowdex cd selection file2"), 0);
  EXPECT_EQ(catalogue::songListVersion("MELLOWDEX CD SELECTION FILE2 "), 0);
  EXPECT_EQ(catalogue::songListVersion(""), 0);
}

TEST(SongListFile, AFileWithoutASortStillHasItsSortLine) {
  catalogue::SongListFile file;
  file.header = "H";
  file.showCodes = true;
  file.discs = {"SC8123     "};
  // An empty value where the keyword would stand: the options and discs stay in their lines.
  EXPECT_EQ(catalogue::songListFileText(file).content,
            QString::fromLatin1(quotedLinesBytes(
                {"MELLOWDEX CD SELECTION FILE2", "H", "", "MF TRUE", "REF FALSE", "DUP FALSE", "SC8123     ", kSep})));
}

// The discs a file ticks that the database no longer holds are named once each, without their
// numbers, the first ten of them, then how many more.
TEST(SongListFile, DiscsNoLongerHeldAreNamedOnceTenAtMost) {
  QStringList lines{"SC1        0001", "GONE1      0002", "ABCDEFGHIJKL0003", "GONE1      ", "LONGCODE-12345"};
  for (int i = 2; i <= 12; ++i) lines << QStringLiteral("GONE%1").arg(i);
  const catalogue::RestoredDiscs restored = catalogue::restoredDiscs({"SC1"}, lines, true);
  EXPECT_EQ(catalogue::discsNoLongerHeldText(restored.missing),
            "This list ticks discs that the database no longer holds:\rGONE1\rABCDEFGHIJKL\rLONGCODE-12345\rGONE2\r"
            "GONE3\rGONE4\rGONE5\rGONE6\rGONE7\rGONE8\rand 4 more\r\rCreate List leaves their songs out.");
}

// The header and the reference numbers are the user's: one holding a control character is
// refused, as is a line break anywhere; a line keeps a tab its record was read with.
TEST(SongListFile, AValueThatWouldNotStayOneLineIsRefused) {
  catalogue::SongListFile file;
  file.header = "FRIDAY";
  file.discs = {"SC8123     0007"};
  file.lines = {"SONG\tWITH A TAB"};
  EXPECT_TRUE(catalogue::songListFileText(file));
  const auto refusal = [&](auto change) {
    catalogue::SongListFile f = file;
    change(f);
    const common::FileText text = catalogue::songListFileText(f);
    EXPECT_TRUE(text.content.isEmpty());
    return text.refusal;
  };
  EXPECT_EQ(refusal([](auto& f) { f.header = "FRIDAY\tNIGHT"; }), "The song list header cannot hold a tab.");
  EXPECT_EQ(refusal([](auto& f) { f.discs = {"SC8123     7\n8 "}; }),
            "The disc reference number cannot hold a line break.");
  EXPECT_EQ(refusal([](auto& f) { f.lines << "A\rB"; }), "The song list cannot hold a line break.");
}

TEST(SongListFile, MergeTurnsAnOptionOnWhenTheInputsDifferOrBothHaveIt) {
  const auto merged = [](const char* a, const char* b) {
    const QStringList first{"MELLOWDEX CD SELECTION FILE2", "Wedding", "ARTIST", a, "REF FALSE", "DUP FALSE", "A1"};
    const QStringList second{"MELLOWDEX CD SELECTION FILE", "Birthday", "TRACK", b, "REF FALSE", "DUP TRUE", "B2"};
    return catalogue::mergedValues(first, second);
  };
  EXPECT_EQ(merged("MF TRUE", "MF FALSE")[3], "MF TRUE");
  EXPECT_EQ(merged("MF FALSE", "MF TRUE")[3], "MF TRUE");
  EXPECT_EQ(merged("MF TRUE", "MF TRUE")[3], "MF TRUE");
  EXPECT_EQ(merged("MF FALSE", "MF FALSE")[3], "MF FALSE");
  EXPECT_EQ(merged("mf true", "mf true")[3], "MF FALSE");  // equal but not exactly TRUE
  EXPECT_EQ(merged("MF FALSE", "MF FALSE"), (QStringList{"MELLOWDEX CD SELECTION FILE", "Birthday", "TRACK", "MF FALSE",
                                                         "REF FALSE", "DUP TRUE", "A1", "B2"}));
}

TEST(SongListFile, MergeStopsEachInputAtItsSeparator) {
  const QStringList first{"H",   "x", "SONG", "MF TRUE", "REF TRUE", "DUP FALSE", "A1         0001", QString(58, '-'),
                          "line"};
  const QStringList second{"H", "y", "SONG", "MF TRUE", "REF TRUE", "DUP FALSE", "A1         0001"};
  const QStringList out = catalogue::mergedValues(first, second);
  EXPECT_EQ(out.mid(6), (QStringList{"A1         0001", "A1         0001"}));
}
