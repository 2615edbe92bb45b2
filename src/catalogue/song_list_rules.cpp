#include "catalogue/song_list_rules.h"

#include "common/text_helpers.h"
#include "platform/core/sorted_list_model.h"

#include <QHash>

namespace catalogue {

std::vector<int> rowsWithoutDupes(const QStringList& lines, Sort sort, const std::function<void(int)>& progress,
                                  std::vector<int>* keptAhead) {
  const int count = int(lines.size());
  std::vector<int> kept;
  kept.reserve(size_t(count));
  if (keptAhead) keptAhead->assign(size_t(count), 0);
  // The keys are seen in place in the lines, which outlive them here.
  if (sort == Sort::MfCode) {
    QHash<QStringView, int> seen;
    seen.reserve(count);
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      const QStringView key = duplicateKeyView(sort, line);
      const auto first = seen.constFind(key);
      const int ahead = first == seen.constEnd() ? i : first.value();
      if (ahead == i) {
        seen.insert(key, i);
        kept.push_back(i);
      }
      if (keptAhead) (*keptAhead)[size_t(i)] = ahead;
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
      if (keptAhead) (*keptAhead)[size_t(i)] = kept.back();
      if (i % 1500 == 0 && progress) progress(i);
    }
  }
  return kept;
}

qsizetype copyShownInstead(const QString& line, const QStringList& copies, const QStringList& behind,
                           const std::function<bool(qsizetype)>& stays) {
  const QString shown = common::UCase(line);
  qsizetype first = -1;
  QByteArray firstKey;
  for (qsizetype i = 0; i < copies.size() && i < behind.size(); ++i) {
    if (common::UCase(behind[i]) != shown || (stays && !stays(i))) continue;
    // Equal lines keep the order they came in: the earlier one stays first.
    QByteArray key = platform::sortKey(copies[i]);
    if (first >= 0 && !(key < firstKey)) continue;
    first = i;
    firstKey = std::move(key);
  }
  return first;
}

bool isVocalLine(const QString& line) { return common::UCase(line).contains(QStringLiteral("(V")); }

}  // namespace catalogue
