#include "catalogue/line_record.h"

#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <iterator>

namespace catalogue {

namespace {

constexpr int kCodeIdBits = 24, kTrackIdBits = 24;
constexpr qint64 kIdMask = (qint64(1) << 24) - 1;

QString decoded(std::string_view bytes) { return platform::cp1252::decode(bytes.data(), qsizetype(bytes.size())); }
std::string_view view(const QByteArray& b) { return {b.constData(), size_t(b.size())}; }

// Lines and records meet in buckets: the code padded or cut to 11 and in capitals, then the
// track's identity (a number whatever its zeros and blanks). Only the lines of a record's bucket
// are looked at closer.
void bucketOf(std::string_view code, std::string_view track, QByteArray& out) {
  out.resize(common::kCodeWidth);
  for (size_t i = 0; i < size_t(common::kCodeWidth); ++i)
    out[qsizetype(i)] = i < code.size() ? char(platform::cp1252::upperByte(static_cast<unsigned char>(code[i]))) : ' ';
  const std::string_view identity = trackIdentity(track);
  out.append(identity.data(), qsizetype(identity.size()));
}

// The code as a saved line shows it: padded or cut to 11.
QString fitted(const QString& code) { return common::fitWidth(code, common::kCodeWidth); }

// A song or artist column as a line shows it, in capitals: whatever case a capitals pass gave the
// line, the record that made it gives the same.
QByteArray columnInCapitals(const QString& shown, int width) {
  QByteArray out = platform::cp1252::encode(common::fitWidth(shown, width));
  for (char& c : out) c = char(platform::cp1252::upperByte(static_cast<unsigned char>(c)));
  return out;
}

// Whether a record's field, cut or padded to the column's width, is the column in capitals.
bool sameInCapitals(std::string_view field, const QByteArray& column) {
  for (qsizetype i = 0; i < column.size(); ++i) {
    const char c = size_t(i) < field.size()
                       ? char(platform::cp1252::upperByte(static_cast<unsigned char>(field[size_t(i)])))
                       : ' ';
    if (c != column[i]) return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------- the records of a list

LineRecords::LineRecords() {
  // Each table marks its numbers, so that a number kept from another list names nothing here.
  static std::atomic<qint64> tables{0};
  table_ = (tables.fetch_add(1) % 0x7FFF) + 1;
  std::fill(std::begin(twoDigitTracks_), std::end(twoDigitTracks_), -1);
}

int LineRecords::Values::idOf(std::string_view v) {
  if (last >= 0 && view(values[size_t(last)]) == v) return last;
  const auto found = ids.constFind(QByteArray::fromRawData(v.data(), qsizetype(v.size())));
  if (found != ids.constEnd()) return last = found.value();
  const int id = last = int(values.size());
  values.emplace_back(v.data(), qsizetype(v.size()));
  ids.insert(values.back(), id);
  return id;
}

qint64 LineRecords::numberOf(std::string_view code, std::string_view track) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const bool digits = track.size() == 2 && digit(track[0]) && digit(track[1]);
  int* known = digits ? &twoDigitTracks_[(track[0] - '0') * 10 + (track[1] - '0')] : nullptr;
  if (known && *known < 0) *known = tracks_.idOf(track);
  const qint64 codeId = codes_.idOf(code), trackId = known ? *known : tracks_.idOf(track);
  if (codeId > kIdMask || trackId > kIdMask) return 0;  // beyond any list: no record kept
  return (table_ << (kCodeIdBits + kTrackIdBits)) | (codeId << kTrackIdBits) | trackId;
}

std::optional<LineRecord> LineRecords::record(qint64 number) const {
  if (number <= 0 || (number >> (kCodeIdBits + kTrackIdBits)) != table_) return std::nullopt;
  const size_t code = size_t((number >> kTrackIdBits) & kIdMask), track = size_t(number & kIdMask);
  if (code >= codes_.values.size() || track >= tracks_.values.size()) return std::nullopt;
  return LineRecord{platform::cp1252::decode(codes_.values[code]), platform::cp1252::decode(tracks_.values[track])};
}

// ---------------------------------------------------------------- which disc a line means

std::vector<DiscMatch> discsOfLines(const QByteArray& tracks, const std::vector<ListLine>& lines) {
  struct Wanted {
    bool ownRecord = false;
    QByteArray disc;       // a line with its record: the key of its code
    QByteArray shown;      // a saved line: the code it shows, padded or cut to 11
    bool anyCase = false;  // a saved line showing its code in capitals
    bool paddedHeld = false;
    QString firstAsRead;
    QByteArray song, artist;  // the columns the line shows, in capitals
  };
  std::vector<Wanted> wanted(lines.size());
  std::vector<DiscMatch> out(lines.size());
  QHash<QByteArray, std::vector<size_t>> buckets;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ListLine& l = lines[i];
    Wanted& w = wanted[i];
    w.song = columnInCapitals(l.song, common::kTitleWidth);
    w.artist = columnInCapitals(l.artist, common::kArtistWidth);
    QByteArray code;
    if (!l.storedCode && common::Trim(l.shownCode).isEmpty()) continue;  // a blank column names no disc
    if (l.storedCode) {
      w.ownRecord = true;
      w.disc = common::discIdentity(platform::cp1252::encode(*l.storedCode));
      code = w.disc;
    } else {
      const QString shown = fitted(l.shownCode);
      w.shown = platform::cp1252::encode(shown);
      w.anyCase = common::UCase(shown) == shown;
      code = w.shown;
    }
    QByteArray bucket;
    bucketOf(view(code), view(platform::cp1252::encode(l.track)), bucket);
    buckets[bucket].push_back(i);
  }

  // A record of a bucket has the track of its lines: only the code is left to compare.
  QByteArray bucket;
  forEachRecord(tracks, [&](const RecordBytes& r) {
    bucketOf(r.code, r.track, bucket);
    const auto found = buckets.constFind(bucket);
    if (found == buckets.constEnd()) return true;
    for (const size_t i : *found) {
      Wanted& w = wanted[i];
      if (w.ownRecord) {
        if (!common::isDiscCode(r.code, w.disc)) continue;
      } else if (!w.anyCase) {
        // Shown with a small letter, the code is shown as the file holds it.
        const std::string_view shown = view(w.shown);
        const size_t n = std::min(r.code.size(), shown.size());
        if (r.code.substr(0, n) != shown.substr(0, n) || shown.find_first_not_of(' ', n) != std::string_view::npos)
          continue;
      }
      DiscMatch& m = out[i];
      const QString code = decoded(r.code);
      const QString disc = common::discIdentity(code);
      if (!m.discs.contains(disc)) m.discs << disc;
      if (disc != m.discs[0]) continue;
      // The record that holds the line stands for it; until one is met, the first of the track.
      const bool holds = !m.holdsLine && sameInCapitals(r.title, w.song) && sameInCapitals(r.artist, w.artist);
      if (w.firstAsRead.isNull()) w.firstAsRead = code;
      if (m.record.isEmpty() || holds)
        m.record = QStringList{code, decoded(r.track), decoded(r.title), decoded(r.artist)};
      m.holdsLine = m.holdsLine || holds;
      w.paddedHeld = w.paddedHeld || code == common::padRight(disc, common::kCodeWidth);
    }
    return true;
  });
  for (size_t i = 0; i < out.size(); ++i) {
    DiscMatch& m = out[i];
    if (m.discs.size() == 1) {
      m.key = wanted[i].paddedHeld ? common::padRight(m.discs[0], common::kCodeWidth) : wanted[i].firstAsRead;
    } else {
      m.record.clear();
      m.holdsLine = false;
    }
  }
  return out;
}

DiscMatch discOfLine(const QByteArray& tracks, const ListLine& line) { return discsOfLines(tracks, {line})[0]; }

QString fitsSeveralDiscsText(const QString& shown, const QStringList& discs) {
  return QStringLiteral("The disc code ") + common::RTrim(shown) + QStringLiteral(" fits more than one disc: ") +
         discs.join(QStringLiteral(", ")) + QLatin1Char('.');
}

QString noLongerHoldsText(const QString& disc, const QString& track, const QString& shownSong,
                          const QString& shownArtist, bool withUpToDate) {
  const QString text = QStringLiteral("Track ") + track + QStringLiteral(" of disc ") + common::RTrim(disc) +
                       QStringLiteral(" no longer holds \"") + common::Trim(shownSong) + QStringLiteral("\" by \"") +
                       common::Trim(shownArtist) + QStringLiteral("\".");
  return withUpToDate ? text + QLatin1Char(' ') + kListUpToDateText : text;
}

}  // namespace catalogue
