// Reading and writing the program's text files: Windows-1252 (the designers' settings files
// UTF-8), CR LF on write, CR LF or LF accepted on read. Every rewrite goes through a complete
// scratch file in the same folder.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The whole file as text, or nothing when it is missing or cannot be read.
std::optional<QString> readTextFile(const QString& path);

// The file's lines without their line ends. A final line end does not make an extra empty
// line; a last line without a line end is kept.
std::optional<QStringList> readLines(const QString& path);
QStringList splitLines(const QString& text);

// The designers' settings files hold the user's own texts (picture paths, face names), which
// need more than one code page: they are UTF-8. A file an earlier version wrote in
// Windows-1252 (bytes that are no valid UTF-8) is read as Windows-1252.
std::optional<QStringList> readUtf8Lines(const QString& path);

// Joins lines with CR LF, each line ended by CR LF.
QString joinLines(const QStringList& lines);

// The outcome of a write: empty error means success.
struct WriteResult {
  bool ok = true;
  bool readOnly = false;  // the target (or its folder) cannot be written
  QString error;
  explicit operator bool() const { return ok; }
};

// Writes the text through a scratch file beside the target that replaces it only once it is
// complete; on any failure the original stays as it was.
WriteResult replaceFile(const QString& path, const QString& text);
WriteResult replaceFileBytes(const QString& path, const QByteArray& bytes);
WriteResult replaceFileUtf8(const QString& path, const QString& text);

}  // namespace platform
