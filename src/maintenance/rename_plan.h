// Renaming audio files after a disc's track list: the track lines the renamer holds, the word
// capitals and the eight name formats, the files a folder lists for a pattern, and the check
// that a set of renames loses and overwrites nothing.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace maintenance {

// One track of the renamer's list: track 2, four blanks, song 36, artist 30, each field cut or
// padded to its width, then the whole disc code without its trailing blanks, padded to 11 (83
// characters, more for a longer code: a disc is its whole code).
QString renameListItem(const QString& code, const QString& track, const QString& title, const QString& artist);

// Lower case, then a capital for the first character and for every character after a blank.
QString Title_Case(const QString& field);

// The parts of a file name, cut from a track line by column: the disc's whole code, and the track
// by its number in two digits however it is stored ("2", "2 " and "02" are all "02"; a track of
// other characters as stored, trailing blanks aside).
struct NameFields {
  QString disc, track, song, artist;
};
NameFields nameFields(const QString& item);

// The name before the extension for the format of the option (1 to 8).
QString patternName(int option, const NameFields& f);
// The name a track gives a file in a format, before the extension: the format's name without the
// characters that file names cannot hold on every disk (? : * / \ < > | "), as rippers leave
// them out, and with any dots and blanks at its start left out (a name that begins with a dot
// hides its file), the word that then begins it with its capital.
QString trackFileName(int option, const NameFields& f);
// The extension of a file name: from its last dot to its end; empty when it has no dot.
QString extensionOf(const QString& fileName);

// Words of a message in a row: "a", "a and b", "a, b and c".
QString joinedWithAnd(QStringList words);

struct RenameStep {
  QString from, to;        // names inside the one folder
  QString track = {};      // the number of the track whose name the file gets; empty for a file
                           // that keeps its name in this run
  bool shortened = false;  // the name leaves out characters of the track's fields
  bool untitled = false;   // paired by the number its name holds or by its place: the name held no title
};

// Why a set of renames is refused before any file is touched.
struct RenameProblem {
  enum class Kind {
    BadName,          // `to` is no name a file can bear on every disk; `why` says what is wrong
    TargetExists,     // `to` is taken by a file that keeps its name
    FolderExists,     // `to` is taken by a subfolder
    SameTarget,       // a second file would be named `to`
    SeveralTracks,    // `from` bears the names of the tracks in `track` ("05 and 06")
    SharedTrack,      // `from` and `to` both bear the name of the track
    UnpairedFiles,    // `files` files bear no track's name but `tracks` tracks have no file
    UnplacedFiles,    // the files in `names` fit no single track, and pairing them by place could
                      // give one another track's name
    SplitPair,        // `from` and `to` share a name but would get the names of the tracks in
                      // `track` ("01 and 02"), or, with `track` empty, only `from` would be renamed
    OtherDisc,        // the files in `names` bear the codes in `discs`, other discs that the database
                      // holds: they are those discs' files
    ChangedSince,     // the files in `names` bear the codes in `discs`, which no disc of the database
                      // has, and titles that are not the tracks' of their numbers: the code and the
                      // titles have changed since they were named. `track` is the first file's
                      // number, `to` that number as its name, with its extension
    MixedTypes,       // the run lists mp3 and cdg files, and the files in `names` share their
                      // names with no file of the other type
    OtherTitles,      // the files in `names`, most of the run, carry titles and hold no song and no
                      // artist of the disc in `discs`: they look like another disc's
    OtherDiscsSongs,  // the files in `names` hold songs of the other discs in `discs` and no song of
                      // the disc: they are those discs' files
    OtherArtist,      // the files in `names` hold a song of the disc with the artist of the other
                      // discs' tracks of it in `discTracks` (one list for each disc in `discs`), and
                      // not the artist of the disc's track: they are those discs' files
  };
  Kind kind;
  QString from, to, track, why;
  int files = 0, tracks = 0;
  QStringList names = {};
  QStringList discs = {};
  std::vector<QStringList> discTracks = {};
};

