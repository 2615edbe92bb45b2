#include "windows/print/frmPrint.h"

#include "catalogue/database.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "covers/label_printer.h"
#include "platform/core/files.h"
#include "platform/core/font_faces.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/printer_surface.h"
#include "printing/preview_renderer.h"
#include "printing/print_layouts.h"
#include "windows/main/form1.h"
#include "windows/one_line_input.h"
#include "windows/select_all.h"

#include <QDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

using platform::msg::OKOnly;

namespace {

constexpr double kPreviewWidthPx = 681;  // the preview page's designed width (10215 twips)
constexpr qint32 kShadowGrey = 0x404040;
constexpr int kShadowOffsetPx = 8;

QString printIniPath() { return platform::programFile(QStringLiteral("print.ini")); }
QString jobPath() { return platform::programFile(QString::fromLatin1(printing::kJobFile)); }
QString jobUnreadableText() { return catalogue::unreadableText(QStringLiteral("The print job ") + jobPath()); }

// The printable area of a paper in points; of the default printer's paper when none is given, or
// of an A4 sheet when that cannot be read.
QSizeF printableArea(const QPageLayout& layout = QPrinter().pageLayout()) {
  const QSizeF area = layout.paintRect(QPageLayout::Point).size();
  return area.width() > 0 && area.height() > 0 ? area : QSizeF(523, 770);
}

// The preview page: the printable area of the paper, drawn at the preview's designed width.
std::unique_ptr<platform::DrawingSurface> previewPage(const QSizeF& areaPt) {
  return std::make_unique<platform::ImageSurface>(areaPt.width(), areaPt.height(),
                                                  kPreviewWidthPx * 72.0 / areaPt.width());
}

std::shared_ptr<platform::DrawingSurface> realPrinterSurface(const platform::PrintDialogAnswer& answer) {
  // The printer outlives the surface that draws on it.
  struct PrinterHolder {
    std::unique_ptr<QPrinter> printer;
  };
  struct Owned : PrinterHolder, platform::PrinterSurface {
    explicit Owned(std::unique_ptr<QPrinter> p) : PrinterHolder{std::move(p)}, PrinterSurface(*printer) {}
  };
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  platform::usePrintChoice(*printer, answer);
  printer->setCopyCount(std::max(1, answer.copies));
  return std::make_shared<Owned>(std::move(printer));
}

}  // namespace

