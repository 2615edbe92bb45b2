// The "Print CD Case" window: its lists and presets, Cover.dat, the preview's titles and track
// lists, pictures and colours, and printing.
#include "covers/case_preview.h"
#include "designer_test_support.h"
#include "ordinary_user.h"
#include "platform/ui/prompts.h"
#include "windows/covers/frmPrint_Cover.h"
#include "windows/covers/label_controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <map>

using namespace designer_test;
using covers::caseTrackLines;

namespace {

const QByteArray kFirstRun =
    "-2147483630 \r\nCOURIER NEW\r\n 12 \r\n-2147483640 \r\nCOURIER NEW\r\n 4 \r\n\r\n\r\n 16777215 \r\n";

}  // namespace

class CaseWindowTest : public DesignerWindowTest<frmPrint_Cover> {
 protected:
  void open(const QStringList& items = {item("01", "MOONLIGHT HARBOUR", "THE LANTERNS"),
                                        item("02", "PAPER SKY", "JUNO REED")},
            const QString& title = "0012") {
    openWith(items, title);
  }
  QString picture(const QString& name) { return savePicture(name, QSize(6, 4), Qt::blue); }
};

TEST_F(CaseWindowTest, LoadingFillsTheListsAndPresetsThem) {
  w->Load();
  EXPECT_EQ(w->Combo2.ListCount(), 33);
  QStringList sizes;
  for (int i = 0; i < w->Combo6.ListCount(); ++i) sizes << w->Combo6.List(i);
  EXPECT_EQ(sizes, QStringList({"3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
  EXPECT_EQ(w->Combo6.Text(), "4");
  EXPECT_EQ(w->Label15.font().family(), "COURIER NEW");
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12);
  EXPECT_TRUE(w->Label15.font().bold());
  EXPECT_FALSE(w->Label1.font().bold());
  ASSERT_FALSE(familyFromTwoMakers().isEmpty()) << "no family installed from two makers (fonts-urw-base35)";
  EXPECT_EQ(facesNotListedOnce(w->Combo1), QStringList()) << "every installed family, once";
  EXPECT_EQ(facesNotListedOnce(w->Combo5), QStringList());
}

TEST_F(CaseWindowTest, FirstShowingWritesTheSettingsAndDrawsThePreview) {
  open();
  EXPECT_EQ(home.readBytes("Cover.dat"), kFirstRun);
  EXPECT_EQ(w->Label8.Caption(), "0012");
  EXPECT_EQ(w->Label15.Caption(), "0012");
  EXPECT_NEAR(centreOf(w->Label8), 67.5, 1e-9);
  EXPECT_NEAR(w->Label8.Top(), 8, 1e-9);
  EXPECT_NEAR(centreOf(w->Label15), 71, 1e-9);
  EXPECT_NEAR(w->Label15.Top(), 52, 1e-9);
  const QString lines = "01 MOONLIGHT HARBOUR,THE LANTERNS\r02 PAPER SKY,JUNO REED\r";
  EXPECT_EQ(w->Label10.Caption(), lines);
  EXPECT_EQ(w->Label1.Caption(), lines);
  EXPECT_NEAR(w->Label10.Left(), 50, 1e-9);
  EXPECT_NEAR(w->Label10.Height(), 49 - 16, 1e-9) << "down to the front's bottom edge";
  EXPECT_NEAR(w->Label1.Left(), 53, 1e-9);
  EXPECT_NEAR(w->Label1.Width(), 89 - 53, 1e-9) << "up to the back's right strip";
  EXPECT_DOUBLE_EQ(w->Shape5.Left, 52);
  EXPECT_DOUBLE_EQ(w->Image2.Width, 44);
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Label1.ForeColor(), kWindowText);
  EXPECT_EQ(w->Shape3.BackColor, 0xFFFFFF);
}

TEST_F(CaseWindowTest, SavedValuesAreAppliedWithTheTitlesCentredAtTheirSize) {
  w->Load();
  const QString face = otherFace();
  ASSERT_FALSE(face.isEmpty());
  const QString front = picture("front, one.png"), back = picture("back.png");
  // The title's face saved with a maker's tag, the track list's without.
  home.writeLines("Cover.dat",
                  {" 255 ", face.toLower() + " [URW]", " 16 ", " 65280 ", face, " 6 ", front, back, " 65535 "});
  open();
  for (const platform::Label* title : {&w->Label8, &w->Label15}) {
    EXPECT_EQ(title->font().family(), face);
    EXPECT_EQ(title->ForeColor(), 255);
  }
  EXPECT_EQ(w->Combo2.Text(), "16");
  EXPECT_EQ(w->Text3.font().pointSizeF(), 16);
  EXPECT_NEAR(centreOf(w->Label8), 67.5, 1e-9);
  EXPECT_NEAR(centreOf(w->Label15), 71, 1e-9);
  EXPECT_EQ(w->Command5.BackColor(), 255);
  EXPECT_EQ(w->Combo1.Text(), face);
  EXPECT_EQ(w->Combo5.Text(), face);
  EXPECT_EQ(w->Combo6.Text(), "6");
  for (const platform::Label* list : {&w->Label10, &w->Label1}) {
    EXPECT_EQ(list->font().family(), face);
    EXPECT_EQ(list->ForeColor(), 65280);
  }
  EXPECT_EQ(w->Command7.BackColor(), 65280);
  EXPECT_EQ(w->txtImage_File.Text(), front) << "a path with a comma comes back whole";
  EXPECT_EQ(w->Image1.Picture.size(), QSize(6, 4));
  EXPECT_FALSE(w->Image2.Picture.isNull());
  EXPECT_EQ(w->Command6.BackColor(), 65535);
  EXPECT_EQ(w->Shape3.BackColor, 65535);
  EXPECT_EQ(w->Shape4.BackColor, 65535);
  EXPECT_NEAR(w->Label8.Top(), 8, 1e-9);
}

TEST_F(CaseWindowTest, AShortFileIsRewrittenAndNothingApplied) {
  home.writeLines("Cover.dat", {" 255 ", "COURIER NEW", " 20 ", " 255 ", "COURIER NEW", " 6 ", "", ""});
  open();
  EXPECT_EQ(home.readBytes("Cover.dat"), kFirstRun);
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12);
  EXPECT_EQ(w->Shape4.BackColor, qint32(0x80000005u)) << "the back keeps the window colour until a case colour";
}

