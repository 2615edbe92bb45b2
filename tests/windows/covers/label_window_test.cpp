// The "Print CD Label" window: its lists and presets, OffSet.dat, offsets, title editing,
// colours and picture, and printing.
#include "designer_test_support.h"
#include "ordinary_user.h"
#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"
#include "windows/covers/frmPrint_Offset.h"
#include "windows/covers/label_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QPrinterInfo>
#include <QTest>

#include <algorithm>

using namespace designer_test;
using platform::RecordingSurface;
using platform::SurfaceCall;

namespace {

const QByteArray kFirstRun =
    "0\r\n0\r\n-2147483630 \r\nCOURIER NEW\r\n 12 \r\n-2147483640 \r\nCOURIER NEW\r\n 4 \r\n\r\n 16777215 \r\n";

// A printer that takes the page and then fails to print it.
class RefusingPrinter : public RecordingSurface {
 public:
  bool endDocument() override { return false; }
  QString errorString() const override { return "The printer could not be started."; }
};

int pdfPages(const QByteArray& pdf) {
  return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

}  // namespace

// A printer that looks at the designer while the page is sent.
class WatchedPrinter : public RecordingSurface {
 public:
  std::function<void()> onSend;
  void endPage(bool send) override {
    if (onSend) onSend();
    RecordingSurface::endPage(send);
  }
};

class LabelWindowTest : public DesignerWindowTest<frmPrint_Offset> {
 protected:
  void open(const QStringList& items = tracks(3), const QString& title = "SC8123") { openWith(items, title); }
  void writeSettings(const QStringList& lines) { home.writeBytes("OffSet.dat", platform::joinLines(lines).toUtf8()); }
  QString picture(const QString& name) { return savePicture(name, QSize(8, 8), Qt::red); }
};

TEST_F(LabelWindowTest, LoadingFillsTheListsAndPresetsTheFacesAndSizes) {
  w->Load();
  ASSERT_EQ(w->Combo2.ListCount(), 33);
  EXPECT_EQ(w->Combo2.List(0), "4");
  EXPECT_EQ(w->Combo2.List(32), "36");
  QStringList halves;
  for (int i = 0; i < w->Combo6.ListCount(); ++i) halves << w->Combo6.List(i);
  EXPECT_EQ(halves, QStringList({"2", "2.5", "3", "3.5", "4", "4.5", "5", "5.5", "6"}));
  for (int i = 1; i < w->Combo1.ListCount(); ++i)
    EXPECT_LT(w->Combo1.List(i - 1).compare(w->Combo1.List(i), Qt::CaseInsensitive), 0) << "sorted, each once";
  EXPECT_EQ(w->Combo5.ListCount(), w->Combo1.ListCount());
  ASSERT_FALSE(familyFromTwoMakers().isEmpty()) << "no family installed from two makers (fonts-urw-base35)";
  EXPECT_EQ(facesNotListedOnce(w->Combo1), QStringList()) << "every installed family, once";

  EXPECT_EQ(w->Combo1.Text(), "COURIER NEW");
  EXPECT_EQ(w->Combo2.Text(), "12");
  for (const platform::Control* title :
       {static_cast<platform::Control*>(&w->Label8), static_cast<platform::Control*>(&w->Text3)}) {
    EXPECT_EQ(title->font().family(), "COURIER NEW");
    EXPECT_TRUE(title->font().bold());
  }
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12);
  EXPECT_EQ(w->Label10.font().family(), "COURIER NEW");
  EXPECT_EQ(w->Combo6.Text(), "4");
  EXPECT_FALSE(w->Label10.font().bold());
  EXPECT_FALSE(w->Combo1.Visible()) << "the face lists show once the window is up";
  EXPECT_EQ(w->Text3.MaxLength(), 50);
}

