#include "covers/selection_sheet.h"

#include "covers/label_preview.h"

namespace covers {

const QString kSelectionSheetTitle = QStringLiteral("Mellowdex");

namespace {

// The font names are handed to the printer as they have always been spelt.
const platform::SurfaceFont kTitleFont{QStringLiteral("Ariel"), 12, true};
const platform::SurfaceFont kFieldFont{QStringLiteral("Courier new"), 10, true};
const platform::SurfaceFont kHeadingFont{QStringLiteral("Courier new"), 10, false};
const platform::SurfaceFont kNoteFont{QStringLiteral("Ariel"), 8, false};

const QString kRefHeading = QStringLiteral("Ref.");
const QString kCodeHeading = QStringLiteral("MF. Code");

void printAt(platform::DrawingSurface& page, double x, double y, const QString& text) {
  page.CurrentX = x;
  page.CurrentY = y;
  page.Print(text);
}

}  // namespace

void drawSelectionSheet(platform::DrawingSurface& page, const QString& title) {
  page.setScale(100, 100);
  page.ForeColor = kBlack;
  page.FontTransparent = true;

  page.font = kTitleFont;
  printAt(page, 50 - page.TextWidth(title) / 2, 0, title);

  page.font = kFieldFont;
  page.CurrentX = 0;
  for (const char* line : {"Name...........", "", "Address........", "", "", "Telephone......"})
    page.Print(QString::fromLatin1(line));
  const double rule = page.CurrentY + 0.5;
  page.Line(0, rule, 100, rule, kBlack);

  page.font = kHeadingFont;
  for (int col = 0; col < kSheetColumns; ++col) {
    const double c = col * kSheetColumnPitch;
    printAt(page, c, kSheetHeadingY, kRefHeading);
    printAt(page, c + kSheetRefWidth, kSheetHeadingY, kCodeHeading);
  }

  for (int col = 0; col < kSheetColumns; ++col) {
    const double c = col * kSheetColumnPitch;
    for (int row = 0; row < kSheetRows; ++row) {
      const double top = kSheetGridTop + row * kSheetCellHeight;
      outlineBox(page, c, top, kSheetCellWidth, kSheetCellHeight, kBlack);
      outlineBox(page, c, top, kSheetRefWidth, kSheetCellHeight, kBlack);
    }
  }

  page.Line(0, 93, 100, 93, kBlack);

  page.font = kNoteFont;
  printAt(page, 0, 94, QStringLiteral("Ref. is the reference number that you use for your disk."));
  page.Print(QStringLiteral("MF. is the manufacturer code for the disk."));
}

void printSelectionSheets(platform::DrawingSurface& surface, int copies) {
  for (int copy = 1; copy <= copies; ++copy) {
    drawSelectionSheet(surface);
    surface.endPage(true);
  }
}

}  // namespace covers
