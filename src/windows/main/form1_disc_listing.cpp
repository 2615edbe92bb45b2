// The disc listing view: every track of one disc below the song list.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/disc_reference.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/file_prompts.h"
#include "windows/main/scan_frame.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cmath>
#include <functional>
#include <limits>
#include <string_view>

using catalogue::Sort;

namespace {

void hideView(Form1& f) {
  f.List3.Clear();
  f.List3.setVisible(false);
  f.cmdClose.setVisible(false);
}

void showCloseButton(Form1& f) {
  f.placeCloseButton();
  f.cmdClose.setVisible(true);
}

// Fills the view with every track of the track file whose code the test accepts, under the busy
// frame and pointer. False when the track file cannot be read (the user is told at the end of the
// pass); the view is then empty.
bool scanDisc(Form1& f, const std::function<bool(std::string_view code)>& belongs, const QString& title) {
  windows::ScanFrame scan(f, title);
  scan.showFrame();
  platform::letEventsThrough();
  scan.setStepsByHundreds();
  scan.showBusyPointer();
  platform::letEventsThrough();

  catalogue::FileBytes file;
  const bool readable = scan.open(file);
  if (readable) {
    const auto records =
        catalogue::discRecords(file.bytes(), belongs, scan.progress(100, windows::ScanFrame::Events::Held));
    QStringList lines;
    for (const catalogue::RecordBytes& r : records) lines << catalogue::discListingLine(r);
    f.List3.addItems(lines);
  }
  f.Label6.setCaption(Form1::tracksText(f.List2.ListCount()));
  scan.finish();
  return readable;
}

}  // namespace

std::optional<QString> Form1::discOfCurrentLine(const QString& title) {
  const int row = List2.ListIndex();
  if (row < 0) return QString();
  if (const std::optional<catalogue::LineRecord> own = lineRecord(row)) return own->code;
  // A line read from a saved list: the one disc that fits its code and track.
  const catalogue::LineFields cut = catalogue::fieldsOfLine(List2.List(row), currentSort().value_or(Sort::MfCode));
  const QString path = catalogue::trackFilePath();
  catalogue::FileBytes file;
  if (!file.open(path)) {
    windows::reportUnreadable(path, title);
    return std::nullopt;
  }
  const catalogue::DiscMatch match =
      catalogue::discOfLine(file.bytes(), {cut.code, cut.track, std::nullopt, cut.song, cut.artist});
  if (match.discs.size() > 1) {
    platform::prompts().msgBox(catalogue::fitsSeveralDiscsText(cut.code, match.discs), platform::msg::OKOnly, title);
    return std::nullopt;
  }
  return match.discs.isEmpty() ? QString() : match.key;
}

void Form1::List2_DblClick() {
  const QString line = List2.Text();
  QGuiApplication::clipboard()->clear();
  QGuiApplication::clipboard()->setText(line);

  hideView(*this);
  ProgressBar1.setValue(0);
  platform::letEventsThrough();

  if (Check1.Value() == 0) {
    platform::prompts().msgBox(kViewNeedsCodesText, platform::msg::OKOnly, kViewDiscTitle);
    return;
  }
  const std::optional<QString> disc = discOfCurrentLine(kViewDiscTitle);
  if (!disc) return;
  const QByteArray key = common::discIdentity(platform::cp1252::encode(*disc));
  const auto belongs = [&](std::string_view code) { return !disc->isEmpty() && common::isDiscCode(code, key); };
  if (!scanDisc(*this, belongs, kViewDiscTitle)) return;
  TabStrip1.setVisible(true);

  if (List2.Visible()) {
    List3.setVisible(true);
    if (List3.ListCount() == 0) {
      List2.setHeight(95 - List2.Top());
      hideView(*this);
      Frame1.setVisible(false);
      platform::prompts().msgBox(QStringLiteral("No tracks matching '") + cmbSearch_text.Text() +
                                     QStringLiteral("' found.\rPlease try again."),
                                 platform::msg::OKOnly, QStringLiteral("SEARCH SONGS"));
      cmbSearch_text.SetFocus();
      setListCommands(List2.ListCount() > 0);  // the song list still holds its lines
    } else {
      Frame1.setVisible(false);
      showCloseButton(*this);
      if (mnuFull_Screen.Checked()) {
        List2.Move(List2.Left(), 0, List2.Width(), 95);
      } else {
        const double top = List1.Top() + List1.Height() + 5;
        List2.Move(List2.Left(), top, List2.Width(), 75 - top);
      }
      setListCommands(true);
    }
  } else {
    hideView(*this);
    List2.setHeight(95 - List2.Top());
    platform::prompts().msgBox(kCreateListFirstText, platform::msg::OKOnly, QStringLiteral("SEARCH CURRENT LIST"));
  }
  Frame1.setVisible(false);
}

void Form1::mnuQuick_View_Disc_Click() {
  hideView(*this);
  ProgressBar1.setValue(0);
  platform::letEventsThrough();

  // The tracks whose code is the disc's whole code, trailing blanks aside: a disc file line written
  // without its padding still names the disc.
  const QString code = discItem().code();
  const QByteArray key = common::discIdentity(platform::cp1252::encode(code));
  const auto belongs = [&](std::string_view recordCode) {
    return !code.isEmpty() && common::isDiscCode(recordCode, key);
  };
  if (!scanDisc(*this, belongs, kViewDiscTitle)) return;
  List3.setVisible(true);
  Label17.setVisible(false);
  Label9.setVisible(false);
  if (List2.Visible()) {
    const double top = List1.Top() + List1.Height() + 5;
    List2.Move(List2.Left(), top, List2.Width(), 75 - top);
  }
  showCloseButton(*this);
  Frame1.setVisible(false);
}