TEST_F(LabelWindowTest, FirstOpeningWritesTheSettingsFromTheOpeningValues) {
  open();
  EXPECT_EQ(home.readBytes("OffSet.dat"), kFirstRun);
  EXPECT_TRUE(w->Combo1.Visible() && w->Combo5.Visible());
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  EXPECT_EQ(w->Label10.ForeColor(), kWindowText);
  EXPECT_EQ(w->Command1.BackColor(), 0xFFFFFF);
  EXPECT_EQ(w->Label8.Caption(), "SC8123");
  EXPECT_EQ(w->Label10.Caption(), "01 SONG 1, 02 SONG 2\r03 SONG 3\r");

  // The face list offers no alias of another family, and drops down wide enough for its
  // longest name.
  auto* faces = qobject_cast<QComboBox*>(w->Combo1.widget());
  ASSERT_TRUE(faces);
  QString longest;
  for (int i = 0; i < faces->count(); ++i) {
    EXPECT_FALSE(QStringList({"MONOSPACE", "SANS SERIF", "SERIF"}).contains(faces->itemText(i)));
    if (faces->itemText(i).size() > longest.size()) longest = faces->itemText(i);
  }
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), faces->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(faces, &press);
  ASSERT_TRUE(faces->view()->isVisible());
  EXPECT_GE(faces->view()->viewport()->width(), QFontMetrics(faces->view()->font()).horizontalAdvance(longest));
  faces->hidePopup();
}

TEST_F(LabelWindowTest, TheSavedDesignComesBack) {
  w->Load();
  const QString face = otherFace();
  ASSERT_FALSE(face.isEmpty());
  const QString pic = picture("Фото, one.png");
  writeSettings({"12", " -5", "255", face.toLower() + " [URW]", "20", "65280", face, "4.5", pic, "16711680"});
  open();
  EXPECT_EQ(w->Text1.Text(), "12");
  EXPECT_EQ(w->Text2.Text(), "-5");
  EXPECT_EQ(w->Label8.ForeColor(), 255);
  EXPECT_EQ(w->Command5.BackColor(), 255);
  EXPECT_EQ(w->Combo1.Text(), face);
  EXPECT_EQ(w->Label8.font().family(), face);
  EXPECT_EQ(w->Text3.font().family(), face);
  EXPECT_EQ(w->Text3.font().pointSizeF(), 20);
  EXPECT_EQ(w->Label10.ForeColor(), 65280);
  EXPECT_EQ(w->Command7.BackColor(), 65280);
  EXPECT_EQ(w->Label10.font().family(), face);
  EXPECT_EQ(w->Combo6.Text(), "4.5");
  EXPECT_NEAR(centreOf(w->Label10), 62.5 + 2, 1e-9) << "the track list centred at its saved size";
  EXPECT_EQ(w->txtImage_File.Text(), pic) << "a path with a comma and any letters comes back whole";
  EXPECT_FALSE(w->Image1.Picture.isNull());
  EXPECT_EQ(w->Command1.BackColor(), 16711680);
  EXPECT_EQ(w->Shape3.FillColor, 16711680);
  EXPECT_DOUBLE_EQ(w->Shape3.Left, 44 + 2);
  EXPECT_DOUBLE_EQ(w->Shape3.Top, 7 - 1);
}

TEST_F(LabelWindowTest, AShortFileIsReplacedAndNoneOfItsValuesApplied) {
  writeSettings({"12", "10", "255", "COURIER NEW", "20", "65280", "COURIER NEW", "5", ""});
  open();
  EXPECT_EQ(home.readBytes("OffSet.dat"), kFirstRun);
  EXPECT_EQ(w->Text1.Text(), "0");
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12);
}

TEST_F(LabelWindowTest, AValueThatDoesNotFitIsPassedOverAlone) {
  const QByteArray saved = "3\r\n6\r\nRED\r\nNO SUCH FACE\r\n 8.25 \r\n 255 \r\nCOURIER NEW\r\n 5 \r\n" +
                           home.path("gone.png").toUtf8() + "\r\n 65535 \r\nextra\r\n";
  home.writeBytes("OffSet.dat", saved);
  open();
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  EXPECT_EQ(w->Combo1.Text(), "COURIER NEW");
  EXPECT_EQ(w->Label8.font().family(), "COURIER NEW");
  EXPECT_EQ(w->Combo2.Text(), "12");
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12);
  EXPECT_TRUE(w->Image1.Picture.isNull());
  EXPECT_EQ(w->txtImage_File.Text(), home.path("gone.png"));
  // The values round them are applied.
  EXPECT_EQ(w->Text1.Text(), "3");
  EXPECT_EQ(w->Text2.Text(), "6");
  EXPECT_EQ(w->Label10.ForeColor(), 255);
  EXPECT_EQ(w->Combo6.Text(), "5");
  EXPECT_EQ(w->Command1.BackColor(), 65535);
  EXPECT_EQ(home.readBytes("OffSet.dat"), saved) << "a file that reads is not rewritten";
}

