#include "windows/covers/frmPrint_Cover.h"

#include "common/text_helpers.h"
#include "covers/case_preview.h"
#include "covers/case_settings.h"
#include "covers/label_settings.h"
#include "platform/core/colours.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/covers/label_controls.h"
#include "windows/one_line_input.h"
#include "windows/select_all.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>

using namespace covers;
using namespace windows;

const QString frmPrint_Cover::kCaption = QStringLiteral("Print CD Case");

namespace {

constexpr int kClientWidthPx = int(kCaseClientWidthTwips / 15);
constexpr int kClientHeightPx = int(kCaseClientHeightTwips / 15);
constexpr int kTitleEditorHeightPx = 24;

QString settingsPath() { return platform::programFile(kCaseSettingsFile); }

// Asked before printing when some tracks fit neither face even in the smallest print.
QString tracksLeftOutText(int left, int total) {
  return QStringLiteral(
             "%1 of the %2 tracks will not fit on the case insert, even in the smallest print.\n\r"
             "Print the insert with the first %3 tracks?")
      .arg(left)
      .arg(total)
      .arg(total - left);
}

// The largest size up to `size` at which the text `label` shows fits `room` (the window's units)
// on one line or as many lines as it holds; the label is left at that size.
double fitLabel(platform::Label& label, double size, QSizeF room, double pxPerUnitX, double pxPerUnitY) {
  auto* shown = qobject_cast<QLabel*>(label.widget());
  for (int pass = 0; pass < 8 && shown; ++pass) {
    setFontSize(label, size);
    const QSize hint = shown->sizeHint();
    const double scale = std::min({1.0, hint.width() <= 0 ? 1.0 : room.width() * pxPerUnitX / hint.width(),
                                   hint.height() <= 0 ? 1.0 : room.height() * pxPerUnitY / hint.height()});
    if (scale >= 1) break;
    size *= pass == 0 ? scale : scale * 0.97;
  }
  return size;
}

}  // namespace

