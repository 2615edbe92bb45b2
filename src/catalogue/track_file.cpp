#include "catalogue/track_file.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

#include <QFile>

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

std::string_view discKey(std::string_view code) {
  while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
  return code;
}

QByteArray discKey(const QString& code) { return platform::cp1252::encode(common::RTrim(code)); }

QString fieldText(std::string_view bytes, int width) {
  return common::fitWidth(platform::cp1252::decode(bytes.data(), qsizetype(bytes.size())), width);
}

LineFields lineFields(const RecordBytes& r) {
  LineFields f;
  f.code = fieldText(r.code, common::kCodeWidth);
  f.track = fieldText(r.track, common::kTrackWidth);
  f.song = fieldText(r.title, common::kTitleWidth);
  f.artist = fieldText(r.artist, common::kArtistWidth);
  return f;
}

QString trackListItem(const RecordBytes& r) {
  return fieldText(r.track, common::kTrackWidth) + common::Space(4) + fieldText(r.title, common::kTitleWidth) +
         fieldText(r.artist, common::kArtistWidth);
}

QString discListingLine(const RecordBytes& r) { return trackListItem(r) + fieldText(r.code, common::kCodeWidth); }

}  // namespace catalogue
