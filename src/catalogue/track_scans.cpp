#include "catalogue/track_scans.h"

#include "catalogue/song_list_rules.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/sorted_list_model.h"

#include <algorithm>
#include <cstring>

namespace catalogue {

namespace {

// Calls fn for every record, and the progress step after each `every` records.
template <typename Fn>
void scan(const QByteArray& tracks, const ScanProgress& progress, Fn fn) {
  qint64 counter = 0;
  forEachRecord(tracks, [&](const RecordBytes& r) {
    if (progress.every > 0 && ++counter % progress.every == 0 && progress.step) progress.step();
    return fn(r);
  });
}

// A field cut or blank-padded to its width in the buffer: the match sees its trailing blanks.
std::string_view fitted(std::string_view field, char* buffer, int width) {
  const size_t n = std::min(field.size(), size_t(width));
  std::memcpy(buffer, field.data(), n);
  std::memset(buffer + n, ' ', size_t(width) - n);
  return std::string_view(buffer, size_t(width));
}

// A disc code padded to its column but never cut: a longer code is found by any part of it.
std::string_view wholeCode(std::string_view code, char* buffer) {
  return code.size() >= size_t(common::kCodeWidth) ? code : fitted(code, buffer, common::kCodeWidth);
}

}  // namespace

qint64 recordCount(const QByteArray& tracks) {
  qint64 count = 0;
  forEachRecord(tracks, [&](const RecordBytes&) { return ++count, true; });
  return count;
}

ScannedLines createListLines(const QByteArray& tracks, Sort sort, const QHash<QByteArray, QString>& tickedRefs,
                             bool showCodes, const ScanProgress& progress) {
  ScannedLines out;
  if (tickedRefs.isEmpty()) return out;
  scan(tracks, progress, [&](const RecordBytes& r) {
    const std::string_view key = common::discIdentity(r.code);
    const auto found = tickedRefs.constFind(QByteArray::fromRawData(key.data(), qsizetype(key.size())));
    if (found == tickedRefs.constEnd()) return true;
    if (out.lines.size() >= Max_List_Lines) return !(out.capped = true);
    LineFields f = lineFields(r);
    if (!showCodes) f.code = common::Space(common::kCodeWidth);
    f.ref = found.value();
    out.lines << createListLine(sort, f);
    out.numbers.push_back(out.records.numberOf(r.code, r.track));
    return true;
  });
  return out;
}

ScannedLines tickAllLines(const QByteArray& tracks, Sort sort, const ScanProgress& progress) {
  ScannedLines out;
  scan(tracks, progress, [&](const RecordBytes& r) {
    if (out.lines.size() >= Max_List_Lines) return !(out.capped = true);
    out.lines << tickAllLine(sort, lineFields(r));
    out.numbers.push_back(out.records.numberOf(r.code, r.track));
    return true;
  });
  return out;
}

ScannedLines searchLines(const QByteArray& tracks, Sort sort, const SearchPattern& pattern, int fields,
                         const ScanProgress& progress) {
  ScannedLines out;
  char song[common::kTitleWidth], artist[common::kArtistWidth], code[common::kCodeWidth];
  scan(tracks, progress, [&](const RecordBytes& r) {
    const bool hit = ((fields & kSearchSong) && pattern.matches(fitted(r.title, song, common::kTitleWidth))) ||
                     ((fields & kSearchArtist) && pattern.matches(fitted(r.artist, artist, common::kArtistWidth))) ||
                     ((fields & kSearchCode) && pattern.matches(wholeCode(r.code, code)));
    if (!hit) return true;
    if (out.lines.size() >= Max_List_Lines) return !(out.capped = true);
    out.lines << tickAllLine(sort, lineFields(r));
    out.numbers.push_back(out.records.numberOf(r.code, r.track));
    return true;
  });
  return out;
}

std::vector<RecordBytes> discRecords(const QByteArray& tracks,
                                     const std::function<bool(std::string_view code)>& belongs,
                                     const ScanProgress& progress) {
  std::vector<RecordBytes> out;
  scan(tracks, progress, [&](const RecordBytes& r) {
    if (belongs(r.code)) out.push_back(r);
    return true;
  });
  return out;
}

HiddenLines hiddenDuplicates(const QByteArray& tracks, Sort sort, const QHash<QByteArray, QString>& tickedRefs,
                             bool showCodes) {
  ScannedLines made = createListLines(tracks, sort, tickedRefs, showCodes);
  // In the list's order: by sort key, equal lines as they came.
  std::vector<std::pair<QByteArray, int>> order;
  order.reserve(size_t(made.lines.size()));
  for (int i = 0; i < made.lines.size(); ++i) order.emplace_back(platform::sortKey(made.lines[i]), i);
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QStringList lines;
  lines.reserve(made.lines.size());
  for (const auto& o : order) lines << made.lines[o.second];
  std::vector<int> ahead;
  rowsWithoutDupes(lines, sort, {}, &ahead);
  HiddenLines out;
  for (size_t i = 0; i < ahead.size(); ++i) {
    if (ahead[i] == int(i)) continue;
    out.lines << lines[qsizetype(i)];
    out.behind << lines[ahead[i]];
    out.numbers.push_back(made.numbers[size_t(order[i].second)]);
  }
  out.records = std::move(made.records);
  return out;
}

QStringList linesAsStored(const QByteArray& tracks, Sort sort, const QStringList& lines,
                          const std::vector<qint64>& numbers, const LineRecords& records) {
  // The records wanted, by code and then track as the file holds them.
  QHash<QByteArray, QHash<QByteArray, qint64>> wanted;
  for (size_t i = 0; i < numbers.size() && i < size_t(lines.size()); ++i)
    if (const std::optional<LineRecord> r = records.record(numbers[i]))
      wanted[platform::cp1252::encode(r->code)].insert(platform::cp1252::encode(r->track), numbers[i]);
  QStringList out = lines;
  if (wanted.isEmpty()) return out;
  struct Held {
    QString song, artist;
    bool given = false;
  };
  QHash<qint64, std::vector<Held>> held;  // each number's records, in file order
  const auto raw = [](std::string_view v) { return QByteArray::fromRawData(v.data(), qsizetype(v.size())); };
  forEachRecord(tracks, [&](const RecordBytes& r) {
    const auto code = wanted.constFind(raw(r.code));
    if (code == wanted.constEnd()) return true;
    const auto number = code->constFind(raw(r.track));
    if (number != code->constEnd())
      held[number.value()].push_back(
          {fieldText(r.title, common::kTitleWidth), fieldText(r.artist, common::kArtistWidth)});
    return true;
  });
  for (qsizetype i = 0; i < out.size(); ++i) {
    const auto found = held.find(numbers[size_t(i)]);
    if (found == held.end()) continue;
    const LineFields shown = fieldsOfLine(lines[i], sort);
    const QString song = common::UCase(common::fitWidth(shown.song, common::kTitleWidth)),
                  artist = common::UCase(common::fitWidth(shown.artist, common::kArtistWidth));
    for (Held& h : *found)
      if (!h.given && common::UCase(h.song) == song && common::UCase(h.artist) == artist) {
        h.given = true;
        out[i] = withSongAndArtist(lines[i], sort, h.song, h.artist);
        break;
      }
  }
  return out;
}

}  // namespace catalogue