TEST_F(CaseWindowTest, AValueThatDoesNotFitIsSkippedAlone) {
  const QByteArray saved = "PINK\r\nNO SUCH FACE\r\n 12.75 \r\n 255 \r\nCOURIER NEW\r\n 3.75 \r\n\r\n\r\n 0 \r\n";
  home.writeBytes("Cover.dat", saved);
  open();
  EXPECT_EQ(w->Label8.ForeColor(), kButtonText);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  EXPECT_EQ(w->Label8.font().family(), "COURIER NEW");
  EXPECT_EQ(w->Combo2.Text(), "12") << "12.75 is no entry of the size list";
  EXPECT_EQ(w->Text3.font().pointSizeF(), 12.75) << "the editor takes the titles' size";
  EXPECT_EQ(w->Combo6.Text(), "4") << "3.75 is no entry of the size list";
  EXPECT_EQ(w->Label10.ForeColor(), 255);
  EXPECT_EQ(w->Shape3.BackColor, 0);
  EXPECT_EQ(home.readBytes("Cover.dat"), saved);

  press(w->cmdPrint);  // printed at twice 3.75; a track size of 3.75 is saved as 3
  ASSERT_TRUE(paper);
  const std::vector<platform::SurfaceCall> calls = paper->sentPages()[0].calls;
  const auto track = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.text.startsWith("01 "); });
  ASSERT_NE(track, calls.end());
  EXPECT_EQ(track->font.size, 7.5);
  EXPECT_EQ(home.readBytes("Cover.dat"),
            "-2147483630 \r\nCOURIER NEW\r\n 12.75 \r\n 255 \r\nCOURIER NEW\r\n 3 \r\n\r\n\r\n 0 \r\n");
}

