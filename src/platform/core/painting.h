// What the image and printer surfaces share: the device a page is painted on, fonts resolved for
// it, and the painting of text, lines, circles and pictures in points.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace platform::painting {

constexpr double kMinFontPt = 1.0;  // a font of no size (or less) is drawn and measured at this
constexpr double kMetresPerInch = 0.0254;

inline double fontPt(double size) { return size > kMinFontPt ? size : kMinFontPt; }

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
  // Asked of every text drawn, kept (font pixels).
  double ascent;
  double lineSpacing;
  double blankAdvance;
  // Where each glyph's outline begins, from its origin (font pixels), as asked so far.
  mutable std::map<quint32, double> inkLeft;
};

// Where a glyph's ink begins, right of its origin, by its outline as a document carries it (the
// hinted box the font reports can be pixels off at a printer's size); infinity for a glyph
// without ink.
inline double inkLeftOf(const ResolvedFont& r, quint32 glyph) {
  const auto it = r.inkLeft.find(glyph);
  if (it != r.inkLeft.end()) return it->second;
  const QPainterPath outline = r.raw.pathForGlyph(glyph);
  const double left = outline.isEmpty() ? std::numeric_limits<double>::infinity() : outline.boundingRect().left();
  r.inkLeft.emplace(glyph, left);
  return left;
}

inline const ResolvedFont& resolved(const Device& dev, const SurfaceFont& f) {
  static std::vector<ResolvedFont> cache;
  const int dpiX = dev.paintDevice->logicalDpiX(), dpiY = dev.paintDevice->logicalDpiY();
  for (const auto& r : cache)
    if (r.device == dev.paintDevice && r.dpiX == dpiX && r.dpiY == dpiY && r.key == f) return r;
  if (cache.size() >= 16) cache.erase(cache.begin());
  QFont font(toQFont(f), dev.paintDevice);
  const QFontMetricsF metrics(font);
  cache.push_back(ResolvedFont{dev.paintDevice,
                               dpiX,
                               dpiY,
                               f,
                               font,
                               metrics,
                               QRawFont::fromFont(font),
                               metrics.ascent(),
                               metrics.lineSpacing(),
                               metrics.horizontalAdvance(QLatin1Char(' ')),
                               {}});
  return cache.back();
}

inline bool onlyBlanks(const QString& text) {
  for (QChar c : text)
    if (c != QLatin1Char(' ')) return false;
  return true;
}

// A text laid out from its glyphs' advances, without shaping it (a printed page holds tens of
// thousands of texts): where each character begins, in the font's pixels from the text's start,
// with the text's width last, and the glyph of each character. Exact for the fixed-pitch faces;
// kerning is left out. A text whose characters are not one glyph each of this font (one that
// needs a fallback font) has no glyphs here and is measured by its prefixes.
struct TextGlyphs {
  std::vector<double> starts;
  QList<quint32> indexes;
};

inline TextGlyphs glyphsOf(const ResolvedFont& r, const QString& text) {
  TextGlyphs out;
  out.starts.assign(size_t(text.size()) + 1, 0.0);
  if (onlyBlanks(text)) {  // measured only: blanks show nothing but a background
    for (qsizetype i = 0; i < text.size(); ++i) out.starts[size_t(i) + 1] = double(i + 1) * r.blankAdvance;
    return out;
  }
  if (r.raw.isValid()) out.indexes = r.raw.glyphIndexesForString(text);
  if (out.indexes.size() != text.size() || out.indexes.contains(0u)) {
    out.indexes.clear();
    for (qsizetype i = 0; i < text.size(); ++i)
      out.starts[size_t(i) + 1] = r.metrics.horizontalAdvance(text.left(i + 1));
    return out;
  }
  const QList<QPointF> advances = r.raw.advancesForGlyphIndexes(out.indexes);
  for (qsizetype i = 0; i < text.size(); ++i) out.starts[size_t(i) + 1] = out.starts[size_t(i)] + advances.value(i).x();
  return out;
}

inline double textWidthOn(const Device& dev, const SurfaceFont& f, const QString& text) {
  return resolved(dev, f).metrics.horizontalAdvance(text) / dev.fontPxPerPt;
}

inline double lineHeightOn(const Device& dev, const SurfaceFont& f) {
  return resolved(dev, f).lineSpacing / dev.fontPxPerPt;
}