TEST_F(LabelWindowTest, OffsetsMoveThePreviewInWholeStepsAndRefuseText) {
  open(tracks(5));
  w->Text1.setText("-");
  EXPECT_EQ(w->Text1.Text(), "-");
  EXPECT_DOUBLE_EQ(w->Shape3.Left, 44);
  w->Text1.setText("5mm");
  EXPECT_EQ(w->Text1.Text(), "");
  // A bad key empties the box, and the preview stands at 0 as Print takes it.
  w->Text1.SetFocus();
  typeInto(w->Text1.widget(), "15");
  EXPECT_DOUBLE_EQ(w->Shape3.Left, 44 + 3);
  typeInto(w->Text1.widget(), "m");
  EXPECT_EQ(w->Text1.Text(), "");
  EXPECT_DOUBLE_EQ(w->Shape3.Left, 44);
  EXPECT_NEAR(centreOf(w->Label10), 62.5, 1e-9);
  w->Text1.setText("12");
  w->Text2.setText("10");
  const int ox = 2, oy = 3;
  EXPECT_DOUBLE_EQ(w->Image1.Left, 43.5 + ox);
  EXPECT_DOUBLE_EQ(w->Image1.Top, 6.5 + oy);
  EXPECT_DOUBLE_EQ(w->Shape3.Left, 44 + ox);
  EXPECT_DOUBLE_EQ(w->Shape4.Top, 21 + oy);
  EXPECT_DOUBLE_EQ(w->Shape5.Left, w->Shape3.Left);
  EXPECT_DOUBLE_EQ(w->Shape6.Top, w->Shape4.Top);
  EXPECT_NEAR(w->Label8.Top(), 12 + oy, 1e-9);
  EXPECT_NEAR(centreOf(w->Label8), 62.5 + ox, 1e-9);
  EXPECT_NEAR(w->Text3.Left(), w->Label8.Left(), 1e-9) << "the editor lies over the title";
  EXPECT_NEAR(w->Text3.Top(), w->Label8.Top(), 1e-9);
  EXPECT_NEAR(w->Label10.Top(), 37 + oy, 1e-9);
  EXPECT_NEAR(centreOf(w->Label10), 62.5 + ox, 1e-9);
  EXPECT_NEAR(w->Shape1.Left, 3645 / 89.1, 1e-9) << "the page and its shadow stay";
}

// The editor keeps the blanks typed; the preview shows the title without them, as it prints.
TEST_F(LabelWindowTest, TheTitleIsEditedInPlaceAndKeepsItsBlanks) {
  open();
  clickOn(w->Label8.widget());
  EXPECT_TRUE(w->Text3.Visible());
  w->Text3.setText("  MY DISC");
  EXPECT_EQ(w->Label8.Caption(), "MY DISC");
  // Leaving the editor with Tab closes it; a click on the title opens it again with the whole
  // title selected.
  tabOutOfTitleEditor();
  EXPECT_FALSE(w->Text3.Visible());
  QTest::mouseClick(w->Label8.widget(), Qt::LeftButton);
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), w->Text3.widget());
  EXPECT_EQ(w->Text3.Text(), "  MY DISC");
  EXPECT_EQ(w->Text3.SelLength(), 9);
  w->Text3.setText(QString(60, 'X'));
  EXPECT_EQ(w->Text3.Text().size(), 50);
}

