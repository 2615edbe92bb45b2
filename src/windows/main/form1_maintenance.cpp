// The main window's commands that open the database editing windows.
#include "windows/main/form1.h"

#include "common/text_helpers.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/database/add_tracks.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"
#include "windows/database/Rename_Disc.h"

using platform::msg::OKOnly;

namespace {
// One highlighted song-list line at most: true (and the user told) when there are more.
bool moreThanOneTrack(const platform::ListBox& list, const QString& title) {
  if (list.SelCount() < 2) return false;
  platform::prompts().msgBox(QStringLiteral("Please select only one track"), OKOnly, title);
  return true;
}
const QString kEditTitle = QStringLiteral("Edit Track");
// Between the two lines of the offer to save the list before it is cleared.
const QString kSaveOfferBreak = QStringLiteral("\n\r");
}  // namespace

windows::SaveOffer Form1::saveOfferBeforeChange(const QString& title) {
  return {[this] { return List1.SelCount() > 0; }, [this, title] { return offerToSave(kSaveOfferBreak, title); }};
}

windows::ListSaveOffer Form1::saveOfferWithChange(const QString& title) {
  return {[this] { return List1.SelCount() > 0; },
          [this, title](const windows::ListSaveOffer::Change& change) { return makeListReady(title, change); },
          [this]() -> std::optional<maintenance::FileWrite> {
            if (!readyList_) return std::nullopt;
            return maintenance::FileWrite{readyList_->name, readyList_->bytes, true};
          },
          [this](const std::optional<QString>& done, const platform::WriteResult& placed) {
            return finishListWithChange(done, placed);
          }};
}

bool Form1::makeListReady(const QString& title, const windows::ListSaveOffer::Change& change) {
  readyList_.reset();
  if (!wantsListSaved(kSaveOfferBreak, title)) return true;
  const catalogue::HiddenCopies hidden = copiesHiddenNow(change.tracks);
  const catalogue::SongListFile file =
      change.replacement.isEmpty()
          ? catalogue::deletedSongList(shownSongList(), tickedDiscItems(), lineRecords(), change.tracks, change.disc,
                                       change.track, change.discGoes, hidden)
          : catalogue::recodedSongList(shownSongList(), tickedDiscItems(), lineRecords(), change.tracks, change.disc,
                                       change.replacement, hidden);
  // Written with the change; what can be known of the name now is checked now, while the
  // database is as it was.
  return saveSongList(file, [&](const QString& name, const QByteArray& bytes) {
    const platform::WriteResult possible = platform::canReplace(name);
    if (possible) readyList_ = ReadyList{name, file, bytes};
    return possible;
  });
}

void Form1::cmdCreate_Update_Click() {
  if (List1.SelCount() == 0) {
    platform::prompts().msgBox(kCreateListFirstText, OKOnly, QStringLiteral("Make Update"));
    return;
  }
  cmdCreate_Update.setEnabled(false);
  mnuUpdate_File_Click();
  cmdCreate_Update.setEnabled(true);
}

void Form1::mnuTracks_Click() {
  Label4.setCaption(QString());
  if (!offerToSave(kSaveOfferBreak, QStringLiteral("Add Tracks"))) return;
  add_tracks window;
  showModal(window);
  // The list was offered for saving before the window: only a change clears it now.
  if (!window.changedDatabase()) return;
  cmdUntag_Click();
  reselectDisc();
}

void Form1::mnu_Change_Disc_Code_Click() {
  if (common::Trim(List1.Text()).isEmpty()) {
    platform::prompts().msgBox(Rename_Disc::kNoDiscText, OKOnly, Rename_Disc::kCaption);
    return;
  }
  Label4.setCaption(QString());
  Rename_Disc window;
  window.Load();
  window.setCurrent(common::Trim(discItem().code()));
  window.beforeWrite = saveOfferWithChange(Rename_Disc::kCaption);
  platform::letEventsThrough();
  showModal(window);
  if (!window.changedDatabase()) return;
  cmdUntag_Click();
  reselectDisc();
}

void Form1::mnuedittrack_Click() {
  if (moreThanOneTrack(List2, kEditTitle)) return;
  if (List2.SelCount() == 1) {
    handOverAgain(true);
    showModal(Edit_Record::instance());
  } else {
    platform::prompts().msgBox(QStringLiteral("Please select a track first"), OKOnly, kEditTitle);
  }
  platform::letEventsThrough();
}

void Form1::mnug_Click() {
  if (moreThanOneTrack(List2, kEditTitle)) return;
  handOverAgain(true);
  showModal(Edit_Record::instance());
  platform::letEventsThrough();
}

void Form1::mnuDelete_Click() {
  if (moreThanOneTrack(List2, QStringLiteral("Delete Track"))) return;
  handOverAgain(false);
  delete_record& window = delete_record::instance();
  window.beforeWrite = saveOfferWithChange(delete_record::kCaption);
  showModal(window);
  if (window.changedDatabase()) cmdUntag_Click();
}
