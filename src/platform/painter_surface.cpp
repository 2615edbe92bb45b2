#include "platform/painter_surface.h"

#include "platform/colours.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <variant>
#include <vector>

namespace platform {

namespace {

constexpr double kMinFontPt = 1.0;  // a font of no size (or less) is drawn and measured at this
constexpr double kMetresPerInch = 0.0254;

double fontPt(double size) { return size > kMinFontPt ? size : kMinFontPt; }

// One device to paint on: `pxPerPt` device pixels make one point, and fonts resolved for the
// device measure in its logical pixels, `fontPxPerPt` of them to the point. The two differ only
// when an image's resolution is not a whole number of dots per inch.
struct Device {
  QPaintDevice* paintDevice = nullptr;
  double pxPerPt = 1;
  double fontPxPerPt = 1;
};

QFont deviceFont(const Device& dev, const SurfaceFont& f) { return QFont(toQFont(f), dev.paintDevice); }

double textWidthOn(const Device& dev, const SurfaceFont& f, const QString& text) {
  return QFontMetricsF(deviceFont(dev, f)).horizontalAdvance(text) / dev.fontPxPerPt;
}

double lineHeightOn(const Device& dev, const SurfaceFont& f) {
  return QFontMetricsF(deviceFont(dev, f)).lineSpacing() / dev.fontPxPerPt;
}

QPen cosmeticPen(qint32 colour) {
  QPen pen(toQColor(colour));
  pen.setCosmetic(true);
  pen.setWidthF(1);
  return pen;
}

// The painting itself, shared by the image and the printer. The painter comes with no world
// transform; positions are in points.
//
// Text is painted in device pixels with the font resolved for the device, so it is exactly as
// wide as it was measured; a font's point size scaled again by a points-to-pixels transform would
// come out too big by that factor.
void paintText(QPainter& p, const Device& dev, double x, double y, const SurfaceFont& f, qint32 colour,
               bool opaque, qint32 back, const QString& text) {
  const QFont font = deviceFont(dev, f);
  const QFontMetricsF metrics(font);
  p.save();
  p.translate(x * dev.pxPerPt, y * dev.pxPerPt);
  if (f.angle != 0) p.rotate(-f.angle);  // Qt turns clockwise; the angle is anticlockwise
  if (dev.pxPerPt != dev.fontPxPerPt) p.scale(dev.pxPerPt / dev.fontPxPerPt, dev.pxPerPt / dev.fontPxPerPt);
  if (opaque) p.fillRect(QRectF(0, 0, metrics.horizontalAdvance(text), metrics.lineSpacing()), toQColor(back));
  p.setFont(font);
  p.setPen(toQColor(colour));
  p.drawText(QPointF(0, metrics.ascent()), text);
  p.restore();
}

void paintLine(QPainter& p, const Device& dev, double x1, double y1, double x2, double y2, qint32 colour) {
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setPen(cosmeticPen(colour));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  p.restore();
}

void paintCircle(QPainter& p, const Device& dev, double x, double y, double radius, qint32 colour, bool filled,
                 qint32 fill) {
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setPen(cosmeticPen(colour));
  if (filled)
    p.setBrush(toQColor(fill));
  else
    p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(x, y), radius, radius);
  p.restore();
}

void paintPicture(QPainter& p, const Device& dev, const QImage& picture, double x, double y, double w, double h) {
  if (picture.isNull() || w <= 0 || h <= 0) return;
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(x, y, w, h), picture);
  p.restore();
}

}  // namespace

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

// ---------------------------------------------------------------------------------------------
// PrinterSurface

namespace {

struct TextCommand {
  double x, y;
  SurfaceFont font;
  qint32 colour;
  bool opaque;
  qint32 back;
  QString text;
};
struct LineCommand {
  double x1, y1, x2, y2;
  qint32 colour;
};
struct CircleCommand {
  double x, y, radius;
  qint32 colour;
  bool filled;
  qint32 fill;
};
struct PictureCommand {
  QImage picture;
  double x, y, w, h;
};
using Command = std::variant<TextCommand, LineCommand, CircleCommand, PictureCommand>;

}  // namespace

