// The "Print CD Case" window: designs the paper insert of a CD jewel case for one disc (front
// and back panels with the title, a picture each, the track list and the case colour) on a
// preview, and prints it.
#pragma once

#include "covers/case_paper.h"
#include "covers/case_settings.h"
#include "covers/label_preview.h"
#include "covers/label_printer.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/covers/designer_common.h"

class frmPrint_Cover : public platform::FormBase {
 public:
  frmPrint_Cover();
  ~frmPrint_Cover() override;

  void Write_Cover_File();
  void Read_Cover_File();
  void Show_Image();
  void Show_Image2();
  void Draw_Page();

  void cmdPrint_Click();
  void Combo1_Change();
  void Combo1_Click();
  void Combo2_Change();
  void Combo2_Click();
  void Combo5_Change();
  void Combo5_Click();
  void Combo6_Change();
  void Combo6_Click();
  void Command10_Click();
  void Command11_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Form_Activate() override;
  void Form_Click();
  void Form_Load() override;
  void Label15_Click();
  void Label8_Click();
  void Text3_Change();
  void Text3_GotFocus();
  void Text3_LostFocus();
  void txtImage_File_Change();
  void txtImage_File2_Change();

  // Where the case is printed: by default the default printer (or a PDF file the user names
  // where there is no printer). Tests put a recording surface here.
  covers::PrinterFactory makePrinterSurface;

  static const QString kCaption;  // "Print CD Case"

  // ---- the preview's drawn elements (the window's 100 x 100 units), bottom first
  covers::PreviewShape Shape1;  // the page's shadow
  covers::PreviewShape Shape2;  // the page
  covers::PreviewShape Shape3;  // the front's background, in the case colour
  covers::PreviewShape Shape4;  // the back's background, in the case colour
  covers::PreviewImage Image1;  // the front picture
  covers::PreviewImage Image2;  // the back picture
  covers::PreviewShape Shape5;  // the back between its side strips
  covers::PreviewShape Shape6;  // the front's outline
  covers::PreviewShape Shape7;  // the back's outline

  // ---- controls, from the bottom layer up
  platform::PictureBox picPreview{this, client(), "picPreview"};  // shows the drawn elements

  platform::Frame Frame2{this, client(), "Frame2", ""};
  platform::Label Label6{this, Frame2.inner(), "Label6", "Click disc title to change text"};
  platform::Label Label2{this, Frame2.inner(), "Label2", "Disc title format"};
  platform::ComboBox Combo1{this, Frame2.inner(), "Combo1", platform::ComboBox::Style::DropdownList, true};
  platform::ComboBox Combo2{this, Frame2.inner(), "Combo2", platform::ComboBox::Style::DropdownList, false};
  platform::CommandButton Command5{this, Frame2.inner(), "Command5", ""};
  platform::Label Label3{this, Frame2.inner(), "Label3", "Track listing format"};
  platform::ComboBox Combo5{this, Frame2.inner(), "Combo5", platform::ComboBox::Style::DropdownList, true};
  platform::ComboBox Combo6{this, Frame2.inner(), "Combo6", platform::ComboBox::Style::DropdownList, false};
  platform::CommandButton Command7{this, Frame2.inner(), "Command7", ""};
  platform::Label Label11{this, Frame2.inner(), "Label11", "Case back color"};
  platform::CommandButton Command6{this, Frame2.inner(), "Command6", ""};
  platform::Label Label5{this, Frame2.inner(), "Label5", "Insert image"};
  platform::Label Label12{this, Frame2.inner(), "Label12", "Clear image"};
  platform::TextBox txtImage_File{this, Frame2.inner(), "txtImage_File", ""};
  platform::CommandButton Command3{this, Frame2.inner(), "Command3", "..."};
  platform::CommandButton Command4{this, Frame2.inner(), "Command4", "X"};
  platform::Label Label16{this, Frame2.inner(), "Label16", "Insert image"};
  platform::Label Label17{this, Frame2.inner(), "Label17", "Clear image"};
  platform::TextBox txtImage_File2{this, Frame2.inner(), "txtImage_File2", ""};
  platform::CommandButton Command10{this, Frame2.inner(), "Command10", "..."};
  platform::CommandButton Command11{this, Frame2.inner(), "Command11", "X"};
  platform::CommandButton cmdPrint{this, Frame2.inner(), "cmdPrint", "&Print"};
  platform::CommandButton Command2{this, Frame2.inner(), "Command2", "Cancel"};

  platform::Label Label8{this, client(), "Label8", ""};           // the front title
  platform::Label Label15{this, client(), "Label15", ""};         // the back title
  platform::Label Label10{this, client(), "Label10", "", false};  // the front track list
  platform::Label Label1{this, client(), "Label1", "", false};    // the back track list

  platform::Frame Frame3{this, client(), "Frame3", ""};
  platform::PictureBox Image4{this, Frame3.inner(), "Image4"};
  platform::Label Label19{this, Frame3.inner(), "Label19", "Sending to Printer"};

  // The disc's tracks (track, 4 blanks, song, artist), kept in order by the list itself.
  platform::ListBox List1{
      this, client(), "List1", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::None, true};
  platform::TextBox Text3{this, client(), "Text3", ""};  // the disc title, edited over either title

  // The drawn preview as last shown.
  const QImage& previewImage() const;

  // Measures the paper's texts as the printer measures them, for the preview. Tests put a
  // recording surface here.
  std::shared_ptr<platform::DrawingSurface> paperMeasure = std::make_shared<platform::ImageSurface>(1, 1, 1200);

 private:
  void editTitle(double centre, double top);
  void designValues();
  void repaintPreview();
  covers::CaseLayout paperLayout();
  double frontPxPerMm() const;
  double backPxPerMm() const;
  void fitTitles(const covers::CaseLayout& paper);
  void showTracks(const covers::CaseLayout& paper);
  covers::CaseDesign currentDesign() const;
  covers::CaseSettings shownSettings() const;
  windows::DesignerPreview preview_;
  // Cover.dat's text of the settings the window showed once opened.
  QString openedSettings_;
  // The sizes chosen for the titles and the track lists: what Cover.dat keeps and the paper is
  // printed from. The preview's texts show the sizes the paper prints, scaled to the preview.
  double titleSize_ = 8.25;
  double trackSize_ = 8.25;
};
