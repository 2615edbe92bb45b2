#include "catalogue/disc_reference.h"

#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

namespace catalogue {

double proposeReference(const QStringList& items) {
  double proposal = 0;
  QString last = QStringLiteral("0");
  for (const auto& item : items) {
    if (carriesNumber(item)) last = item.right(kReferenceLength);
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

bool referenceInUse(const QStringList& items, const QString& answer) {
  const QString wanted = common::Trim(answer);
  for (const auto& item : items)
    if (carriesNumber(item) && common::Trim(item.right(kReferenceLength)) == wanted) return true;
  return false;
}

QHash<QByteArray, QString> tickedReferences(const QStringList& tickedItems, bool useNumbers) {
  QHash<QByteArray, QString> refs;
  for (const QString& item : tickedItems) {
    const QByteArray key = platform::cp1252::encode(common::Left(item, kCodeLength));
    if (refs.contains(key)) continue;
    refs.insert(key, useNumbers && carriesNumber(item) ? referenceOf(item) : QStringLiteral("    "));
  }
  return refs;
}

}  // namespace catalogue
