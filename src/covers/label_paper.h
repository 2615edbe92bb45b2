// The CD label on paper, at real size in millimetres: the disc, its picture, the guide
// circles, the title and the track list, all moved by the two offsets. Drawn on any surface:
// the printer, or a recording surface in the tests.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace covers {

// The label's geometry in millimetres without offsets, from the top-left corner of the
// printable area.
namespace label_paper {
constexpr double kCentreX = 65.5;  // the disc's centre; the title and tracks are centred on it too
constexpr double kCentreY = 81.5;
constexpr double kDiscRadius = 62.5;
constexpr double kPictureLeft = 5;
constexpr double kPictureTop = 21;
constexpr double kPictureSide = 121;
constexpr double kOuterGuideRadius = 58.5;
constexpr double kInnerGuideRadius = 20.5;
constexpr double kTitleTop = 34;
constexpr double kTrackListTop = 104;
constexpr double kFontFactor = 2;  // paper sizes are twice the sizes chosen for the preview
}  // namespace label_paper

struct LabelDesign {
  double offsetX = 0;  // millimetres
  double offsetY = 0;
  qint32 discColour = 0xFFFFFF;
  QImage picture;  // none when null
  bool guides = false;
  QString title;
  QString titleFace;
  double titleSize = 12;  // as chosen for the preview
  qint32 titleColour = 0;
  QString trackFace;
  double trackSize = 4;
  qint32 trackColour = 0;
  QStringList tracks;  // the disc's track list items, in list order
};

// The size in points the title is printed in: twice the chosen size, or smaller where the title
// (without its surrounding blanks) would stand past the outer guide circle at its height, so that
// it lies on the disc's printable face. The surface is set to millimetres and left in the title's
// font at that size.
double fitLabelTitle(platform::DrawingSurface& surface, const LabelDesign& design);

// The track list as the paper prints it, for the printing and for the preview, which shows the
// same lines at the same size and spacing, scaled: its size in points, the distance in
// millimetres from one line to the next, and its lines, two tracks to a line, each printed whole,
// however long, and centred on the disc. The size is twice the chosen size, or smaller where the
// widest line, centred, would start left of the printable area. The surface is set to
// millimetres and left in the list's font.
struct LabelTrackLayout {
  double size = 0;
  double lineHeight = 0;
  QStringList lines;
};
LabelTrackLayout layOutLabelTracks(platform::DrawingSurface& surface, const LabelDesign& design);

// Draws the label on the surface, which is set to millimetres first. The page is not ended. The
// title is one line, fitted as fitLabelTitle says; the track lines as layOutLabelTracks says.
void drawLabelPaper(platform::DrawingSurface& surface, const LabelDesign& design);

}  // namespace covers
