// The Print command's hand-over, the print window and its settings, and printing a range.
#include "main_window_fixture.h"

#include "designer_test_support.h"
#include "platform/core/recording_surface.h"
#include "printing/print_job.h"
#include "windows/print/frmPrint.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <map>

using platform::msg::OK;
using testsupport::clickOn;
using testsupport::Delivery;
using testsupport::linesBytes;

namespace {

// A window whose pages are recorded instead of drawn.
struct RecordedPrint {
  platform::RecordingSurface* preview = nullptr;
  std::shared_ptr<platform::RecordingSurface> paper;
};

void record(frmPrint& w, RecordedPrint& r) {
  auto preview = std::make_unique<platform::RecordingSurface>();
  r.preview = preview.get();
  w.setPreviewSurface(std::move(preview));
  w.makePrinterSurface = [&r](const platform::PrintDialogAnswer&) {
    r.paper = std::make_shared<platform::RecordingSurface>();
    return std::shared_ptr<platform::DrawingSurface>(r.paper);
  };
  w.makeCountingSurface = [](const platform::PrintDialogAnswer&) {
    return std::make_shared<platform::RecordingSurface>();
  };
}

// A print window whose preview and paper are recorded, loaded as the Print command shows it.
struct RecordedWindow {
  frmPrint w;
  RecordedPrint r;
  explicit RecordedWindow(bool load = true) {
    record(w, r);
    if (load) w.Load();
  }
};

// A printer that refuses the job when it is ended.
struct FailingPrinter : platform::RecordingSurface {
  bool endDocument() override {
    platform::RecordingSurface::endDocument();
    return false;
  }
  QString errorString() const override { return QStringLiteral("The printer could not be started."); }
};

}  // namespace

class PrintWindowTest : public MainWindowTest {
 protected:
  // Rows "SONG <n>" (followed by `songTail`), "ARTIST", "SC1", "01".
  void writeJob(int rows, const QByteArray& code = "SAMT", const QByteArray& songTail = "") {
    QList<QByteArray> records{"\"" + code + "\"", "\"SONG\",\"ARTIST\",\"MF CODE\",\"TRACK\""};
    for (int i = 0; i < rows; ++i)
      records << "\"SONG " + QByteArray::number(i) + songTail + "\",\"ARTIST\",\"SC1\",\"01\"";
    home.writeBytes("primp.tmp", linesBytes(records));
  }
  // Print pressed, the dialog answered with the paper and list.pdf.
  void printToPdf(frmPrint& w, const QPageLayout& paper, platform::PrintDialogAnswer answer = {}) {
    answer.outputFile = home.path("list.pdf");
    answer.pageLayout = paper;
    prompts.answerPrint(answer);
    press(w.Command1);
  }
  // What pdftotext reads in a printed file, with its options before the file's name.
  static QString pdfText(const QString& pdftotext, QStringList options, const QString& file) {
    QProcess run;
    run.start(pdftotext, options << file << "-");
    EXPECT_TRUE(run.waitForFinished(-1));
    return QString::fromUtf8(run.readAllStandardOutput());
  }
};

TEST_F(PrintWindowTest, PrintWritesTheJobFileByteForByteThenShowsTheWindow) {
  Form1& f = start();
  f.Check2.setValue(1);
  f.Check1.setValue(1);
  prompts.answerInput("7");
  tick("SC8123");
  f.Option3.setValue(true);
  press(f.cmdGet_Tracks);
  QString title;
  prompts.onModal([&](platform::FormBase& w) { title = w.Caption(); });
  press(f.cmdPrint);
  const QByteArray job = linesBytes({"\"TSAMD\"", "\"TRACK\",\"SONG\",\"ARTIST\",\"MF CODE\",\"DISC\"",
                                     "\"01\",\"MOONLIGHT HARBOUR\",\"THE LANTERNS\",\"SC8123\",\"0007\"",
                                     "\"02\",\"PAPER SKY\",\"JUNO REED\",\"SC8123\",\"0007\""});
  EXPECT_EQ(home.readBytes("primp.tmp"), job);
  EXPECT_EQ(prompts.callsOf("modal").size(), 1u);
  EXPECT_TRUE(title.startsWith("Print Preview ")) << title.toStdString();

  // The File menu's entry does the same.
  QFile::remove(home.path("primp.tmp"));
  title.clear();
  prompts.onModal([&](platform::FormBase& w) { title = w.Caption(); });
  choose(f.mnuPrint);
  EXPECT_EQ(home.readBytes("primp.tmp"), job);
  EXPECT_TRUE(title.startsWith("Print Preview ")) << title.toStdString();
}