frmPrint_Cover::frmPrint_Cover()
    : FormBase(Kind::Dialog, kCaption, QSize(kClientWidthPx, kClientHeightPx)),
      preview_(kClientWidthPx, kClientHeightPx) {
  if (QDialog* dlg = dialog()) dlg->setFixedSize(kClientWidthPx, kClientHeightPx);

  picPreview.movePx(0, 0, kClientWidthPx, kClientHeightPx);
  Frame2.movePx(4, 2, 232, 457);
  Label6.movePx(10, 16);
  Label2.movePx(10, 42);
  Combo1.movePx(10, 60, 122, 24);
  Combo2.movePx(136, 60, 48, 24);
  Command5.movePx(190, 60, 30, 24);
  Label3.movePx(10, 94);
  Combo5.movePx(10, 112, 122, 24);
  Combo6.movePx(136, 112, 48, 24);
  Command7.movePx(190, 112, 30, 24);
  Label11.movePx(10, 150);
  Command6.movePx(190, 147, 30, 24);
  Label5.movePx(10, 184);
  txtImage_File.movePx(96, 181, 84, 22);
  Command3.movePx(186, 181, 34, 22);
  Label12.movePx(10, 210);
  Command4.movePx(186, 207, 34, 22);
  Label16.movePx(10, 244);
  txtImage_File2.movePx(96, 241, 84, 22);
  Command10.movePx(186, 241, 34, 22);
  Label17.movePx(10, 270);
  Command11.movePx(186, 267, 34, 22);
  cmdPrint.movePx(10, 380, 100, 60);
  Command2.movePx(120, 380, 100, 60);
  // The path boxes are reached by the mouse only, outside the tab order of the buttons.
  txtImage_File.widget()->setFocusPolicy(Qt::ClickFocus);
  txtImage_File2.widget()->setFocusPolicy(Qt::ClickFocus);

  Command5.setToolTipText(QStringLiteral("Choose disc title Color"));
  Command7.setToolTipText(QStringLiteral("Choose track list color"));
  Command6.setToolTipText(QStringLiteral("Choose other text color"));
  Combo1.setToolTipText(QStringLiteral("select a font style for disc title"));
  Combo2.setToolTipText(QStringLiteral("select the font size for disc title"));
  Combo5.setToolTipText(QStringLiteral("select a font style for track listing"));
  Combo6.setToolTipText(QStringLiteral("select the font size for track listing"));
  Command3.setToolTipText(QStringLiteral("Insert image"));
  Command10.setToolTipText(QStringLiteral("Insert image"));
  Command4.setToolTipText(QStringLiteral("Clear image"));
  Command11.setToolTipText(QStringLiteral("Clear image"));
  Label8.setToolTipText(QStringLiteral("Click to change"));
  Label15.setToolTipText(QStringLiteral("Click to change"));

  // The track lists show the lines as the paper breaks them, one paper line apart (showTracks).
  for (platform::Label* list : {&Label10, &Label1}) {
    list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (auto* l = qobject_cast<QLabel*>(list->widget())) l->setTextFormat(Qt::RichText);
  }
  Text3.movePx(0, 0, case_preview::kTitleEditorWidthTwips / 15, kTitleEditorHeightPx);
  if (auto* e = qobject_cast<QLineEdit*>(Text3.widget())) e->setAlignment(Qt::AlignCenter);
  Text3.setMaxLength(50);
  keepOneLine(Text3, QStringLiteral("disc title"), kCaption);
  Text3.setVisible(false);
  List1.setVisible(false);

  placeSendingNotice(Frame3, Image4, Label19, 300, 200);
  keepOffPanel(Frame2, {&Label8, &Label15, &Label10, &Label1, &Text3});

  const QRectF shadow = twipsToUnits(case_preview::kShadowTwips, kCaseClientWidthTwips, kCaseClientHeightTwips);
  const QRectF page = twipsToUnits(case_preview::kPageTwips, kCaseClientWidthTwips, kCaseClientHeightTwips);
  Shape1.Move(shadow);
  Shape1.BackOpaque = true;
  Shape1.BackColor = kGrey;
  Shape1.BorderWidth = 0;
  Shape2.Move(page);
  Shape2.BackOpaque = true;
  Shape2.BackColor = kWhite;
  Shape3.BackOpaque = true;
  Shape4.BackOpaque = true;
  for (const PreviewShape* shape : {&Shape1, &Shape2, &Shape3, &Shape4}) preview_.add(*shape);
  preview_.add(Image1);
  preview_.add(Image2);
  for (const PreviewShape* shape : {&Shape5, &Shape6, &Shape7}) preview_.add(*shape);

  designValues();

  Combo1.Click = [this] { Combo1_Click(); };
  Combo1.Change = [this] { Combo1_Change(); };
  Combo2.Click = [this] { Combo2_Click(); };
  Combo2.Change = [this] { Combo2_Change(); };
  Combo5.Click = [this] { Combo5_Click(); };
  Combo5.Change = [this] { Combo5_Change(); };
  Combo6.Click = [this] { Combo6_Click(); };
  Combo6.Change = [this] { Combo6_Change(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  Command7.Click = [this] { Command7_Click(); };
  Command10.Click = [this] { Command10_Click(); };
  Command11.Click = [this] { Command11_Click(); };
  cmdPrint.Click = [this] { cmdPrint_Click(); };
  Label8.Click = [this] { Label8_Click(); };
  Label15.Click = [this] { Label15_Click(); };
  Text3.Change = [this] { Text3_Change(); };
  Text3.GotFocus = [this] { Text3_GotFocus(); };
  Text3.LostFocus = [this] { Text3_LostFocus(); };
  txtImage_File.Change = [this] { txtImage_File_Change(); };
  txtImage_File2.Change = [this] { txtImage_File2_Change(); };
  platform::watchClicks(picPreview.widget(), [this] { Form_Click(); });

  makePrinterSurface = [] { return openDesignerPrinter(kCaption, QStringLiteral("CD case.pdf")); };
  Draw_Page();
}

frmPrint_Cover::~frmPrint_Cover() = default;

// The design as the window is created; every loading starts from it.
void frmPrint_Cover::designValues() {
  const QFont title = platform::toQFont({QStringLiteral("Courier New"), 8.25, true});
  const QFont tracks = platform::toQFont({QStringLiteral("Courier New"), 8.25, false});
  for (platform::Control* c : {static_cast<platform::Control*>(&Label8), static_cast<platform::Control*>(&Label15),
                               static_cast<platform::Control*>(&Text3)})
    c->setFont(title);
  Label10.setFont(tracks);
  Label1.setFont(tracks);
  titleSize_ = title.pointSizeF();
  trackSize_ = tracks.pointSizeF();
  Label8.setForeColor(kSystemButtonText);
  Label15.setForeColor(kSystemButtonText);
  Label10.setForeColor(platform::kSystemWindowText);
  Label1.setForeColor(platform::kSystemWindowText);
  setSwatch(Command5, kBlack);
  setSwatch(Command7, kBlack);
  setSwatch(Command6, kWhite);
  Shape3.BackColor = kWhite;
  Shape4.BackColor = platform::kSystemWindowBackground;
  txtImage_File.setText(QString());
  txtImage_File2.setText(QString());
  Image1.Picture = QImage();
  Image2.Picture = QImage();
}

const QImage& frmPrint_Cover::previewImage() const { return preview_.image(); }

// ---------------------------------------------------------------- opening

void frmPrint_Cover::Form_Load() {
  designValues();
  fillFormatLists(Combo1, Combo2, Combo5);
  Combo6.Clear();
  for (int size = 3; size <= 12; ++size) Combo6.AddItem(QString::number(size));
  presetChoice(Combo6, QStringLiteral("4"));
}

void frmPrint_Cover::Form_Activate() {
  setUserScale(100, 100);
  Draw_Page();
  Read_Cover_File();
}

// ---------------------------------------------------------------- faces, sizes, colours

void frmPrint_Cover::Combo1_Click() {
  for (platform::Label* title : {&Label15, &Label8}) setFontFace(*title, Combo1.Text(), true);
  setFontFace(Text3, Combo1.Text(), true);
  fitTitles(paperLayout());
}
void frmPrint_Cover::Combo1_Change() { Combo1_Click(); }

void frmPrint_Cover::Combo2_Click() {
  const double size = common::Val(Combo2.Text());
  if (!(size > 0)) return;
  titleSize_ = size;
  setFontSize(Text3, size);
  fitTitles(paperLayout());
}
void frmPrint_Cover::Combo2_Change() { Combo2_Click(); }

void frmPrint_Cover::Combo5_Click() {
  setFontFace(Label10, Combo5.Text(), false);
  setFontFace(Label1, Combo5.Text(), false);
  showTracks(paperLayout());
}
void frmPrint_Cover::Combo5_Change() { Combo5_Click(); }

void frmPrint_Cover::Combo6_Click() {
  const double size = common::Val(Combo6.Text());
  if (!(size > 0)) return;
  trackSize_ = size;
  showTracks(paperLayout());
}
void frmPrint_Cover::Combo6_Change() { Combo6_Click(); }

void frmPrint_Cover::Command5_Click() {
  chooseSwatchColour(Command5, [this](qint32 c) {
    Label8.setForeColor(c);
    Label15.setForeColor(c);
  });
}

void frmPrint_Cover::Command7_Click() {
  chooseSwatchColour(Command7, [this](qint32 c) {
    Label10.setForeColor(c);
    Label1.setForeColor(c);
  });
}

void frmPrint_Cover::Command6_Click() {
  const bool chosen = chooseSwatchColour(Command6, [this](qint32 c) {
    Shape3.BackColor = c;
    Shape4.BackColor = c;
  });
  if (chosen) repaintPreview();
}

// ---------------------------------------------------------------- pictures

void frmPrint_Cover::Command3_Click() {
  if (!choosePicture(txtImage_File)) return;
  Show_Image();
  Draw_Page();
}

void frmPrint_Cover::Command10_Click() {
  if (!choosePicture(txtImage_File2)) return;
  Show_Image2();
  Draw_Page();
}

void frmPrint_Cover::Show_Image() {
  if (showPicture(Image1, txtImage_File.Text())) repaintPreview();
}

void frmPrint_Cover::Show_Image2() {
  if (showPicture(Image2, txtImage_File2.Text())) repaintPreview();
}

void frmPrint_Cover::txtImage_File_Change() { Show_Image(); }
void frmPrint_Cover::txtImage_File2_Change() { Show_Image2(); }

void frmPrint_Cover::Command4_Click() {
  txtImage_File.setText(QString());
  Image1.Picture = QImage();
  repaintPreview();
  blackenWhiteText(Label8, Command5);
  blackenWhiteText(Label10, Command7);
}

void frmPrint_Cover::Command11_Click() {
  txtImage_File2.setText(QString());
  Image2.Picture = QImage();
  repaintPreview();
  blackenWhiteText(Label15, Command5);
  blackenWhiteText(Label1, Command7);
}

// ---------------------------------------------------------------- the title

void frmPrint_Cover::Label8_Click() { editTitle(case_preview::kFrontTitleCentre, case_preview::kFrontTitleTop); }
void frmPrint_Cover::Label15_Click() { editTitle(case_preview::kBackTitleCentre, case_preview::kBackTitleTop); }

// The editor keeps its width and is as high as the title's face and size need.
void frmPrint_Cover::editTitle(double centre, double top) {
  const QRectF px = Text3.geometryPx();
  Text3.movePx(px.x(), px.y(), px.width(), std::max(kTitleEditorHeightPx, Text3.widget()->sizeHint().height()));
  Text3.Move(centre - Text3.Width() * 0.5, top);
  Text3.setVisible(true);
  Text3.SetFocus();
}

void frmPrint_Cover::Text3_GotFocus() { windows::selectAll(Text3); }
void frmPrint_Cover::Text3_Change() { Draw_Page(); }
void frmPrint_Cover::Text3_LostFocus() { Text3.setVisible(false); }
void frmPrint_Cover::Form_Click() { cmdPrint.SetFocus(); }

// ---------------------------------------------------------------- the preview

void frmPrint_Cover::Draw_Page() {
  using namespace case_preview;
  setUserScale(100, 100);
  Image1.Move(kFrontPicture);
  Image2.Move(kBackPicture);
  Shape3.Move(kFront);
  Shape6.Move(kFront);
  Shape4.Move(kBack);
  Shape5.Move(kBackInner);
  Shape7.Move(kBack);

  showTitle(Label8, Text3.Text());
  showTitle(Label15, Text3.Text());
  const CaseLayout paper = paperLayout();
  fitTitles(paper);
  Label8.setTop(kFrontTitleTop);
  Label8.setLeft(kFrontTitleCentre - Label8.Width() * 0.5);
  Label15.setTop(kBackTitleTop);
  Label15.setLeft(kBackTitleCentre - Label15.Width() * 0.5);

  Label10.Move(kFrontTrackList.x(), kFrontTrackList.y(), kFrontTrackList.width(), kFrontTrackList.height());
  Label1.Move(kBackTrackList.x(), kBackTrackList.y(), kBackTrackList.width(), kBackTrackList.height());
  showTracks(paper);
  repaintPreview();
}

CaseLayout frmPrint_Cover::paperLayout() { return layOutCase(*paperMeasure, currentDesign()); }

// Pixels of the preview to a millimetre of the paper: each panel shows its face as large as the
// panel holds it both ways (the back's proportions differ a little from the paper's).
double frmPrint_Cover::frontPxPerMm() const {
  return std::min(case_preview::kFront.width() * pxPerUnitX() / case_paper::kFront.width(),
                  case_preview::kFront.height() * pxPerUnitY() / case_paper::kFront.height());
}

double frmPrint_Cover::backPxPerMm() const {
  return std::min(case_preview::kBackInner.width() * pxPerUnitX() / case_paper::kBackFace.width(),
                  case_preview::kBack.height() * pxPerUnitY() / case_paper::kBackFace.height());
}

// Each title at the size the paper prints it in on its face, scaled to its panel (smaller still
// should the screen's font come out wider), each around its centre. A title deleted whole keeps
// one line across its face, so that a click there brings the editor back.
void frmPrint_Cover::fitTitles(const CaseLayout& paper) {
  using namespace case_preview;
  const auto fit = [this](platform::Label& title, double paperPt, double pxPerMm, QSizeF room) {
    fitLabel(title, previewPoints(paperPt, pxPerMm, title.widget()), room, pxPerUnitX(), pxPerUnitY());
    fitTitleBox(title, title.Caption().isEmpty()
                           ? QSizeF(room.width() * pxPerUnitX(), title.widget()->fontMetrics().height())
                           : QSizeF());
  };
  fit(Label8, paper.front.titleSize, frontPxPerMm(), kFrontTitleRoom);
  fit(Label15, paper.back.titleSize, backPxPerMm(), kBackTitleRoom);
}

// The track lists show the tracks the paper prints, broken into lines where the paper breaks
// them, at the paper's size and line spacing scaled to each panel. The screen draws a font only
// in whole pixels, which may come out a little wider: a list that would then pass its panel's
// edge is shown a little smaller, its lines where they were. The captions hold the tracks, one a
// line.
void frmPrint_Cover::showTracks(const CaseLayout& paper) {
  using namespace case_preview;
  const QString tracks = caseTrackText(List1.items().mid(0, paper.tracks.shown));
  const auto show = [&](platform::Label& list, const QStringList& lines, double pxPerMm, const QRectF& room) {
    list.setCaption(tracks);
    if (auto* shown = qobject_cast<QLabel*>(list.widget()))
      shown->setText(linesHtml(lines, paper.trackLineHeight * pxPerMm));
    fitLabel(list, previewPoints(paper.tracks.size, pxPerMm, list.widget()), room.size(), pxPerUnitX(), pxPerUnitY());
  };
  show(Label10, paper.front.trackLines, frontPxPerMm(), kFrontTrackList);
  show(Label1, paper.back.trackLines, backPxPerMm(), kBackTrackList);
}

void frmPrint_Cover::repaintPreview() { preview_.paint(picPreview); }

// ---------------------------------------------------------------- closing and printing

void frmPrint_Cover::Command2_Click() { Unload(); }

CaseDesign frmPrint_Cover::currentDesign() const {
  CaseDesign d;
  d.title = Text3.Text();
  d.titleFace = Label8.font().family();
  d.titleSize = titleSize_;
  d.frontTitleColour = Label8.ForeColor();
  d.backTitleColour = Label15.ForeColor();
  d.trackFace = Label10.font().family();
  d.trackSize = trackSize_;
  d.frontTrackColour = Label10.ForeColor();
  d.backTrackColour = Label1.ForeColor();
  d.caseColour = Command6.BackColor();
  d.frontPicture = Image1.Picture;
  d.backPicture = Image2.Picture;
  d.tracks = List1.items();
  return d;
}

void frmPrint_Cover::cmdPrint_Click() {
  const auto draw = [this](platform::DrawingSurface& page) { drawCasePaper(page, currentDesign()); };
  // Tracks that fit neither face even in the smallest print are left out only with the user's word.
  const auto goAhead = [this](platform::DrawingSurface& printer) {
    const CaseTrackFit fit = fitCaseTracks(printer, currentDesign());
    if (fit.shown == fit.total) return true;
    return platform::prompts().msgBox(tracksLeftOutText(fit.total - fit.shown, fit.total),
                                      platform::msg::YesNo + platform::msg::Question, kCaption) == platform::msg::Yes;
  };
  if (!printDesign(makePrinterSurface, Frame3, draw, QStringLiteral("The CD case could not be printed."), kCaption,
                   goAhead))
    return;  // the design stays open to try again
  Write_Cover_File();
  platform::letEventsThrough();
  Unload();
}

// ---------------------------------------------------------------- Cover.dat

void frmPrint_Cover::Write_Cover_File() {
  saveSettingsFile(settingsPath(), caseSettingsText(shownSettings()), openedSettings_,
                   QStringLiteral("The case settings could not be saved in "), kCaption);
}

CaseSettings frmPrint_Cover::shownSettings() const {
  CaseSettings s;
  s.titleColour = Label8.ForeColor();
  s.titleFace = Label8.font().family();
  s.titleSize = titleSize_;
  s.trackColour = Label10.ForeColor();
  s.trackFace = Label10.font().family();
  s.trackSize = trackSize_;
  s.frontPicture = txtImage_File.Text();
  s.backPicture = txtImage_File2.Text();
  s.caseColour = Command6.BackColor();
  return s;
}

// Each value stands alone: one that does not fit its control is passed over. The title size
// list and the title editor take the saved title size too, and the preview is drawn again so
// that the titles stand centred at their saved size.
void frmPrint_Cover::Read_Cover_File() {
  const auto values = readSettingsValues(settingsPath(), kCaseSettingsCount);
  if (!values) {
    // Missing, short or unreadable: written anew from what is shown, which holds no choice of the
    // user's, so a folder that cannot hold it is no news yet.
    openedSettings_ = caseSettingsText(shownSettings()).content;
    Write_Cover_File();
    return;
  }
  const QStringList& v = *values;
  if (const auto size = settingsSize(v[2])) {
    if (!presetChoice(Combo2, v[2])) {  // a size the list does not offer
      titleSize_ = *size;
      setFontSize(Text3, *size);
      fitTitles(paperLayout());
    }
  }
  if (const auto colour = settingsColour(v[0])) {
    Label8.setForeColor(*colour);
    Label15.setForeColor(*colour);
    setSwatch(Command5, *colour);
  }
  presetChoice(Combo1, faceListEntry(v[1]));

  if (const auto size = settingsSize(v[5])) {
    trackSize_ = *size;
    showTracks(paperLayout());
  }
  const auto trackColour = settingsColour(v[3]);
  if (trackColour) {
    Label1.setForeColor(*trackColour);
    Label10.setForeColor(*trackColour);
  }
  presetChoice(Combo5, faceListEntry(v[4]));
  presetChoice(Combo6, v[5]);
  if (trackColour) setSwatch(Command7, *trackColour);

  txtImage_File.setText(v[6]);
  txtImage_File2.setText(v[7]);

  if (const auto colour = settingsColour(v[8])) setSwatch(Command6, *colour);
  platform::letEventsThrough();
  Shape3.BackColor = Command6.BackColor();
  Shape4.BackColor = Command6.BackColor();
  Draw_Page();
  openedSettings_ = caseSettingsText(shownSettings()).content;
}
