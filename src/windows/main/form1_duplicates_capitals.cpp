// Reworking the song list in place: hiding duplicate songs, word capitals and all capitals.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/song_list_rules.h"
#include "catalogue/track_scans.h"
#include "platform/ui/busy.h"

using catalogue::Sort;

void Form1::restoreFromTempList() {
  List2.setVisible(false);
  List2.Clear();
  List2.moveAllFrom(Temp_List);
  Frame1.setVisible(false);
  List2.setVisible(true);
  Temp_List.Clear();
  Label6.setCaption(tracksText(List2.ListCount()));
}

// A change of case leaves every line's place in the case-insensitive order as it was, so the
// lines are rewritten where they stand rather than sorted again through Temp_List.
void Form1::Upper_Case() {
  if (List2.ListCount() == 0) return;
  platform::BusyScope busy;
  List2.setVisible(false);
  Frame1.setVisible(true);
  platform::letEventsThrough();
  Temp_List.Clear();
  List2.model()->transformTexts([](const QString& line) { return catalogue::allCapitals(line); });
  listRecased_ = true;
  Frame1.setVisible(false);
  List2.setVisible(true);
  Label6.setCaption(tracksText(List2.ListCount()));
}

void Form1::Lower_Case() {
  if (List2.ListCount() == 0) return;
  platform::BusyScope busy;
  List2.setVisible(false);
  Frame1.setVisible(true);
  Temp_List.Clear();
  const Sort sort = currentSort().value_or(Sort::MfCode);
  const bool numberToo = Check1.Value() == 1 && Check2.Value() == 1;
  List2.model()->transformTexts([&](const QString& line) {
    platform::letEventsThroughSliced();
    return catalogue::wordCapitals(line, sort, numberToo);
  });
  listRecased_ = true;
  Frame1.setVisible(false);
  List2.setVisible(true);
  Label6.setCaption(tracksText(List2.ListCount()));
}

void Form1::Remove_Dupes() {
  hiddenCopies_.clear();
  hiddenCopiesKnown_ = true;
  const int count = List2.ListCount();
  if (count == 0) return;
  platform::BusyScope busy;
  ProgressBar1.setMin(0);
  ProgressBar1.setMax(count - 1);
  ProgressBar1.setValue(0);
  List2.setVisible(false);
  TabStrip1.setVisible(false);
  Frame1.setVisible(true);
  platform::letEventsThrough();

  const Sort sort = currentSort().value_or(Sort::Song);
  const QStringList lines = List2.items();
  // Copies are told apart as their records hold them, as before any capitals pass.
  QStringList stored;
  if (listRecased_) {
    catalogue::FileBytes file;
    if (file.open(catalogue::trackFilePath()))
      stored = catalogue::linesAsStored(file.bytes(), sort, lines, List2.itemData(), lineRecords_);
  }
  std::vector<int> ahead;
  const std::vector<int> kept = catalogue::rowsWithoutDupes(
      stored.isEmpty() ? lines : stored, sort, [this](int i) { ProgressBar1.setValue(i); }, &ahead);
  hiddenCopies_.reserve(size_t(count) - kept.size());
  for (int i = 0; i < count; ++i)
    if (ahead[size_t(i)] != i) hiddenCopies_.push_back({lines[i], List2.ItemData(i), lines[ahead[size_t(i)]], sort});
  if (sort == Sort::MfCode) {
    // The kept lines go back through the sorted staging list.
    Temp_List.Clear();
    keepSongLines(kept, Temp_List);
    List2.setVisible(false);
    List2.Clear();
    List2.moveAllFrom(Temp_List);
  } else {
    keepSongLines(kept, List2);
  }
  List2.setVisible(true);
  TabStrip1.setVisible(true);
  Temp_List.Clear();
  Label6.setCaption(tracksText(List2.ListCount()));
  Frame1.setVisible(false);
  platform::letEventsThrough();
}
