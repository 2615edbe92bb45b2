#include "covers/label_preview.h"

#include "common/text_helpers.h"
#include "platform/core/colours.h"

#include <algorithm>
#include <cmath>

namespace covers {

namespace {

// The previews are images of the window's client area at 96 dots an inch.
constexpr double kPtPerPx = 0.75;

double ptPerUnitX(const platform::DrawingSurface& s) { return s.pageWidthPt() / s.ScaleWidth(); }
double ptPerUnitY(const platform::DrawingSurface& s) { return s.pageHeightPt() / s.ScaleHeight(); }

double roundHalfEven(double v) {
  const double low = std::floor(v);
  const double rest = v - low;
  if (rest > 0.5) return low + 1;
  if (rest < 0.5) return low;
  return std::fmod(low, 2.0) == 0 ? low : low + 1;
}

}  // namespace

void PreviewBox::Move(double left, double top, double width, double height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

bool showPicture(PreviewImage& image, const QString& path) {
  if (path.isEmpty()) {
    const bool had = !image.Picture.isNull();
    image.Picture = QImage();
    return had;
  }
  QImage picture;
  if (!picture.load(path)) return false;
  image.Picture = picture;
  return true;
}

void fillBox(platform::DrawingSurface& surface, double x, double y, double width, double height, qint32 colour) {
  const QColor c = platform::toQColor(colour);
  if (!c.isValid() || width <= 0 || height <= 0) return;
  QImage dot(1, 1, QImage::Format_RGB32);
  dot.fill(c);
  surface.PaintPicture(dot, x, y, width, height);
}

void outlineBox(platform::DrawingSurface& surface, double x, double y, double width, double height, qint32 colour) {
  surface.Line(x, y, x + width, y, colour);
  surface.Line(x + width, y, x + width, y + height, colour);
  surface.Line(x + width, y + height, x, y + height, colour);
  surface.Line(x, y + height, x, y, colour);
}

double fittedSize(platform::DrawingSurface& surface, const QString& text, double size, double width, double height) {
  // A font's measures do not follow its size exactly, so a size is checked again once scaled.
  for (int pass = 0; pass < 4; ++pass) {
    surface.font.size = size;
    const double w = surface.TextWidth(text), h = surface.TextHeight();
    const double scale = std::min({1.0, w > 0 ? width / w : 1.0, h > 0 ? height / h : 1.0});
    if (scale >= 1 - 1e-9) break;  // rounding alone is no reason to shrink
    size *= pass == 0 ? scale : scale * 0.99;
  }
  surface.font.size = size;
  return size;
}

void drawPreviewShape(platform::DrawingSurface& surface, const PreviewShape& shape) {
  if (shape.Width <= 0 || shape.Height <= 0) return;
  const double pxX = kPtPerPx / ptPerUnitX(surface);  // one window pixel in units
  const double pxY = kPtPerPx / ptPerUnitY(surface);
  if (shape.Shape == PreviewShape::Kind::Rectangle) {
    if (shape.BackOpaque) fillBox(surface, shape.Left, shape.Top, shape.Width, shape.Height, shape.BackColor);
    if (shape.FillSolid) fillBox(surface, shape.Left, shape.Top, shape.Width, shape.Height, shape.FillColor);
    for (int i = 0; i < shape.BorderWidth; ++i)
      outlineBox(surface, shape.Left + i * pxX, shape.Top + i * pxY, shape.Width - 2 * i * pxX,
                 shape.Height - 2 * i * pxY, shape.BorderColor);
    return;
  }
  const double diameterPt = std::min(shape.Width * ptPerUnitX(surface), shape.Height * ptPerUnitY(surface));
  const double radius = diameterPt / 2 / ptPerUnitX(surface);  // a radius is given in units across
  const double cx = shape.Left + shape.Width / 2;
  const double cy = shape.Top + shape.Height / 2;
  const bool keepSolid = surface.FillSolid;
  const qint32 keepFill = surface.FillColor;
  if (shape.BackOpaque) fillBox(surface, shape.Left, shape.Top, shape.Width, shape.Height, shape.BackColor);
  if (shape.FillSolid) {
    surface.FillSolid = true;
    surface.FillColor = shape.FillColor;
    surface.Circle(cx, cy, radius, shape.BorderWidth > 0 ? shape.BorderColor : shape.FillColor);
  }
  surface.FillSolid = false;
  for (int i = shape.FillSolid ? 1 : 0; i < shape.BorderWidth; ++i)
    surface.Circle(cx, cy, radius - i * pxX, shape.BorderColor);
  surface.FillSolid = keepSolid;
  surface.FillColor = keepFill;
}

void drawPreviewImage(platform::DrawingSurface& surface, const PreviewImage& image) {
  if (image.Picture.isNull()) return;
  surface.PaintPicture(image.Picture, image.Left, image.Top, image.Width, image.Height);
}

QRectF twipsToUnits(const QRectF& twips, double clientWidthTwips, double clientHeightTwips) {
  return QRectF(twips.x() * 100 / clientWidthTwips, twips.y() * 100 / clientHeightTwips,
                twips.width() * 100 / clientWidthTwips, twips.height() * 100 / clientHeightTwips);
}

QString itemTrack(const QString& item) { return common::Left(item, 2); }
QString itemSong(const QString& item) { return common::Trim(common::Mid(item, 7, 36)); }

QString captionLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1Char('\r');
  return text;
}

double offsetMillimetres(const QString& text) {
  const double mm = common::Val(text);
  if (std::isnan(mm)) return 0;
  return std::clamp(mm, -kOffsetLimitMm, kOffsetLimitMm);
}

int previewOffset(const QString& text, int divisor) { return int(roundHalfEven(offsetMillimetres(text))) / divisor; }

QStringList labelTrackLines(const QStringList& items) {
  QStringList lines;
  for (qsizetype i = 0; i < items.size(); i += 2) {
    QString line = itemTrack(items[i]) + QLatin1Char(' ') + itemSong(items[i]);
    if (i + 1 < items.size())
      line += QStringLiteral(", ") + itemTrack(items[i + 1]) + QLatin1Char(' ') + itemSong(items[i + 1]);
    lines << line;
  }
  return lines;
}

QString labelTrackText(const QStringList& items) { return captionLines(labelTrackLines(items)); }

}  // namespace covers
