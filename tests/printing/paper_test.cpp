// Paper page tests: every page of a print job laid out on the recording surface, whose fixed
// metrics (a character 0.6 of the font size wide, a line 1.2 of it high, A4 595 x 842 pt) give
// every expected position here independently of the renderer.
#include "platform/core/recording_surface.h"
#include "printing/paper_renderer.h"
#include "printing/preview_renderer.h"
#include "printing/print_layouts.h"

#include <gtest/gtest.h>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <functional>

using platform::RecordedPage;
using platform::RecordingSurface;
using platform::SurfaceCall;
using printing::PaperSettings;
using printing::PrintJob;

namespace {

constexpr double kW = 595, kH = 842;
constexpr qint32 kColour = 0x3366CC;
const QString kBlanks(105, QLatin1Char(' '));
const QString kFooter = QStringLiteral("Mellowdex   www.mellowdex.example");

double ux(double pt) { return pt * 100 / kW; }
double uy(double pt, double pageH = kH) { return pt * 100 / pageH; }
double line(double size, double pageH = kH) { return uy(1.2 * size, pageH); }

// Rows that fit on a page: a row starts below the heading line (at 6, or under the header's line
// where that reaches lower) and its rule, rows follow at one body line plus one rule line, and a
// row starting at 95 or lower, or ending with its rule below the footer line at 98, waits for the
// next page.
int rowsPerPage(double body, double pageH = kH) {
  int n = 0;
  const double headings = std::max(6.0, 3 + line(body + 3, pageH)), pitch = line(body, pageH) + line(3, pageH);
  for (double y = headings + pitch; y < 95 && y + pitch <= 98; y += pitch) ++n;
  return n;
}

PaperSettings settings(int first = 1, int last = 0) {
  PaperSettings s;
  s.header = QStringLiteral("KARAOKE NIGHT");
  s.sizeText = QStringLiteral("8");
  s.colour = kColour;
  s.firstPage = first;
  s.lastPage = last;
  return s;
}

// Rows numbered in their song field, so every row can be traced to its page.
PrintJob numberedJob(int rows, const QString& code = QStringLiteral("SAMT")) {
  PrintJob job{code, {"Song", "Artist", "MF", "Tr"}, {}, 0};
  for (int i = 0; i < rows; ++i) job.rows.push_back({QStringLiteral("S%1").arg(i), "A", "MF1", "1"});
  return job;
}

printing::PaperResult print(RecordingSurface& surface, const PrintJob& job, const PaperSettings& s = settings()) {
  printing::preparePaperSurface(surface, s);
  return printing::renderPaper(surface, job, s);
}

// The texts of one line (the calls at y), left to right as drawn.
std::vector<SurfaceCall> lineAt(const RecordedPage& page, double y) {
  std::vector<SurfaceCall> out;
  for (const auto& c : page.calls)
    if (std::abs(c.y - y) < 1e-9 && c.text != ".") out.push_back(c);
  return out;
}

const SurfaceCall* find(const RecordedPage& page, const std::function<bool(const SurfaceCall&)>& pred) {
  for (const auto& c : page.calls)
    if (pred(c)) return &c;
  return nullptr;
}

QStringList songsOn(const RecordedPage& page) {
  QStringList out;
  bool number = false;
  for (const auto& t : page.texts())
    if (t.startsWith('S') && (t.mid(1).toInt(&number), number)) out << t;
  return out;
}

// Surfaces with other metrics: bold text wider than regular, or lines exactly one size high.
struct BoldWideSurface : RecordingSurface {
  double textWidthPt(const platform::SurfaceFont& f, const QString& t) const override {
    return (f.bold ? 0.8 : 0.6) * f.size * double(t.size());
  }
};
struct ExactLineSurface : RecordingSurface {
  ExactLineSurface() : RecordingSurface(kW, 800) {}
  double lineHeightPt(const platform::SurfaceFont& f) const override { return f.size; }
};

struct Column {
  double x, clip;        // clip < 0: the last column
  QString title, seven;  // the later-page title; how a row field "7" prints
};
const std::vector<std::pair<QString, std::vector<Column>>> kLayouts = {
    {"ASDT",
     {{.04, .37, "ARTIST", "7"}, {.39, .78, "SONG", "7"}, {.80, .87, "DISC", "0007"}, {.89, -1, "TRACK", "07"}}},
    {"ASMT",
     {{.04, .36, "ARTIST", "7"}, {.38, .70, "SONG", "7"}, {.72, .87, "MF CODE", "7"}, {.89, -1, "TRACK", "07"}}},
    {"ASMDT",
     {{.04, .32, "ARTIST", "7"},
      {.34, .60, "SONG", "7"},
      {.62, .79, "MF CODE", "7"},
      {.81, .88, "DISC", "0007"},
      {.90, -1, "TRACK", "07"}}},
    {"SAMT",
     {{.04, .43, "SONG", "7"}, {.45, .73, "ARTIST", "7"}, {.75, .86, "MF CODE", "7"}, {.88, -1, "TRACK", "07"}}},
    {"SADT",
     {{.04, .43, "SONG", "7"}, {.45, .73, "ARTIST", "7"}, {.75, .86, "DISC", "0007"}, {.88, -1, "TRACK", "07"}}},
    {"SAMDT",
     {{.04, .34, "SONG", "7"},
      {.36, .66, "ARTIST", "7"},
      {.68, .80, "MF CODE", "7"},
      {.82, .88, "DISC", "0007"},
      {.90, -1, "TRACK", "07"}}},
    {"TSAM",
     {{.04, .09, "TRACK", "07"}, {.11, .44, "SONG", "7"}, {.46, .78, "ARTIST", "7"}, {.80, -1, "MF CODE", "7"}}},
    {"TSAD",
     {{.04, .10, "TRACK", "07"}, {.12, .47, "SONG", "7"}, {.49, .86, "ARTIST", "7"}, {.88, -1, "DISC", "0007"}}},
    {"TSAMD",
     {{.04, .09, "TRACK", "07"},
      {.11, .42, "SONG", "7"},
      {.44, .75, "ARTIST", "7"},
      {.77, .88, "MF CODE", "7"},
      {.90, -1, "DISC", "0007"}}},
    {"MTSA", {{.04, .15, "MF CODE", "7"}, {.17, .22, "TRACK", "7"}, {.24, .58, "SONG", "7"}, {.60, -1, "ARTIST", "7"}}},
    {"MTSAD",
     {{.04, .15, "MF CODE", "7"},
      {.17, .23, "TRACK", "7"},
      {.25, .56, "SONG", "7"},
      {.58, .88, "ARTIST", "7"},
      {.90, -1, "DISC", "0007"}}},
};

const struct Paper {
  const char* name;
  double w, h;
} kPapers[] = {{"A4", 595, 842}, {"Letter", 612, 792}, {"A5", 420, 595}};

// A row of the layout: an 11-character code, own number 12, track 7, songs and artists too long.
QStringList longRow(const QString& code) {
  const QMap<QChar, QString> field{
      {'S', "WALTZ OF THE JIVING LANTERNS AGAIN"}, {'A', "THE WAYFARERS OF JAZZ"}, {'M', "XMASPARTY07"}, {'D', "12"}};
  QStringList row;
  for (const QChar letter : code) row << field.value(letter, "7");
  return row;
}

// Each code, own number and track of the line stands whole before the blanks after it (the last
// one before the page's edge), at the rows' size on a page `w` points wide.
void expectCodesWhole(const std::vector<SurfaceCall>& got, double w, double body) {
  for (size_t i = 0; i < got.size(); ++i) {
    if (!QStringList{"XMASPARTY07", "0012", "12", "07", "7"}.contains(got[i].text)) continue;
    const double end = got[i].x + 0.6 * body * double(got[i].text.size()) * 100 / w;
    EXPECT_LE(end, (i + 1 < got.size() ? got[i + 1].x : 100) + 1e-9) << got[i].text.toStdString();
  }
}

// One printed line: each column's text at its x, then the blanks at its clip, in that order.
void expectLine(const std::vector<SurfaceCall>& got, const std::vector<Column>& cols,
                const std::function<QString(const Column&)>& text, bool bold) {
  std::vector<std::pair<double, QString>> want;
  for (const auto& c : cols) {
    want.emplace_back(c.x * 100, text(c));
    if (c.clip >= 0) want.emplace_back(c.clip * 100, kBlanks);
  }
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(got[i].x, want[i].first, 1e-9) << i;
    EXPECT_EQ(got[i].text, want[i].second) << i;
    EXPECT_EQ(got[i].font.bold, bold);
    EXPECT_EQ(got[i].font.size, 7);
  }
}

}  // namespace