TEST_F(PrintWindowTest, EveryLayoutCodeGetsItsOwnJobFile) {
  Form1& f = start();
  struct Case {
    platform::OptionButton* sort;
    int codes, numbers;
    QByteArray code, headings, row;
  };
  const Case cases[] = {
      {&f.Option1, 1, 1, "ASMDT", "ARTIST,SONG,MF CODE,DISC,TRACK", "ODA BELL,RIVER TOWN,MDX1001,0042,01"},
      {&f.Option1, 1, 0, "ASMT", "ARTIST,SONG,MF CODE,TRACK", "ODA BELL,RIVER TOWN,MDX1001,01"},
      {&f.Option1, 0, 1, "ASDT", "ARTIST,SONG,DISC,TRACK", "ODA BELL,RIVER TOWN,0042,01"},
      {&f.Option2, 1, 1, "SAMDT", "SONG,ARTIST,MF CODE,DISC,TRACK", "RIVER TOWN,ODA BELL,MDX1001,0042,01"},
      {&f.Option2, 1, 0, "SAMT", "SONG,ARTIST,MF CODE,TRACK", "RIVER TOWN,ODA BELL,MDX1001,01"},
      {&f.Option2, 0, 1, "SADT", "SONG,ARTIST,DISC,TRACK", "RIVER TOWN,ODA BELL,0042,01"},
      {&f.Option3, 1, 1, "TSAMD", "TRACK,SONG,ARTIST,MF CODE,DISC", "01,RIVER TOWN,ODA BELL,MDX1001,0042"},
      {&f.Option3, 1, 0, "TSAM", "TRACK,SONG,ARTIST,MF CODE", "01,RIVER TOWN,ODA BELL,MDX1001"},
      {&f.Option3, 0, 1, "TSAD", "TRACK,SONG,ARTIST,DISC", "01,RIVER TOWN,ODA BELL,0042"},
      {&f.Option5, 1, 1, "MTSAD", "MF CODE,TRACK,SONG,ARTIST,DISC", "MDX1001,01,RIVER TOWN,ODA BELL,0042"},
      {&f.Option5, 1, 0, "MTSA", "MF CODE,TRACK,SONG,ARTIST", "MDX1001,01,RIVER TOWN,ODA BELL"},
  };
  const auto quoted = [](const QByteArray& fields) { return "\"" + fields.split(',').join("\",\"") + "\""; };
  for (const Case& c : cases) {
    c.sort->setValue(true);
    f.Check2.setValue(c.numbers);  // turning own numbers on turns the codes off: set them after
    f.Check1.setValue(c.codes);
    press(f.cmdUntag);
    if (c.numbers) prompts.answerInput("42");
    tick("MDX1001");
    press(f.cmdGet_Tracks);
    prompts.onModal({});
    if (c.sort == &f.Option3) choose(f.mnuPrint);  // the File menu's entry prints alike
    else press(f.cmdPrint);
    EXPECT_EQ(home.readBytes("primp.tmp"), linesBytes({"\"" + c.code + "\"", quoted(c.headings), quoted(c.row)}))
        << c.code.constData();
  }
}

TEST_F(PrintWindowTest, AListWithoutCodesOrNumbersOrAnEmptyListIsRefused) {
  Form1& f = start();
  prompts.answerMsg(OK);
  press(f.cmdPrint);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "Please create a list first");
  tick("SC8123");
  f.Check1.setValue(0);
  press(f.cmdGet_Tracks);
  prompts.answerMsg(OK);
  press(f.cmdPrint);
  const auto refused = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(refused[1].text, "Show MF Code or Use my Disc Codes must be selected to Print");
  EXPECT_EQ(refused[1].title, "Print");
  EXPECT_TRUE(prompts.callsOf("modal").empty());
  EXPECT_FALSE(QFile::exists(home.path("primp.tmp")));
}

TEST_F(PrintWindowTest, SettingsFileIsWrittenWhenMissingAndReadWhenValid) {
  start();
  writeJob(3);
  {
    RecordedWindow window_w;
    auto& [w, r] = window_w;
    w.Show();
    EXPECT_EQ(w.Combo2.Text(), "8");
    press(w.Command4);
  }
  const QByteArray written = home.readBytes("print.ini");
  EXPECT_TRUE(written.endsWith("\r\n8\r\n")) << written.constData();
  home.writeLines("print.ini", {"NO SUCH FONT", "12"});
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  EXPECT_EQ(w.Combo2.Text(), "12");
  home.writeLines("print.ini", {"X", "20"});
  RecordedWindow window_w2;
  auto& [w2, r2] = window_w2;
  w2.Show();
  EXPECT_EQ(w2.Combo2.Text(), "8");  // a size the list does not hold is passed over
  press(w2.Command4);
  EXPECT_TRUE(home.readBytes("print.ini").endsWith("\r\n8\r\n"));

  // A file of one line gives its font, found also under its maker's tag; the size it lacks stays
  // "8", and the file is made whole.
  const QString tagged = designer_test::familyFromTwoMakers();
  const QString font = designer_test::faceOf(tagged);
  ASSERT_FALSE(font.isEmpty());
  home.writeLines("print.ini", {tagged});
  RecordedWindow window_w3;
  auto& [w3, r3] = window_w3;
  w3.Show();
  EXPECT_EQ(w3.Combo1.Text(), font);
  EXPECT_EQ(w3.Combo2.Text(), "8");
  EXPECT_EQ(home.readBytes("print.ini"), linesBytes({font.toLatin1(), "8"}));
}

