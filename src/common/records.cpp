#include "common/records.h"

#include "common/text_helpers.h"

namespace common {

std::string_view discIdentity(std::string_view code) { return RTrim(code); }
QString discIdentity(const QString& code) { return RTrim(code); }
QByteArray discIdentity(const QByteArray& code) {
  const std::string_view id = discIdentity(std::string_view(code.constData(), size_t(code.size())));
  return code.left(qsizetype(id.size()));
}

QStringList parseFields(const QString& line) {
  QStringList out;
  splitFields(line.constData(), line.size(), [&](qsizetype start, qsizetype len) {
    out.append(line.mid(start, len));
    return true;
  });
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

QString storableValue(const QString& value) {
  if (!value.contains(QLatin1Char('"'))) return value;
  QString v = value;
  v.replace(QLatin1Char('"'), QLatin1Char('\''));
  return v;
}

QString writeRecord(const QStringList& fields) {
  QString out;
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i) out += QLatin1Char(',');
    out += QLatin1Char('"');
    out += storableValue(fields[i]);
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
