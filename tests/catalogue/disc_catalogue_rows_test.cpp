// The disc catalogue's rows and the code each row types.
#include "catalogue/disc_catalogue_rows.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using catalogue::catalogueRows;
using catalogue::catalogueRowText;
using catalogue::firstDiscCodeFor;

namespace {
const QString kPrompt = "CLICK THIS DROP DOWN LIST TO FIND DISC CODES";
}

TEST(DiscCatalogue, EveryRowHasTheNameDotsAndPrefixShape) {
  ASSERT_EQ(catalogueRows().size(), 548u);
  const QRegularExpression name("^[A-Za-z0-9 &'()+-]{3,37}$");
  const QRegularExpression prefix("^[A-Z0-9-]{1,8}$");
  const QRegularExpression code("^[A-Z0-9-]{0,10}$");
  QSet<QString> texts;
  for (const auto& row : catalogueRows()) {
    const QString text = catalogueRowText(row);
    SCOPED_TRACE(text.toStdString());
    EXPECT_TRUE(name.match(QString::fromLatin1(row.name)).hasMatch());
    EXPECT_TRUE(prefix.match(QString::fromLatin1(row.prefix)).hasMatch());
    EXPECT_TRUE(code.match(QString::fromLatin1(row.firstDisc)).hasMatch());
    EXPECT_GE(text.size(), 39);
    EXPECT_LE(text.size(), 46);
    EXPECT_EQ(text[37], '.');  // the dots end in column 38
    EXPECT_EQ(text.mid(38), QString::fromLatin1(row.prefix));
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 548);
}

TEST(DiscCatalogue, CodesFollowTheirPrefixesWithAFewExceptions) {
  int unchanged = 0, extended = 0, other = 0, none = 0;
  QSet<QString> codes;
  for (const auto& row : catalogueRows()) {
    const QString p = QString::fromLatin1(row.prefix), c = QString::fromLatin1(row.firstDisc);
    if (c.isEmpty()) ++none;
    else if (c == p) ++unchanged;
    else if (c.startsWith(p) && c.size() - p.size() <= 5) ++extended;
    else ++other;
    if (!c.isEmpty()) codes.insert(c);
  }
  EXPECT_EQ(unchanged, 407);
  EXPECT_EQ(extended, 131);
  EXPECT_EQ(other, 7);
  EXPECT_EQ(none, 3);
  EXPECT_EQ(codes.size(), 530);
}

TEST(DiscCatalogue, ARowTypesItsOwnCodeOnlyForItsExactText) {
  EXPECT_EQ(firstDiscCodeFor("SUPERTRAX 10 DISC SET.................CDX"), "CDX0001");
  EXPECT_EQ(firstDiscCodeFor("NIKKADO SAVC..........................SAVC"), "SAVC");
  EXPECT_EQ(firstDiscCodeFor("TAVREL................................A"), "A");
  EXPECT_EQ(firstDiscCodeFor("NOW AND THEN VOL 10 DVD...............STTW1187"), "STTW1187");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 483........CBEP83"), "CBEP483");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 457........CBEP57"), "CBEP457");
  EXPECT_EQ(firstDiscCodeFor("CHARTBUSTER ESSENTIAL PLUS 451........CBEP51"), "CBEP51");
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 1..........PI0006"), "PI0004");
  EXPECT_EQ(firstDiscCodeFor("SUNFLY DVD XMAS.......................SFDVXM"), "SFDVDXM");
  // Rows without a code, and texts that are no row.
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 2..........PI0005"), "");
  EXPECT_EQ(firstDiscCodeFor("MASTERMIX POP IDOL CDG VOL 3..........PI0004"), "");
  EXPECT_EQ(firstDiscCodeFor("supertrax 10 disc set.................cdx"), "");
  EXPECT_EQ(firstDiscCodeFor("SUPERTRAX 10 DISC SET.................CDX "), "");
  EXPECT_EQ(firstDiscCodeFor("CDX"), "");
  EXPECT_EQ(firstDiscCodeFor(kPrompt), "");
}
