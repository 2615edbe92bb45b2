#include "platform/core/painter_surface.h"

#include "platform/core/colours.h"
#include "platform/core/painting.h"

namespace platform {

using namespace painting;

QFont toQFont(const SurfaceFont& f) {
  QFont font(f.name);
  font.setPointSizeF(fontPt(f.size));
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  if (f.name.startsWith(QLatin1String("courier"), Qt::CaseInsensitive)) font.setStyleHint(QFont::TypeWriter);
  return font;
}

// ---------------------------------------------------------------------------------------------
// ImageSurface

struct ImageSurface::Impl {
  double widthPt = 0;
  double heightPt = 0;
  QImage image;
  Device device;
};

ImageSurface::ImageSurface(double widthPt, double heightPt, double dotsPerInch) : d(std::make_unique<Impl>()) {
  if (dotsPerInch <= 0) dotsPerInch = 96;
  d->widthPt = std::max(0.0, widthPt);
  d->heightPt = std::max(0.0, heightPt);
  const double pxPerPt = dotsPerInch / 72.0;
  d->image = QImage(std::max(1, qRound(d->widthPt * pxPerPt)), std::max(1, qRound(d->heightPt * pxPerPt)),
                    QImage::Format_RGB32);
  // Fonts resolved for the image then take their pixel size from this resolution.
  const int dotsPerMetre = qRound(dotsPerInch / kMetresPerInch);
  d->image.setDotsPerMeterX(dotsPerMetre);
  d->image.setDotsPerMeterY(dotsPerMetre);
  d->image.fill(Qt::white);
  d->device.paintDevice = &d->image;
  d->device.pxPerPt = pxPerPt;
  d->device.fontPxPerPt = d->image.logicalDpiY() / 72.0;
}

ImageSurface::~ImageSurface() = default;

const QImage& ImageSurface::image() const { return d->image; }

void ImageSurface::Cls() { d->image.fill(Qt::white); }

void ImageSurface::endPage(bool) {}

bool ImageSurface::endDocument() { return true; }

double ImageSurface::pageWidthPt() const { return d->widthPt; }

double ImageSurface::pageHeightPt() const { return d->heightPt; }

double ImageSurface::textWidthPt(const SurfaceFont& f, const QString& text) const {
  return textWidthOn(d->device, f, text);
}

double ImageSurface::lineHeightPt(const SurfaceFont& f) const { return lineHeightOn(d->device, f); }

// Each call paints with its own painter, so the image is complete and free between calls.
void ImageSurface::drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                            const QString& text) {
  QPainter p(&d->image);
  paintText(p, d->device, xPt, yPt, f, colour, opaque, back, text);
}

void ImageSurface::drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour,
                               bool opaque, qint32 back, const QString& text) {
  QPainter p(&d->image);
  paintTextRun(p, d->device, xPt, yPt, f, colour, opaque, back, text);
}

void ImageSurface::drawLine(double x1, double y1, double x2, double y2, qint32 colour) {
  QPainter p(&d->image);
  paintLine(p, d->device, x1, y1, x2, y2, colour);
}

void ImageSurface::drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) {
  QPainter p(&d->image);
  p.setRenderHint(QPainter::Antialiasing);
  paintCircle(p, d->device, x, y, radius, colour, filled, fill);
}

void ImageSurface::drawPicture(const QImage& picture, double x, double y, double w, double h) {
  QPainter p(&d->image);
  paintPicture(p, d->device, picture, x, y, w, h);
}

}  // namespace platform
