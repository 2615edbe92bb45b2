// A page to draw on, as the printing code sees it: a scale over the page (user units or
// millimetres), a current position, a font, a text colour, whole-line text prints, lines,
// circles and pictures, and the end of a page (sent or discarded) and of the document.
// The on-screen preview, the printer and the tests' recording surface all implement it; the
// renderers are written once against this class.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace platform {

struct SurfaceFont {
  QString name = QStringLiteral("Courier New");
  double size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double angle = 0;  // degrees, anticlockwise
  bool operator==(const SurfaceFont&) const = default;
};

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // ---- scale: positions and sizes are given in these units
  // The page is `width` x `height` units (the renderers use 100 x 100).
  void setScale(double width, double height);
  // Millimetres from the top-left corner of the printable area.
  void setScaleMillimetres();
  double ScaleWidth() const;
  double ScaleHeight() const;

  // ---- state
  double CurrentX = 0;
  double CurrentY = 0;
  SurfaceFont font;
  qint32 ForeColor = 0;         // the stored number form: red in the low byte
  bool FontTransparent = true;  // false: every text paints its own background
  qint32 BackColor = 0xFFFFFF;  // the background an opaque text paints
  bool FillSolid = false;       // closed shapes are filled with FillColor
  qint32 FillColor = 0;

  // ---- drawing
  // Prints the text at the current position (its top-left corner there), then moves x back to
  // the left edge and y down one line of the current font.
  void Print(const QString& text);
  // Prints the same text at x0, x0 + step, ... while x is below xEnd, all on the current line,
  // as that many prints each put back on the line would (a dotted rule); afterwards x is the
  // first position not printed and y is one line lower when anything was printed.
  void PrintRow(const QString& text, double x0, double step, double xEnd);
  double TextWidth(const QString& text) const;
  double TextHeight() const;  // one line of the current font
  void Line(double x1, double y1, double x2, double y2, qint32 colour);
  void Circle(double x, double y, double radius, qint32 colour);
  void PaintPicture(const QImage& picture, double x, double y, double width, double height);
  // Clears the page (the preview; a printer page is cleared by ending it).
  virtual void Cls() = 0;

  // ---- pages: a page ends sent (printed) or discarded; the sent pages form one document
  virtual void endPage(bool send) = 0;
  // Finishes the document; false when it could not be produced (the error says why).
  virtual bool endDocument() = 0;
  virtual QString errorString() const { return {}; }

  // The printable page in points (1/72 inch).
  virtual double pageWidthPt() const = 0;
  virtual double pageHeightPt() const = 0;

 protected:
  // Primitives in points from the top-left corner of the page.
  virtual double textWidthPt(const SurfaceFont& f, const QString& text) const = 0;
  virtual double lineHeightPt(const SurfaceFont& f) const = 0;
  virtual void drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                        const QString& text) = 0;
  // The same text at several x on one line; the default draws it once for each.
  virtual void drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque,
                           qint32 back, const QString& text);
  virtual void drawLine(double x1, double y1, double x2, double y2, qint32 colour) = 0;
  virtual void drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) = 0;
  virtual void drawPicture(const QImage& picture, double x, double y, double w, double h) = 0;

  double toPtX(double units) const;
  double toPtY(double units) const;
  double fromPtX(double pt) const;
  double fromPtY(double pt) const;

 private:
  bool millimetres_ = false;
  double scaleW_ = 0;  // 0: points
  double scaleH_ = 0;
};

}  // namespace platform
