// A drawing surface that draws nothing and remembers every call, with fixed text metrics that
// do not depend on installed fonts: a character is 0.6 of the font size wide and a line 1.2 of
// it high. Positions are recorded in the scale units in force when the call was made.
#pragma once

#include "platform/core/drawing_surface.h"

#include <vector>

namespace platform {

struct SurfaceCall {
  enum Kind { Text, Line, Circle, Picture } kind = Text;
  double x = 0, y = 0;    // text: its top-left corner; line: first end; circle: centre
  double x2 = 0, y2 = 0;  // line: second end; picture: width and height; circle: radius in x2
  QString text;
  SurfaceFont font;
  qint32 colour = 0;
  bool opaque = false;
};

struct RecordedPage {
  std::vector<SurfaceCall> calls;
  bool sent = false;
  // Texts in drawing order, for quick checks.
  QStringList texts() const;
};

class RecordingSurface : public DrawingSurface {
 public:
  // An A4 page by default.
  explicit RecordingSurface(double widthPt = 595.0, double heightPt = 842.0);

  void Cls() override;
  void endPage(bool send) override;
  bool endDocument() override;

  double pageWidthPt() const override { return widthPt_; }
  double pageHeightPt() const override { return heightPt_; }

  // The page being drawn, and every page ended so far (sent or not), in order.
  const RecordedPage& current() const { return current_; }
  const std::vector<RecordedPage>& pages() const { return pages_; }
  std::vector<RecordedPage> sentPages() const;
  bool ended() const { return ended_; }
  int clears() const { return clears_; }

 protected:
  double textWidthPt(const SurfaceFont& f, const QString& text) const override;
  double lineHeightPt(const SurfaceFont& f) const override;
  void drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                const QString& text) override;
  void drawLine(double x1, double y1, double x2, double y2, qint32 colour) override;
  void drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) override;
  void drawPicture(const QImage& picture, double x, double y, double w, double h) override;

 private:
  double widthPt_, heightPt_;
  RecordedPage current_;
  std::vector<RecordedPage> pages_;
  bool ended_ = false;
  int clears_ = 0;
};

}  // namespace platform
