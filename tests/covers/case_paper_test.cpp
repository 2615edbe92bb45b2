// The CD case insert on paper, its track lines, Cover.dat's text, and rotated printer text.
#include "covers/case_paper.h"
#include "covers/case_preview.h"
#include "covers/case_settings.h"
#include "covers/rotated_text.h"
#include "surface_test_support.h"

#include <gtest/gtest.h>

using namespace covers;
using namespace designer_test;
using platform::RecordingSurface;
using platform::SurfaceCall;

namespace {

// Tracks 01 to n, "SONG 1" by "ARTIST 1" to "SONG n" by "ARTIST n".
QStringList tracksByArtists(int n) {
  QStringList out;
  for (int i = 1; i <= n; ++i)
    out << item(QString::asprintf("%02d", i), "SONG " + QString::number(i), "ARTIST " + QString::number(i));
  return out;
}

CaseDesign design() {
  CaseDesign d;
  d.title = "SC8123";
  d.titleFace = "COURIER NEW";
  d.titleSize = 12;
  d.frontTitleColour = 0x0000FF;
  d.backTitleColour = 0x00FF00;
  d.trackFace = "COURIER NEW";
  d.trackSize = 4;
  d.frontTrackColour = 0xFF0000;
  d.backTrackColour = 0x00FFFF;
  d.caseColour = 0x808080;
  return d;
}

// Width in millimetres of a text on the recording surface.
double width(const QString& text, double size) { return 0.6 * size * text.size() / kPtPerMm; }

}  // namespace

TEST(CaseTracks, OneTrackALineWithSongAndArtistTrimmed) {
  EXPECT_EQ(caseTrackLines(tracksByArtists(2)), QStringList({"01 SONG 1,ARTIST 1", "02 SONG 2,ARTIST 2"}));
  EXPECT_EQ(caseTrackText({item("05", "", "")}), "05 ,\r");
  const QString song(36, 'S'), artist(30, 'A');
  EXPECT_EQ(caseTrackLines({item("07", song, artist)}), QStringList({"07 " + song + "," + artist}));
  EXPECT_EQ(caseTrackText({}), "");
}

TEST(CaseSettingsFile, NineLinesWithTheTrackSizeInWholePoints) {
  CaseSettings s;
  s.titleColour = qint32(0x80000012u);
  s.titleFace = "COURIER NEW";
  s.titleSize = 12.75;
  s.trackColour = 255;
  s.trackFace = "ARIAL";
  s.trackSize = 3.75;
  s.frontPicture = "/p/front.png";
  s.caseColour = 16777215;
  EXPECT_EQ(caseSettingsText(s).content,
            "-2147483630 \r\nCOURIER NEW\r\n 12.75 \r\n 255 \r\nARIAL\r\n 3 \r\n/p/front.png\r\n\r\n 16777215 \r\n");
  // A path holding a line break would shift every value after it.
  s.backPicture = "/p/back\n.png";
  EXPECT_EQ(caseSettingsText(s).refusal, "The back picture path cannot hold a line break.");
  EXPECT_TRUE(caseSettingsText(s).content.isEmpty());
}

TEST(CasePaper, PanelsAreFilledInTheCaseColourWithPicturesOverThemAndCuttingLines) {
  RecordingSurface s;
  CaseDesign d = design();
  d.backPicture = QImage(2, 2, QImage::Format_RGB32);
  drawCasePaper(s, d);
  const auto pictures = callsOf(s, SurfaceCall::Picture);
  ASSERT_EQ(pictures.size(), 3u) << "two backgrounds, the back picture; no front picture";
  EXPECT_DOUBLE_EQ(pictures[0].x, 10);
  EXPECT_DOUBLE_EQ(pictures[0].x2, 120);
  EXPECT_DOUBLE_EQ(pictures[1].y, 138);
  EXPECT_DOUBLE_EQ(pictures[1].x2, 151);
  EXPECT_DOUBLE_EQ(pictures[2].x, 10);
  EXPECT_DOUBLE_EQ(pictures[2].y2, 118);
  const auto lines = callsOf(s, SurfaceCall::Line);
  ASSERT_EQ(lines.size(), 10u) << "two outlines and two folds";
  EXPECT_DOUBLE_EQ(lines[8].x, 16.5);
  EXPECT_DOUBLE_EQ(lines[9].x, 154.5);
}

