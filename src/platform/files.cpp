#include "platform/files.h"

#include "platform/text_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace platform {

QString programFolder() {
  QString folder = qEnvironmentVariable("MELLOWDEX_HOME");
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
    folder += QLatin1Char('/');
  return folder;
}

QString joinPath(const QString& folder, const QString& name) {
  if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
    return folder + name;
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

bool renameFile(const QString& from, const QString& to) { return QFile::rename(from, to); }

}  // namespace platform
