// Reading and writing the program's text files: Windows-1252 (the designers' settings files
// UTF-8), CR LF on write, CR LF, a lone LF or a lone CR accepted on read. Every rewrite goes
// through a complete scratch file in the same folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace detail {
// The first CR or LF in s[from, n), or n: sixteen bytes at a time where the processor allows.
inline qsizetype findLineEnd(const char* s, qsizetype from, qsizetype n) {
  qsizetype i = from;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (hits) return i + __builtin_ctz(unsigned(hits));
  }
#endif
  while (i < n && s[i] != '\n' && s[i] != '\r') ++i;
  return i;
}
// The same over QChar text, eight characters at a time.
inline qsizetype findLineEnd(const QChar* s, qsizetype from, qsizetype n) {
  qsizetype i = from;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi16('\r'), lf = _mm_set1_epi16('\n');
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf)));
    if (hits) return i + __builtin_ctz(unsigned(hits)) / 2;
  }
#endif
  while (i < n && s[i] != QLatin1Char('\n') && s[i] != QLatin1Char('\r')) ++i;
  return i;
}
}  // namespace detail

// Calls onLine(start, end) for each line of the text, the line end left out, until onLine
// returns false. CR LF, a lone LF and a lone CR each end a line, and so does any run of CRs before
// an LF (a file converted to CR LF twice); a final line end does not start another line. Works on
// QChar text and on raw bytes alike, so every reader sees the same lines.
template <typename Ch, typename OnLine>
void forEachLine(const Ch* s, qsizetype n, OnLine onLine) {
  qsizetype i = 0;
  while (i < n) {
    qsizetype e = detail::findLineEnd(s, i, n);
    if (!onLine(i, e)) return;
    if (e < n && s[e] == Ch('\r')) {
      qsizetype crs = e + 1;
      while (crs < n && s[crs] == Ch('\r')) ++crs;
      if (crs < n && s[crs] == Ch('\n')) e = crs;
    }
    i = e + 1;
  }
}

// The whole file as text, or nothing when it is missing or cannot be read.
std::optional<QString> readTextFile(const QString& path);

// The file's lines without their line ends. A final line end does not make an extra empty
// line; a last line without a line end is kept.
std::optional<QStringList> readLines(const QString& path);
QStringList splitLines(const QString& text);

// The text of a file that may be UTF-8: bytes that are valid UTF-8 are read as UTF-8 (a
// byte-order mark at the start left out), any others as Windows-1252, as earlier versions of the
// program and older tools wrote. A file that starts with the UTF-8 byte-order mark is UTF-8 all the
// same: a sequence in it that is not is read as U+FFFD and told. Every reader of such files tells
// the two apart by this rule.
struct DecodedText {
  QString text;
  bool utf8 = false;
  bool notUtf8 = false;  // marked as UTF-8, and holding bytes that are not
};
DecodedText decodeUtf8OrCp1252(const QByteArray& bytes);

// The designers' settings files hold the user's own texts (picture paths, face names), which
// need more than one code page: they are UTF-8. A file an earlier version wrote in
// Windows-1252 is read as Windows-1252 (decodeUtf8OrCp1252).
std::optional<QStringList> readUtf8Lines(const QString& path);

// Joins lines with CR LF, each line ended by CR LF.
QString joinLines(const QStringList& lines);

// The outcome of a write: empty error means success.
struct WriteResult {
  bool ok = true;
  bool readOnly = false;  // the target (or its folder) cannot be written
  QString error;
  bool noFolder = false;  // the folder named for the target does not exist
  explicit operator bool() const { return ok; }
};

// The file a rewrite of the path replaces: the path itself, or, where it is a symbolic link, the
// file the link leads to (through every link of a chain), so that a file kept elsewhere through a
// link stays there and the link stays a link.
QString writtenFile(const QString& path);
// The scratch file of a rewrite unless the caller names another: beside the file written, its name
// and ".tmp".
QString scratchPathOf(const QString& path);

// Writes the file whole and syncs it, replacing one of that name; on failure nothing of it is
// left. A scratch file names its target: it takes the target's permissions, and a failure is
// reported against the target.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes, const QString& target = QString());
// Renames the file over the target (the file written for it: see writtenFile), replacing it in
// one step.
WriteResult renameOver(const QString& from, const QString& to);
// Syncs the folder of the file (of the file written for it), so that a rename, creation or removal
// in it lasts through a power cut.
void syncFolderOf(const QString& file);

// Writes the text through a scratch file beside the target (the file written for it) that
// replaces it only once it is complete, then syncs the folder so that the new name lasts; on any
// failure the original stays as it was. A scratch file of that name left from an earlier run is
// replaced.
WriteResult replaceFile(const QString& path, const QString& text);
WriteResult replaceFileBytes(const QString& path, const QByteArray& bytes, const QString& scratchPath = QString());
// Whether the file can be replaced as far as can be known before writing: no folder in its place,
// not read only, its folder there and writable.
WriteResult canReplace(const QString& path);
// The same in two steps, for a file that is to change only once something else has: the scratch
// file written whole, then put in place (or deleted by the caller: scratchPathOf names it).
WriteResult stageReplacement(const QString& path, const QByteArray& bytes, const QString& scratchPath = QString());
WriteResult putStagedInPlace(const QString& path, const QString& scratchPath = QString());
WriteResult replaceFileUtf8(const QString& path, const QString& text);

}  // namespace platform