frmPrint::frmPrint() : FormBase(Kind::Dialog, QStringLiteral("Print Preview"), QSize(733, 434)) {
  Text1.setText(Form1::kHeaderPrompt);
  preview_ = previewPage(printableArea());
  preview_->ForeColor = 0;  // paper is black text on white

  if (QDialog* dlg = dialog()) dlg->setFixedSize(733, 434);
  Frame1.movePx(4, 2, 725, 80);
  Combo1.movePx(8, 12, 200, 26);
  Combo2.movePx(214, 12, 60, 26);
  Command3.movePx(280, 10, 40, 30);
  Text1.movePx(8, 46, 420, 26);
  Command2.movePx(436, 44, 100, 30);
  Command1.movePx(544, 10, 80, 30);
  Command4.movePx(632, 10, 80, 30);
  Picture1.movePx(24, 88, kPreviewWidthPx, 0);
  Shape1.setBackColor(kShadowGrey);
  Shape1.widget()->setAutoFillBackground(true);
  Label1.setVisible(false);
  Frame3.movePx(250, 200, 240, 60);
  Label19.movePx(30, 24);
  Frame3.setVisible(false);
  Command3.setCaption(QStringLiteral("A"));
  Text1.setMaxLength(60);

  Combo1.setToolTipText(QStringLiteral("select font"));
  Combo2.setToolTipText(QStringLiteral("select font size"));
  Command3.setToolTipText(QStringLiteral("click to select text color"));
  Text1.setToolTipText(QStringLiteral("enter a song list header, this will be printed on your song list"));
  // The header goes back to the main window, which saves it with the list.
  windows::refuseUnstorableTyping(Text1, QStringLiteral("song list header"), Caption());
  Command2.setToolTipText(QStringLiteral("click to apply the song list header"));
  Command1.setToolTipText(QStringLiteral("click to print the diplayed song list"));
  Command4.setToolTipText(QStringLiteral("click to close this window"));

  Combo1.Click = [this] { Combo1_Click(); };
  Combo2.Click = [this] { Combo2_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Text1.Change = [this] { Text1_Change(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  platform::watchClicks(
      Text1.widget(), [this] { Text1_Click(); }, platform::ClickMoment::AfterLeftClick);

  // Print comes first in the tab order, so it has the focus when the window opens.
  QWidget* chain[] = {Command1.widget(), Combo1.widget(),   Combo2.widget(),  Command3.widget(),
                      Text1.widget(),    Command2.widget(), Command4.widget()};
  for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
  makePrinterSurface = realPrinterSurface;
  makeCountingSurface = realPrinterSurface;
}

frmPrint::~frmPrint() = default;

void frmPrint::setPreviewSurface(std::unique_ptr<platform::DrawingSurface> surface) {
  preview_ = std::move(surface);
  preview_->ForeColor = 0;
}

void frmPrint::Form_Load() {
  if (Form1* main = Form1::instance()) Text1.setText(main->Text1.Text());
  placePreviewPage();
  for (int size = 8; size <= 14; ++size) Combo2.AddItem(QString::number(size));
  Combo2.setListIndex(0);
  Page_Counter = 0;
}

void frmPrint::Form_Activate() {
  // The printer's fonts are listed once, not again at every activation.
  if (!fontsFilled_) {
    fontsFilled_ = true;
    // The preset face stays a choice where the font system only stands a metric twin in for it,
    // as the label and case designers keep theirs, so the box never opens blank.
    for (const QString& name : covers::faceListEntries(platform::installedFamilies())) Combo1.AddItem(name);
    Combo1.fitDropDownToEntries();
  }
  platform::letEventsThrough();
  for (int i = 0; i < Combo1.ListCount(); ++i)
    if (Combo1.List(i) == covers::kPresetFace) Combo1.setListIndex(i);
  Read_Print_Ini();
}

void frmPrint::Form_Unload(int&) { Write_Print_Ini(); }

void frmPrint::Combo1_Click() {
  preview_->Cls();
  Preview();
}

void frmPrint::Combo2_Click() {
  preview_->Cls();
  Preview();
}

void frmPrint::Command2_Click() {
  preview_->Cls();
  if (Form1* main = Form1::instance()) main->Text1.setText(Text1.Text());
  Preview();
}

void frmPrint::Command3_Click() {
  const auto colour = platform::prompts().chooseColour(preview_->ForeColor);
  if (!colour) return;
  if (*colour == 0xFFFFFF) {
    platform::prompts().msgBox(QStringLiteral("White is not a valid color"), OKOnly, QStringLiteral("Color"));
    return;
  }
  preview_->ForeColor = *colour;
  Label1.setCaption(QString::number(*colour));
  Preview();
}

void frmPrint::Command4_Click() {
  Write_Print_Ini();
  Unload();
}

void frmPrint::Text1_Change() {
  if (Form1* main = Form1::instance()) main->Text1.setText(Text1.Text());
}

void frmPrint::Text1_Click() { windows::selectAll(Text1); }

void frmPrint::Text1_GotFocus() { windows::selectAll(Text1); }

// A file cut short still gives the values it holds; what it lacks keeps its preset, and the file
// is written anew, whole.
void frmPrint::Read_Print_Ini() {
  const auto lines = platform::readLines(printIniPath());
  const auto select = [](platform::ComboBox& list, const QString& item) {
    for (int i = 0; i < list.ListCount(); ++i)
      if (list.List(i) == item) {
        list.setListIndex(i);
        return;
      }
  };
  if (lines && !lines->isEmpty()) select(Combo1, covers::faceListEntry(common::parseFields(lines->at(0)).value(0)));
  if (lines && lines->size() >= 2) select(Combo2, common::parseFields(lines->at(1)).value(0));
  if (!lines || lines->size() < 2) Write_Print_Ini();
}

void frmPrint::Write_Print_Ini() {
  platform::replaceFile(printIniPath(),
                        platform::joinLines({common::Trim(Combo1.Text()), common::Trim(Combo2.Text())}));
}

void frmPrint::Preview() {
  platform::BusyScope busy;  // no input reaches the window while the page is drawn
  printing::PreviewSettings settings{Text1.Text(), Combo1.Text(), Combo2.Text()};
  printing::preparePreviewSurface(*preview_, settings);
  const auto job = printing::readPrintJob(jobPath());
  if (!job) {
    if (!jobMissingReported_) {
      jobMissingReported_ = true;
      platform::prompts().msgBox(jobUnreadableText(), OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    }
    showPreviewImage();
    return;
  }
  // The page shows the columns and size the paper prints in, as the paper's own fit gives them.
  if (printing::isLayoutCode(job->code)) countPaper(job);
  const int rows = printing::renderPreviewPage(*preview_, *job, settings, paperFit_ ? &*paperFit_ : nullptr);
  if (rows >= 0) {
    Preview_Row_Count = rows;
    showFigures(job);
  }
  showPreviewImage();
}

// The estimate is the number of pages the list takes on the paper last chosen, laid out as it
// will be printed, so that the print dialog offers every page and no more.
void frmPrint::Count_Pages() { Count_Pages(printing::readPrintJob(jobPath())); }

void frmPrint::Count_Pages(const std::optional<printing::PrintJob>& job) {
  countPaper(job);
  showFigures(job);
}

void frmPrint::countPaper(const std::optional<printing::PrintJob>& job) {
  Page_Estimate = 1;
  pageLimit_ = 1;
  paperFit_.reset();
  if (!job) return;
  if (const auto counter = makeCountingSurface(printChoice_)) {
    const printing::PaperResult counted = printing::countPaperPages(*counter, *job, paperSettings());
    Page_Estimate = std::max(1, counted.pagesLaidOut);
    paperFit_ = counted.fit;
    counter->endDocument();
  }
  pageLimit_ = std::max(Page_Estimate, job->lineCount);
}

void frmPrint::showFigures(const std::optional<printing::PrintJob>& job) {
  // A job cut short before its heading record holds no tracks, not fewer than none.
  const int tracks = std::max(0, (job ? job->lineCount : 0) - 2);
  QString title = QStringLiteral("Print Preview    Total tracks = ") + QString::number(tracks) +
                  QStringLiteral("     Approx tracks per page = ");
  if (Page_Estimate >= 2)
    title += QString::number(Preview_Row_Count - 1) + QStringLiteral("     Approx Pages = ") +
             QString::number(Page_Estimate);
  else title += QString::number(Preview_Row_Count);
  // Where the chosen size leaves no room for the codes on this paper, the size that prints, as the
  // size list counts it (one above the rows' size).
  if (paperFit_ && paperFit_->fonts.body < printing::pageFonts(Combo1.Text(), Combo2.Text()).body)
    title += QStringLiteral("     Printed size = ") + QString::number(paperFit_->fonts.body + 1);
  setCaption(title);
}

// The preview page as tall as its paper is for its width, with its shadow.
void frmPrint::placePreviewPage() {
  Picture1.movePx(24, 88, kPreviewWidthPx, kPreviewWidthPx * preview_->pageHeightPt() / preview_->pageWidthPt());
  const QRectF page = Picture1.geometryPx();
  Shape1.movePx(page.left() + kShadowOffsetPx, page.top() + kShadowOffsetPx, page.width(), page.height());
}

// The paper chosen in the print dialog: the song book is laid out on it, and the preview shows
// its printable area, page 1 drawn again in the colour in force. (A preview that tests record
// stays as it is.)
void frmPrint::usePaper(const QPageLayout& layout) {
  if (!layout.isValid() || !dynamic_cast<platform::ImageSurface*>(preview_.get())) return;
  const QSizeF area = printableArea(layout);
  if (std::abs(area.width() - preview_->pageWidthPt()) < 0.5 &&
      std::abs(area.height() - preview_->pageHeightPt()) < 0.5)
    return;
  const qint32 colour = preview_->ForeColor;
  preview_ = previewPage(area);
  preview_->ForeColor = colour;
  placePreviewPage();
  Preview();
}

void frmPrint::showPreviewImage() {
  auto* image = dynamic_cast<platform::ImageSurface*>(preview_.get());
  auto* label = qobject_cast<QLabel*>(Picture1.widget());
  if (image && label) label->setPixmap(QPixmap::fromImage(image->image()));
}

void frmPrint::Command1_Click() {
  Write_Print_Ini();
  Page_Counter = 0;
  if (Text1.Text().isEmpty() || Text1.Text() == Form1::kHeaderPrompt) {
    const QString br = QStringLiteral("\n\r");
    platform::prompts().msgBox(QStringLiteral("The song list header text field is empty.") + br +
                                   QStringLiteral("Please enter a name/telephone number etc.") + br +
                                   QStringLiteral("This name will be printed on all lists.") + br + br +
                                   QStringLiteral("If you do not wish to use a name just enter a space."),
                               OKOnly, QStringLiteral("Song List Header"));
    Text1.SetFocus();
    Text1_GotFocus();
    return;
  }
  showBusyPointer();
  Count_Pages();  // the pages of the paper the dialog opens on
  platform::PrintDialogRequest req;
  req.minPage = 1;
  req.maxPage = Page_Estimate;
  req.rangeLimit = pageLimit_;  // pages past the end of the paper chosen are refused after
  req.allowPageRange = true;
  req.previous = printChoice_;
  const auto answer = platform::prompts().printDialog(req);
  if (!answer) {
    Frame3.setVisible(false);
    setMousePointer(platform::MousePointer::Default);
    return;
  }
  printChoice_ = *answer;
  usePaper(answer->pageLayout);
  // "All pages" means every page of the list, however many there are.
  First_Page = answer->allPages ? 1 : answer->fromPage;
  Last_Page = answer->allPages ? 0 : answer->toPage;
  bool printed = false;
  {
    // The window repaints while it prints, but no click or key reaches it: neither a second
    // Print nor a Close under the running job.
    platform::BusyScope busy;
    Frame3.setVisible(true);
    platform::letEventsThrough();
    printed = Print_Choice(*answer);
    platform::letEventsThrough();
    Frame3.setVisible(false);
  }
  setMousePointer(platform::MousePointer::Default);
  if (!printed) return;  // the window stays open
  Write_Print_Ini();
  Unload();
}

printing::PaperSettings frmPrint::paperSettings() const {
  printing::PaperSettings settings;
  settings.header = Text1.Text();
  settings.fontText = Combo1.Text();
  settings.sizeText = Combo2.Text();
  settings.colour = qint32(Label1.Caption().toLongLong());
  return settings;
}

bool frmPrint::Print_Choice(const platform::PrintDialogAnswer& answer) {
  platform::BusyScope busy;  // no second Print, no Close under a running job
  const auto job = printing::readPrintJob(jobPath());
  if (!job) {
    platform::prompts().msgBox(jobUnreadableText(), OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    return false;
  }
  if (!printing::isLayoutCode(job->code)) {
    platform::prompts().msgBox(QStringLiteral("The print job cannot be printed: its layout is not known."),
                               OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    return false;
  }
  const std::shared_ptr<platform::DrawingSurface> surface = makePrinterSurface(answer);
  printing::PaperSettings settings = paperSettings();
  settings.firstPage = First_Page;
  settings.lastPage = Last_Page;
  printing::preparePaperSurface(*surface, settings);
  Page_Counter = 0;
  const printing::PaperResult result =
      printing::renderPaper(*surface, *job, settings, [] { platform::letEventsThrough(); });
  if (!surface->endDocument()) {
    platform::prompts().msgBox(QStringLiteral("The song list could not be printed.\n\r") + surface->errorString(),
                               OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    return false;
  }
  if (result.pagesLaidOut > 0 && result.pagesSent == 0) {
    // A range wholly past the end printed nothing: the user chooses again.
    platform::prompts().msgBox(QStringLiteral("The list has ") + QString::number(result.pagesLaidOut) +
                                   (result.pagesLaidOut == 1 ? QStringLiteral(" page.") : QStringLiteral(" pages.")),
                               OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    return false;
  }
  return true;
}
