// The database files as the maintenance windows change them: finding tracks and discs, the
// rewrites of the track and disc files (as bytes, one Windows-1252 character a byte), and the
// writes that either change every file concerned or leave them all as they were (the database
// windows, updates, backup and restore all write through them).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
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
// A change of several files survives a kill at any moment: it is recorded in the journal
// watka.jnl of the program folder while it runs, and finishInterruptedChange, run when the
// program starts and before every change, finishes or undoes a change that a kill cut short.
// - A replace writes every scratch file whole first (a kill there leaves the files as they were),
//   then the journal naming each target and its scratch file, then renames each over its target.
//   A whole replace journal rolls forward: the scratch files it names that are left are renamed.
// - An append journal names each file and its length before (-1 when it did not exist); it rolls
//   back: each file is cut back to that length, one that did not exist removed.
// A journal without its last line ("end") was cut while being written, so its change never
// began: it is removed, with the scratch files it names. The scratch files of the track and disc
// files are removed too when no journal names them.
QString journalPath();
// False when a journal is left that could not be read or carried out; it is kept for the next try.
bool finishInterruptedChange();
// Called with 1, 2, ... after each step of a change (each scratch file, the journal, each
// rename, each append), so that tests can stop the program there as a kill would.
extern std::function<void(int)> changeStepHook;

// Replaces each file through its own complete scratch file (see above). Every target is looked
// at first: a folder in its place, or a file that cannot be read (and so could not be put back),
// stops the set before anything is written; so does a change left unfinished that cannot be
// finished. When a write fails, no target has been touched; when a rename fails, the files
// already renamed get their earlier content back (or are removed when they did not exist).
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

// Appends each text to its file in turn (a missing file is created), under an append journal.
// When one cannot be written, every file is cut back to what it was before, so that none keeps
// a part.
Outcome appendAll(const std::vector<std::pair<QString, QByteArray>>& appends);

// Replaces the track file and, when there is one to replace, the disc file together (see
// replaceFilesTogether), so that the two files never disagree.
Outcome replaceDatabase(const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs = std::nullopt);

}  // namespace maintenance
