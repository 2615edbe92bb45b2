// Clicks on the song list, its two popup menus, hiding selected lines, and a line following its edit.
#include "windows/main/form1.h"

#include "catalogue/disc_reference.h"
#include "catalogue/song_list_rules.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/sorted_list_model.h"
#include "platform/ui/prompts.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

using catalogue::Sort;
using common::UCase;

namespace {

// What the delete and edit windows are handed of a line. They act on the disc of the line's own
// record, when it has one.
catalogue::ListLine handedLine(const QString& line, Sort sort, const std::optional<catalogue::LineRecord>& record) {
  const catalogue::LineFields cut = catalogue::fieldsOfLine(line, sort);
  const std::optional<QString> stored = record ? std::optional<QString>(record->code) : std::nullopt;
  // The code as shown, not upper-cased: a small letter in it says it is shown as stored. The song
  // and artist as shown: the track is changed only while it still holds them.
  return {cut.code, UCase(cut.track), stored, cut.song, cut.artist};
}

// The delete and edit windows, still hidden, filled from the line so that the delete and edit
// commands only have to show them.
void prefillDialogs(const QString& line, Sort sort, const std::optional<catalogue::LineRecord>& record) {
  const catalogue::ListLine handed = handedLine(line, sort, record);
  delete_record& del = delete_record::instance();
  del.Option2.setValue(true);  // track mode; its own handling empties both boxes
  del.handOverLine(handed);
  Edit_Record::instance().handOverLine(handed);  // with the track, the song and the artist in capitals
  del.Text1.setBackColor(0xFFFFFF);
  del.Text2.setBackColor(0xFFFFFF);
}

// Adds a line with its number to a sorted list; returns the row it takes.
int addInOrder(platform::ListBox& list, const QString& text, qint64 number) {
  list.addItems({text}, {number});
  // Equal lines keep the order they came in: the new one is the last of them.
  int row = list.ListCount() - 1;
  while (row > 0 && (list.List(row) != text || list.ItemData(row) != number)) --row;
  return row;
}

}  // namespace

void Form1::wireSongListHandlers() {
  List2.Click = [this] { List2_Click(); };
  List2.MouseDown = [this](int b, int s, double x, double y) { List2_MouseDown(b, s, x, y); };
  List2.DblClick = [this] { List2_DblClick(); };
  // The disc listing view's grey background.
  List3.setBackColor(0xE0E0E0);
}

void Form1::List2_Click() { prefillFromCurrentLine(); }

void Form1::prefillFromCurrentLine() {
  const int row = List2.ListIndex();
  const auto sort = currentSort();
  if (row < 0 || !sort) return;
  prefillDialogs(List2.List(row), *sort, lineRecord(row));
  handedFrom_ = HandedFrom::Line;
}

void Form1::handOverAgain(bool editOnly) {
  if (editOnly) {
    // The delete window keeps the disc it may have been handed since.
    const int row = List2.ListIndex();
    if (const auto sort = currentSort(); sort && row >= 0)
      Edit_Record::instance().handOverLine(handedLine(List2.List(row), *sort, lineRecord(row)));
  } else if (handedFrom_ == HandedFrom::Line) {
    prefillFromCurrentLine();
  } else if (handedFrom_ == HandedFrom::Disc && List1.ListIndex() >= 0) {
    prefillDeleteDisc();
  }
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
  if (!currentSort()) return;
  prefillFromCurrentLine();
  platform::prompts().popupMenu(mnuD, List2.popupPosition());
}

void Form1::followEditedLine(const catalogue::ListLine& handed, const QStringList& before, const QStringList& after,
                             const QByteArray& tracksBefore) {
  const auto sort = currentSort();
  const int row = List2.ListIndex();
  if (!sort || row < 0 || before.size() < 4 || after.size() < 4) return;
  // Still the line handed over: a capitals pass since changed its case and nothing else.
  const QString line = List2.List(row);
  const catalogue::LineFields cut = catalogue::fieldsOfLine(line, *sort);
  const auto same = [](const QString& a, const QString& b) { return UCase(a) == UCase(b); };
  const std::optional<catalogue::LineRecord> own = lineRecord(row);
  if (!same(cut.code, handed.shownCode) || !same(cut.track, handed.track) || !same(cut.song, handed.song) ||
      !same(cut.artist, handed.artist) || (own ? own->code : QString()) != handed.storedCode.value_or(QString()))
    return;

  const auto listCase = [&](const QString& made) { return inListCase(made, line, *sort); };
  const QString edited = listCase(catalogue::withSongAndArtist(line, *sort, after[2], after[3]));
  // The line takes its place in the list's order, still the highlighted one.
  const qint64 number = List2.ItemData(row);
  const bool selected = List2.Selected(row);
  List2.RemoveItem(row);
  if (Check3.Value() == 1 && catalogue::duplicateKeyView(*sort, edited) != catalogue::duplicateKeyView(*sort, line)) {
    if (!hiddenCopiesKnown_) recallHiddenCopies(tracksBefore);
    showCopyHiddenBehind(line, *sort, listCase);
  }
  listRecased_ = true;  // the line shows the edit in the list's capitals
  const int at = addInOrder(List2, edited, number);
  if (selected) List2.setSelected(at, true);
  {
    auto click = std::exchange(List2.Click, nullptr);  // the dialogs are handed the line below
    List2.setListIndex(at);
    List2.Click = std::move(click);
  }
  Label6.setCaption(tracksText(List2.ListCount()));

  // The grey list below shows the disc's tracks, or the lines a search of the list found.
  if (List3.Visible()) {
    const auto listingLine = [](const QStringList& fields) {
      QByteArray bytes[4];
      for (int i = 0; i < 4; ++i) bytes[i] = platform::cp1252::encode(fields[i]);
      const auto view = [](const QByteArray& b) { return std::string_view(b.constData(), size_t(b.size())); };
      return catalogue::discListingLine({view(bytes[0]), view(bytes[1]), view(bytes[2]), view(bytes[3])});
    };
    const QString oldListing = listingLine(before), newListing = listingLine(after);
    for (int i = 0; i < List3.ListCount(); ++i) {
      if (List3.List(i) == oldListing) List3.setList(i, newListing);
      else if (List3.List(i) == line) List3.setList(i, edited);
    }
  }
  prefillDialogs(edited, *sort, own);
  handedFrom_ = HandedFrom::Line;
}