// The titles show as the paper prints them: without the blanks typed around them, centred over
// their faces at every size and face chosen.
TEST_F(CaseWindowTest, TheTitlesShowWithoutTheirBlanksAndKeepTheirCentres) {
  open();
  QApplication::setActiveWindow(w->window());
  clickOn(w->Label8.widget());  // the editor opens with the whole title selected
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), w->Text3.widget());
  typeInto(w->Text3.widget(), "          MY DISC  ");
  EXPECT_EQ(w->Text3.Text(), "          MY DISC  ") << "the editor keeps what was typed";
  EXPECT_EQ(w->Label8.Caption(), "MY DISC");
  EXPECT_EQ(w->Label15.Caption(), "MY DISC");
  tabOutOfTitleEditor();

  const double width = w->Label8.Width(), size = w->Label8.font().pointSizeF();
  chooseFrom(w->Combo2, "20");
  EXPECT_NEAR(w->Label8.font().pointSizeF(), size * 20 / 12, 0.01 * size);
  EXPECT_GT(w->Label8.Width(), width);
  EXPECT_NEAR(centreOf(w->Label8), 67.5, 1e-9);
  EXPECT_NEAR(centreOf(w->Label15), 71, 1e-9);
  chooseFrom(w->Combo1, otherFace());
  EXPECT_EQ(faceOf(w->Label8.font().family()), otherFace());
  EXPECT_NEAR(centreOf(w->Label8), 67.5, 1e-9);
  EXPECT_NEAR(centreOf(w->Label15), 71, 1e-9);
  // The editor opened over the larger title is high enough for it.
  QTest::mouseClick(w->Label8.widget(), Qt::LeftButton);
  ASSERT_TRUE(w->Text3.widget()->isVisible());
  EXPECT_GE(w->Text3.widget()->height(), w->Text3.widget()->sizeHint().height());
}

// The longest texts the preview can show cover no settings control: each takes a real click at
// its middle, and a click on the title size list opens the list, not the title editor.
TEST_F(CaseWindowTest, TheLongestPreviewTextsLeaveEverySettingsControlItsClicks) {
  open(longTracks(45), QString(50, 'W'));
  windows::presetChoice(w->Combo2, "36");
  windows::presetChoice(w->Combo6, "12");
  w->Draw_Page();  // the whole page drawn again, as choosing a picture draws it
  EXPECT_EQ(controlsNotClickable(w->Frame2.widget()), QStringList());
  auto* sizes = static_cast<QComboBox*>(w->Combo2.widget());
  QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    sizes->mapTo(w->window(), sizes->rect().center()));
  EXPECT_TRUE(sizes->view()->isVisible());
  sizes->hidePopup();
  EXPECT_FALSE(w->Text3.Visible());
}

// A large title and a long track list: the preview shows each title inside its face above its
// track list, and the tracks that the printed PDF holds, whole, inside their panels.
TEST_F(CaseWindowTest, ThePreviewShowsTheTitlesAndTracksAsTheyPrint) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed: nothing is sent to it";
  w = std::make_unique<frmPrint_Cover>();  // the real printer
  open(longTracks(45), QString(50, 'W'));
  windows::presetChoice(w->Combo2, "36");
  windows::presetChoice(w->Combo6, "12");
  w->Draw_Page();  // the whole page drawn again, as choosing a picture draws it
  EXPECT_EQ(w->Text3.font().pointSizeF(), 36) << "the editor keeps the chosen size";
  const auto inside = [](const platform::Label& title, QRectF room) {
    return title.Left() >= room.left() - 1e-9 && title.Left() + title.Width() <= room.right() + 1e-9 &&
           title.Top() + title.Height() <= room.bottom() + 1e-9;
  };
  EXPECT_TRUE(inside(w->Label8, QRectF(49, 6, 36, 16 - 6))) << "front title above the track list";
  EXPECT_TRUE(inside(w->Label15, QRectF(52, 50, 37, 60 - 50))) << "back title above the track list";
  EXPECT_NEAR(centreOf(w->Label8), 67.5, 1e-9);
  const QStringList shown = w->Label10.Caption().split('\r', Qt::SkipEmptyParts);
  EXPECT_EQ(w->Label1.Caption(), w->Label10.Caption());
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_EQ(shown, caseTrackLines(longTracks(45)).mid(0, shown.size())) << "the first tracks, each whole";
  for (platform::Label* list : {&w->Label10, &w->Label1}) {
    auto* text = static_cast<QLabel*>(list->widget());
    const double panelBottom = list == &w->Label10 ? 49 : 93;
    EXPECT_LE(list->Top() + text->sizeHint().height() * list->Height() / text->height(), panelBottom + 1e-9)
        << "every shown line inside its panel";
  }

  // The PDF holds the same tracks on both faces as the preview.
  prompts.answerSaveFile(home.path("case.pdf"));
  if (shown.size() < 45) prompts.answerMsg(platform::msg::Yes);
  press(w->cmdPrint);
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the printed tracks are not checked";
  QProcess run;
  run.start(pdftotext, {home.path("case.pdf"), "-"});
  ASSERT_TRUE(run.waitForFinished(-1));
  const QString printed = QString::fromUtf8(run.readAllStandardOutput()).remove(QRegularExpression("\\s"));
  for (const QString& line : caseTrackLines(longTracks(45)))
    EXPECT_EQ(printed.count(QString(line).remove(' ')), shown.contains(line) ? 2 : 0) << line.toStdString();
}

