// The page model that the preview and the printed pages share: where the header, the heading
// line and the rows stand, the fonts they are printed in, and how one line of columns and one
// dotted rule are printed.
#pragma once

#include "platform/core/drawing_surface.h"
#include "printing/print_layouts.h"

#include <QString>

#include <functional>
#include <vector>

namespace printing {

// Positions as fractions of the scale width (x) and height (y).
inline constexpr double kHeaderY = 0.03;
inline constexpr double kHeadingY = 0.06;
inline constexpr double kRuleStartX = 0.04;
inline constexpr double kRuleEndX = 0.96;   // no dot at or beyond it
inline constexpr double kRuleStep = 0.5;    // scale units, whatever the scale
inline constexpr double kPageFullY = 0.95;  // no row begins at or below it
inline constexpr double kFooterY = 0.98;    // the printed page's footer line; no row reaches below it

extern const QString kCourierNew;

// The fonts of a page, from the print window's font and size lists: the header two points above
// the size, the headings and rows one below it. An empty size list (or, should it ever happen,
// one that is no number) gives the sizes of "8"; an empty font list gives "Courier New".
struct PageFonts {
  QString name;
  double header;
  double body;  // the headings and the rows
};
PageFonts pageFonts(const QString& fontText, const QString& sizeText);

// The columns and fonts a job's rows print in on a page. A column that names a disc or a track
// (MF code, own number, track) is never cut: where its widest row would run past its clip (the
// last column: past the page's right edge), it takes the width that row needs and the song and
// artist columns share what is left, each keeping its clip there, the gaps between columns as
// they were. Only where the song and artist would keep less than half of their width does the
// page print smaller, in half points, until they keep that half. Where no row would be cut, the
// columns and fonts are the table's and the chosen ones, exactly.
struct PageFit {
  std::vector<PrintColumn> columns;
  PageFonts fonts;
  bool fitted = false;         // the columns or the size differ from the table's and the chosen
  std::vector<double> widest;  // each column's widest code, number or track, at that size; 0 elsewhere
};
PageFit fitPage(platform::DrawingSurface& s, const std::vector<PrintColumn>& table, const PageFonts& fonts,
                const std::vector<QStringList>& rows);

// Whether another table of the same layout (the preview's) holds each code, number and track of
// the fit whole.
bool holdsWhole(const std::vector<PrintColumn>& table, const PageFit& fit);

// The rows' font: the body size and name, regular.
void useBodyFont(platform::DrawingSurface& s, const PageFonts& fonts);

// The header centred on the header line at 0.03 H, in the font the surface holds. Returns where
// the heading line stands: at 0.06 H, or right under the header's line where a large header on
// short paper (A5 across) reaches past it, so that the headings never cover the header.
double printHeader(platform::DrawingSurface& s, const QString& header);

// One line of the page at y: each column's text at its x, followed (all but the last column) by
// Clip_Blanks at its clip x, which cut off what the text drew beyond it.
void printColumns(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, double y,
                  const std::function<QString(const PrintColumn&)>& text);

// The surface as a page starts: a 100 x 100 scale, the body font in bold, opaque text.
void preparePageSurface(platform::DrawingSurface& s, const PageFonts& fonts);

// The head of a page in the font name and weight the surface holds: the header at its size, the
// heading line (each column's heading) at the body size and the rule under them; then the rows'
// font.
void printPageHead(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, const PageFonts& fonts,
                   const QString& header, const std::function<QString(const PrintColumn&)>& heading);

// One row of the job at the pen's line, each field formatted for its column, then its rule; then
// the rows' font.
void printRow(platform::DrawingSurface& s, const std::vector<PrintColumn>& columns, const PageFonts& fonts,
              const QStringList& row);

// Whether the next row, at the pen's line, belongs on this page: it begins above 0.95 H, and it
// ends with its rule above the footer line (on short paper in a large size a row begun just above
// 0.95 H would run into the footer). The surface's font is left as it was.
bool rowFitsPage(platform::DrawingSurface& s, const PageFonts& fonts);

// Dots in the rule font from 0.04 W while below 0.96 W, 0.5 units apart, on the line the pen
// stands on; the pen ends one rule-font line lower, where the next row begins.
void printDottedRule(platform::DrawingSurface& s);

}  // namespace printing
