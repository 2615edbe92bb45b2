// Reading the database files: the disc file into disc-list items, and the track file's
// record count for the window title.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace catalogue {

inline constexpr const char* kDiscFile = "watdi.bxl";
inline constexpr const char* kTrackFile = "watka.bxl";

// The two files in the program folder.
QString trackFilePath();
QString discFilePath();
// What the user is told when something cannot be read, `what` naming it ("The folder /x").
QString unreadableText(const QString& what);
// What the user is told when a file could not be written, `what` naming it, with the error.
QString unwritableText(const QString& what, const QString& error);
// What the user is told when a database file cannot be read.
QString cannotReadText(const QString& path);

// Every field of the disc file in order, quotes stripped and blanks kept; nothing when the
// file is missing or unreadable.
std::optional<QStringList> readDiscFile(const QString& path);

// The number of records of the track file, one a line (blank lines are not records); nothing
// when the file is missing or unreadable.
std::optional<qint64> countTrackRecords(const QString& path);

// The record estimate that sizes progress bars: the file length divided by 92 (the length of a
// padded record line), a half rounded to the even neighbour; 0 for a missing file.
qint64 recordEstimate(qint64 fileLength);
// Progress steps of one per `perStep` estimated records, counting at least `atLeast` records.
int progressSteps(qint64 fileLength, qint64 atLeast, qint64 perStep);

}  // namespace catalogue