// A title copied from a cell or a mail prints on one line: a line break inside it is refused.
TEST_F(LabelWindowTest, APastedTitleIsOneLine) {
  open();
  clickOn(w->Label8.widget());  // the editor opens with the whole title selected
  prompts.answerMsg(platform::msg::OK);
  testsupport::pasteInto(w->Text3.widget(), "GREATEST\nHITS");
  EXPECT_EQ(w->Text3.Text(), "SC8123");
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The disc title cannot hold a line break.\n\rPlease try again without it.");
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Print CD Label");
  w->Text3.setText("");
  testsupport::pasteInto(w->Text3.widget(), "GREATEST\tHITS\r\n");
  typeInto(w->Text3.widget(), " \u0141\u00d3D\u0179");  // printed, never stored: any letter will do
  EXPECT_EQ(w->Label8.Caption(), "GREATEST HITS \u0141\u00d3D\u0179");
  press(w->cmdPrint);
  ASSERT_TRUE(paper);
  EXPECT_EQ(paper->sentPages()[0].texts().value(0), "GREATEST HITS \u0141\u00d3D\u0179");
}

// A title too wide for the disc prints on one line at a smaller size; the preview shows that
// one line, unbroken, at the printed size scaled as its disc is to the paper's (37 units of
// 5.94 pixels for 125 mm).
TEST_F(LabelWindowTest, ALongTitleShowsOnOneLineAtTheSizeItPrints) {
  const struct {
    QString title, size;
  } cases[] = {{"Greatest Hits Volume", "12"}, {"Greatest Hits Of The Eighties", "12"}, {"Party Hits Volume 3", "36"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title.toStdString());
    w = std::make_unique<frmPrint_Offset>();
    SetUp();
    open(tracks(2), "");
    windows::presetChoice(w->Combo2, c.size);
    w->Text3.setText(c.title);
    auto* shown = qobject_cast<QLabel*>(w->Label8.widget());
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->wordWrap());
    EXPECT_LE(shown->fontMetrics().horizontalAdvance(c.title), shown->width()) << "the whole line shows";
    const double previewSize = w->Label8.font().pointSizeF();
    clickOn(w->cmdPrint.widget());
    ASSERT_TRUE(paper);
    ASSERT_EQ(paper->sentPages().size(), 1u);
    const SurfaceCall title = paper->sentPages()[0].calls.at(1);  // after the disc
    EXPECT_EQ(title.text, c.title);
    EXPECT_LT(title.font.size, 2 * c.size.toDouble()) << "printed smaller than chosen";
    const double pxPerMm = std::min(37 * 5.94, 44 * 5.21) / 125;
    EXPECT_NEAR(previewSize, title.font.size * 25.4 / 72 * pxPerMm * 72 / shown->logicalDpiY(), 0.02 * previewSize);
  }
}

// A face or size chosen for the track list shows at once where and as large as the paper prints
// it: every line centred on the disc, at the printed size scaled as the disc is.
TEST_F(LabelWindowTest, TheTrackListFollowsANewFaceOrSizeAsItPrints) {
  open();
  w->Text1.setText("12");
  chooseFrom(w->Combo6, "6");
  EXPECT_NEAR(centreOf(w->Label10), 62.5 + 2, 1e-9);
  chooseFrom(w->Combo5, otherFace());
  EXPECT_NEAR(centreOf(w->Label10), 62.5 + 2, 1e-9);
  const double previewSize = w->Label10.font().pointSizeF();
  const int dpi = w->Label10.widget()->logicalDpiY();
  press(w->cmdPrint);
  ASSERT_TRUE(paper);
  EXPECT_EQ(paper->sentPages()[0].calls.back().font.size, 12);
  const double pxPerMm = std::min(37 * 5.94, 44 * 5.21) / 125;
  EXPECT_NEAR(previewSize, 12 * 25.4 / 72 * pxPerMm * 72 / dpi, 0.02 * previewSize);
}

