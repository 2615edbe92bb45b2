// The search history file search.dat: one search text a line, oldest first. A line is one entry
// whole, commas and quotes included; entries are compared without their surrounding blanks.
#pragma once

#include "common/records.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace catalogue {

inline constexpr const char* kSearchHistoryFile = "search.dat";

// The most entries the drop-down list shows; the file keeps every one of them.
inline constexpr int kSearchHistoryEntries = 100;

// The history's entries to show, in file order (oldest first): each line without its
// surrounding blanks, empty lines skipped, an entry met again kept at its newest place only, and
// at most the newest kSearchHistoryEntries of them.
QStringList searchHistoryValues(const QString& fileText);

// The file's text with the search text added, trimmed, as one more line; nothing when the file
// already holds it (compared trimmed) or the text holds nothing but blanks. A new text holding a
// control character is refused (a line break would make two entries of one search).
std::optional<common::FileText> searchHistoryWith(const QString& fileText, const QString& searchText);

}  // namespace catalogue
