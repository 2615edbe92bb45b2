// The CD label's geometry on screen and paper, the track list two to a line, the settings
// file's values and the face lists.
#include "covers/label_paper.h"
#include "covers/label_preview.h"
#include "covers/label_printer.h"
#include "covers/label_settings.h"
#include "surface_test_support.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace covers;
using namespace designer_test;
using platform::RecordingSurface;
using platform::SurfaceCall;

namespace {

LabelDesign design() {
  LabelDesign d;
  d.discColour = 0x00FFFF;
  d.title = "SC8123";
  d.titleFace = "COURIER NEW";
  d.titleSize = 12;
  d.titleColour = 0x0000FF;
  d.trackFace = "COURIER NEW";
  d.trackSize = 4.5;
  d.trackColour = 0x00FF00;
  return d;
}

}  // namespace

TEST(LabelPreview, OffsetsRoundHalvesToEvenThenDivideTowardZero) {
  struct Case {
    const char* text;
    int divisor;
    int expected;
  };
  const Case cases[] = {{"12", 5, 2},  {"14", 5, 2},   {"15", 5, 3},  {"-7", 5, -1}, {"2.5", 5, 0},
                        {"7.5", 5, 1}, {"10", 3, 3},   {"-5", 3, -1}, {"2", 3, 0},   {"", 5, 0},
                        {"-", 5, 0},   {"-14", 5, -2}, {"4.5", 3, 1}, {"5.5", 3, 2}};
  for (const Case& c : cases) EXPECT_EQ(previewOffset(c.text, c.divisor), c.expected) << c.text << " / " << c.divisor;
}

TEST(LabelPreview, AnOffsetInExponentFormIsHeldWithinTheLimit) {
  EXPECT_EQ(offsetMillimetres("1E20"), kOffsetLimitMm);
  EXPECT_EQ(offsetMillimetres("-1E20"), -kOffsetLimitMm);
  EXPECT_EQ(previewOffset("1E20", 5), int(kOffsetLimitMm) / 5);
  EXPECT_EQ(offsetMillimetres("7.25"), 7.25);
}

TEST(LabelPreview, TracksStandTwoToALineAndALastOneAlone) {
  EXPECT_EQ(labelTrackLines(tracks(5)), QStringList({"01 SONG 1, 02 SONG 2", "03 SONG 3, 04 SONG 4", "05 SONG 5"}));
  EXPECT_EQ(labelTrackText(tracks(3)), "01 SONG 1, 02 SONG 2\r03 SONG 3\r");
  EXPECT_EQ(labelTrackText({}), "");
  const QString full(36, QChar('W'));
  EXPECT_EQ(labelTrackLines({item("07", full)}), QStringList({"07 " + full}));
  EXPECT_EQ(labelTrackLines({item("07", "  LEAD BLANKS")}), QStringList({"07 LEAD BLANKS"}));
}

TEST(LabelPreview, ACircleTakesItsBoxsSmallerSideOnTheWindow) {
  // The label window's client area: 594 x 521 pixels, 100 x 100 units.
  RecordingSurface s(594 * 0.75, 521 * 0.75);
  s.setScale(100, 100);
  PreviewShape disc;
  disc.Shape = PreviewShape::Kind::Circle;
  disc.Move(44, 7, 37, 44);
  disc.FillSolid = true;
  disc.FillColor = 0x123456;
  disc.BorderWidth = 2;
  drawPreviewShape(s, disc);
  auto circles = callsOf(s, SurfaceCall::Circle);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_NEAR(circles[0].x, 62.5, 1e-9);
  EXPECT_NEAR(circles[0].y, 29, 1e-9);
  EXPECT_NEAR(circles[0].x2, 18.5, 1e-9);  // 37 units across are fewer pixels than 44 down
  EXPECT_TRUE(circles[0].opaque);
  EXPECT_EQ(circles[0].colour, 0x123456);
  EXPECT_FALSE(circles[1].opaque);  // the border's second pixel
  EXPECT_NEAR(circles[1].x2, 18.5 - 100.0 / 594, 1e-9);

  RecordingSurface wide(594 * 0.75, 521 * 0.75);
  wide.setScale(100, 100);
  PreviewShape band;
  band.Shape = PreviewShape::Kind::Circle;
  band.Move(0, 0, 40, 10);
  drawPreviewShape(wide, band);
  circles = callsOf(wide, SurfaceCall::Circle);
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_NEAR(circles[0].x2, 5 * 521.0 / 594, 1e-9);  // half of 10 units down, counted across
  EXPECT_FALSE(wide.FillSolid) << "the surface's fill is left as it was";
}

