// Save and Open: the ticked discs, the options and the song list kept in a song-list file.
#include "windows/main/form1.h"

#include "catalogue/disc_reference.h"
#include "catalogue/song_list_file.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/file_prompts.h"

#include <utility>

using platform::msg::OKOnly;

namespace {
const QString kSaveTitle = QStringLiteral("Save");
platform::WriteResult replaceList(const QString& name, const QByteArray& bytes) {
  return platform::replaceFileBytes(name, bytes);
}
}  // namespace

catalogue::SongListFile Form1::shownSongList() const {
  catalogue::SongListFile file;
  file.version = 2;
  file.header = catalogue::storableHeader(Text1.Text());
  file.sortKeyword = catalogue::sortKeyword(currentSort());
  file.showCodes = Check1.Value() == 1;
  file.useNumbers = Check2.Value() == 1;
  file.hideDuplicates = Check3.Value() == 1;
  // A code stored without its padding is saved padded, so that its number stays apart from it.
  for (int i = 0; i < List1.ListCount(); ++i)
    if (List1.Selected(i)) {
      const catalogue::DiscItem item = discItem(i);
      file.discs << common::padRight(item.code(), catalogue::kCodeLength) + item.reference();
    }
  file.lines = List2.items();
  return file;
}

bool Form1::saveSongList(const catalogue::SongListFile& file, const ListWrite& write) {
  const common::FileText text = catalogue::songListFileText(file);
  if (!text) {
    platform::prompts().msgBox(text.refusal + QStringLiteral("\n\r") + catalogue::kListNotSavedText,
                               OKOnly + platform::msg::Exclamation, kSaveTitle);
    return false;
  }
  const QByteArray bytes = platform::cp1252::encode(text.content);
  while (true) {
    const auto name = windows::askSongListSaveName();
    if (!name) return false;
    const platform::WriteResult written = write(*name, bytes);
    if (written) return true;
    windows::reportWriteFailure(written, *name, kSaveTitle);
    // As after any failed write, the save starts again.
  }
}

bool Form1::cmdSave_Click() {
  if (List1.SelCount() == 0) {
    platform::prompts().msgBox(QStringLiteral("Please create a list first, nothing to Save"), OKOnly, kSaveTitle);
    return false;
  }
  return saveSongList(shownSongList(), replaceList);
}

bool Form1::finishListWithChange(const std::optional<QString>& done, const platform::WriteResult& placed) {
  if (!readyList_) return false;
  const ReadyList ready = *std::exchange(readyList_, std::nullopt);
  if (!done) return true;
  if (placed) return false;
  // The change stands: the user hears so, then, as after any failed write, the save starts again,
  // with the list as the change left it. The list is cleared only after a word.
  platform::prompts().msgBox(
      *done + QStringLiteral(" The song list could not be saved: ") + windows::writeFailureText(placed, ready.name),
      OKOnly + platform::msg::Exclamation, kSaveTitle);
  if (!saveSongList(ready.file, replaceList))
    platform::prompts().msgBox(catalogue::kListNotSavedText, OKOnly + platform::msg::Exclamation, kSaveTitle);
  return false;
}

void Form1::cmdOpen_Click() {
  const platform::FileDialogRequest req = windows::songListFileRequest();
  const auto name = platform::prompts().openFile(req);
  if (!name || name->isEmpty() || *name == req.fileName) return;
  openSongList(*name);
}

void Form1::Command_Open(const QString& File_to_Open) { openSongList(File_to_Open); }