// An ordinary disc (lines of 31 to 47 characters) and a disc of 15 short names, at track sizes 4
// to 12: each panel shows the lines the paper prints on its face, broken where the paper breaks
// them, at the paper's size scaled to the panel, inside the panel; the titles likewise. Sizes
// the paper prints alike show alike.
TEST_F(CaseWindowTest, ThePreviewShowsThePapersLinesAndSizesScaledToEachPanel) {
  const QStringList ordinary = {item("01", "MOONLIGHT HARBOUR", "THE LANTERNS"),
                                item("02", "PAPER SKY OVER THE RIVER", "JUNO REED"),
                                item("03", "DANCING ON THE CEILING TONIGHT", "MARA VALE"),
                                item("04", "ALL THE RIGHT REASONS TO GO", "NORTHERN LIGHTS"),
                                item("05", "SLOW BOAT HOME", "CARRIE ANNE WHITLOCK"),
                                item("06", "WHEN THE BAND PLAYS ON", "OSCAR AND THE DAWN"),
                                item("07", "GOLDEN HOUR", "THE BRASS MONKEYS BAND"),
                                item("08", "STARLIGHT EXPRESS", "LUCY FERNANDEZ")};
  // Pixels of the preview (548 x 461, 100 units each way) to a millimetre of each face on paper:
  // the front 120 x 120 mm in 36 x 43 units, the back between its strips 138 x 118 mm in 37 x 43.
  const double frontPx = std::min(36 * 5.48 / 120, 43 * 4.61 / 120),
               backPx = std::min(37 * 5.48 / 138, 43 * 4.61 / 118);
  const auto scaled = [](double paperPt, double pxPerMm, const platform::Label& shownOn) {
    return paperPt * 25.4 / 72 * pxPerMm * 72 / shownOn.widget()->logicalDpiY();
  };
  for (const QStringList& disc : {ordinary, designer_test::tracks(15)}) {
    SCOPED_TRACE(disc.size());
    w = std::make_unique<frmPrint_Cover>();
    SetUp();
    w->paperMeasure = std::make_shared<platform::RecordingSurface>();  // measures as the paper below
    open(disc);
    std::map<int, double> shownSize;
    for (int size = 4; size <= 12; ++size) {
      SCOPED_TRACE(size);
      windows::presetChoice(w->Combo6, QString::number(size));
      platform::RecordingSurface printed;
      covers::CaseDesign d;
      d.title = "0012";
      d.titleFace = d.trackFace = "COURIER NEW";
      d.titleSize = 12;
      d.trackSize = size;
      d.tracks = disc;
      covers::drawCasePaper(printed, d);
      QStringList front, back;
      double trackPt = 0, frontTitlePt = 0, backTitlePt = 0;
      for (const platform::SurfaceCall& t : printed.current().calls) {
        if (t.kind != platform::SurfaceCall::Text || t.font.angle != 0) continue;
        if (t.font.bold) (t.y < 138 ? frontTitlePt : backTitlePt) = t.font.size;
        else (t.y < 138 ? front : back) << t.text, trackPt = t.font.size;
      }
      const struct {
        const platform::Label& list;
        QStringList lines;
        double pxPerMm;
        QRectF panel;
      } faces[] = {{w->Label10, front, frontPx, QRectF(49, 6, 36, 43)},
                   {w->Label1, back, backPx, QRectF(52, 50, 37, 43)}};
      for (const auto& face : faces) {
        auto* shown = static_cast<QLabel*>(face.list.widget());
        QTextDocument shownText;
        shownText.setHtml(shown->text());
        EXPECT_EQ(shownText.toPlainText().split('\n'), face.lines);
        EXPECT_NEAR(face.list.font().pointSizeF(), scaled(trackPt, face.pxPerMm, face.list),
                    0.03 * face.list.font().pointSizeF());
        EXPECT_LE(face.list.Left() + shown->sizeHint().width() / 5.48, face.panel.right() + 1e-9);
        EXPECT_LE(face.list.Top() + shown->sizeHint().height() / 4.61, face.panel.bottom() + 1e-9);
      }
      EXPECT_NEAR(w->Label8.font().pointSizeF(), scaled(frontTitlePt, frontPx, w->Label8),
                  0.03 * w->Label8.font().pointSizeF());
      EXPECT_NEAR(w->Label15.font().pointSizeF(), scaled(backTitlePt, backPx, w->Label15),
                  0.03 * w->Label15.font().pointSizeF());
      shownSize[size] = w->Label10.font().pointSizeF();
    }
    if (disc.size() == 15) {
      EXPECT_EQ(shownSize[10], shownSize[8]) << "the paper prints 8, 10 and 12 alike";
      EXPECT_EQ(shownSize[12], shownSize[8]);
    }
  }
}

