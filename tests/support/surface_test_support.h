// What the label and case tests share without any window: disc track items and the recorded
// calls of one kind.
#pragma once

#include "platform/core/recording_surface.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace designer_test {

constexpr double kPtPerMm = 72.0 / 25.4;

// A disc's track list item: track, 4 blanks, song (36 characters), artist (30).
inline QString item(const QString& track, const QString& song, const QString& artist = "ARTIST") {
  return track + "    " + song.leftJustified(36, ' ', true) + artist.leftJustified(30, ' ', true);
}

// Tracks 01 to n, "SONG 1" to "SONG n", all by "ARTIST".
inline QStringList tracks(int n) {
  QStringList out;
  for (int i = 1; i <= n; ++i) out << item(QString::asprintf("%02d", i), "SONG " + QString::number(i));
  return out;
}

// Tracks 01 to n with the longest texts an item holds: a song of 36 and an artist of 30 wide
// letters.
inline QStringList longTracks(int n) {
  QStringList out;
  for (int i = 1; i <= n; ++i) {
    const QString number = QString::asprintf("%02d", i);
    out << item(number, ("SONG " + number + " ").leftJustified(36, 'W'),
                ("ARTIST " + number + " ").leftJustified(30, 'M'));
  }
  return out;
}

// The calls of one kind on the surface's current page, in order.
inline std::vector<platform::SurfaceCall> callsOf(const platform::RecordingSurface& s,
                                                  platform::SurfaceCall::Kind kind) {
  std::vector<platform::SurfaceCall> out;
  for (const auto& c : s.current().calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

}  // namespace designer_test
