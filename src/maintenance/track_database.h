// The database files as the maintenance windows change them: finding tracks and discs, the
// rewrites of the track and disc files (as bytes, one Windows-1252 character a byte), and the
// writes that either change every file concerned or leave them all as they were (the database
// windows, updates, backup and restore all write through them).
#pragma once

#include "catalogue/database.h"
#include "catalogue/line_record.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "platform/core/text_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace maintenance {

inline constexpr const char* kMyDiscsFile = "My_Discs.kup";
// The backup pair, written side by side into the folder the user chooses.
inline constexpr const char* kDiscBackupFile = "MLDXbackup1.bxl";
inline constexpr const char* kTrackBackupFile = "MLDXbackup2.bxl";

QString myDiscsFilePath();

// The whole file, or nothing when it is missing or cannot be read.
std::optional<QByteArray> readFileBytes(const QString& path);

// One record of quoted fields separated by commas, ended by CR LF.
QByteArray recordLine(const QList<QByteArray>& fields);
QByteArray recordLine(const QStringList& fields);

// ---- finding
// What a record is known by wherever one is found by another: a disc by its code and a track by
// its number, each a part of the field given.
using catalogue::trackIdentity;
using common::discIdentity;
// Whether a record is the track of the disc, both known by their identity (above).
bool hasTrack(const QByteArray& tracks, const QString& code, const QString& track);
// Whether a disc field is the disc of the code (by its identity).
bool discListed(const QStringList& discs, const QString& code);
// Whether a disc field, without its outer blanks, equals the code without its outer blanks.
bool discInUse(const QStringList& discs, const QString& code);

// The discs a code chosen in a list may stand for; a command acts only where exactly one fits.
// Which disc a song-list line means is catalogue::discOfLine's to say.
using catalogue::DiscMatch;
// The discs of the disc file an item of the disc list stands for: the one whose code is the
// item's whole text (padded, never cut), else those whose code fitted to 11 characters is the
// item's first 11 characters (an item that carries a reference number holds only those).
DiscMatch discsListed(const QStringList& discs, const QString& item);
// What the user is told when the code fits more than one disc: nothing has been changed.
QString severalDiscsText(const QString& shown, const QStringList& discs);
// Why a change of the database was stopped, and that nothing has been changed.
QString nothingChangedText(const QString& why);
// ---- rewrites of the track file (every record written back as four quoted fields)
// What the user gives a record (a new or edited track, a new code) never holds a control
// character: a line break would split the record, any other would hide in it. The records already
// in the files are written back with whatever they hold. A rewrite that would store such a value
// is refused, with what to tell the user ("The song title cannot hold a line break.").
// Leaves out every record whose fields, as read, are the code and track, and adds the edited
// record at the end; the other records keep their fields as read and their order. The fields of
// the edited record marked kept are the record's own, written back as read, whatever they hold.
using KeptFields = std::array<bool, 4>;
common::FileRewrite editedTracks(const QByteArray& tracks, const QString& code, const QString& track,
                                 const QByteArray& editedLine, const KeptFields& kept = {});
// Whether a record's code, without its outer blanks, is the code without its outer blanks.
bool codeInUse(const QByteArray& tracks, const QString& code);
// Gives every record whose code, without its outer blanks, is `current` the code `replacement`.
common::FileRewrite recodedTracks(const QByteArray& tracks, const QString& current, const QString& replacement);
common::FileRewrite recodedDiscs(const QStringList& discs, const QString& current, const QString& replacement);

// Deletions find the disc and the track by their identities (see above), so a code of 12
// characters is not the disc of its first 11, and write every kept record with its fields as read.
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
// - A replace writes the journal naming each target and its scratch file first, without its last
//   line, then every scratch file whole (a kill there leaves the files as they were), then the
//   journal's last line, then renames each over its target. A whole replace journal rolls
//   forward: the scratch files it names that are left are renamed.
// - An append journal names each file, its length before (-1 when it did not exist), the length
//   of what is appended and those bytes themselves (one record at most). When every file holds its
//   appended bytes at its end, the append was complete and stays; otherwise it rolls back: each
//   file is cut back to its length before, one that did not exist removed.
// A journal without its last line ("end") was cut while being written, so its change never
// began: it is removed, with the scratch files it names. The scratch files of the track and disc
// files are removed too when no journal names them.
// The journal is read as any other file is: untrusted. It is obeyed only when every entry names
// a file of the database (the track and disc files, My_Discs.kup, the backup pair in one folder,
// and one song list, a .mdq file, saved with a change) with that file's own scratch name, and, for an append, no more
// than one record of this program, with the track and disc files existing before it, and every file holding after its
// recorded length nothing but the start of the bytes recorded as appended. Any other journal touches nothing: it is
// moved aside to watka.rejected.jnl (watka.rejected2.jnl, ... when that exists) and the user is told. A journal that
// cannot be removed once its change is complete or undone is emptied instead: an empty journal asks for nothing.
QString journalPath();
// The lock file that keeps two copies of the program from changing the database at once.
QString lockPath();
struct Recovery {
  bool ok = true;   // false: a change is left that could not be finished; it is kept for the next try
  QString message;  // what to tell the user, when anything (a journal moved aside, or not finished)
  explicit operator bool() const { return ok; }
};
Recovery finishInterruptedChange();

