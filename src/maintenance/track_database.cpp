#include "maintenance/track_database.h"

#include "catalogue/database.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

namespace maintenance {

namespace {

using catalogue::RecordBytes;

std::string_view view(const QByteArray& b) { return {b.constData(), size_t(b.size())}; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return common::RTrim(s);
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

// The one file of the user's own that a journal may name: the song list saved with a change.
bool isSongList(const QString& path) { return path.endsWith(QLatin1String(".mdq")); }

// What the user knows a file as: My_Discs.kup is no database file but the copy of the tracks
// added by hand in the Add Tracks window.
QString fileWords(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  if (name == QLatin1String(kMyDiscsFile)) return QStringLiteral("The file of tracks added by hand ");
  if (name == QLatin1String("watka.jnl")) return QStringLiteral("The journal of database changes ");
  if (isSongList(path)) return QStringLiteral("The song list ");
  return QStringLiteral("The database file ");
}

QString notWrittenText(const QString& path, const QString& error) {
  return catalogue::unwritableText(fileWords(path) + path, error) +
         QStringLiteral("\n\rThe database has not been changed.");
}

QString notPutBackText(const QString& path, const QString& error, const QStringList& restored) {
  const bool one = restored.size() == 1;
  return catalogue::unwritableText(fileWords(path) + path, error) + QStringLiteral("\n\r") +
         (one ? fileWords(restored[0]) : QStringLiteral("The files ")) + restored.join(QStringLiteral(", ")) +
         (one ? QStringLiteral(" could not be put back as it was")
              : QStringLiteral(" could not be put back as they were")) +
         QStringLiteral(": please restore your backup.");
}

}  // namespace

QString myDiscsFilePath() { return platform::programFile(QString::fromLatin1(kMyDiscsFile)); }

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
    found = discIdentity(r.code) == discIdentity(view(c)) && trackIdentity(r.track) == trackIdentity(view(t));
    return !found;
  });
  return found;
}

bool discListed(const QStringList& discs, const QString& code) {
  const QString disc = discIdentity(code);
  return std::any_of(discs.begin(), discs.end(), [&](const QString& d) { return discIdentity(d) == disc; });
}

bool discInUse(const QStringList& discs, const QString& code) {
  const QString wanted = common::Trim(code);
  for (const QString& d : discs)
    if (common::Trim(d) == wanted) return true;
  return false;
}

namespace {

// The code as a song-list line shows it: padded or cut to 11 characters.
QString fitted(const QString& code) { return common::padRight(code, common::kCodeWidth).left(common::kCodeWidth); }

// Adds the code, without trailing blanks, once.
void addDisc(DiscMatch& m, const QString& code) {
  const QString disc = discIdentity(code);
  if (!m.discs.contains(disc)) m.discs << disc;
}

}  // namespace

DiscMatch discsListed(const QStringList& discs, const QString& item) {
  DiscMatch m;
  const QString whole = common::padRight(item, common::kCodeWidth);
  for (const QString& d : discs)
    if (common::padRight(d, common::kCodeWidth) == whole) {
      addDisc(m, item);
      m.key = item;
      return m;
    }
  const QString wanted = fitted(item);
  for (const QString& d : discs)
    if (fitted(d) == wanted) addDisc(m, d);
  if (m.discs.size() == 1) m.key = m.discs[0];
  return m;
}

QString severalDiscsText(const QString& shown, const QStringList& discs) {
  return nothingChangedText(catalogue::fitsSeveralDiscsText(shown, discs));
}

QString nothingChangedText(const QString& why) { return why + QStringLiteral("\rNothing has been changed."); }

