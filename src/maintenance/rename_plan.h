// Renaming audio files after a disc's track list: the track lines the renamer holds, the word
// capitals and the eight name formats, the files a folder lists for a pattern, and the check
// that a set of renames loses and overwrites nothing.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

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
};

// Why a set of renames is refused before any file is touched.
struct RenameProblem {
  enum class Kind {
    BadName,        // `to` is no name a file can bear on every disk; `why` says what is wrong
    TargetExists,   // `to` is taken by a file that keeps its name
    FolderExists,   // `to` is taken by a subfolder
    SameTarget,     // a second file would be named `to`
    SeveralTracks,  // `from` bears the names of the tracks in `track` ("05 and 06")
    SharedTrack,    // `from` and `to` both bear the name of the track
    UnpairedFiles,  // `files` files bear no track's name but `tracks` tracks have no file
    UnplacedFiles,  // the files in `names` fit no single track, and pairing them by place could
                    // give one another track's name
    SplitPair,      // `from` and `to` share a name but would get the names of the tracks in
                    // `track` ("01 and 02"), or, with `track` empty, only `from` would be renamed
    OtherDisc,      // the files in `names` bear the codes in `discs`, other discs that the database
                    // holds: they are those discs' files
    ChangedSince,   // the files in `names` bear the codes in `discs`, which no disc of the database
                    // has, and titles that are not the tracks' of their numbers: the code and the
                    // titles have changed since they were named. `track` is the first file's
                    // number, `to` its name with that number in place of the code
    MixedTypes,     // the run lists mp3 and cdg files, and the files in `names` share their
                    // names with no file of the other type
    OtherTitles,    // the files in `names`, most of the run, carry titles and hold no song and no
                    // artist of the disc in `discs`: they look like another disc's
  };
  Kind kind;
  QString from, to, track, why;
  int files = 0, tracks = 0;
  QStringList names = {};
  QStringList discs = {};
};

// Pairs the listed files with the track lines (as many of each) and gives each its new name: the
// format's name for its track and the file's own extension (a name whose field is made only of
// characters that file names cannot hold keeps them, for checkRenames to refuse). A file is known
// by its name (letter case ignored) before it is paired by place: a file that bears the name some
// track gives today in one of the eight formats keeps that track; a name that holds a disc and
// track ("ZX1001-07") where a format puts them is that track when the code is the disc's, or when
// the song or the artist it holds still fits the track and is that track's alone or the name keeps
// both (a code changed since, that no disc of `heldDiscs` has; a name that holds another disc's
// code, or such a code and other titles, refuses the set); an
// "Artist - Song" or "Song - Artist" name whose song or artist has since been corrected is the one
// track without a file of its kind that it fits, whatever number its first part ends in
// ("Catch-22"). When no file is known so, names that each carry a title while most hold no song
// and no artist of the disc are another disc's files, and refuse the set (a name that holds only
// an artist counts as the disc's for no more names than that artist has tracks, and not at all
// for an artist of more than half the tracks: of a one-artist disc, only a song tells). The files
// left are the tracks of their own numbers when each name holds one alone, as rippers name files
// ("01 - Track 01", "Track 1", "1"; not a number that begins a title: "7 Seconds ..."), and the
// numbers are those of the tracks left; a name that holds the song of one track left, and of no
// other ("Song (In the Style of Artist)"), is that track. Otherwise they pair by place with the
// tracks that no file is, in the order a file manager shows them (every run of digits by its value:
// "Karaoke 2" before "Karaoke 10"; the tracks by their numbers, whatever order their lines stand
// in), but only when none of them has a name in one of the formats, a number held alone or a song
// of the disc. A file whose track cannot be told refuses the whole set.
struct RenamePlan {
  std::vector<RenameStep> steps;
  std::optional<RenameProblem> problem;
};
// `heldDiscs` are the codes of every disc the database holds, without trailing blanks, each
// matched as a whole code.
RenamePlan planRenames(const QStringList& items, const QStringList& files, int option,
                       const QStringList& heldDiscs = {});

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