// Held by every change of the database from before it reads the files to after its last rename:
// the lock file of the program folder, waited for while another copy of the program holds it.
// Nested holders in one program share the lock. A folder where no lock file can be made (read
// only) holds no change of the database either, so the lock is then taken as held. A lock file
// left by a change that has ended, in a folder that cannot be written, is not waited for: it can
// never be removed, and the refusal says so.
class DatabaseLock {
 public:
  DatabaseLock();
  ~DatabaseLock();
  DatabaseLock(const DatabaseLock&) = delete;
  DatabaseLock& operator=(const DatabaseLock&) = delete;
  bool held() const { return held_; }
  // Why it is not held: what to tell the user.
  const QString& refusal() const { return refusal_; }
  // Lets go before the holder ends, so that a box waiting for the user keeps no other copy out.
  void release();

 private:
  bool held_ = false;
  QString refusal_;
};
// How long a change waits for another copy's change before it gives up.
extern int lockWaitMs;

// The lock, then any change a kill left unfinished finished: what a change needs before it reads
// the database files. When it may not go on, refusal() says why.
class ChangeScope {
 public:
  ChangeScope();
  explicit operator bool() const { return refusal_.isEmpty(); }
  const QString& refusal() const { return refusal_; }
  // To be called before any box of the change is shown (see DatabaseLock::release).
  void release() { lock_.release(); }

 private:
  DatabaseLock lock_;
  QString refusal_;
};
// Called with 1, 2, ... after each step of a change (each scratch file, the journal, each
// rename, each append), so that tests can stop the program there as a kill would.
extern std::function<void(int)> changeStepHook;

// Replaces each file through its own complete scratch file (see above). Every target is looked
// at first: a folder in its place, or a file that cannot be read (and so could not be put back),
// stops the set before anything is written; so does a change left unfinished that cannot be
// finished. When a write fails, no target has been touched; when a rename fails, the files
// already renamed get their earlier content back (or are removed when they did not exist).
// A set of files outside the program folder (a backup) is written without a journal when the
// program folder cannot hold one.
// A file that follows the change (the song list saved at its offer) comes last: it is put in place
// after the others and with them after a kill, but a failure to write or place it leaves the change
// made, the file as it was, and no scratch file.
struct FileWrite {
  QString path;
  QByteArray bytes;
  bool follows = false;
};
struct GroupWriteResult {
  bool ok = true;
  QString failedPath;
  QString error;
  bool putBack = true;             // false: a file already written could not be given its earlier content
  QStringList notPutBack;          // those files
  bool pending = false;            // the journal could not be cancelled: the change is finished later
  QString refusal;                 // set when the change never started: what to tell the user
  platform::WriteResult follower;  // a file that follows: whether it was put in place
  explicit operator bool() const { return ok; }
};
GroupWriteResult replaceFilesTogether(const std::vector<FileWrite>& writes);

struct Outcome {
  Outcome(bool done = true, const QString& text = QString()) : ok(done), message(text) {}
  bool ok = true;
  QString message;             // what to tell the user when the database could not be changed
  platform::WriteResult list;  // the song list saved with the change: whether it was put in place
  explicit operator bool() const { return ok; }
};

// Appends each text, one record at most, to its file in turn (a missing file is created), under an
// append journal. A record holding a control character before its line end is refused (see
// common::FileRewrite) before anything is written.
// When one cannot be written, every file is cut back to what it was before, so that none keeps
// a part.
Outcome appendAll(const std::vector<std::pair<QString, QByteArray>>& appends);

// What the user is told when a file could not be replaced but the journal, which could not be
// cancelled, will finish the change later.
QString pendingText(const QString& path, const QString& error);

// Replaces the track file and, when there is one to replace, the disc file together (see
// replaceFilesTogether), so that the two files never disagree; a song list saved at the change's
// offer follows them.
Outcome replaceDatabase(const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs = std::nullopt,
                        const std::optional<FileWrite>& list = std::nullopt);

}  // namespace maintenance
