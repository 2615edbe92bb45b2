#include "platform/ui/printer_surface.h"

#include "platform/core/colours.h"
#include "platform/core/painter_surface.h"
#include "platform/core/painting.h"

#include <QPrinter>

#include <variant>

namespace platform {

using namespace painting;

void usePrintChoice(QPrinter& printer, const PrintDialogAnswer& answer) {
  if (!answer.printerName.isEmpty()) printer.setPrinterName(answer.printerName);
  if (!answer.outputFile.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.outputFile);
  }
  if (answer.pageLayout.isValid()) printer.setPageLayout(answer.pageLayout);
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

// How far a cut letter's ink must reach into its column for the letter to count as printed. At
// reading distance (some 35 cm) the eye resolves about one minute of arc, 0.1 mm or 0.3 pt: a
// narrower sliver of a letter is seen as no letter, or as a speck, and a reader copying the
// document's text must not get a letter the paper does not show. Such a letter is left out of
// the page, ink and text alike.
constexpr double kVisibleInkPt = 0.3;

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
  // Where the nearest box on the given box's line begins, at or right of x; infinity when none.
  double nextOnLine(const QRectF& box, double x) const {
    constexpr double tolerance = 0.05;
    double next = std::numeric_limits<double>::infinity();
    for (int b = band(box.top()); b <= band(box.bottom()); ++b) {
      const auto it = bands_.find(b);
      if (it == bands_.end()) continue;
      for (const QRectF& c : it->second)
        if (c.top() < box.bottom() - tolerance && c.bottom() > box.top() + tolerance && c.left() >= x)
          next = std::min(next, c.left());
    }
    return next;
  }
  // The x from which one of the boxes hides the given box: it reaches over the box's top, bottom
  // and right end and begins left of that end. The box's right end when none does.
  double hiddenFrom(const QRectF& box) const {
    constexpr double tolerance = 0.05;
    double from = box.right();
    for (int b = band(box.top()); b <= band(box.bottom()); ++b) {
      const auto it = bands_.find(b);
      if (it == bands_.end()) continue;
      for (const QRectF& c : it->second)
        if (c.top() <= box.top() + tolerance && c.bottom() >= box.bottom() - tolerance &&
            c.right() >= box.right() - tolerance && c.left() < from)
          from = c.left();
    }
    return from;
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
    const ResolvedFont& r = resolved(device, f);
    return QRectF(x, y, glyphsOf(r, text).starts.back() / device.fontPxPerPt, r.lineSpacing / device.fontPxPerPt);
  }

  // What of each text stays visible: a later opaque text that reaches over its top, bottom and
  // right end (the blanks that end a column) hides it from its own left edge on. The hidden part
  // is not drawn at all, so it does not linger in the document's text under the blanks: only the
  // characters with ink reaching visibly (kVisibleInkPt) left of that edge are drawn, cut at the edge.
  struct Visible {
    QRectF box;  // the part of the text drawn, in points
    int chars;   // the characters drawn; 0 for a text wholly hidden
    int whole;   // of those, the ones drawn as they are; the rest are drawn apart
    double clipRight = std::numeric_limits<double>::infinity();
    TextGlyphs glyphs;
  };
  std::vector<Visible> visibleTexts() const {
    std::vector<Visible> out(page.size());
    InkIndex covers;  // opaque texts drawn later than the one at hand
    InkIndex inked;   // texts with ink drawn later than the one at hand
    for (size_t i = page.size(); i-- > 0;) {
      const auto* t = std::get_if<TextCommand>(&page[i]);
      if (!t) continue;
      const ResolvedFont& r = resolved(device, t->font);
      Visible& v = out[i];
      v.glyphs = glyphsOf(r, t->text);
      const std::vector<double>& starts = v.glyphs.starts;
      const QRectF box(t->x, t->y, starts.back() / device.fontPxPerPt, r.lineSpacing / device.fontPxPerPt);
      v.box = box;
      v.chars = v.whole = int(t->text.size());
      const double hiddenFrom = t->font.angle == 0 ? covers.hiddenFrom(box) : box.right();
      if (hiddenFrom < box.right()) {
        const auto at = [&](int c) { return t->x + starts[size_t(c)] / device.fontPxPerPt; };
        // Where the character's ink begins; blanks have none.
        const auto inkFrom = [&](int c) {
          if (!v.glyphs.indexes.isEmpty()) return at(c) + inkLeftOf(r, v.glyphs.indexes[c]) / device.fontPxPerPt;
          QPainterPath outline;
          outline.addText(0, 0, r.font, t->text.mid(c, 1));
          return outline.isEmpty() ? std::numeric_limits<double>::infinity()
                                   : at(c) + outline.boundingRect().left() / device.fontPxPerPt;
        };
        const auto wholePair = [&](int c) {
          return c > 0 && c < t->text.size() && t->text[c - 1].isHighSurrogate() ? c + 1 : c;
        };
        v.chars = 0;
        while (v.chars < t->text.size() && at(v.chars) < hiddenFrom) ++v.chars;
        while (v.chars > 0 && t->text[v.chars - 1] != QLatin1Char(' ') &&
               inkFrom(v.chars - 1) > hiddenFrom - kVisibleInkPt)
          --v.chars;
        v.chars = wholePair(v.chars);
        v.whole = v.chars;
        while (v.whole > 0 && at(v.whole) > hiddenFrom + 1e-6) --v.whole;
        v.whole = wholePair(v.whole);
        // A character the edge runs through needs drawing apart only where its full width would
        // reach so near the next text on the line that a reader of the document's text would
        // take the two for one word (a quarter of the font size, with room to spare).
        const double roomFor = at(v.chars) + 0.25 * fontPt(t->font.size);
        if (onlyBlanks(t->text.mid(v.whole, v.chars - v.whole)) || roomFor < inked.nextOnLine(box, hiddenFrom))
          v.whole = v.chars;
        v.clipRight = hiddenFrom;
        v.box.setRight(std::max(box.left(), hiddenFrom));
      }
      if (t->opaque && t->font.angle == 0) covers.add(box);
      if (t->font.angle == 0 && !onlyBlanks(t->text)) inked.add(box);
    }
    return out;
  }

