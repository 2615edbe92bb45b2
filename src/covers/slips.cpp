#include "covers/slips.h"

#include "covers/label_preview.h"

namespace covers {

const QStringList kSlipFields = {QStringLiteral("Song"), QStringLiteral("Artist"), QStringLiteral("Reference Code"),
                                 QStringLiteral("Your Name")};
const QString kSlipHeading = QStringLiteral("Karaoke Request");

namespace {

// Colours in the stored form, red in the low byte.
constexpr qint32 kLightGrey = 0xC0C0C0;
constexpr qint32 kShadow = 0x404040;
constexpr qint32 kBlue = 0xFF0000;

// The slip's parts as fractions of its height and width.
constexpr double kHeadingTop = 0.04, kHeadingHeight = 0.22;
constexpr double kBandTop = 0.32, kBandPitch = 0.17, kBandHeight = 0.13;
constexpr double kInset = 0.03;          // the bands' margin inside the border
constexpr double kLabelShare = 0.4;      // the widest label takes at most this much of a band
constexpr double kHeadingShare = 0.9;    // the heading takes at most this much of the slip's width
constexpr double kShadowOffset = 0.012;  // of the slip's height

void band(platform::DrawingSurface& page, const QRectF& r) {
  fillBox(page, r.left(), r.top(), r.width(), r.height(), kLightGrey);
}

void printAt(platform::DrawingSurface& page, double x, double y, qint32 colour, const QString& text) {
  page.ForeColor = colour;
  page.CurrentX = x;
  page.CurrentY = y;
  page.Print(text);
}

}  // namespace

std::vector<QRectF> slipRects(const platform::DrawingSurface& page) {
  const double w = page.ScaleWidth(), h = page.ScaleHeight();
  std::vector<QRectF> out;
  for (double top : {0.01, 0.23, 0.45, 0.67})
    for (double left : {0.05, 0.51}) out.emplace_back(left * w, top * h, 0.45 * w, 0.2 * h);
  return out;
}

void drawSlip(platform::DrawingSurface& page, const QRectF& slip) {
  const double w = slip.width(), h = slip.height();
  const double slipHeightPt = page.pageHeightPt() * h / page.ScaleHeight();
  page.FontTransparent = true;
  outlineBox(page, slip.left(), slip.top(), w, h, kBlack);

  const QRectF heading(slip.left() + kInset * w, slip.top() + kHeadingTop * h, (1 - 2 * kInset) * w,
                       kHeadingHeight * h);
  band(page, heading);
  page.font = platform::SurfaceFont{QStringLiteral("Arial"), 12, true};
  page.font.size =
      fittedSize(page, kSlipHeading, slipHeightPt * 0.13, kHeadingShare * heading.width(), heading.height());
  const double hx = heading.center().x() - page.TextWidth(kSlipHeading) / 2;
  const double hy = heading.center().y() - page.TextHeight() / 2;
  const double shadow = kShadowOffset * h;
  printAt(page, hx + shadow, hy + shadow, kShadow, kSlipHeading);
  printAt(page, hx, hy, kBlue, kSlipHeading);

  page.font = platform::SurfaceFont{QStringLiteral("Arial"), 10, false};
  double labelSize = slipHeightPt * 0.06;
  const double bandWidth = (1 - 2 * kInset) * w;
  for (const QString& label : kSlipFields)
    labelSize = fittedSize(page, label, labelSize, kLabelShare * bandWidth, kBandHeight * h);
  page.font.size = labelSize;
  for (int i = 0; i < kSlipFields.size(); ++i) {
    const QRectF field(slip.left() + kInset * w, slip.top() + (kBandTop + i * kBandPitch) * h, bandWidth,
                       kBandHeight * h);
    band(page, field);
    printAt(page, field.left() + kInset * w, field.center().y() - page.TextHeight() / 2, kBlack, kSlipFields[i]);
  }
  page.ForeColor = kBlack;
}

void drawSlipPage(platform::DrawingSurface& page) {
  page.setScale(100, 100);
  for (const QRectF& slip : slipRects(page)) drawSlip(page, slip);
}

void printSlipPages(platform::DrawingSurface& surface, int copies) {
  for (int copy = 1; copy <= copies; ++copy) {
    drawSlipPage(surface);
    surface.endPage(true);
  }
}

}  // namespace covers