TEST(LabelPaper, WithoutOffsetsTheDiscAndPictureStandWhereTheStockExpectsThem) {
  RecordingSurface s;
  LabelDesign d = design();
  d.picture = QImage(4, 4, QImage::Format_RGB32);
  d.guides = true;
  drawLabelPaper(s, d);
  const auto circles = callsOf(s, SurfaceCall::Circle);
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_DOUBLE_EQ(circles[0].x - circles[0].x2, 3);  // the disc spans 3 to 128 across
  EXPECT_DOUBLE_EQ(circles[0].x + circles[0].x2, 128);
  EXPECT_DOUBLE_EQ(circles[0].y - circles[0].x2, 19);  // and 19 to 144 down
  EXPECT_DOUBLE_EQ(circles[0].y + circles[0].x2, 144);
  EXPECT_TRUE(circles[0].opaque);
  EXPECT_EQ(circles[0].colour, 0x00FFFF);
  EXPECT_DOUBLE_EQ(circles[1].x2, 58.5);
  EXPECT_DOUBLE_EQ(circles[2].x2, 20.5);
  EXPECT_FALSE(circles[1].opaque || circles[2].opaque);
  EXPECT_EQ(circles[1].colour, 0);
  const auto pictures = callsOf(s, SurfaceCall::Picture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_DOUBLE_EQ(pictures[0].x, 5);
  EXPECT_DOUBLE_EQ(pictures[0].y, 21);
  EXPECT_DOUBLE_EQ(pictures[0].x2, 121);
  EXPECT_DOUBLE_EQ(pictures[0].y2, 121);
  // The picture goes over the disc and under the guides.
  const auto& calls = s.current().calls;
  EXPECT_EQ(calls[0].kind, SurfaceCall::Circle);
  EXPECT_EQ(calls[1].kind, SurfaceCall::Picture);
  EXPECT_EQ(calls[2].kind, SurfaceCall::Circle);
}

TEST(LabelPaper, OffsetsKeepTheirFractionsAndGuidesAndPictureAreOptional) {
  RecordingSurface s;
  LabelDesign d = design();
  d.offsetX = 2.5;
  d.offsetY = -1.25;
  drawLabelPaper(s, d);
  const auto circles = callsOf(s, SurfaceCall::Circle);
  ASSERT_EQ(circles.size(), 1u) << "no guides, only the disc";
  EXPECT_DOUBLE_EQ(circles[0].x, 68);
  EXPECT_DOUBLE_EQ(circles[0].y, 80.25);
  EXPECT_TRUE(callsOf(s, SurfaceCall::Picture).empty());
  const auto texts = callsOf(s, SurfaceCall::Text);
  ASSERT_EQ(texts.size(), 1u) << "an empty track list prints the title only";
  EXPECT_DOUBLE_EQ(texts[0].y, 34 - 1.25);
}

TEST(LabelPaper, TitleAndTracksPrintAtTwiceTheirSizesCentredOnTheDisc) {
  RecordingSurface s;
  LabelDesign d = design();
  d.title = "  SC8123";
  d.tracks = tracks(5);
  drawLabelPaper(s, d);
  const auto texts = callsOf(s, SurfaceCall::Text);
  ASSERT_EQ(texts.size(), 4u);
  // The title is centred and printed without its blanks.
  EXPECT_EQ(texts[0].text, "SC8123");
  EXPECT_EQ(texts[0].font.size, 24);
  EXPECT_TRUE(texts[0].font.bold);
  EXPECT_EQ(texts[0].font.name, "COURIER NEW");
  EXPECT_EQ(texts[0].colour, 0x0000FF);
  EXPECT_NEAR(texts[0].x, 65.5 - 0.5 * (0.6 * 24 * 6) / kPtPerMm, 1e-9);
  EXPECT_DOUBLE_EQ(texts[0].y, 34);

  EXPECT_EQ(texts[1].text, "01 SONG 1, 02 SONG 2");
  EXPECT_EQ(texts[3].text, "05 SONG 5");
  const double line = 1.2 * 9 / kPtPerMm;
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(texts[i].font.size, 9);
    EXPECT_FALSE(texts[i].font.bold);
    EXPECT_EQ(texts[i].colour, 0x00FF00);
    EXPECT_NEAR(texts[i].y, 104 + (i - 1) * line, 1e-9);
    EXPECT_NEAR(texts[i].x + 0.5 * (0.6 * 9 * texts[i].text.size()) / kPtPerMm, 65.5, 1e-9);
  }
}

// A title too wide for the disc at its height is printed on one line, shrunk just enough to lie
// inside the outer guide circle where the line's top meets it (the line's farther edge from the
// centre); on the recording surface a character is 0.6 of the size wide.
TEST(LabelPaper, ALongTitleIsPrintedSmallerOnOneLineInsideTheOuterGuide) {
  const double halfChord = std::sqrt(58.5 * 58.5 - (81.5 - 34) * (81.5 - 34));
  const struct {
    QString typed, printed;
    double size;
  } cases[] = {{"Greatest Hits Volume", "Greatest Hits Volume", 12},
               {"Greatest Hits Of The Eighties", "Greatest Hits Of The Eighties", 12},
               {"Party Hits Volume 3", "Party Hits Volume 3", 36},
               // Blanks typed before and after are left off: printed, they would run past the edge.
               {"          Greatest Hits Volume Twenty  ", "Greatest Hits Volume Twenty", 12}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    RecordingSurface s;
    LabelDesign d = design();
    d.title = c.typed;
    d.titleSize = c.size;
    d.tracks = tracks(2);
    drawLabelPaper(s, d);
    const auto texts = callsOf(s, SurfaceCall::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, c.printed);
    const double fills = 2 * halfChord * kPtPerMm / (0.6 * double(c.printed.size()));
    EXPECT_NEAR(texts[0].font.size, fills, 1e-6) << "shrunk just enough";
    EXPECT_NEAR(texts[0].x, 65.5 - halfChord, 1e-6);
    EXPECT_DOUBLE_EQ(texts[0].y, 34);
    EXPECT_EQ(texts[1].text, "01 SONG 1, 02 SONG 2");
  }
}

