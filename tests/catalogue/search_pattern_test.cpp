// The searches' wildcard pattern and the search history file's rules.
#include "catalogue/search_pattern.h"
#include "catalogue/search_history.h"

#include <gtest/gtest.h>

using catalogue::SearchPattern;

namespace {
bool contains(const QString& text, const QString& field) { return SearchPattern(text).matches(field); }
QString pad(const QString& s, int w) { return s.leftJustified(w, ' ', true); }
}  // namespace

TEST(SearchPattern, PlainTextMatchesAnywhereInAnyCase) {
  EXPECT_TRUE(contains("LOVE", "I LOVE YOU"));
  EXPECT_TRUE(contains("LOVE", "LOVE"));
  EXPECT_TRUE(contains("LOVE", "I Love You"));
  EXPECT_TRUE(contains("zk1", "ZK101"));
  EXPECT_FALSE(contains("LOVE", "LOV"));
  EXPECT_TRUE(contains("", ""));
}

TEST(SearchPattern, ATrailingBlankMatchesThePaddingOfAField) {
  EXPECT_TRUE(contains("LOVE ", pad("LOVE", 36)));
  EXPECT_FALSE(contains("LOVE ", pad("LOVELY", 36)));
  EXPECT_FALSE(contains("LOVE ", "LOVE"));  // unpadded, the blank has nothing to match
}

TEST(SearchPattern, WildcardsStandForCharactersDigitsAndRuns) {
  EXPECT_TRUE(contains("L?VE", "LIVE WIRE"));
  EXPECT_FALSE(contains("L?VE", "LVE"));
  EXPECT_TRUE(contains("SC#1", "SC81"));
  EXPECT_FALSE(contains("SC#1", "SCX1"));
  // "#" holds every digit, 0 and 9 included, and not the characters beside them.
  EXPECT_TRUE(contains("#", "0"));
  EXPECT_TRUE(contains("#", "9"));
  EXPECT_FALSE(contains("#", "/"));
  EXPECT_FALSE(contains("#", ":"));
  EXPECT_TRUE(contains("M*Y", "MOON BAY"));
  EXPECT_FALSE(contains("M*Y", "YAM"));
  // Each piece between stars takes its own characters: the two may not share the B.
  EXPECT_FALSE(contains("AB*BC", "ABC"));
  EXPECT_TRUE(contains("AB*BC", "ABXBC"));
  EXPECT_TRUE(contains("A?C*D", "XABABCD"));  // the first place for A?C fails at "ABA"
}

TEST(SearchPattern, BracketListsRangesAndNegation) {
  EXPECT_TRUE(contains("[XYZ]1", "Y1"));
  EXPECT_FALSE(contains("[XYZ]1", "A1"));
  EXPECT_TRUE(contains("[A-C]9", "B9"));
  EXPECT_FALSE(contains("[A-C]9", "D9"));
  EXPECT_TRUE(contains("[!A-C]9", "D9"));
  EXPECT_FALSE(contains("[!A-C]9", "A9 C9"));
  EXPECT_TRUE(contains("[-X]", "A-B"));  // a hyphen first or last is itself
  EXPECT_TRUE(contains("[X-]", "A-B"));
  EXPECT_TRUE(contains("[*?#]", "NO. 1 #"));  // wildcards inside a list are themselves
  EXPECT_FALSE(contains("[*?#]", "NO 1"));
  EXPECT_TRUE(contains("A[]B", "AB"));
  EXPECT_FALSE(contains("[Z-A]", "ZA"));  // a range written backwards holds nothing
  // A list holds both cases of its letters; a list with "!" neither.
  EXPECT_TRUE(contains("[a-c]9", "B9"));
  EXPECT_FALSE(contains("[!A-C]9", "b9"));
}

TEST(SearchPattern, AnUnclosedBracketStandsForItself) {
  EXPECT_TRUE(contains("[AB", "X[ABY"));
  EXPECT_FALSE(contains("[AB", "AB"));
  EXPECT_TRUE(contains("]", "A]"));
}

TEST(SearchPattern, ComparesWindows1252Codes) {
  EXPECT_TRUE(contains(QStringLiteral("CAFÉ"), QStringLiteral("LE CAFÉ")));
  EXPECT_TRUE(contains(QStringLiteral("CAFÉ"), QStringLiteral("LE CAFé")));
  EXPECT_TRUE(contains(QStringLiteral("ŸŠ"), QStringLiteral("ÿš")));
  EXPECT_TRUE(contains(QStringLiteral("[€]"), QStringLiteral("5€")));
  // A character the code page lacks is no wildcard: no field can hold it.
  EXPECT_FALSE(contains(QStringLiteral("A→"), QStringLiteral("AB")));
  EXPECT_FALSE(contains(QStringLiteral("A→"), QStringLiteral("A?")));
  const QByteArray bytes("LE CAF\xC9");
  EXPECT_TRUE(SearchPattern(QStringLiteral("CAFÉ")).matches(std::string_view(bytes.constData(), bytes.size())));
}

TEST(SearchHistory, EachLineIsOneWholeEntryComparedTrimmed) {
  EXPECT_EQ(catalogue::searchHistoryValues("LOVE\r\nHELLO, GOODBYE\r\n\"A, B\"\r\n LOVE ME \r\n\r\n   \r\nLOVE ME\r\n"),
            (QStringList{"LOVE", "HELLO, GOODBYE", "\"A, B\"", "LOVE ME"}));
  EXPECT_TRUE(catalogue::searchHistoryValues("").isEmpty());
  // Only the newest entries are kept, however long the file.
  QString many;
  for (int i = 0; i < 150; ++i) many += QString("TEXT %1\r\n").arg(i);
  const QStringList kept = catalogue::searchHistoryValues(many + QString("\r\n").repeated(500000));
  ASSERT_EQ(kept.size(), catalogue::kSearchHistoryEntries);
  EXPECT_EQ(kept.front(), QString("TEXT %1").arg(150 - catalogue::kSearchHistoryEntries));
  EXPECT_EQ(kept.back(), "TEXT 149");
}

TEST(SearchHistory, ATextIsAddedOnceTrimmed) {
  EXPECT_EQ(catalogue::searchHistoryWith("", "LOVE")->content, QString("LOVE\r\n"));
  EXPECT_EQ(catalogue::searchHistoryWith("LOVE\r\n", "LOVE"), std::nullopt);
  EXPECT_EQ(catalogue::searchHistoryWith("LOVE\r\n", "LOVE "), std::nullopt);
  EXPECT_EQ(catalogue::searchHistoryWith("HELLO, GOODBYE\r\n", "HELLO, GOODBYE"), std::nullopt);
  EXPECT_EQ(catalogue::searchHistoryWith("A\r\n", "   "), std::nullopt);
  // A last line without its end keeps its own line.
  EXPECT_EQ(catalogue::searchHistoryWith("OLD", "NEW")->content, QString("OLD\r\nNEW\r\n"));
  // A line break would make two entries of one search: refused. An entry already in the file
  // stays as it is.
  const auto split = catalogue::searchHistoryWith("OLD\r\n", "LOVE\nHATE");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->refusal, "The search text cannot hold a line break.");
  EXPECT_TRUE(split->content.isEmpty());
  EXPECT_EQ(catalogue::searchHistoryWith("A\tB\r\n", "A\tB"), std::nullopt);
}
