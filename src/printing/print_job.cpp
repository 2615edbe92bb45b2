#include "printing/print_job.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/text_file.h"
#include "printing/print_layouts.h"

namespace printing {

QString layoutCodeFor(catalogue::Sort sort, bool showCodes, bool useNumbers) {
  if (sort == catalogue::Sort::MfCode) showCodes = true;
  if (!showCodes && !useNumbers) return {};
  QString code;
  for (const auto& c : catalogue::layoutColumns(sort)) {
    if (c.letter == 'g' || (c.letter == 'M' && !showCodes) || (c.letter == 'D' && !useNumbers)) continue;
    code += QLatin1Char(c.letter);
  }
  return code;
}

PrintJob jobFromSongList(const QString& code, catalogue::Sort sort, const QStringList& lines) {
  PrintJob job;
  job.code = code;
  // Page 1 carries the same words as the titles of the later printed pages.
  for (const PrintColumn& column : paperColumns(code)) job.headings << column.laterTitle;
  job.rows.reserve(size_t(lines.size()));
  for (const QString& line : lines) {
    QStringList row;
    for (QChar letter : code) {
      const catalogue::Column& c = catalogue::columnOf(sort, letter.toLatin1());
      row << common::RTrim(common::Mid(line, c.start, c.width));
    }
    job.rows.push_back(std::move(row));
  }
  job.lineCount = int(job.rows.size()) + 2;
  return job;
}

QString printJobText(const PrintJob& job) {
  QString out;
  out += common::writeRecord({job.code}) + QLatin1String("\r\n");
  out += common::writeRecord(job.headings) + QLatin1String("\r\n");
  for (const auto& row : job.rows) out += common::writeRecord(row) + QLatin1String("\r\n");
  return out;
}

std::optional<PrintJob> readPrintJob(const QString& path) {
  auto lines = platform::readLines(path);
  if (!lines) return std::nullopt;
  PrintJob job;
  job.lineCount = int(lines->size());
  if (lines->isEmpty()) return job;
  job.code = common::parseFields(lines->at(0)).value(0);
  const int n = fieldCount(job.code) > 0 ? fieldCount(job.code) : 4;
  const auto fitted = [n](const QString& line) {
    QStringList f = common::parseFields(line);
    while (f.size() < n) f.append(QString());
    return f.mid(0, n);
  };
  if (lines->size() > 1) job.headings = fitted(lines->at(1));
  job.rows.reserve(size_t(std::max<qsizetype>(0, lines->size() - 2)));
  for (qsizetype i = 2; i < lines->size(); ++i) job.rows.push_back(fitted(lines->at(i)));
  return job;
}

}  // namespace printing
