#include "catalogue/search_history.h"

#include "common/text_helpers.h"
#include "platform/core/text_file.h"

#include <QSet>

#include <algorithm>

namespace catalogue {

QStringList searchHistoryValues(const QString& fileText) {
  // Read from the newest line back, so a long file costs only the entries it keeps.
  const QStringList lines = platform::splitLines(fileText);
  QStringList values;
  QSet<QString> seen;
  for (auto it = lines.crbegin(); it != lines.crend() && values.size() < kSearchHistoryEntries; ++it) {
    const QString entry = common::Trim(*it);
    if (entry.isEmpty() || seen.contains(entry)) continue;
    seen.insert(entry);
    values << entry;
  }
  std::reverse(values.begin(), values.end());
  return values;
}

std::optional<common::FileText> searchHistoryWith(const QString& fileText, const QString& searchText) {
  const QString stored = common::Trim(searchText);
  if (stored.isEmpty()) return std::nullopt;
  for (const QString& line : platform::splitLines(fileText))
    if (common::Trim(line) == stored) return std::nullopt;
  if (QString refusal = common::controlRefusal(stored, QStringLiteral("search text")); !refusal.isEmpty())
    return common::FileText{{}, refusal};
  QString text = fileText;
  // A last line without its line end (a file edited by hand) keeps its text to itself.
  if (text.endsWith(QLatin1Char('\r'))) text += QLatin1Char('\n');
  else if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QStringLiteral("\r\n");
  return common::FileText{text + stored + QStringLiteral("\r\n"), {}};
}

}  // namespace catalogue
