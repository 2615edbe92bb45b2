#include "platform/core/text_file.h"

#include "platform/core/cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace platform {

std::optional<QString> readTextFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  if (f.error() != QFile::NoError) return std::nullopt;
  return cp1252::decode(bytes);
}

QStringList splitLines(const QString& text) {
  QStringList lines;
  forEachLine(text.constData(), text.size(), [&](qsizetype start, qsizetype end) {
    lines.append(text.mid(start, end - start));
    return true;
  });
  return lines;
}

std::optional<QStringList> readLines(const QString& path) {
  auto text = readTextFile(path);
  if (!text) return std::nullopt;
  return splitLines(*text);
}

DecodedText decodeUtf8OrCp1252(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return {text, true, false};
  if (bytes.startsWith("\xEF\xBB\xBF")) return {text, true, true};
  return {cp1252::decode(bytes), false, false};
}

std::optional<QStringList> readUtf8Lines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  if (f.error() != QFile::NoError) return std::nullopt;
  return splitLines(decodeUtf8OrCp1252(bytes).text);
}

QString joinLines(const QStringList& lines) {
  qsizetype total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  QString out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += QLatin1String("\r\n");
  }
  return out;
}

static mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

static WriteResult failure(const QString& path, const QString& why) {
  WriteResult r;
  r.ok = false;
  const QFileInfo info(path);
  r.noFolder = !QFileInfo(info.absolutePath()).isDir();
  r.readOnly = !r.noFolder &&
               (info.isDir() || (info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable());
  r.error = why;
  return r;
}

QString writtenFile(const QString& path) {
  QString file = QFileInfo(path).absoluteFilePath();
  // A circle of links leads to no file: after as many links as the system follows, the last is
  // left, and a rename over it fails (see renameOver).
  for (int links = 0; links < 40; ++links) {
    const QFileInfo info(file);
    if (!info.isSymLink()) break;
    file = info.symLinkTarget();
  }
  return file;
}

QString scratchPathOf(const QString& path) { return writtenFile(path) + QStringLiteral(".tmp"); }

// Makes a rename in the folder survive a power cut. A file system that cannot sync a folder
// has nothing more to give; the rename itself has already taken place.
void syncFolderOf(const QString& file) {
  const QByteArray folder = QFile::encodeName(QFileInfo(writtenFile(file)).absolutePath());
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The file is written with plain system calls so that every short or failed write is seen: a
// file system that takes only part of the data must never leave a cut file in place.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes, const QString& target) {
  const QString reported = target.isEmpty() ? path : target;
  const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
  if (::unlink(file.constData()) != 0 && errno != ENOENT)
    return failure(reported, QString::fromLocal8Bit(std::strerror(errno)));
  const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return failure(reported, QString::fromLocal8Bit(std::strerror(errno)));
  const auto fail = [&](int err) {
    ::close(fd);
    ::unlink(file.constData());
    return failure(reported, QString::fromLocal8Bit(std::strerror(err)));
  };
  struct stat st {};
  const QByteArray modeOf = QFile::encodeName(QFileInfo(reported).absoluteFilePath());
  const mode_t mode =
      !target.isEmpty() && ::stat(modeOf.constData(), &st) == 0 ? (st.st_mode & 07777) : mode_t(0644 & ~currentUmask());
  if (::fchmod(fd, mode) != 0) return fail(errno);
  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    if (n == 0) return fail(EIO);
    p += n;
    left -= n;
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(file.constData());
    return failure(reported, QString::fromLocal8Bit(std::strerror(err)));
  }
  return {};
}

WriteResult renameOver(const QString& from, const QString& to) {
  const QString written = writtenFile(to);
  if (QFileInfo(written).isSymLink()) return failure(to, QString::fromLocal8Bit(std::strerror(ELOOP)));
  const QByteArray source = QFile::encodeName(QFileInfo(from).absoluteFilePath());
  const QByteArray target = QFile::encodeName(written);
  if (::rename(source.constData(), target.constData()) != 0)
    return failure(to, QString::fromLocal8Bit(std::strerror(errno)));
  return {};
}

// The scratch file's name is fixed, so a scratch file left by a run that was killed is replaced
// by the next write rather than left behind.
WriteResult canReplace(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir()) return failure(path, QStringLiteral("is a folder"));
  if (info.exists() && !info.isWritable()) return failure(path, QStringLiteral("is read only"));
  const QFileInfo folder(QFileInfo(writtenFile(path)).absolutePath());
  if (!folder.isDir()) return failure(path, QString::fromLocal8Bit(std::strerror(ENOENT)));
  if (!folder.isWritable()) return failure(path, QString::fromLocal8Bit(std::strerror(EACCES)));
  return {};
}

WriteResult stageReplacement(const QString& path, const QByteArray& bytes, const QString& scratchPath) {
  if (WriteResult possible = canReplace(path); !possible) return possible;
  return writeWholeFile(scratchPath.isEmpty() ? scratchPathOf(path) : scratchPath, bytes, path);
}

WriteResult putStagedInPlace(const QString& path, const QString& scratchPath) {
  const QString scratch = scratchPath.isEmpty() ? scratchPathOf(path) : scratchPath;
  if (WriteResult renamed = renameOver(scratch, path); !renamed) {
    QFile::remove(scratch);
    return renamed;
  }
  syncFolderOf(path);
  return {};
}

WriteResult replaceFileBytes(const QString& path, const QByteArray& bytes, const QString& scratchPath) {
  if (WriteResult written = stageReplacement(path, bytes, scratchPath); !written) return written;
  return putStagedInPlace(path, scratchPath);
}

WriteResult replaceFile(const QString& path, const QString& text) {
  return replaceFileBytes(path, cp1252::encode(text));
}

WriteResult replaceFileUtf8(const QString& path, const QString& text) { return replaceFileBytes(path, text.toUtf8()); }

}  // namespace platform
