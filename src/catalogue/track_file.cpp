#include "catalogue/track_file.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

#include <QFile>

#include <algorithm>

namespace catalogue {

bool FileBytes::open(const QString& path) {
  file_.setFileName(path);
  if (!file_.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file_.size();
  if (size > 0) {
    if (uchar* mapped = file_.map(0, size)) {
      bytes_ = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), qsizetype(size));
      return true;
    }
  }
  bytes_ = file_.readAll();
  return file_.error() == QFile::NoError;
}

namespace {
bool allDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

std::string_view trackIdentity(std::string_view track) {
  track = common::RTrim(track);
  if (track.empty() || !allDigits(track)) return track;
  return track.substr(std::min(track.find_first_not_of('0'), track.size() - 1));
}

QString fieldText(std::string_view bytes, int width) {
  return common::fitWidth(platform::cp1252::decode(bytes.data(), qsizetype(bytes.size())), width);
}

QString shownTrack(std::string_view track) {
  const std::string_view number = trackIdentity(track);
  if (number.empty() || number.size() > size_t(common::kTrackWidth) || !allDigits(number))
    return fieldText(track, common::kTrackWidth);
  return QString::fromLatin1(number.data(), qsizetype(number.size()))
      .rightJustified(common::kTrackWidth, QLatin1Char('0'));
}

LineFields lineFields(const RecordBytes& r) {
  LineFields f;
  f.code = fieldText(r.code, common::kCodeWidth);
  f.track = shownTrack(r.track);
  f.song = fieldText(r.title, common::kTitleWidth);
  f.artist = fieldText(r.artist, common::kArtistWidth);
  return f;
}

QString trackListItem(const RecordBytes& r) {
  return shownTrack(r.track) + common::Space(4) + fieldText(r.title, common::kTitleWidth) +
         fieldText(r.artist, common::kArtistWidth);
}

QString discListingLine(const RecordBytes& r) { return trackListItem(r) + fieldText(r.code, common::kCodeWidth); }

}  // namespace catalogue
