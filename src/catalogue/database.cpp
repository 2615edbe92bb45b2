#include "catalogue/database.h"

#include "common/records.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace catalogue {

QString trackFilePath() { return platform::programFile(QString::fromLatin1(kTrackFile)); }
QString discFilePath() { return platform::programFile(QString::fromLatin1(kDiscFile)); }

QString unreadableText(const QString& what) { return what + QStringLiteral(" cannot be read."); }

QString unwritableText(const QString& what, const QString& error) {
  return what + QStringLiteral(" could not be written.\n\r") + error;
}

QString cannotReadText(const QString& path) { return unreadableText(QStringLiteral("The database file ") + path); }

std::optional<QStringList> readDiscFile(const QString& path) {
  auto lines = platform::readLines(path);
  if (!lines) return std::nullopt;
  QStringList discs;
  discs.reserve(lines->size());
  common::FieldReader reader(std::move(*lines));
  while (!reader.atEnd()) discs.append(reader.next());
  return discs;
}

std::optional<qint64> countTrackRecords(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  qint64 count = 0;
  bool lineHasText = false;
  char buffer[1 << 16];
  while (true) {
    const qint64 n = f.read(buffer, sizeof buffer);
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    for (qint64 i = 0; i < n; ++i) {
      const char c = buffer[i];
      // CR LF, a lone LF and a lone CR all end a line; the empty line between CR and LF is
      // blank, and blank lines are no records.
      if (c == '\n' || c == '\r') {
        if (lineHasText) ++count;
        lineHasText = false;
      } else if (c != ' ' && c != '\t') {
        lineHasText = true;
      }
    }
  }
  if (lineHasText) ++count;
  return count;
}

qint64 recordEstimate(qint64 fileLength) {
  return qint64(std::nearbyint(double(std::max<qint64>(fileLength, 0)) / 92.0));  // ties to even
}

int progressSteps(qint64 fileLength, qint64 atLeast, qint64 perStep) {
  const qint64 estimate = std::max(recordEstimate(fileLength), atLeast);
  return int(std::min<qint64>(estimate / perStep, std::numeric_limits<int>::max()));
}

}  // namespace catalogue
