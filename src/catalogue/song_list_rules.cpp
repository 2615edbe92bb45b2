#include "catalogue/song_list_rules.h"

#include "common/text_helpers.h"

#include <QSet>

namespace catalogue {

std::vector<int> rowsWithoutDupes(const QStringList& lines, Sort sort, const std::function<void(int)>& progress) {
  const int count = int(lines.size());
  std::vector<int> kept;
  kept.reserve(size_t(count));
  // The keys are seen in place in the lines, which outlive them here.
  if (sort == Sort::MfCode) {
    QSet<QStringView> seen;
    seen.reserve(count);
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      const QStringView key = duplicateKeyView(sort, line);
      if (!seen.contains(key)) {
        seen.insert(key);
        kept.push_back(i);
      }
      if (i % 1500 == 0 && progress) progress(i);
    }
  } else {
    QStringView lastKey;
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      const QStringView key = duplicateKeyView(sort, line);
      if (i == 0 || key != lastKey) {
        kept.push_back(i);
        lastKey = key;
      }
      if (i % 1500 == 0 && progress) progress(i);
    }
  }
  return kept;
}

bool isVocalLine(const QString& line) { return common::UCase(line).contains(QStringLiteral("(V")); }

}  // namespace catalogue