namespace {

const QString kNotChanged = QStringLiteral("\n\rThe database has not been changed.");

// The refusal of a record the user gave (one line, its CR LF end left out) that holds a control
// character outside the fields kept as read, naming the field it stands in; empty when it holds none.
QString newRecordRefusal(const QByteArray& line, const KeptFields& kept = {}) {
  std::string_view record = view(line);
  if (record.size() >= 2 && record.substr(record.size() - 2) == "\r\n") record.remove_suffix(2);
  static const QString kFieldNames[] = {QStringLiteral("disc code"), QStringLiteral("track number"),
                                        QStringLiteral("song title"), QStringLiteral("artist")};
  // Each byte read as its character of the code page: 0x85 is an ellipsis there, no line break.
  const auto character = [](char c) { return platform::cp1252::toChar((unsigned char)c); };
  for (auto bad = record.begin(); bad != record.end(); ++bad) {
    if (!common::isControl(character(*bad))) continue;
    const qsizetype at = bad - record.begin();
    int field = 0, badField = -1;
    common::splitFields(record.data(), qsizetype(record.size()), [&](qsizetype start, qsizetype length) {
      if (at < start + length) badField = field;
      ++field;
      return badField < 0;
    });
    if (badField >= 0 && badField < 4 && kept[size_t(badField)]) continue;
    const QString what = badField >= 0 && badField < 4 ? kFieldNames[badField] : QStringLiteral("record");
    return common::cannotHoldText(what, character(*bad)) + kNotChanged;
  }
  return {};
}

}  // namespace

common::FileRewrite editedTracks(const QByteArray& tracks, const QString& code, const QString& track,
                                 const QByteArray& editedLine, const KeptFields& kept) {
  if (QString refusal = newRecordRefusal(editedLine, kept); !refusal.isEmpty()) return {{}, refusal};
  const QByteArray c = platform::cp1252::encode(code), t = platform::cp1252::encode(track);
  QByteArray out;
  out.reserve(tracks.size() + editedLine.size() + 2);
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    if (r.track != view(t) || r.code != view(c)) appendRecord(out, {r.code, r.track, r.title, r.artist});
    return true;
  });
  out += editedLine;
  return {out, {}};
}

bool codeInUse(const QByteArray& tracks, const QString& code) {
  const QByteArray wanted = platform::cp1252::encode(common::Trim(code));
  bool found = false;
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    found = trimBlanks(r.code) == view(wanted);
    return !found;
  });
  return found;
}

namespace {
QString newCodeRefusal(const QString& code) {
  const QString refusal = common::controlRefusal(code, QStringLiteral("disc code"));
  return refusal.isEmpty() ? refusal : refusal + kNotChanged;
}
}  // namespace

common::FileRewrite recodedTracks(const QByteArray& tracks, const QString& current, const QString& replacement) {
  if (QString refusal = newCodeRefusal(replacement); !refusal.isEmpty()) return {{}, refusal};
  const QByteArray cur = platform::cp1252::encode(common::Trim(current));
  const QByteArray rep = platform::cp1252::encode(replacement);
  QByteArray out;
  out.reserve(tracks.size() + tracks.size() / 16);
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    const std::string_view code = trimBlanks(r.code) == view(cur) ? view(rep) : r.code;
    appendRecord(out, {code, r.track, r.title, r.artist});
    return true;
  });
  return {out, {}};
}

common::FileRewrite recodedDiscs(const QStringList& discs, const QString& current, const QString& replacement) {
  if (QString refusal = newCodeRefusal(replacement); !refusal.isEmpty()) return {{}, refusal};
  const QString cur = common::Trim(current);
  QByteArray out;
  for (const QString& d : discs) out += recordLine(QStringList{common::Trim(d) == cur ? replacement : d});
  return {out, {}};
}

namespace {

template <typename Drop>
TrackDeletion deleteWhere(const QByteArray& tracks, const QString& key, Drop drop) {
  const QByteArray k = platform::cp1252::encode(key);
  const std::string_view disc = discIdentity(view(k));
  TrackDeletion d;
  d.tracks.reserve(tracks.size());
  catalogue::forEachRecord(tracks, [&](const RecordBytes& r) {
    const bool ofDisc = discIdentity(r.code) == disc;
    if (ofDisc) ++d.discTracks;
    if (ofDisc && drop(trackIdentity(r.track))) ++d.removed;
    else appendRecord(d.tracks, {r.code, r.track, r.title, r.artist});
    return true;
  });
  return d;
}

}  // namespace

TrackDeletion withoutDisc(const QByteArray& tracks, const QString& key) {
  return deleteWhere(tracks, key, [](std::string_view) { return true; });
}

TrackDeletion withoutTrack(const QByteArray& tracks, const QString& key, const QString& track) {
  const QByteArray t = platform::cp1252::encode(track);
  return deleteWhere(tracks, key, [&](std::string_view recordTrack) { return recordTrack == trackIdentity(view(t)); });
}