TEST(LabelPaper, ALongTrackListRunsOnBelowTheDisc) {
  RecordingSurface s;
  LabelDesign d = design();
  d.tracks = tracks(98);
  drawLabelPaper(s, d);
  const auto texts = callsOf(s, SurfaceCall::Text);
  ASSERT_EQ(texts.size(), 1u + 49u);
  EXPECT_GT(texts.back().y, 144);
  // Lines too wide to stand centred on the printable area are printed whole, smaller.
  RecordingSurface wide;
  d.trackSize = 6;
  d.tracks = longTracks(3);
  drawLabelPaper(wide, d);
  const auto lines = callsOf(wide, SurfaceCall::Text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[1].x, 0, 1e-6);
  EXPECT_LT(lines[1].font.size, 12);
}

TEST(SettingsFiles, NumbersHaveABlankAfterThemAndOneBeforeUnlessNegative) {
  EXPECT_EQ(settingsNumber(12), " 12 ");
  EXPECT_EQ(settingsNumber(12.75), " 12.75 ");
  EXPECT_EQ(settingsNumber(8.25), " 8.25 ");
  EXPECT_EQ(settingsNumber(0), " 0 ");
  EXPECT_EQ(settingsNumber(-2147483630), "-2147483630 ");
  EXPECT_EQ(settingsNumber(16777215), " 16777215 ");
}

TEST(SettingsFiles, ValuesAreWholeLinesWithoutBlanksOrQuotes) {
  testsupport::TempHome home;
  home.writeLines("a.dat", {" 12 ", "C:\\My Pictures\\a, b.jpg", "\"quoted\"", "", "  x  "});
  EXPECT_EQ(readSettingsValues(home.path("a.dat"), 5),
            QStringList({"12", "C:\\My Pictures\\a, b.jpg", "quoted", "", "x"}));
  EXPECT_EQ(readSettingsValues(home.path("a.dat"), 4)->size(), 4) << "lines past the last value are ignored";
  EXPECT_FALSE(readSettingsValues(home.path("a.dat"), 6)) << "a short file gives nothing";
  EXPECT_FALSE(readSettingsValues(home.path("missing.dat"), 1));

  // UTF-8 keeps any path; a file of an earlier version in Windows-1252 still reads.
  home.writeBytes("utf8.dat", "/home/ann/\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe.jpg\r\n");
  EXPECT_EQ(readSettingsValues(home.path("utf8.dat"), 1), QStringList({"/home/ann/\u0424\u043e\u0442\u043e.jpg"}));
  home.writeBytes("cp1252.dat", "C:\\\xc9t\xe9 \x80.jpg\r\n");
  EXPECT_EQ(readSettingsValues(home.path("cp1252.dat"), 1), QStringList({"C:\\\u00c9t\u00e9 \u20ac.jpg"}));
}

TEST(SettingsFiles, ColoursAndSizesMustBeNumbersThatFit) {
  EXPECT_EQ(settingsColour("16777215"), 16777215);
  EXPECT_EQ(settingsColour("-2147483630"), qint32(0x80000012u));
  EXPECT_EQ(settingsColour("255.4"), 255);
  EXPECT_FALSE(settingsColour("RED"));
  EXPECT_FALSE(settingsColour(""));
  EXPECT_FALSE(settingsColour("16777216"));
  EXPECT_FALSE(settingsColour("99999999999"));
  EXPECT_EQ(settingsSize("12.75"), 12.75);
  EXPECT_FALSE(settingsSize("0"));
  EXPECT_FALSE(settingsSize("-4"));
  EXPECT_FALSE(settingsSize("big"));
}

TEST(FaceLists, FacesAreUpperCaseOnceEachWithThePresetAmongThem) {
  EXPECT_EQ(faceListEntries({"Arial", "DejaVu Sans", "ARIAL"}), QStringList({"ARIAL", "DEJAVU SANS", "COURIER NEW"}));
  EXPECT_EQ(faceListEntries({"Courier New"}), QStringList({"COURIER NEW"}));
  EXPECT_EQ(faceListEntries({"C059 [URW]", "C059 [UKWN]", "Nimbus Sans"}),
            QStringList({"C059", "NIMBUS SANS", "COURIER NEW"}))
      << "one entry a family, without the makers' tags";
}
