// Clicks on the song list, its two popup menus and hiding selected lines.
#include "windows/main/form1.h"

#include "common/text_helpers.h"
#include "platform/ui/prompts.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"

#include <utility>

using catalogue::Sort;
using common::Trim;
using common::UCase;

namespace {

// The delete and edit windows, still hidden, filled from the line so that the delete and edit
// commands only have to show them. They act on the disc of the line's own record, when it has one.
void prefillDialogs(const QString& line, Sort sort, const std::optional<catalogue::LineRecord>& record) {
  const catalogue::LineFields cut = catalogue::fieldsOfLine(line, sort);
  const std::optional<QString> stored = record ? std::optional<QString>(record->code) : std::nullopt;
  // The code as shown, not upper-cased: a small letter in it says it is shown as stored. The song
  // and artist as shown: the track is changed only while it still holds them.
  const catalogue::ListLine handed{cut.code, UCase(cut.track), stored, cut.song, cut.artist};
  delete_record& del = delete_record::instance();
  del.Option2.setValue(true);  // track mode; its own handling empties both boxes
  del.handOverLine(handed);
  Edit_Record& edit = Edit_Record::instance();
  edit.handOverLine(handed);
  edit.Text2.setText(UCase(cut.track));
  edit.Text3.setText(UCase(Trim(cut.song)));
  edit.Text4.setText(UCase(Trim(cut.artist)));
  del.Text1.setBackColor(0xFFFFFF);
  del.Text2.setBackColor(0xFFFFFF);
}

}  // namespace

void Form1::wireSongListHandlers() {
  List2.Click = [this] { List2_Click(); };
  List2.MouseDown = [this](int b, int s, double x, double y) { List2_MouseDown(b, s, x, y); };
  List2.DblClick = [this] { List2_DblClick(); };
  // The disc listing view's grey background.
  List3.setBackColor(0xE0E0E0);
}

void Form1::List2_Click() {
  if (const auto sort = currentSort()) prefillDialogs(List2.Text(), *sort, lineRecord(List2.ListIndex()));
}

void Form1::List2_MouseDown(int button, int, double, double) {
  if (button != platform::mouse::Right) return;
  // A right click leaves the current line where it was: the popup concerns that line.
  const QString line = List2.Text();
  if (line.isEmpty()) {
    platform::prompts().popupMenu(mnuz, List2.popupPosition());
    return;
  }
  if (Check1.Value() == 0) {
    mnuMF_Code.setVisible(true);
    platform::prompts().popupMenu(mnuz, List2.popupPosition());
    mnuMF_Code.setVisible(false);
    return;
  }
  const auto sort = currentSort();
  if (!sort) return;
  prefillDialogs(line, *sort, lineRecord(List2.ListIndex()));
  platform::prompts().popupMenu(mnuD, List2.popupPosition());
}

void Form1::mnu51_Click() {
  if (List2.ListIndex() == -1) return;
  // One pass: the lines that stay, in their order, go back into the emptied list (removing
  // them one at a time would cost a shift of the whole list for each).
  const int count = List2.ListCount();
  const int current = List2.ListIndex();
  int newCurrent = -1;
  std::vector<int> kept;
  kept.reserve(size_t(count - List2.SelCount()));
  for (int i = 0; i < count; ++i) {
    if (List2.Selected(i)) continue;
    if (i == current) newCurrent = int(kept.size());
    kept.push_back(i);
  }
  keepSongLines(kept, List2);
  // A current line that stays remains current, as removing the others around it would leave
  // it; nothing was clicked, so the click handling does not run.
  if (newCurrent >= 0) {
    auto click = std::exchange(List2.Click, nullptr);
    List2.setListIndex(newCurrent);
    List2.Click = std::move(click);
  }
  Label6.setCaption(tracksText(List2.ListCount()));
}

void Form1::mnu52_Click() { mnu51_Click(); }
