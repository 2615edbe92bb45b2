// Song-list lines: building them, re-cutting them between layouts, duplicate keys and capitals.
#include "catalogue/song_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>

// Show lines as quoted text when a comparison fails.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using catalogue::LineFields;
using catalogue::RecutCase;
using catalogue::Sort;

namespace {

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
QString pad(const QString& s, int n) { return s.left(n) + blanks(n - static_cast<int>(s.left(n).size())); }
QString cols(const QString& line, int start, int n) { return line.mid(start - 1, n); }
QString q(const char16_t* s) { return QString::fromUtf16(s); }
const char* name(Sort s) {
  static const char* const names[] = {"artist", "song", "track", "MF code"};
  return names[static_cast<int>(s)];
}

// The Create List line written out field by field in each layout's order.
QString expectedLine(Sort s, const LineFields& f) {
  const QString A = pad(f.artist, 30), S = pad(f.song, 36), M = pad(f.code, 11), D = pad(f.ref, 4), g = blanks(4),
                T = pad(f.track, 2);
  switch (s) {
    case Sort::Artist: return A + S + M + D + g + T;
    case Sort::Song: return S + A + M + D + g + T;
    case Sort::Track: return T + g + S + A + M + D;
    case Sort::MfCode: return M + T + g + S + A + D;
  }
  return {};
}

// Every column filled to its last character, so a cut one column off shows.
const LineFields kFull{"THE ARTIST WHO FILLS THIRTY XZ", "A SONG TITLE THAT FILLS ALL 36 COLSQ", "SC8101-ABCD", "0042",
                       "07"};
const LineFields kShort{"ZUBA", "HUM", "SC12", "7", "01"};

LineFields withOptions(LineFields f, bool showCodes, bool useNumbers) {
  if (!showCodes) f.code = blanks(11);
  if (!useNumbers) f.ref = blanks(4);
  return f;
}

constexpr std::pair<bool, bool> kOptionPairs[] = {{false, false}, {false, true}, {true, false}, {true, true}};

}  // namespace

TEST(SongLineCreateList, FieldsAreCutOrPaddedIntoTheirColumns) {
  const LineFields tooLong{"AN ARTIST NAME OF THIRTY-FIVE CHARS", "A SONG TITLE OF FORTY CHARACTERS LONG!!!",
                           "CODE-TOO-LONG", "12345", "123"};
  for (Sort s : catalogue::kAllSorts)
    for (const LineFields& rec : {kFull, kShort, tooLong})
      for (auto [codes, numbers] : kOptionPairs) {
        SCOPED_TRACE(testing::Message() << name(s) << " " << rec.artist.toStdString() << codes << numbers);
        const QString line = catalogue::createListLine(s, withOptions(rec, codes, numbers));
        EXPECT_EQ(line, expectedLine(s, withOptions(rec, codes, numbers)));
        EXPECT_EQ(line.size(), 87);
      }
  const QString cut = catalogue::createListLine(Sort::MfCode, tooLong);
  EXPECT_EQ(cols(cut, 1, 17), "CODE-TOO-LO12    ");
  EXPECT_EQ(cols(cut, 84, 4), "1234");
}

TEST(SongLineCreateList, HiddenCodesAndNumbersLeaveBlankColumns) {
  const QString artist = catalogue::createListLine(Sort::Artist, withOptions(kShort, false, false));
  EXPECT_EQ(artist, "ZUBA" + blanks(26) + "HUM" + blanks(33) + blanks(19) + "01");
  // A ticked disc without a reference number while the numbers are on.
  const QString noRef = catalogue::createListLine(Sort::Track, {"ZUBA", "HUM", "SC12", "", "01"});
  EXPECT_EQ(noRef, "01" + blanks(4) + pad("HUM", 36) + pad("ZUBA", 30) + pad("SC12", 11) + blanks(4));
}

TEST(SongLineTickAll, ArtistAndSongLinesHaveEightBlanksBeforeTheTrack) {
  const QString a = catalogue::tickAllLine(Sort::Artist, kFull);
  EXPECT_EQ(a, kFull.artist + kFull.song + kFull.code + blanks(8) + "07");
  const QString s = catalogue::tickAllLine(Sort::Song, kShort);
  EXPECT_EQ(s, pad("HUM", 36) + pad("ZUBA", 30) + pad("SC12", 11) + blanks(8) + "01");
}

