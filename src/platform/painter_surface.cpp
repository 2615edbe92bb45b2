#include "platform/painter_surface.h"

#include "platform/colours.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <map>
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

// Resolving a font for a device and measuring it is costly and a page uses few fonts: the last
// few are kept. A device that is gone may leave its address to a new one of another resolution,
// so the resolution is part of the key.
struct ResolvedFont {
  QPaintDevice* device;
  int dpiX, dpiY;
  SurfaceFont key;
  QFont font;
  QFontMetricsF metrics;
  QRawFont raw;
};

const ResolvedFont& resolved(const Device& dev, const SurfaceFont& f) {
  static std::vector<ResolvedFont> cache;
  const int dpiX = dev.paintDevice->logicalDpiX(), dpiY = dev.paintDevice->logicalDpiY();
  for (const auto& r : cache)
    if (r.device == dev.paintDevice && r.dpiX == dpiX && r.dpiY == dpiY && r.key == f) return r;
  if (cache.size() >= 16) cache.erase(cache.begin());
  QFont font(toQFont(f), dev.paintDevice);
  cache.push_back(ResolvedFont{dev.paintDevice, dpiX, dpiY, f, font, QFontMetricsF(font), QRawFont::fromFont(font)});
  return cache.back();
}

double textWidthOn(const Device& dev, const SurfaceFont& f, const QString& text) {
  return resolved(dev, f).metrics.horizontalAdvance(text) / dev.fontPxPerPt;
}

double lineHeightOn(const Device& dev, const SurfaceFont& f) {
  return resolved(dev, f).metrics.lineSpacing() / dev.fontPxPerPt;
}

bool onlyBlanks(const QString& text) {
  for (QChar c : text)
    if (c != QLatin1Char(' ')) return false;
  return true;
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
  const ResolvedFont& r = resolved(dev, f);
  const QFont& font = r.font;
  const QFontMetricsF& metrics = r.metrics;
  p.save();
  p.translate(x * dev.pxPerPt, y * dev.pxPerPt);
  if (f.angle != 0) p.rotate(-f.angle);  // Qt turns clockwise; the angle is anticlockwise
  if (dev.pxPerPt != dev.fontPxPerPt) p.scale(dev.pxPerPt / dev.fontPxPerPt, dev.pxPerPt / dev.fontPxPerPt);
  if (opaque) p.fillRect(QRectF(0, 0, metrics.horizontalAdvance(text), metrics.lineSpacing()), toQColor(back));
  if (!onlyBlanks(text) || f.underline) {  // blanks on their background show nothing more
    p.setFont(font);
    p.setPen(toQColor(colour));
    p.drawText(QPointF(0, metrics.ascent()), text);
  }
  p.restore();
}

// One short text at many x on one line (a dotted rule): painted as one run of glyphs.
void paintTextRun(QPainter& p, const Device& dev, const std::vector<double>& xs, double y, const SurfaceFont& f,
                  qint32 colour, bool opaque, qint32 back, const QString& text) {
  const ResolvedFont& r = resolved(dev, f);
  const QList<quint32> glyphs = r.raw.isValid() ? r.raw.glyphIndexesForString(text) : QList<quint32>();
  if (f.angle != 0 || f.underline || glyphs.size() != 1 || dev.pxPerPt != dev.fontPxPerPt) {
    for (double x : xs) paintText(p, dev, x, y, f, colour, opaque, back, text);
    return;
  }
  const double width = r.metrics.horizontalAdvance(text);
  if (opaque)
    for (double x : xs) p.fillRect(QRectF(x * dev.pxPerPt, y * dev.pxPerPt, width, r.metrics.lineSpacing()), toQColor(back));

  // A row of full stops evenly spaced (a dotted rule) is one dotted line: each dot stands where
  // the full stop's ink would, at a tiny fraction of the cost of placing each glyph.
  bool even = text == QLatin1String(".") && xs.size() > 1;
  const double step = even ? xs[1] - xs[0] : 0;
  for (size_t i = 1; even && i < xs.size(); ++i) even = std::abs((xs[i] - xs[i - 1]) - step) < 1e-6;
  const QRectF ink = r.raw.boundingRect(glyphs.front());
  if (even && step > 0 && ink.width() > 0) {
    const double diameter = std::max({ink.width(), ink.height(), 0.5});
    const double baseline = y * dev.pxPerPt + r.metrics.ascent();
    const QPointF first(xs.front() * dev.pxPerPt + ink.center().x(), baseline + ink.center().y());
    const QPointF last(xs.back() * dev.pxPerPt + ink.center().x() + 0.01, first.y());
    QPen pen(toQColor(colour), diameter, Qt::CustomDashLine, Qt::RoundCap);
    pen.setDashPattern({0.001, step * dev.pxPerPt / diameter - 0.001});
    p.save();
    p.setPen(pen);
    p.drawLine(first, last);
    p.restore();
    return;
  }

  QList<quint32> indexes;
  QList<QPointF> positions;
  indexes.reserve(qsizetype(xs.size()));
  positions.reserve(qsizetype(xs.size()));
  for (double x : xs) {
    indexes.append(glyphs.front());
    positions.append(QPointF(x * dev.pxPerPt, y * dev.pxPerPt + r.metrics.ascent()));
  }
  QGlyphRun run;
  run.setRawFont(r.raw);
  run.setGlyphIndexes(indexes);
  run.setPositions(positions);
  p.save();
  p.setPen(toQColor(colour));
  p.drawGlyphRun(QPointF(0, 0), run);
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

void usePrintChoice(QPrinter& printer, const PrintDialogAnswer& answer) {
  if (!answer.printerName.isEmpty()) printer.setPrinterName(answer.printerName);
  if (!answer.outputFile.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.outputFile);
  }
  if (answer.pageLayout.isValid()) printer.setPageLayout(answer.pageLayout);
}

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
struct TextRunCommand {
  std::vector<double> xs;
  double y;
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
using Command = std::variant<TextCommand, TextRunCommand, LineCommand, CircleCommand, PictureCommand>;

constexpr qint32 kPaperWhite = 0xFFFFFF;

// Where a page has been drawn on so far, in horizontal bands of points, so that asking whether
// a box meets any earlier drawing looks at its own bands only.
class InkIndex {
 public:
  void add(const QRectF& r) {
    if (everywhere_) return;
    for (int b = band(r.top()); b <= band(r.bottom()); ++b) bands_[b].push_back(r);
  }
  void addEverywhere() { everywhere_ = true; }
  // Boxes that only touch (a line of text and the line under it) do not meet; the tolerance
  // absorbs rounding in positions carried through the page's scale.
  bool intersects(const QRectF& box) const {
    if (everywhere_) return true;
    const QRectF r = box.adjusted(0.05, 0.05, -0.05, -0.05);
    for (int b = band(r.top()); b <= band(r.bottom()); ++b) {
      const auto it = bands_.find(b);
      if (it == bands_.end()) continue;
      for (const QRectF& inked : it->second)
        if (inked.intersects(r)) return true;
    }
    return false;
  }