TEST(PaperColumns, EveryLayoutPrintsItsHeadingsTitlesAndFormattedRowsAtItsColumns) {
  const double firstRowY = 6 + line(7) + line(3);
  for (const auto& [code, cols] : kLayouts) {
    SCOPED_TRACE(code.toStdString());
    ASSERT_EQ(printing::paperColumns(code).size(), cols.size());
    PrintJob job{code, QStringList(int(cols.size()), "7"), {}, 0};  // headings that read as numbers
    job.rows.assign(size_t(rowsPerPage(7) + 1), QStringList(int(cols.size()), "7"));
    RecordingSurface surface;
    ASSERT_EQ(print(surface, job).pagesLaidOut, 2);
    const auto& pages = surface.pages();
    expectLine(
        lineAt(pages[0], 6), cols, [](const Column&) { return QStringLiteral("7"); }, true);
    expectLine(
        lineAt(pages[1], 6), cols, [](const Column& c) { return c.title; }, true);
    for (const auto& page : pages)
      expectLine(
          lineAt(page, firstRowY), cols, [](const Column& c) { return c.seven; }, false);
  }
  EXPECT_TRUE(printing::paperColumns("asdt").empty());
}

// On every paper at every size a disc's code, own number and track print whole, in the chosen size:
// the song and artist columns give up the room. The preview drawn from the paper's fit agrees.
TEST(PaperColumns, NoCodeNumberOrTrackIsCutOnAnyPaperOrSize) {
  for (const Paper& paper : kPapers)
    for (const bool across : {false, true})
      for (int size = 8; size <= 14; ++size)
        for (const auto& [code, cols] : kLayouts) {
          SCOPED_TRACE(testing::Message() << paper.name << across << size << code.toStdString());
          const double w = across ? paper.h : paper.w, h = across ? paper.w : paper.h;
          const PrintJob job{code, QStringList(int(cols.size()), "H"), {longRow(code)}, 3};
          PaperSettings s = settings();
          s.sizeText = QString::number(size);
          RecordingSurface surface(w, h), preview(w, h);
          const auto result = print(surface, job, s);
          EXPECT_EQ(result.fit.fonts.body, size - 1);
          const double y = find(surface.pages()[0], [](const SurfaceCall& c) { return c.text.startsWith("WALTZ"); })->y;
          expectCodesWhole(lineAt(surface.pages()[0], y), w, size - 1);
          const printing::PreviewSettings shown{s.header, "", s.sizeText};
          printing::preparePreviewSurface(preview, shown);
          printing::renderPreviewPage(preview, job, shown, &result.fit);
          expectCodesWhole(lineAt(preview.current(), y), w, size - 1);
        }
}

