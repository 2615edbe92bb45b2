#include "covers/selection_sheet.h"

#include "common/program_name.h"
#include "covers/label_preview.h"

#include <algorithm>
#include <iterator>

namespace covers {

const QString kSelectionSheetTitle = common::programName();

namespace {

// The font names are handed to the printer as they have always been spelt.
const platform::SurfaceFont kTitleFont{QStringLiteral("Ariel"), 12, true};
const platform::SurfaceFont kFieldFont{QStringLiteral("Courier new"), 10, true};
const platform::SurfaceFont kHeadingFont{QStringLiteral("Courier new"), 10, false};
const platform::SurfaceFont kNoteFont{QStringLiteral("Ariel"), 8, false};

const QString kRefHeading = QStringLiteral("Ref.");
const QString kCodeHeading = QStringLiteral("MF. Code");

const char* const kFieldLines[] = {"Name...........", "", "Address........", "", "", "Telephone......"};
const QString kNotes[] = {QStringLiteral("Ref. is the reference number that you use for your disk."),
                          QStringLiteral("MF. is the manufacturer code for the disk.")};

constexpr double kRuleGap = 0.5;   // from the telephone line down to the rule under it
constexpr double kLowerRule = 93;  // the rule under the grid
constexpr double kNotesTop = 94;

void printAt(platform::DrawingSurface& page, double x, double y, const QString& text) {
  page.CurrentX = x;
  page.CurrentY = y;
  page.Print(text);
}

platform::SurfaceFont scaled(platform::SurfaceFont font, double factor) {
  font.size *= factor;
  return font;
}

// The sheet's places are fixed parts of the page and its fonts fixed sizes, which fit a page of
// A4 or Letter upright. On a shorter or narrower page (either paper on its side, A5) the field
// lines would run into the headings and the headings into the grid: there every font is made
// smaller by one factor, just enough for each text to fit its place. 1 where all fit as they are.
double fontFactor(platform::DrawingSurface& page, const QString& title) {
  double factor = 1;
  const auto fitTo = [&factor](double needed, double room) { factor = std::min(factor, room / needed); };
  page.font = kTitleFont;
  const double titleHeight = page.TextHeight();
  fitTo(page.TextWidth(title), 100);
  page.font = kFieldFont;
  // The rule stands clear of the headings by half the gap it keeps to the telephone line.
  fitTo(titleHeight + std::size(kFieldLines) * page.TextHeight(), kSheetHeadingY - kRuleGap * 1.5);
  page.font = kHeadingFont;
  fitTo(page.TextHeight(), kSheetGridTop - kSheetHeadingY);
  fitTo(page.TextWidth(kRefHeading), kSheetRefWidth);
  fitTo(page.TextWidth(kCodeHeading), kSheetCellWidth - kSheetRefWidth);
  page.font = kNoteFont;
  fitTo(std::size(kNotes) * page.TextHeight(), 100 - kNotesTop);
  for (const QString& note : kNotes) fitTo(page.TextWidth(note), 100);
  return factor;
}

}  // namespace

void drawSelectionSheet(platform::DrawingSurface& page, const QString& title) {
  page.setScale(100, 100);
  page.ForeColor = kBlack;
  page.FontTransparent = true;
  const double factor = fontFactor(page, title);

  page.font = scaled(kTitleFont, factor);
  printAt(page, 50 - page.TextWidth(title) / 2, 0, title);

  page.font = scaled(kFieldFont, factor);
  page.CurrentX = 0;
  for (const char* line : kFieldLines) page.Print(QString::fromLatin1(line));
  const double rule = page.CurrentY + kRuleGap;
  page.Line(0, rule, 100, rule, kBlack);

  page.font = scaled(kHeadingFont, factor);
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

  page.Line(0, kLowerRule, 100, kLowerRule, kBlack);

  page.font = scaled(kNoteFont, factor);
  printAt(page, 0, kNotesTop, kNotes[0]);
  page.Print(kNotes[1]);
}

void printSelectionSheets(platform::DrawingSurface& surface, int copies) {
  for (int copy = 1; copy <= copies; ++copy) {
    drawSelectionSheet(surface);
    surface.endPage(true);
  }
}

}  // namespace covers
