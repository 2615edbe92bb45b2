// Synthetic disc/track database writer used for demos, tests and load checks.
//
// Writes the two database files the application reads:
//   watdi.bxl  one quoted, blank-padded disc code per line
//   watka.bxl  one quoted record per track: code, track, title, artist
// Both are single-byte Windows-1252 text with CR LF line ends.
//
// The output depends only on (trackCount, seed): the random source is a
// self-contained splitmix64, so the same call gives byte-identical files on
// every compiler and standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tools {

// Column widths of the on-disk records (characters, excluding quotes).
inline constexpr std::size_t kCodeWidth = 11;
inline constexpr std::size_t kTrackWidth = 2;
inline constexpr std::size_t kTitleWidth = 36;
inline constexpr std::size_t kArtistWidth = 30;

// Bytes in one padded watka.bxl line, CR LF included:
// 4 fields x 2 quotes + 3 commas + field widths + CR LF.
inline constexpr std::size_t kTrackLineBytes = 8 + 3 + kCodeWidth + kTrackWidth + kTitleWidth + kArtistWidth + 2;
// Bytes in one watdi.bxl line, CR LF included.
inline constexpr std::size_t kDiscLineBytes = 2 + kCodeWidth + 2;

struct GeneratedDatabase {
  std::size_t discs;
  std::size_t tracks;
};

// Writes watdi.bxl and watka.bxl into `folder` (which must already exist),
// replacing any files of those names. Produces exactly `trackCount` tracks
// spread over discs of 8..20 tracks (the last disc takes the remainder and
// may be shorter). Throws std::runtime_error if a file cannot be written.
GeneratedDatabase generateDatabase(const std::string& folder, std::size_t trackCount, std::uint32_t seed = 1);

// One watka.bxl line without the CR LF. Each field is blank-padded or cut to
// its column width; the track number is clamped to 0..99 and written with a
// leading zero. Double quotes and commas, which the format cannot carry, are
// replaced by an apostrophe and a blank respectively.
std::string trackRecord(const std::string& code, int track, const std::string& title, const std::string& artist);

// One watdi.bxl line without the CR LF, built by the same rules.
std::string discRecord(const std::string& code);

}  // namespace tools
