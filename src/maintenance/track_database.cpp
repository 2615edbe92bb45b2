#include "maintenance/track_database.h"

#include "catalogue/database.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text_file.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace maintenance {

namespace {

using catalogue::RecordBytes;

std::string_view view(const QByteArray& b) { return {b.constData(), size_t(b.size())}; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The field's characters, a double quote written as an apostrophe: a field is written between
// double quotes and a quote inside would end it early and split the record.
void appendValue(QByteArray& out, std::string_view field) {
  const qsizetype at = out.size();
  out.append(field.data(), qsizetype(field.size()));
  if (field.find('"') != std::string_view::npos) std::replace(out.begin() + at, out.end(), '"', '\'');
}

void appendField(QByteArray& out, std::string_view field) {
  out += '"';
  appendValue(out, field);
  out += '"';
}

void appendRecord(QByteArray& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view f : fields) {
    if (!first) out += ',';
    first = false;
    appendField(out, f);
  }
  out += "\r\n";
}

// A field padded with blanks to its width; a longer one is kept whole.
void appendPadded(QByteArray& out, std::string_view field, int width) {
  out += '"';
  appendValue(out, field);
  for (size_t i = field.size(); i < size_t(width); ++i) out += ' ';
  out += '"';
}

void appendPaddedRecord(QByteArray& out, const RecordBytes& r) {
  appendPadded(out, r.code, common::kCodeWidth);
  out += ',';
  appendPadded(out, r.track, common::kTrackWidth);
  out += ',';
  appendPadded(out, r.title, common::kTitleWidth);
  out += ',';
  appendPadded(out, r.artist, common::kArtistWidth);
  out += "\r\n";
}

// The field padded with blanks to its width, never cut: a longer code or track is another one.
std::string_view padded(std::string_view field, int width, QByteArray& scratch) {
  if (field.size() >= size_t(width)) return field;
  scratch = QByteArray(field.data(), qsizetype(field.size()));
  scratch.append(qsizetype(width) - scratch.size(), ' ');
  return view(scratch);
}

// What the user knows a file as: My_Discs.kup is no database file but the copy of the tracks
// added by hand in the Add Tracks window.
QString fileWords(const QString& path) {
  return QFileInfo(path).fileName() == QLatin1String(kMyDiscsFile) ? QStringLiteral("The file of tracks added by hand ")
                                                                   : QStringLiteral("The database file ");
}

QString notWrittenText(const QString& path, const QString& error) {
  return fileWords(path) + path + QStringLiteral(" could not be written.\n\r") + error +
         QStringLiteral("\n\rThe database has not been changed.");
}

QString notPutBackText(const QString& path, const QString& error, const QStringList& restored) {
  const bool one = restored.size() == 1;
  return fileWords(path) + path + QStringLiteral(" could not be written.\n\r") + error + QStringLiteral("\n\r") +
         (one ? fileWords(restored[0]) : QStringLiteral("The files ")) + restored.join(QStringLiteral(", ")) +
         (one ? QStringLiteral(" could not be put back as it was") : QStringLiteral(" could not be put back as they were")) +
         QStringLiteral(": please restore your backup.");
}

// The track and disc files are rewritten through the scratch files watka.tmp and watdi.tmp
// beside them; any other file through its own name and ".tmp".
QString scratchFileFor(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (name != QLatin1String(catalogue::kTrackFile) && name != QLatin1String(catalogue::kDiscFile)) return {};
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tmp"));
}

}  // namespace

QString trackFilePath() { return platform::programFile(QString::fromLatin1(catalogue::kTrackFile)); }
QString discFilePath() { return platform::programFile(QString::fromLatin1(catalogue::kDiscFile)); }
QString myDiscsFilePath() { return platform::programFile(QString::fromLatin1(kMyDiscsFile)); }

QString cannotReadText(const QString& path) {
  return QStringLiteral("The database file ") + path + QStringLiteral(" cannot be read.");
}

std::optional<QByteArray> readFileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = f.readAll();
  if (f.error() != QFile::NoError) return std::nullopt;
  return bytes;
}

QByteArray recordLine(const QList<QByteArray>& fields) {
  QByteArray out;
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    appendField(out, view(fields[i]));
  }
  out += "\r\n";
  return out;
}

QByteArray recordLine(const QStringList& fields) {
  QList<QByteArray> bytes;
  for (const QString& f : fields) bytes << platform::cp1252::encode(f);
  return recordLine(bytes);
}

bool hasTrack(const QByteArray& tracks, const QString& code, const QString& track) {
  const QByteArray c = platform::cp1252::encode(code), t = platform::cp1252::encode(track);
  bool found = false;
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    found = r.code == view(c) && r.track == view(t);
    return !found;
  });
  return found;
}

