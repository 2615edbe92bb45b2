// The one field reader of the text files, the record writer and the column helpers.
#include "common/records.h"
#include "common/text_helpers.h"

#include <gtest/gtest.h>

using namespace common;

TEST(FieldReader, QuotedFieldsKeepTheirBlanksAndUnquotedOnesAreTrimmed) {
  EXPECT_EQ(parseFields(R"("SC1    ","01", x y ,"")"), (QStringList{"SC1    ", "01", "x y", ""}));
  EXPECT_EQ(parseFields(R"(  "a,b" ,c)"), (QStringList{"a,b", "c"}));
}

TEST(FieldReader, EmptyLinesTrailingCommasAndStrayText) {
  EXPECT_EQ(parseFields(""), QStringList{""});
  EXPECT_EQ(parseFields("a,"), (QStringList{"a", ""}));
  EXPECT_EQ(parseFields(R"("a"junk,b)"), (QStringList{"a", "b"}));
  EXPECT_EQ(parseFields(R"("unclosed, still)"), QStringList{"unclosed, still"});
  EXPECT_EQ(parseFields("\t1\t"), QStringList{"\t1\t"});  // only blanks are trimmed
}

TEST(FieldReader, StreamsFieldsAcrossLines) {
  FieldReader r({R"("A","B")", R"("C")", ""});
  QStringList got;
  while (!r.atEnd()) got << r.next();
  EXPECT_EQ(got, (QStringList{"A", "B", "C", ""}));
  EXPECT_EQ(r.next(), "");
  FieldReader empty({});
  EXPECT_TRUE(empty.atEnd());
}

TEST(Records, TrackRecordsFitEveryFieldToItsWidth) {
  const TrackRecord r = TrackRecord::fromLine(R"("SC8123","1","A VERY LONG TITLE THAT GOES ON AND ON AND ON","ME")");
  EXPECT_EQ(r.code, "SC8123     ");
  EXPECT_EQ(r.track, "1 ");
  EXPECT_EQ(r.title, "A VERY LONG TITLE THAT GOES ON AND O");
  EXPECT_EQ(r.artist.size(), 30);
  EXPECT_EQ(r.toLine().size(), 90);  // 92 with CR LF
  const TrackRecord shortRec = TrackRecord::fromLine(R"("X")");
  EXPECT_EQ(shortRec.artist, QString(30, ' '));
  EXPECT_EQ(writeRecord({"a", " b "}), R"("a"," b ")");
}

TEST(TextHelpers, ColumnsAreOneBasedAndTrimmingRemovesBlanksOnly) {
  EXPECT_EQ(Mid("ABCDEF", 2, 3), "BCD");
  EXPECT_EQ(Mid("ABC", 5), "");
  EXPECT_EQ(Mid("ABC", 2), "BC");
  EXPECT_EQ(Left("AB", 5), "AB");
  EXPECT_EQ(Right("ABCD", 2), "CD");
  EXPECT_EQ(Trim("  a b \t"), "a b \t");
  EXPECT_EQ(fitWidth("abc", 2), "ab");
  EXPECT_EQ(fitWidth("abc", 5), "abc  ");
  EXPECT_EQ(padRight("abcdef", 4), "abcdef");
}

TEST(TextHelpers, UpperCaseIsOneCharacterForOne) {
  const QString in = QString::fromUtf8(
      "stra\xc3\x9f"
      "e caf\xc3\xa9");  // straße café
  const QString out = UCase(in);
  EXPECT_EQ(out.size(), in.size());
  EXPECT_EQ(out, QString::fromUtf8("STRA\xc3\x9f"
                                   "E CAF\xc3\x89"));
  EXPECT_EQ(LCase(QString::fromLatin1("ABC\xc9")), QString::fromLatin1("abc\xe9"));
}

TEST(TextHelpers, ValReadsLeadingDigitsAndIsNumericTheWholeText) {
  EXPECT_EQ(Val("0012"), 12);
  EXPECT_EQ(Val(" 7 "), 7);
  EXPECT_EQ(Val("12AB"), 12);
  EXPECT_EQ(Val("AB12"), 0);
  EXPECT_EQ(Val("1 2"), 12);
  EXPECT_EQ(Val("-3.5"), -3.5);
  EXPECT_EQ(Val(""), 0);
  EXPECT_TRUE(IsNumeric(" 12 "));
  EXPECT_TRUE(IsNumeric("1e3"));
  EXPECT_TRUE(IsNumeric("-4.25"));
  EXPECT_FALSE(IsNumeric("12AB"));
  EXPECT_FALSE(IsNumeric(""));
  EXPECT_FALSE(IsNumeric("."));
}

TEST(TextHelpers, FourDigitFormatRoundsHalfAwayFromZero) {
  EXPECT_EQ(Format0000(7), "0007");
  EXPECT_EQ(Format0000(12.5), "0013");
  EXPECT_EQ(Format0000(10000), "10000");
  EXPECT_EQ(Format0000(-3), "-0003");
  EXPECT_EQ(FormatZeros(5, 2), "05");
}
