#include "catalogue/song_list_rules.h"

#include "common/text_helpers.h"

#include <QSet>

namespace catalogue {

QStringList removeDupes(const QStringList& lines, Sort sort, const std::function<void(int)>& progress) {
  const int count = int(lines.size());
  QStringList kept;
  kept.reserve(count);
  if (sort == Sort::MfCode) {
    QSet<QString> seen;
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      QString key = duplicateKey(sort, line);
      if (!seen.contains(key)) {
        seen.insert(std::move(key));
        kept << line;
      }
      if (i % 1500 == 0 && progress) progress(i);
    }
  } else {
    QString lastKey;
    for (int i = 0; i < count; ++i) {
      const QString& line = lines[i];
      QString key = duplicateKey(sort, line);
      if (i == 0 || key != lastKey) {
        kept << line;
        lastKey = std::move(key);
      }
      if (i % 1500 == 0 && progress) progress(i);
    }
  }
  return kept;
}

bool isVocalLine(const QString& line) { return common::UCase(line).contains(QStringLiteral("(V")); }

}  // namespace catalogue
