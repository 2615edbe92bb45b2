#include "platform/text_file.h"

#include "platform/cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
  qsizetype start = 0;
  const qsizetype n = text.size();
  const QChar* d = text.constData();
  for (qsizetype i = 0; i < n; ++i) {
    if (d[i] == QLatin1Char('\n')) {
      qsizetype end = i;
      if (end > start && d[end - 1] == QLatin1Char('\r')) --end;
      lines.append(text.mid(start, end - start));
      start = i + 1;
    }
  }
  if (start < n) {
    qsizetype end = n;
    if (d[end - 1] == QLatin1Char('\r')) --end;
    lines.append(text.mid(start, end - start));
  }
  return lines;
}

std::optional<QStringList> readLines(const QString& path) {
  auto text = readTextFile(path);
  if (!text) return std::nullopt;
  return splitLines(*text);
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

static WriteResult failure(const QString& path, const QString& why) {
  WriteResult r;
  r.ok = false;
  const QFileInfo info(path);
  r.readOnly = info.isDir() || (info.exists() && !info.isWritable()) ||
               !QFileInfo(info.absolutePath()).isWritable();
  r.error = why;
  return r;
}

WriteResult replaceFileBytes(const QString& path, const QByteArray& bytes) {
  if (QFileInfo(path).isDir()) return failure(path, QStringLiteral("is a folder"));
  if (QFileInfo(path).exists() && !QFileInfo(path).isWritable())
    return failure(path, QStringLiteral("is read only"));
  QSaveFile f(path);
  f.setDirectWriteFallback(false);
  if (!f.open(QIODevice::WriteOnly)) return failure(path, f.errorString());
  if (f.write(bytes) != bytes.size()) {
    const QString why = f.errorString();
    f.cancelWriting();
    return failure(path, why);
  }
  if (!f.commit()) return failure(path, f.errorString());
  return {};
}

WriteResult replaceFile(const QString& path, const QString& text) {
  return replaceFileBytes(path, cp1252::encode(text));
}

WriteResult appendToFile(const QString& path, const QString& text) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return failure(path, f.errorString());
  const QByteArray bytes = cp1252::encode(text);
  if (f.write(bytes) != bytes.size() || !f.flush()) return failure(path, f.errorString());
  return {};
}

}  // namespace platform