TEST_F(PrintWindowTest, TheHeaderBoxIsMirroredIntoTheMainWindowAtEveryChange) {
  Form1& f = start();
  f.Text1.setText("From main");
  writeJob(1);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  EXPECT_EQ(w.Text1.Text(), "From main");
  w.Text1.setText("Typed here");
  EXPECT_EQ(f.Text1.Text(), "Typed here");
  EXPECT_EQ(r.preview->current().texts().value(0), "From main");  // redrawn only by Apply Header

  f.Text1.setText("");
  const int clears = r.preview->clears();
  press(w.Command2);
  EXPECT_EQ(f.Text1.Text(), "Typed here");
  EXPECT_EQ(r.preview->clears(), clears + 1);
  EXPECT_EQ(r.preview->current().texts().value(0), "Typed here");

  // A pasted header is one line there too.
  prompts.answerMsg(platform::msg::OK);
  testsupport::pasteInto(w.Text1.widget(), "\nFRIDAY");
  EXPECT_EQ(f.Text1.Text(), "Typed here");
  ASSERT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1).back().text,
            "The song list header cannot hold a line break.\n\rPlease try again without it.");
  w.Text1.setText("");
  testsupport::pasteInto(w.Text1.widget(), "FRIDAY\n");
  EXPECT_EQ(f.Text1.Text(), "FRIDAY");
}

TEST_F(PrintWindowTest, ClickingIntoTheHeaderBoxSelectsItsWholeText) {
  start();
  writeJob(1);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  w.Text1.setText("Friday at the Anchor");
  w.Text1.setSelection(3, 0);
  clickOn(w.Text1.widget());
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Text1.SelStart(), 0);
  EXPECT_EQ(w.Text1.SelLength(), 20);
}

TEST_F(PrintWindowTest, ThePreviewStartsBlackOnAShadowedPageWhiteIsRefusedOtherColoursReachTheLabel) {
  start();
  writeJob(1);
  {
    frmPrint shown;
    shown.Load();
    shown.Show();
    QCoreApplication::processEvents();
    const QRectF page = shown.Picture1.geometryPx();
    const QImage client = shown.Picture1.widget()->parentWidget()->grab().toImage();
    EXPECT_EQ(client.pixelColor(int(page.right()) + 4, int(page.top()) + 100), QColor(0x40, 0x40, 0x40));
    EXPECT_NE(client.pixelColor(int(page.right()) + 4, int(page.top()) + 2), QColor(0x40, 0x40, 0x40));
    int darkest = 255 * 3;
    const QImage preview = shown.Picture1.widget()->grab().toImage();
    for (int y = 0; y < preview.height(); ++y)
      for (int x = 0; x < preview.width(); ++x) {
        const QColor c = preview.pixelColor(x, y);
        darkest = std::min(darkest, c.red() + c.green() + c.blue());
        ASSERT_LE(std::abs(c.red() - c.blue()) + std::abs(c.green() - c.blue()), 6) << x << "," << y;
      }
    EXPECT_LT(darkest, 3 * 40);
  }
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  prompts.answerColour(0xFFFFFF).answerMsg(OK);
  press(w.Command3);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text, "White is not a valid color");
  EXPECT_EQ(w.Label1.Caption(), "0");
  const int clears = r.preview->clears();
  const size_t drawn = r.preview->current().calls.size();
  prompts.answerColour(255);
  press(w.Command3);
  EXPECT_EQ(w.Label1.Caption(), "255");
  EXPECT_EQ(w.previewSurface().ForeColor, 255);
  EXPECT_EQ(r.preview->clears(), clears);  // drawn again over the page, not cleared
  EXPECT_EQ(r.preview->current().calls.size(), 2 * drawn);
  EXPECT_EQ(r.preview->current().calls.back().colour, 255);
  prompts.answerColour(std::nullopt);
  press(w.Command3);
  EXPECT_EQ(w.Label1.Caption(), "255");
}

// The estimate is the pages the list takes on the paper (here A4 on the recording surface, 62
// rows a page at size 8), shown once the list runs past page 1.
TEST_F(PrintWindowTest, TitleShowsTracksTracksPerPageAndThePagesOfThePaper) {
  start();
  RecordedWindow window_w(false);
  auto& w = window_w.w;
  const auto title = [&](int rows, int counted) {
    writeJob(rows);
    w.Preview_Row_Count = counted;
    w.Count_Pages();  // over the rows a page holds as set here, which no control sets
    return w.Caption();
  };
  EXPECT_EQ(title(150, 62), "Print Preview    Total tracks = 150     Approx tracks per page = 61     Approx Pages = 3");
  EXPECT_EQ(w.Page_Estimate, 3);
  EXPECT_EQ(title(124, 62), "Print Preview    Total tracks = 124     Approx tracks per page = 61     Approx Pages = 2");
  EXPECT_EQ(w.Page_Estimate, 2);
  EXPECT_EQ(title(40, 40), "Print Preview    Total tracks = 40     Approx tracks per page = 40");
  EXPECT_EQ(w.Page_Estimate, 1);
  EXPECT_EQ(title(0, 0), "Print Preview    Total tracks = 0     Approx tracks per page = 0");
  EXPECT_EQ(w.Page_Estimate, 1);
  home.writeBytes("primp.tmp", "\"SAMT\"\r\n");  // cut short before its headings
  w.Count_Pages();                               // as above
  EXPECT_EQ(w.Caption(), "Print Preview    Total tracks = 0     Approx tracks per page = 0");
}

