// The main window's commands for CD labels and cases, song slips and the selection sheet.
#include "windows/main/form1.h"

#include "catalogue/disc_reference.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "covers/selection_sheet.h"
#include "covers/slips.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/printer_surface.h"
#include "platform/ui/prompts.h"
#include "windows/covers/frmPrint_Cover.h"
#include "windows/covers/frmPrint_Offset.h"
#include "windows/main/scan_frame.h"

#include <QPrinter>

#include <functional>
#include <optional>
#include <string_view>

namespace {

const QString kNoDiscText = QStringLiteral("Please highlight a disc first");
const QString kSheetTitle = QStringLiteral("Print Cd Selection Sheet");
const QString kSheetFailed = QStringLiteral("The CD selection sheet could not be printed.");
const QString kSlipsTitle = QStringLiteral("Print Song Slips");
const QString kSlipsFailed = QStringLiteral("The song slips could not be printed.");

void defaultPointer(Form1& form) { form.setMousePointer(platform::MousePointer::Default); }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Every track of the track file whose record the test accepts, in file order; nothing when
// the file cannot be read (the user has been told, under the busy pointer).
std::optional<QStringList> readDiscTracks(windows::ScanFrame& scan,
                                          const std::function<bool(std::string_view code)>& belongs) {
  catalogue::FileBytes file;
  if (!scan.open(file)) {
    scan.tellUnreadable();
    return std::nullopt;
  }
  QStringList lines;
  for (const catalogue::RecordBytes& r : catalogue::discRecords(file.bytes(), belongs))
    lines << catalogue::trackListItem(r);
  return lines;
}

// Fills a designer with one disc's tracks and its title and shows it, the pointer restored; the
// main window waits.
template <typename Designer>
void openDesigner(Form1& form, windows::ScanFrame& scan, const std::function<bool(std::string_view)>& belongs,
                  const QString& title) {
  const std::optional<QStringList> tracks = readDiscTracks(scan, belongs);
  scan.restore();
  if (!tracks) return;
  Designer designer;
  designer.Load();  // its own preparation runs before the tracks arrive
  designer.List1.Clear();
  designer.List1.addItems(*tracks);
  platform::letEventsThrough();
  designer.Text3.setText(title);
  platform::letEventsThrough();
  form.showModal(designer);
}

// The highlighted disc of the disc list: its tracks are those whose code, without its outer
// blanks, is the disc's whole code; its reference number, when it has one, is the designer's
// title, else the code. A failure is told under the designer's caption.
template <typename Designer>
void openDesignerForDisc(Form1& form, const QString& caption) {
  windows::ScanFrame scan(form, caption);
  scan.showBusyPointer();
  platform::letEventsThrough();
  const catalogue::DiscItem item = form.discItem();
  const QString code = common::Trim(item.code());
  if (code.isEmpty()) {
    scan.restore();  // before the message
    platform::prompts().msgBox(kNoDiscText, platform::msg::OKOnly, caption);
    return;
  }
  const QString reference = common::Trim(item.reference());
  const QByteArray key = platform::cp1252::encode(code);
  const std::string_view wanted(key.constData(), size_t(key.size()));
  openDesigner<Designer>(
      form, scan, [wanted](std::string_view recordCode) { return trimBlanks(recordCode) == wanted; },
      reference.isEmpty() ? code : reference);
}

// The disc of the highlighted song-list line: that of the record it was made from, or for a line
// read from a saved list the one disc its code column and track fit. Its tracks are those whose
// code is the disc's whole code, trailing blanks aside. The messages come under the busy pointer.
template <typename Designer>
void openDesignerForLine(Form1& form, const QString& caption) {
  windows::ScanFrame scan(form, caption);
  scan.showBusyPointer();
  platform::letEventsThrough();
  if (form.Check1.Value() != 1) {
    platform::prompts().msgBox(Form1::kViewNeedsCodesText, platform::msg::OKOnly, Form1::kViewDiscTitle);
    return;
  }
  const QString line = form.List2.Text();
  if (line.isEmpty()) return;  // no line highlighted
  const std::optional<QString> disc = form.discOfCurrentLine(caption);
  if (!disc) return;
  const QByteArray key = common::discIdentity(platform::cp1252::encode(*disc));
  const QString shown = catalogue::discCodeOfLine(line, form.currentSort().value_or(catalogue::Sort::MfCode));
  openDesigner<Designer>(
      form, scan,
      [key, none = disc->isEmpty()](std::string_view recordCode) {
        return !none && common::isDiscCode(recordCode, key);
      },
      common::Trim(disc->isEmpty() ? shown : *disc));
}

// The printer, or the PDF file, and the paper that the print dialog chose. Each sheet is one page of its
// own; the dialog's copies are the number of sheets, not copies of the document.
void printSheets(Form1& form, const std::function<void(platform::DrawingSurface&, int)>& draw, const QString& failure,
                 const QString& title) {
  form.showBusyPointer();
  platform::PrintDialogRequest request;
  const std::optional<platform::PrintDialogAnswer> answer = platform::prompts().printDialog(request);
  if (!answer || answer->copies <= 0) {
    defaultPointer(form);
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  platform::usePrintChoice(printer, *answer);
  platform::PrinterSurface surface(printer);
  draw(surface, answer->copies);
  const bool printed = surface.endDocument();
  defaultPointer(form);
  if (!printed)
    platform::prompts().msgBox(failure + QStringLiteral("\n\r") + surface.errorString(),
                               platform::msg::OKOnly + platform::msg::Exclamation, title);
}

}  // namespace

void Form1::mnuPrint_CD_Case_Click() { openDesignerForDisc<frmPrint_Cover>(*this, frmPrint_Cover::kCaption); }

void Form1::mnuPrint_CD_Label_Click() { openDesignerForDisc<frmPrint_Offset>(*this, frmPrint_Offset::kCaption); }

void Form1::mnuCD_Cover_List2_Click() { openDesignerForLine<frmPrint_Cover>(*this, frmPrint_Cover::kCaption); }

void Form1::mnuCD_Label_List2_Click() { openDesignerForLine<frmPrint_Offset>(*this, frmPrint_Offset::kCaption); }

void Form1::Print_CD_Selection_Sheet() { printSheets(*this, covers::printSelectionSheets, kSheetFailed, kSheetTitle); }

void Form1::mnuSong_Slips_Click() { printSheets(*this, covers::printSlipPages, kSlipsFailed, kSlipsTitle); }