bool hasTrackUnderLongerCode(const QByteArray& tracks, const QString& code, const QString& track) {
  const QByteArray c = platform::cp1252::encode(code), t = platform::cp1252::encode(track);
  bool found = false;
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    found = r.code.size() > size_t(c.size()) && r.code.substr(0, size_t(c.size())) == view(c) && r.track == view(t);
    return !found;
  });
  return found;
}

bool discListed(const QStringList& discs, const QString& code) { return discs.contains(code); }

bool discInUse(const QStringList& discs, const QString& code) {
  const QString wanted = common::Trim(code);
  for (const QString& d : discs)
    if (common::Trim(d) == wanted) return true;
  return false;
}

QByteArray editedTracks(const QByteArray& tracks, const QString& code, const QString& track,
                        const QByteArray& editedLine) {
  const QByteArray c = platform::cp1252::encode(code), t = platform::cp1252::encode(track);
  QByteArray out;
  out.reserve(tracks.size() + editedLine.size() + 2);
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    if (r.track != view(t) || r.code != view(c)) appendRecord(out, {r.code, r.track, r.title, r.artist});
    return true;
  });
  out += editedLine;
  return out;
}

QByteArray recodedTracks(const QByteArray& tracks, const QString& current, const QString& replacement) {
  const QByteArray cur = platform::cp1252::encode(common::Trim(current));
  const QByteArray rep = platform::cp1252::encode(replacement);
  QByteArray out;
  out.reserve(tracks.size() + tracks.size() / 16);
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    const std::string_view code = trimBlanks(r.code) == view(cur) ? view(rep) : r.code;
    appendRecord(out, {code, r.track, r.title, r.artist});
    return true;
  });
  return out;
}

QByteArray recodedDiscs(const QStringList& discs, const QString& current, const QString& replacement) {
  const QString cur = common::Trim(current);
  QByteArray out;
  for (const QString& d : discs) out += recordLine(QStringList{common::Trim(d) == cur ? replacement : d});
  return out;
}

namespace {

template <typename Drop>
TrackDeletion deleteWhere(const QByteArray& tracks, const QString& key, Drop drop) {
  const QByteArray k = platform::cp1252::encode(common::padRight(key, common::kCodeWidth));
  TrackDeletion d;
  d.tracks.reserve(tracks.size());
  QByteArray codeScratch, trackScratch;
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    const bool ofDisc = padded(r.code, common::kCodeWidth, codeScratch) == view(k);
    if (ofDisc) ++d.discTracks;
    if (ofDisc && drop(padded(r.track, common::kTrackWidth, trackScratch))) ++d.removed;
    else appendPaddedRecord(d.tracks, r);
    return true;
  });
  return d;
}

}  // namespace

TrackDeletion withoutDisc(const QByteArray& tracks, const QString& key) {
  return deleteWhere(tracks, key, [](std::string_view) { return true; });
}

TrackDeletion withoutTrack(const QByteArray& tracks, const QString& key, const QString& track) {
  const QByteArray t = platform::cp1252::encode(common::padRight(track, common::kTrackWidth));
  return deleteWhere(tracks, key, [&](std::string_view recordTrack) { return recordTrack == view(t); });
}

QByteArray discsWithout(const QStringList& discs, const QString& key) {
  const QString k = common::padRight(key, common::kCodeWidth);
  QByteArray out;
  for (const QString& d : discs) {
    const QString code = common::padRight(d, common::kCodeWidth);
    if (code != k) out += recordLine(QStringList{code});
  }
  return out;
}

std::function<void(int)> changeStepHook;

namespace {

// Counts the steps of one change for changeStepHook.
class Steps {
 public:
  void next() {
    if (changeStepHook) changeStepHook(++count_);
  }

