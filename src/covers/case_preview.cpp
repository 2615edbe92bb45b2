#include "covers/case_preview.h"

#include "common/text_helpers.h"
#include "covers/label_preview.h"

namespace covers {

QStringList caseTrackLines(const QStringList& items) {
  QStringList lines;
  lines.reserve(items.size());
  for (const QString& item : items)
    lines << itemTrack(item) + QLatin1Char(' ') + itemSong(item) + QLatin1Char(',') +
                 common::Trim(common::Mid(item, 43, 30));
  return lines;
}

QString caseTrackText(const QStringList& items) { return captionLines(caseTrackLines(items)); }

}  // namespace covers