TEST_F(PrintWindowTest, AMissingJobShowsOneMessageAndABlankPreview) {
  start();
  RecordedWindow window_w(false);
  auto& [w, r] = window_w;
  prompts.answerMsg(OK);
  w.Load();
  w.Show();
  EXPECT_EQ(prompts.callsOf("msgBox").size(), 1u);
  EXPECT_TRUE(r.preview->current().calls.empty());
}

TEST_F(PrintWindowTest, PrintRefusesTheUnchangedHeader) {
  start();
  writeJob(2);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  w.Text1.setText("SONG LIST HEADER HERE");
  prompts.answerMsg(OK);
  press(w.Command1);
  const auto msgs = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(msgs[0].text,
            "The song list header text field is empty.\n\rPlease enter a name/telephone number etc.\n\r"
            "This name will be printed on all lists.\n\r\n\rIf you do not wish to use a name just enter a space.");
  EXPECT_EQ(msgs[0].title, "Song List Header");
  EXPECT_TRUE(prompts.callsOf("printDialog").empty());
  EXPECT_EQ(w.Text1.SelLength(), 21);
}

TEST_F(PrintWindowTest, ThePrintDialogOffersThePagesOfTheListAndCancelKeepsTheWindow) {
  start();
  writeJob(2);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Text1.setText(" ");
  prompts.answerPrint(std::nullopt);
  // Print has the focus when the window opens: the space bar prints.
  w.Show();
  QApplication::setActiveWindow(w.window());
  ASSERT_EQ(QApplication::focusWidget(), w.Command1.widget());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(prompts.expectCalls("printDialog", 1)[0].text, "1");
  EXPECT_EQ(r.paper, nullptr);
  writeJob(130);  // three pages of A4 on the recording surface
  prompts.answerPrint(std::nullopt);
  press(w.Command1);
  EXPECT_EQ(prompts.expectCalls("printDialog", 2)[1].text, "3");
  EXPECT_EQ(w.mousePointer(), platform::MousePointer::Default);
}

TEST_F(PrintWindowTest, APageRangeSendsOnlyItsPagesAndAllSendsEveryPage) {
  start();
  writeJob(400);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Text1.setText("Friday");
  platform::PrintDialogAnswer range;
  range.allPages = false;
  range.fromPage = 2;
  range.toPage = 3;
  prompts.answerPrint(range);
  w.Show();
  press(w.Command1);
  ASSERT_NE(r.paper, nullptr);
  EXPECT_EQ(w.First_Page, 2);
  EXPECT_EQ(w.Last_Page, 3);
  EXPECT_EQ(r.paper->sentPages().size(), 2u);
  EXPECT_TRUE(r.paper->ended());
  EXPECT_FALSE(w.isVisible());  // success closes the window

  RecordedWindow window_all;
  auto& [all, r2] = window_all;
  all.Text1.setText("Friday");
  all.Show();
  prompts.answerPrint(platform::PrintDialogAnswer{});
  press(all.Command1);
  ASSERT_NE(r2.paper, nullptr);
  EXPECT_EQ(r2.paper->sentPages().size(), r2.paper->pages().size());
  EXPECT_GT(r2.paper->pages().size(), 3u);

  // A range wholly past the end prints nothing, says how long the list is and stays open.
  RecordedWindow window_past;
  auto& [past, r3] = window_past;
  past.Text1.setText("Friday");
  past.Show();
  range.fromPage = 40;
  range.toPage = 45;
  prompts.answerPrint(range).answerMsg(OK);
  press(past.Command1);
  ASSERT_NE(r3.paper, nullptr);
  EXPECT_TRUE(r3.paper->sentPages().empty());
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].text,
            "The list has " + QString::number(r2.paper->pages().size()) + " pages.");
  EXPECT_TRUE(past.isVisible());
}

TEST_F(PrintWindowTest, AnUnknownLayoutIsRefusedAndTheWindowStaysOpen) {
  start();
  writeJob(5, "samt");
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  w.Text1.setText("Friday");
  prompts.answerPrint(platform::PrintDialogAnswer{}).answerMsg(OK);
  press(w.Command1);
  EXPECT_EQ(prompts.expectCalls("msgBox", 1)[0].title, "Print");
  EXPECT_EQ(r.paper, nullptr);
  EXPECT_TRUE(w.isVisible());
}

TEST_F(PrintWindowTest, AJobGoneOrAPrinterFailureIsReportedAndTheWindowStaysOpen) {
  start();
  writeJob(5);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  w.Text1.setText("Friday");
  QFile::remove(home.path("primp.tmp"));
  prompts.answerPrint(platform::PrintDialogAnswer{}).answerMsg(OK);
  press(w.Command1);
  const auto unread = prompts.expectCalls("msgBox", 1);
  EXPECT_EQ(unread[0].text, "The print job " + home.path("primp.tmp") + " cannot be read.");
  EXPECT_EQ(unread[0].title, "Print");
  EXPECT_EQ(r.paper, nullptr);
  EXPECT_TRUE(w.isVisible());

  writeJob(5);
  w.makePrinterSurface = [](const platform::PrintDialogAnswer&) { return std::make_shared<FailingPrinter>(); };
  prompts.answerPrint(platform::PrintDialogAnswer{}).answerMsg(OK);
  press(w.Command1);
  const auto failed = prompts.expectCalls("msgBox", 2);
  EXPECT_EQ(failed[1].text, "The song list could not be printed.\n\rThe printer could not be started.");
  EXPECT_EQ(failed[1].title, "Print");
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.Frame3.Visible());
  EXPECT_EQ(w.mousePointer(), platform::MousePointer::Default);
}

