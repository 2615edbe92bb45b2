#include "maintenance/update_file.h"

#include "catalogue/database.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "maintenance/track_database.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"

#include <QStringDecoder>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace maintenance {

namespace {

bool isBlank(const char* p, const char* e) {
  for (; p < e; ++p)
    if (*p != ' ' && *p != '\t') return false;
  return true;
}

// Calls fn(lineNumber, start, end) for each line of the bytes, the line end left out.
template <typename Fn>
void forEachLine(const QByteArray& bytes, Fn fn) {
  const char* p = bytes.constData();
  int number = 0;
  platform::forEachLine(p, bytes.size(),
                        [&](qsizetype start, qsizetype end) { return fn(++number, p + start, p + end); });
}

std::vector<QByteArray> fieldsOf(const char* p, const char* e) {
  std::vector<QByteArray> fields;
  common::splitFields(p, e - p, [&](qsizetype start, qsizetype len) {
    fields.emplace_back(p + start, len);
    return true;
  });
  return fields;
}

// The first line (1-based) whose bytes are not UTF-8, or 0.
int firstLineNotUtf8(const QByteArray& bytes) {
  int found = 0;
  forEachLine(bytes, [&](int number, const char* p, const char* e) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString line = utf8.decode(QByteArrayView(p, e - p));
    if (utf8.hasError()) found = number;
    return found == 0;
  });
  return found;
}

// The bytes with a line end after their last line, so that an appended line starts a line of
// its own.
QByteArray endedLines(const QByteArray& bytes) {
  if (bytes.isEmpty() || bytes.endsWith('\n') || bytes.endsWith('\r')) return bytes;
  return bytes + "\r\n";
}

}  // namespace

QByteArray UpdateRecord::line() const {
  return '"' + code + "\",\"" + track + "\",\"" + title + "\",\"" + artist + "\"\r\n";
}

UpdateFileRead readUpdateFile(const QByteArray& fileBytes) {
  UpdateFileRead out;
  // A UTF-8 file is read in Windows-1252 from here on; the first line holding a letter that has
  // no place there, and the letter, or the first line that is not UTF-8 in a file marked as UTF-8,
  // are kept to refuse the file by.
  const platform::DecodedText decoded = platform::decodeUtf8OrCp1252(fileBytes);
  const QByteArray bytes = decoded.utf8 ? platform::cp1252::encode(decoded.text) : fileBytes;
  int letterLine = 0;
  QString letter;
  auto refusal = UpdateFileRead::Status::LetterNotHeld;
  if (decoded.notUtf8) {
    refusal = UpdateFileRead::Status::NotUtf8;
    letterLine = firstLineNotUtf8(fileBytes);
  } else if (decoded.utf8 && platform::cp1252::firstOutside(decoded.text) >= 0) {
    const QString& text = decoded.text;
    int number = 0;
    platform::forEachLine(text.constData(), text.size(), [&](qsizetype start, qsizetype end) {
      ++number;
      letter = platform::cp1252::firstCharacterOutside(text.mid(start, end - start));
      if (letter.isEmpty()) return true;
      letterLine = number;
      return false;
    });
  }

  const QByteArray header = platform::cp1252::encode(kUpdateHeader);
  bool headerSeen = false;
  bool refused = false;
  const auto refuseLetter = [&](int number) {
    if (number != letterLine) return false;
    out.status = refusal;
    out.brokenLine = number;
    out.letter = letter;
    refused = true;
    return true;
  };
  forEachLine(bytes, [&](int number, const char* p, const char* e) {
    if (!headerSeen) {
      const std::vector<QByteArray> fields = fieldsOf(p, e);
      if (fields.empty() || fields.front() != header) {
        refused = true;
        return false;
      }
      headerSeen = true;
      return !refuseLetter(number);
    }
    if (isBlank(p, e)) return true;
    if (refuseLetter(number)) return false;
    std::vector<QByteArray> fields = fieldsOf(p, e);
    bool whole = fields.size() == 4;
    for (const QByteArray& f : fields) whole = whole && !f.contains('"');
    if (!whole) {
      out.status = UpdateFileRead::Status::BrokenRecord;
      out.brokenLine = number;
      refused = true;
      return false;
    }
    out.records.push_back(
        UpdateRecord{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(fields[3])});
    return true;
  });
  if (refused || !headerSeen) {
    out.records.clear();  // the status says why: a wrong or missing header leaves it NotUpdateFile
    return out;
  }
  out.status = UpdateFileRead::Status::Records;
  return out;
}

