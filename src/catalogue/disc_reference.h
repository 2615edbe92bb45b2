// Disc-list items and the user's own disc reference numbers: an item is the disc code as the
// disc file holds it (11 characters, blank-padded), followed by a 4-character number once the
// user has given one.
#pragma once

#include "common/records.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace catalogue {

constexpr int kCodeLength = common::kCodeWidth;
constexpr int kReferenceLength = 4;

// A disc-list item and the length of the code it was loaded with: an update file can make a code
// longer than 11 characters, and an item whose whole text is its code carries no number.
struct DiscItem {
  QString text;
  int codeLength = kCodeLength;
  bool carriesNumber() const { return text.size() > codeLength; }
  QString code() const { return text.left(codeLength); }
  QString reference() const { return carriesNumber() ? text.mid(codeLength) : QString(); }
};

// The number to propose for a newly ticked disc: one more than the highest number in use
// (a number that does not begin with a digit counts as 0), at least 1.
double proposeReference(const std::vector<DiscItem>& items);

// An answer as it will be stored, before padding: a number formatted "0000", then capitals.
QString referenceAnswerForm(const QString& answer);

// Whether another item already carries this number (blanks around both ignored).
bool referenceInUse(const std::vector<DiscItem>& items, const QString& answer);

// The reference number each ticked disc gives its song-list lines, keyed by its disc key (its whole
// code in Windows-1252, trailing blanks aside): the first ticked item of a code decides; an item
// without a number, or any item when the user's numbers are not used, gives 4 blanks.
QHash<QByteArray, QString> tickedReferences(const std::vector<DiscItem>& tickedItems, bool useNumbers);

// Whether the answer holds a double quote or a comma, which the program's fields cannot hold.
inline bool hasForbiddenCharacter(const QString& answer) {
  return answer.contains(QLatin1Char('"')) || answer.contains(QLatin1Char(','));
}

}  // namespace catalogue
