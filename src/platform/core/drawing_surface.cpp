#include "platform/core/drawing_surface.h"

namespace platform {

namespace {
constexpr double kPtPerMm = 72.0 / 25.4;
}

void DrawingSurface::setScale(double width, double height) {
  millimetres_ = false;
  scaleW_ = width;
  scaleH_ = height;
}

void DrawingSurface::setScaleMillimetres() {
  millimetres_ = true;
  scaleW_ = scaleH_ = 0;
}

double DrawingSurface::ScaleWidth() const {
  if (millimetres_) return pageWidthPt() / kPtPerMm;
  return scaleW_ > 0 ? scaleW_ : pageWidthPt();
}

double DrawingSurface::ScaleHeight() const {
  if (millimetres_) return pageHeightPt() / kPtPerMm;
  return scaleH_ > 0 ? scaleH_ : pageHeightPt();
}

double DrawingSurface::toPtX(double u) const {
  if (millimetres_) return u * kPtPerMm;
  return scaleW_ > 0 ? u * pageWidthPt() / scaleW_ : u;
}

double DrawingSurface::toPtY(double u) const {
  if (millimetres_) return u * kPtPerMm;
  return scaleH_ > 0 ? u * pageHeightPt() / scaleH_ : u;
}

double DrawingSurface::fromPtX(double pt) const {
  if (millimetres_) return pt / kPtPerMm;
  return scaleW_ > 0 ? pt * scaleW_ / pageWidthPt() : pt;
}

double DrawingSurface::fromPtY(double pt) const {
  if (millimetres_) return pt / kPtPerMm;
  return scaleH_ > 0 ? pt * scaleH_ / pageHeightPt() : pt;
}

void DrawingSurface::Print(const QString& text) {
  drawText(toPtX(CurrentX), toPtY(CurrentY), font, ForeColor, !FontTransparent, BackColor, text);
  CurrentX = 0;
  CurrentY += TextHeight();
}

void DrawingSurface::PrintRow(const QString& text, double x0, double step, double xEnd) {
  std::vector<double> xs;
  double x = x0;
  if (step > 0)
    for (; x < xEnd; x += step) xs.push_back(toPtX(x));
  CurrentX = x;
  if (xs.empty()) return;
  drawTextRun(xs, toPtY(CurrentY), font, ForeColor, !FontTransparent, BackColor, text);
  CurrentY += TextHeight();
}

void DrawingSurface::drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour,
                                 bool opaque, qint32 back, const QString& text) {
  for (double x : xPt) drawText(x, yPt, f, colour, opaque, back, text);
}

double DrawingSurface::TextWidth(const QString& text) const { return fromPtX(textWidthPt(font, text)); }

double DrawingSurface::TextHeight() const { return fromPtY(lineHeightPt(font)); }

void DrawingSurface::Line(double x1, double y1, double x2, double y2, qint32 colour) {
  drawLine(toPtX(x1), toPtY(y1), toPtX(x2), toPtY(y2), colour);
}

void DrawingSurface::Circle(double x, double y, double radius, qint32 colour) {
  drawCircle(toPtX(x), toPtY(y), toPtX(radius), colour, FillSolid, FillColor);
}

void DrawingSurface::PaintPicture(const QImage& picture, double x, double y, double width, double height) {
  drawPicture(picture, toPtX(x), toPtY(y), toPtX(width), toPtY(height));
}

}  // namespace platform
