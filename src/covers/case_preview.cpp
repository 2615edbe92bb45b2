#include "covers/case_preview.h"

#include "common/text_helpers.h"

namespace covers {

QStringList caseTrackLines(const QStringList& items) {
  QStringList lines;
  lines.reserve(items.size());
  for (const QString& item : items)
    lines << common::Left(item, 2) + QLatin1Char(' ') + common::Trim(common::Mid(item, 7, 36)) + QLatin1Char(',') +
                 common::Trim(common::Mid(item, 43, 30));
  return lines;
}

QString caseTrackText(const QStringList& items) {
  QString text;
  for (const QString& line : caseTrackLines(items)) text += line + QLatin1Char('\r');
  return text;
}

}  // namespace covers