// The longest texts the preview can show, moved towards the settings by the offsets, cover no
// settings control: each takes a real click at its middle.
TEST_F(LabelWindowTest, TheLongestPreviewTextsLeaveEverySettingsControlItsClicks) {
  open(longTracks(45), QString(50, 'W'));
  windows::presetChoice(w->Combo2, "36");
  windows::presetChoice(w->Combo6, "6");
  w->Text1.setText("-60");
  EXPECT_GT(w->Label10.Left(), w->Frame1.Left() + w->Frame1.Width()) << "whole on paper, the list stands on the page";
  EXPECT_EQ(controlsNotClickable(w->Frame1.widget()), QStringList());
  // The disc colour swatch and "X" do their work, and the title editor stays shut.
  prompts.answerColour(0x0000FF);
  w->txtImage_File.setText(picture("disc.png"));
  for (platform::CommandButton* button : {&w->Command1, &w->Command4}) {
    QWidget* b = button->widget();
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      b->mapTo(w->window(), b->rect().center()));
  }
  EXPECT_EQ(w->Command1.BackColor(), 0x0000FF);
  EXPECT_TRUE(w->Image1.Picture.isNull());
  EXPECT_FALSE(w->Text3.Visible());
}

TEST_F(LabelWindowTest, ColoursAreChosenOrLeftAloneOnCancel) {
  open();
  prompts.answerColour(0x00FFFF).answerColour(std::nullopt).answerColour(0x00FF00).answerColour(0x0000FF);
  press(w->Command1);
  EXPECT_EQ(w->Command1.BackColor(), 0x00FFFF);
  EXPECT_EQ(w->Shape3.FillColor, 0x00FFFF);
  press(w->Command5);
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  // Each colour goes to its own text: the title's, then the tracks'.
  press(w->Command5);
  EXPECT_EQ(w->Label8.ForeColor(), 0x00FF00);
  EXPECT_EQ(w->Command5.BackColor(), 0x00FF00);
  EXPECT_EQ(w->Label10.ForeColor(), kWindowText);
  EXPECT_EQ(w->Command7.BackColor(), 0);
  EXPECT_EQ(w->Shape3.FillColor, 0x00FFFF);
  clickOn(w->Command7.widget());
  EXPECT_EQ(w->Label10.ForeColor(), 0x0000FF);
  EXPECT_EQ(w->Command7.BackColor(), 0x0000FF);
  EXPECT_EQ(w->Label8.ForeColor(), 0x00FF00);
  QWidget* swatch = w->Command7.widget();
  EXPECT_EQ(swatch->grab().toImage().pixelColor(swatch->rect().center()), QColor(255, 0, 0))
      << "the swatch shows exactly the colour chosen";
  for (const auto& call : prompts.callsOf("chooseColour")) EXPECT_EQ(call.text, "0") << "no colour proposed";
}

TEST_F(LabelWindowTest, APictureIsChosenKeptOverBadPathsAndCleared) {
  open();
  const QString pic = picture("disc.png");
  home.writeBytes("notes.bmp", "not a picture");
  prompts.answerOpenFile(std::nullopt).answerOpenFile(pic).answerOpenFile(home.path("notes.bmp"));
  press(w->Command3);
  EXPECT_TRUE(w->Image1.Picture.isNull());
  EXPECT_EQ(w->txtImage_File.Text(), "");
  press(w->Command3);
  EXPECT_EQ(w->txtImage_File.Text(), pic);
  EXPECT_EQ(w->Image1.Picture.size(), QSize(8, 8));
  press(w->Command3);
  EXPECT_EQ(w->txtImage_File.Text(), home.path("notes.bmp"));
  EXPECT_FALSE(w->Image1.Picture.isNull()) << "a file that is not a picture leaves the picture";
  EXPECT_EQ(prompts.expectCalls("openFile", 3)[0].defaultText, "Pictures (*.bmp;*.jpg;*.gif))|*.bmp;*.jpg;*.gif");

  // Clearing turns a white title and track list black; any other colour stays.
  w->Label8.setForeColor(0xFFFFFF);
  w->Label10.setForeColor(0x00FFFF);
  press(w->Command4);
  EXPECT_TRUE(w->Image1.Picture.isNull());
  EXPECT_EQ(w->txtImage_File.Text(), "");
  EXPECT_EQ(w->Label8.ForeColor(), 0);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  EXPECT_EQ(w->Label10.ForeColor(), 0x00FFFF);
  w->Label10.setForeColor(0xFFFFFF);
  press(w->Command4);
  EXPECT_EQ(w->Label10.ForeColor(), 0);
  EXPECT_EQ(w->Command7.BackColor(), 0);
}

