// The passes over the whole track file behind what the main window shows: Create List, Tick All
// and the tracks of one disc. Each reads the file's bytes once, in file order, and calls the
// progress step every so many records, so that a window can move its bar and let events through.
#pragma once

#include "catalogue/line_record.h"
#include "catalogue/search_pattern.h"
#include "catalogue/song_line.h"
#include "catalogue/track_file.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>
#include <vector>

namespace catalogue {

struct ScanProgress {
  qint64 every = 0;  // records between two steps; 0: no steps
  std::function<void()> step;
};

struct ScannedLines {
  QStringList lines;
  std::vector<qint64> numbers;  // beside each line, the number of the record it was made from
  LineRecords records;
  bool capped = false;  // more records than Max_List_Lines: the rest were left out
};

// The number of records of the track file.
qint64 recordCount(const QByteArray& tracks);

// Create List: a line in the layout for every record of a ticked disc, the discs given as the
// reference number of each ticked disc's key (see tickedReferences); without codes shown, the
// code column is blank.
ScannedLines createListLines(const QByteArray& tracks, Sort sort, const QHash<QByteArray, QString>& tickedRefs,
                             bool showCodes, const ScanProgress& progress = {});
// Tick All: a line in the layout for every record.
ScannedLines tickAllLines(const QByteArray& tracks, Sort sort, const ScanProgress& progress = {});
// The database searches: a Tick All line for every record whose song, artist or code (as the
// fields say), cut or blank-padded to its width, the pattern matches.
enum SearchFields { kSearchSong = 1, kSearchArtist = 2, kSearchCode = 4 };
ScannedLines searchLines(const QByteArray& tracks, Sort sort, const SearchPattern& pattern, int fields,
                         const ScanProgress& progress = {});
// What Hide Duplicates hides of the list Create List makes (createListLines), the lines in the
// list's order: each hidden line, the number of its record, and the line it stays hidden behind.
struct HiddenLines {
  QStringList lines, behind;
  std::vector<qint64> numbers;
  LineRecords records;
};
HiddenLines hiddenDuplicates(const QByteArray& tracks, Sort sort, const QHash<QByteArray, QString>& tickedRefs,
                             bool showCodes);
// The lines with the song and artist their records hold, in the records' own capitals, so that
// Hide Duplicates tells a copy stored in other capitals apart whatever case a capitals pass gave
// the list. A line takes them from a record of its number (in `records`) that holds them in any
// capitals, each record once; any other line stays as it is.
QStringList linesAsStored(const QByteArray& tracks, Sort sort, const QStringList& lines,
                          const std::vector<qint64>& numbers, const LineRecords& records);
// The records of one disc, those whose code as read the test accepts. They point into `tracks`.
std::vector<RecordBytes> discRecords(const QByteArray& tracks,
                                     const std::function<bool(std::string_view code)>& belongs,
                                     const ScanProgress& progress = {});

}  // namespace catalogue