MergedUpdate mergeUpdate(const QByteArray& trackFile, const QByteArray& discFile,
                         const std::vector<UpdateRecord>& records, const std::function<void(int)>& step) {
  const auto view = [](const QByteArray& b) { return std::string_view(b.constData(), size_t(b.size())); };
  // A record is stored when its disc and track are, whatever padding either carries.
  const auto key = [](std::string_view code, std::string_view track) {
    std::string k(discIdentity(code));
    k += '\0';
    k += trackIdentity(track);
    return k;
  };

  // Only the stored tracks of the update's discs can match, so only they are kept.
  std::unordered_set<std::string_view> updateCodes;
  for (const UpdateRecord& r : records) updateCodes.insert(discIdentity(view(r.code)));
  std::unordered_set<std::string> storedTracks;
  catalogue::forEachRecord(trackFile, [&](const catalogue::RecordBytes& r) {
    if (updateCodes.count(discIdentity(r.code))) storedTracks.insert(key(r.code, r.track));
    return true;
  });
  std::unordered_set<std::string> storedDiscs;
  forEachLine(discFile, [&](int, const char* p, const char* e) {
    if (isBlank(p, e)) return true;
    common::splitFields(p, e - p, [&](qsizetype start, qsizetype len) {
      storedDiscs.emplace(discIdentity(std::string_view(p + start, size_t(len))));
      return true;
    });
    return true;
  });

  MergedUpdate out;
  QByteArray newTracks, newDiscs;
  for (size_t i = 0; i < records.size(); ++i) {
    if (step) step(int(i));
    const UpdateRecord& r = records[i];
    if (storedTracks.insert(key(view(r.code), view(r.track))).second) {
      newTracks += r.line();
      ++out.tracksAdded;
    }
    if (storedDiscs.emplace(discIdentity(view(r.code))).second) {
      newDiscs += '"' + r.code + "\"\r\n";
      ++out.discsAdded;
    }
  }
  out.tracks = out.tracksAdded ? endedLines(trackFile) + newTracks : trackFile;
  out.discs = out.discsAdded ? endedLines(discFile) + newDiscs : discFile;
  return out;
}

UpdateOutcome applyUpdateFile(const QString& updatePath, const QString& programFolder, const UpdateProgress& progress) {
  using Result = UpdateOutcome::Result;
  UpdateOutcome out;
  out.path = updatePath;
  const auto update = readFileBytes(updatePath);
  if (!update) return out;  // an update file that cannot be opened is refused like a wrong one
  UpdateFileRead read = readUpdateFile(*update);
  if (read.status == UpdateFileRead::Status::NotUpdateFile) return out;
  if (read.status != UpdateFileRead::Status::Records) {
    using Status = UpdateFileRead::Status;
    out.result = read.status == Status::BrokenRecord    ? Result::BrokenRecord
                 : read.status == Status::LetterNotHeld ? Result::LetterNotHeld
                                                        : Result::NotUtf8;
    out.brokenLine = read.brokenLine;
    out.letter = read.letter;
    return out;
  }

  // The database files are read under the change's lock, after any change left unfinished is
  // finished.
  ChangeScope change;
  if (!change) {
    out.result = Result::WriteFailed;
    out.refusal = change.refusal();
    return out;
  }
  const QString trackPath = platform::joinPath(programFolder, QString::fromLatin1(catalogue::kTrackFile));
  const QString discPath = platform::joinPath(programFolder, QString::fromLatin1(catalogue::kDiscFile));
  const auto tracks = readFileBytes(trackPath);
  const auto discs = tracks ? readFileBytes(discPath) : std::nullopt;
  if (!tracks || !discs) {
    out.result = Result::DatabaseUnreadable;
    out.path = tracks ? discPath : trackPath;
    return out;
  }

  if (progress.start) progress.start(int(read.records.size()));
  const MergedUpdate merged = mergeUpdate(*tracks, *discs, read.records, progress.step);
  std::vector<FileWrite> writes;
  if (merged.tracksAdded) writes.push_back({trackPath, merged.tracks});
  if (merged.discsAdded) writes.push_back({discPath, merged.discs});
  const GroupWriteResult written = replaceFilesTogether(writes);
  if (!written) {
    out.result = Result::WriteFailed;
    out.path = written.failedPath;
    out.error = written.error;
    out.putBack = written.putBack;
    out.pending = written.pending;
    out.refusal = written.refusal;
    return out;
  }
  out.result = Result::Applied;
  out.added = !writes.empty();
  return out;
}

}  // namespace maintenance
