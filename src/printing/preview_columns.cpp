// The columns of the eleven layouts on the preview page. Every column but the last is cut off
// at its clip x; the next column starts 0.02 of the width further on. The preview prints the
// job's own headings, so no column carries a later-page title here. Where the paper's fit moves
// the clips for a code, own number or track, the preview shows the paper's columns instead.
#include "printing/print_layouts.h"

#include <utility>

namespace printing {

namespace {

constexpr NumberFormat kAsRead = NumberFormat::None;
constexpr NumberFormat k00 = NumberFormat::TwoDigits;
constexpr NumberFormat k0000 = NumberFormat::FourDigits;
constexpr double kNoClip = -1;

using Table = std::vector<PrintColumn>;

const std::vector<std::pair<QString, Table>>& tables() {
  static const std::vector<std::pair<QString, Table>> all = {
      // Artist first.
      {"ASDT",
       {{'A', 1, 0.04, 0.37, kAsRead, {}},
        {'S', 2, 0.39, 0.78, kAsRead, {}},
        {'D', 3, 0.80, 0.87, kAsRead, {}},
        {'T', 4, 0.89, kNoClip, k00, {}}}},
      {"ASMT",
       {{'A', 1, 0.04, 0.36, kAsRead, {}},
        {'S', 2, 0.38, 0.72, kAsRead, {}},
        {'M', 3, 0.74, 0.87, kAsRead, {}},
        {'T', 4, 0.89, kNoClip, k00, {}}}},
      {"ASMDT",
       {{'A', 1, 0.04, 0.32, kAsRead, {}},
        {'S', 2, 0.34, 0.59, kAsRead, {}},
        {'M', 3, 0.61, 0.79, kAsRead, {}},
        {'D', 4, 0.81, 0.88, k0000, {}},
        {'T', 5, 0.90, kNoClip, k00, {}}}},
      // Song first.
      {"SADT",
       {{'S', 1, 0.04, 0.43, kAsRead, {}},
        {'A', 2, 0.45, 0.73, kAsRead, {}},
        {'D', 3, 0.75, 0.86, kAsRead, {}},
        {'T', 4, 0.88, kNoClip, k00, {}}}},
      {"SAMT",
       {{'S', 1, 0.04, 0.43, kAsRead, {}},
        {'A', 2, 0.45, 0.69, kAsRead, {}},
        {'M', 3, 0.71, 0.86, kAsRead, {}},
        {'T', 4, 0.88, kNoClip, k00, {}}}},
      {"SAMDT",
       {{'S', 1, 0.04, 0.34, kAsRead, {}},
        {'A', 2, 0.36, 0.64, kAsRead, {}},
        {'M', 3, 0.66, 0.80, kAsRead, {}},
        {'D', 4, 0.82, 0.88, k0000, {}},
        {'T', 5, 0.90, kNoClip, k00, {}}}},
      // Track first: the track is printed as read.
      {"TSAD",
       {{'T', 1, 0.04, 0.10, kAsRead, {}},
        {'S', 2, 0.12, 0.47, kAsRead, {}},
        {'A', 3, 0.49, 0.86, kAsRead, {}},
        {'D', 4, 0.88, kNoClip, k0000, {}}}},
      {"TSAM",
       {{'T', 1, 0.04, 0.09, kAsRead, {}},
        {'S', 2, 0.11, 0.44, kAsRead, {}},
        {'A', 3, 0.46, 0.78, kAsRead, {}},
        {'M', 4, 0.80, kNoClip, kAsRead, {}}}},
      {"TSAMD",
       {{'T', 1, 0.04, 0.09, kAsRead, {}},
        {'S', 2, 0.11, 0.44, kAsRead, {}},
        {'A', 3, 0.46, 0.72, kAsRead, {}},
        {'M', 4, 0.74, 0.88, kAsRead, {}},
        {'D', 5, 0.90, kNoClip, k0000, {}}}},
      // MF code first: the track is printed as read.
      {"MTSA",
       {{'M', 1, 0.04, 0.15, kAsRead, {}},
        {'T', 2, 0.17, 0.22, kAsRead, {}},
        {'S', 3, 0.24, 0.58, kAsRead, {}},
        {'A', 4, 0.60, kNoClip, kAsRead, {}}}},
      {"MTSAD",
       {{'M', 1, 0.04, 0.15, kAsRead, {}},
        {'T', 2, 0.17, 0.22, kAsRead, {}},
        {'S', 3, 0.24, 0.56, kAsRead, {}},
        {'A', 4, 0.58, 0.88, kAsRead, {}},
        {'D', 5, 0.90, kNoClip, k0000, {}}}},
  };
  return all;
}

}  // namespace

const std::vector<PrintColumn>& previewColumns(const QString& code) {
  for (const auto& [layout, columns] : tables())
    if (layout == code) return columns;
  static const Table none;
  return none;
}

}  // namespace printing