TEST(CasePaper, TitlesAreCentredOnEachFaceAndTrackListsStopAtTheirPanelsEdge) {
  RecordingSurface s;
  CaseDesign d = design();
  d.tracks = tracksByArtists(98);
  drawCasePaper(s, d);
  const auto texts = callsOf(s, SurfaceCall::Text);
  std::vector<SurfaceCall> titles, front, back, spines;
  for (const auto& t : texts) {
    if (t.font.angle != 0) spines.push_back(t);
    else if (t.font.bold) titles.push_back(t);
    else if (t.colour == 0xFF0000) front.push_back(t);
    else back.push_back(t);
  }
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_EQ(titles[0].font.size, 24);
  EXPECT_EQ(titles[0].colour, 0x0000FF);
  EXPECT_NEAR(titles[0].x + width("SC8123", 24) / 2, 70, 1e-9);
  EXPECT_DOUBLE_EQ(titles[0].y, 15.5);
  EXPECT_EQ(titles[1].colour, 0x00FF00);
  EXPECT_NEAR(titles[1].x + width("SC8123", 24) / 2, 85.5, 1e-9);
  EXPECT_DOUBLE_EQ(titles[1].y, 143.5);

  // 98 tracks do not fit even at the smallest size, 6 points: both faces list the tracks that
  // fit the shorter back, one line each.
  const double line = 1.2 * 6 / kPtPerMm;
  ASSERT_FALSE(front.empty());
  EXPECT_EQ(front[0].text, "01 SONG 1,ARTIST 1");
  EXPECT_EQ(front[0].font.size, 6);
  EXPECT_DOUBLE_EQ(front[0].x, 13);
  EXPECT_DOUBLE_EQ(front[0].y, 38);
  EXPECT_EQ(front.size(), size_t((118 - 28) / line)) << "as many tracks as fit above the back's bottom edge";
  EXPECT_LE(front.back().y + line, 130 + 1e-9);
  ASSERT_FALSE(back.empty());
  EXPECT_DOUBLE_EQ(back[0].x, 19.5);
  EXPECT_DOUBLE_EQ(back[0].y, 166);
  EXPECT_EQ(back.size(), front.size());
  EXPECT_LE(back.back().y + line, 256 + 1e-9);

  // The title along both side strips, reading up on the left and down on the right.
  ASSERT_EQ(spines.size(), 2u);
  EXPECT_EQ(spines[0].font.angle, 90);
  EXPECT_EQ(spines[1].font.angle, 270);
  EXPECT_EQ(spines[0].font.size, 12);
  const double along = width("SC8123", 12), across = 1.2 * 12 / kPtPerMm;
  EXPECT_NEAR(spines[0].x, 10 + (6.5 - across) / 2, 1e-9);
  EXPECT_NEAR(spines[0].y, 197 + along / 2, 1e-9);
  EXPECT_NEAR(spines[1].x, 161 - (6.5 - across) / 2, 1e-9);
  EXPECT_NEAR(spines[1].y, 197 - along / 2, 1e-9);
}

TEST(CasePaper, EveryTextStaysInsideItsPanelWithLongLinesWrappedAndLongTitlesSmaller) {
  RecordingSurface s;
  CaseDesign d = design();
  d.title = QString(50, 'W');
  d.trackSize = 6;
  const QString song = "A SONG WITH A VERY LONG NAME INDEED", artist = "AN ARTIST OF SOME RENOWN";
  d.tracks = {item("01", song, artist), item("02", "SHORT", "ONE")};
  drawCasePaper(s, d);

  const QRectF backFace(16.5, 138, 138, 118), leftSpine(10, 138, 6.5, 118), rightSpine(154.5, 138, 6.5, 118);
  const QRectF panels[] = {QRectF(10, 10, 120, 120), backFace, leftSpine, rightSpine};
  QStringList front;
  for (const SurfaceCall& t : callsOf(s, SurfaceCall::Text)) {
    const double along = width(t.text, t.font.size), across = 1.2 * t.font.size / kPtPerMm;
    const QRectF box = t.font.angle == 90    ? QRectF(t.x, t.y - along, across, along)
                       : t.font.angle == 270 ? QRectF(t.x - across, t.y, across, along)
                                             : QRectF(t.x, t.y, along, across);
    bool inside = false;
    for (const QRectF& panel : panels) inside = inside || panel.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(box);
    EXPECT_TRUE(inside) << t.text.toStdString() << " at " << t.x << ", " << t.y;
    if (t.font.angle == 0 && !t.font.bold && t.colour == 0xFF0000) {
      front << t.text;
      EXPECT_LE(t.x + along, 130 - 3 + 1e-9) << "a track line ends an inset short of the right edge";
    }
  }
  EXPECT_GT(front.size(), 2) << "the long line wraps";
  EXPECT_EQ(front.join("").remove(' '), QString("01" + song + "," + artist + "02SHORT,ONE").remove(' '))
      << "nothing is lost at a wrap";
}

