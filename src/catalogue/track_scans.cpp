#include "catalogue/track_scans.h"

#include "common/records.h"
#include "common/text_helpers.h"

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

}  // namespace catalogue
