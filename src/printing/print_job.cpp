#include "printing/print_job.h"

#include "common/records.h"
#include "printing/print_layouts.h"
#include "platform/text_file.h"

namespace printing {

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
