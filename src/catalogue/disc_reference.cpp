#include "catalogue/disc_reference.h"

#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

namespace catalogue {

double proposeReference(const std::vector<DiscItem>& items) {
  double proposal = 0;
  QString last = QStringLiteral("0");
  for (const auto& item : items) {
    if (item.carriesNumber()) last = item.reference();
    const double value = common::Val(last);
    if (proposal <= value) proposal = value + 1;
  }
  return proposal < 1 ? 1 : proposal;
}

QString referenceAnswerForm(const QString& answer) {
  QString result = answer;
  if (common::IsNumeric(result)) result = common::Format0000(common::Val(result));
  return common::UCase(result);
}

bool referenceInUse(const std::vector<DiscItem>& items, const QString& answer) {
  const QString wanted = common::Trim(answer);
  for (const auto& item : items)
    if (item.carriesNumber() && common::Trim(item.reference()) == wanted) return true;
  return false;
}

QHash<QByteArray, QString> tickedReferences(const std::vector<DiscItem>& tickedItems, bool useNumbers) {
  QHash<QByteArray, QString> refs;
  for (const DiscItem& item : tickedItems) {
    const QByteArray key = common::discIdentity(platform::cp1252::encode(item.code()));
    if (refs.contains(key)) continue;
    refs.insert(key, useNumbers && item.carriesNumber() ? item.reference() : QStringLiteral("    "));
  }
  return refs;
}

}  // namespace catalogue
