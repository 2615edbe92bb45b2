// The database searches, the search of the current list, the search box and its history.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/search_history.h"
#include "catalogue/search_pattern.h"
#include "catalogue/track_file.h"
#include "catalogue/track_scans.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/file_prompts.h"
#include "windows/main/scan_frame.h"
#include "windows/one_line_input.h"

#include <QComboBox>
#include <QLineEdit>

using catalogue::SearchPattern;
using catalogue::Sort;
using platform::msg::Exclamation;
using platform::msg::OKOnly;

namespace {

const QString kSearchAll = QStringLiteral("SEARCH ALL");
const QString kSearchArtists = QStringLiteral("SEARCH ARTISTS");
const QString kSearchSongs = QStringLiteral("SEARCH SONGS");
const QString kSearchDiscCodes = QStringLiteral("SEARCH DISC CODES");
const QString kSearchCurrentList = QStringLiteral("SEARCH CURRENT LIST");
const QString kSearchTitle = QStringLiteral("Search");
const QString kClickAll = QStringLiteral("TAVREL CLICK ALL");
const QString kCountAll = QStringLiteral("TAVREL COUNT ALL");
const QString kTotalTracksTitle = QStringLiteral("Total Tracks");
const QString kTryAgain = QStringLiteral("' found.\rPlease try again.");

// The box holds no search text: nothing but blanks, or its prompt with or without the blank.
bool noSearchText(const QString& text) {
  const QString trimmed = common::Trim(text);
  return trimmed.isEmpty() || trimmed == common::Trim(Form1::kSearchPrompt);
}

struct SearchMember {
  int fields;
  QString title;
  const char* opening;
  // Unticks the discs (running the tick handler for each) before reloading the disc list, and
  // shows the busy frame as soon as the song list is hidden.
  bool untickBeforeReload;
  bool frameAtOnce;
};

const SearchMember kAll{catalogue::kSearchSong | catalogue::kSearchArtist | catalogue::kSearchCode, kSearchAll,
                        "No tracks containing '", true, true};
const SearchMember kArtists{catalogue::kSearchArtist, kSearchArtists, "No artists containing '", true, false};
const SearchMember kDiscs{catalogue::kSearchCode, QStringLiteral("Search Disc Codes"), "No discs containing '", true,
                          false};
const SearchMember kSongs{catalogue::kSearchSong, kSearchSongs, "No songs containing '", false, false};

void untickEveryDisc(Form1& f) {
  for (int i = 0; i < f.List1.ListCount(); ++i)
    if (f.List1.Selected(i)) f.List1.setSelected(i, false);
}

void runDatabaseSearch(Form1& f, const SearchMember& m) {
  const QString& title = m.title;
  windows::ScanFrame scan(f, title);

  // Set-up. Switching "Use my Disc Codes" off clears the window, the search box included.
  const QString kept = f.cmbSearch_text.Text();
  f.Check1.setValue(1);
  f.Check2.setValue(0);
  f.Check3.setValue(0);
  f.cmbSearch_text.setText(kept);
  f.List2.setVisible(false);
  if (m.frameAtOnce) scan.showFrame();
  f.TabStrip1.setVisible(false);
  platform::letEventsThrough();

  scan.setStepsByHundreds();
  f.Label9.setVisible(false);
  f.Label17.setVisible(false);
  f.Label1.setCaption(QString());
  f.Label6.setCaption(Form1::tracksText(0));
  f.Check3.setValue(0);
  if (m.untickBeforeReload) {
    untickEveryDisc(f);
    f.Get_Discs();
    f.List2.Clear();
  } else {
    f.Get_Discs();
    f.List2.Clear();
    untickEveryDisc(f);
  }
  scan.showBusyPointer();
  const SearchPattern pattern(f.cmbSearch_text.Text());
  scan.showFrame();
  platform::letEventsThrough();

  // Scan: one pass over the track file, the layout chosen once.
  bool readable = true;
  bool capped = false;
  {
    catalogue::FileBytes file;
    readable = scan.open(file);
    const std::optional<Sort> sort = f.currentSort();
    if (readable && sort) {
      platform::BusyScope busy;
      catalogue::ScannedLines found = catalogue::searchLines(
          file.bytes(), *sort, pattern, m.fields, scan.progress(100, windows::ScanFrame::Events::LetThrough));
      capped = found.capped;
      f.addScannedLines(found);
    }
  }
  // The message comes once the pass is over, like the other searches' "not found" messages.
  if (capped) platform::prompts().msgBox(catalogue::kMaxListText, OKOnly, catalogue::kMaxListTitle);

  // Finish.
  f.Label6.setCaption(Form1::tracksText(f.List2.ListCount()));
  scan.restore();
  f.List2.setVisible(true);
  f.TabStrip1.setVisible(true);
  if (f.List2.ListCount() > 0) {
    f.setListCommands(true);
    return;
  }
  f.List2.setVisible(false);
  f.TabStrip1.setVisible(false);
  if (readable)
    platform::prompts().msgBox(QString::fromLatin1(m.opening) + f.cmbSearch_text.Text() + kTryAgain, OKOnly, title);
  else scan.tellUnreadable();
  f.Label9.setVisible(true);
  f.Label17.setVisible(false);
  f.cmbSearch_text.SetFocus();
  f.setListCommands(false);
}

// The song list's height when the matches below it are closed.
void fullListHeight(Form1& f) { f.List2.setHeight(95 - f.List2.Top()); }

}  // namespace

