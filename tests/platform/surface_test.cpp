// The drawing surfaces that really draw: the preview image and the printer (here a PDF file).
#include "platform/core/painter_surface.h"
#include "platform/ui/printer_surface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace platform;

namespace {

// Pixels of the image within `area` that pass the test.
int count(const QImage& image, QRect area, bool (*test)(QColor)) {
  int n = 0;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixelColor(x, y)) ? 1 : 0;
  return n;
}
bool black(QColor c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; }
bool green(QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; }
bool red(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool ink(QColor c) { return c != Qt::white; }

// At 144 dpi a point is two pixels. A black line at y = 20 pt crosses a 12 pt red text with a
// green background whose top-left corner is at (10, 10) pt. Returns the text's right edge in px.
int textOverLine(ImageSurface& s, bool opaque) {
  s.Line(0, 20, 200, 20, 0);
  s.font.size = 12;
  s.ForeColor = 255;  // red in the low byte
  s.BackColor = 0x00FF00;
  s.FontTransparent = !opaque;
  s.CurrentX = s.CurrentY = 10;
  const int right = int((10 + s.TextWidth("I   I   I")) * 2);
  s.Print("I   I   I");
  return right;
}

}  // namespace

TEST(ImageSurface, OpaqueTextCoversWhatIsBeneathItsBoxAndTransparentTextDoesNot) {
  ImageSurface opaque(200, 60, 144), clear(200, 60, 144);
  const int right = textOverLine(opaque, true);
  textOverLine(clear, false);
  const QRect underText(22, 40, right - 24, 1), pastText(right + 4, 40, 400, 1);
  EXPECT_EQ(count(opaque.image(), underText, black), 0);
  EXPECT_GT(count(opaque.image(), underText, green), 10);
  EXPECT_GT(count(opaque.image(), pastText, black), 10) << "the box ends where the text does";
  EXPECT_GT(count(clear.image(), underText, black), 10);
  EXPECT_EQ(count(clear.image(), clear.image().rect(), green), 0);
  EXPECT_GT(count(clear.image(), clear.image().rect(), red), 20) << "255 is red";
}

// Surfaces come and go (one per preview drawing); one made where a gone one stood, at another
// resolution, must not measure with the fonts resolved for the old one.
TEST(ImageSurface, EachNewSurfaceMeasuresAtItsOwnResolution) {
  for (int round = 0; round < 3; ++round) {
    double widths[2] = {};
    for (int i = 0; i < 2; ++i) {
      auto surface = std::make_unique<ImageSurface>(200, 400, i == 0 ? 72 : 288);
      surface->font.size = 12;
      widths[i] = surface->TextWidth("abcd");
    }
    EXPECT_NEAR(widths[0], widths[1], widths[1] * 0.1) << "round " << round;
  }
}

TEST(ImageSurface, TextIsMeasuredInScaleUnitsWhateverTheResolution) {
  ImageSurface coarse(200, 400, 72), fine(200, 400, 288);
  coarse.font.size = fine.font.size = 12;
  const double pt = fine.TextWidth("abcd");
  EXPECT_GT(pt, fine.TextWidth("ab"));
  EXPECT_NEAR(pt, coarse.TextWidth("abcd"), pt * 0.1) << "points, not pixels";
  const double linePt = QFontMetricsF(QFont(toQFont(fine.font), &fine.image())).lineSpacing() / 4;
  EXPECT_NEAR(fine.TextHeight(), linePt, 1e-9);

  fine.setScale(100, 100);  // a unit is 2 pt across and 4 pt down
  EXPECT_NEAR(fine.TextWidth("abcd"), pt / 2, 1e-9);
  fine.CurrentX = 30;
  fine.CurrentY = 5;
  fine.Print("one");
  EXPECT_EQ(fine.CurrentX, 0);
  EXPECT_NEAR(fine.CurrentY, 5 + linePt / 4, 1e-9);

  fine.font.size = 0;  // a tiny font, still measured and drawn
  EXPECT_GT(fine.TextHeight(), 0);
  EXPECT_LT(fine.TextHeight(), linePt / 4 / 4);
  fine.Print("x");
}