TEST(SongLineTickAll, TrackAndMfCodeLinesEndAfterColumn83) {
  EXPECT_EQ(catalogue::tickAllLine(Sort::Track, kFull), "07" + blanks(4) + kFull.song + kFull.artist + kFull.code);
  const QString mf = catalogue::tickAllLine(Sort::MfCode, kShort);
  EXPECT_EQ(mf, pad("SC12", 11) + "01" + blanks(4) + pad("HUM", 36) + pad("ZUBA", 30));
  EXPECT_EQ(mf.size(), 83);
}

TEST(ColumnHeader, TextsLengthsAndWordColumns) {
  struct Case {
    Sort sort;
    const char* text;
    int length;
    std::initializer_list<std::pair<const char*, int>> words;
  };
  const Case cases[] = {
      {Sort::Artist,
       "Artist                        Song                                 MF Code    Disc   Track",
       90,
       {{"Artist", 1}, {"Song", 31}, {"MF Code", 68}, {"Disc", 79}, {"Track", 86}}},
      {Sort::Song,
       "Song                                 Artist                        MF Code    Disc   Track",
       90,
       {{"Song", 1}, {"Artist", 38}, {"MF Code", 68}, {"Disc", 79}, {"Track", 86}}},
      {Sort::Track,
       "Track  Song                                Artist                       MF Code     Disc",
       88,
       {{"Track", 1}, {"Song", 8}, {"Artist", 44}, {"MF Code", 73}, {"Disc", 85}}},
      {Sort::MfCode,
       "MF Code    Track  Song                                Artist                         Disc",
       89,
       {{"MF Code", 1}, {"Track", 12}, {"Song", 19}, {"Artist", 55}, {"Disc", 86}}},
  };
  for (const Case& c : cases) {
    const QString& h = catalogue::columnHeader(c.sort);
    EXPECT_EQ(h, c.text);
    EXPECT_EQ(h.size(), c.length) << name(c.sort);
    for (auto [word, column] : c.words) EXPECT_EQ(h.indexOf(word) + 1, column) << name(c.sort) << " " << word;
  }
}

TEST(RecutCase, ChosenFromTheTwoOptionsAndTheSource) {
  for (Sort from : {Sort::Artist, Sort::Song, Sort::Track}) {
    EXPECT_EQ(catalogue::recutCase(from, false, true), RecutCase::A) << name(from);
    EXPECT_EQ(catalogue::recutCase(from, true, true), RecutCase::B) << name(from);
    EXPECT_EQ(catalogue::recutCase(from, true, false), RecutCase::C) << name(from);
    EXPECT_EQ(catalogue::recutCase(from, false, false), RecutCase::C) << name(from);
  }
  EXPECT_EQ(catalogue::recutCase(Sort::MfCode, true, true), RecutCase::B);
  EXPECT_EQ(catalogue::recutCase(Sort::MfCode, false, true), RecutCase::C);
  EXPECT_EQ(catalogue::recutCase(Sort::MfCode, true, false), RecutCase::C);
  EXPECT_EQ(catalogue::recutCase(Sort::MfCode, false, false), RecutCase::C);
}

// A re-cut line equals the line Create List makes in the new layout under the same options,
// except that track and MF-code lines end after column 83 while the numbers are off.
TEST(RecutLine, MatchesCreateListInEveryTargetLayout) {
  for (auto [codes, numbers] : kOptionPairs)
    for (Sort from : catalogue::kAllSorts)
      for (Sort to : catalogue::kAllSorts) {
        if (from == to) continue;
        if (to == Sort::MfCode && !codes) continue;  // that sort is refused while the codes are hidden
        // Create List always shows the codes in the MF-code sort, so no MF-code line lacks them.
        if (from == Sort::MfCode && !codes) continue;
        for (const LineFields& rec : {kFull, kShort}) {
          SCOPED_TRACE(testing::Message() << name(from) << " -> " << name(to) << " codes " << codes << " numbers "
                                          << numbers << " " << rec.artist.toStdString());
          const LineFields f = withOptions(rec, codes, numbers);
          const QString got = catalogue::recutLine(catalogue::createListLine(from, f), from, to,
                                                   catalogue::recutCase(from, codes, numbers));
          QString want = expectedLine(to, f);
          if (!numbers && (to == Sort::Track || to == Sort::MfCode)) want.truncate(83);
          EXPECT_EQ(got, want);
        }
      }
}

