#include "covers/case_paper.h"

#include "common/text_helpers.h"
#include "covers/case_preview.h"
#include "covers/label_preview.h"
#include "covers/rotated_text.h"

#include <algorithm>

namespace covers {

using namespace case_paper;

namespace {

void printTitle(platform::DrawingSurface& s, const QString& title, double centreX, double top) {
  s.CurrentY = top;
  s.CurrentX = centreX - 0.5 * s.TextWidth(common::Trim(title));
  s.Print(title);
}

void printTracks(platform::DrawingSurface& s, const QStringList& lines, double left, double top, double bottom) {
  s.CurrentY = top;
  for (const QString& line : lines) {
    if (s.CurrentY + s.TextHeight() > bottom) return;
    s.CurrentX = left;
    s.Print(line);
  }
}

}  // namespace

void drawCasePaper(platform::DrawingSurface& s, const CaseDesign& d) {
  s.setScaleMillimetres();
  const QRectF backFace = kBack.adjusted(kSpine, 0, -kSpine, 0);

  fillBox(s, kFront.x(), kFront.y(), kFront.width(), kFront.height(), d.caseColour);
  fillBox(s, kBack.x(), kBack.y(), kBack.width(), kBack.height(), d.caseColour);
  if (!d.frontPicture.isNull()) s.PaintPicture(d.frontPicture, kFront.x(), kFront.y(), kFront.width(), kFront.height());
  if (!d.backPicture.isNull()) s.PaintPicture(d.backPicture, kBack.x(), kBack.y(), kBack.width(), kBack.height());
  // Cutting lines round both panels, folding lines between the back and its side strips.
  outlineBox(s, kFront.x(), kFront.y(), kFront.width(), kFront.height(), kBlack);
  outlineBox(s, kBack.x(), kBack.y(), kBack.width(), kBack.height(), kBlack);
  s.Line(backFace.left(), kBack.top(), backFace.left(), kBack.bottom(), kBlack);
  s.Line(backFace.right(), kBack.top(), backFace.right(), kBack.bottom(), kBlack);

  s.font = platform::SurfaceFont{d.titleFace, d.titleSize * kFontFactor, true};
  s.ForeColor = d.frontTitleColour;
  printTitle(s, d.title, kFront.center().x(), kFront.top() + kTitleDrop);
  s.ForeColor = d.backTitleColour;
  printTitle(s, d.title, backFace.center().x(), kBack.top() + kTitleDrop);

  const QStringList lines = caseTrackLines(d.tracks);
  s.font = platform::SurfaceFont{d.trackFace, d.trackSize * kFontFactor, false};
  s.ForeColor = d.frontTrackColour;
  printTracks(s, lines, kFront.left() + kTrackListInset, kFront.top() + kTrackListDrop, kFront.bottom());
  s.ForeColor = d.backTrackColour;
  printTracks(s, lines, backFace.left() + kTrackListInset, kBack.top() + kTrackListDrop, kBack.bottom());

  // The title along each side strip, centred on it both ways.
  const QString spineTitle = common::Trim(d.title);
  s.font = platform::SurfaceFont{d.titleFace, std::min(d.titleSize, kSpineLargestSize), true};
  s.ForeColor = d.backTitleColour;
  const double along = s.TextWidth(spineTitle);
  const double across = s.TextHeight();
  const double middle = kBack.center().y();
  s.CurrentX = kBack.left() + (kSpine - across) / 2;  // the text's top faces the left edge
  s.CurrentY = middle + along / 2;
  Print_Rotated_Text(s, spineTitle, kLeftSpineAngle);
  s.CurrentX = kBack.right() - (kSpine - across) / 2;  // the text's top faces the right edge
  s.CurrentY = middle - along / 2;
  Print_Rotated_Text(s, spineTitle, kRightSpineAngle);
}

}  // namespace covers
