// The drawing surface that really draws, on an image (the preview), and the Qt font for a
// surface font. The printer's surface needs Qt Print Support, so it lives with the widgets.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace platform {

// Draws at once on an image of a page of the given size in points.
class ImageSurface : public DrawingSurface {
 public:
  ImageSurface(double widthPt, double heightPt, double dotsPerInch = 96);
  ~ImageSurface() override;
  const QImage& image() const;
  void Cls() override;
  void endPage(bool send) override;
  bool endDocument() override;
  double pageWidthPt() const override;
  double pageHeightPt() const override;

 protected:
  double textWidthPt(const SurfaceFont& f, const QString& text) const override;
  double lineHeightPt(const SurfaceFont& f) const override;
  void drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                const QString& text) override;
  void drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque,
                   qint32 back, const QString& text) override;
  void drawLine(double x1, double y1, double x2, double y2, qint32 colour) override;
  void drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) override;
  void drawPicture(const QImage& picture, double x, double y, double w, double h) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

// The Qt font for a surface font (sized in points; Courier falls back to any fixed-pitch face).
QFont toQFont(const SurfaceFont& f);

}  // namespace platform