// Tracks that fit neither face even at the smallest size: the user is told how many before
// anything is printed, and may go back to the design.
TEST_F(CaseWindowTest, TracksThatWillNotFitAreToldBeforePrinting) {
  open(longTracks(45));
  // On the recording paper 35 tracks of one line fit the back at 6 points.
  prompts.answerMsg(platform::msg::No);
  press(w->cmdPrint);
  auto asked = prompts.callsOf("msgBox");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text,
            "10 of the 45 tracks will not fit on the case insert, even in the smallest print.\n\r"
            "Print the insert with the first 35 tracks?");
  EXPECT_EQ(asked[0].title, "Print CD Case");
  EXPECT_TRUE(paper->sentPages().empty());
  EXPECT_TRUE(w->isLoaded()) << "No: back to the design";

  prompts.answerMsg(platform::msg::Yes);
  press(w->cmdPrint);
  ASSERT_EQ(paper->sentPages().size(), 1u);
  EXPECT_FALSE(w->isLoaded());
  const QStringList texts = paper->sentPages()[0].texts();
  EXPECT_EQ(texts.count(caseTrackLines(longTracks(45))[34]), 2);
  EXPECT_EQ(texts.count(caseTrackLines(longTracks(45))[35]), 0);
}

TEST_F(CaseWindowTest, TheEditorOpensOverTheTitleThatWasClicked) {
  open({});
  EXPECT_EQ(w->Label10.Caption(), "");
  clickOn(w->Label15.widget());
  EXPECT_TRUE(w->Text3.Visible());
  EXPECT_NEAR(w->Text3.Top(), 52, 1e-9);
  EXPECT_NEAR(w->Text3.Width(), 7245.0 / 82.2, 1e-9);
  EXPECT_NEAR(centreOf(w->Text3), 71, 1e-9);
  clickOn(w->Label8.widget());
  EXPECT_NEAR(w->Text3.Top(), 8, 1e-9);
  EXPECT_NEAR(centreOf(w->Text3), 67.5, 1e-9);
  // Leaving the editor with Tab closes it.
  tabOutOfTitleEditor();
  EXPECT_FALSE(w->Text3.Visible());
  EXPECT_EQ(w->Text3.MaxLength(), 50);

  // A title deleted whole keeps a line where it stands: a click there opens the editor again.
  w->Text3.setText("");
  ASSERT_FALSE(w->Text3.Visible());
  QWidget* client = w->Label15.widget()->parentWidget();
  const QPoint where = client->mapTo(w->window(), QPoint(int(60 * w->pxPerUnitX()), int(53 * w->pxPerUnitY())));
  QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
  EXPECT_TRUE(w->Text3.Visible());
  EXPECT_NEAR(w->Text3.Top(), 52, 1e-9) << "over the back title";
}