TEST(PaperColumns, FormatsLeaveTextThatIsNoNumberAsRead) {
  RecordingSurface surface;
  print(surface, {"TSAD",
                  {"T", "S", "A", "D"},
                  {{"", "12", "5", "A12"}, {"123", "x", "y", "12345"}, {"7.6", "s", "a", "007"}},
                  0});
  QStringList texts;  // header, four headings, then the rows
  for (const auto& t : surface.pages()[0].texts())
    if (t != "." && t != kBlanks) texts << t;
  EXPECT_EQ(texts.mid(5, 12), (QStringList{"", "12", "5", "A12", "123", "x", "y", "12345", "08", "s", "a", "0007"}));
}

TEST(PaperPage, OnePageListCarriesHeaderHeadingsOneRuleAndFooter) {
  RecordingSurface surface;
  const auto result = print(surface, numberedJob(0));
  EXPECT_EQ(result.pagesLaidOut, 1);
  EXPECT_EQ(result.pagesSent, 1);
  ASSERT_EQ(surface.pages().size(), 1u);
  const RecordedPage& page = surface.pages()[0];
  EXPECT_TRUE(page.sent);
  std::vector<SurfaceCall> dots;
  for (const auto& c : page.calls)
    if (c.text == ".") dots.push_back(c);
  ASSERT_EQ(dots.size(), 184u);
  EXPECT_NEAR(dots.front().x, 4.0, 1e-9);
  EXPECT_NEAR(dots.back().x, 95.5, 1e-9);
  for (const auto& d : dots) {
    EXPECT_NEAR(d.y, 6 + line(7), 1e-9);
    EXPECT_EQ(d.font, (platform::SurfaceFont{"Courier New", 3, false}));
  }
  EXPECT_EQ(page.texts().back(), "Page..... 1");
}

