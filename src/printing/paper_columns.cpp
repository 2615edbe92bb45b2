// The columns of the eleven layouts on paper. Every column but the last is cut off at its clip
// x, 0.02 of the width before the next column starts; the last one runs on to the right edge.
// Where a code, own number or track would be cut, the page's fit (fitPage) moves the clips.
// Some edges differ from the preview page's, and the disc number (and in some layouts the
// track) is formatted on paper where the preview shows it as read.
#include "printing/print_layouts.h"

#include <map>

namespace printing {

namespace {

constexpr double kLast = -1;  // no clip: the last column
constexpr NumberFormat kNone = NumberFormat::None;
constexpr NumberFormat k00 = NumberFormat::TwoDigits;
constexpr NumberFormat k0000 = NumberFormat::FourDigits;

PrintColumn artist(int field, double x, double clip) { return {'A', field, x, clip, kNone, "ARTIST"}; }
PrintColumn song(int field, double x, double clip) { return {'S', field, x, clip, kNone, "SONG"}; }
PrintColumn mfCode(int field, double x, double clip) { return {'M', field, x, clip, kNone, "MF CODE"}; }
PrintColumn disc(int field, double x, double clip) { return {'D', field, x, clip, k0000, "DISC"}; }
PrintColumn track(int field, double x, double clip, NumberFormat format = k00) {
  return {'T', field, x, clip, format, "TRACK"};
}

const std::map<QString, std::vector<PrintColumn>>& paperTables() {
  static const std::map<QString, std::vector<PrintColumn>> tables = {
      // Artist first.
      {"ASDT", {artist(1, 0.04, 0.37), song(2, 0.39, 0.78), disc(3, 0.80, 0.87), track(4, 0.89, kLast)}},
      {"ASMT", {artist(1, 0.04, 0.36), song(2, 0.38, 0.70), mfCode(3, 0.72, 0.87), track(4, 0.89, kLast)}},
      {"ASMDT",
       {artist(1, 0.04, 0.32), song(2, 0.34, 0.60), mfCode(3, 0.62, 0.79), disc(4, 0.81, 0.88), track(5, 0.90, kLast)}},
      // Song first.
      {"SAMT", {song(1, 0.04, 0.43), artist(2, 0.45, 0.73), mfCode(3, 0.75, 0.86), track(4, 0.88, kLast)}},
      {"SADT", {song(1, 0.04, 0.43), artist(2, 0.45, 0.73), disc(3, 0.75, 0.86), track(4, 0.88, kLast)}},
      {"SAMDT",
       {song(1, 0.04, 0.34), artist(2, 0.36, 0.66), mfCode(3, 0.68, 0.80), disc(4, 0.82, 0.88), track(5, 0.90, kLast)}},
      // Track first.
      {"TSAM", {track(1, 0.04, 0.09), song(2, 0.11, 0.44), artist(3, 0.46, 0.78), mfCode(4, 0.80, kLast)}},
      {"TSAD", {track(1, 0.04, 0.10), song(2, 0.12, 0.47), artist(3, 0.49, 0.86), disc(4, 0.88, kLast)}},
      {"TSAMD",
       {track(1, 0.04, 0.09), song(2, 0.11, 0.42), artist(3, 0.44, 0.75), mfCode(4, 0.77, 0.88), disc(5, 0.90, kLast)}},
      // MF code first: the track stands as read.
      {"MTSA", {mfCode(1, 0.04, 0.15), track(2, 0.17, 0.22, kNone), song(3, 0.24, 0.58), artist(4, 0.60, kLast)}},
      {"MTSAD",
       {mfCode(1, 0.04, 0.15), track(2, 0.17, 0.23, kNone), song(3, 0.25, 0.56), artist(4, 0.58, 0.88),
        disc(5, 0.90, kLast)}},
  };
  return tables;
}

}  // namespace

const std::vector<PrintColumn>& paperColumns(const QString& code) {
  static const std::vector<PrintColumn> none;
  const auto& tables = paperTables();
  const auto it = tables.find(code);
  return it == tables.end() ? none : it->second;
}

}  // namespace printing