TEST(RecutLine, RoundTripsReturnTheSameLine) {
  const QString artist = catalogue::createListLine(Sort::Artist, kFull);
  const QString mf = catalogue::recutLine(artist, Sort::Artist, Sort::MfCode, RecutCase::B);
  EXPECT_EQ(cols(mf, 84, 4), "0042");
  EXPECT_EQ(catalogue::recutLine(mf, Sort::MfCode, Sort::Artist, RecutCase::B), artist);

  const QString song = catalogue::createListLine(Sort::Song, withOptions(kShort, false, false));
  const QString track = catalogue::recutLine(song, Sort::Song, Sort::Track, RecutCase::C);
  EXPECT_EQ(track.size(), 83);
  const QString back = catalogue::recutLine(track, Sort::Track, Sort::Song, RecutCase::C);
  EXPECT_EQ(back, song);
  EXPECT_EQ(cols(back, 78, 8), blanks(8));
}

TEST(RecutLine, ShortTickAllLinesBecomeFullArtistAndSongLines) {
  for (const LineFields& rec : {kFull, kShort})
    for (Sort from : {Sort::Track, Sort::MfCode}) {
      SCOPED_TRACE(testing::Message() << name(from) << " " << rec.artist.toStdString());
      const QString line = catalogue::tickAllLine(from, rec);
      ASSERT_EQ(line.size(), 83);
      const QString A = pad(rec.artist, 30), S = pad(rec.song, 36), M = pad(rec.code, 11);
      EXPECT_EQ(catalogue::recutLine(line, from, Sort::Artist, RecutCase::C), A + S + M + blanks(8) + rec.track);
      EXPECT_EQ(catalogue::recutLine(line, from, Sort::Song, RecutCase::C), S + A + M + blanks(8) + rec.track);
    }
}

TEST(RecutLine, HiddenCodesKeepTheNumberInItsColumn) {
  const QString song = catalogue::createListLine(Sort::Song, withOptions(kFull, false, true));
  const QString artist = catalogue::recutLine(song, Sort::Song, Sort::Artist, RecutCase::A);
  EXPECT_EQ(cols(artist, 67, 11), blanks(11));
  EXPECT_EQ(cols(artist, 78, 4), "0042");
  EXPECT_EQ(cols(artist, 82, 6), blanks(4) + "07");
}

TEST(RecutLine, ShortOrEmptyLinesGiveWhatIsThere) {
  for (Sort from : catalogue::kAllSorts)
    for (Sort to : catalogue::kAllSorts)
      for (RecutCase c : {RecutCase::A, RecutCase::B, RecutCase::C}) {
        if (from == to) continue;
        EXPECT_EQ(catalogue::recutLine("", from, to, c).trimmed(), "");
      }
  EXPECT_EQ(catalogue::recutLine("ZUBA", Sort::Song, Sort::Artist, RecutCase::C), "ZUBA" + blanks(8) + "BA");
  EXPECT_EQ(catalogue::recutLine("ZUBA", Sort::Song, Sort::Track, RecutCase::A),
            "BA" + blanks(4) + "ZUBA" + blanks(11));
}

TEST(DuplicateKey, SongAndArtistColumnsOfEachLayout) {
  const QString key = kFull.artist + kFull.song;
  EXPECT_EQ(catalogue::duplicateKey(Sort::Artist, catalogue::createListLine(Sort::Artist, kFull)), key);
  const QString songKey = kFull.song + kFull.artist;
  for (Sort s : {Sort::Song, Sort::Track, Sort::MfCode})
    EXPECT_EQ(catalogue::duplicateKey(s, catalogue::createListLine(s, kFull)), songKey) << name(s);
  // Code, number and track lie outside the key, in the 83-character lines too.
  const LineFields other{kFull.artist, kFull.song, "ZZ9999", "9999", "99"};
  for (Sort s : catalogue::kAllSorts)
    EXPECT_EQ(catalogue::duplicateKey(s, catalogue::tickAllLine(s, other)),
              catalogue::duplicateKey(s, catalogue::createListLine(s, kFull)))
        << name(s);
  EXPECT_EQ(catalogue::duplicateKey(Sort::Track, "07    HUM"), "HUM");
}