TEST(PaperPage, HeaderIsCentredInItsBoldFontOnEveryPageAndFontsFollowTheLists) {
  PaperSettings s = settings();
  s.fontText = "ARIAL";
  s.sizeText = "12";
  BoldWideSurface surface;  // a bold text measures wider than a regular one
  print(surface, numberedJob(100), s);
  ASSERT_GE(surface.pages().size(), 2u);
  for (const auto& page : surface.pages()) {
    const SurfaceCall* h = find(page, [&](const SurfaceCall& c) { return c.text == s.header; });
    ASSERT_TRUE(h);
    EXPECT_NEAR(h->x, 50 - ux(0.8 * 14 * s.header.size()) / 2, 1e-9);
    EXPECT_NEAR(h->y, 3, 1e-9);
    EXPECT_EQ(h->font, (platform::SurfaceFont{"ARIAL", 14, true}));
    const SurfaceCall* row = find(page, [](const SurfaceCall& c) { return c.text == "MF1"; });
    ASSERT_TRUE(row);
    EXPECT_EQ(row->font, (platform::SurfaceFont{"ARIAL", 11, false}));
  }
  // On A5 across a header of size 16 reaches past 0.06 H: every page's headings stand under it.
  const double a5H = 380;
  RecordingSurface a5(555, a5H);
  s.sizeText = "14";
  print(a5, numberedJob(40), s);
  ASSERT_GE(a5.pages().size(), 2u);
  for (const auto& page : a5.pages()) {
    ASSERT_GE(page.calls.size(), 2u);
    EXPECT_EQ(page.calls[0].text, s.header);
    EXPECT_NEAR(page.calls[0].y, 3, 1e-9);
    EXPECT_NEAR(page.calls[1].y, 3 + line(16, a5H), 1e-9) << page.calls[1].text.toStdString();
    EXPECT_EQ(lineAt(page, 3 + line(16, a5H) + line(13, a5H) + line(3, a5H)).size(), 7u) << "the first row";
  }
  RecordingSurface plain;  // empty lists: Courier New, as the size "8"
  s.fontText.clear();
  s.sizeText.clear();
  print(plain, numberedJob(1), s);
  EXPECT_EQ(plain.pages()[0].calls[0].font, (platform::SurfaceFont{"Courier New", 10, true}));
  EXPECT_EQ(find(plain.pages()[0], [](const SurfaceCall& c) { return c.text == "S0"; })->font,
            (platform::SurfaceFont{"Courier New", 7, false}));
}

