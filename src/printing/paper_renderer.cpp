// The song list on paper. One algorithm for every layout, driven by the layout's paper columns:
//
//   page head   the header centred at 0.03 H (bold, size + 2), the heading line at 0.06 H (bold,
//               size - 1: the job's headings on page 1, the fixed titles later), a dotted rule;
//   rows        each row's fields at their columns, cut off by Clip_Blanks, then a dotted rule;
//   page end    the footer at 0.98 H with the page number, then the page is sent or discarded.
//
// Every text is a whole-line print, so the vertical layout follows from the line heights of the
// fonts: a row starts where the pen stands after the rule above it. A row that would start at
// 0.95 H or lower goes to a new page, unless it would be the page's first row: a row is never
// dropped and every page carries at least one, however large the font.
#include "printing/paper_renderer.h"

#include "common/text_helpers.h"
#include "platform/busy.h"
#include "printing/print_layouts.h"

namespace printing {

const QString kFooterText = QStringLiteral("Mellowdex   www.mellowdex.example");

namespace {

const QString kCourierNew = QStringLiteral("Courier New");
const QString kPageLabel = QStringLiteral("Page..... ");

constexpr double kHeaderY = 0.03;
constexpr double kHeadingY = 0.06;
constexpr double kRuleStartX = 0.04;
constexpr double kRuleEndX = 0.96;
constexpr double kRuleStep = 0.5;  // scale units, whatever the scale
constexpr double kRuleSize = 3;
constexpr double kPageFullY = 0.95;
constexpr double kFooterY = 0.98;
constexpr double kFooterSize = 8;
constexpr double kPageLabelX = 0.80;

// The fonts of a print, from the print window's font and size lists.
struct PaperFonts {
  QString name;    // header, headings and rows
  double header;   // size + 2
  double heading;  // size - 1
  double body;     // size - 1
};

PaperFonts paperFonts(const PaperSettings& settings) {
  PaperFonts f;
  f.name = settings.fontText.isEmpty() ? kCourierNew : settings.fontText;
  // An empty size list (or, should it ever happen, one that is no number) prints as "8" does.
  const double size = common::IsNumeric(settings.sizeText) ? common::Val(settings.sizeText) : 8;
  f.header = size + 2;
  f.heading = size - 1;
  f.body = size - 1;
  return f;
}

class PaperPrinter {
 public:
  PaperPrinter(platform::DrawingSurface& surface, const std::vector<PrintColumn>& columns,
               const PaperSettings& settings)
      : s_(surface), columns_(columns), settings_(settings), fonts_(paperFonts(settings)) {}

  PaperResult run(const PrintJob& job) {
    QStringList titles;
    for (const auto& c : columns_) titles << c.laterTitle;

    pageHead(job.headings);
    int rowsOnPage = 0;
    for (const QStringList& row : job.rows) {
      // Also where a single row and its rule are taller than the page: the row still gets a
      // page of its own, so every row is printed and every page moves the list on.
      if (rowsOnPage > 0 && s_.CurrentY >= kPageFullY * H()) {
        endPage();
        bodyFont();
        platform::letEventsThrough();
        pageHead(titles);
        rowsOnPage = 0;
      }
      printRow(row);
      ++rowsOnPage;
    }
    endPage();
    return result_;
  }

 private:
  double W() const { return s_.ScaleWidth(); }
  double H() const { return s_.ScaleHeight(); }
  void colour() { s_.ForeColor = settings_.colour; }

  void printAt(double x, double y, const QString& text) {
    s_.CurrentX = x;
    s_.CurrentY = y;
    s_.Print(text);
  }

  void bodyFont() {
    s_.font.size = fonts_.body;
    s_.font.name = fonts_.name;
    s_.font.italic = false;
  }

  // The header, centred on its width in its own bold font, then a line with one text per
  // column, each cut off at the column's clip x; then the rule under them.
  void pageHead(const QStringList& headings) {
    colour();
    s_.font.name = fonts_.name;
    s_.font.size = fonts_.header;
    s_.font.italic = false;
    s_.font.bold = true;
    printAt(0.5 * W() - 0.5 * s_.TextWidth(settings_.header), kHeaderY * H(), settings_.header);

    s_.font.size = fonts_.heading;
    colour();
    for (const auto& c : columns_) {
      printAt(c.textX * W(), kHeadingY * H(), headings.value(c.field - 1));
      if (c.clipX >= 0) printAt(c.clipX * W(), kHeadingY * H(), kClipBlanks);
    }
    dottedRule();
    bodyFont();
  }

  void printRow(const QStringList& row) {
    colour();
    const double rowY = s_.CurrentY;
    for (const auto& c : columns_) {
      printAt(c.textX * W(), rowY, formatField(row.value(c.field - 1), c.format));
      if (c.clipX >= 0) printAt(c.clipX * W(), rowY, kClipBlanks);
    }
    dottedRule();
    bodyFont();
  }

  // Dots from 0.04 W while below 0.96 W, 0.5 units apart, on the line the pen stands on; the
  // pen ends one rule line lower.
  void dottedRule() {
    s_.font.bold = false;
    s_.font.name = kCourierNew;
    s_.font.size = kRuleSize;
    s_.font.italic = false;
    s_.PrintRow(QStringLiteral("."), kRuleStartX * W(), kRuleStep, kRuleEndX * W());
  }

  // The footer in the colour in force: the product line centred, the page number at 0.80 W in
  // bold; then the page is sent when its number lies in the range, else discarded.
  void endPage() {
    ++pageCounter_;
    s_.font.name = kCourierNew;
    s_.font.size = kFooterSize;
    s_.font.bold = false;
    printAt(0.5 * W() - 0.5 * s_.TextWidth(kFooterText), kFooterY * H(), kFooterText);
    s_.font.bold = true;
    printAt(kPageLabelX * W(), kFooterY * H(), kPageLabel + QString::number(pageCounter_));
    s_.font.bold = false;

    const bool send = settings_.firstPage <= pageCounter_ &&
                      (settings_.lastPage == 0 || pageCounter_ <= settings_.lastPage);
    s_.endPage(send);
    ++result_.pagesLaidOut;
    if (send) ++result_.pagesSent;
  }

  platform::DrawingSurface& s_;
  const std::vector<PrintColumn>& columns_;
  const PaperSettings& settings_;
  const PaperFonts fonts_;
  int pageCounter_ = 0;
  PaperResult result_;
};

}  // namespace

void preparePaperSurface(platform::DrawingSurface& surface, const PaperSettings& settings) {
  const PaperFonts fonts = paperFonts(settings);
  surface.setScale(100, 100);
  surface.font.size = fonts.body;
  surface.font.name = fonts.name;
  surface.font.italic = false;
  surface.font.underline = false;
  surface.font.angle = 0;
  surface.FontTransparent = false;
  surface.font.bold = true;
  surface.ForeColor = settings.colour;
}

PaperResult renderPaper(platform::DrawingSurface& surface, const PrintJob& job, const PaperSettings& settings) {
  const std::vector<PrintColumn>& columns = paperColumns(job.code);
  if (columns.empty()) return {};
  return PaperPrinter(surface, columns, settings).run(job);
}

}  // namespace printing