TEST_F(LabelWindowTest, CancelClosesWithoutPrintingOrSaving) {
  open();
  const QByteArray before = home.readBytes("OffSet.dat");
  w->Text1.setText("9");
  prompts.answerColour(0x0000FF);
  press(w->Command1);
  press(w->Command2);
  EXPECT_FALSE(w->isLoaded());
  EXPECT_EQ(home.readBytes("OffSet.dat"), before);
  EXPECT_FALSE(paper);
}

TEST_F(LabelWindowTest, PrintSendsOnePageSavesTheDesignAndCloses) {
  open(tracks(5));
  w->Text1.setText("2.5");
  w->Check1.setValue(1);
  prompts.answerColour(0x00FFFF).answerColour(0x00FF00);
  press(w->Command1);
  press(w->Command5);  // the title's colour
  for (int i = 0; i < w->Combo6.ListCount(); ++i)
    if (w->Combo6.List(i) == "4.5") w->Combo6.setListIndex(i);
  press(w->cmdPrint);

  ASSERT_TRUE(paper);
  ASSERT_EQ(paper->sentPages().size(), 1u);
  EXPECT_TRUE(paper->ended());
  const platform::RecordedPage page = paper->sentPages()[0];
  const auto& calls = page.calls;
  ASSERT_EQ(calls[0].kind, SurfaceCall::Circle);
  EXPECT_DOUBLE_EQ(calls[0].x, 68);
  EXPECT_EQ(calls[0].colour, 0x00FFFF);
  EXPECT_EQ(page.texts(), QStringList({"SC8123", "01 SONG 1, 02 SONG 2", "03 SONG 3, 04 SONG 4", "05 SONG 5"}));
  const auto title = std::find_if(calls.begin(), calls.end(), [](const SurfaceCall& c) { return c.text == "SC8123"; });
  ASSERT_NE(title, calls.end());
  EXPECT_EQ(title->colour, 0x00FF00) << "the title in its colour";
  int guides = 0;
  for (const auto& c : calls) guides += c.kind == SurfaceCall::Circle && !c.opaque;
  EXPECT_EQ(guides, 2);
  EXPECT_EQ(calls.back().font.size, 9);

  EXPECT_FALSE(w->isLoaded());
  EXPECT_FALSE(w->Frame3.Visible());
  EXPECT_EQ(home.readBytes("OffSet.dat"),
            "2.5\r\n0\r\n 65280 \r\nCOURIER NEW\r\n 12 \r\n-2147483640 \r\nCOURIER NEW\r\n 4.5 \r\n\r\n 65535 \r\n");
}

TEST_F(LabelWindowTest, TheSendingNoticeHidesThePreviewBehindItsPrinterAndRaisedEdge) {
  open();
  QImage shot;
  w->makePrinterSurface = [&] {
    auto printer = std::make_shared<WatchedPrinter>();
    printer->onSend = [&] { shot = w->window()->grab().toImage(); };
    return printer;
  };
  press(w->cmdPrint);
  ASSERT_FALSE(shot.isNull());
  const QWidget* notice = w->Frame3.widget();
  const QRect at(notice->mapTo(w->window(), QPoint(0, 0)), notice->size());
  const QColor window = notice->palette().color(QPalette::Window);
  EXPECT_EQ(shot.pixelColor(at.topLeft() + QPoint(0, at.height() / 2)), QColor(128, 128, 128)) << "left edge";
  EXPECT_EQ(shot.pixelColor(at.topLeft() + QPoint(at.width() / 2, 0)), QColor(128, 128, 128)) << "top edge";
  EXPECT_EQ(shot.pixelColor(at.bottomRight() - QPoint(0, at.height() / 2)), QColor(0, 0, 0)) << "right edge";
  EXPECT_EQ(shot.pixelColor(at.bottomRight() - QPoint(at.width() / 2, 0)), QColor(0, 0, 0)) << "bottom edge";
  EXPECT_EQ(shot.pixelColor(at.bottomRight() - QPoint(8, 8)), window) << "the preview does not show through";
  const QWidget* printer = w->Image4.widget();
  const QPoint picture = printer->mapTo(w->window(), printer->rect().center());
  EXPECT_NE(shot.pixelColor(picture), window) << "the printer's picture";
}

