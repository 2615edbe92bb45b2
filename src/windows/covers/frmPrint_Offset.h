// The "Print CD Label" window: designs the face label of one disc (title, track list, colours,
// picture, offsets in millimetres) on a preview and prints it at real size.
#pragma once

#include "covers/label_paper.h"
#include "covers/label_preview.h"
#include "covers/label_printer.h"
#include "covers/label_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/covers/designer_common.h"

class frmPrint_Offset : public platform::FormBase {
 public:
  frmPrint_Offset();
  ~frmPrint_Offset() override;

  void Form_Load() override;
  void Form_Activate() override;

  void Combo1_Click();
  void Combo2_Click();
  void Combo5_Click();
  void Combo6_Click();
  void Command1_Click();
  void Command5_Click();
  void Command7_Click();
  void Command3_Click();
  void Command4_Click();
  void Show_Image();
  void txtImage_File_Change();
  void Text1_Change();
  void Text2_Change();
  void Text1_GotFocus();
  void Text2_GotFocus();
  void Text3_GotFocus();
  void Label8_Click();
  void Text3_Change();
  void Text3_LostFocus();
  void Form_Click();
  void Frame1_Click();
  void Label10_Click();
  void Command2_Click();
  void cmdPrint_Click();
  void Draw_Circle();
  void Read_OffSet_File();
  void Write_OffSet_File();

  // Where the label is printed: by default the default printer (or a PDF file the user names
  // where there is no printer). Tests put a recording surface here.
  covers::PrinterFactory makePrinterSurface;

  static const QString kCaption;  // "Print CD Label"

  // ---- the preview's drawn elements (the window's 100 x 100 units)
  covers::PreviewShape Shape1;  // the page's shadow
  covers::PreviewShape Shape2;  // the page
  covers::PreviewShape Shape3;  // the disc, filled with the disc colour
  covers::PreviewShape Shape4;  // the centre hole
  covers::PreviewShape Shape5;  // the disc's outline
  covers::PreviewShape Shape6;  // the hole's outline
  covers::PreviewImage Image1;  // the picture

  // ---- controls, from the bottom layer up
  platform::PictureBox picPreview{this, client(), "picPreview"};  // shows the drawn elements

  platform::Frame Frame1{this, client(), "Frame1", ""};
  platform::Label Label7{this, Frame1.inner(), "Label7", "Click disc title to change text"};
  platform::Label Label6{this, Frame1.inner(), "Label6", "Disc title format"};
  platform::ComboBox Combo1{this, Frame1.inner(), "Combo1", platform::ComboBox::Style::DropdownList, true};
  platform::ComboBox Combo2{this, Frame1.inner(), "Combo2", platform::ComboBox::Style::DropdownList, false};
  platform::CommandButton Command5{this, Frame1.inner(), "Command5", ""};
  platform::Label Label11{this, Frame1.inner(), "Label11", "Track listing format"};
  platform::ComboBox Combo5{this, Frame1.inner(), "Combo5", platform::ComboBox::Style::DropdownList, true};
  platform::ComboBox Combo6{this, Frame1.inner(), "Combo6", platform::ComboBox::Style::DropdownList, false};
  platform::CommandButton Command7{this, Frame1.inner(), "Command7", ""};
  platform::Label Label5{this, Frame1.inner(), "Label5", "Insert image"};
  platform::TextBox txtImage_File{this, Frame1.inner(), "txtImage_File", ""};
  platform::CommandButton Command3{this, Frame1.inner(), "Command3", "..."};
  platform::Label Label12{this, Frame1.inner(), "Label12", "Clear image"};
  platform::CommandButton Command4{this, Frame1.inner(), "Command4", "X"};
  platform::Label Label9{this, Frame1.inner(), "Label9", "Disc color"};
  platform::CommandButton Command1{this, Frame1.inner(), "Command1", ""};
  platform::Label Label1{this, Frame1.inner(), "Label1", "Horizontal OffSet"};
  platform::TextBox Text1{this, Frame1.inner(), "Text1", "0"};
  platform::Label Label3{this, Frame1.inner(), "Label3", "millimeters"};
  platform::Label Label2{this, Frame1.inner(), "Label2", "Vertical OffSet"};
  platform::TextBox Text2{this, Frame1.inner(), "Text2", "0"};
  platform::Label Label4{this, Frame1.inner(), "Label4", "millimeters"};
  platform::CheckBox Check1{this, Frame1.inner(), "Check1", "Print label guides"};
  platform::CommandButton cmdPrint{this, Frame1.inner(), "cmdPrint", "&Print"};
  platform::CommandButton Command2{this, Frame1.inner(), "Command2", "Cancel"};

  platform::Label Label8{this, client(), "Label8", "Disc Title", false};  // the preview title
  platform::Label Label10{this, client(), "Label10", ""};                 // the preview track list

  platform::Frame Frame3{this, client(), "Frame3", ""};
  platform::PictureBox Image4{this, Frame3.inner(), "Image4"};
  platform::Label Label19{this, Frame3.inner(), "Label19", "Sending to Printer"};

  // The disc's tracks (track, 4 blanks, song, artist), kept in order by the list itself.
  platform::ListBox List1{
      this, client(), "List1", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::None, true};
  platform::TextBox Text3{this, client(), "Text3", ""};  // the disc title, edited over the preview title

  // The drawn preview as last shown.
  const QImage& previewImage() const;

 private:
  void designValues();
  void repaintPreview();
  void fitTitle();
  double pxPerMm() const;
  void showTracks();
  covers::LabelDesign currentDesign() const;
  covers::LabelSettings shownSettings() const;
  windows::DesignerPreview preview_;
  // OffSet.dat's text of the settings the window showed once opened.
  QString openedSettings_;
  // Measures the title and the track list as the printer measures them, for the preview.
  platform::ImageSurface paperMeasure_{1, 1, 1200};
  // The track list's size as chosen: what OffSet.dat keeps and the paper prints twice as large.
  // The preview's track list shows the paper's size, scaled to the preview.
  double trackSize_ = 8.25;
};
