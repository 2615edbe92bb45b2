// The disc catalogue: the product lines of the drop-down over the disc list, each with the
// leading characters of its disc codes and the first disc code that choosing it types.
#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace catalogue {

struct CatalogueRow {
  const char* name;       // the product line; a trailing blank stands before the dots
  const char* prefix;     // the leading characters of the line's disc codes
  const char* firstDisc;  // typed into the disc list when chosen; "" types nothing
};

constexpr int kCatalogueRowCount = 548;
// The dots after a name run up to and including this column; the prefix follows.
constexpr int kCatalogueDotsEnd = 38;

// Every row, in ascending order of prefix.
std::span<const CatalogueRow> catalogueRows();

// A row as the drop-down shows it: the name, dots up to column 38, then the prefix.
QString catalogueRowText(const CatalogueRow& row);

// The disc code to type for the drop-down text: the whole text must be a row's text exactly
// (case-sensitive, nothing trimmed). Empty when it is no row or the row has no code.
QString firstDiscCodeFor(const QString& rowText);

}  // namespace catalogue
