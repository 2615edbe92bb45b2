// The print job file primp.tmp: what the main window hands to the print window. Record 1 is the
// layout code, record 2 the column headings, every further record one row, one record a line,
// every field quoted.
#pragma once

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

// The file's text: every field quoted, CR LF after every record.
QString printJobText(const PrintJob& job);

// Reads the job one record a line: a record with too few fields gets empty ones and extra
// fields are dropped, so a damaged record never shifts the rows after it. Nothing when the
// file is missing or unreadable.
std::optional<PrintJob> readPrintJob(const QString& path);

}  // namespace printing
