#include "windows/covers/frmPrint_Offset.h"

#include "common/text_helpers.h"
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

const QString frmPrint_Offset::kCaption = QStringLiteral("Print CD Label");

namespace {

constexpr int kClientWidthPx = int(kLabelClientWidthTwips / 15);
constexpr int kClientHeightPx = int(kLabelClientHeightTwips / 15);
constexpr double kTitleWidthPx = label_preview::kTitleTwips.width() / 15;
constexpr double kTitleHeightPx = label_preview::kTitleTwips.height() / 15;

QString settingsPath() { return platform::programFile(kLabelSettingsFile); }

}  // namespace

frmPrint_Offset::frmPrint_Offset()
    : FormBase(Kind::Dialog, kCaption, QSize(kClientWidthPx, kClientHeightPx)),
      preview_(kClientWidthPx, kClientHeightPx) {
  if (QDialog* dlg = dialog()) dlg->setFixedSize(kClientWidthPx, kClientHeightPx);

  picPreview.movePx(0, 0, kClientWidthPx, kClientHeightPx);
  Frame1.movePx(4, 2, 232, 515);
  Label7.movePx(10, 16);
  Label6.movePx(10, 44);
  Combo1.movePx(10, 62, 122, 24);
  Combo2.movePx(136, 62, 48, 24);
  Command5.movePx(190, 62, 30, 24);
  Label11.movePx(10, 98);
  Combo5.movePx(10, 116, 122, 24);
  Combo6.movePx(136, 116, 48, 24);
  Command7.movePx(190, 116, 30, 24);
  Label5.movePx(10, 156);
  txtImage_File.movePx(96, 153, 84, 22);
  Command3.movePx(186, 153, 34, 22);
  Label12.movePx(10, 184);
  Command4.movePx(186, 181, 34, 22);
  Label9.movePx(10, 212);
  Command1.movePx(186, 209, 34, 22);
  Label1.movePx(10, 250);
  Text1.movePx(112, 247, 40, 22);
  Label3.movePx(156, 250);
  Label2.movePx(10, 280);
  Text2.movePx(112, 277, 40, 22);
  Label4.movePx(156, 280);
  Check1.movePx(10, 312, 210, 22);
  cmdPrint.movePx(10, 430, 100, 60);
  Command2.movePx(120, 430, 100, 60);

  // The title and its editor share one box of 2760 x 900 twips; the title shows one line, as it
  // prints, and its box grows should the line be wider (fitTitle).
  Label8.movePx(0, 0, kTitleWidthPx, kTitleHeightPx);
  Label8.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label8.setToolTipText(QStringLiteral("Click to change"));
  // The track list shows the paper's lines, one paper line apart (showTracks).
  Label10.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  if (auto* l = qobject_cast<QLabel*>(Label10.widget())) l->setTextFormat(Qt::RichText);
  Text3.movePx(0, 0, kTitleWidthPx, kTitleHeightPx);
  if (auto* e = qobject_cast<QLineEdit*>(Text3.widget())) e->setAlignment(Qt::AlignCenter);
  Text3.setMaxLength(50);
  keepOneLine(Text3, QStringLiteral("disc title"), kCaption);
  Text3.setVisible(false);
  List1.setVisible(false);

  placeSendingNotice(Frame3, Image4, Label19, 330, 220);
  keepOffPanel(Frame1, {&Label8, &Label10, &Text3});

  Combo1.setToolTipText(QStringLiteral("select a font style for disc title"));
  Combo2.setToolTipText(QStringLiteral("select the font size for disc title"));
  Combo5.setToolTipText(QStringLiteral("select a font style for track listing"));
  Combo6.setToolTipText(QStringLiteral("select the font size for track listing"));
  Text1.setToolTipText(QStringLiteral("enter a measurement to align label"));
  Text2.setToolTipText(QStringLiteral("enter a measurement to align label"));
  Check1.setToolTipText(QStringLiteral("Prints the black circles"));
  cmdPrint.setToolTipText(QStringLiteral("click to print the diplayed song list"));
  Combo1.setVisible(false);
  Combo5.setVisible(false);

  // The preview's drawn elements, bottom first; the moving ones are placed by Draw_Circle.
  const QRectF shadow = twipsToUnits(label_preview::kShadowTwips, kLabelClientWidthTwips, kLabelClientHeightTwips);
  const QRectF page = twipsToUnits(label_preview::kPageTwips, kLabelClientWidthTwips, kLabelClientHeightTwips);
  Shape1.Move(shadow);
  Shape1.FillSolid = true;
  Shape1.FillColor = kGrey;
  Shape1.BorderWidth = 0;
  Shape2.Move(page);
  Shape2.FillSolid = true;
  Shape2.FillColor = kWhite;
  for (PreviewShape* circle : {&Shape3, &Shape4, &Shape5, &Shape6}) {
    circle->Shape = PreviewShape::Kind::Circle;
    circle->BorderWidth = 2;
  }
  Shape3.FillSolid = true;
  Shape4.FillSolid = true;
  Shape4.FillColor = kWhite;
  for (const PreviewShape* shape : {&Shape1, &Shape2, &Shape3, &Shape4}) preview_.add(*shape);
  preview_.add(Image1);
  preview_.add(Shape5);
  preview_.add(Shape6);

  designValues();

  Combo1.Click = [this] { Combo1_Click(); };
  Combo2.Click = [this] { Combo2_Click(); };
  Combo5.Click = [this] { Combo5_Click(); };
  Combo6.Click = [this] { Combo6_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command7.Click = [this] { Command7_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  txtImage_File.Change = [this] { txtImage_File_Change(); };
  Text1.Change = [this] { Text1_Change(); };
  Text2.Change = [this] { Text2_Change(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  Text2.GotFocus = [this] { Text2_GotFocus(); };
  Text3.GotFocus = [this] { Text3_GotFocus(); };
  Text3.Change = [this] { Text3_Change(); };
  Text3.LostFocus = [this] { Text3_LostFocus(); };
  Label8.Click = [this] { Label8_Click(); };
  Label10.Click = [this] { Label10_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  cmdPrint.Click = [this] { cmdPrint_Click(); };
  platform::watchClicks(picPreview.widget(), [this] { Form_Click(); });
  platform::watchClicks(Frame1.widget(), [this] { Frame1_Click(); });

  makePrinterSurface = [] { return openDesignerPrinter(kCaption, QStringLiteral("CD label.pdf")); };
  Draw_Circle();
}

frmPrint_Offset::~frmPrint_Offset() = default;

// The design as the window is created; every loading starts from it.
void frmPrint_Offset::designValues() {
  const platform::SurfaceFont courier{QStringLiteral("Courier New"), 8.25};
  const QFont title = platform::toQFont({courier.name, courier.size, true});
  Label8.setFont(title);
  Text3.setFont(title);
  Label8.setForeColor(kSystemButtonText);
  Label10.setFont(platform::toQFont(courier));
  trackSize_ = courier.size;
  Label10.setForeColor(platform::kSystemWindowText);
  setSwatch(Command5, kBlack);
  setSwatch(Command7, kBlack);
  setSwatch(Command1, kWhite);
  Shape3.FillColor = kWhite;
  Text1.setText(QStringLiteral("0"));
  Text2.setText(QStringLiteral("0"));
  txtImage_File.setText(QString());
  Image1.Picture = QImage();
  Check1.setValue(0);
}

const QImage& frmPrint_Offset::previewImage() const { return preview_.image(); }

// ---------------------------------------------------------------- opening

void frmPrint_Offset::Form_Load() {
  designValues();
  fillFormatLists(Combo1, Combo2, Combo5);
  Combo6.Clear();
  for (int half = 4; half <= 12; ++half) Combo6.AddItem(QString::number(half / 2.0));
  presetChoice(Combo6, QStringLiteral("4"));
}

void frmPrint_Offset::Form_Activate() {
  setUserScale(100, 100);
  platform::letEventsThrough();
  trackSize_ = 4;
  Draw_Circle();
  Read_OffSet_File();
  Combo1.setVisible(true);
  Combo5.setVisible(true);
}

// ---------------------------------------------------------------- faces, sizes, colours

// The editor takes the chosen face and size; the title shows them as the paper prints them.
void frmPrint_Offset::Combo1_Click() {
  setFontFace(Label8, Combo1.Text(), true);
  setFontFace(Text3, Combo1.Text(), true);
  fitTitle();
}

void frmPrint_Offset::Combo2_Click() {
  setFontSize(Text3, common::Val(Combo2.Text()));
  fitTitle();
}

void frmPrint_Offset::Combo5_Click() {
  setFontFace(Label10, Combo5.Text(), false);
  showTracks();
}

void frmPrint_Offset::Combo6_Click() {
  if (const double size = common::Val(Combo6.Text()); size > 0) trackSize_ = size;
  showTracks();
}

void frmPrint_Offset::Command1_Click() {
  if (chooseSwatchColour(Command1, [this](qint32 c) { Shape3.FillColor = c; })) repaintPreview();
}

void frmPrint_Offset::Command5_Click() {
  chooseSwatchColour(Command5, [this](qint32 c) { Label8.setForeColor(c); });
}

void frmPrint_Offset::Command7_Click() {
  chooseSwatchColour(Command7, [this](qint32 c) { Label10.setForeColor(c); });
}

// ---------------------------------------------------------------- the picture

void frmPrint_Offset::Command3_Click() {
  if (!choosePicture(txtImage_File)) return;
  Show_Image();
  Draw_Circle();
}

void frmPrint_Offset::Show_Image() {
  if (showPicture(Image1, txtImage_File.Text())) repaintPreview();
}

void frmPrint_Offset::txtImage_File_Change() { Show_Image(); }

void frmPrint_Offset::Command4_Click() {
  txtImage_File.setText(QString());
  Image1.Picture = QImage();
  repaintPreview();
  blackenWhiteText(Label8, Command5);
  blackenWhiteText(Label10, Command7);
}

// ---------------------------------------------------------------- offsets and the title

namespace {
// An offset box keeps a text that starts with a minus sign or reads as a number; any other
// text is emptied. True when the preview is to be redrawn for the text: a kept one, or the
// emptied box, which Print takes as 0.
bool keepOffset(platform::TextBox& box) {
  const QString text = box.Text();
  if (common::Left(text, 1) == QLatin1String("-") || common::IsNumeric(text) || text.isEmpty()) return true;
  box.setText(QString());  // its Change redraws
  return false;
}
}  // namespace

void frmPrint_Offset::Text1_Change() {
  if (keepOffset(Text1)) Draw_Circle();
}

void frmPrint_Offset::Text2_Change() {
  if (keepOffset(Text2)) Draw_Circle();
}

void frmPrint_Offset::Text1_GotFocus() { windows::selectAll(Text1); }
void frmPrint_Offset::Text2_GotFocus() { windows::selectAll(Text2); }
void frmPrint_Offset::Text3_GotFocus() { windows::selectAll(Text3); }

void frmPrint_Offset::Label8_Click() {
  Text3.setVisible(true);
  Text3.SetFocus();
}

void frmPrint_Offset::Text3_Change() { Draw_Circle(); }

void frmPrint_Offset::Text3_LostFocus() { Text3.setVisible(false); }

void frmPrint_Offset::Form_Click() { cmdPrint.SetFocus(); }
void frmPrint_Offset::Frame1_Click() { cmdPrint.SetFocus(); }
void frmPrint_Offset::Label10_Click() { cmdPrint.SetFocus(); }

// ---------------------------------------------------------------- the preview

void frmPrint_Offset::Draw_Circle() {
  using namespace label_preview;
  setUserScale(100, 100);
  const int ox = previewOffset(Text1.Text(), 5);
  const int oy = previewOffset(Text2.Text(), 3);
  Image1.Move(kPicture.translated(ox, oy));
  Shape3.Move(kDisc.translated(ox, oy));
  Shape4.Move(kHole.translated(ox, oy));
  Shape5.Move(kDisc.translated(ox, oy));
  Shape6.Move(kHole.translated(ox, oy));

  showTitle(Label8, Text3.Text());
  fitTitle();
  Label8.Move(kCentreX + ox - Label8.Width() * 0.5, kTitleTop + oy);
  Text3.Move(kCentreX + ox - Text3.Width() * 0.5, kTitleTop + oy);

  showTracks();
  repaintPreview();
}

// Pixels of the preview to a millimetre of the paper: as the preview's disc is to the paper's.
double frmPrint_Offset::pxPerMm() const {
  using namespace label_preview;
  return std::min(kDisc.width() * pxPerUnitX(), kDisc.height() * pxPerUnitY()) / (2 * label_paper::kDiscRadius);
}

// The title at the size the paper prints it in, scaled as the preview's disc is to the paper's,
// so that it stands on the disc as on paper; on one line, in a box no smaller than its editor's.
void frmPrint_Offset::fitTitle() {
  const double paperPt = fitLabelTitle(paperMeasure_, currentDesign());
  setFontSize(Label8, previewPoints(paperPt, pxPerMm(), Label8.widget()));
  fitTitleBox(Label8, QSizeF(kTitleWidthPx, kTitleHeightPx));
}

// The track list as the paper prints it: its lines at the paper's size and spacing, scaled as the
// disc is, each centred on the disc however long, whatever face or size was chosen last. The
// caption holds the lines, each ended by a carriage return.
void frmPrint_Offset::showTracks() {
  using namespace label_preview;
  const LabelTrackLayout paper = layOutLabelTracks(paperMeasure_, currentDesign());
  Label10.setCaption(captionLines(paper.lines));
  auto* shown = qobject_cast<QLabel*>(Label10.widget());
  if (!shown) return;
  shown->setText(linesHtml(paper.lines, paper.lineHeight * pxPerMm()));
  setFontSize(Label10, previewPoints(paper.size, pxPerMm(), shown));
  const QSize box = shown->sizeHint();
  Label10.movePx(0, 0, box.width(), box.height());
  Label10.Move(kCentreX + previewOffset(Text1.Text(), 5) - Label10.Width() * 0.5,
               kTrackListTop + previewOffset(Text2.Text(), 3));
}

void frmPrint_Offset::repaintPreview() { preview_.paint(picPreview); }

// ---------------------------------------------------------------- closing and printing

void frmPrint_Offset::Command2_Click() { Unload(); }

LabelDesign frmPrint_Offset::currentDesign() const {
  LabelDesign d;
  d.offsetX = offsetMillimetres(Text1.Text());
  d.offsetY = offsetMillimetres(Text2.Text());
  d.discColour = Command1.BackColor();
  d.picture = Image1.Picture;
  d.guides = Check1.Value() != 0;
  d.title = Text3.Text();
  d.titleFace = Text3.font().family();
  d.titleSize = Text3.font().pointSizeF();
  d.titleColour = Label8.ForeColor();
  d.trackFace = Label10.font().family();
  d.trackSize = trackSize_;
  d.trackColour = Label10.ForeColor();
  d.tracks = List1.items();
  return d;
}

void frmPrint_Offset::cmdPrint_Click() {
  const auto draw = [this](platform::DrawingSurface& page) { drawLabelPaper(page, currentDesign()); };
  if (!printDesign(makePrinterSurface, Frame3, draw, QStringLiteral("The CD label could not be printed."), kCaption))
    return;  // the design stays open to try again
  Write_OffSet_File();
  platform::letEventsThrough();
  Unload();
}

// ---------------------------------------------------------------- OffSet.dat

void frmPrint_Offset::Write_OffSet_File() {
  saveSettingsFile(settingsPath(), labelSettingsText(shownSettings()), openedSettings_,
                   QStringLiteral("The label settings could not be saved in "), kCaption);
}

LabelSettings frmPrint_Offset::shownSettings() const {
  LabelSettings s;
  s.horizontalOffset = Text1.Text();
  s.verticalOffset = Text2.Text();
  s.titleColour = Label8.ForeColor();
  s.titleFace = Text3.font().family();
  s.titleSize = Text3.font().pointSizeF();  // the size chosen, not the one shown
  s.trackColour = Label10.ForeColor();
  s.trackFace = Label10.font().family();
  s.trackSize = trackSize_;
  s.picture = txtImage_File.Text();
  s.discColour = Command1.BackColor();
  return s;
}

// Each value stands alone: one that does not fit its control is passed over.
void frmPrint_Offset::Read_OffSet_File() {
  const auto values = readSettingsValues(settingsPath(), kLabelSettingsCount);
  if (!values) {
    // Missing, short or unreadable: written anew from what is shown, which holds no choice of the
    // user's, so a folder that cannot hold it is no news yet.
    openedSettings_ = labelSettingsText(shownSettings()).content;
    Write_OffSet_File();
    return;
  }
  const QStringList& v = *values;
  Text1.setText(v[0]);
  Text2.setText(v[1]);
  if (const auto colour = settingsColour(v[2])) {
    Label8.setForeColor(*colour);
    setSwatch(Command5, *colour);
  }
  presetChoice(Combo1, faceListEntry(v[3]));
  presetChoice(Combo2, v[4]);
  const auto trackColour = settingsColour(v[5]);
  if (trackColour) Label10.setForeColor(*trackColour);
  presetChoice(Combo5, faceListEntry(v[6]));
  presetChoice(Combo6, v[7]);
  if (trackColour) setSwatch(Command7, *trackColour);
  txtImage_File.setText(v[8]);
  if (const auto colour = settingsColour(v[9])) {
    setSwatch(Command1, *colour);
    Shape3.FillColor = *colour;
  }
  Draw_Circle();  // the track list centred again at its saved size
  openedSettings_ = labelSettingsText(shownSettings()).content;
}
