#include "printing/page_model.h"

#include "common/text_helpers.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace printing {

const QString kCourierNew = QStringLiteral("Courier New");

namespace {
constexpr double kRuleFontSize = 3;
constexpr double kSmallestFittedSize = 1;  // no font is drawn smaller
}  // namespace

PageFonts pageFonts(const QString& fontText, const QString& sizeText) {
  const double size = common::IsNumeric(sizeText) ? common::Val(sizeText) : 8;
  return {fontText.isEmpty() ? kCourierNew : fontText, size + 2, size - 1};
}

namespace {

bool namesDiscOrTrack(const PrintColumn& c) { return c.letter == 'M' || c.letter == 'D' || c.letter == 'T'; }

// A size half a point below, on the half points.
double nextSmaller(double size) { return std::ceil(size * 2) / 2 - 0.5; }

// A column's room as a fraction of the width, the last one's up to the page's edge.
double roomOf(const std::vector<PrintColumn>& table, size_t i) {
  return (i + 1 < table.size() ? table[i].clipX : 1.0) - table[i].textX;
}

}  // namespace

PageFit fitPage(platform::DrawingSurface& s, const std::vector<PrintColumn>& table, const PageFonts& fonts,
                const std::vector<QStringList>& rows) {
  PageFit fit{table, fonts, false, {}};
  const size_t n = table.size();
  std::vector<double> room(n);
  double flexible = 0;
  for (size_t i = 0; i < n; ++i) {
    room[i] = roomOf(table, i);
    if (!namesDiscOrTrack(table[i])) flexible += room[i];
  }
  // The widest row of each disc and track column: a disc's code and number repeat on every track,
  // so each text is measured once.
  const platform::SurfaceFont kept = s.font;
  useBodyFont(s, fonts);
  std::vector<QString> widestText(n);
  for (size_t i = 0; i < n; ++i) {
    if (!namesDiscOrTrack(table[i])) continue;
    QSet<QString> seen;
    double most = -1;
    for (const QStringList& row : rows) {
      const QString text = formatField(row.value(table[i].field - 1), table[i].format);
      if (seen.contains(text)) continue;
      seen.insert(text);
      if (const double w = s.TextWidth(text); w > most) {
        most = w;
        widestText[i] = text;
      }
    }
  }
  std::vector<double>& need = fit.widest;
  need.assign(n, 0);
  const auto excessAt = [&](double size) {
    s.font.size = size;
    double excess = 0;
    for (size_t i = 0; i < n; ++i) {
      need[i] = namesDiscOrTrack(table[i]) ? s.TextWidth(widestText[i]) / s.ScaleWidth() : 0;
      excess += std::max(0.0, need[i] - room[i]);
    }
    return excess;
  };
  double size = fonts.body, excess = excessAt(size);
  if (excess <= 0) {
    s.font = kept;
    return fit;
  }
  while (excess > flexible / 2 && size > kSmallestFittedSize) excess = excessAt(size = nextSmaller(size));
  s.font = kept;

  fit.fitted = true;
  fit.fonts.body = size;
  const double share = flexible > 0 ? std::max(0.0, flexible - excess) / flexible : 0;
  double x = table[0].textX;
  for (size_t i = 0; i < n; ++i) {
    PrintColumn& c = fit.columns[i];
    c.textX = x;
    if (i + 1 == n) break;
    c.clipX = x + (namesDiscOrTrack(c) ? std::max(room[i], need[i]) : room[i] * share);
    x = c.clipX + (table[i + 1].textX - table[i].clipX);
  }
  return fit;
}

bool holdsWhole(const std::vector<PrintColumn>& table, const PageFit& fit) {
  for (size_t i = 0; i < table.size(); ++i)
    for (size_t j = 0; j < fit.columns.size() && j < fit.widest.size(); ++j)
      if (fit.columns[j].letter == table[i].letter && fit.widest[j] > roomOf(table, i)) return false;
  return true;
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