QByteArray discsWithout(const QStringList& discs, const QString& key) {
  const QByteArray k = platform::cp1252::encode(key);
  QByteArray out;
  for (const QString& d : discs) {
    const QByteArray code = platform::cp1252::encode(d);
    if (discIdentity(view(code)) != discIdentity(view(k))) out += recordLine(QList<QByteArray>{code});
  }
  return out;
}

std::function<void(int)> changeStepHook;
int lockWaitMs = 5000;

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

const QString kLockedText = QStringLiteral(
    "The database has not been changed: another copy of the program is changing it.\r"
    "Please try again when it has finished.");

// ---- the lock, shared by the nested holders of one program
int lockDepth = 0;
std::unique_ptr<QLockFile> lockFile;

// Whether a process of that number runs on this machine (one of another user's included).
bool processRuns(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

// ---- the journal
// The journal is a few lines of text: the kind of change, then two lines an entry, then "end".
// A name is written relative to the program folder, its bytes percent-encoded so that any
// character of a name keeps to its line.
QByteArray journalName(const QString& path) {
  return QFile::encodeName(QDir(platform::programFolder()).relativeFilePath(path)).toPercentEncoding("/");
}

// The path a name of the journal stands for; empty when the name holds what no path does.
QString journalPathOf(const QByteArray& name) {
  const QByteArray bytes = QByteArray::fromPercentEncoding(name);
  if (bytes.isEmpty() || bytes.contains('\0')) return {};
  return QDir::cleanPath(QDir(platform::programFolder()).absoluteFilePath(QFile::decodeName(bytes)));
}

struct JournalEntry {
  QString path;
  QByteArray value;  // a replace: the scratch file's name; an append: the length before, the
                     // length appended and the appended bytes in hex
};

struct Journal {
  QByteArray kind;
  std::vector<JournalEntry> entries;
  bool whole = false;  // ended by its "end" line: written completely
  bool paired = true;  // every name followed by its value
};

Journal readJournal(const QByteArray& text) {
  Journal j;
  QList<QByteArray> lines;
  platform::forEachLine(text.constData(), text.size(), [&](qsizetype start, qsizetype end) {
    lines << text.mid(start, end - start);
    return true;
  });
  // A last line without its line end was cut while it was written.
  if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r')) lines.removeLast();
  j.whole = !lines.isEmpty() && lines.back() == "end";
  if (j.whole) lines.removeLast();
  if (!lines.isEmpty()) j.kind = lines.takeFirst();
  j.paired = lines.size() % 2 == 0;
  for (qsizetype i = 0; i + 1 < lines.size(); i += 2) j.entries.push_back({journalPathOf(lines[i]), lines[i + 1]});
  return j;
}

// The journal's last line: a journal without it asks for nothing but the removal of its scratch
// files.
constexpr const char* kJournalEnd = "end\n";

QByteArray journalText(const char* kind, const std::vector<std::pair<QString, QByteArray>>& entries) {
  QByteArray text = QByteArray(kind) + '\n';
  for (const auto& [path, value] : entries) text += journalName(path) + '\n' + value + '\n';
  return text + kJournalEnd;
}

// Adds the last line to a journal written without it, in one write: one cut short is no line.
// Why it could not, or nothing.
QString endJournal() {
  QFile f(journalPath());
  const qint64 length = qint64(qstrlen(kJournalEnd));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(kJournalEnd, length) != length || !f.flush())
    return f.errorString();
  if (::fsync(f.handle()) != 0) return QString::fromLocal8Bit(std::strerror(errno));
  return {};
}

// The most one append of this program adds to a file: a record of the Add Tracks window, its four
// fields quoted at their widths (a code or title is never longer), and the line end put before it
// when the file's last line has none. A journal that says more was appended is none of ours.
constexpr qint64 kLongestAppend =
    2 + common::kCodeWidth + common::kTrackWidth + common::kTitleWidth + common::kArtistWidth + 8 + 3 + 2;
// Far more than a journal of this program ever holds; a longer one is not even read.
constexpr qint64 kLongestJournal = 1 << 20;

// What an append entry records of its file.
struct AppendRecord {
  qint64 before = -1;  // the length before, -1 when the file did not exist
  QByteArray bytes;    // the bytes appended, so that a file is cut back only where it holds them
};

QByteArray appendValue(const AppendRecord& a) {
  return QByteArray::number(a.before) + ' ' + QByteArray::number(a.bytes.size()) + ' ' + a.bytes.toHex();
}