TEST_F(CaseWindowTest, APastedTitleIsOneLineOnBothPanels) {
  open();
  clickOn(w->Label8.widget());
  prompts.answerMsg(platform::msg::OK);
  testsupport::pasteInto(w->Text3.widget(), "GREATEST\r\nHITS");
  EXPECT_EQ(w->Text3.Text(), "0012");
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The disc title cannot hold a line break.\n\rPlease try again without it.");
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Print CD Case");
  w->Text3.setText("");
  testsupport::pasteInto(w->Text3.widget(), "GREATEST HITS \u0141\n");  // printed, never stored: any letter
  EXPECT_EQ(w->Label8.Caption(), "GREATEST HITS \u0141");
  EXPECT_EQ(w->Label15.Caption(), "GREATEST HITS \u0141");
  // A line separator from a text copied out of another program is a line break as well.
  prompts.answerMsg(platform::msg::OK);
  testsupport::pasteInto(w->Text3.widget(), QStringLiteral("GREATEST\u2028HITS"));
  EXPECT_EQ(w->Label8.Caption(), "GREATEST HITS \u0141");
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text,
            "The disc title cannot hold a line break.\n\rPlease try again without it.");
}

TEST_F(CaseWindowTest, PicturesFollowTheirPathBoxesAndClearingTurnsWhiteTextBlack) {
  open();
  const QString front = picture("front.png");
  w->txtImage_File.setText(home.path("fro"));
  EXPECT_TRUE(w->Image1.Picture.isNull());
  w->txtImage_File.setText(front);
  EXPECT_FALSE(w->Image1.Picture.isNull());
  w->txtImage_File.setText(front + "x");
  EXPECT_FALSE(w->Image1.Picture.isNull()) << "a path still being typed keeps the picture";
  w->txtImage_File.setText("");
  EXPECT_TRUE(w->Image1.Picture.isNull());

  // Each "..." fills its own face.
  prompts.answerOpenFile(front);
  press(w->Command3);
  EXPECT_EQ(w->txtImage_File.Text(), front);
  EXPECT_FALSE(w->Image1.Picture.isNull());
  EXPECT_EQ(w->txtImage_File2.Text(), "");
  EXPECT_TRUE(w->Image2.Picture.isNull());
  const QString back = savePicture("back.png", QSize(3, 5), Qt::green);
  prompts.answerOpenFile(std::nullopt).answerOpenFile(back);
  press(w->Command10);
  EXPECT_TRUE(w->Image2.Picture.isNull());
  press(w->Command10);
  EXPECT_EQ(w->txtImage_File2.Text(), back);
  EXPECT_EQ(w->Image2.Picture.size(), QSize(3, 5));
  EXPECT_EQ(w->Image1.Picture.size(), QSize(6, 4));

  // Both titles white: clearing the front turns only the front black.
  prompts.answerColour(0xFFFFFF);
  press(w->Command5);
  press(w->Command4);
  EXPECT_EQ(w->Label8.ForeColor(), 0);
  EXPECT_EQ(w->Command5.BackColor(), 0);
  EXPECT_EQ(w->Label15.ForeColor(), 0xFFFFFF);
  EXPECT_EQ(w->Label10.ForeColor(), kWindowText) << "a system colour is not white";
  w->Label1.setForeColor(0xFFFFFF);
  press(w->Command11);
  EXPECT_TRUE(w->Image2.Picture.isNull());
  EXPECT_EQ(w->txtImage_File2.Text(), "");
  EXPECT_EQ(w->Label15.ForeColor(), 0);
  EXPECT_EQ(w->Label1.ForeColor(), 0);
  EXPECT_EQ(w->Command7.BackColor(), 0);
}

