#include "common/records.h"

#include "common/text_helpers.h"

namespace common {

QStringList parseFields(const QString& line) {
  QStringList out;
  const qsizetype n = line.size();
  qsizetype i = 0;
  while (true) {
    while (i < n && line[i] == QLatin1Char(' ')) ++i;
    QString field;
    if (i < n && line[i] == QLatin1Char('"')) {
      const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
      if (close < 0) {
        field = line.mid(i + 1);
        i = n;
      } else {
        field = line.mid(i + 1, close - i - 1);
        i = close + 1;
        // Anything between the closing quote and the next comma is dropped.
        while (i < n && line[i] != QLatin1Char(',')) ++i;
      }
    } else {
      qsizetype end = line.indexOf(QLatin1Char(','), i);
      if (end < 0) end = n;
      field = Trim(line.mid(i, end - i));
      i = end;
    }
    out.append(field);
    if (i >= n) break;
    ++i;  // the comma
  }
  return out;
}

bool FieldReader::atEnd() const {
  if (loaded_ && field_ < fields_.size()) return false;
  const int nextLine = loaded_ ? line_ + 1 : line_;
  return nextLine >= lines_.size();
}

QString FieldReader::next() {
  if (!loaded_ || field_ >= fields_.size()) {
    if (loaded_) ++line_;
    loaded_ = false;
    if (line_ >= lines_.size()) return {};
    fields_ = parseFields(lines_[line_]);  // never empty
    field_ = 0;
    loaded_ = true;
  }
  return fields_[field_++];
}

QString writeRecord(const QStringList& fields) {
  QString out;
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i) out += QLatin1Char(',');
    out += QLatin1Char('"');
    out += fields[i];
    out += QLatin1Char('"');
  }
  return out;
}

TrackRecord TrackRecord::fromFields(const QStringList& f) {
  TrackRecord r;
  r.code = fitWidth(f.value(0), kCodeWidth);
  r.track = fitWidth(f.value(1), kTrackWidth);
  r.title = fitWidth(f.value(2), kTitleWidth);
  r.artist = fitWidth(f.value(3), kArtistWidth);
  return r;
}

QString TrackRecord::toLine() const { return writeRecord({code, track, title, artist}); }

}  // namespace common
