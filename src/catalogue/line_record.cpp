#include "catalogue/line_record.h"

#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/cp1252.h"

#include <QHash>

#include <atomic>
#include <cstring>

namespace catalogue {

namespace {

constexpr int kCodeIdBits = 24, kTrackIdBits = 24;
constexpr qint64 kIdMask = (qint64(1) << 24) - 1;

QString decoded(std::string_view bytes) { return platform::cp1252::decode(bytes.data(), qsizetype(bytes.size())); }
std::string_view view(const QByteArray& b) { return {b.constData(), size_t(b.size())}; }

// The field padded with blanks to its width, never cut: a longer code or track is another one.
std::string_view padded(std::string_view field, size_t width, std::string& scratch) {
  if (field.size() >= width) return field;
  scratch.assign(field);
  scratch.append(width - field.size(), ' ');
  return scratch;
}

// Lines and records meet in buckets: the code padded or cut to 11 and in capitals, then the track
// padded or cut to 2. Only the lines of a record's bucket are looked at closer.
constexpr int kBucketLength = common::kCodeWidth + common::kTrackWidth;
void bucketOf(std::string_view code, std::string_view track, char* out) {
  for (size_t i = 0; i < size_t(common::kCodeWidth); ++i)
    out[i] = i < code.size() ? char(platform::cp1252::upperByte(static_cast<unsigned char>(code[i]))) : ' ';
  for (size_t i = 0; i < size_t(common::kTrackWidth); ++i) out[common::kCodeWidth + i] = i < track.size() ? track[i] : ' ';
}

// The code as a saved line shows it: padded or cut to 11.
QString fitted(const QString& code) { return common::fitWidth(code, common::kCodeWidth); }

}  // namespace

// ---------------------------------------------------------------- the records of a list

LineRecords::LineRecords() {
  // Each table marks its numbers, so that a number kept from another list names nothing here.
  static std::atomic<qint64> tables{0};
  table_ = (tables.fetch_add(1) % 0x7FFF) + 1;
}

int LineRecords::idOf(std::map<std::string, int, std::less<>>& ids, std::vector<QString>& values, std::string_view v) {
  const auto found = ids.find(v);
  if (found != ids.end()) return found->second;
  const int id = int(values.size());
  ids.emplace(std::string(v), id);
  values.push_back(decoded(v));
  return id;
}

qint64 LineRecords::numberOf(std::string_view code, std::string_view track) {
  if (lastCodeId_ < 0 || code != lastCode_) {
    lastCodeId_ = idOf(codeIds_, codes_, code);
    lastCode_.assign(code);
  }
  const int trackId = idOf(trackIds_, tracks_, track);
  if (qint64(lastCodeId_) > kIdMask || qint64(trackId) > kIdMask) return 0;  // beyond any list: no record kept
  return (table_ << (kCodeIdBits + kTrackIdBits)) | (qint64(lastCodeId_) << kTrackIdBits) | qint64(trackId);
}

std::optional<LineRecord> LineRecords::record(qint64 number) const {
  if (number <= 0 || (number >> (kCodeIdBits + kTrackIdBits)) != table_) return std::nullopt;
  const size_t code = size_t((number >> kTrackIdBits) & kIdMask), track = size_t(number & kIdMask);
  if (code >= codes_.size() || track >= tracks_.size()) return std::nullopt;
  return LineRecord{codes_[code], tracks_[track]};
}

// ---------------------------------------------------------------- which disc a line means

QByteArray paddedDiscCode(const QString& code) {
  return platform::cp1252::encode(common::padRight(code, common::kCodeWidth));
}

bool isDiscCode(std::string_view recordCode, const QByteArray& paddedDisc) {
  std::string scratch;
  return padded(recordCode, size_t(common::kCodeWidth), scratch) == view(paddedDisc);
}

std::vector<DiscMatch> discsOfLines(const QByteArray& tracks, const std::vector<ListLine>& lines) {
  struct Wanted {
    QByteArray track;      // padded to 2
    QByteArray disc;       // a line with its record: the code padded to 11
    QByteArray shown;      // a saved line: the code it shows, padded or cut to 11
    bool anyCase = false;  // a saved line showing its code in capitals
    bool paddedHeld = false;
    QString firstAsRead;
  };
  std::vector<Wanted> wanted(lines.size());
  std::vector<DiscMatch> out(lines.size());
  QHash<QByteArray, std::vector<size_t>> buckets;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ListLine& l = lines[i];
    Wanted& w = wanted[i];
    w.track = platform::cp1252::encode(common::padRight(l.track, common::kTrackWidth));
    QByteArray code;
    if (!l.storedCode && common::Trim(l.shownCode).isEmpty()) continue;  // a blank column names no disc
    if (l.storedCode) {
      w.disc = paddedDiscCode(*l.storedCode);
      code = w.disc;
    } else {
      const QString shown = fitted(l.shownCode);
      w.shown = platform::cp1252::encode(shown);
      w.anyCase = common::UCase(shown) == shown;
      code = w.shown;
    }
    QByteArray bucket(kBucketLength, ' ');
    bucketOf(view(code), view(w.track), bucket.data());
    buckets[bucket].push_back(i);
  }

  char bucket[kBucketLength];
  std::string codeScratch, trackScratch;
  forEachRecord(tracks, [&](const RecordBytes& r) {
    bucketOf(r.code, r.track, bucket);
    const auto found = buckets.constFind(QByteArray::fromRawData(bucket, kBucketLength));
    if (found == buckets.constEnd()) return true;
    const std::string_view track = padded(r.track, size_t(common::kTrackWidth), trackScratch);
    for (const size_t i : *found) {
      Wanted& w = wanted[i];
      if (track != view(w.track)) continue;
      if (!w.disc.isNull()) {
        if (padded(r.code, size_t(common::kCodeWidth), codeScratch) != view(w.disc)) continue;
      } else if (!w.anyCase) {
        // Shown with a small letter, the code is shown as the file holds it.
        const std::string_view shown = view(w.shown);
        const size_t n = std::min(r.code.size(), shown.size());
        if (r.code.substr(0, n) != shown.substr(0, n) ||
            shown.find_first_not_of(' ', n) != std::string_view::npos)
          continue;
      }
      DiscMatch& m = out[i];
      const QString code = decoded(r.code);
      const QString disc = common::RTrim(code);
      if (!m.discs.contains(disc)) m.discs << disc;
      if (disc != m.discs[0]) continue;
      if (w.firstAsRead.isNull()) {
        w.firstAsRead = code;
        m.record = QStringList{code, decoded(r.track), decoded(r.title), decoded(r.artist)};
      }
      w.paddedHeld = w.paddedHeld || code == common::padRight(disc, common::kCodeWidth);
    }
    return true;
  });
  for (size_t i = 0; i < out.size(); ++i) {
    DiscMatch& m = out[i];
    if (m.discs.size() == 1)
      m.key = wanted[i].paddedHeld ? common::padRight(m.discs[0], common::kCodeWidth) : wanted[i].firstAsRead;
    else
      m.record.clear();
  }
  return out;
}

DiscMatch discOfLine(const QByteArray& tracks, const ListLine& line) { return discsOfLines(tracks, {line})[0]; }

QString fitsSeveralDiscsText(const QString& shown, const QStringList& discs) {
  return QStringLiteral("The disc code ") + common::RTrim(shown) + QStringLiteral(" fits more than one disc: ") +
         discs.join(QStringLiteral(", ")) + QLatin1Char('.');
}

}  // namespace catalogue
