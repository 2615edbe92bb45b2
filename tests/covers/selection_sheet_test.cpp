// The blank CD selection sheet on its 100 x 100 page.
#include "covers/selection_sheet.h"
#include "platform/core/recording_surface.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using platform::RecordingSurface;
using platform::SurfaceCall;

namespace {

// The recording surface's A4 page: a character is 0.6 of the size wide, a line 1.2 high (points).
double lineHeight(double size) { return 1.2 * size * 100 / 842; }

platform::RecordedPage drawn(const QString& title = covers::kSelectionSheetTitle) {
  RecordingSurface page;
  page.CurrentY = 70;  // left over from an earlier page
  covers::drawSelectionSheet(page, title);
  return page.current();
}

}  // namespace

TEST(SelectionSheet, TitleIsCentredByItsWidthAndFieldsSitAboveTheHeadings) {
  for (const QString& title : {QString("Mellowdex"), QString("Mellowdex Pro Zendra Edition 2.3")}) {
    const SurfaceCall first = drawn(title).calls.front();
    EXPECT_EQ(first.text, title);
    EXPECT_NEAR(first.x + 0.6 * 12 * title.size() * 100 / 595 / 2, 50, 1e-9);
    EXPECT_EQ(first.y, 0);
  }
  const auto page = drawn();
  const QStringList texts = page.texts();
  EXPECT_EQ(texts.mid(0, 7),
            (QStringList{"Mellowdex", "Name...........", "", "Address........", "", "", "Telephone......"}));
  const double ruleY = lineHeight(12) + 6 * lineHeight(10) + 0.5;
  const auto rule = std::find_if(page.calls.begin(), page.calls.end(),
                                 [](const SurfaceCall& c) { return c.kind == SurfaceCall::Line; });
  ASSERT_NE(rule, page.calls.end());
  EXPECT_NEAR(rule->y, ruleY, 1e-9);
  EXPECT_NEAR(rule->y2, ruleY, 1e-9);
  EXPECT_EQ(rule->x2 - rule->x, 100);
}

TEST(SelectionSheet, GridOf195CellsUnderItsHeadingsAndNotesBelowTheLastRule) {
  const auto page = drawn();
  using Seg = std::tuple<long, long, long, long>;
  const auto seg = [](double x1, double y1, double x2, double y2) {
    if (std::tie(x2, y2) < std::tie(x1, y1)) std::swap(x1, x2), std::swap(y1, y2);
    return Seg{std::lround(x1 * 1000), std::lround(y1 * 1000), std::lround(x2 * 1000), std::lround(y2 * 1000)};
  };
  std::set<Seg> lines;
  std::vector<SurfaceCall> headings;
  for (const auto& c : page.calls) {
    if (c.kind == SurfaceCall::Line) lines.insert(seg(c.x, c.y, c.x2, c.y2));
    if (c.text == "Ref." || c.text == "MF. Code") headings.push_back(c);
  }
  ASSERT_EQ(headings.size(), 10u);
  for (size_t i = 0; i < headings.size(); ++i) {
    EXPECT_NEAR(headings[i].x, (i / 2) * 19 + (i % 2) * 6, 1e-9) << i;
    EXPECT_NEAR(headings[i].y, 12, 1e-9) << i;
  }
  for (int col = 0; col < 5; ++col)
    for (int row = 0; row < 39; ++row) {
      const double c = col * 19, y1 = 14 + 2 * row, y2 = y1 + 2;
      for (const Seg& s : {seg(c, y1, c + 18, y1), seg(c, y2, c + 18, y2), seg(c, y1, c, y2),
                           seg(c + 18, y1, c + 18, y2), seg(c + 6, y1, c + 6, y2)})
        EXPECT_TRUE(lines.count(s)) << "cell " << col << "," << row;
    }
  // Each cell's two boxes, the two rules and nothing else: no row past 92, no column past 94.
  EXPECT_EQ(lines.size(), 5u * (2 * 40 + 3 * 39) + 2);
  EXPECT_TRUE(lines.count(seg(0, 93, 100, 93)));

  const auto& notes = page.calls;
  EXPECT_EQ(notes[notes.size() - 2].text, "Ref. is the reference number that you use for your disk.");
  EXPECT_NEAR(notes[notes.size() - 2].y, 94, 1e-9);
  EXPECT_EQ(notes.back().text, "MF. is the manufacturer code for the disk.");
  EXPECT_NEAR(notes.back().y, 94 + lineHeight(8), 1e-9);
}

