// The song list on paper. One algorithm for every layout, driven by the layout's paper columns:
//
//   page head   the header centred at 0.03 H (bold, size + 2), the heading line at 0.06 H or
//               under the header's line where that reaches lower (bold, size - 1: the job's
//               headings on page 1, the fixed titles later), a dotted rule;
//   rows        each row's fields at their columns, cut off by Clip_Blanks, then a dotted rule;
//               the columns and the size are the page's fit (fitPage), which never cuts a code,
//               an own number or a track;
//   page end    the footer at 0.98 H with the page number, then the page is sent or discarded.
//
// Every text is a whole-line print, so the vertical layout follows from the line heights of the
// fonts: a row starts where the pen stands after the rule above it. A row that would start at
// 0.95 H or lower, or that would reach with its rule below the footer line, goes to a new page,
// unless it would be the page's first row: a row is never dropped and every page carries at least
// one, however large the font.
#include "printing/paper_renderer.h"

#include "printing/page_model.h"
#include "printing/print_layouts.h"

#include <limits>

namespace printing {

const QString kFooterText = QStringLiteral("Mellowdex   www.mellowdex.example");

namespace {

const QString kPageLabel = QStringLiteral("Page..... ");

constexpr double kFooterSize = 8;
constexpr double kPageLabelX = 0.80;

class PaperPrinter {
 public:
  PaperPrinter(platform::DrawingSurface& surface, const PrintJob& job, const PaperSettings& settings,
               const std::function<void()>& betweenPages)
      : s_(surface),
        settings_(settings),
        betweenPages_(betweenPages),
        fit_(fitPage(surface, paperColumns(job.code), pageFonts(settings.fontText, settings.sizeText), job.rows)),
        columns_(fit_.columns),
        fonts_(fit_.fonts) {
    result_.fit = fit_;
  }

  PaperResult run(const PrintJob& job) {
    pageHead([&](const PrintColumn& c) { return job.headings.value(c.field - 1); });
    int rowsOnPage = 0;
    for (const QStringList& row : job.rows) {
      // Also where a single row and its rule are taller than the page: the row still gets a
      // page of its own, so every row is printed and every page moves the list on.
      if (rowsOnPage > 0 && !rowFitsPage(s_, fonts_)) {
        endPage();
        useBodyFont(s_, fonts_);
        if (betweenPages_) betweenPages_();
        pageHead([](const PrintColumn& c) { return c.laterTitle; });
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

  // The header, centred on its width in its own bold font, then the heading line in bold, then
  // the rule under them.
  void pageHead(const std::function<QString(const PrintColumn&)>& heading) {
    colour();
    s_.font.name = fonts_.name;
    s_.font.italic = false;
    s_.font.bold = true;
    printPageHead(s_, columns_, fonts_, settings_.header, heading);
  }

  void printRow(const QStringList& row) {
    colour();
    printing::printRow(s_, columns_, fonts_, row);
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

    const bool send =
        settings_.firstPage <= pageCounter_ && (settings_.lastPage == 0 || pageCounter_ <= settings_.lastPage);
    s_.endPage(send);
    ++result_.pagesLaidOut;
    if (send) ++result_.pagesSent;
  }

  platform::DrawingSurface& s_;
  const PaperSettings& settings_;
  const std::function<void()>& betweenPages_;
  const PageFit fit_;
  const std::vector<PrintColumn>& columns_;
  const PageFonts& fonts_;
  int pageCounter_ = 0;
  PaperResult result_;
};

}  // namespace

void preparePaperSurface(platform::DrawingSurface& surface, const PaperSettings& settings) {
  preparePageSurface(surface, pageFonts(settings.fontText, settings.sizeText));
  surface.font.underline = false;
  surface.font.angle = 0;
  surface.ForeColor = settings.colour;
}

PaperResult renderPaper(platform::DrawingSurface& surface, const PrintJob& job, const PaperSettings& settings,
                        const std::function<void()>& betweenPages) {
  if (paperColumns(job.code).empty()) return {};
  return PaperPrinter(surface, job, settings, betweenPages).run(job);
}

PaperResult countPaperPages(platform::DrawingSurface& surface, const PrintJob& job, PaperSettings settings) {
  settings.firstPage = std::numeric_limits<int>::max();  // a range that no page reaches
  settings.lastPage = 0;
  preparePaperSurface(surface, settings);
  return renderPaper(surface, job, settings);
}

}  // namespace printing
