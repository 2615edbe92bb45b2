// The program folder and the file operations the windows use.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace platform {

// The folder of the running program, or MELLOWDEX_HOME when set; always ends with '/'.
QString programFolder();
// A file of the program folder.
QString programFile(const QString& name);
// Joins a folder and a file name, adding the separator only when the folder lacks one.
QString joinPath(const QString& folder, const QString& name);

// The hidden attribute has no meaning on this system: the database files stay as they are.
void setHidden(const QString& path, bool hidden);

bool fileExists(const QString& path);
qint64 fileLength(const QString& path);  // -1 when missing
bool deleteFile(const QString& path);
bool copyFile(const QString& from, const QString& to);  // replaces an existing target

// One name a folder holds. A name whose bytes are not UTF-8 was written by a system with a
// single-byte code page and is read as Windows-1252, as that system showed it.
struct FolderEntry {
  enum class Type { File, Folder, Other };  // a link is what it leads to; a broken link is Other
  QString name;
  Type type;
  bool utf8;  // the name is the UTF-8 text of its bytes
};
// Every name of a folder, hidden ones included, in no particular order.
std::vector<FolderEntry> folderEntries(const QString& folder);

// Gives a file of the folder another name in the same folder with the system's own rename,
// which never replaces an existing name (on a disk whose renames cannot refuse one, the name is
// found free just before) and never copies the file. Empty when done, otherwise the system's
// reason for refusing.
QString renameInFolder(const QString& folder, const QString& from, const QString& to);
// Set by tests to stand for a disk that lacks a safe way of renaming: when it gives an error
// number for a way (1 the no-replace rename, 2 a second link), that way fails so, unrun.
extern std::function<int(int way)> refuseRenameWay;

}  // namespace platform