  // The characters of a cut text that the edge runs through and whose full width comes near the
  // next text: their ink is drawn as outlines up to the edge, and the document's text gets them
  // invisibly, squeezed in between where they begin and the edge. Someone searching or copying
  // the text then finds them as the paper shows them, never run into the next column.
  void paintCutCharacters(const TextCommand& t, const Visible& v) {
    const ResolvedFont& r = resolved(device, t.font);
    const double baseline = t.y * device.pxPerPt + r.ascent;
    const auto at = [&](int c) { return t.x * device.pxPerPt + v.glyphs.starts[size_t(c)]; };
    const double from = at(v.whole), to = at(v.chars), edge = v.clipRight * device.pxPerPt;
    QPainterPath ink;
    for (int c = v.whole; c < v.chars; ++c) ink.addText(QPointF(at(c), baseline), r.font, t.text.mid(c, 1));
    painter.save();
    const double margin = 2 * r.lineSpacing;
    painter.setClipRect(QRectF(from - margin, baseline - r.ascent - margin, edge - from + margin, 3 * margin));
    painter.fillPath(ink, toQColor(t.colour));
    painter.setClipping(false);
    painter.translate(from, 0);
    painter.scale(std::max(edge - from, 0.01 * (to - from)) / (to - from), 1);
    painter.translate(-from, 0);
    QList<QPointF> positions;
    for (int c = v.whole; c < v.chars; ++c) positions.append(QPointF(at(c), baseline));
    QGlyphRun run;
    run.setRawFont(r.raw);
    run.setGlyphIndexes(v.glyphs.indexes.mid(v.whole, v.chars - v.whole));
    run.setPositions(positions);
    painter.setPen(QColor(0, 0, 0, 0));
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
  }

  // Texts in one font and colour that paint nothing but their glyphs, gathered into one run: the
  // document then holds one text object for a whole line instead of one for each column.
  struct GlyphBatch {
    SurfaceFont font;
    QRawFont raw;
    qint32 colour = 0;
    QList<quint32> glyphs;
    QList<QPointF> positions;
  } batch;

  void addToBatch(const TextCommand& t, const ResolvedFont& r, const TextGlyphs& g, qsizetype chars) {
    if (!batch.glyphs.isEmpty() && (batch.font != t.font || batch.colour != t.colour)) flushBatch();
    batch.font = t.font;
    batch.raw = r.raw;
    batch.colour = t.colour;
    for (qsizetype i = 0; i < chars; ++i) {
      batch.glyphs.append(g.indexes[i]);
      batch.positions.append(QPointF(t.x * device.pxPerPt + g.starts[size_t(i)], t.y * device.pxPerPt + r.ascent));
    }
  }

  void flushBatch() {
    if (batch.glyphs.isEmpty()) return;
    const QPen pen(toQColor(batch.colour));
    if (painter.pen() != pen) painter.setPen(pen);
    QGlyphRun run;
    run.setRawFont(batch.raw);
    run.setGlyphIndexes(batch.glyphs);
    run.setPositions(batch.positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
    batch.glyphs.clear();
    batch.positions.clear();
  }

  // Paper is white: an opaque white background painted where nothing has been drawn yet on the
  // page changes nothing, and is left out (a long list has hundreds of thousands of them).
  void replay() {
    const std::vector<Visible> visible = visibleTexts();
    InkIndex ink;
    for (size_t i = 0; i < page.size(); ++i) {
      const Command& c = page[i];
      if (const auto* t = std::get_if<TextCommand>(&c)) {
        const Visible& v = visible[i];
        if (v.chars == 0 && !t->text.isEmpty()) continue;
        const bool fill = t->opaque && (t->back != kPaperWhite || t->font.angle != 0 || ink.intersects(v.box));
        const QString text = v.chars < t->text.size() ? t->text.left(v.chars) : t->text;
        const bool bare = !fill && t->font.angle == 0 && !t->font.underline;  // glyphs at most
        if (bare && onlyBlanks(text)) continue;
        if (bare && !std::isfinite(v.clipRight) && device.pxPerPt == device.fontPxPerPt &&
            v.glyphs.indexes.size() >= text.size()) {
          addToBatch(*t, resolved(device, t->font), v.glyphs, text.size());
        } else {
          flushBatch();
          const bool cutThrough = v.whole < v.chars && !t->font.underline && device.pxPerPt == device.fontPxPerPt;
          paintText(painter, device, t->x, t->y, t->font, t->colour, fill, t->back,
                    cutThrough ? text.left(v.whole) : text, v.clipRight, v.box.width(), &v.glyphs);
          if (cutThrough) paintCutCharacters(*t, v);
        }
        if (t->font.angle != 0) ink.addEverywhere();
        else if (!onlyBlanks(text) || t->font.underline) ink.add(v.box);
        continue;
      }
      flushBatch();
      if (const auto* run = std::get_if<TextRunCommand>(&c)) {
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
    flushBatch();
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

void PrinterSurface::drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                              const QString& text) {
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