TEST(WordCapitals, WordsStartOnlyAfterBlanksAndBrackets) {
  const LineFields f{"O'BRIEN / XY/ZW", "WALK-ON BY (LIVE VERSION)", "SC8101", "AB12", "05"};
  const QString line = catalogue::createListLine(Sort::Song, f);
  EXPECT_EQ(catalogue::wordCapitals(line, Sort::Song, false), pad("Walk-on By (Live Version)", 36) +
                                                                  pad("O'brien / Xy/zw", 30) + pad("SC8101", 11) +
                                                                  "AB12" + blanks(4) + "05");
  EXPECT_EQ(catalogue::wordCapitals("hum", Sort::Artist, false), "Hum");
  EXPECT_EQ(catalogue::wordCapitals("ZUBA ", Sort::Artist, false), "Zuba ");
  EXPECT_EQ(catalogue::wordCapitals("HELP(", Sort::Artist, false), "Help(");
  EXPECT_EQ(catalogue::wordCapitals("", Sort::Artist, false), "");
}

TEST(WordCapitals, CodeAndNumberColumnsAreCapitalsAgain) {
  const LineFields f{"ZUBA", "HUM", "SC8101X", "AB12", "05"};
  EXPECT_EQ(catalogue::wordCapitals(catalogue::createListLine(Sort::Artist, f), Sort::Artist, false),
            pad("Zuba", 30) + pad("Hum", 36) + pad("SC8101X", 11) + "AB12" + blanks(4) + "05");
  EXPECT_EQ(catalogue::wordCapitals(catalogue::createListLine(Sort::Track, f), Sort::Track, false),
            "05" + blanks(4) + pad("Hum", 36) + pad("Zuba", 30) + pad("SC8101X", 11) + "AB12");
  const QString mf = catalogue::createListLine(Sort::MfCode, f);
  const QString mfStart = pad("SC8101X", 11) + "05" + blanks(4) + pad("Hum", 36) + pad("Zuba", 30);
  EXPECT_EQ(catalogue::wordCapitals(mf, Sort::MfCode, true), mfStart + "AB12");
  EXPECT_EQ(catalogue::wordCapitals(mf, Sort::MfCode, false), mfStart + "Ab12");
  // A Tick All line ends in the artist's padding.
  const QString tickAll = catalogue::tickAllLine(Sort::MfCode, f);
  EXPECT_EQ(catalogue::wordCapitals(tickAll, Sort::MfCode, true), mfStart);
}

TEST(WordCapitals, FieldThatFillsItsColumnIsFollowedByACapital) {
  const LineFields f{"DORVALENEDORVALENEDORVALENEXYZ", "SUPERCALIFRAGILISTICEXPIALIDOCIOUSXY", "SC1", "", "01"};
  const QString artist = "Dorvalenedorvalenedorvalenexyz", song = "Supercalifragilisticexpialidociousxy";
  EXPECT_EQ(catalogue::wordCapitals(catalogue::createListLine(Sort::Artist, f), Sort::Artist, false),
            artist + song + pad("SC1", 11) + blanks(8) + "01");
  EXPECT_EQ(catalogue::wordCapitals(catalogue::createListLine(Sort::Song, f), Sort::Song, false),
            song + artist + pad("SC1", 11) + blanks(8) + "01");
  EXPECT_EQ(catalogue::wordCapitals(catalogue::tickAllLine(Sort::Track, f), Sort::Track, false),
            "01" + blanks(4) + song + artist + pad("SC1", 11));
  EXPECT_EQ(catalogue::wordCapitals(catalogue::createListLine(Sort::MfCode, f), Sort::MfCode, false),
            pad("SC1", 11) + "01" + blanks(4) + song + artist + blanks(4));
}

TEST(WordCapitals, AccentedLettersChangeOneForOne) {
  EXPECT_EQ(catalogue::wordCapitals(q(u"ÉTÉ À PARIS STRAßE ŒUVRE"), Sort::Artist, false),
            q(u"Été À Paris Straße Œuvre"));
  EXPECT_EQ(catalogue::wordCapitals(q(u"école"), Sort::Artist, false), q(u"École"));
  EXPECT_EQ(catalogue::allCapitals(q(u"été straße œuvre šum 05 (x)")), q(u"ÉTÉ STRAßE ŒUVRE ŠUM 05 (X)"));
  const QString line = catalogue::createListLine(Sort::Song, {q(u"BJÖRK"), q(u"JÓGA"), "SC1", "", "02"});
  EXPECT_EQ(catalogue::allCapitals(line.toLower()).size(), 87);
  EXPECT_EQ(catalogue::allCapitals(line.toLower()), line);
}