void Form1::wireSearchHandlers() {
  // Where to search, filled before its handler is wired so that the first choice runs nothing.
  for (const QString& choice : {kSearchAll, kSearchArtists, kSearchSongs, kSearchDiscCodes, kSearchCurrentList})
    cmbSearch.AddItem(choice);
  cmbSearch.setText(kSearchAll);
  cmbSearch.setFixedPitchFont(QStringLiteral("Courier"), 9.0);
  cmbSearch_text.setFixedPitchFont(QStringLiteral("Courier"), 9.0);
  windows::keepOneLine(cmbSearch_text, QStringLiteral("search text"), kSearchTitle, windows::Letters::Capitals);
  cmbSearch.Click = [this] { cmbSearch_Click(); };
  cmbSearch_text.Change = [this] { cmbSearch_text_Change(); };
  cmbSearch_text.Click = [this] { cmbSearch_text_Click(); };
  cmbSearch_text.KeyPress = [this](int& key) { cmbSearch_text_KeyPress(key); };
  cmbSearch_text.GotFocus = [this] { cmbSearch_text_GotFocus(); };
}

void Form1::Search_All() { runDatabaseSearch(*this, kAll); }
void Form1::Search_Artist() { runDatabaseSearch(*this, kArtists); }
void Form1::Search_Disc() { runDatabaseSearch(*this, kDiscs); }
void Form1::Search_Song() { runDatabaseSearch(*this, kSongs); }

void Form1::setListCommands(bool on) {
  for (auto* m : {&mnuExport, &mnuUpdate_File, &mnuFull_Screen, &mnuHide_Vocal_Tracks}) m->setEnabled(on);
}

void Form1::mnuSong_Click() { Search_Song(); }
void Form1::mnuArtist_Click() { Search_Artist(); }

// ---------------------------------------------------------------- the search box

// Control keys (backspace, return) have no capital and pass unchanged.
void Form1::cmbSearch_text_KeyPress(int& keyAscii) {
  keyAscii = platform::cp1252::upper(QChar(char16_t(keyAscii))).unicode();
}

void Form1::cmbSearch_text_GotFocus() {
  auto* combo = qobject_cast<QComboBox*>(cmbSearch_text.widget());
  if (combo && combo->lineEdit()) combo->lineEdit()->selectAll();
}

void Form1::cmbSearch_text_Click() { cmbSearch_text_Change(); }

void Form1::cmbSearch_text_Change() {
  // The hidden commands fire on the keystroke that completes them.
  if (cmbSearch_text.Text() == kClickAll) Click_All();
  cmbSearch.setEnabled(!noSearchText(cmbSearch_text.Text()));
  if (cmbSearch_text.Text() == kCountAll) {
    const QString path = catalogue::trackFilePath();
    const std::optional<qint64> count = catalogue::countTrackRecords(path);
    if (!count) {
      windows::reportUnreadable(path, kTotalTracksTitle);
      return;
    }
    platform::prompts().msgBox(QString::number(*count) + QStringLiteral(" Tracks"), OKOnly, kTotalTracksTitle);
  }
}

void Form1::cmbSearch_Click() {
  fullListHeight(*this);
  List3.setVisible(false);
  cmdClose.setVisible(false);
  List3.Clear();
}

// ---------------------------------------------------------------- the history

void Form1::Append_Search_Data_File() {
  const QString path = platform::programFile(QString::fromLatin1(catalogue::kSearchHistoryFile));
  QString current;
  if (platform::fileExists(path)) {
    const std::optional<QString> text = platform::readTextFile(path);
    if (!text) return;  // a history that cannot be read is kept as it is, not overwritten
    current = *text;
  }
  const std::optional<common::FileText> updated = catalogue::searchHistoryWith(current, cmbSearch_text.Text());
  if (!updated) return;
  if (!*updated) {
    platform::prompts().msgBox(updated->refusal + QStringLiteral("\n\rIt has not been added to the search history."),
                               OKOnly + Exclamation, kSearchTitle);
    return;
  }
  const platform::WriteResult written = platform::replaceFile(path, updated->content);
  if (!written)
    platform::prompts().msgBox(catalogue::unwritableText(QStringLiteral("The search history ") + path, written.error),
                               OKOnly + Exclamation, kSearchTitle);
}

