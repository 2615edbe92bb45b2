// Song request slips: small blank forms (Song, Artist, Reference Code, Your Name) under a
// "Karaoke Request" heading, printed eight to a page in two columns of four rows.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace covers {

// The writing bands of a slip, top to bottom.
extern const QStringList kSlipFields;  // "Song", "Artist", "Reference Code", "Your Name"
extern const QString kSlipHeading;     // "Karaoke Request"

// The eight slip rectangles of a page, in printing order, as fractions of the page's scale
// (left column at 0.05, right at 0.51; rows at 0.01, 0.23, 0.45, 0.67; 0.45 wide, 0.2 high)
// multiplied by the surface's current scale width and height.
std::vector<QRectF> slipRects(const platform::DrawingSurface& page);

// Draws one slip filling the rectangle (in the surface's units): a white slip in a thin black
// border, a light grey heading band and four light grey writing bands, each labelled; its texts
// are sized to fit.
void drawSlip(platform::DrawingSurface& page, const QRectF& slip);

// Draws one page of eight slips on the 100 x 100 scale; the caller ends the page.
void drawSlipPage(platform::DrawingSurface& page);

// Draws `copies` pages of slips, each sent to the printer; nothing for 0 or less.
void printSlipPages(platform::DrawingSurface& surface, int copies);

}  // namespace covers