TEST_F(PrintWindowTest, ClicksWaitingWhenRedrawingOrPrintingStartsNeverReachTheWindow) {
  start();
  writeJob(3);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  w.Text1.setText("Friday");
  QCoreApplication::processEvents();

  // A redraw of the preview that lets the window repaint as it goes.
  struct RepaintingPreview : platform::RecordingSurface {
    void drawText(double x, double y, const platform::SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                  const QString& text) override {
      QCoreApplication::processEvents();
      platform::RecordingSurface::drawText(x, y, f, colour, opaque, back, text);
    }
  };
  w.setPreviewSurface(std::make_unique<RepaintingPreview>());
  clickOn(w.Command3.widget(), {-1, -1}, Delivery::Posted);  // the colour button, clicked as the size is chosen
  w.Combo2.widget()->setFocus();
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(w.Combo2.widget(), &down);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Combo2.Text(), "9");
  EXPECT_TRUE(prompts.callsOf("chooseColour").empty());

  clickOn(w.Command3.widget(), {-1, -1}, Delivery::Posted);  // the colour button, clicked as the print dialog closes
  prompts.answerPrint(platform::PrintDialogAnswer{});
  press(w.Command1);
  QCoreApplication::processEvents();
  EXPECT_TRUE(prompts.callsOf("chooseColour").empty());
  ASSERT_NE(r.paper, nullptr);
  EXPECT_EQ(r.paper->sentPages().size(), 1u);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(PrintWindowTest, TheFontListIsFilledOnceInUpperCase) {
  start();
  writeJob(1);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  const int fonts = w.Combo1.ListCount();
  ASSERT_GT(fonts, 0);
  // The preset face is chosen even where only its metric twin is installed: the box is not blank.
  EXPECT_EQ(static_cast<QComboBox*>(w.Combo1.widget())->currentText(), QStringLiteral("COURIER NEW"));
  w.Form_Activate();  // again, as only a window of its own could activate it here
  EXPECT_EQ(w.Combo1.ListCount(), fonts);
  for (int i = 0; i < fonts; ++i) EXPECT_EQ(w.Combo1.List(i), w.Combo1.List(i).toUpper());
  // One entry per family as the user knows it: no maker's tags, no aliases, none twice; the
  // drop-down is wide enough for the longest.
  auto* combo = static_cast<QComboBox*>(w.Combo1.widget());
  const QFontMetrics metrics(combo->view()->font());
  QStringList seen;
  for (int i = 0; i < fonts; ++i) {
    const QString name = w.Combo1.List(i);
    EXPECT_FALSE(name.contains('[') || seen.contains(name)) << name.toStdString();
    for (const char* alias : {"MONOSPACE", "SANS SERIF", "SERIF"}) EXPECT_NE(name, alias);
    EXPECT_GE(combo->view()->minimumWidth(), metrics.horizontalAdvance(name)) << name.toStdString();
    seen << name;
  }
  ASSERT_FALSE(designer_test::familyFromTwoMakers().isEmpty())
      << "no family installed from two makers (fonts-urw-base35)";
  EXPECT_EQ(designer_test::facesNotListedOnce(w.Combo1), QStringList()) << "every installed family, once";
}

// The PDF's text is what the paper shows: a song too long for its column is cut where the
// column ends, and the next columns stand apart from it, as a singer searching the file sees them.
// The paper chosen in the dialog is the PDF's, and the preview shows its printable area.
TEST_F(PrintWindowTest, PrintsARealPdfHoldingTheChosenPagesOnTheChosenPaper) {
  start();
  writeJob(400, "SAMT", " LA LA LA LA LA LA LA LA LA LA LA LA LA LA LA LA LA LA LA HIDDEN TAIL");
  frmPrint w;
  w.Show();
  w.Text1.setText("Friday");
  EXPECT_LT(w.previewSurface().pageWidthPt(), w.previewSurface().pageHeightPt());
  platform::PrintDialogAnswer answer;
  answer.allPages = false;
  answer.fromPage = 2;
  answer.toPage = 3;
  printToPdf(w, QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(20, 20, 20, 20)), answer);
  const QByteArray pdf = home.readBytes("list.pdf");
  ASSERT_FALSE(pdf.isEmpty());
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 2);
  EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/MediaBox \\[0 0 595(\\.0+)? 420(\\.0+)?\\]")), 2)
      << "A5 across";
  EXPECT_NEAR(w.previewSurface().pageWidthPt(), 595.3 - 40, 1);
  EXPECT_NEAR(w.previewSurface().pageHeightPt(), 419.5 - 40, 1);
  EXPECT_NEAR(w.Picture1.geometryPx().height() / w.Picture1.geometryPx().width(), (419.5 - 40) / (595.3 - 40), 0.01);

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the pages' text is not checked";
  const QStringList pages = pdfText(pdftotext, {"-layout"}, home.path("list.pdf")).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  const QRegularExpression footer("Page\\.{5} (\\d+)"), row("^SONG \\d");
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const QRegularExpressionMatch number = footer.match(pages[i]);
    ASSERT_TRUE(number.hasMatch());
    EXPECT_EQ(number.captured(1).toInt(), i + 2);
    EXPECT_FALSE(footer.match(pages[i], number.capturedEnd()).hasMatch());
    EXPECT_FALSE(pages[i].contains("HIDDEN"));
    int rows = 0;
    for (const QString& line : pages[i].split('\n')) {
      if (!row.match(line.trimmed()).hasMatch()) continue;
      ++rows;
      const QStringList fields = line.trimmed().split(QRegularExpression("\\s{2,}"));
      ASSERT_EQ(fields.size(), 4) << line.toStdString();
      EXPECT_TRUE(fields[0].contains(" LA LA LA"));
      EXPECT_EQ(fields.mid(1), (QStringList{"ARTIST", "SC1", "01"}));
    }
    EXPECT_GT(rows, 20);
  }
}