inline QPen cosmeticPen(qint32 colour) {
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
// come out too big by that factor. Nothing is painted from `clipRight` (points) on; `widthPt`, when
// known, saves measuring the text again for its background.
inline void paintText(QPainter& p, const Device& dev, double x, double y, const SurfaceFont& f, qint32 colour,
                      bool opaque, qint32 back, const QString& text,
                      double clipRight = std::numeric_limits<double>::infinity(), double widthPt = -1,
                      const TextGlyphs* glyphs = nullptr) {
  const ResolvedFont& r = resolved(dev, f);
  const QFont& font = r.font;
  const QFontMetricsF& metrics = r.metrics;
  const double ascent = r.ascent, lineSpacing = r.lineSpacing;
  const bool inked = !onlyBlanks(text) || f.underline;  // blanks on their background show nothing more
  if (!opaque && !inked) return;
  const double width = !opaque ? 0 : widthPt >= 0 ? widthPt * dev.fontPxPerPt : metrics.horizontalAdvance(text);
  // Upright text whose font measures in device pixels is drawn where it stands, with the font and
  // pen the painter already holds where they are the same: a printed document then carries little
  // else than the text itself.
  const bool upright = f.angle == 0 && dev.pxPerPt == dev.fontPxPerPt;
  const bool clipped = std::isfinite(clipRight);
  if (clipped || !upright) p.save();
  if (clipped) {  // a generous box left, above and below: only the right edge cuts
    const double margin = 2 * lineSpacing / dev.fontPxPerPt;
    p.setClipRect(QRectF((x - margin) * dev.pxPerPt, (y - margin) * dev.pxPerPt, (clipRight - x + margin) * dev.pxPerPt,
                         3 * margin * dev.pxPerPt));
  }
  const QPointF origin = upright ? QPointF(x * dev.pxPerPt, y * dev.pxPerPt) : QPointF(0, 0);
  if (!upright) {
    p.translate(x * dev.pxPerPt, y * dev.pxPerPt);
    if (f.angle != 0) p.rotate(-f.angle);  // Qt turns clockwise; the angle is anticlockwise
    if (dev.pxPerPt != dev.fontPxPerPt) p.scale(dev.pxPerPt / dev.fontPxPerPt, dev.pxPerPt / dev.fontPxPerPt);
  }
  if (opaque) p.fillRect(QRectF(origin, QSizeF(width, lineSpacing)), toQColor(back));
  if (inked) {
    const QPen pen(toQColor(colour));
    if (p.pen() != pen) p.setPen(pen);
    if (upright && !f.underline && glyphs && glyphs->indexes.size() >= text.size()) {
      // The glyphs already found for the text, placed as they were measured.
      QList<QPointF> positions(text.size());
      for (qsizetype i = 0; i < text.size(); ++i)
        positions[i] = QPointF(origin.x() + glyphs->starts[size_t(i)], origin.y() + ascent);
      QGlyphRun run;
      run.setRawFont(r.raw);
      run.setGlyphIndexes(glyphs->indexes.first(text.size()));
      run.setPositions(positions);
      p.drawGlyphRun(QPointF(0, 0), run);
    } else {
      if (p.font() != font) p.setFont(font);
      p.drawText(origin + QPointF(0, ascent), text);
    }
  }
  if (clipped || !upright) p.restore();
}

// One short text at many x on one line (a dotted rule): painted as one run of glyphs.
inline void paintTextRun(QPainter& p, const Device& dev, const std::vector<double>& xs, double y, const SurfaceFont& f,
                         qint32 colour, bool opaque, qint32 back, const QString& text) {
  const ResolvedFont& r = resolved(dev, f);
  const QList<quint32> glyphs = r.raw.isValid() ? r.raw.glyphIndexesForString(text) : QList<quint32>();
  if (f.angle != 0 || f.underline || glyphs.size() != 1 || dev.pxPerPt != dev.fontPxPerPt) {
    for (double x : xs) paintText(p, dev, x, y, f, colour, opaque, back, text);
    return;
  }
  const double width = r.metrics.horizontalAdvance(text);
  if (opaque)
    for (double x : xs) p.fillRect(QRectF(x * dev.pxPerPt, y * dev.pxPerPt, width, r.lineSpacing), toQColor(back));

  // A row of full stops evenly spaced (a dotted rule) is one dotted line: each dot stands where
  // the full stop's ink would, at a tiny fraction of the cost of placing each glyph.
  bool even = text == QLatin1String(".") && xs.size() > 1;
  const double step = even ? xs[1] - xs[0] : 0;
  for (size_t i = 1; even && i < xs.size(); ++i) even = std::abs((xs[i] - xs[i - 1]) - step) < 1e-6;
  const QRectF ink = r.raw.boundingRect(glyphs.front());
  if (even && step > 0 && ink.width() > 0) {
    const double diameter = std::max({ink.width(), ink.height(), 0.5});
    const double baseline = y * dev.pxPerPt + r.ascent;
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
    positions.append(QPointF(x * dev.pxPerPt, y * dev.pxPerPt + r.ascent));
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

inline void paintLine(QPainter& p, const Device& dev, double x1, double y1, double x2, double y2, qint32 colour) {
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setPen(cosmeticPen(colour));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  p.restore();
}

inline void paintCircle(QPainter& p, const Device& dev, double x, double y, double radius, qint32 colour, bool filled,
                        qint32 fill) {
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setPen(cosmeticPen(colour));
  if (filled) p.setBrush(toQColor(fill));
  else p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(x, y), radius, radius);
  p.restore();
}

inline void paintPicture(QPainter& p, const Device& dev, const QImage& picture, double x, double y, double w,
                         double h) {
  if (picture.isNull() || w <= 0 || h <= 0) return;
  p.save();
  p.scale(dev.pxPerPt, dev.pxPerPt);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(x, y, w, h), picture);
  p.restore();
}

}  // namespace platform::painting