TEST(PaperPage, FooterNumbersEveryPageInTheTextColourAndAllTextIsOpaqueInThatColour) {
  RecordingSurface surface;
  print(surface, numberedJob(9 * rowsPerPage(7) + 1));
  ASSERT_EQ(surface.pages().size(), 10u);
  for (int n = 1; n <= 10; ++n) {
    const RecordedPage& page = surface.pages()[size_t(n - 1)];
    const auto footer = lineAt(page, 98);
    ASSERT_EQ(footer.size(), 2u);
    EXPECT_EQ(footer[0].text, kFooter);
    EXPECT_NEAR(footer[0].x, 50 - ux(0.6 * 8 * kFooter.size()) / 2, 1e-9);
    EXPECT_EQ(footer[0].font, (platform::SurfaceFont{"Courier New", 8, false}));
    EXPECT_EQ(footer[1].text, QStringLiteral("Page..... %1").arg(n));
    EXPECT_NEAR(footer[1].x, 80, 1e-9);
    EXPECT_EQ(footer[1].font, (platform::SurfaceFont{"Courier New", 8, true}));
    for (const auto& c : page.calls) {
      EXPECT_EQ(c.colour, kColour);
      EXPECT_TRUE(c.opaque);
    }
  }
}

TEST(PaperPaging, RowsBreakAtNinetyFivePercentWithoutLosingOrAddingRows) {
  const int perPage = rowsPerPage(7);
  const double pitch = line(7) + line(3);
  RecordingSurface surface;
  print(surface, numberedJob(2 * perPage + 3));
  ASSERT_EQ(surface.pages().size(), 3u);
  QStringList all;
  for (const auto& page : surface.pages()) all << songsOn(page);
  EXPECT_EQ(all.size(), 2 * perPage + 3);
  for (int i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], QStringLiteral("S%1").arg(i));
  EXPECT_EQ(songsOn(surface.pages()[0]).size(), perPage);
  const SurfaceCall* last = find(surface.pages()[0], [&](const SurfaceCall& c) { return c.text == all[perPage - 1]; });
  EXPECT_NEAR(last->y, 6 + line(7) + line(3) + (perPage - 1) * pitch, 1e-9);
  EXPECT_LT(last->y, 95);
  EXPECT_GE(last->y + pitch, 95);
  // A list that ends on a full page gives no empty page after it.
  RecordingSurface full;
  print(full, numberedJob(perPage));
  EXPECT_EQ(full.pages().size(), 1u);
}

TEST(PaperPaging, RowStartingExactlyAtNinetyFivePercentGoesToTheNextPage) {
  ExactLineSurface surface;  // 800 pt high, lines one size high: rows at 7, 8, ... exactly
  PaperSettings s = settings();
  s.sizeText = "6";
  print(surface, numberedJob(90), s);
  ASSERT_EQ(surface.pages().size(), 2u);
  EXPECT_EQ(songsOn(surface.pages()[0]).back(), "S87");  // at 94
  const SurfaceCall* moved = find(surface.pages()[1], [](const SurfaceCall& c) { return c.text == "S88"; });
  ASSERT_TRUE(moved);
  EXPECT_DOUBLE_EQ(moved->y, 7);
}

