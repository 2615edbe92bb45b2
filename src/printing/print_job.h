// The print job file primp.tmp: what the main window hands to the print window. Record 1 is the
// layout code, record 2 the column headings, every further record one row, one record a line,
// every field quoted.
#pragma once

#include "catalogue/song_line.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace printing {

inline constexpr const char* kJobFile = "primp.tmp";

struct PrintJob {
  QString code;
  QStringList headings;
  std::vector<QStringList> rows;
  int lineCount = 0;  // lines of the file, as the page estimate counts them
};

// The layout code of a song list: its sort's columns, with the MF code column when the codes
// are shown (always in the code sort) and the disc number column when own numbers are used.
// Empty when neither is shown: no layout prints such a list.
QString layoutCodeFor(catalogue::Sort sort, bool showCodes, bool useNumbers);

// The job for song-list lines in the given sort: the printed pages' column titles as headings and
// each line cut into its fields by the line's layout (trailing blanks dropped).
PrintJob jobFromSongList(const QString& code, catalogue::Sort sort, const QStringList& lines);

// The file's text: every field quoted, CR LF after every record.
QString printJobText(const PrintJob& job);

// Reads the job one record a line: a record with too few fields gets empty ones and extra
// fields are dropped, so a damaged record never shifts the rows after it. Nothing when the
// file is missing or unreadable.
std::optional<PrintJob> readPrintJob(const QString& path);

}  // namespace printing
