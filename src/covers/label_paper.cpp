#include "covers/label_paper.h"

#include "common/text_helpers.h"
#include "covers/label_preview.h"

namespace covers {

using namespace label_paper;

void drawLabelPaper(platform::DrawingSurface& surface, const LabelDesign& d) {
  surface.setScaleMillimetres();
  const double cx = d.offsetX + kCentreX;
  const double cy = d.offsetY + kCentreY;

  surface.FillSolid = true;
  surface.FillColor = d.discColour;
  surface.Circle(cx, cy, kDiscRadius, kWhite);
  if (!d.picture.isNull())
    surface.PaintPicture(d.picture, d.offsetX + kPictureLeft, d.offsetY + kPictureTop, kPictureSide, kPictureSide);
  surface.FillSolid = false;
  if (d.guides) {
    surface.Circle(cx, cy, kOuterGuideRadius, kBlack);
    surface.Circle(cx, cy, kInnerGuideRadius, kBlack);
  }

  surface.font = platform::SurfaceFont{d.titleFace, d.titleSize * kFontFactor, true};
  surface.ForeColor = d.titleColour;
  surface.CurrentY = d.offsetY + kTitleTop;
  // Centred as if the title had no surrounding blanks, which are printed all the same.
  surface.CurrentX = cx - 0.5 * surface.TextWidth(common::Trim(d.title));
  surface.Print(d.title);

  surface.font = platform::SurfaceFont{d.trackFace, d.trackSize * kFontFactor, false};
  surface.ForeColor = d.trackColour;
  surface.CurrentY = d.offsetY + kTrackListTop;
  for (const QString& line : labelTrackLines(d.tracks)) {
    surface.CurrentX = cx - 0.5 * surface.TextWidth(line);
    surface.Print(line);
  }
}

}  // namespace covers
