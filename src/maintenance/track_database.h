// The database files as the maintenance windows change them: finding tracks and discs, the
// rewrites of the track and disc files (as bytes, one Windows-1252 character a byte), and the
// writes that either change every file concerned or leave them all as they were (the database
// windows, updates, backup and restore all write through them).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace maintenance {

inline constexpr const char* kMyDiscsFile = "My_Discs.kup";

QString trackFilePath();
QString discFilePath();
QString myDiscsFilePath();

// What the user is told when a database file cannot be read.
QString cannotReadText(const QString& path);

// The whole file, or nothing when it is missing or cannot be read.
std::optional<QByteArray> readFileBytes(const QString& path);

// One record of quoted fields separated by commas, ended by CR LF.
QByteArray recordLine(const QList<QByteArray>& fields);
QByteArray recordLine(const QStringList& fields);

// ---- finding
// Whether a record's disc and track fields, as read, equal the code and the track exactly.
bool hasTrack(const QByteArray& tracks, const QString& code, const QString& track);
// Whether a record's code is longer than the code and begins with it, and its track field, as
// read, is the track: a record that a list cut to the code's width shows under that code.
bool hasTrackUnderLongerCode(const QByteArray& tracks, const QString& code, const QString& track);
// Whether a disc field, as read, equals the code exactly.
bool discListed(const QStringList& discs, const QString& code);
// Whether a disc field, without its outer blanks, equals the code without its outer blanks.
bool discInUse(const QStringList& discs, const QString& code);
// ---- rewrites of the track file (every record written back as four quoted fields)
// Leaves out every record whose fields, as read, are the code and track, and adds the edited
// record at the end; the other records keep their fields as read and their order.
QByteArray editedTracks(const QByteArray& tracks, const QString& code, const QString& track,
                        const QByteArray& editedLine);
// Gives every record whose code, without its outer blanks, is `current` the code `replacement`.
QByteArray recodedTracks(const QByteArray& tracks, const QString& current, const QString& replacement);
QByteArray recodedDiscs(const QStringList& discs, const QString& current, const QString& replacement);

// Deletions compare codes and tracks padded to 11 and 2 characters and write every kept record
// with each field padded to its width. A longer field is never cut: it is compared and written
// whole, so a code of 12 characters is not the disc of its first 11.
struct TrackDeletion {
  QByteArray tracks;   // the kept records
  int discTracks = 0;  // records of the disc, the deleted ones included
  int removed = 0;
};
TrackDeletion withoutDisc(const QByteArray& tracks, const QString& key);
TrackDeletion withoutTrack(const QByteArray& tracks, const QString& key, const QString& track);
QByteArray discsWithout(const QStringList& discs, const QString& key);

// ---- writing
// Writes each file through its own complete scratch file, in order. Every target is looked at
// first: a folder in its place, or a file that cannot be read (and so could not be put back),
// stops the set before anything is written. When a write fails, the files already written get
// their earlier content back (or are removed when they did not exist), so the set stays as it was.
struct FileWrite {
  QString path;
  QByteArray bytes;
};
struct GroupWriteResult {
  bool ok = true;
  QString failedPath;
  QString error;
  bool putBack = true;     // false: a file already written could not be given its earlier content
  QStringList notPutBack;  // those files
  explicit operator bool() const { return ok; }
};
GroupWriteResult replaceFilesTogether(const std::vector<FileWrite>& writes);

struct Outcome {
  bool ok = true;
  QString message;  // what to tell the user when the database could not be changed
  explicit operator bool() const { return ok; }
};

// Appends each text to its file in turn (a missing file is created). When one cannot be
// written, every file is cut back to what it was before, so that none keeps a part.
Outcome appendAll(const std::vector<std::pair<QString, QByteArray>>& appends);

// Replaces the track file, then the disc file when there is one to replace, together (see
// replaceFilesTogether): when the disc file cannot be replaced the old track file is put back,
// so the two files never disagree.
Outcome replaceDatabase(const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs = std::nullopt);

}  // namespace maintenance