// A cut field ends in a letter of any width, which may stand across the column's edge: in the
// fixed-pitch face and in proportional ones the document's text still holds every field as its
// own word, its last letter has ink on the paper and the letter after it has none.
TEST_F(PrintWindowTest, ThePdfTextHoldsEachCutFieldApartAndOnlyItsInkedLettersInEveryFace) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the pages' text is not checked";
  start();
  // Songs and artists as long as the track file holds them (36 and 30 characters), too long for
  // their columns, each row cut at another letter.
  const QString songs = "CRAZY MIRROR HONEY BALLROOM WALTZ OF THE JIVING LANTERNS QUIET FOX ",
                artists = "THE MIDNIGHT WAYFARERS AND VERY LONG BAND NAMES OF JAZZ ";
  QList<QStringList> rows;
  QList<QByteArray> records{"\"SAMT\"", "\"SONG\",\"ARTIST\",\"MF CODE\",\"TRACK\""};
  for (int i = 0; i < 2 * songs.size(); ++i) {
    rows << QStringList{(songs.mid(i % songs.size()) + songs).left(36).trimmed(),
                        (artists.mid(i % artists.size()) + artists).left(30).trimmed(), "SC1", "01"};
    records << "\"" + rows.back().join("\",\"").toLatin1() + "\"";
  }
  home.writeBytes("primp.tmp", linesBytes(records));
  const struct { double textX, clipX; } columns[] = {{0.04, 0.43}, {0.45, 0.73}, {0.75, 0.86}, {0.88, 0.96}};

  for (const QString face : {"COURIER NEW", "LIBERATION SANS", "LIBERATION SERIF", "DEJAVU SERIF"}) {
    SCOPED_TRACE(face.toStdString());
    if (face != "COURIER NEW" && !QFontDatabase::families().contains(face, Qt::CaseInsensitive)) continue;
    home.writeLines("print.ini", {face, "14"});
    frmPrint w;
    w.Load();
    w.Show();
    ASSERT_EQ(w.Combo1.Text(), face);
    w.Text1.setText("Friday");
    printToPdf(w, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20)));
    ASSERT_TRUE(QFile::exists(home.path("list.pdf")));

    // The words of each line of the pages, left to right.
    struct Word {
      double x0, x1;
      QString text;
    };
    std::map<std::pair<int, long>, std::vector<Word>> lines;
    const QRegularExpression word(
        R"re(<page|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    int page = 0;
    for (auto it = word.globalMatch(pdfText(pdftotext, {"-bbox"}, home.path("list.pdf"))); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      if (m.captured(0) == "<page") {
        ++page;
        continue;
      }
      lines[{page, std::lround(m.captured(2).toDouble() * 10)}].push_back(
          {m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(4)});
    }
    QFont unhinted(face == "COURIER NEW" ? "Liberation Mono" : face);
    unhinted.setPixelSize(1300);
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    const QRawFont font = QRawFont::fromFont(unhinted);
    // Where the ink of text[i] begins, for a text whose first letter stands at x (points).
    const auto inkStart = [&](double x, const QString& text, qsizetype i) {
      const QList<quint32> glyphs = font.glyphIndexesForString(text.left(i + 1));
      const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
      for (qsizetype k = 0; k < i; ++k) x += advances[k].x() / 100;
      return x + font.boundingRect(glyphs[i]).left() / 100;
    };
    // The page's width W and the left edge x0 of the list, from the headings (points).
    double W = 0, x0 = 0;
    for (const auto& [at, words] : lines)
      if (!words.empty() && words.front().text == "SONG" && words.back().text == "TRACK") {
        x0 = words.front().x0;
        W = (words.back().x0 - x0) / (columns[3].textX - 0.04);
      }
    ASSERT_GT(W, 500);
    int checked = 0, cut = 0;
    for (const auto& [at, words] : lines) {
      // What each column of the line holds, its words joined by one blank, and where it ends.
      QStringList got(4);
      double ends[4] = {}, lastWordAt[4] = {};
      for (int c = 0; c < 4; ++c) {
        const double from = x0 + (columns[c].textX - 0.04) * W;
        const double next = c < 3 ? x0 + (columns[c + 1].textX - 0.04) * W : 1e9;
        for (const Word& piece : words)
          if (piece.x0 >= from - 0.5 && piece.x0 < next - 0.5) {
            got[c] += (got[c].isEmpty() ? "" : " ") + piece.text;
            ends[c] = piece.x1;
            lastWordAt[c] = piece.x0;
          }
      }
      if (got[2] != "SC1" || got[3] != "01") continue;  // not a row
      ++checked;
      for (int c = 0; c < 3; ++c)  // a word apart from the next column's, by more than a tenth of the size
        EXPECT_LT(ends[c], x0 + (columns[c + 1].textX - 0.04) * W - 1.3) << got[c].toStdString() << " runs on";
      const auto row = std::find_if(rows.begin(), rows.end(), [&](const QStringList& r) {
        return r[0].startsWith(got[0]) && r[1].startsWith(got[1]);
      });
      ASSERT_NE(row, rows.end()) << got.join(" | ").toStdString();
      for (int c = 0; c < 2; ++c) {
        const QString& text = got[c];
        const QString& field = (*row)[c];
        ASSERT_FALSE(text.isEmpty());
        if (text.size() == field.size()) continue;
        ++cut;
        const double edge = x0 + (columns[c].clipX - 0.04) * W;
        // The last letter kept reaches with visible ink (0.3 pt at least) into the column; the
        // next letter with ink does not. Both are measured from where the PDF puts the last word.
        const qsizetype last = text.lastIndexOf(' ') + 1;
        const QString tail = field.mid(last);
        qsizetype next = text.size() - last;
        while (next < tail.size() && tail[next] == ' ') ++next;
        EXPECT_LT(inkStart(lastWordAt[c], tail, text.size() - last - 1), edge - 0.3 + 0.1) << text.toStdString();
        EXPECT_GT(inkStart(lastWordAt[c], tail, next), edge - 0.3 - 0.1)
            << text.toStdString() << " | " << field.toStdString();
      }
    }
    EXPECT_GT(checked, rows.size() - 5);
    EXPECT_GT(cut, rows.size());
  }
}

