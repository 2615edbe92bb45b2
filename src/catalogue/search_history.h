// The search history file search.dat: one search text a line, oldest first, read back with the
// field reader of every other file (so a stored text holding a comma comes back as two values).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace catalogue {

inline constexpr const char* kSearchHistoryFile = "search.dat";

// The values of the file's text in file order.
QStringList searchHistoryValues(const QString& fileText);

// The file's text with the search text added, trimmed, as one more line; nothing when a value
// of the file already equals the untrimmed text or the text holds nothing but blanks.
std::optional<QString> searchHistoryWith(const QString& fileText, const QString& searchText);

}  // namespace catalogue
