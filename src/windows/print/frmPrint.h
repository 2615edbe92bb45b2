// The "Print Preview" window: font, size, header and colour of the printed song list, a preview
// of page 1, a page estimate in the title, and the Print command.
#pragma once

#include "platform/core/painter_surface.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/prompts.h"
#include "printing/paper_renderer.h"
#include "printing/print_job.h"

#include <QPageLayout>

#include <functional>
#include <memory>
#include <optional>

class frmPrint : public platform::FormBase {
 public:
  frmPrint();
  ~frmPrint() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;

  void Combo1_Click();
  void Combo2_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Text1_Change();
  void Text1_Click();
  void Text1_GotFocus();
  void Read_Print_Ini();
  void Write_Print_Ini();
  void Preview();
  void Count_Pages();
  void Count_Pages(const std::optional<printing::PrintJob>& job);  // the job already read
  // Prints the job on the surface the print dialog's answer leads to; false on a failure (a job
  // that cannot be read, an unknown layout, a printer error), which has been reported.
  bool Print_Choice(const platform::PrintDialogAnswer& answer);

  // Numbers the window keeps while it is open.
  int Preview_Row_Count = 0;
  int Page_Estimate = 0;
  // No paper gives more pages than the list has lines: the print dialog's range boxes take up
  // to this many, for a paper chosen in the dialog itself.
  int pageLimit_ = 1;
  int First_Page = 0;
  int Last_Page = 0;
  int Page_Counter = 0;

  // The preview page (points) and what was drawn on it.
  platform::DrawingSurface& previewSurface() { return *preview_; }
  // Where printed pages go: by default a printer (or PDF file) set up from the dialog's answer.
  // Tests put a recording surface here.
  std::function<std::shared_ptr<platform::DrawingSurface>(const platform::PrintDialogAnswer&)> makePrinterSurface;
  // Where the pages of the list are counted: a printer (never started) set up for the paper last
  // chosen in the print dialog, which measures as the printed pages do. Tests put a recording
  // surface here.
  std::function<std::shared_ptr<platform::DrawingSurface>(const platform::PrintDialogAnswer&)> makeCountingSurface;
  // Replaces the preview page, for tests.
  void setPreviewSurface(std::unique_ptr<platform::DrawingSurface> surface);

  platform::Frame Frame1{this, client(), "Frame1", ""};
  platform::ComboBox Combo1{this, Frame1.inner(), "Combo1", platform::ComboBox::Style::DropdownList, true};
  platform::ComboBox Combo2{this, Frame1.inner(), "Combo2", platform::ComboBox::Style::DropdownList, false};
  platform::CommandButton Command3{this, Frame1.inner(), "Command3", ""};
  platform::TextBox Text1{this, Frame1.inner(), "Text1", ""};  // the main window's header prompt
  platform::CommandButton Command2{this, Frame1.inner(), "Command2", "Apply Header"};
  platform::CommandButton Command1{this, Frame1.inner(), "Command1", "Print"};
  platform::CommandButton Command4{this, Frame1.inner(), "Command4", "Close"};
  // The preview page's dark grey shadow, below and to the right of it (made first: underneath).
  platform::Label Shape1{this, client(), "Shape1", "", false};
  platform::PictureBox Picture1{this, client(), "Picture1"};
  platform::Label Label1{this, client(), "Label1", "0"};
  platform::Frame Frame3{this, client(), "Frame3", ""};
  platform::Label Label19{this, Frame3.inner(), "Label19", "Sending list to Printer"};

 private:
  // Lays the job out on the paper last chosen: the page estimate, and the fit the preview shows.
  void countPaper(const std::optional<printing::PrintJob>& job);
  // The window's title: the tracks, the tracks a page holds, the pages, and a size made smaller.
  void showFigures(const std::optional<printing::PrintJob>& job);
  void placePreviewPage();
  void usePaper(const QPageLayout& layout);
  void showPreviewImage();
  printing::PaperSettings paperSettings() const;
  std::unique_ptr<platform::DrawingSurface> preview_;
  std::optional<printing::PageFit> paperFit_;  // the paper's, as last counted
  // The printer or file and the paper last chosen in the print dialog, which it opens on next.
  platform::PrintDialogAnswer printChoice_;
  bool jobMissingReported_ = false;
  bool fontsFilled_ = false;
};