std::optional<AppendRecord> parseAppend(const QByteArray& value) {
  const QList<QByteArray> parts = value.split(' ');
  if (parts.size() != 3) return std::nullopt;
  AppendRecord a;
  bool beforeOk = false, lengthOk = false;
  a.before = parts[0].toLongLong(&beforeOk);
  const qint64 length = parts[1].toLongLong(&lengthOk);
  if (!beforeOk || !lengthOk || a.before < -1 || a.before > std::numeric_limits<qint64>::max() / 2 || length < 0 ||
      length > kLongestAppend || parts[2].size() != 2 * length)
    return std::nullopt;
  for (const char c : parts[2])
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  a.bytes = QByteArray::fromHex(parts[2]);
  return a;
}

// What a journal may name: the database's own files, each with its own scratch file.
struct OwnFile {
  QString scratch;
  bool appended = false;  // added to by appends (the database files and My_Discs.kup)
  bool replaced = false;  // replaced whole (the database files and the backup pair)
  bool backup = false;
  bool alwaysThere = false;  // exists before any append (the database files, which are read first)
  bool list = false;         // the song list saved with a change
};

// The track and disc files are rewritten through the scratch files watka.tmp and watdi.tmp
// beside them; any other file through its own name and ".tmp". Where the path is a symbolic
// link, the file written is the one it leads to, and the scratch file lies beside that one.
QString scratchFileFor(const QString& path) {
  const QFileInfo info(platform::writtenFile(path));
  const QString name = info.fileName();
  if (name != QLatin1String(catalogue::kTrackFile) && name != QLatin1String(catalogue::kDiscFile))
    return platform::scratchPathOf(path);
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tmp"));
}

std::optional<OwnFile> ownFile(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  const QString clean = QDir::cleanPath(path);
  for (const QString& db : {catalogue::trackFilePath(), catalogue::discFilePath()})
    if (clean == QDir::cleanPath(db)) return OwnFile{scratchFileFor(db), true, true, false, true};
  if (clean == QDir::cleanPath(myDiscsFilePath())) return OwnFile{scratchFileFor(clean), true, false, false};
  const QString name = QFileInfo(clean).fileName();
  if (name == QLatin1String(kDiscBackupFile) || name == QLatin1String(kTrackBackupFile))
    return OwnFile{scratchFileFor(clean), false, true, true};
  if (isSongList(clean)) return OwnFile{scratchFileFor(clean), false, true, false, false, true};
  return std::nullopt;
}

// Why the journal may not be obeyed, or nothing when every entry names a file of the database
// with its own scratch file or possible lengths. A cut journal's last name without its value is
// no entry.
QString journalFault(const Journal& j) {
  if (j.entries.empty())
    return j.whole && j.kind != "append" && j.kind != "replace" ? QStringLiteral("it asks for an unknown change")
                                                                : QString();
  if (j.kind != "append" && j.kind != "replace") return QStringLiteral("it asks for an unknown change");
  if (j.whole && !j.paired) return QStringLiteral("a name in it has no value");
  const bool append = j.kind == "append";
  QStringList seen;
  QString backupFolder;
  int lists = 0;
  for (const JournalEntry& e : j.entries) {
    const std::optional<OwnFile> own = ownFile(e.path);
    if (!own || (append ? !own->appended : !own->replaced))
      return e.path.isEmpty()
                 ? QStringLiteral("it names a file that cannot be")
                 : QStringLiteral("it names ") + e.path + QStringLiteral(", which is no file of the database");
    if (seen.contains(e.path)) return QStringLiteral("it names ") + e.path + QStringLiteral(" twice");
    seen << e.path;
    if (own->list && ++lists > 1) return QStringLiteral("it names two song lists");
    if (own->backup) {
      const QString folder = QFileInfo(e.path).absolutePath();
      if (!backupFolder.isEmpty() && folder != backupFolder)
        return QStringLiteral("it names backup files in two folders");
      backupFolder = folder;
    }
    if (append) {
      const std::optional<AppendRecord> a = parseAppend(e.value);
      if (!a || (own->alwaysThere && a->before < 0))
        return QStringLiteral("the lengths it gives ") + e.path + QStringLiteral(" are not possible");
    } else if (journalPathOf(e.value) != QDir::cleanPath(own->scratch)) {
      return QStringLiteral("it gives ") + e.path + QStringLiteral(" a scratch file that is not its own");
    }
  }
  return {};
}

