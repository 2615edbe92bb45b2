// Create List and Tick All: the song list built from the track file in the current layout.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/disc_reference.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/text_helpers.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/main/scan_frame.h"

#include <QHash>

#include <cmath>

using catalogue::Sort;

namespace {

const QString kWaitText = QStringLiteral("Please wait while your list is proccessed.");

// The progress maximum of Create List: the record estimate (length / 92, a half rounded to the
// even neighbour, at least 1000) divided by 100, at most 100.
int createListProgressMax(qint64 fileLength) { return std::min(catalogue::progressSteps(fileLength, 1000, 100), 100); }

}  // namespace

void Form1::addScannedLines(catalogue::ScannedLines& made) {
  hiddenCopies_.clear();
  hiddenCopiesKnown_ = true;
  listRecased_ = false;
  lineRecords_ = std::move(made.records);
  List2.addItems(made.lines, made.numbers);
}

std::optional<catalogue::LineRecord> Form1::lineRecord(int row) const {
  return lineRecords_.record(List2.ItemData(row));
}

std::vector<std::optional<catalogue::LineRecord>> Form1::lineRecords() const {
  std::vector<std::optional<catalogue::LineRecord>> records;
  records.reserve(size_t(List2.ListCount()));
  for (int i = 0; i < List2.ListCount(); ++i) records.push_back(lineRecord(i));
  return records;
}

void Form1::keepSongLines(const std::vector<int>& rows, platform::ListBox& into) {
  QStringList lines;
  std::vector<qint64> numbers;
  lines.reserve(qsizetype(rows.size()));
  numbers.reserve(rows.size());
  for (const int row : rows) {
    lines << List2.model()->text(row);
    numbers.push_back(List2.ItemData(row));
  }
  if (&into == &List2) List2.Clear();
  into.addItems(lines, numbers);
}

std::optional<Sort> Form1::currentSort() const {
  if (Option1.Value()) return Sort::Artist;
  if (Option2.Value()) return Sort::Song;
  if (Option3.Value()) return Sort::Track;
  if (Option5.Value()) return Sort::MfCode;
  return std::nullopt;
}

void Form1::cmdGet_Tracks_Click() {
  if (List1.SelCount() == 0) {
    platform::prompts().msgBox(QStringLiteral("Please tick your disc MF Codes first"), platform::msg::OKOnly,
                               QStringLiteral("Create List"));
    return;
  }
  platform::BusyScope busy;
  setEnabled(false);
  cmdClose.setVisible(false);
  if (mnuFull_Screen.Checked()) {
    List2.Move(List2.Left(), 0, 100, 95);
  } else {
    const double top = List1.Top() + List1.Height() + 5;
    List2.Move(0, top, 100, 95 - top);
  }
  List3.setVisible(false);
  List3.Clear();
  Label1.setCaption(QStringLiteral("Discs   = 0"));
  Label6.setCaption(tracksText(0));
  Ticking_In_Code = false;
  List2.setVisible(false);
  TabStrip1.setVisible(false);
  Label9.setVisible(false);
  Label17.setVisible(false);
  Frame1.setVisible(true);
  Get_Tracks();
  mnuSave.setEnabled(true);
  platform::letEventsThrough();
  mnuExport.setEnabled(true);
  mnuUpdate_File.setEnabled(true);
  mnuPrint.setEnabled(true);
  Frame1.setVisible(false);
  setEnabled(true);
}

