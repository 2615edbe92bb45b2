#include "covers/case_paper.h"

#include "common/text_helpers.h"
#include "covers/case_preview.h"
#include "covers/label_preview.h"
#include "covers/rotated_text.h"

#include <algorithm>
#include <cmath>

namespace covers {

using namespace case_paper;

namespace {

// A title centred on its face at the size the layout gives it. It is centred without its
// surrounding blanks, and printed without them, so that nothing runs past the face.
void printTitle(platform::DrawingSurface& s, const CaseDesign& d, double size, const QRectF& face, double top) {
  const QString text = common::Trim(d.title);
  s.font = platform::SurfaceFont{d.titleFace, size, true};
  s.CurrentY = top;
  s.CurrentX = face.center().x() - 0.5 * s.TextWidth(text);
  s.Print(text);
}

// Where a line that is too wide may be cut: after a blank or a comma, else after the last
// character that fits. The blank at a cut is dropped.
QStringList wrapToWidth(platform::DrawingSurface& s, QString line, double width) {
  QStringList pieces;
  while (s.TextWidth(line) > width) {
    qsizetype fits = 1;  // a piece holds one character at least, so the line always shortens
    for (qsizetype lo = 1, hi = line.size(); lo <= hi;) {
      const qsizetype mid = (lo + hi) / 2;
      if (s.TextWidth(line.left(mid)) <= width) fits = mid, lo = mid + 1;
      else hi = mid - 1;
    }
    qsizetype cut = fits;
    for (qsizetype i = fits; i > 1; --i) {
      const QChar c = line.at(i - 1);
      if (c == QLatin1Char(' ') || c == QLatin1Char(',')) {
        cut = i;
        break;
      }
    }
    QString piece = line.left(cut);
    if (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
    pieces << piece;
    line = line.mid(cut);
  }
  pieces << line;
  return pieces;
}

// How many of the lines, from the first, fit the face whole in the surface's font, each
// wrapped at the face's right edge less the inset, from the track list's top down to the face's
// bottom edge.
int linesThatFit(platform::DrawingSurface& s, const QStringList& lines, const QRectF& face) {
  const double width = face.width() - 2 * kTextInset, height = s.TextHeight();
  double y = face.top() + kTrackListDrop;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    y += wrapToWidth(s, lines[i], width).size() * height;
    if (y > face.bottom() + 1e-9) return int(i);
  }
  return int(lines.size());
}

// The first `count` track lines as the face prints them, each wrapped at the face's right edge
// less the inset, in the surface's font.
QStringList faceLines(platform::DrawingSurface& s, const QStringList& lines, qsizetype count, const QRectF& face) {
  QStringList out;
  for (const QString& line : lines.mid(0, count)) out << wrapToWidth(s, line, face.width() - 2 * kTextInset);
  return out;
}

// A face's track lines from its inset down.
void printTracks(platform::DrawingSurface& s, const QStringList& lines, const QRectF& face) {
  s.CurrentY = face.top() + kTrackListDrop;
  for (const QString& line : lines) {
    s.CurrentX = face.left() + kTextInset;
    s.Print(line);
  }
}

}  // namespace

CaseTrackFit fitCaseTracks(platform::DrawingSurface& s, const CaseDesign& d) {
  s.setScaleMillimetres();
  const QStringList lines = caseTrackLines(d.tracks);
  const double chosen = d.trackSize * kFontFactor, smallest = std::min(chosen, kSmallestTrackSize);
  const auto at = [&](double size) {
    s.font = platform::SurfaceFont{d.trackFace, size, false};
    return CaseTrackFit{size, std::min(linesThatFit(s, lines, kFront), linesThatFit(s, lines, kBackFace)),
                        int(lines.size())};
  };
  const CaseTrackFit whole = at(chosen);
  if (whole.shown == whole.total || chosen <= smallest) return whole;
  CaseTrackFit fit = at(smallest);
  if (fit.shown < fit.total) return fit;
  // Every track fits at the smallest size and not at the chosen one: the largest step between
  // them at which all fit, found by halving (a smaller size never holds fewer tracks).
  int fits = int(std::ceil((chosen - smallest) / kTrackSizeStep)), tooLarge = 0;
  while (fits - tooLarge > 1) {
    const int mid = (fits + tooLarge) / 2;
    const CaseTrackFit tried = at(std::max(smallest, chosen - mid * kTrackSizeStep));
    if (tried.shown == tried.total) fits = mid, fit = tried;
    else tooLarge = mid;
  }
  s.font.size = fit.size;
  return fit;
}

double fitCaseTitle(platform::DrawingSurface& s, const CaseDesign& d, double faceWidth) {
  s.setScaleMillimetres();
  s.font = platform::SurfaceFont{d.titleFace, d.titleSize * kFontFactor, true};
  return fittedSize(s, common::Trim(d.title), s.font.size, faceWidth - 2 * kTextInset, kTrackListDrop - kTitleDrop);
}

CaseLayout layOutCase(platform::DrawingSurface& s, const CaseDesign& d) {
  CaseLayout layout;
  layout.tracks = fitCaseTracks(s, d);
  const QStringList lines = caseTrackLines(d.tracks);
  s.font = platform::SurfaceFont{d.trackFace, layout.tracks.size, false};
  layout.trackLineHeight = s.TextHeight();
  layout.front.trackLines = faceLines(s, lines, layout.tracks.shown, kFront);
  layout.back.trackLines = faceLines(s, lines, layout.tracks.shown, kBackFace);
  layout.front.titleSize = fitCaseTitle(s, d, kFront.width());
  layout.back.titleSize = fitCaseTitle(s, d, kBackFace.width());
  return layout;
}

void drawCasePaper(platform::DrawingSurface& s, const CaseDesign& d) {
  const CaseLayout layout = layOutCase(s, d);
  const QRectF& backFace = kBackFace;  // the back between its side strips

  fillBox(s, kFront.x(), kFront.y(), kFront.width(), kFront.height(), d.caseColour);
  fillBox(s, kBack.x(), kBack.y(), kBack.width(), kBack.height(), d.caseColour);
  if (!d.frontPicture.isNull()) s.PaintPicture(d.frontPicture, kFront.x(), kFront.y(), kFront.width(), kFront.height());
  if (!d.backPicture.isNull()) s.PaintPicture(d.backPicture, kBack.x(), kBack.y(), kBack.width(), kBack.height());
  // Cutting lines round both panels, folding lines between the back and its side strips.
  outlineBox(s, kFront.x(), kFront.y(), kFront.width(), kFront.height(), kBlack);
  outlineBox(s, kBack.x(), kBack.y(), kBack.width(), kBack.height(), kBlack);
  s.Line(backFace.left(), kBack.top(), backFace.left(), kBack.bottom(), kBlack);
  s.Line(backFace.right(), kBack.top(), backFace.right(), kBack.bottom(), kBlack);

  s.ForeColor = d.frontTitleColour;
  printTitle(s, d, layout.front.titleSize, kFront, kFront.top() + kTitleDrop);
  s.ForeColor = d.backTitleColour;
  printTitle(s, d, layout.back.titleSize, backFace, kBack.top() + kTitleDrop);

  s.font = platform::SurfaceFont{d.trackFace, layout.tracks.size, false};
  s.ForeColor = d.frontTrackColour;
  printTracks(s, layout.front.trackLines, kFront);
  s.ForeColor = d.backTrackColour;
  printTracks(s, layout.back.trackLines, backFace);

  // The title along each side strip, centred on it both ways; a long one is printed smaller,
  // to stay an inset short of the strip's ends.
  const QString spineTitle = common::Trim(d.title);
  s.font = platform::SurfaceFont{d.titleFace, std::min(d.titleSize, kSpineLargestSize), true};
  fittedSize(s, spineTitle, s.font.size, kBack.height() - 2 * kTextInset, kSpine);
  s.ForeColor = d.backTitleColour;
  const double along = s.TextWidth(spineTitle);
  const double across = s.TextHeight();
  const double middle = kBack.center().y();
  s.CurrentX = kBack.left() + (kSpine - across) / 2;  // the text's top faces the left edge
  s.CurrentY = middle + along / 2;
  Print_Rotated_Text(s, spineTitle, kLeftSpineAngle);
  s.CurrentX = kBack.right() - (kSpine - across) / 2;  // the text's top faces the right edge
  s.CurrentY = middle - along / 2;
  Print_Rotated_Text(s, spineTitle, kRightSpineAngle);
}

}  // namespace covers
