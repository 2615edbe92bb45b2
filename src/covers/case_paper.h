// The CD case insert on paper, at real size in millimetres: the front panel, and the back panel
// with its two side strips, each in the case colour with its picture, the title and the track
// list; the title also runs along both side strips, turned.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace covers {

// Where the insert stands, in millimetres from the top-left corner of the printable area. The
// panels have the sizes of a jewel case's front insert and back card; both fit a page of A4
// or Letter.
namespace case_paper {
constexpr QRectF kFront{10, 10, 120, 120};
constexpr QRectF kBack{10, 138, 151, 118};
constexpr double kSpine = 6.5;  // each side strip of the back, folded round the case
constexpr QRectF kBackFace{kBack.x() + kSpine, kBack.y(), kBack.width() - 2 * kSpine, kBack.height()};
constexpr double kTitleDrop = 5.5;         // from a panel's top to its title's top
constexpr double kTrackListDrop = 28;      // from a panel's top to its track list's top
constexpr double kTextInset = 3;           // from a panel's edges to its texts
constexpr double kFontFactor = 2;          // paper sizes are twice the sizes chosen for the preview
constexpr double kSpineLargestSize = 12;   // points: the spine title's size, at most the title size
constexpr double kSmallestTrackSize = 6;   // points: the track lists are never printed smaller
constexpr double kTrackSizeStep = 0.5;     // points: how a track list too long for its face shrinks
constexpr qint32 kLeftSpineAngle = 900;    // tenths of a degree: reads upwards
constexpr qint32 kRightSpineAngle = 2700;  // reads downwards
}  // namespace case_paper

struct CaseDesign {
  QString title;
  QString titleFace;
  double titleSize = 12;  // as chosen for the preview
  qint32 frontTitleColour = 0;
  qint32 backTitleColour = 0;
  QString trackFace;
  double trackSize = 4;
  qint32 frontTrackColour = 0;
  qint32 backTrackColour = 0;
  qint32 caseColour = 0xFFFFFF;
  QImage frontPicture;  // none when null
  QImage backPicture;
  QStringList tracks;  // the disc's track list items, in list order
};

// How the track lists fit their faces on paper: the size they are printed in, and how many
// tracks, from the first, both faces print whole.
struct CaseTrackFit {
  double size = 0;  // points on paper
  int shown = 0;
  int total = 0;
};

// The track lists at the chosen size when every track fits both faces; else at the largest
// smaller size, in steps of half a point, at which every track fits, but never smaller than
// kSmallestTrackSize (nor than the chosen size); at that smallest size, the tracks that fit.
// A track is never split between the faces' bottom edges: it fits whole or not at all. The
// surface is set to millimetres.
CaseTrackFit fitCaseTracks(platform::DrawingSurface& surface, const CaseDesign& design);

// The size a title is printed in on a face of this width: the chosen size, or smaller where the
// title would pass the face's insets or reach down to the track list. The surface is set to
// millimetres and left in the title's font.
double fitCaseTitle(platform::DrawingSurface& surface, const CaseDesign& design, double faceWidth);

// What one face of the insert prints: its title's size, and its track list line by line as the
// paper breaks it (a track too wide for the face takes more than one line).
struct CaseFaceText {
  double titleSize = 0;  // points on paper
  QStringList trackLines;
};

// The texts of both faces as the paper prints them, for the printing and for the preview, which
// shows the same lines at the same sizes, scaled.
struct CaseLayout {
  CaseTrackFit tracks;
  double trackLineHeight = 0;  // millimetres from one printed track line to the next
  CaseFaceText front, back;
};
CaseLayout layOutCase(platform::DrawingSurface& surface, const CaseDesign& design);

// Draws the insert on the surface, which is set to millimetres first. The page is not ended.
// Every text stays inside its panel: a title too long for its face or strip is printed smaller,
// a track line too long for its face wraps, and the track lists are fitted as fitCaseTracks says.
void drawCasePaper(platform::DrawingSurface& surface, const CaseDesign& design);

}  // namespace covers
