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

// One track of the renamer's list: track 2, four blanks, song 36, artist 30, disc code 11, each
// field cut or padded to its width (83 characters).
QString renameListItem(const QString& code, const QString& track, const QString& title, const QString& artist);

// Lower case, then a capital for the first character and for every character after a blank.
QString Title_Case(const QString& field);

// The parts of a file name, cut from a track line by column.
struct NameFields {
  QString disc, track, song, artist;
};
NameFields nameFields(const QString& item);

// The name before the extension for the format of the option (1 to 8).
QString patternName(int option, const NameFields& f);
// The last four characters of a file name, whatever they are.
QString extensionOf(const QString& fileName);

struct RenameStep {
  QString from, to;  // names inside the one folder
};
// Track line i gives file i its new name: the format's name and the old name's extension.
std::vector<RenameStep> planRenames(const QStringList& items, const QStringList& files, int option);

// Why a set of renames is refused before any file is touched.
struct RenameProblem {
  enum class Kind { BadName, TargetExists, SameTarget };
  Kind kind;
  QString from, to;
};
// Runs through the renames in order over the names the folder holds: a new name must be one a
// file can bear and must not be taken (by a file outside the list, by a file of the list not yet
// renamed away, or by an earlier rename). A file that already bears its new name stays as it is.
// With `foldCase` names are compared as a file system that ignores letter case compares them:
// "a.mp3" takes "A.mp3", and a new name that differs from the old only in case is the same file's.
std::optional<RenameProblem> checkRenames(const std::vector<RenameStep>& steps, const QSet<QString>& names,
                                          bool foldCase = false);

// Whether the folder's file system takes names that differ only in letter case for one name,
// seen from a name the folder holds.
bool foldsCase(const QString& folder);

// Renames a file of the folder. With `foldCase`, a new name that differs from the old only in
// letter case goes through an unused name in between, as such a file system may not change the
// case of a name in one step. Never onto an existing file; false when the file keeps its name.
bool moveName(const QString& folder, const QString& from, const QString& to, bool foldCase);

// Every name in a folder, hidden files and subfolders included.
QSet<QString> namesInFolder(const QString& folder);

// The files of a folder that match the pattern (wildcards "*" and "?", several patterns
// separated by ";", letter case ignored as the old file lists did), hidden files left out, in
// name order (letter case ignored, so 1.mp3, 10.mp3, 2.mp3).
QStringList listMatchingFiles(const QString& folder, const QString& pattern);
// The subfolders of a folder, hidden ones left out, in name order.
QStringList listSubfolders(const QString& folder);

}  // namespace maintenance
