#include "printing/preview_renderer.h"

#include "common/text_helpers.h"
#include "printing/print_layouts.h"

namespace printing {

namespace {

const QString kCourierNew = QStringLiteral("Courier New");
constexpr double kRuleFontSize = 3;

// Page geometry, as fractions of the scale width (x) and height (y).
constexpr double kHeaderY = 0.03;
constexpr double kHeadingY = 0.06;
constexpr double kRuleStartX = 0.04;
constexpr double kRuleEndX = 0.96;  // no dot at or beyond it
constexpr double kDotStep = 0.5;    // scale units, whatever the scale
constexpr double kRowsEndY = 0.95;  // no row begins at or below it

// The header is two points above the size list's size, the headings and rows one below it.
double headerSize(const QString& sizeText) { return sizeText.isEmpty() ? 10 : common::Val(sizeText) + 2; }
double bodySize(const QString& sizeText) { return sizeText.isEmpty() ? 7 : common::Val(sizeText) - 1; }
QString bodyFontName(const QString& fontText) { return fontText.isEmpty() ? kCourierNew : fontText; }

void useRuleFont(platform::DrawingSurface& s) {
  s.font.bold = false;
  s.font.name = kCourierNew;
  s.font.size = kRuleFontSize;
  s.font.italic = false;
}

void useBodyFont(platform::DrawingSurface& s, const PreviewSettings& settings) {
  s.font.size = bodySize(settings.sizeText);
  s.font.name = bodyFontName(settings.fontText);
  s.font.italic = false;
  s.font.bold = false;
}

// A row of dots from the current x at the given y; leaves y one rule-font line below it.
void drawDottedRule(platform::DrawingSurface& s, double ruleY) {
  s.CurrentY = ruleY;
  s.PrintRow(QStringLiteral("."), s.CurrentX, kDotStep, kRuleEndX * s.ScaleWidth());
}

// One line of the page: every column's text at its x, each cut off by blanks at its clip x.
void drawLine(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, const QStringList& fields,
              double y, bool formatted) {
  for (const auto& column : columns) {
    const QString text = fields.value(column.field - 1);
    s.CurrentX = column.textX * s.ScaleWidth();
    s.CurrentY = y;
    s.Print(formatted ? formatField(text, column.format) : text);
    if (column.clipX >= 0) {
      s.CurrentX = column.clipX * s.ScaleWidth();
      s.CurrentY = y;
      s.Print(kClipBlanks);
    }
  }
}

}  // namespace

void preparePreviewSurface(platform::DrawingSurface& surface, const PreviewSettings& settings) {
  surface.setScale(100, 100);
  surface.font.size = bodySize(settings.sizeText);
  surface.font.name = bodyFontName(settings.fontText);
  surface.font.italic = false;
  surface.FontTransparent = false;
  surface.font.bold = true;
}

int renderPreviewPage(platform::DrawingSurface& surface, const PrintJob& job, const PreviewSettings& settings) {
  const auto& columns = previewColumns(job.code);
  if (columns.empty()) return -1;
  auto& s = surface;

  // Header, centred, in the name and weight the surface was prepared with.
  s.CurrentY = kHeaderY * s.ScaleHeight();
  s.font.size = headerSize(settings.sizeText);
  s.CurrentX = 0.5 * s.ScaleWidth() - 0.5 * s.TextWidth(settings.header);
  s.Print(settings.header);

  // Headings, as read, and the rule under them.
  s.font.size = bodySize(settings.sizeText);
  drawLine(s, columns, job.headings, kHeadingY * s.ScaleHeight(), false);
  useRuleFont(s);
  s.CurrentX = kRuleStartX * s.ScaleWidth();
  drawDottedRule(s, s.CurrentY);
  double rowY = s.CurrentY;
  useBodyFont(s, settings);

  // Rows, each under its own rule, while the next one would begin above the bottom margin.
  int drawn = 0;
  for (const auto& row : job.rows) {
    if (s.CurrentY >= kRowsEndY * s.ScaleHeight()) break;
    ++drawn;
    drawLine(s, columns, row, rowY, true);
    useRuleFont(s);
    s.CurrentX = kRuleStartX * s.ScaleWidth();
    drawDottedRule(s, s.CurrentY);
    rowY = s.CurrentY;
    useBodyFont(s, settings);
  }
  return drawn;
}

}  // namespace printing
