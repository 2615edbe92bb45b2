#include "catalogue/search_history.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/text_file.h"

namespace catalogue {

QStringList searchHistoryValues(const QString& fileText) {
  common::FieldReader reader(platform::splitLines(fileText));
  QStringList values;
  while (!reader.atEnd()) values << reader.next();
  return values;
}

std::optional<QString> searchHistoryWith(const QString& fileText, const QString& searchText) {
  const QString stored = common::Trim(searchText);
  if (stored.isEmpty()) return std::nullopt;
  if (searchHistoryValues(fileText).contains(searchText)) return std::nullopt;
  QString text = fileText;
  // A last line without its line end (a file edited by hand) keeps its text to itself.
  if (text.endsWith(QLatin1Char('\r'))) text += QLatin1Char('\n');
  else if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QStringLiteral("\r\n");
  return text + stored + QStringLiteral("\r\n");
}

}  // namespace catalogue