TEST(RotatedText, PrintsTurnedInTheCurrentFontAndLeavesThePrinterAsItWas) {
  RecordingSurface s;
  s.setScaleMillimetres();
  s.font = platform::SurfaceFont{"ARIAL", 12, true, true, true};
  s.CurrentX = 20;
  s.CurrentY = 30;
  Print_Rotated_Text(s, "UPWARDS", 900);
  Print_Rotated_Text(s, "FLAT", 0);
  Print_Rotated_Text(s, "", 900);
  const auto texts = callsOf(s, SurfaceCall::Text);
  ASSERT_EQ(texts.size(), 2u) << "an empty text draws nothing";
  EXPECT_EQ(texts[0].font.angle, 90);
  EXPECT_EQ(texts[0].font.size, 12);
  EXPECT_TRUE(texts[0].font.bold && texts[0].font.italic && texts[0].font.underline);
  EXPECT_EQ(texts[0].font.name, "ARIAL");
  EXPECT_EQ(texts[1].font.angle, 0);
  for (const auto& t : texts) {
    EXPECT_DOUBLE_EQ(t.x, 20) << "both at the same point";
    EXPECT_DOUBLE_EQ(t.y, 30);
  }
  EXPECT_DOUBLE_EQ(s.CurrentX, 20);
  EXPECT_DOUBLE_EQ(s.CurrentY, 30);
  EXPECT_EQ(s.font, (platform::SurfaceFont{"ARIAL", 12, true, true, true}));

  s.font.bold = false;
  Print_Rotated_Text(s, "REGULAR", 2700);
  const auto last = callsOf(s, SurfaceCall::Text).back();
  EXPECT_FALSE(last.font.bold);
  EXPECT_EQ(last.font.angle, 270);
}

// A track list too long for its faces at the chosen size is printed smaller, half a point at a
// time, until every track fits, but not below 6 points; there the tracks that fit are printed.
// Each track is printed whole or not at all, and both faces list the same tracks.
TEST(CasePaper, LongTrackListsArePrintedSmallerAndNeverInPart) {
  struct Case {
    int tracks;
    double size;     // chosen, as in the size list
    double printed;  // points on paper
    int shown;
  };
  // 70 characters a track: one line of 1.2 x size points each at these sizes. 90 mm of the
  // back's height below its track list's top: 30 tracks need at most 7.08 points; at 6 points
  // it holds 35 lines.
  for (const Case& c : {Case{45, 3, 6, 35}, Case{45, 4, 6, 35}, Case{45, 12, 6, 35}, Case{30, 3, 6, 30},
                        Case{30, 4, 7, 30}, Case{30, 12, 7, 30}, Case{10, 4, 8, 10}}) {
    SCOPED_TRACE(std::to_string(c.tracks) + " tracks at " + std::to_string(c.size));
    RecordingSurface s;
    CaseDesign d = design();
    d.tracks = longTracks(c.tracks);
    d.trackSize = c.size;
    drawCasePaper(s, d);
    QStringList front, back;
    for (const SurfaceCall& t : callsOf(s, SurfaceCall::Text)) {
      if (t.font.angle != 0 || t.font.bold) continue;
      EXPECT_EQ(t.font.size, c.printed) << t.text.toStdString();
      const double bottom = t.y + 1.2 * t.font.size / kPtPerMm;
      EXPECT_LE(bottom, (t.colour == 0xFF0000 ? 130 : 256) + 1e-9) << t.text.toStdString();
      (t.colour == 0xFF0000 ? front : back) << t.text;
    }
    QString whole;
    for (const QString& line : caseTrackLines(d.tracks).mid(0, c.shown)) whole += line;
    EXPECT_EQ(front.join("").remove(' '), whole.remove(' ')) << "the first tracks, each whole";
    EXPECT_EQ(back.join("").remove(' '), whole);
  }
}

// A large title is printed smaller where it would reach down to the track list.
TEST(CasePaper, ALargeTitleStaysAboveTheTrackList) {
  for (double size : {24.0, 28.0, 36.0}) {
    RecordingSurface s;
    CaseDesign d = design();
    d.title = "SC";
    d.titleSize = size;
    d.tracks = tracksByArtists(2);
    drawCasePaper(s, d);
    std::vector<SurfaceCall> titles;
    double trackTop = 1e9;
    for (const SurfaceCall& t : callsOf(s, SurfaceCall::Text)) {
      if (t.font.angle != 0) continue;
      if (t.font.bold) titles.push_back(t);
      else if (t.colour == 0xFF0000) trackTop = std::min(trackTop, t.y);
    }
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_LE(titles[0].y + 1.2 * titles[0].font.size / kPtPerMm, trackTop + 1e-9) << size;
    EXPECT_NEAR(titles[0].font.size, std::min(2 * size, 22.5 * kPtPerMm / 1.2), 0.01)
        << "only as much smaller as needed";
  }
}