void Form1::Input_Search_Data() {
  cmbSearch_text.Clear();
  cmbSearch_text.setText(QString());
  cmbSearch_text.setText(kSearchPrompt);
  const QString path = platform::programFile(QString::fromLatin1(catalogue::kSearchHistoryFile));
  if (!platform::fileExists(path)) {
    platform::replaceFile(path, QString());  // an empty history; failing to create it loses nothing
    return;
  }
  const std::optional<QString> text = platform::readTextFile(path);
  if (!text) return;  // shown empty; the file stays as it is
  // The file keeps every entry until the history is cleared; the list shows the newest.
  const QStringList values = catalogue::searchHistoryValues(*text);
  for (auto it = values.crbegin(); it != values.crend(); ++it) cmbSearch_text.AddItem(*it);
}

// ---------------------------------------------------------------- the Search command

void Form1::cmdSearch_Click() {
  if (noSearchText(cmbSearch_text.Text())) {
    platform::prompts().msgBox(QStringLiteral("Please enter search text"), OKOnly, kSearchTitle);
    cmbSearch_text.SetFocus();
    return;
  }
  // The history and the database hold Windows-1252 text only: any other character would be
  // stored as "?", which a later search from the history takes for a wildcard. The history holds
  // one search a line: a line break would make two of one.
  const std::optional<QString> line = windows::storableLine(cmbSearch_text.Text(), QStringLiteral("search text"),
                                                            kSearchTitle, QStringLiteral("Please search without it."));
  if (!line) {
    cmbSearch_text.SetFocus();
    return;
  }
  if (*line != cmbSearch_text.Text()) cmbSearch_text.setText(*line);
  if (cmbSearch.Text() != kSearchCurrentList && !offerToSave(QStringLiteral("\r"), kSearchTitle)) return;

  cmdClose.setVisible(false);
  fullListHeight(*this);
  List3.setVisible(false);
  List3.Clear();

  const QString kept = cmbSearch_text.Text();
  Append_Search_Data_File();
  platform::letEventsThrough();
  Input_Search_Data();
  cmbSearch_text.setText(kept);

  const QString target = cmbSearch.Text();
  if (target.isEmpty()) {
    platform::prompts().msgBox(QStringLiteral("Please select a region to search"), OKOnly, kSearchTitle);
    cmbSearch.SetFocus();
  } else if (target == kSearchAll) {
    Frame1.setVisible(true);
    Search_All();
  } else if (target == kSearchArtists) {
    Frame1.setVisible(true);
    Search_Artist();
  } else if (target == kSearchSongs) {
    Frame1.setVisible(true);
    Search_Song();
  } else if (target == kSearchDiscCodes) {
    Frame1.setVisible(true);
    Search_Disc();
  } else if (target == kSearchCurrentList) {
    searchCurrentList();
  }
  Frame1.setVisible(false);
  if (Check5.Value() == 0) Lower_Case();
}

void Form1::searchCurrentList() {
  const QString title = kSearchCurrentList;
  Label9.setVisible(false);
  List3.Clear();
  if (!List2.Visible()) {
    List3.Clear();
    List3.setVisible(false);
    fullListHeight(*this);
    platform::prompts().msgBox(kCreateListFirstText, OKOnly, title);
    return;
  }
  Frame1.setVisible(true);
  ProgressBar1.setMax(List2.ListCount());  // an empty list still gives the bar a range
  ProgressBar1.setValue(0);
  const SearchPattern pattern(cmbSearch_text.Text());
  // The box types capitals, and a list keeps the case its lines came with (word capitals, or the
  // database's own case when "All Capitals" is ticked): the pattern meets letters in any case.
  {
    platform::BusyScope busy;
    const QStringList lines = List2.items();
    QStringList matches;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (!pattern.matches(lines[i])) continue;
      matches << lines[i];
      ProgressBar1.setValue(int(i));
      platform::letEventsThroughSliced();
    }
    List3.addItems(matches);
  }
  List3.setVisible(true);

  if (List3.ListCount() > 0) {
    Frame1.setVisible(false);
    placeCloseButton();
    cmdClose.setVisible(true);
    const double top = List1.Top() + List1.Height() + 5;
    List2.Move(List2.Left(), top, -1, 75 - top);
    setListCommands(true);
    return;
  }
  fullListHeight(*this);
  List3.setVisible(false);
  List3.Clear();
  Frame1.setVisible(false);
  platform::prompts().msgBox(QStringLiteral("No tracks matching '") + cmbSearch_text.Text() + kTryAgain, OKOnly, title);
  cmbSearch_text.SetFocus();
  setListCommands(List2.ListCount() > 0);  // the list itself is unchanged
}