// On A5 upright at the largest size the PDF's text holds every code, own number and track whole.
TEST_F(PrintWindowTest, OnANarrowPageAtTheLargestSizeEveryCodeNumberAndTrackPrintsWhole) {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the pages' text is not checked";
  start();
  const QByteArray codes[] = {"MDX1001", "MDX1007", "XMASPARTY07"};
  QList<QByteArray> records{"\"SAMDT\"", "\"SONG\",\"ARTIST\",\"MF CODE\",\"DISC\",\"TRACK\""};
  for (const QByteArray& code : codes)
    records << "\"WALTZ OF THE JIVING\",\"THE WAYFARERS\",\"" + code + "\",\"12\",\"11\"";
  home.writeBytes("primp.tmp", linesBytes(records));
  home.writeLines("print.ini", {"COURIER NEW", "14"});
  frmPrint w;
  w.Show();
  w.Text1.setText("Friday");
  printToPdf(w, QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20)));
  const QString text = pdfText(pdftotext, {"-layout"}, home.path("list.pdf"));
  for (const QByteArray& code : codes)
    EXPECT_TRUE(text.contains(QRegularExpression(" " + code + "\\s+0012\\s+11\\n"))) << text.toStdString();
}

// Where the codes leave the song and artist less than half their width, the page prints smaller:
// the title says the size that prints, and the preview draws the rows at it.
TEST_F(PrintWindowTest, OnPaperTooNarrowForTheCodesTheTitleAndPreviewShowTheSizeThatPrints) {
  start();
  home.writeBytes("primp.tmp", linesBytes({"\"SAMDT\"", "\"S\",\"A\",\"M\",\"D\",\"T\"",
                                           "\"S\",\"A\",\"XMASPARTY07\",\"12\",\"11\""}));
  home.writeLines("print.ini", {"COURIER NEW", "14"});
  frmPrint w;
  auto narrow = std::make_unique<platform::RecordingSurface>(200, 842);  // 7 cm across
  const platform::RecordingSurface& preview = *narrow;
  w.setPreviewSurface(std::move(narrow));
  w.makeCountingSurface = [](const auto&) { return std::make_shared<platform::RecordingSurface>(200, 842); };
  w.Show();
  EXPECT_EQ(w.Caption(), "Print Preview    Total tracks = 1     Approx tracks per page = 1     Printed size = 11.5");
  const auto& calls = preview.current().calls;
  const auto code = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.text == "XMASPARTY07"; });
  ASSERT_NE(code, calls.end());
  EXPECT_EQ(code->font.size, 10.5);
}

