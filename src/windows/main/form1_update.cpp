// The main window's commands for update files, backup, restore and renaming audio files.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/rename_plan.h"
#include "maintenance/track_database.h"
#include "platform/core/cp1252.h"
#include "platform/ui/busy.h"
#include "windows/database/Backup.h"
#include "windows/database/File_Rename.h"
#include "windows/database/Restore.h"
#include "windows/database/update.h"
#include "windows/main/scan_frame.h"

#include <climits>
#include <cmath>

void Form1::mnuUpdate_Click() {
  if (!offerToSave(QString(QChar(13)), QStringLiteral("Update"))) return;
  update window;
  showModal(window);
  // The list was offered for saving before the window: only a change clears it now.
  if (window.changedDatabase()) cmdUntag_Click();
}

void Form1::mnuBackup_Click() {
  Backup window;
  showModal(window);
}

void Form1::mnuRestore_Click() {
  Restore window;
  window.beforeWrite = saveOfferBeforeChange(Restore::kCaption);
  showModal(window);
  if (window.changedDatabase()) cmdUntag_Click();
}

void Form1::mnuRename_Files_Click() {
  File_Rename::release();
  File_Rename& window = File_Rename::instance();
  Quick_View_Rename();
  for (int i = 0; i < List1.ListCount(); ++i) window.heldDiscs << common::discIdentity(discItem(i).code());
  window.otherDiscsSongs = [disc = discItem().code()](const QSet<QString>& keys) {
    catalogue::FileBytes file;
    if (!file.open(catalogue::trackFilePath())) return maintenance::OtherDiscsTracks();
    return maintenance::songsOfOtherDiscs(file.bytes(), disc, keys);
  };
  window.Label1.setCaption(QStringLiteral("Disc Listing for ") + common::Trim(List1.Text()));
  showModal(window);
  File_Rename::release();
}

void Form1::Quick_View_Rename() {
  File_Rename& renamer = File_Rename::instance();
  renamer.List3.setVisible(false);
  renamer.List3.Clear();
  ProgressBar1.setValue(0);
  platform::letEventsThrough();

  // The disc of the run: the highlighted item's whole code, its reference number left out.
  const QString disc = discItem().code();
  const QByteArray code = common::discIdentity(platform::cp1252::encode(disc));
  windows::ScanFrame scan(*this, QStringLiteral("Rename Files"));
  scan.showFrame();
  platform::letEventsThrough();

  scan.setStepsByHundreds();
  scan.showBusyPointer();
  platform::letEventsThrough();

  QStringList items;
  catalogue::FileBytes file;
  if (scan.open(file)) {
    const auto records = catalogue::discRecords(
        file.bytes(),
        [&](std::string_view recordCode) { return !disc.isEmpty() && common::isDiscCode(recordCode, code); },
        scan.progress(100, windows::ScanFrame::Events::Held));
    // Each line holds the whole code: a longer one is another disc than that of its first 11.
    for (const catalogue::RecordBytes& r : records)
      items << maintenance::renameListItem(
          platform::cp1252::decode(r.code.data(), qsizetype(r.code.size())), catalogue::shownTrack(r.track),
          catalogue::fieldText(r.title, common::kTitleWidth), catalogue::fieldText(r.artist, common::kArtistWidth));
  }
  renamer.List3.addItems(items);

  Label6.setCaption(tracksText(List2.ListCount()));
  renamer.List3.setVisible(true);
  scan.finish();
}
