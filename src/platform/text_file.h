// Reading and writing the program's text files: Windows-1252 (the designers' settings files
// UTF-8), CR LF on write, CR LF, a lone LF or a lone CR accepted on read. Every rewrite goes
// through a complete scratch file in the same folder.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <optional>

namespace platform {

namespace detail {
// The first place of c in s[from, n), or n.
inline qsizetype findChar(const char* s, qsizetype from, qsizetype n, char c) {
  const void* hit = std::memchr(s + from, c, size_t(n - from));
  return hit ? qsizetype(static_cast<const char*>(hit) - s) : n;
}
inline qsizetype findChar(const QChar* s, qsizetype from, qsizetype n, char c) {
  const qsizetype at = QStringView(s + from, n - from).indexOf(QLatin1Char(c));
  return at < 0 ? n : from + at;
}
}  // namespace detail

// Calls onLine(start, end) for each line of the text, the line end left out, until onLine
// returns false. CR LF, a lone LF and a lone CR each end a line; a final line end does not start
// another line. Works on QChar text and on raw bytes alike, so every reader sees the same lines.
// The next CR and the next LF are each looked for in bulk and kept until the lines pass them.
template <typename Ch, typename OnLine>
void forEachLine(const Ch* s, qsizetype n, OnLine onLine) {
  qsizetype i = 0;
  qsizetype cr = -1, lf = -1;  // the next CR and LF at or after i (n for none), once looked for
  while (i < n) {
    if (cr < i) cr = detail::findChar(s, i, n, '\r');
    if (lf < i) lf = detail::findChar(s, i, n, '\n');
    qsizetype e = std::min(cr, lf);
    if (!onLine(i, e)) return;
    if (e + 1 < n && e == cr && lf == e + 1) ++e;
    i = e + 1;
  }
}

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

// The scratch file of a rewrite unless the caller names another: the target's name and ".tmp".
QString scratchPathOf(const QString& path);

// Writes the file whole and syncs it, replacing one of that name; on failure nothing of it is
// left. A scratch file names its target: it takes the target's permissions, and a failure is
// reported against the target.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes, const QString& target = QString());
// Renames the file over the target, replacing it in one step.
WriteResult renameOver(const QString& from, const QString& to);
// Syncs the file's folder, so that a rename, creation or removal in it lasts through a power cut.
void syncFolderOf(const QString& file);

// Writes the text through a scratch file beside the target that replaces it only once it is
// complete, then syncs the folder so that the new name lasts; on any failure the original stays
// as it was. A scratch file of that name left from an earlier run is replaced.
WriteResult replaceFile(const QString& path, const QString& text);
WriteResult replaceFileBytes(const QString& path, const QByteArray& bytes, const QString& scratchPath = QString());
WriteResult replaceFileUtf8(const QString& path, const QString& text);

}  // namespace platform
