// The designers' previews: their shapes and pictures, placed in the window's 100 x 100 units
// and drawn on one image under the preview's texts; and the label preview's own geometry (the
// offsets in preview units and the track list set two tracks to a line).
#pragma once

#include "platform/core/colours.h"
#include "platform/core/drawing_surface.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace covers {

constexpr qint32 kWhite = 0xFFFFFF;
constexpr qint32 kBlack = 0;
constexpr qint32 kGrey = 0x808080;
constexpr qint32 kSystemButtonText = qint32(0x80000012u);

// Where an element of a preview stands, in the window's units.
struct PreviewBox {
  double Left = 0, Top = 0, Width = 0, Height = 0;

  void Move(double left, double top, double width, double height);
  void Move(const QRectF& box) { Move(box.x(), box.y(), box.width(), box.height()); }
};

// A shape of a preview. A rectangle fills its box; a circle is drawn inside its box, its
// diameter the box's smaller side as the window shows it, centred in the box.
struct PreviewShape : PreviewBox {
  enum class Kind { Rectangle, Circle };
  Kind Shape = Kind::Rectangle;
  bool BackOpaque = false;  // the box's background painted in BackColor
  qint32 BackColor = kWhite;
  bool FillSolid = false;  // the inside filled with FillColor, over the background
  qint32 FillColor = kBlack;
  int BorderWidth = 1;  // pixels of the window; 0: no border
  qint32 BorderColor = platform::kSystemWindowText;
};

// A picture stretched to fill its box; nothing when it holds no picture.
struct PreviewImage : PreviewBox {
  QImage Picture;
};

// A preview's picture after its path box changed: none for an empty path, the picture of a
// path that names one, and the picture it had for any other path (one still being typed, a
// file gone or not a picture). True when the picture changed.
bool showPicture(PreviewImage& image, const QString& path);

// A rectangle filled with one colour: the surface has no filled box, so a one-pixel picture of
// the colour is stretched over it. A colour that names nothing draws nothing.
void fillBox(platform::DrawingSurface& surface, double x, double y, double width, double height, qint32 colour);
// The four edges of a box.
void outlineBox(platform::DrawingSurface& surface, double x, double y, double width, double height, qint32 colour);

// The largest font size up to `size` at which the text is at most `width` wide and one line of
// it at most `height` high (in the surface's units). It leaves the surface's font at that size.
double fittedSize(platform::DrawingSurface& surface, const QString& text, double size, double width, double height);

// Both draw on a surface scaled to the window's units (the page is the window's client area).
void drawPreviewShape(platform::DrawingSurface& surface, const PreviewShape& shape);
void drawPreviewImage(platform::DrawingSurface& surface, const PreviewImage& image);

// A box given in twips of a window's client area, in that window's 100 x 100 units.
QRectF twipsToUnits(const QRectF& twips, double clientWidthTwips, double clientHeightTwips);

// An item of a disc's track list (track, 4 blanks, song, artist): its track, the first 2
// characters, and its song, columns 7 to 42 without surrounding blanks.
QString itemTrack(const QString& item);
QString itemSong(const QString& item);

// Lines as a preview's caption: every line followed by a carriage return.
QString captionLines(const QStringList& lines);

// ---- the label preview

// The label window's client area, in twips (15 to a pixel).
constexpr double kLabelClientWidthTwips = 8910;
constexpr double kLabelClientHeightTwips = 7815;

// Where the label preview puts its elements without offsets, in window units; every one but
// the page and its shadow moves with the offsets.
namespace label_preview {
constexpr QRectF kShadowTwips{3645, 195, 5205, 7530};
constexpr QRectF kPageTwips{3615, 105, 5160, 7530};
constexpr QRectF kPicture{43.5, 6.5, 38, 45};
constexpr QRectF kDisc{44, 7, 37, 44};
constexpr QRectF kHole{57, 21, 12, 16};
constexpr double kCentreX = 62.5;  // the title and the track list are centred on it
constexpr double kTitleTop = 12;
constexpr double kTrackListTop = 37;
constexpr QSizeF kTitleTwips{2760, 900};  // the title and its editor
}  // namespace label_preview

// Offsets further than this many millimetres either way are held at it, so that no offset the
// boxes accept (an exponent form counts as a number) can overflow the arithmetic.
constexpr double kOffsetLimitMm = 1000;

// The number at the start of an offset box's text in millimetres: an empty text or "-" gives
// 0; fractions count; held within kOffsetLimitMm.
double offsetMillimetres(const QString& text);

// One offset in preview units: the millimetres rounded to a whole number (halves to the even
// one), then divided by `divisor` with the quotient cut toward zero (5 across, 3 down).
int previewOffset(const QString& text, int divisor);

// The disc's tracks two to a line: "01 SONG, 02 SONG"; a last track without a partner stands
// alone (see itemTrack and itemSong).
QStringList labelTrackLines(const QStringList& items);
// The preview's track list: every line followed by a carriage return.
QString labelTrackText(const QStringList& items);

}  // namespace covers