struct PrinterSurface::Impl {
  QPrinter& printer;
  Device device;
  QRectF pageRectPt;
  std::vector<Command> page;  // the page being drawn, in points
  QPainter painter;           // one painter for the whole job, begun at the first sent page
  int sent = 0;
  bool failed = false;
  QString error;

  explicit Impl(QPrinter& p) : printer(p) {}

  // Starts the job, or the next page of it; false (and the error kept) when the printer refuses.
  bool startPage() {
    if (failed) return false;
    if (!painter.isActive()) {
      if (sent > 0) return false;  // the job has been ended already
      if (!painter.begin(&printer)) {
        failed = true;
        error = QStringLiteral("The printer could not be started.");
        return false;
      }
      return true;
    }
    if (!printer.newPage()) {
      failed = true;
      error = QStringLiteral("The printer could not start a new page.");
      return false;
    }
    return true;
  }

  void replay() {
    for (const Command& c : page) {
      if (const auto* t = std::get_if<TextCommand>(&c))
        paintText(painter, device, t->x, t->y, t->font, t->colour, t->opaque, t->back, t->text);
      else if (const auto* l = std::get_if<LineCommand>(&c))
        paintLine(painter, device, l->x1, l->y1, l->x2, l->y2, l->colour);
      else if (const auto* o = std::get_if<CircleCommand>(&c))
        paintCircle(painter, device, o->x, o->y, o->radius, o->colour, o->filled, o->fill);
      else if (const auto* pic = std::get_if<PictureCommand>(&c))
        paintPicture(painter, device, pic->picture, pic->x, pic->y, pic->w, pic->h);
    }
  }
};

PrinterSurface::PrinterSurface(QPrinter& printer) : d(std::make_unique<Impl>(printer)) {
  d->pageRectPt = printer.pageRect(QPrinter::Point);
  d->device.paintDevice = &printer;
  const int resolution = printer.resolution() > 0 ? printer.resolution() : 72;
  d->device.pxPerPt = resolution / 72.0;
  const int fontDpi = printer.logicalDpiY() > 0 ? printer.logicalDpiY() : resolution;
  d->device.fontPxPerPt = fontDpi / 72.0;
}

// A job still open here is finished as it stands (the printer must still exist).
PrinterSurface::~PrinterSurface() {
  if (d->painter.isActive()) d->painter.end();
}

void PrinterSurface::Cls() { d->page.clear(); }

void PrinterSurface::endPage(bool send) {
  if (send && d->startPage()) {
    d->replay();
    ++d->sent;
  }
  d->page.clear();
}

// Drawing not ended with endPage is dropped. With no page sent the printer was never started:
// nothing is printed (no empty file or blank sheet) and the document counts as done.
bool PrinterSurface::endDocument() {
  d->page.clear();
  if (d->painter.isActive() && !d->painter.end() && !d->failed) {
    d->failed = true;
    d->error = QStringLiteral("The printer could not finish the document.");
  }
  return !d->failed;
}

QString PrinterSurface::errorString() const { return d->error; }

double PrinterSurface::pageWidthPt() const { return d->pageRectPt.width(); }

double PrinterSurface::pageHeightPt() const { return d->pageRectPt.height(); }

int PrinterSurface::pagesSent() const { return d->sent; }

double PrinterSurface::textWidthPt(const SurfaceFont& f, const QString& text) const {
  return textWidthOn(d->device, f, text);
}

double PrinterSurface::lineHeightPt(const SurfaceFont& f) const { return lineHeightOn(d->device, f); }

void PrinterSurface::drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque,
                              qint32 back, const QString& text) {
  d->page.push_back(TextCommand{xPt, yPt, f, colour, opaque, back, text});
}

void PrinterSurface::drawLine(double x1, double y1, double x2, double y2, qint32 colour) {
  d->page.push_back(LineCommand{x1, y1, x2, y2, colour});
}

void PrinterSurface::drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) {
  d->page.push_back(CircleCommand{x, y, radius, colour, filled, fill});
}

void PrinterSurface::drawPicture(const QImage& picture, double x, double y, double w, double h) {
  d->page.push_back(PictureCommand{picture, x, y, w, h});
}

}  // namespace platform