TEST(ImageSurface, TurnedTextRunsUpwardsWithTheTopsOfTheLettersToTheLeft) {
  ImageSurface s(200, 200, 72);
  s.font.size = 16;
  s.font.angle = 90;
  s.CurrentX = 100;
  s.CurrentY = 150;
  s.Print("HHHHHH");
  EXPECT_GT(count(s.image(), QRect(100, 0, 30, 151), ink), 100);
  EXPECT_EQ(count(s.image(), s.image().rect(), ink), count(s.image(), QRect(99, 0, 30, 152), ink));
}

// The layouts' columns are measured for the Windows faces: "Courier New" must resolve to a face
// of its widths (every character 0.6 of the em), whatever other faces the machine has.
TEST(SurfaceFonts, CourierFindsAFixedPitchFaceAndStylesCarryOver) {
  SurfaceFont f{"courier new", 11.5, true, true, true};
  const QFont q = toQFont(f);
  EXPECT_EQ(q.pointSizeF(), 11.5);
  EXPECT_TRUE(q.bold() && q.italic() && q.underline());
  EXPECT_EQ(q.styleHint(), QFont::TypeWriter);
  for (const char* name : {"courier new", "Courier New"}) {
    SCOPED_TRACE(name);
    QFont large = toQFont(SurfaceFont{name});
    large.setPixelSize(1000);
    const QFontMetricsF metrics(large);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("WWWW"));
    EXPECT_NEAR(metrics.horizontalAdvance("WWWW"), 4 * 600, 4) << QFontInfo(large).family().toStdString();
  }
  EXPECT_NE(toQFont(SurfaceFont{"Arial"}).styleHint(), QFont::TypeWriter);
}

// ---- the printer, writing a PDF file

namespace {

struct PrinterToPdf : ::testing::Test {
  QTemporaryDir dir;
  QString pdf = dir.filePath("list.pdf");
  int sent = -1;
  QString error;

  // Lays out pages "PAGE-1" to "PAGE-5" (each first drawn over and cleared), sending those
  // `send` picks; returns what endDocument says.
  bool printFivePages(const std::function<bool(int)>& send) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrinterSurface s(printer);
    EXPECT_DOUBLE_EQ(s.pageHeightPt(), printer.pageRect(QPrinter::Point).height());
    s.font.size = 12;
    EXPECT_LT(s.TextWidth("PAGE-1"), 12 * 6) << "points, not printer dots";
    s.setScale(100, 100);
    for (int n = 1; n <= 5; ++n) {
      s.Print("CLEARED");
      s.Cls();
      s.Print("PAGE-" + QString::number(n));
      s.Line(10, 50, 90, 50, 0);
      s.endPage(send(n));
    }
    const bool ok = s.endDocument();
    sent = s.pagesSent();
    error = s.errorString();
    return ok;
  }
  static QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return QString::fromUtf8(p.readAllStandardOutput());
  }
};

}  // namespace

TEST_F(PrinterToPdf, OnlyTheSentPagesMakeOneDocumentInOrder) {
  ASSERT_TRUE(printFivePages([](int n) { return n == 2 || n == 3; }));
  EXPECT_EQ(sent, 2);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page(?!s)")), 2);

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the pages' text is not checked";
  const QStringList pages = run(pdftotext, {pdf, "-"}).split(QChar('\f'), Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages[0].trimmed(), "PAGE-2");
  EXPECT_EQ(pages[1].trimmed(), "PAGE-3");
}

TEST_F(PrinterToPdf, NothingSentPrintsNothingAndSucceeds) {
  EXPECT_TRUE(printFivePages([](int) { return false; }));
  EXPECT_EQ(sent, 0);
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrinterToPdf, AFileThatCannotBeWrittenFailsTheDocumentWithAReason) {
  pdf = dir.filePath("no such folder/list.pdf");
  EXPECT_FALSE(printFivePages([](int) { return true; }));
  EXPECT_EQ(sent, 0);
  EXPECT_FALSE(error.isEmpty());
}