// Gives a file back the length it had before an append: cut back, or removed when it did not
// exist.
bool cutBack(const QString& path, qint64 length) {
  if (length < 0) return !QFileInfo(path).isFile() || QFile::remove(platform::writtenFile(path));
  if (platform::fileLength(path) <= length) return true;
  QFile f(path);
  return f.open(QIODevice::ReadWrite) && f.resize(length) && ::fsync(f.handle()) == 0;
}

// How many of the appended bytes the file holds after its length before: nothing when it is
// longer, shorter, or holds other bytes there, for then no append of this journal made it so.
std::optional<qint64> appendedPart(const QString& path, qint64 length, const AppendRecord& a) {
  const qint64 base = std::max<qint64>(a.before, 0);
  if (length < base || length > base + a.bytes.size()) return std::nullopt;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly) || !f.seek(base)) return std::nullopt;
  const QByteArray tail = f.read(length - base);
  if (tail.size() != length - base || !a.bytes.startsWith(tail)) return std::nullopt;
  return tail.size();
}

// Removes the journal; where its folder no longer lets it be removed, empties it, which asks for
// nothing. False when neither can be done.
bool clearJournal() {
  const QString path = journalPath();
  if (!QFileInfo::exists(path) || QFile::remove(path)) {
    platform::syncFolderOf(path);
    return true;
  }
  QFile f(path);
  return f.open(QIODevice::ReadWrite) && f.resize(0) && ::fsync(f.handle()) == 0;
}

// Moves a journal that may not be obeyed out of the way under a name of its own, without
// replacing any file. The new path, or nothing when it could not be moved.
QString setJournalAside() {
  for (int i = 1; i < 1000; ++i) {
    const QString name = i == 1 ? QStringLiteral("watka.rejected.jnl") : QStringLiteral("watka.rejected%1.jnl").arg(i);
    const QString path = platform::programFile(name);
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) continue;
    if (!QFile::rename(journalPath(), path)) return {};
    platform::syncFolderOf(path);
    return path;
  }
  return {};
}

Recovery rejected(const QString& fault) {
  const QString head = QStringLiteral("The journal ") + journalPath() +
                       QStringLiteral(" of an unfinished change of the database was not carried out: ") + fault +
                       QStringLiteral(".\rNothing was changed by it. ");
  const QString aside = setJournalAside();
  if (aside.isEmpty())
    return {false, head + QStringLiteral(
                              "It could not be moved aside, so the database cannot be changed until it is removed.")};
  return {true, head + QStringLiteral("It was kept as ") + aside + QStringLiteral(".")};
}

Recovery unfinished(const QString& why) {
  return {false, QStringLiteral("An earlier change of the database, recorded in the journal ") + journalPath() +
                     QStringLiteral(", could not be finished: ") + why +
                     QStringLiteral(
                         ".\rThe database cannot be changed until it is; the program tries again before each change.")};
}

// An append journal: kept when every file holds its appended bytes, else undone, but only when
// every file holds, after its length before, nothing but the start of its appended bytes.
Recovery finishAppend(const Journal& j) {
  struct Plan {
    QString path;
    AppendRecord a;
    bool complete = false;
  };
  std::vector<Plan> plans;
  bool allComplete = true;
  for (const JournalEntry& e : j.entries) {
    Plan p{e.path, *parseAppend(e.value)};
    const QFileInfo info(p.path);
    if (info.exists()) {
      const std::optional<qint64> held = info.isFile() ? appendedPart(p.path, info.size(), p.a) : std::nullopt;
      if (!held)
        return rejected(QStringLiteral("the file ") + p.path +
                        QStringLiteral(" does not end with the start of what the journal says was appended to it"));
      p.complete = *held == p.a.bytes.size();
    } else if (p.a.before >= 0) {
      return rejected(QStringLiteral("the file ") + p.path + QStringLiteral(" is missing"));
    }
    allComplete = allComplete && p.complete;
    plans.push_back(std::move(p));
  }
  if (allComplete) return {};
  for (const Plan& p : plans)
    if (!cutBack(p.path, p.a.before))
      return unfinished(p.path + QStringLiteral(" could not be given its earlier length"));
  return {};
}

}  // namespace