 private:
  int count_ = 0;
};

// The journal is a few lines of text: the kind of change, then two lines an entry, then "end".
// A name is written relative to the program folder, its bytes percent-encoded so that any
// character of a name keeps to its line.
QByteArray journalName(const QString& path) {
  return QFile::encodeName(QDir(platform::programFolder()).relativeFilePath(path)).toPercentEncoding("/");
}

QString journalPathOf(const QByteArray& name) {
  const QString path = QFile::decodeName(QByteArray::fromPercentEncoding(name));
  return QDir::cleanPath(QDir(platform::programFolder()).absoluteFilePath(path));
}

struct Journal {
  QByteArray kind;
  std::vector<std::pair<QString, QByteArray>> entries;  // a file and its scratch file or length
  bool whole = false;
};

QByteArray journalText(const char* kind, const std::vector<std::pair<QString, QByteArray>>& entries) {
  QByteArray text = QByteArray(kind) + '\n';
  for (const auto& [path, value] : entries) text += journalName(path) + '\n' + value + '\n';
  return text + "end\n";
}

Journal readJournal(const QByteArray& text) {
  Journal j;
  QList<QByteArray> lines = text.split('\n');
  lines.removeLast();  // what follows the last line end: nothing, unless the journal was cut
  j.whole = !lines.isEmpty() && lines.back() == "end";
  if (j.whole) lines.removeLast();
  if (!lines.isEmpty()) j.kind = lines.takeFirst();
  for (qsizetype i = 0; i + 1 < lines.size(); i += 2) j.entries.emplace_back(journalPathOf(lines[i]), lines[i + 1]);
  bool numbers = true;
  if (j.kind == "append")
    for (const auto& e : j.entries) {
      bool number = false;
      e.second.toLongLong(&number);
      numbers = numbers && number;
    }
  j.whole = j.whole && lines.size() % 2 == 0 && numbers && (j.kind == "append" || j.kind == "replace");
  return j;
}

// Gives a file back the length it had before an append: cut back, or removed when it did not
// exist (a folder of that name is no file of ours and stays).
bool cutBack(const QString& path, qint64 length) {
  if (length < 0) return !QFileInfo(path).isFile() || QFile::remove(path);
  if (platform::fileLength(path) <= length) return true;
  QFile f(path);
  return f.open(QIODevice::ReadWrite) && f.resize(length) && ::fsync(f.handle()) == 0;
}

void removeJournal() {
  QFile::remove(journalPath());
  platform::syncFolderOf(journalPath());
}

const QString kUnfinished = QStringLiteral("An earlier change of the database could not be finished");

}  // namespace

QString journalPath() { return platform::programFile(QStringLiteral("watka.jnl")); }

bool finishInterruptedChange() {
  const QString journal = journalPath();
  if (QFileInfo::exists(journal)) {
    const std::optional<QByteArray> text = readFileBytes(journal);
    if (!text) return false;
    const Journal j = readJournal(*text);
    bool finished = true;
    if (!j.whole) {
      // Cut while it was written: the change it began never reached the files.
      if (j.kind == "replace")
        for (const auto& e : j.entries) QFile::remove(journalPathOf(e.second));
    } else if (j.kind == "replace") {
      for (const auto& [target, scratchName] : j.entries) {
        const QString scratch = journalPathOf(scratchName);
        if (QFileInfo(scratch).isFile() && !platform::renameOver(scratch, target)) finished = false;
        platform::syncFolderOf(target);
      }
    } else {
      for (const auto& [path, length] : j.entries)
        if (!cutBack(path, length.toLongLong())) finished = false;
    }
    if (!finished) return false;
    removeJournal();
  }
  // A scratch file that no journal names is left by a change killed before its journal was
  // whole: that change never touched the files.
  for (const char* name : {catalogue::kTrackFile, catalogue::kDiscFile})
    QFile::remove(scratchFileFor(platform::programFile(QString::fromLatin1(name))));
  return true;
}

Outcome appendAll(const std::vector<std::pair<QString, QByteArray>>& appends) {
  if (!finishInterruptedChange()) return {false, notWrittenText(journalPath(), kUnfinished)};
  // Each file's length before, -1 when it did not exist, recorded before the first append.
  std::vector<std::pair<QString, qint64>> before;
  std::vector<std::pair<QString, QByteArray>> entries;
  for (const auto& [path, text] : appends) {
    before.emplace_back(path, platform::fileLength(path));
    entries.emplace_back(path, QByteArray::number(before.back().second));
  }
  if (const auto written = platform::writeWholeFile(journalPath(), journalText("append", entries)); !written) {
    QFile::remove(journalPath());
    return {false, notWrittenText(journalPath(), written.error)};
  }
  platform::syncFolderOf(journalPath());
  Steps steps;
  steps.next();
  const auto undo = [&] {
    QStringList notRestored;
    for (const auto& [path, length] : before)
      if (!cutBack(path, length)) notRestored << path;
    // Whatever could not be undone the user is told of; the journal would only block every
    // later change, the restore of a backup included.
    removeJournal();
    return notRestored;
  };
  for (const auto& [path, text] : appends) {
    const qint64 length = platform::fileLength(path);
    QByteArray data = text;
    QFile f(path);
    QString error;
    if (length > 0 && f.open(QIODevice::ReadOnly)) {
      // A last line without its line end would join the new record.
      f.seek(length - 1);
      char last = '\n';
      f.getChar(&last);
      if (last != '\n' && last != '\r') data.prepend("\r\n");
      f.close();
    }
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
      error = f.errorString();
    } else {
      if (f.write(data) != data.size() || !f.flush()) error = f.errorString();
      else if (::fsync(f.handle()) != 0) error = QString::fromLocal8Bit(std::strerror(errno));
      f.close();
      if (error.isEmpty() && f.error() != QFile::NoError) error = f.errorString();
    }
    if (!error.isEmpty()) {
      const QStringList notRestored = undo();
      if (!notRestored.isEmpty()) return {false, notPutBackText(path, error, notRestored)};
      return {false, notWrittenText(path, error)};
    }
    if (length < 0) platform::syncFolderOf(path);
    steps.next();
  }
  removeJournal();
  return {};
}

