// The eleven print layouts of a song list: for each layout code, the columns printed on the
// preview page and on paper (which record field, where it stands, where it is cut off, through
// which number format, and the title it carries on later printed pages).
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace printing {

// The layout codes in the order a job's code is compared with them.
extern const QStringList kLayoutCodes;

enum class NumberFormat { None, TwoDigits, FourDigits };  // "00", "0000"

struct PrintColumn {
  char letter;          // A artist, S song, M MF code, D disc number, T track
  int field;            // 1-based field of a row record (and of the heading record)
  double textX;         // fraction of the page width where the column's text starts
  double clipX;         // fraction where the column is cut off; negative for the last column
  NumberFormat format;  // rows only, never headings
  QString laterTitle;   // paper only: the heading printed on pages after the first
};

bool isLayoutCode(const QString& code);
// The number of fields a record of the layout holds (4 or 5).
int fieldCount(const QString& code);
// The columns of a layout on the preview page and on paper; empty for an unknown code.
const std::vector<PrintColumn>& previewColumns(const QString& code);
const std::vector<PrintColumn>& paperColumns(const QString& code);

// A row field through a number format: a number is rounded to a whole number and given
// leading zeros up to two or four digits; any other text is printed as it stands.
QString formatField(const QString& text, NumberFormat format);

// Clip_Blanks: printed opaque at a column's clip x, it hides the rest of the column's text.
extern const QString kClipBlanks;

}  // namespace printing