QString journalPath() { return platform::programFile(QStringLiteral("watka.jnl")); }
QString lockPath() { return platform::programFile(QStringLiteral("watka.lck")); }

DatabaseLock::DatabaseLock() {
  if (lockDepth > 0) {
    ++lockDepth;
    held_ = true;
    return;
  }
  auto file = std::make_unique<QLockFile>(lockPath());
  file->setStaleLockTime(0);  // a long change is no stale lock; a lock whose program is gone is
  // A lock file of this very program, which holds no lock now, or of a copy that has ended holds
  // no change. This program's own was left where the folder stopped letting it be removed.
  qint64 pid = 0;
  QString host, app;
  const bool own = file->getLockInfo(&pid, &host, &app) && host == QSysInfo::machineHostName() &&
                   pid == QCoreApplication::applicationPid();
  const bool ended = own || (host == QSysInfo::machineHostName() && !processRuns(pid));
  if (own) file->removeStaleLockFile();
  // Where the folder cannot be written, such a lock can never be removed: waiting for it ends
  // only in the wrong words.
  const QFileInfo lock(lockPath());
  if (ended && lock.exists() && !QFileInfo(lock.absolutePath()).isWritable()) {
    refusal_ =
        nothingChangedText(QStringLiteral("The folder ") + lock.absolutePath() +
                           QStringLiteral(" of the database cannot be written, and the lock file ") + lockPath() +
                           QStringLiteral(" in it was left by a change of the database that has ended."));
    return;
  }
  const bool locked = file->tryLock(lockWaitMs);
  if (!locked && file->error() == QLockFile::LockFailedError) {
    refusal_ = kLockedText;
    return;
  }
  if (locked) lockFile = std::move(file);
  held_ = true;
  ++lockDepth;
}

DatabaseLock::~DatabaseLock() { release(); }

void DatabaseLock::release() {
  if (held_ && --lockDepth == 0) lockFile.reset();
  held_ = false;
}

ChangeScope::ChangeScope() {
  if (!lock_.held()) {
    refusal_ = lock_.refusal();
    return;
  }
  // A journal moved aside is told of now, once; the next try goes on.
  refusal_ = finishInterruptedChange().message;
}

Recovery finishInterruptedChange() {
  DatabaseLock lock;
  if (!lock.held()) return {};  // the other copy finishes its own change
  const QString journal = journalPath();
  const QFileInfo info(journal);
  if (info.exists() || info.isSymLink()) {
    if (!info.isFile()) return rejected(QStringLiteral("it is no file"));
    if (info.size() > kLongestJournal) return rejected(QStringLiteral("it is longer than any journal of the program"));
    const std::optional<QByteArray> text = readFileBytes(journal);
    if (!text) return unfinished(QStringLiteral("the journal cannot be read"));
    const Journal j = readJournal(*text);
    if (const QString fault = journalFault(j); !fault.isEmpty()) return rejected(fault);
    QString listNotPlaced;
    if (!j.whole) {
      // Cut, or not yet ended while its scratch files were written: the change it began never
      // reached the files.
      if (j.kind == "replace")
        for (const auto& e : j.entries) QFile::remove(journalPathOf(e.value));
    } else if (j.kind == "replace") {
      for (const auto& [target, scratchName] : j.entries) {
        const QString scratch = journalPathOf(scratchName);
        if (QFileInfo(scratch).isFile()) {
          const auto renamed = platform::renameOver(scratch, target);
          // A song list that cannot be put in place holds no change of the database back: the
          // user is told, and its scratch file goes.
          if (!renamed && isSongList(target)) {
            QFile::remove(scratch);
            listNotPlaced = catalogue::unwritableText(fileWords(target) + target, renamed.error);
          } else if (!renamed) {
            return unfinished(target + QStringLiteral(" could not be replaced (") + renamed.error +
                              QStringLiteral(")"));
          }
        }
        platform::syncFolderOf(target);
      }
    } else if (j.kind == "append") {
      if (Recovery r = finishAppend(j); !r || !r.message.isEmpty()) return r;
    }
    // Done: a journal left would only be done again, which changes nothing.
    clearJournal();
    if (!listNotPlaced.isEmpty()) return {true, listNotPlaced};
  }
  // A scratch file that no journal names is left by a change killed before its journal was
  // whole: that change never touched the files.
  for (const char* name : {catalogue::kTrackFile, catalogue::kDiscFile})
    QFile::remove(scratchFileFor(platform::programFile(QString::fromLatin1(name))));
  return {};
}

