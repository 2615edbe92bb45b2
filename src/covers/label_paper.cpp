#include "covers/label_paper.h"

#include "common/text_helpers.h"
#include "covers/label_preview.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace covers {

using namespace label_paper;

double fitLabelTitle(platform::DrawingSurface& surface, const LabelDesign& d) {
  surface.setScaleMillimetres();
  surface.font = platform::SurfaceFont{d.titleFace, d.titleSize * kFontFactor, true};
  const QString title = common::Trim(d.title);
  // The circle is narrowest at the line's edge farthest from the centre; a smaller size brings the
  // line's bottom edge nearer, so the room is measured again at the size found.
  double size = surface.font.size;
  for (int pass = 0; pass < 3; ++pass) {
    const double top = kTitleTop - kCentreY, bottom = top + surface.TextHeight();
    const double reach = std::max(std::abs(top), std::abs(bottom));
    const double room =
        reach < kOuterGuideRadius ? 2 * std::sqrt(kOuterGuideRadius * kOuterGuideRadius - reach * reach) : 0;
    const double fitted = fittedSize(surface, title, size, room, std::numeric_limits<double>::infinity());
    if (fitted == size) break;
    size = fitted;
  }
  surface.font.size = size;
  return size;
}

LabelTrackLayout layOutLabelTracks(platform::DrawingSurface& surface, const LabelDesign& d) {
  surface.setScaleMillimetres();
  surface.font = platform::SurfaceFont{d.trackFace, d.trackSize * kFontFactor, false};
  LabelTrackLayout layout{surface.font.size, 0, labelTrackLines(d.tracks)};
  // Centred on the disc, a line wider than twice the disc centre's distance from the printable
  // area's left edge would lose its start there: the whole list is printed smaller instead.
  const double room = 2 * (d.offsetX + kCentreX);
  const QString* widest = nullptr;
  double widestWidth = 0;
  for (const QString& line : layout.lines)
    if (const double w = surface.TextWidth(line); w > widestWidth) {
      widest = &line;
      widestWidth = w;
    }
  if (widest && room > 0 && widestWidth > room)
    layout.size = fittedSize(surface, *widest, layout.size, room, std::numeric_limits<double>::infinity());
  surface.font.size = layout.size;
  layout.lineHeight = surface.TextHeight();
  return layout;
}

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

  fitLabelTitle(surface, d);
  surface.ForeColor = d.titleColour;
  surface.CurrentY = d.offsetY + kTitleTop;
  // Fitted and centred without its surrounding blanks, and printed without them, so that nothing
  // runs off the disc.
  const QString title = common::Trim(d.title);
  surface.CurrentX = cx - 0.5 * surface.TextWidth(title);
  surface.Print(title);

  const LabelTrackLayout tracks = layOutLabelTracks(surface, d);
  surface.ForeColor = d.trackColour;
  surface.CurrentY = d.offsetY + kTrackListTop;
  for (const QString& line : tracks.lines) {
    surface.CurrentX = cx - 0.5 * surface.TextWidth(line);
    surface.Print(line);
  }
}

}  // namespace covers