QString Form1::inListCase(const QString& made, const QString& like, Sort sort) const {
  // Word capitals, else capitals where the line showed them, else the record's own case, as
  // Create List would show it.
  if (Check5.Value() == 0) return catalogue::wordCapitals(made, sort, Check1.Value() == 1 && Check2.Value() == 1);
  return catalogue::allCapitals(like) == like ? catalogue::allCapitals(made) : made;
}

catalogue::HiddenCopies Form1::hiddenCopiesIn(Sort sort) const {
  const auto inSort = [&](const QString& text, Sort from) {
    if (from == sort) return text;
    return catalogue::recutLine(text, from, sort, catalogue::recutCase(from, Check1.Value() == 1, Check2.Value() == 1));
  };
  catalogue::HiddenCopies out;
  for (const HiddenCopy& c : hiddenCopies_) {
    out.lines << inSort(c.line, c.sort);
    out.behind << inSort(c.behind, c.sort);
    out.records.push_back(lineRecords_.record(c.number));
  }
  return out;
}

void Form1::showCopyHiddenBehind(const QString& line, Sort sort,
                                 const std::function<QString(const QString&)>& inListCase) {
  const catalogue::HiddenCopies now = hiddenCopiesIn(sort);
  const qsizetype first = catalogue::copyShownInstead(line, now.lines, now.behind);
  if (first < 0) return;
  // The first copy shows again, and the others stay hidden behind it.
  const QString shown = inListCase(now.lines[first]), shownLine = UCase(line);
  const qint64 number = hiddenCopies_[size_t(first)].number;
  for (qsizetype i = 0; i < now.lines.size(); ++i)
    if (UCase(now.behind[i]) == shownLine)
      hiddenCopies_[size_t(i)] = {inListCase(now.lines[i]), hiddenCopies_[size_t(i)].number, shown, sort};
  hiddenCopies_.erase(hiddenCopies_.begin() + std::ptrdiff_t(first));
  addInOrder(List2, shown, number);
}

void Form1::recallHiddenCopies(const QByteArray& tracks) {
  const auto sort = currentSort();
  if (!sort) return;
  catalogue::HiddenLines hidden =
      catalogue::hiddenDuplicates(tracks, *sort, catalogue::tickedReferences(tickedDiscItems(), Check2.Value() == 1),
                                  Check1.Value() == 1 || *sort == Sort::MfCode);
  hiddenCopies_.clear();
  for (qsizetype i = 0; i < hidden.lines.size(); ++i)
    hiddenCopies_.push_back({hidden.lines[i], hidden.numbers[size_t(i)], hidden.behind[i], *sort});
  // The lines read from the file name no record: the copies' records are the list's from now on.
  lineRecords_ = std::move(hidden.records);
  hiddenCopiesKnown_ = true;
}

catalogue::HiddenCopies Form1::copiesHiddenNow(const QByteArray& tracks) {
  const auto sort = currentSort();
  if (Check3.Value() == 0 || !sort) return {};
  if (!hiddenCopiesKnown_) recallHiddenCopies(tracks);
  catalogue::HiddenCopies hidden = hiddenCopiesIn(*sort);
  // Each in the capitals of the line it stays hidden behind.
  QHash<QString, QString> shown;
  for (const QString& line : List2.items()) shown.insert(common::UCase(line), line);
  for (qsizetype i = 0; i < hidden.lines.size(); ++i)
    hidden.lines[i] = inListCase(hidden.lines[i], shown.value(common::UCase(hidden.behind[i]), hidden.lines[i]), *sort);
  return hidden;
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