// Pairs the listed files with the track lines (as many of each) and gives each its new name: the
// format's name for its track and the file's own extension (a name whose field is made only of
// characters that file names cannot hold keeps them, for checkRenames to refuse). A file is known
// by what its name says, pass by pass:
//   the name a track gives today, in any letter case;
//   the disc and track it holds where a format puts them ("ZX1001-07 - ...");
//   its song or its artist where a format puts them, the other corrected since;
//   another disc's folder, refused: most titled names hold nothing of the disc and no file proves
//   it this disc's, or a titled name holds another held disc's song and no song of this disc but
//   within it, or holds this disc's song with another held disc's artist of it, not this disc's;
//   an untitled name ("Track 7", "01 - Unknown Title"): the number it holds;
//   a titled name: the track whose song it holds most nearly, never its place;
//   the untitled names left: their place, in the order a file manager shows them.
// A file whose track cannot be told refuses the whole set.
struct RenamePlan {
  std::vector<RenameStep> steps;
  std::optional<RenameProblem> problem;
};
// A track of another disc the database holds: its disc's code, its number in two digits, its artist.
struct OtherDiscsTrack {
  QString disc, track, artist;
  bool operator==(const OtherDiscsTrack&) const = default;
};
using OtherDiscsTracks = QHash<QString, QList<OtherDiscsTrack>>;
// `heldDiscs` are the codes of every disc the database holds, without trailing blanks, each
// matched as a whole code.
// `otherDiscsSongs` looks up which of the keys (see wordKey) are songs of other discs the database
// holds, and gives those discs' tracks of each.
using OtherDiscsSongs = std::function<OtherDiscsTracks(const QSet<QString>& keys)>;
RenamePlan planRenames(const QStringList& items, const QStringList& files, int option,
                       const QStringList& heldDiscs = {}, const OtherDiscsSongs& otherDiscsSongs = {});
// The words of a title or a name as they are matched, joined by blanks: letter case, accents,
// apostrophes and other marks aside, "&" as "and".
QString wordKey(const QString& text);
// The songs of the track file's discs other than `disc` whose wordKey is one of the keys: the
// tracks of each.
OtherDiscsTracks songsOfOtherDiscs(const QByteArray& tracks, const QString& disc, const QSet<QString>& keys);

// The files of one run when they are both mp3 and cdg files (letter case ignored): they are
// renamed only as a track's mp3 and cdg files are, in pairs that share a name. `mp3` and `cdg`
// hold the pairs' files in the same order; `unpaired` the mp3 and cdg files that are no such
// pair; `others` the files of other types. Empty when the files are not of both types.
struct TypePairs {
  QStringList mp3, cdg, unpaired, others;
};
std::optional<TypePairs> mp3AndCdgPairs(const QStringList& files);

// Runs through the renames in order over the names the folder holds (`subfolders`: those of
// them that are folders): files that share a name before their extensions (letter case ignored),
// such as a track's mp3 and cdg, must share one after; a new name must be one a file can bear on
// this disk and on the disks that refuse more characters (FAT, NTFS), and must not be taken (by a
// file outside the list, by a file of the list not yet renamed away, or by an earlier rename). A
// file that already bears its new name stays as it is.
// With `foldCase` names are compared as a file system that ignores letter case compares them:
// "a.mp3" takes "A.mp3", and a new name that differs from the old only in case is the same file's.
std::optional<RenameProblem> checkRenames(const std::vector<RenameStep>& steps, const QSet<QString>& names,
                                          bool foldCase = false, const QSet<QString>& subfolders = {});

// Whether the folder's file system takes names that differ only in letter case for one name,
// seen from a name the folder holds.
bool foldsCase(const QString& folder);

// Renames a file of the folder. With `foldCase`, a new name that differs from the old only in
// letter case goes through an unused name in between, as such a file system may not change the
// case of a name in one step. Never onto an existing file, never by a copy. Empty when done,
// otherwise the system's reason (the file then keeps its name).
QString moveName(const QString& folder, const QString& from, const QString& to, bool foldCase);

// Every name in a folder, hidden files and subfolders included; a name that is not UTF-8 is
// read as Windows-1252.
QSet<QString> namesInFolder(const QString& folder);
// The names of those that are subfolders.
QSet<QString> subfoldersIn(const QString& folder);

// The files of a folder that match the pattern (wildcards "*" and "?", several patterns
// separated by ";", letter case ignored as the old file lists did), hidden files left out, in
// name order (letter case ignored, so 1.mp3, 10.mp3, 2.mp3). A name that is not UTF-8 is listed,
// as Windows-1252 text that moveName takes back to the file, only with `singleByteNames`.
QStringList listMatchingFiles(const QString& folder, const QString& pattern, bool singleByteNames = false);
// The subfolders of a folder, hidden ones left out, in name order.
QStringList listSubfolders(const QString& folder);

}  // namespace maintenance