// A range past the end keeps the window open on the paper chosen: the next Print opens the dialog
// on that paper and file, and the PDF it prints holds the header whole above the headings, which
// on A5 across stand under a large header rather than over it.
TEST_F(PrintWindowTest, AfterARefusalTheDialogOpensOnThePaperAndFileChosenAndTheHeaderStaysWhole) {
  start();
  writeJob(100);
  home.writeLines("print.ini", {"COURIER NEW", "14"});
  frmPrint w;
  w.Load();
  w.Show();
  w.Text1.setText("Friday");
  const QPageLayout a5Across(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(20, 20, 20, 20));
  platform::PrintDialogAnswer past;
  past.allPages = false;
  past.fromPage = past.toPage = 500;
  past.outputFile = home.path("friday.pdf");
  past.pageLayout = a5Across;
  prompts.answerPrint(past).answerMsg(OK);
  QTest::mouseClick(w.Command1.widget(), Qt::LeftButton);
  EXPECT_TRUE(prompts.expectCalls("msgBox", 1)[0].text.startsWith("The list has "));
  EXPECT_FALSE(QFile::exists(home.path("friday.pdf")));
  ASSERT_TRUE(w.isVisible());
  ASSERT_EQ(prompts.printRequests.size(), 1u);
  EXPECT_FALSE(prompts.printRequests[0].previous.pageLayout.isValid());  // the printer's own the first time

  prompts.answerPrintAsOpened();
  QTest::mouseClick(w.Command1.widget(), Qt::LeftButton);
  ASSERT_EQ(prompts.printRequests.size(), 2u);
  const platform::PrintDialogAnswer& opened = prompts.printRequests[1].previous;
  EXPECT_TRUE(opened.pageLayout.isEquivalentTo(a5Across));
  EXPECT_EQ(opened.pageLayout.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(opened.outputFile, home.path("friday.pdf"));
  const QByteArray pdf = home.readBytes("friday.pdf");
  ASSERT_FALSE(pdf.isEmpty());
  EXPECT_TRUE(QString::fromLatin1(pdf).contains(QRegularExpression("/MediaBox \\[0 0 595(\\.0+)? 420(\\.0+)?\\]")));

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the header's place is not checked";
  const QString boxes = pdfText(pdftotext, {"-bbox", "-f", "1", "-l", "2"}, home.path("friday.pdf"));
  const QRegularExpression word(
      R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">(Friday|SONG)</word>)re");
  int pages = 0;
  double headerBottom = -1;
  for (auto it = word.globalMatch(boxes); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(3) == "Friday") {
      headerBottom = m.captured(2).toDouble();
      continue;
    }
    if (headerBottom < 0) continue;  // a row's song
    EXPECT_LE(headerBottom, m.captured(1).toDouble() + 0.1) << "the headings reach over the header";
    headerBottom = -1;
    ++pages;
  }
  EXPECT_EQ(pages, 2);
}

// On A5 across at size 14 the title's page count, the pages the dialog offers and the count of
// a refusal are the printed pages, also for a list that fills its last page exactly.
TEST_F(PrintWindowTest, OnSmallPaperTheTitleAndTheDialogCountThePagesAsPrinted) {
  start();
  writeJob(100);
  home.writeLines("print.ini", {"COURIER NEW", "14"});
  frmPrint w;
  w.Load();
  w.Show();
  w.Text1.setText("Friday");
  platform::PrintDialogAnswer past;
  past.allPages = false;
  past.fromPage = past.toPage = 500;
  past.outputFile = home.path("friday.pdf");
  past.pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(20, 20, 20, 20));
  prompts.answerPrint(past).answerMsg(OK);
  clickOn(w.Command1.widget());  // the window now holds A5 across
  writeJob(3 * w.Preview_Row_Count);
  clickOn(w.Command2.widget());  // drawn and counted again
  const QRegularExpressionMatch estimate = QRegularExpression("Approx Pages = (\\d+)$").match(w.Caption());
  ASSERT_TRUE(estimate.hasMatch()) << w.Caption().toStdString();
  prompts.answerPrint(past).answerMsg(OK);
  clickOn(w.Command1.widget());
  EXPECT_EQ(prompts.expectCalls("msgBox", 2)[1].text, "The list has " + estimate.captured(1) + " pages.");
  EXPECT_EQ(prompts.printRequests.back().maxPage, estimate.captured(1).toInt());
  // Back on A4, the dialog opens on A4's pages, and its range boxes still take every page of A5
  // across, should that paper be chosen in the dialog itself.
  platform::PrintDialogAnswer a4 = past;
  a4.pageLayout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20));
  prompts.answerPrint(a4).answerMsg(OK).answerPrint(a4).answerMsg(OK);
  clickOn(w.Command1.widget());
  clickOn(w.Command1.widget());
  EXPECT_LT(prompts.printRequests.back().maxPage, estimate.captured(1).toInt());
  EXPECT_GE(prompts.printRequests.back().rangeLimit, estimate.captured(1).toInt());
}

TEST_F(PrintWindowTest, EveryButtonReachesItsHandler) {
  start();
  writeJob(1);
  RecordedWindow window_w;
  auto& [w, r] = window_w;
  w.Show();
  EXPECT_EQ(testsupport::buttonsNotWired(w.window(), {&w.Command1, &w.Command2, &w.Command3, &w.Command4}), "");
}
