// Page 1 of the preview on a recording surface (A4, a character 0.6 and a line 1.2 of the font
// size, positions in units of the 100 x 100 scale), and once on a real image.
#include "platform/core/painter_surface.h"
#include "platform/core/recording_surface.h"
#include "printing/preview_renderer.h"

#include <gtest/gtest.h>

#include <ostream>

using platform::RecordingSurface;
using platform::SurfaceCall;
using platform::SurfaceFont;
using printing::PreviewSettings;
using printing::PrintJob;

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
namespace platform {
static void PrintTo(const SurfaceFont& f, std::ostream* os) {
  *os << f.name.toStdString() << ' ' << f.size << (f.bold ? " bold" : "") << (f.italic ? " italic" : "");
}
}  // namespace platform

namespace {

const QString kBlanks(105, QLatin1Char(' '));
constexpr double kTol = 1e-9;
double lineA4(double size) { return 1.2 * size * 100 / 842; }  // one line, in height units
double widthA4(double size, qsizetype chars) { return 0.6 * size * double(chars) * 100 / 595; }
SurfaceFont font(const QString& name, double size, bool bold) { return {name, size, bold, false, false, 0}; }
const SurfaceFont kRuleFont = font("Courier New", 3, false);

struct Page {
  int rows = 0;
  std::vector<SurfaceCall> calls;
  RecordingSurface surface;
};

void render(Page& page, const PrintJob& job, const PreviewSettings& settings = {"MY SONGS", "", "8"}) {
  page.surface.ForeColor = 0x3366CC;
  page.surface.font = font("Symbol", 30, false);
  page.surface.font.italic = true;
  printing::preparePreviewSurface(page.surface, settings);
  page.rows = printing::renderPreviewPage(page.surface, job, settings);
  page.calls = page.surface.current().calls;
}

PrintJob job(const QString& code, int rows, const QString& field = "7") {
  const QStringList fields(code.size(), field);
  return {code, QStringList(code.size(), "7"), std::vector<QStringList>(size_t(rows), fields), rows + 2};
}

// The 184 dots of a rule at y; returns the index after them.
size_t expectRule(const std::vector<SurfaceCall>& calls, size_t i, double y) {
  for (int k = 0; k < 184; ++k, ++i) {
    SCOPED_TRACE(k);
    EXPECT_EQ(calls.at(i).text, ".");
    EXPECT_NEAR(calls[i].x, 4 + 0.5 * k, kTol);
    EXPECT_NEAR(calls[i].y, y, kTol);
    EXPECT_EQ(calls[i].font, kRuleFont);
  }
  return i;
}

struct Layout {
  QString code;
  std::vector<double> textX, clipX;  // in units; the last column has no clip
  QStringList sevens;                // a row of "7"s as printed
};

const Layout kLayouts[] = {
    {"ASDT", {4, 39, 80, 89}, {37, 78, 87}, {"7", "7", "7", "07"}},
    {"ASMT", {4, 38, 74, 89}, {36, 72, 87}, {"7", "7", "7", "07"}},
    {"ASMDT", {4, 34, 61, 81, 90}, {32, 59, 79, 88}, {"7", "7", "7", "0007", "07"}},
    {"SADT", {4, 45, 75, 88}, {43, 73, 86}, {"7", "7", "7", "07"}},
    {"SAMT", {4, 45, 71, 88}, {43, 69, 86}, {"7", "7", "7", "07"}},
    {"SAMDT", {4, 36, 66, 82, 90}, {34, 64, 80, 88}, {"7", "7", "7", "0007", "07"}},
    {"TSAD", {4, 12, 49, 88}, {10, 47, 86}, {"7", "7", "7", "0007"}},
    {"TSAM", {4, 11, 46, 80}, {9, 44, 78}, {"7", "7", "7", "7"}},
    {"TSAMD", {4, 11, 46, 74, 90}, {9, 44, 72, 88}, {"7", "7", "7", "7", "0007"}},
    {"MTSA", {4, 17, 24, 60}, {15, 22, 58}, {"7", "7", "7", "7"}},
    {"MTSAD", {4, 17, 24, 58, 90}, {15, 22, 56, 88}, {"7", "7", "7", "7", "0007"}},
};

// One line of columns, each field followed by the blanks that cut it; returns the index after it.
size_t expectLine(const std::vector<SurfaceCall>& calls, size_t i, const Layout& l, const QStringList& texts, double y,
                  const SurfaceFont& f) {
  for (size_t c = 0; c < l.textX.size(); ++c) {
    SCOPED_TRACE(testing::Message() << "column " << c);
    EXPECT_EQ(calls.at(i).text, texts[qsizetype(c)]);
    EXPECT_NEAR(calls[i].x, l.textX[c], kTol);
    EXPECT_NEAR(calls[i].y, y, kTol);
    EXPECT_EQ(calls[i].font, f);
    ++i;
    if (c + 1 < l.textX.size()) {
      EXPECT_EQ(calls.at(i).text, kBlanks);
      EXPECT_NEAR(calls[i].x, l.clipX[c], kTol);
      EXPECT_NEAR(calls[i].y, y, kTol);
      EXPECT_EQ(calls[i].font, f);
      ++i;
    }
  }
  return i;
}

void PrintTo(const Layout& l, std::ostream* os) { *os << l.code.toStdString(); }

class PreviewLayouts : public testing::TestWithParam<Layout> {};

TEST_P(PreviewLayouts, DrawHeadingsAsReadRowsFormattedEachCutAtItsClipAndRuled) {
  const Layout& l = GetParam();
  Page page;
  render(page, job(l.code, 2));
  EXPECT_EQ(page.rows, 2);
  const auto& calls = page.calls;
  ASSERT_EQ(calls.size(), 1 + 3 * (2 * l.textX.size() - 1 + 184));
  const SurfaceFont heading = font("Courier New", 7, true), body = font("Courier New", 7, false);
  size_t i = expectLine(calls, 1, l, QStringList(l.code.size(), "7"), 6, heading);
  double y = 6 + lineA4(7);
  i = expectRule(calls, i, y);
  for (int row = 0; row < 2; ++row) {
    y += lineA4(3);
    i = expectLine(calls, i, l, l.sevens, y, body);
    y += lineA4(7);
    i = expectRule(calls, i, y);
  }
  for (const auto& c : calls) {
    EXPECT_TRUE(c.opaque);
    EXPECT_EQ(c.colour, 0x3366CC);
  }
  EXPECT_EQ(page.surface.ForeColor, 0x3366CC);
}

INSTANTIATE_TEST_SUITE_P(PreviewEveryLayout, PreviewLayouts, testing::ValuesIn(kLayouts),
                         [](const auto& layout) { return layout.param.code.toStdString(); });

TEST(PreviewPage, FormatsOnlyNumbersAndKeepsOtherTextAsRead) {
  Page page;
  PrintJob j = job("ASMDT", 0);
  j.rows = {{"ZUBA", "HUM", "0042", "12345", "007"}, {"", "", "", "X7", "123"}};
  render(page, j);
  const double first = 6 + lineA4(7) + lineA4(3), pitch = lineA4(7) + lineA4(3);
  size_t i = 1 + 9 + 184;
  i = expectLine(page.calls, i, kLayouts[2], {"ZUBA", "HUM", "0042", "12345", "07"}, first,
                 font("Courier New", 7, false));
  expectLine(page.calls, i + 184, kLayouts[2], {"", "", "", "X7", "123"}, first + pitch, font("Courier New", 7, false));
}

TEST(PreviewPage, HeaderIsCentredByItsWidthInTheHeaderFont) {
  for (const QString& header : {QString("MY SONGS"), QString(200, 'W'), QString()}) {
    SCOPED_TRACE(header.size());
    Page page;
    render(page, job("ASDT", 1), {header, "Arial", "8"});
    ASSERT_FALSE(page.calls.empty());
    EXPECT_EQ(page.calls[0].text, header);
    EXPECT_NEAR(page.calls[0].x, 50 - widthA4(10, header.size()) / 2, kTol);
    EXPECT_NEAR(page.calls[0].y, 3, kTol);
    EXPECT_EQ(page.calls[0].font, font("Arial", 10, true));
    EXPECT_NEAR(page.calls.at(1).y, 6, kTol);  // the headings never move with the header
    EXPECT_NEAR(page.calls.at(1 + 7 + 184).y, 6 + lineA4(7) + lineA4(3), kTol);
  }
  // Unless the header's line reaches past 0.06 H, as a size-16 header does on A5 across: the
  // headings then stand under it.
  const PreviewSettings large{"MY SONGS", "", "14"};
  RecordingSurface a5(555, 380);
  printing::preparePreviewSurface(a5, large);
  printing::renderPreviewPage(a5, job("ASDT", 1), large);
  const auto& calls = a5.current().calls;
  const auto line = [](double size) { return 1.2 * size * 100 / 380; };
  ASSERT_GT(calls.size(), 1u + 7 + 184);
  EXPECT_NEAR(calls[0].y, 3, kTol);
  EXPECT_NEAR(calls[1].y, 3 + line(16), kTol);
  EXPECT_NEAR(calls[1 + 7 + 184].y, 3 + line(16) + line(13) + line(3), kTol);
}

TEST(PreviewPage, EmptyJobDrawsHeaderHeadingsAndRuleOnly) {
  Page page;
  render(page, job("TSAMD", 0));
  EXPECT_EQ(page.rows, 0);
  ASSERT_EQ(page.calls.size(), 1u + 9 + 184);
  expectRule(page.calls, 10, 6 + lineA4(7));
}

TEST(PreviewPage, CodeThatIsNoLayoutDrawsNothing) {
  for (const QString& code : {QString("asdt"), QString("ASDT "), QString(), QString("ASTD")}) {
    Page page;
    render(page, job(code, 3));
    EXPECT_EQ(page.rows, -1) << code.toStdString();
    EXPECT_TRUE(page.calls.empty());
  }
}

TEST(PreviewPage, SizeListSetsHeaderHeadingAndRowSizesAndSoTheRowsThatFit) {
  struct Case {
    QString size;
    double header, body;
    int rows;
  };
  for (const Case& c : {Case{"", 10, 7, 62}, Case{"8", 10, 7, 62}, Case{"14", 16, 13, 39}}) {
    SCOPED_TRACE(c.size.toStdString());
    Page page;
    render(page, job("MTSA", 100), {"H", "", c.size});
    EXPECT_EQ(page.rows, c.rows);
    EXPECT_EQ(page.calls.at(0).font, font("Courier New", c.header, true));
    EXPECT_EQ(page.calls.at(1).font, font("Courier New", c.body, true));
    EXPECT_EQ(page.calls.at(1 + 7 + 184).font, font("Courier New", c.body, false));
    EXPECT_EQ(page.surface.font, font("Courier New", c.body, false));
  }
}

// Line heights exact in units on a page 800 pt high (8 pt a unit): 6 pt for text, 2 pt for the
// rule font, so the rows begin at 7, 8, 9, ... and the 89th at exactly 95.
class WholeUnitSurface : public RecordingSurface {
 public:
  explicit WholeUnitSurface(double heightPt) : RecordingSurface(595, heightPt) {}