Outcome appendAll(const std::vector<std::pair<QString, QByteArray>>& appends) {
  for (const auto& [path, text] : appends)
    if (QString refusal = newRecordRefusal(text); !refusal.isEmpty()) return {false, refusal};
  DatabaseLock lock;
  if (!lock.held()) return {false, lock.refusal()};
  if (const Recovery r = finishInterruptedChange(); !r) return {false, r.message};
  // Each file's length before (-1 when it did not exist) and the bytes it gets, recorded before
  // the first append.
  std::vector<std::pair<QString, qint64>> before;
  std::vector<QByteArray> data;
  std::vector<std::pair<QString, QByteArray>> entries;
  for (const auto& [path, text] : appends) {
    // The next start would not obey a journal of a longer append (see kLongestAppend).
    if (text.size() + 2 > kLongestAppend)
      return {false, notWrittenText(path, QStringLiteral("What was to be added is longer than one record."))};
    const qint64 length = platform::fileLength(path);
    QByteArray bytes = text;
    QFile f(path);
    if (length > 0 && f.open(QIODevice::ReadOnly)) {
      // A last line without its line end would join the new record.
      f.seek(length - 1);
      char last = '\n';
      f.getChar(&last);
      if (last != '\n' && last != '\r') bytes.prepend("\r\n");
    }
    before.emplace_back(path, length);
    entries.emplace_back(path, appendValue({length, bytes}));
    data.push_back(std::move(bytes));
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
    clearJournal();
    return notRestored;
  };
  for (size_t i = 0; i < appends.size(); ++i) {
    const QString& path = appends[i].first;
    QFile f(path);
    QString error;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
      error = f.errorString();
    } else {
      if (f.write(data[i]) != data[i].size() || !f.flush()) error = f.errorString();
      else if (::fsync(f.handle()) != 0) error = QString::fromLocal8Bit(std::strerror(errno));
      f.close();
      if (error.isEmpty() && f.error() != QFile::NoError) error = f.errorString();
    }
    if (!error.isEmpty()) {
      const QStringList notRestored = undo();
      if (!notRestored.isEmpty()) return {false, notPutBackText(path, error, notRestored)};
      return {false, notWrittenText(path, error)};
    }
    if (before[i].second < 0) platform::syncFolderOf(path);
    steps.next();
  }
  // A journal that cannot be cleared is harmless now: every file holds its append, so the next
  // start keeps it.
  clearJournal();
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
  const auto refuse = [&](const QString& text) {
    result.refusal = text;
    return fail(QString(), text);
  };
  DatabaseLock lock;
  if (!lock.held()) return refuse(lock.refusal());
  if (const Recovery r = finishInterruptedChange(); !r) return refuse(r.message);
  if (writes.empty()) return result;
  struct Earlier {
    bool existed = false;
    QByteArray bytes;
  };
  std::vector<Earlier> earlier(writes.size());
  // Every target is looked at before the first is written, so that a set that cannot be put
  // back is never started. A file that follows is never put back.
  for (size_t i = 0; i < writes.size(); ++i) {
    if (writes[i].follows) continue;
    const QFileInfo info(writes[i].path);
    std::optional<QByteArray> bytes;
    if (info.exists() && !info.isDir()) bytes = readFileBytes(writes[i].path);
    if (info.isDir() || (info.exists() && !bytes))
      return fail(writes[i].path,
                  info.isDir() ? QStringLiteral("a folder has its name") : QStringLiteral("it cannot be read"));
    if (bytes) earlier[i] = Earlier{true, std::move(*bytes)};
  }

  // First the journal without its last line: a kill before that line is written leaves the files
  // as they were, and the next start removes every scratch file the journal names. A backup,
  // whose files all lie outside the program folder, goes on without one where the program folder
  // cannot hold it: the database itself is not changed.
  std::vector<QString> scratch;
  for (const FileWrite& w : writes) scratch.push_back(scratchFileFor(w.path));
  const auto removeScratch = [&](size_t from) {
    for (size_t i = from; i < scratch.size(); ++i) QFile::remove(scratch[i]);
  };
  const QString home = QDir::cleanPath(platform::programFolder());
  const bool outside = std::all_of(writes.begin(), writes.end(),
                                   [&](const FileWrite& w) { return QFileInfo(w.path).absolutePath() != home; });
  std::vector<std::pair<QString, QByteArray>> entries;
  for (size_t i = 0; i < writes.size(); ++i) entries.emplace_back(writes[i].path, journalName(scratch[i]));
  QByteArray journal = journalText("replace", entries);
  journal.chop(int(qstrlen(kJournalEnd)));
  bool journalled = true;
  if (const auto written = platform::writeWholeFile(journalPath(), journal); !written) {
    QFile::remove(journalPath());
    if (!outside || QFileInfo(home).isWritable()) return fail(journalPath(), written.error);
    journalled = false;
  }
  if (journalled) platform::syncFolderOf(journalPath());
  Steps steps;
  steps.next();

  std::vector<bool> staged(writes.size(), true);
  for (size_t i = 0; i < writes.size(); ++i) {
    const FileWrite& w = writes[i];
    const QFileInfo info(w.path);
    platform::WriteResult written;
    if (w.follows) written = platform::stageReplacement(w.path, w.bytes, scratch[i]);
    else if (info.exists() && !info.isWritable()) written = {false, true, QStringLiteral("is read only")};
    else written = platform::writeWholeFile(scratch[i], w.bytes, w.path);
    if (!written && w.follows) {
      result.follower = written;
      staged[i] = false;
    } else if (!written) {
      removeScratch(0);
      if (journalled) clearJournal();
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

  // Then the journal's last line: from the moment it is written, the change is made, at the next
  // start if not now.
  if (journalled) {
    if (const QString error = endJournal(); !error.isEmpty()) {
      removeScratch(0);
      clearJournal();
      return fail(journalPath(), error);
    }
  }
  steps.next();

  for (size_t i = 0; i < writes.size(); ++i) {
    if (!staged[i]) continue;
    const platform::WriteResult renamed = platform::renameOver(scratch[i], writes[i].path);
    if (!renamed && writes[i].follows) {
      QFile::remove(scratch[i]);
      result.follower = renamed;
    } else if (!renamed) {
      // The journal goes first: once it is gone, no start finishes the change. A journal that
      // can be neither removed nor emptied stays in charge: the change is finished later, so
      // nothing is put back now.
      if (journalled && !clearJournal()) {
        result.pending = true;
        return fail(writes[i].path, renamed.error);
      }
      // The files already renamed get their earlier content back; the others were never touched.
      removeScratch(i);
      for (size_t j = 0; j < i; ++j) {
        const bool back = earlier[j].existed
                              ? bool(platform::replaceFileBytes(writes[j].path, earlier[j].bytes, scratch[j]))
                              : platform::deleteFile(platform::writtenFile(writes[j].path));
        if (!back) result.notPutBack << writes[j].path;
      }
      result.putBack = result.notPutBack.isEmpty();
      return fail(writes[i].path, renamed.error);
    }
    steps.next();
  }
  for (const FileWrite& w : writes) platform::syncFolderOf(w.path);
  if (journalled) clearJournal();
  return result;
}

QString pendingText(const QString& path, const QString& error) {
  return fileWords(path) + path + QStringLiteral(" could not be replaced.\n\r") + error +
         QStringLiteral("\n\rThe change is recorded in the journal ") + journalPath() +
         QStringLiteral(" and will be finished before the next change of the database, or when the program starts.");
}

Outcome replaceDatabase(const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs,
                        const std::optional<FileWrite>& list) {
  std::vector<FileWrite> writes{{catalogue::trackFilePath(), newTracks}};
  if (newDiscs) writes.push_back({catalogue::discFilePath(), *newDiscs});
  if (list) writes.push_back({list->path, list->bytes, true});
  const GroupWriteResult written = replaceFilesTogether(writes);
  if (written) {
    Outcome done;
    done.list = written.follower;
    return done;
  }
  if (!written.refusal.isEmpty()) return {false, written.refusal};
  if (written.pending) return {false, pendingText(written.failedPath, written.error)};
  if (written.putBack) return {false, notWrittenText(written.failedPath, written.error)};
  return {false, notPutBackText(written.failedPath, written.error, written.notPutBack)};
}

}  // namespace maintenance
