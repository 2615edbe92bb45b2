// Update files (*.kup): recognising one, reading its records, and merging them into the track
// file and the disc file, which are then replaced together (see track_database.h).
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace maintenance {

// The first field of every update file, trailing blank included.
inline const QString kUpdateHeader = QStringLiteral("Mellowdex Update File ");

// One record of an update file: its four fields exactly as read (Windows-1252 bytes), never
// trimmed, fitted or padded.
struct UpdateRecord {
  QByteArray code, track, title, artist;
  QByteArray line() const;  // the four fields quoted, separated by commas, then CR LF
};

struct UpdateFileRead {
  enum class Status { Records, NotUpdateFile, BrokenRecord, LetterNotHeld, NotUtf8 };
  Status status = Status::NotUpdateFile;
  int brokenLine = 0;  // 1-based line of the first line that is not a whole track record,
                       // holds a letter the database cannot hold, or is not the UTF-8 the file's
                       // mark says it is
  QString letter;      // LetterNotHeld: that letter
  std::vector<UpdateRecord> records;
};

// The header line, then one track record a line; blank lines are passed over. A line that does
// not hold exactly four fields, or a field holding a double quote (which cannot be written back
// so that it reads the same), makes the whole file refused. A file in UTF-8 (what most tools
// write now; told apart as platform::decodeUtf8OrCp1252 says) is read as UTF-8 and its records
// kept in Windows-1252, as the database holds them; a letter Windows-1252 has not refuses the
// whole file, and so does a line that is not UTF-8 in a file that starts with the UTF-8 mark. Any
// other file is Windows-1252 and its bytes are kept as they are.
UpdateFileRead readUpdateFile(const QByteArray& bytes);

// The two database files after an update, and what it added.
struct MergedUpdate {
  QByteArray tracks, discs;
  int tracksAdded = 0;
  int discsAdded = 0;
};

// Appends each record whose disc and track are not yet in the track file, and each disc not yet
// in the disc file, both found by their identities (see common::discIdentity), so that a
// record stored padded and its supplier's unpadded one are one; what is appended is written as
// read. A record repeated in the update is added once. `step(i)` runs before record i (0-based).
MergedUpdate mergeUpdate(const QByteArray& trackFile, const QByteArray& discFile,
                         const std::vector<UpdateRecord>& records, const std::function<void(int)>& step = {});

// Applying an update file to the database files of a folder.
struct UpdateOutcome {
  enum class Result { Applied, NotUpdateFile, BrokenRecord, LetterNotHeld, NotUtf8, DatabaseUnreadable, WriteFailed };
  Result result = Result::NotUpdateFile;
  int brokenLine = 0;
  QString letter;  // LetterNotHeld: the letter the database cannot hold
  QString path;    // the file that could not be read or written
  QString error;
  bool putBack = true;
  bool pending = false;  // the journal finishes the change later (see replaceFilesTogether)
  bool added = false;    // Applied, and at least one track or disc was new
  QString refusal;       // the change never started: what to tell the user
};
struct UpdateProgress {
  std::function<void(int total)> start;  // once the records are counted
  std::function<void(int index)> step;   // before each record
};
// Reads the whole update file and both database files before anything is written; writes the
// track file and then the disc file, each only when it gains a line.
UpdateOutcome applyUpdateFile(const QString& updatePath, const QString& programFolder,
                              const UpdateProgress& progress = {});

}  // namespace maintenance