TEST_F(LabelWindowTest, APrintThatFailsIsReportedAndTheDesignStaysOpen) {
  open();
  const QByteArray before = home.readBytes("OffSet.dat");
  w->Text1.setText("7");
  w->makePrinterSurface = [] { return std::make_shared<RefusingPrinter>(); };
  prompts.answerMsg(platform::msg::OK);
  press(w->cmdPrint);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text, "The CD label could not be printed.\n\rThe printer could not be started.");
  EXPECT_EQ(msgs[0].title, "Print CD Label");
  EXPECT_TRUE(w->isLoaded());
  EXPECT_FALSE(w->Frame3.Visible());
  EXPECT_EQ(home.readBytes("OffSet.dat"), before);
}

// Settings that cannot be written are told when a change of the user's is lost by it, not at
// every opening: the next opening shows the same as long as nothing was changed.
TEST_F(LabelWindowTest, SettingsThatCannotBeWrittenAreReportedWhenAChangeIsLost) {
  QDir(home.path()).mkdir("OffSet.dat");  // neither read nor replaced
  open();
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_TRUE(w->isVisible());
  press(w->cmdPrint);
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_FALSE(w->isLoaded());

  open();
  typeInto(w->Text1.widget(), "7");
  prompts.answerMsg(platform::msg::OK);
  press(w->cmdPrint);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_TRUE(msgs[0].text.startsWith("The label settings could not be saved in "));
  EXPECT_EQ(msgs[0].title, "Print CD Label");

  // With settings kept from before, an opening that changes nothing is silent as well.
  ASSERT_TRUE(QDir(home.path()).rmdir("OffSet.dat"));
  open();
  typeInto(w->Text1.widget(), "7");
  press(w->cmdPrint);
  ASSERT_TRUE(QFileInfo(home.path("OffSet.dat")).isFile());
  {
    testsupport::OrdinaryUser user(home.path());
    testsupport::setMode(home.path(), 0555);
    open();
    press(w->cmdPrint);
    testsupport::setMode(home.path(), 0777);
  }
  prompts.expectCalls("msgBox", 1);  // the one above, no other
}

// A picture whose name holds a line break would shift every setting after it: the settings are
// kept as they were, and the user is told.
TEST_F(LabelWindowTest, APicturePathHoldingALineBreakIsNotSaved) {
  open();
  const QByteArray before = home.readBytes("OffSet.dat");
  const QString pic = picture("disc\n.png");
  prompts.answerOpenFile(pic).answerMsg(platform::msg::OK);
  press(w->Command3);
  EXPECT_EQ(w->txtImage_File.Text(), pic);
  press(w->cmdPrint);
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "The label settings could not be saved in " +
                                                          home.path("OffSet.dat") +
                                                          "\n\rThe picture path cannot hold a line break.");
  EXPECT_EQ(home.readBytes("OffSet.dat"), before);
}

TEST_F(LabelWindowTest, WithoutAPrinterTheLabelGoesToAPdfFileTheUserNames) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed: nothing is sent to it";
  w = std::make_unique<frmPrint_Offset>();  // the real printer
  open(tracks(4));
  prompts.answerSaveFile(std::nullopt);
  press(w->cmdPrint);
  EXPECT_TRUE(w->isLoaded()) << "no file named: nothing printed, the design stays";

  prompts.answerSaveFile(home.path("label.pdf"));
  press(w->cmdPrint);
  EXPECT_FALSE(w->isLoaded());
  EXPECT_EQ(prompts.expectCalls("saveFile", 2)[1].title, "Print CD Label");
  EXPECT_EQ(pdfPages(home.readBytes("label.pdf")), 1);
}

TEST_F(LabelWindowTest, EveryButtonReachesItsHandler) {
  open();
  EXPECT_EQ(testsupport::buttonsNotWired(w->window(), {&w->Command1, &w->Command2, &w->Command3, &w->Command4,
                                                       &w->Command5, &w->Command7, &w->cmdPrint}),
            "");
}
