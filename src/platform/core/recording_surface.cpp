#include "platform/core/recording_surface.h"

#include <QStringList>

namespace platform {

QStringList RecordedPage::texts() const {
  QStringList out;
  for (const auto& c : calls)
    if (c.kind == SurfaceCall::Text) out << c.text;
  return out;
}

RecordingSurface::RecordingSurface(double widthPt, double heightPt) : widthPt_(widthPt), heightPt_(heightPt) {}

void RecordingSurface::Cls() {
  current_.calls.clear();
  ++clears_;
}

void RecordingSurface::endPage(bool send) {
  current_.sent = send;
  pages_.push_back(std::move(current_));
  current_ = RecordedPage{};
}

bool RecordingSurface::endDocument() {
  ended_ = true;
  return true;
}

std::vector<RecordedPage> RecordingSurface::sentPages() const {
  std::vector<RecordedPage> out;
  for (const auto& p : pages_)
    if (p.sent) out.push_back(p);
  return out;
}

double RecordingSurface::textWidthPt(const SurfaceFont& f, const QString& text) const {
  return 0.6 * f.size * double(text.size());
}

double RecordingSurface::lineHeightPt(const SurfaceFont& f) const { return 1.2 * f.size; }

void RecordingSurface::drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32,
                                const QString& text) {
  SurfaceCall c;
  c.kind = SurfaceCall::Text;
  c.x = fromPtX(xPt);
  c.y = fromPtY(yPt);
  c.text = text;
  c.font = f;
  c.colour = colour;
  c.opaque = opaque;
  current_.calls.push_back(std::move(c));
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, qint32 colour) {
  SurfaceCall c;
  c.kind = SurfaceCall::Line;
  c.x = fromPtX(x1);
  c.y = fromPtY(y1);
  c.x2 = fromPtX(x2);
  c.y2 = fromPtY(y2);
  c.colour = colour;
  current_.calls.push_back(std::move(c));
}

void RecordingSurface::drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) {
  SurfaceCall c;
  c.kind = SurfaceCall::Circle;
  c.x = fromPtX(x);
  c.y = fromPtY(y);
  c.x2 = fromPtX(radius);
  c.colour = filled ? fill : colour;
  c.opaque = filled;
  current_.calls.push_back(std::move(c));
}

void RecordingSurface::drawPicture(const QImage&, double x, double y, double w, double h) {
  SurfaceCall c;
  c.kind = SurfaceCall::Picture;
  c.x = fromPtX(x);
  c.y = fromPtY(y);
  c.x2 = fromPtX(w);
  c.y2 = fromPtY(h);
  current_.calls.push_back(std::move(c));
}

}  // namespace platform