void Form1::openSongList(const QString& path) {
  // The file is read and its first line checked before anything of the window changes, so a
  // wrong choice never costs the user the ticks they have not saved.
  const auto values = catalogue::readSongListValues(path);
  if (!values) {
    platform::prompts().msgBox(catalogue::unreadableSongListMessage(path), OKOnly + platform::msg::Exclamation,
                               catalogue::kOpenTitle);
    return;
  }
  const int version = catalogue::songListVersion(values->value(0));
  if (version == 0) {
    platform::prompts().msgBox(catalogue::notMellowdexMessage(path), OKOnly, catalogue::kOpenTitle);
    return;
  }

  platform::BusyScope busy;
  Frame1.setVisible(true);
  Ticking_In_Code = true;
  cmdUntag_Click();
  Opening_File = true;

  const catalogue::OpenedSongList opened = catalogue::openedSongList(*values, version);
  const catalogue::RestoredDiscs restored = catalogue::restoredDiscs(List1.items(), opened.discs, opened.useNumbers);
  if (opened.header) Text1.setText(*opened.header);
  if (opened.sort) {
    switch (*opened.sort) {
      case catalogue::Sort::Artist:
        Option1.setValue(true);
        TabStrip1.setSelectedIndex(2);
        break;
      case catalogue::Sort::Song:
        Option2.setValue(true);
        TabStrip1.setSelectedIndex(1);
        break;
      case catalogue::Sort::Track:
        Option3.setValue(true);
        TabStrip1.setSelectedIndex(3);
        break;
      case catalogue::Sort::MfCode:
        Option5.setValue(true);
        TabStrip1.setSelectedIndex(4);
        break;
    }
  }
  Check1.setValue(opened.showCodes ? 1 : 0);
  Check2.setValue(opened.useNumbers || restored.numbers ? 1 : 0);
  Check3.setValue(opened.hideDuplicates ? 1 : 0);

  for (const auto& [index, text] : restored.ticks) {
    List1.setList(index, text);
    platform::letEventsThroughSliced();
    List1.setSelected(index, true);
  }
  // Told once the ticks are back, before Create List would leave the songs out. Without the disc
  // file no disc is known to be gone: the user has been told that it cannot be read instead.
  if (!restored.missing.isEmpty() && !discFileReported_)
    platform::prompts().msgBox(catalogue::discsNoLongerHeldText(restored.missing), OKOnly + platform::msg::Exclamation,
                               catalogue::kOpenTitle);

  int linesRead = 0;
  if (version == 2 && chkOpen.Value() == 1) {
    linesRead = int(opened.lines.size());
    List2.addItems(opened.lines);
    hiddenCopiesKnown_ = linesRead == 0;
  }
  List1.widget()->update();

  if (version == 2) {
    if (chkOpen.Value() == 0) {
      List2.setVisible(false);
      List2.Clear();
    } else {
      List2.setVisible(true);
      TabStrip1.setVisible(true);
    }
    platform::letEventsThrough();
    if (linesRead == 0) {
      List2.setVisible(false);
      List2.Clear();
      TabStrip1.setVisible(false);
      if (chkOpen.Value() == 1) cmdGet_Tracks_Click();
    }
    Opening_File = false;
    platform::letEventsThrough();
    Frame1.setVisible(false);
    mnuFull_Screen.setEnabled(true);
    mnuHide_Vocal_Tracks.setEnabled(true);
    Ticking_In_Code = false;
    Label6.setCaption(tracksText(List2.ListCount()));
    // The list holds what fits; the lines left out are told of, as Create List does.
    if (linesRead > 0 && opened.linesCut)
      platform::prompts().msgBox(catalogue::kMaxListText, OKOnly, catalogue::kMaxListTitle);
  } else {
    platform::letEventsThrough();
    Opening_File = false;
    platform::letEventsThrough();
    if (chkOpen.Value() == 1) cmdGet_Tracks_Click();
    Frame1.setVisible(false);
    mnuFull_Screen.setEnabled(true);
    mnuHide_Vocal_Tracks.setEnabled(true);
    Ticking_In_Code = false;
  }
  if (List2.ListCount() > 0)
    for (auto* m : {&mnuSave, &mnuExport, &mnuUpdate_File, &mnuPrint}) m->setEnabled(true);
}

void Form1::Text1_KeyPress(int& keyAscii) {
  // A double quote would end the header early in a saved file.
  if (keyAscii == '"') keyAscii = 0;
}