 protected:
  double lineHeightPt(const SurfaceFont& f) const override { return f.size == 3 ? 2 : 6; }
};

TEST(PreviewPage, NoRowBeginsAtOrBelowNinetyFivePercentButOneAboveIsDrawnWhole) {
  const PreviewSettings settings{"H", "", "8"};
  WholeUnitSurface exact(800), taller(801);
  printing::preparePreviewSurface(exact, settings);
  EXPECT_EQ(printing::renderPreviewPage(exact, job("ASDT", 100), settings), 88);
  EXPECT_NEAR(exact.current().calls.back().y, 94.75, kTol);  // the last rule, under the row at 94

  // On a taller page the 89th row begins just above 95 and runs past it with its rule.
  printing::preparePreviewSurface(taller, settings);
  EXPECT_EQ(printing::renderPreviewPage(taller, job("ASDT", 100), settings), 89);
  const auto& calls = taller.current().calls;
  const double rowY = 6 + 89 * 800.0 / 801;
  ASSERT_LT(rowY, 95);
  expectLine(calls, calls.size() - 184 - 7, kLayouts[0], kLayouts[0].sevens, rowY, font("Courier New", 7, false));
  expectRule(calls, calls.size() - 184, rowY + 600.0 / 801);
}

TEST(PreviewImage, RenderedPageLeavesInkOnTheImage) {
  platform::ImageSurface surface(300, 400);
  surface.Cls();
  const auto inked = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) != QColor(Qt::white);
    return n;
  };
  const int before = inked(surface.image());
  const PreviewSettings settings{"MY SONGS", "", "8"};
  printing::preparePreviewSurface(surface, settings);
  EXPECT_EQ(printing::renderPreviewPage(surface, job("SAMT", 3, "HELLO"), settings), 3);
  EXPECT_GT(inked(surface.image()), before);
}

}  // namespace
