// The two record styles of the program's text files: records of double-quoted fields separated
// by commas, and bare lines. One reader serves every file: a field ends at a comma outside
// double quotes or at the end of the line; enclosing quotes are removed and the blanks inside
// them kept; an unquoted field loses its leading and trailing blanks.
#pragma once

#include <QString>
#include <QStringList>

namespace common {

// The fields of one line. An empty line is one empty field; "a," is "a" and "".
QStringList parseFields(const QString& line);

// Reads fields one after another through the lines of a file, as a stream.
class FieldReader {
 public:
  explicit FieldReader(QStringList lines) : lines_(std::move(lines)) {}
  bool atEnd() const;
  QString next();  // "" past the end
  int lineNumber() const { return line_; }  // 0-based line of the next field
 private:
  QStringList lines_;
  int line_ = 0;
  QStringList fields_;
  int field_ = 0;
  bool loaded_ = false;
};

// One record written with every field quoted and separated by commas (no line end).
QString writeRecord(const QStringList& fields);

// Column widths of the database records.
constexpr int kCodeWidth = 11;
constexpr int kTrackWidth = 2;
constexpr int kTitleWidth = 36;
constexpr int kArtistWidth = 30;

// One track of the database, each field cut or padded to its width.
struct TrackRecord {
  QString code;    // 11
  QString track;   // 2
  QString title;   // 36
  QString artist;  // 30

  // Missing fields read as blanks; extra fields are ignored.
  static TrackRecord fromFields(const QStringList& fields);
  static TrackRecord fromLine(const QString& line) { return fromFields(parseFields(line)); }
  QString toLine() const;  // the four quoted fields, no line end
};

}  // namespace common