void Form1::Get_Tracks() {
  const bool showCodes = Check1.Value() == 1;
  const bool useNumbers = Check2.Value() == 1;
  const std::optional<Sort> sort = currentSort();

  const QHash<QByteArray, QString> tickedRef = catalogue::tickedReferences(tickedDiscItems(), useNumbers);

  if (sort) Label2.setCaption(catalogue::columnHeader(*sort));
  List2.Clear();
  windows::ScanFrame scan(*this, QStringLiteral("Create List"));
  scan.showFrame();
  scan.showBusyPointer();
  platform::letEventsThrough();

  scan.setSteps(createListProgressMax(platform::fileLength(scan.path())));

  catalogue::FileBytes file;
  if (!scan.open(file)) {
    // Told at once, with the normal pointer over the frame.
    setMousePointer(platform::MousePointer::Default);
    scan.tellUnreadable();
  } else if (sort && !tickedRef.isEmpty()) {
    // The code layout shows the codes: it ticks "Show Manufacturer Codes" once a line is made.
    catalogue::ScannedLines made =
        catalogue::createListLines(file.bytes(), *sort, tickedRef, showCodes || *sort == Sort::MfCode,
                                   scan.progress(1500, windows::ScanFrame::Events::LetThrough));
    if (!made.lines.isEmpty() && *sort == Sort::MfCode && !showCodes) Check1.setValue(1);
    addScannedLines(made);
    // Stopped at the cap, and said so: the list must not pass for complete.
    if (made.capped)
      platform::prompts().msgBox(catalogue::kMaxListText, platform::msg::OKOnly, catalogue::kMaxListTitle);
  }

  if (Check3.Value() == 1) {
    Image2.setVisible(false);
    Image3.setVisible(true);
    Label8.setCaption(QStringLiteral("Please wait..... duplicate tracks are being removed."));
    platform::letEventsThrough();
    Remove_Dupes();
    Image2.setVisible(true);
    Image3.setVisible(false);
    platform::letEventsThrough();
  }
  if (Check5.Value() == 0) Lower_Case();
  Label1.setCaption(QStringLiteral("Discs  =  ") + QString::number(List1.SelCount()));
  Label6.setCaption(tracksText(List2.ListCount()));
  Label8.setCaption(kWaitText);
  scan.restore();
  List2.setVisible(true);
  TabStrip1.setVisible(true);
  platform::beep();
}

void Form1::Click_All() {
  platform::BusyScope busy;
  List2.setVisible(false);
  TabStrip1.setVisible(false);
  Label1.setCaption(QStringLiteral("Discs  =  0"));
  Label6.setCaption(tracksText(0));
  Check3.setValue(0);
  Ticking_In_Code = true;
  Check1.setValue(1);
  Check2.setValue(0);
  mnuPrint.setEnabled(true);
  mnuExport.setEnabled(true);
  mnuUpdate_File.setEnabled(true);
  mnuSave.setEnabled(false);
  platform::letEventsThrough();
  Get_All();
  Ticking_In_Code = false;
  Frame1.setVisible(false);
}

void Form1::Get_All() {
  windows::ScanFrame scan(*this, QStringLiteral("Tick All"));
  catalogue::FileBytes file;
  const bool readable = scan.open(file);
  const qint64 count = readable ? catalogue::recordCount(file.bytes()) : 0;
  scan.setSteps(int(count / 300));
  List2.Clear();
  scan.showBusyPointer();
  platform::letEventsThrough();

  // Every disc ticked at once: while the program ticks, the tick handler would only count.
  List1.model()->setAllSelected(true);
  Label1.setCaption(QStringLiteral("Discs = ") + QString::number(List1.SelCount()));
  Label6.setCaption(tracksText(0));
  List1.widget()->update();
  scan.showFrame();
  platform::letEventsThrough();

  const std::optional<Sort> sort = currentSort();
  if (!readable) {
    scan.tellUnreadable();  // at once, under the frame and the busy pointer
  } else if (sort) {
    catalogue::ScannedLines made =
        catalogue::tickAllLines(file.bytes(), *sort, scan.progress(300, windows::ScanFrame::Events::Held));
    addScannedLines(made);
    if (made.capped)
      platform::prompts().msgBox(catalogue::kMaxListText, platform::msg::OKOnly, catalogue::kMaxListTitle);
  }
  scan.restore();
  platform::letEventsThrough();
  Label1.setCaption(QStringLiteral("Discs  =  ") + QString::number(List1.SelCount()));
  Label6.setCaption(tracksText(List2.ListCount()));
  List2.setVisible(true);
  TabStrip1.setVisible(true);
}