GroupWriteResult replaceFilesTogether(const std::vector<FileWrite>& writes) {
  GroupWriteResult result;
  const auto fail = [&](const QString& path, const QString& error) {
    result.ok = false;
    result.failedPath = path;
    result.error = error;
    return result;
  };
  if (!finishInterruptedChange()) return fail(journalPath(), kUnfinished);
  if (writes.empty()) return result;
  struct Earlier {
    bool existed = false;
    QByteArray bytes;
  };
  std::vector<Earlier> earlier(writes.size());
  // Every target is looked at before the first is written, so that a set that cannot be put
  // back is never started.
  for (size_t i = 0; i < writes.size(); ++i) {
    const QFileInfo info(writes[i].path);
    std::optional<QByteArray> bytes;
    if (info.exists() && !info.isDir()) bytes = readFileBytes(writes[i].path);
    if (info.isDir() || (info.exists() && !bytes))
      return fail(writes[i].path, info.isDir() ? QStringLiteral("a folder has its name") : QStringLiteral("it cannot be read"));
    if (bytes) earlier[i] = Earlier{true, std::move(*bytes)};
  }

  // First every scratch file whole; until the journal names them, the targets are untouched and
  // a kill leaves the database as it was.
  std::vector<QString> scratch;
  const auto removeScratch = [&](size_t from) {
    for (size_t i = from; i < scratch.size(); ++i) QFile::remove(scratch[i]);
  };
  Steps steps;
  for (const FileWrite& w : writes) {
    const QString name = scratchFileFor(w.path);
    scratch.push_back(name.isEmpty() ? platform::scratchPathOf(w.path) : name);
    const QFileInfo info(w.path);
    platform::WriteResult written;
    if (info.exists() && !info.isWritable()) written = {false, true, QStringLiteral("is read only")};
    else written = platform::writeWholeFile(scratch.back(), w.bytes, w.path);
    if (!written) {
      scratch.pop_back();
      removeScratch(0);
      return fail(w.path, written.error);
    }
    steps.next();
  }
  QStringList folders;
  for (const QString& s : scratch) {
    if (folders.contains(QFileInfo(s).absolutePath())) continue;
    folders << QFileInfo(s).absolutePath();
    platform::syncFolderOf(s);
  }

  // Then the journal: from the moment it is whole, the change is made, at the next start if
  // not now.
  std::vector<std::pair<QString, QByteArray>> entries;
  for (size_t i = 0; i < writes.size(); ++i) entries.emplace_back(writes[i].path, journalName(scratch[i]));
  if (const auto written = platform::writeWholeFile(journalPath(), journalText("replace", entries)); !written) {
    QFile::remove(journalPath());
    removeScratch(0);
    return fail(journalPath(), written.error);
  }
  platform::syncFolderOf(journalPath());
  steps.next();

  for (size_t i = 0; i < writes.size(); ++i) {
    const platform::WriteResult renamed = platform::renameOver(scratch[i], writes[i].path);
    if (!renamed) {
      // The files already renamed get their earlier content back; the others were never touched.
      removeScratch(i);
      for (size_t j = 0; j < i; ++j) {
        const bool back = earlier[j].existed ? bool(platform::replaceFileBytes(writes[j].path, earlier[j].bytes, scratch[j]))
                                             : platform::deleteFile(writes[j].path);
        if (!back) result.notPutBack << writes[j].path;
      }
      result.putBack = result.notPutBack.isEmpty();
      removeJournal();
      return fail(writes[i].path, renamed.error);
    }
    steps.next();
  }
  for (const FileWrite& w : writes) platform::syncFolderOf(w.path);
  removeJournal();
  return result;
}

Outcome replaceDatabase(const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs) {
  std::vector<FileWrite> writes{{trackFilePath(), newTracks}};
  if (newDiscs) writes.push_back({discFilePath(), *newDiscs});
  const GroupWriteResult written = replaceFilesTogether(writes);
  if (written) return {};
  if (written.putBack) return {false, notWrittenText(written.failedPath, written.error)};
  return {false, notPutBackText(written.failedPath, written.error, written.notPutBack)};
}

}  // namespace maintenance