 private:
  static int band(double y) { return int(std::floor(y / 8.0)); }
  std::map<int, std::vector<QRectF>> bands_;
  bool everywhere_ = false;
};

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

  // The box a text covers on the page, in points.
  QRectF textBox(double x, double y, const SurfaceFont& f, const QString& text) const {
    return QRectF(x, y, textWidthOn(device, f, text), lineHeightOn(device, f));
  }

  // Paper is white: an opaque white background painted where nothing has been drawn yet on the
  // page changes nothing, and is left out (a long list has hundreds of thousands of them).
  void replay() {
    InkIndex ink;
    for (const Command& c : page) {
      if (const auto* t = std::get_if<TextCommand>(&c)) {
        const QRectF box = textBox(t->x, t->y, t->font, t->text);
        const bool fill = t->opaque && (t->back != kPaperWhite || t->font.angle != 0 || ink.intersects(box));
        paintText(painter, device, t->x, t->y, t->font, t->colour, fill, t->back, t->text);
        if (t->font.angle != 0) ink.addEverywhere();
        else if (!onlyBlanks(t->text) || t->font.underline) ink.add(box);
      } else if (const auto* run = std::get_if<TextRunCommand>(&c)) {
        if (run->xs.empty()) continue;
        const QRectF all = textBox(run->xs.front(), run->y, run->font, run->text)
                               .united(textBox(run->xs.back(), run->y, run->font, run->text));
        const bool fill = run->opaque && (run->back != kPaperWhite || run->font.angle != 0 || ink.intersects(all));
        paintTextRun(painter, device, run->xs, run->y, run->font, run->colour, fill, run->back, run->text);
        if (!onlyBlanks(run->text)) ink.add(all);
      } else if (const auto* l = std::get_if<LineCommand>(&c)) {
        paintLine(painter, device, l->x1, l->y1, l->x2, l->y2, l->colour);
        ink.add(QRectF(QPointF(l->x1, l->y1), QPointF(l->x2, l->y2)).normalized().adjusted(-1, -1, 1, 1));
      } else if (const auto* o = std::get_if<CircleCommand>(&c)) {
        paintCircle(painter, device, o->x, o->y, o->radius, o->colour, o->filled, o->fill);
        ink.add(QRectF(o->x - o->radius - 1, o->y - o->radius - 1, 2 * o->radius + 2, 2 * o->radius + 2));
      } else if (const auto* pic = std::get_if<PictureCommand>(&c)) {
        paintPicture(painter, device, pic->picture, pic->x, pic->y, pic->w, pic->h);
        ink.add(QRectF(pic->x, pic->y, pic->w, pic->h));
      }
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

void PrinterSurface::drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour,
                                 bool opaque, qint32 back, const QString& text) {
  d->page.push_back(TextRunCommand{xPt, yPt, f, colour, opaque, back, text});
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
