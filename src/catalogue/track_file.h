// A fast pass over the track file: one record a line, its four fields as raw Windows-1252
// bytes, read by the same rules as every other reader. Only the records a pass keeps are turned
// into text.
#pragma once

#include "catalogue/song_line.h"
#include "common/records.h"
#include "platform/core/text_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string_view>

namespace catalogue {

// The fields as read, not yet fitted to their widths. A field the line lacks is empty but
// never null, so copying it is always defined.
struct RecordBytes {
  std::string_view code{""}, track{""}, title{""}, artist{""};
};

// The whole file's bytes, mapped into memory rather than copied where the system allows.
class FileBytes {
 public:
  // False when the file is missing or unreadable.
  bool open(const QString& path);
  const QByteArray& bytes() const { return bytes_; }

 private:
  QFile file_;
  QByteArray bytes_;
};

// A disc is known by its identity (common::discIdentity).
// A track is known by its number ("1", "01" and "1 " are one track), and a track holding
// anything but digits by its text, trailing blanks aside: the part of the field given that
// tracks are found and matched by.
std::string_view trackIdentity(std::string_view track);
// A field as text cut or padded to its width.
QString fieldText(std::string_view bytes, int width);
// A track as the lines show it: a number of one or two digits in two ("1" as "01"), so that every
// sorted list orders tracks by number; any other track as stored, cut or padded to its column.
QString shownTrack(std::string_view track);
// The record's values for a song-list line, each fitted to its width (no reference number).
LineFields lineFields(const RecordBytes& r);

// The record as the label and case designers list it: track (2), 4 blanks, song (36), artist (30).
QString trackListItem(const RecordBytes& r);
// The record as a line of the disc listing: the designers' item, then the code (11).
QString discListingLine(const RecordBytes& r);

// Calls fn(record) for every non-blank line of the bytes, in order, until fn returns false.
// Lines end as every reader's do (see platform::forEachLine).
template <typename Fn>
void forEachRecord(const QByteArray& bytes, Fn fn) {
  const char* p = bytes.constData();
  platform::forEachLine(p, bytes.size(), [&](qsizetype start, qsizetype end) {
    const char* s = p + start;
    const char* e = p + end;
    bool blank = true;
    for (const char* q = s; q < e; ++q)
      if (*q != ' ' && *q != '\t') {
        blank = false;
        break;
      }
    if (blank) return true;
    RecordBytes r;
    std::string_view* fields[4] = {&r.code, &r.track, &r.title, &r.artist};
    int k = 0;
    common::splitFields(s, e - s, [&](qsizetype at, qsizetype len) {
      *fields[k++] = std::string_view(s + at, size_t(len));
      return k < 4;
    });
    return bool(fn(r));
  });
}

}  // namespace catalogue
