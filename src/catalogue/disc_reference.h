// Disc-list items and the user's own disc reference numbers: an item is the 11-character
// disc code, followed by a 4-character number once the user has given one.
#pragma once

#include "common/records.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace catalogue {

constexpr int kCodeLength = common::kCodeWidth;
constexpr int kReferenceLength = 4;

inline bool carriesNumber(const QString& item) { return item.size() > kCodeLength; }
inline QString discCodeOf(const QString& item) { return item.left(kCodeLength); }
inline QString referenceOf(const QString& item) {
  return carriesNumber(item) ? item.right(kReferenceLength) : QString();
}

// The number to propose for a newly ticked disc: one more than the highest number in use
// (a number that does not begin with a digit counts as 0), at least 1.
double proposeReference(const QStringList& items);

// An answer as it will be stored, before padding: a number formatted "0000", then capitals.
QString referenceAnswerForm(const QString& answer);

// Whether another item already carries this number (blanks around both ignored).
bool referenceInUse(const QStringList& items, const QString& answer);

// The reference number each ticked disc code gives its song-list lines, keyed by the code's 11
// Windows-1252 bytes: the first ticked item of a code decides; an item without a number, or any
// item when the user's numbers are not used, gives 4 blanks.
QHash<QByteArray, QString> tickedReferences(const QStringList& tickedItems, bool useNumbers);

// Whether the answer holds a double quote or a comma, which the program's fields cannot hold.
inline bool hasForbiddenCharacter(const QString& answer) {
  return answer.contains(QLatin1Char('"')) || answer.contains(QLatin1Char(','));
}

}  // namespace catalogue
