// The saved song-list file (.mdq): one double-quoted value a line. Version 2 (written by Save)
// holds the header text, the sort, three options, the ticked discs, a separator and the song-list
// lines; version 1 (written by the merge) ends after the discs. Also the naming and the failure
// messages that every file the main window writes shares.
#pragma once

#include "catalogue/disc_reference.h"
#include "catalogue/line_record.h"
#include "catalogue/song_line.h"
#include "common/records.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace catalogue {

extern const QString kFileHeader1;       // "MELLOWDEX CD SELECTION FILE"
extern const QString kFileHeader2;       // "MELLOWDEX CD SELECTION FILE2"
extern const QString kSeparator;         // 58 hyphens
extern const QString kNotMellowdex;      // " is not a Mellowdex file"
extern const QString kListNotSavedText;  // "The song list has not been saved."
extern const QString kOpenTitle;         // "Open": what Open and the merge tell of a file they read

// Values written one a line, each quoted, CR LF after each.
QString songListValuesText(const QStringList& values);

// The values of a file, line by line from line 2.
struct SongListFile {
  int version = 2;
  QString header;
  QString sortKeyword;  // "ARTIST", "SONG", "TRACK", "MF CODE"; empty when no sort is set
  bool showCodes = false;
  bool useNumbers = false;
  bool hideDuplicates = false;
  QStringList discs;  // the ticked discs: each code padded to 11 (a longer one whole), then its number
  QStringList lines;  // version 2 only
};

// The file's text, every value quoted, CR LF after each line. Refused when a value the user gave
// holds a control character (the header, a disc's reference number) or any value a line break,
// which would split it and shift every value after it; a line keeps any other character its
// record was read with.
common::FileText songListFileText(const SongListFile& file);

// The keyword a sort is saved under; empty without a sort.
QString sortKeyword(std::optional<Sort> sort);
// The sort a saved keyword names (compared exactly); nothing for any other text.
std::optional<Sort> sortOfKeyword(const QString& keyword);

// What Open takes from a file's values (from its first line on). A file cut short leaves the
// header as it was and its missing options off.
struct OpenedSongList {
  std::optional<QString> header;  // nothing when the file ends before it; a tab in it made a blank
  std::optional<Sort> sort;       // nothing for a missing or unknown keyword
  bool showCodes = false;
  bool useNumbers = false;  // as the file says: a disc line may turn the numbers on (restoredDiscs)
  bool hideDuplicates = false;
  QStringList discs;      // up to the separator (version 2) or the end
  QStringList lines;      // version 2: after the separator, at most Max_List_Lines
  bool linesCut = false;  // the file holds more lines than the list takes
};
OpenedSongList openedSongList(const QStringList& values, int version);

// The disc-list items (each its bare code) a file's disc lines name, each with the text it shows
// then; codes are compared trailing blanks aside. A line names the items whose code it is (a code
// of 12 characters, which only an update file makes, is no code of 11 with a number), else, as a
// code (padded to 11, or longer) and a 4-character reference number, the items whose code is the
// line without its number, which carry it again. A line naming no item (a disc no longer in the
// database) is passed over, and its code named. A line of a code and a number (for a gone disc,
// one named without its number, see below) turns the user's numbers on, whatever the file's
// option says.
struct RestoredDiscs {
  std::vector<std::pair<int, QString>> ticks;  // the item's row, and its text
  bool numbers = false;
  // The codes of the lines naming no item, trailing blanks aside, each once: a line of a padded
  // code and a number, or any line of 15 characters or more while the file's numbers are on, is
  // named without its number.
  QStringList missing;
};
RestoredDiscs restoredDiscs(const QStringList& items, const QStringList& discLines, bool numbersSaved = false);
// What Open tells of the ticked discs of a file that the database no longer holds: the first ten
// named, then how many more, and that Create List leaves their songs out.
QString discsNoLongerHeldText(const QStringList& codes);

// The lines Hide Duplicates took out of a list, in its layout and capitals: each with its record
// and the line it stays hidden behind.
struct HiddenCopies {
  QStringList lines, behind;
  std::vector<std::optional<LineRecord>> records;
};

// The list as giving a disc a new code leaves it, saved before the change is written: each
// ticked item of the disc (its code, outer blanks aside, `current`, as the change matches it)
// holds the new code padded to 11 and keeps its number, each line that stands for the disc
// (discsOfLines over the track file the change reads, with the record beside each line, nothing
// for a line read back from a saved list) shows the new code, and the discs and lines stand in
// the order the lists show them then. A hidden copy that the list's order now puts ahead of the
// line it stays behind shows instead of that line.
SongListFile recodedSongList(SongListFile file, const std::vector<DiscItem>& ticked,
                             const std::vector<std::optional<LineRecord>>& records, const QByteArray& tracks,
                             const QString& current, const QString& replacement, const HiddenCopies& hidden = {});

// The list as deleting a disc's tracks leaves it, saved before the deletion is written: without
// the lines that stand for the disc (known by its identity, common::discIdentity) and, unless
// `track` is empty, that track (known by its number), as recodedSongList finds them; without the
// disc's ticks too when the disc itself goes. A line that goes gives its place to the copy hidden
// behind it that shows then (copyShownInstead), unless that copy goes too.
SongListFile deletedSongList(SongListFile file, const std::vector<DiscItem>& ticked,
                             const std::vector<std::optional<LineRecord>>& records, const QByteArray& tracks,
                             const QString& disc, const QString& track, bool discGoes, const HiddenCopies& hidden = {});

// The file's values as read back: each line is one field (the text between its quotes).
std::optional<QStringList> readSongListValues(const QString& path);
// 1 or 2 for the two headers (compared exactly), 0 for anything else.
int songListVersion(const QString& firstValue);
// The refusal of a file whose first line is no header, naming the file.
QString notMellowdexMessage(const QString& path);
// The refusal of a file that cannot be read, naming the file.
QString unreadableSongListMessage(const QString& path);

// The name a typed name is saved under: a final ".mdq" in any case is replaced by ".mdq";
// any other name gets ".mdq" added.
QString withMdqExtension(const QString& typed);

// The header text as it can be stored: a double quote would end the value early.
QString storableHeader(const QString& header);

// The merge of two files' values (each from line 1 on): a version-1 file with the header and
// sort of the second and each option on when the two differ or both are on.
QStringList mergedValues(const QStringList& first, const QStringList& second);

}  // namespace catalogue
