#include "platform/core/files.h"

#include "platform/core/cp1252.h"
#include "platform/core/text_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace platform {

std::function<int(int)> refuseRenameWay;

QString programFolder() {
  QString folder = qEnvironmentVariable("MELLOWDEX_HOME");
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\'))) folder += QLatin1Char('/');
  return folder;
}

QString joinPath(const QString& folder, const QString& name) {
  if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) return folder + name;
  return folder + QLatin1Char('/') + name;
}

QString programFile(const QString& name) { return programFolder() + name; }

void setHidden(const QString&, bool) {}

bool fileExists(const QString& path) { return QFileInfo(path).isFile(); }

qint64 fileLength(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() ? info.size() : -1;
}

bool deleteFile(const QString& path) { return QFile::remove(path); }

bool copyFile(const QString& from, const QString& to) {
  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = in.readAll();
  if (in.error() != QFile::NoError) return false;
  return bool(replaceFileBytes(to, bytes));
}

namespace {

bool isUtf8(const QByteArray& bytes) { return QString::fromUtf8(bytes).toUtf8() == bytes; }

QByteArray pathBytes(const QByteArray& folder, const QByteArray& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool nameExists(const QByteArray& path) {
  struct stat st;
  return ::lstat(path.constData(), &st) == 0;
}

// The bytes of a name as folderEntries read it: its UTF-8, or the Windows-1252 bytes of a name
// that was read that way.
QByteArray nameBytes(const QByteArray& folder, const QString& name) {
  const QByteArray utf8 = name.toUtf8();
  if (nameExists(pathBytes(folder, utf8)) || cp1252::firstOutside(name) >= 0) return utf8;
  const QByteArray single = cp1252::encode(name);
  return !isUtf8(single) && nameExists(pathBytes(folder, single)) ? single : utf8;
}

int noReplaceRename([[maybe_unused]] const QByteArray& from, [[maybe_unused]] const QByteArray& to) {
  if (refuseRenameWay)
    if (const int error = refuseRenameWay(1)) return error;
#ifdef RENAME_NOREPLACE
  return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0 ? 0 : errno;
#else
  return ENOSYS;
#endif
}

int secondLink(const QByteArray& from, const QByteArray& to) {
  if (refuseRenameWay)
    if (const int error = refuseRenameWay(2)) return error;
  return ::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 0) == 0 ? 0 : errno;
}

// The system or the disk does not know the rename that refuses to replace.
bool noReplaceUnknown(int error) { return error == ENOSYS || error == EINVAL; }

// The disk makes no second link to a file (exFAT and FAT through FUSE, many shares). A name
// that is taken (EEXIST), a file that is gone, a folder that may not be written or a failing
// disk is a real refusal, which a plain rename must not get round. (EPERM also stands for a file
// the system will not link for its owner's sake or at all; the plain rename then asks the
// system again and gets its own answer.)
bool linksUnknown(int error) { return error == EPERM || error == EOPNOTSUPP || error == ENOSYS; }

// The system's rename that refuses to replace: renameat2 where the system and the disk have it,
// otherwise a second link to the file and the old one removed, otherwise, on a disk that has
// neither, a plain rename into a name that is free a moment before. (The renamer checks every
// new name before the first move; on such a disk nothing can close the moment in between.)
int renameNoReplace(const QByteArray& from, const QByteArray& to) {
  int error = noReplaceRename(from, to);
  if (!noReplaceUnknown(error)) return error;
  error = secondLink(from, to);
  if (error == 0) {
    if (::unlink(from.constData()) == 0) return 0;
    error = errno;
    ::unlink(to.constData());  // the file keeps its old name only
    return error;
  }
  if (!linksUnknown(error)) return error;
  struct stat st;
  if (::lstat(to.constData(), &st) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

}  // namespace

std::vector<FolderEntry> folderEntries(const QString& folder) {
  std::vector<FolderEntry> out;
  const QByteArray dirBytes = QFile::encodeName(folder);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(dirBytes.constData()), &::closedir);
  if (!dir) return out;
  while (const dirent* e = ::readdir(dir.get())) {
    const QByteArray bytes(e->d_name);
    if (bytes == "." || bytes == "..") continue;
    struct stat st;
    FolderEntry::Type type = FolderEntry::Type::Other;
    if (::fstatat(::dirfd(dir.get()), e->d_name, &st, 0) == 0)
      type = S_ISREG(st.st_mode)   ? FolderEntry::Type::File
             : S_ISDIR(st.st_mode) ? FolderEntry::Type::Folder
                                   : FolderEntry::Type::Other;
    const bool utf8 = isUtf8(bytes);
    out.push_back({utf8 ? QString::fromUtf8(bytes) : cp1252::decode(bytes), type, utf8});
  }
  return out;
}

QString renameInFolder(const QString& folder, const QString& from, const QString& to) {
  const QByteArray dirBytes = QFile::encodeName(folder);
  const int error = renameNoReplace(pathBytes(dirBytes, nameBytes(dirBytes, from)), pathBytes(dirBytes, to.toUtf8()));
  return error == 0 ? QString() : qt_error_string(error);
}

}  // namespace platform
