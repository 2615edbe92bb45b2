#include "printing/page_model.h"

#include "common/text_helpers.h"

#include <algorithm>

namespace printing {

const QString kCourierNew = QStringLiteral("Courier New");

namespace {
constexpr double kRuleFontSize = 3;
}

PageFonts pageFonts(const QString& fontText, const QString& sizeText) {
  const double size = common::IsNumeric(sizeText) ? common::Val(sizeText) : 8;
  return {fontText.isEmpty() ? kCourierNew : fontText, size + 2, size - 1};
}

void useBodyFont(platform::DrawingSurface& s, const PageFonts& fonts) {
  s.font.size = fonts.body;
  s.font.name = fonts.name;
  s.font.italic = false;
  s.font.bold = false;
}

double printHeader(platform::DrawingSurface& s, const QString& header) {
  s.CurrentY = kHeaderY * s.ScaleHeight();
  s.CurrentX = 0.5 * s.ScaleWidth() - 0.5 * s.TextWidth(header);
  s.Print(header);
  return std::max(kHeadingY * s.ScaleHeight(), s.CurrentY);
}

void printColumns(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, double y,
                  const std::function<QString(const PrintColumn&)>& text) {
  for (const auto& column : columns) {
    s.CurrentX = column.textX * s.ScaleWidth();
    s.CurrentY = y;
    s.Print(text(column));
    if (column.clipX >= 0) {
      s.CurrentX = column.clipX * s.ScaleWidth();
      s.CurrentY = y;
      s.Print(kClipBlanks);
    }
  }
}

void preparePageSurface(platform::DrawingSurface& s, const PageFonts& fonts) {
  s.setScale(100, 100);
  s.font.size = fonts.body;
  s.font.name = fonts.name;
  s.font.italic = false;
  s.FontTransparent = false;
  s.font.bold = true;
}

void printPageHead(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, const PageFonts& fonts,
                   const QString& header, const std::function<QString(const PrintColumn&)>& heading) {
  s.font.size = fonts.header;
  const double headingY = printHeader(s, header);
  s.font.size = fonts.body;
  printColumns(s, columns, headingY, heading);
  printDottedRule(s);
  useBodyFont(s, fonts);
}

void printRow(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, const PageFonts& fonts,
              const QStringList& row) {
  printColumns(s, columns, s.CurrentY,
               [&](const PrintColumn& c) { return formatField(row.value(c.field - 1), c.format); });
  printDottedRule(s);
  useBodyFont(s, fonts);
}

namespace {
void useRuleFont(platform::DrawingSurface& s) {
  s.font.bold = false;
  s.font.name = kCourierNew;
  s.font.size = kRuleFontSize;
  s.font.italic = false;
}
}  // namespace

bool rowFitsPage(platform::DrawingSurface& s, const PageFonts& fonts) {
  const double top = s.CurrentY, height = s.ScaleHeight();
  if (top >= kPageFullY * height) return false;
  const platform::SurfaceFont kept = s.font;
  useBodyFont(s, fonts);
  double bottom = top + s.TextHeight();
  useRuleFont(s);
  bottom += s.TextHeight();
  s.font = kept;
  return bottom <= kFooterY * height + 1e-9;
}

void printDottedRule(platform::DrawingSurface& s) {
  useRuleFont(s);
  s.PrintRow(QStringLiteral("."), kRuleStartX * s.ScaleWidth(), kRuleStep, kRuleEndX * s.ScaleWidth());
}

}  // namespace printing