// Every row ends with its rule above the footer line at 98, on the preview's page 1 and on every
// printed page, however short the paper and large the size.
TEST(PaperPaging, RowsEndAboveTheFooterOnEveryPaperAndSize) {
  for (const auto& paper : kPapers) {
    for (const bool across : {false, true}) {
      const double w = across ? paper.h : paper.w, h = across ? paper.w : paper.h;
      for (int size = 8; size <= 14; ++size) {
        SCOPED_TRACE(testing::Message() << paper.name << (across ? " across " : " upright ") << size);
        const double pitch = line(size - 1, h) + line(3, h);
        const auto rowEnds = [&](const RecordedPage& page) {
          const QString last = songsOn(page).back();
          return find(page, [&](const SurfaceCall& c) { return c.text == last; })->y + pitch;
        };
        PaperSettings s = settings();
        s.sizeText = QString::number(size);
        RecordingSurface surface(w, h);
        print(surface, numberedJob(200), s);
        for (size_t i = 0; i < surface.pages().size(); ++i)
          EXPECT_LE(rowEnds(surface.pages()[i]), 98 + 1e-9) << "page " << i + 1;

        RecordingSurface preview(w, h);
        const printing::PreviewSettings shown{s.header, "", s.sizeText};
        printing::preparePreviewSurface(preview, shown);
        printing::renderPreviewPage(preview, numberedJob(200), shown);
        EXPECT_LE(rowEnds(preview.current()), 98 + 1e-9) << "the preview";
      }
    }
  }
}

TEST(PaperPaging, RowsTallerThanThePageAreNeverDroppedOnePerPage) {
  // "400": the row and its rule run past 1.10 H; "900": not even page 1's first row fits.
  for (const QString size : {"400", "900"}) {
    PaperSettings s = settings();
    s.sizeText = size;
    RecordingSurface surface;
    const auto result = print(surface, numberedJob(4), s);
    EXPECT_EQ(result.pagesLaidOut, 4);
    ASSERT_EQ(surface.pages().size(), 4u);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(songsOn(surface.pages()[size_t(i)]), QStringList{QStringLiteral("S%1").arg(i)});
  }
}

TEST(PaperRange, EveryPageIsLaidOutAndNumberedOnlyTheRangeIsSent) {
  const int fivePages = 4 * rowsPerPage(7) + 1;
  struct Case {
    int first, last;
    const char* sent;  // one flag a page
  };
  for (const Case& c : {Case{1, 0, "11111"}, Case{2, 3, "01100"}, Case{6, 9, "00000"}, Case{3, 2, "00000"}}) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
    RecordingSurface surface;
    const auto result = print(surface, numberedJob(fivePages), settings(c.first, c.last));
    ASSERT_EQ(surface.pages().size(), 5u);
    int sent = 0;
    for (size_t i = 0; i < 5; ++i) {
      const bool want = c.sent[i] == '1';
      EXPECT_EQ(surface.pages()[i].sent, want) << i;
      EXPECT_EQ(surface.pages()[i].texts().back(), QStringLiteral("Page..... %1").arg(i + 1));
      sent += want;
    }
    EXPECT_EQ(result.pagesLaidOut, 5);
    EXPECT_EQ(result.pagesSent, sent);
    EXPECT_FALSE(surface.ended());  // the caller ends the document
  }
}

TEST(PaperRange, AllPagesSendsLongListsWholeAndASecondPrintCountsFromOne) {
  RecordingSurface surface(kW, 150);  // a short page keeps the 60-page list small
  const auto result = print(surface, numberedJob(60 * rowsPerPage(7, 150)));
  EXPECT_EQ(result.pagesLaidOut, 60);
  EXPECT_EQ(result.pagesSent, 60);
  print(surface, numberedJob(0));
  EXPECT_EQ(surface.pages().back().texts().back(), "Page..... 1");
}

TEST(PaperRange, UnknownLayoutCodeLaysOutNothing) {
  for (const QString code : {"asdt", "ASDT ", ""}) {
    RecordingSurface surface;
    const auto result = print(surface, numberedJob(3, code));
    EXPECT_EQ(result.pagesLaidOut + result.pagesSent, 0);
    EXPECT_TRUE(surface.pages().empty());
    EXPECT_TRUE(surface.current().calls.empty());
  }
}
