// Pages of song request slips: eight slips in two columns of four rows.
#include "covers/slips.h"
#include "platform/core/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform::RecordingSurface;
using platform::SurfaceCall;

TEST(Slips, EightSlipsInPrintingOrderThatNeverOverlap) {
  RecordingSurface page;
  page.setScale(100, 100);
  const std::vector<QRectF> expected{{5, 1, 45, 20},  {51, 1, 45, 20},  {5, 23, 45, 20}, {51, 23, 45, 20},
                                     {5, 45, 45, 20}, {51, 45, 45, 20}, {5, 67, 45, 20}, {51, 67, 45, 20}};
  const std::vector<QRectF> rects = covers::slipRects(page);
  ASSERT_EQ(rects.size(), expected.size());
  for (size_t i = 0; i < rects.size(); ++i) {
    EXPECT_NEAR((rects[i].topLeft() - expected[i].topLeft()).manhattanLength(), 0, 1e-9) << i;
    EXPECT_NEAR(rects[i].width() + rects[i].height(), 65, 1e-9) << i;
    for (size_t j = i + 1; j < rects.size(); ++j) EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " " << j;
  }
}

TEST(Slips, EachSlipHoldsItsHeadingAndFieldsInsideItsBorderOnAnyPage) {
  for (const QSizeF size : {QSizeF(595, 842), QSizeF(842, 595), QSizeF(300, 420)}) {
    SCOPED_TRACE(size.width());
    RecordingSurface page(size.width(), size.height());
    covers::drawSlipPage(page);
    const auto inside = [&](const SurfaceCall& c, const QRectF& r) {
      // A line by its two ends; a painted band by its corners; a text by its box, measured as
      // the recording surface does (a character 0.6 of the size wide, a line 1.2 of it high, in
      // points).
      QPointF end(c.x2, c.y2);
      if (c.kind == SurfaceCall::Picture) end = QPointF(c.x + c.x2, c.y + c.y2);
      if (c.kind == SurfaceCall::Text)
        end = QPointF(c.x + 0.6 * c.font.size * c.text.size() * 100 / size.width(),
                      c.y + 1.2 * c.font.size * 100 / size.height());
      const QRectF box = r.adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
      return box.contains(QPointF(c.x, c.y)) && box.contains(end);
    };
    int placed = 0;
    for (const QRectF& slip : covers::slipRects(page)) {
      QStringList texts;
      std::vector<QRectF> bands;
      for (const SurfaceCall& c : page.current().calls) {
        if (!inside(c, slip)) continue;
        ++placed;
        if (c.kind == SurfaceCall::Picture) bands.emplace_back(c.x, c.y, c.x2, c.y2);
        if (c.kind != SurfaceCall::Text) continue;
        texts << c.text;
        // Every text stands on a grey band painted before it.
        EXPECT_TRUE(std::any_of(bands.begin(), bands.end(), [&](const QRectF& b) { return b.contains(c.x, c.y); }))
            << c.text.toStdString();
      }
      // The heading twice, its shadow first.
      EXPECT_EQ(texts,
                (QStringList{"Karaoke Request", "Karaoke Request", "Song", "Artist", "Reference Code", "Your Name"}));
      // The heading band and four writing bands, one under another with white between them.
      ASSERT_EQ(bands.size(), 5u);
      for (size_t i = 1; i < bands.size(); ++i) EXPECT_LT(bands[i - 1].bottom(), bands[i].top()) << i;
    }
    EXPECT_EQ(placed, int(page.current().calls.size()));  // nothing outside the slips
  }
}

TEST(Slips, EachCopyIsOneSentPage) {
  RecordingSurface surface;
  surface.setScale(7, 7);  // whatever an earlier page left
  covers::printSlipPages(surface, 2);
  ASSERT_EQ(surface.pages().size(), 2u);
  for (const auto& p : surface.pages()) {
    EXPECT_TRUE(p.sent);
    EXPECT_EQ(p.texts().count("Your Name"), 8);
    EXPECT_EQ(p.calls.back().x, surface.pages()[0].calls.back().x);
  }
  covers::printSlipPages(surface, 0);
  EXPECT_EQ(surface.pages().size(), 2u);
}
