// The program folder and the file operations the windows use.
#pragma once

#include <QString>

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
bool renameFile(const QString& from, const QString& to);

}  // namespace platform
