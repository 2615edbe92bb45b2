// The two record styles of the program's text files: records of double-quoted fields separated
// by commas, and bare lines. One reader serves every file: a field ends at a comma outside
// double quotes or at the end of the line; enclosing quotes are removed and the blanks inside
// them kept; an unquoted field loses its leading and trailing blanks.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string_view>

namespace common {

// Splits one line into fields by the reader's rules and hands each field's place to `onField`
// (start, length) until `onField` returns false. Works on QChar text and on raw bytes alike, so the
// fast scans of the track file read exactly as every other reader does.
template <typename Ch, typename OnField>
void splitFields(const Ch* s, qsizetype n, OnField onField) {
  const auto is = [](Ch c, char x) { return c == Ch(x); };
  qsizetype i = 0;
  while (true) {
    while (i < n && is(s[i], ' ')) ++i;
    qsizetype start = i, len = 0;
    if (i < n && is(s[i], '"')) {
      qsizetype close = i + 1;
      while (close < n && !is(s[close], '"')) ++close;
      start = i + 1;
      len = close - start;
      i = close < n ? close + 1 : n;
      while (i < n && !is(s[i], ',')) ++i;  // text after the closing quote is dropped
    } else {
      qsizetype end = i;
      while (end < n && !is(s[end], ',')) ++end;
      qsizetype last = end;
      while (last > start && is(s[last - 1], ' ')) --last;
      len = last - start;
      i = end;
    }
    if (!onField(start, len)) return;
    if (i >= n) return;
    ++i;  // the comma
  }
}

// The fields of one line. An empty line is one empty field; "a," is "a" and "".
QStringList parseFields(const QString& line);

// Reads fields one after another through the lines of a file, as a stream.
class FieldReader {
 public:
  explicit FieldReader(QStringList lines) : lines_(std::move(lines)) {}
  bool atEnd() const;
  QString next();  // "" past the end
 private:
  QStringList lines_;
  int line_ = 0;
  QStringList fields_;
  int field_ = 0;
  bool loaded_ = false;
};

// The value as it can be written between double quotes: a double quote inside would end the
// field early, so it is written as an apostrophe.
QString storableValue(const QString& value);

// One record written with every field quoted and separated by commas (no line end), each value
// made storable.
QString writeRecord(const QStringList& fields);

// What a writer of a file gives back: what to write (the text of a file written anew, or the bytes
// of one rewritten from what it holds), or why it may not be written (a value the user gave that
// the file cannot hold, see controlRefusal), for the window to tell.
template <typename Content>
struct Writable {
  Content content;
  QString refusal;
  explicit operator bool() const { return refusal.isEmpty(); }
};
using FileText = Writable<QString>;
using FileRewrite = Writable<QByteArray>;

// Column widths of the database records.
constexpr int kCodeWidth = 11;
constexpr int kTrackWidth = 2;
constexpr int kTitleWidth = 36;
constexpr int kArtistWidth = 30;

// A disc is known by its whole code, trailing blanks aside: the identity by which ticked discs,
// disc-list items, song-list lines, records, the disc file and update files meet. A code longer
// than the 11 columns a line shows is another disc than the code of its first 11 characters.
std::string_view discIdentity(std::string_view code);
QString discIdentity(const QString& code);
QByteArray discIdentity(const QByteArray& code);  // the code as the files' bytes
// Whether a record's code, as read, is the disc of the identity given (as bytes).
inline bool isDiscCode(std::string_view recordCode, const QByteArray& identity) {
  return discIdentity(recordCode) == std::string_view(identity.constData(), size_t(identity.size()));
}

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