TEST(SelectionSheet, EachCopyIsOneSentIdenticalPage) {
  RecordingSurface surface;
  covers::printSelectionSheets(surface, 3);
  ASSERT_EQ(surface.pages().size(), 3u);
  for (const auto& p : surface.pages()) {
    EXPECT_TRUE(p.sent);
    EXPECT_EQ(p.texts(), surface.pages()[0].texts());
    EXPECT_EQ(p.calls.front().y, 0);
  }
  covers::printSelectionSheets(surface, 0);
  EXPECT_EQ(surface.pages().size(), 3u);
}

// On every paper the dialog may give, the sheet's texts, rules and grid stand apart: each text's
// box (measured here with the recording surface's metrics) lies between the lines around it.
TEST(SelectionSheet, LinesHeadingsAndGridStandApartOnEveryPaper) {
  struct Paper {
    const char* name;
    double widthPt, heightPt;
  };
  for (const Paper& paper :
       {Paper{"A4", 595, 842}, Paper{"A4 landscape", 842, 595}, Paper{"Letter", 612, 792},
        Paper{"Letter landscape", 792, 612}, Paper{"A5", 420, 595}, Paper{"A5 landscape", 595, 420}}) {
    SCOPED_TRACE(paper.name);
    RecordingSurface page(paper.widthPt, paper.heightPt);
    covers::drawSelectionSheet(page);
    struct Box {
      QString text;
      double left, top, right, bottom;
    };
    std::vector<Box> texts;
    std::vector<SurfaceCall> rules;
    for (const SurfaceCall& c : page.current().calls) {
      if (c.kind == SurfaceCall::Line && c.y == c.y2 && c.x2 - c.x == 100) rules.push_back(c);
      if (c.kind != SurfaceCall::Text) continue;
      texts.push_back({c.text, c.x, c.y, c.x + 0.6 * c.font.size * c.text.size() * 100 / paper.widthPt,
                       c.y + 1.2 * c.font.size * 100 / paper.heightPt});
    }
    ASSERT_EQ(rules.size(), 2u);
    ASSERT_EQ(texts.size(), 19u);
    const double rule = rules[0].y;
    for (const Box& b : texts) {
      EXPECT_GE(b.left, 0) << b.text.toStdString();
      EXPECT_LE(b.right, 100) << b.text.toStdString();
      EXPECT_LE(b.bottom, 100) << b.text.toStdString();
    }
    for (int i = 0; i < 7; ++i) EXPECT_LT(texts[i].bottom, rule) << "above the rule: " << texts[i].text.toStdString();
    for (int i = 7; i < 17; ++i) {
      const Box& h = texts[i];
      const double box = (i - 7) / 2 * 19 + (i % 2 == 1 ? 0 : 6);  // the box the heading names
      EXPECT_GT(h.top, rule) << h.text.toStdString();
      EXPECT_LE(h.bottom, 14) << "above the grid: " << h.text.toStdString();
      EXPECT_GE(h.left, box - 1e-9);
      EXPECT_LE(h.right, box + (i % 2 == 1 ? 6 : 12)) << "within its box: " << h.text.toStdString();
    }
    EXPECT_EQ(rules[1].y, 93);
    EXPECT_GE(texts[17].top, 94 - 1e-9) << "under the last rule";
    EXPECT_LE(texts[17].bottom, texts[18].top + 1e-9);
  }
}
