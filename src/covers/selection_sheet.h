// The blank CD selection sheet: a form on which a singer writes their name, address and
// telephone number and lists discs by reference number and manufacturer code.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QString>

namespace covers {

// The product name printed as the sheet's centred title.
extern const QString kSelectionSheetTitle;  // "Mellowdex"

// The grid of disc boxes on the 100 x 100 page: five columns of 39 cells.
constexpr int kSheetColumns = 5;
constexpr int kSheetRows = 39;
constexpr double kSheetColumnPitch = 19;
constexpr double kSheetCellWidth = 18;
constexpr double kSheetRefWidth = 6;
constexpr double kSheetCellHeight = 2;
constexpr double kSheetGridTop = 14;
constexpr double kSheetHeadingY = 12;

// Draws one sheet on the page being drawn; the caller ends the page.
void drawSelectionSheet(platform::DrawingSurface& page, const QString& title = kSelectionSheetTitle);

// Draws `copies` sheets, each a page of its own sent to the printer; nothing for 0 or less.
void printSelectionSheets(platform::DrawingSurface& surface, int copies);

}  // namespace covers