// Each colour button colours its own texts or the case, and Cancel closes with nothing saved.
TEST_F(CaseWindowTest, EachColourButtonColoursItsOwnPartAndCancelSavesNothing) {
  open();
  const QByteArray before = home.readBytes("Cover.dat");
  prompts.answerColour(0x0000FF).answerColour(0x00FF00).answerColour(0xFF0000);
  press(w->Command5);
  EXPECT_EQ(w->Label8.ForeColor(), 0x0000FF);
  EXPECT_EQ(w->Label15.ForeColor(), 0x0000FF);
  EXPECT_EQ(w->Label10.ForeColor(), kWindowText);
  EXPECT_EQ(w->Label1.ForeColor(), kWindowText);
  press(w->Command7);
  EXPECT_EQ(w->Label10.ForeColor(), 0x00FF00);
  EXPECT_EQ(w->Label1.ForeColor(), 0x00FF00);
  EXPECT_EQ(w->Label8.ForeColor(), 0x0000FF);
  press(w->Command6);
  EXPECT_EQ(w->Shape3.BackColor, 0xFF0000);
  EXPECT_EQ(w->Shape4.BackColor, 0xFF0000);
  EXPECT_EQ(w->Label15.ForeColor(), 0x0000FF);
  EXPECT_EQ(w->Label1.ForeColor(), 0x00FF00);

  press(w->Command2);
  EXPECT_FALSE(w->isLoaded());
  EXPECT_FALSE(paper);
  EXPECT_EQ(home.readBytes("Cover.dat"), before);
}

TEST_F(CaseWindowTest, PrintSendsTheInsertSavesTheLookAndCloses) {
  open();
  prompts.answerColour(std::nullopt).answerColour(0x00FF00);
  press(w->Command6);
  EXPECT_EQ(w->Command6.BackColor(), 0xFFFFFF) << "a cancelled colour changes nothing";
  press(w->Command6);
  EXPECT_EQ(w->Shape3.BackColor, 0x00FF00);
  EXPECT_EQ(w->Shape4.BackColor, 0x00FF00);
  const QString front = picture("Фото.png");
  prompts.answerOpenFile(front);
  press(w->Command3);  // the front's picture, saved in its place
  press(w->cmdPrint);
  ASSERT_TRUE(paper);
  ASSERT_EQ(paper->sentPages().size(), 1u);
  EXPECT_TRUE(paper->ended());
  const QStringList texts = paper->sentPages()[0].texts();
  EXPECT_EQ(texts.count("0012"), 4) << "front, back and both sides";
  EXPECT_EQ(texts.count("01 MOONLIGHT HARBOUR,THE LANTERNS"), 2);
  EXPECT_FALSE(w->isLoaded());
  EXPECT_EQ(home.readBytes("Cover.dat"),
            "-2147483630 \r\nCOURIER NEW\r\n 12 \r\n-2147483640 \r\nCOURIER NEW\r\n 4 \r\n" + front.toUtf8() +
                "\r\n\r\n 65280 \r\n")
      << "paths are kept in UTF-8";
}

// Without Cover.dat in a folder that cannot be written, the window opens and prints as it is
// without a word; a change that cannot be kept is told.
TEST_F(CaseWindowTest, AFolderThatCannotHoldTheSettingsIsToldOnlyWhenAChangeIsLost) {
  testsupport::OrdinaryUser user(home.path());
  testsupport::setMode(home.path(), 0555);
  open();
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  press(w->cmdPrint);
  EXPECT_TRUE(prompts.callsOf("msgBox").empty());
  EXPECT_FALSE(w->isLoaded());

  open();
  chooseFrom(w->Combo2, "20");
  prompts.answerMsg(platform::msg::OK);
  press(w->cmdPrint);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_TRUE(msgs[0].text.startsWith("The case settings could not be saved in " + home.path("Cover.dat")));
  EXPECT_EQ(msgs[0].title, "Print CD Case");
  EXPECT_FALSE(QFileInfo::exists(home.path("Cover.dat")));

  // With settings kept from before, an opening that changes nothing is silent as well.
  testsupport::setMode(home.path(), 0777);
  open();
  chooseFrom(w->Combo2, "20");
  press(w->cmdPrint);
  ASSERT_TRUE(QFileInfo::exists(home.path("Cover.dat")));
  testsupport::setMode(home.path(), 0555);
  open();
  press(w->cmdPrint);
  prompts.expectCalls("msgBox", 1);  // the one above, no other
  testsupport::setMode(home.path(), 0755);
}

TEST_F(CaseWindowTest, EveryButtonReachesItsHandler) {
  open();
  EXPECT_EQ(
      testsupport::buttonsNotWired(w->window(), {&w->Command2, &w->Command3, &w->Command4, &w->Command5, &w->Command6,
                                                 &w->Command7, &w->Command10, &w->Command11, &w->cmdPrint}),
      "");
}
