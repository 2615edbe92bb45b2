// The song list as it leaves the program: its columns as the clipboard copy and the export cut
// them, the clipboard text, the comma-delimited and web-page export files, and the update file.
#pragma once

#include "catalogue/line_record.h"
#include "catalogue/song_line.h"
#include "common/records.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace catalogue {

// One column of a copied or exported line: its heading and the characters it is cut from.
struct ListColumn {
  QString heading;
  int start;  // 1-based
  int width;
};

// The column set of a layout and the two column options ("Show Manufacturer Codes", "Use my
// Disc Codes"). Empty when they give none: both options off, no layout, or the code layout
// without its codes.
std::vector<ListColumn> listColumns(std::optional<catalogue::Sort> sort, bool showCodes, bool useNumbers);

// The refusal of a command (Copy, Export, Print) when the two column options give no columns,
// naming the boxes as the window shows them.
QString noColumnsRefusal(const QString& command);

// The fields of one song-list line, each cut and trimmed of blanks.
QStringList lineFields(const std::vector<ListColumn>& columns, const QString& line);

// The clipboard text: the heading line, then a line per song-list line, fields joined by tabs,
// every line ending CR LF. Empty without columns.
QString clipboardListText(const std::vector<ListColumn>& columns, const QStringList& lines);

// ---- the export file

extern const QString kExportFilter;  // the save dialog's two types, comma-delimited first

enum class ExportFormat { Csv, Html };
struct ExportTarget {
  QString path;
  ExportFormat format;
};
// The file an export typed name is written to: a name ending ".htm" or ".html" (any case) is a
// web page, ".csv" a comma-delimited file, and any other name gets ".csv" added.
ExportTarget exportTarget(const QString& typed);

// Comma-delimited text: the heading line, then a row per line, CR LF after each. A field holding
// a comma, a double quote or a line end is quoted, its double quotes doubled.
QString csvExportText(const std::vector<ListColumn>& columns, const QStringList& lines);

// The web page: a table of the headings and a row per line, and the maker's link below it.
// `webHost` names the maker in the keywords; `webPage` is the address both links open. Field
// text is escaped, so a "<" or "&" in a title stays text.
QString htmlExportText(const std::vector<ListColumn>& columns, const QStringList& lines, const QString& webHost,
                       const QString& webPage);

// ---- the update file

extern const QString kUpdateFileHeader;  // "Mellowdex Update File " (trailing blank)
extern const QString kUpdateFileFilter;

// The name an update file is written under: ".kup" (any case) becomes ".kup"; any other name
// gets ".kup" added.
QString withKupExtension(const QString& typed);

// The update file's tracks, from the song-list lines in list order and, beside each, the record
// the line was made from (nothing for a line read back from a saved list, which is matched as
// discsOfLines says). Where one disc fits a line, the record of that disc and track that holds it
// is written as the track file holds it, so the list's capitals never reach the file and a code is
// never cut; a line is never written from its own text. A disc and track met again is written
// once. A line that fits several discs is left out and named, and so is a line that fits no disc
// (its track deleted or its code changed since) and a line whose one disc's track no longer holds
// it (another disc's track, or its own changed since); a line without a code names no track and
// is left out too. The tracks of the ticked discs (given by their identities) that no line stands
// for, which the list hides, are counted.
struct UpdateFileTracks {
  std::vector<common::TrackRecord> tracks;
  QStringList severalDiscs;  // each line left out for fitting several discs, named
  QStringList noLongerHeld;  // each line left out for no track holding it any longer, named (what
                             // brings the list up to date is for the whole list to say)
  int withoutCode = 0;       // lines left out for showing no code
  int hiddenTracks = 0;      // tracks of the ticked discs that no line shows
};
UpdateFileTracks updateFileTracks(catalogue::Sort sort, const QStringList& lines,
                                  const std::vector<std::optional<LineRecord>>& records,
                                  const QByteArray& trackFileBytes, const QSet<QByteArray>& tickedDiscs = {});

// The update file: the header record, then a record per track, CR LF after each.
QString updateFileText(const std::vector<common::TrackRecord>& tracks);

}  // namespace catalogue
