#include "temp_home.h"

#include "common/records.h"
#include "platform/core/cp1252.h"
#include "platform/core/text_file.h"

#include <QFile>

#include <cstdlib>

namespace testsupport {

TempHome::TempHome() {
  const char* prev = std::getenv("MELLOWDEX_HOME");
  hadPrevious_ = prev != nullptr;
  if (prev) previous_ = prev;
  setenv("MELLOWDEX_HOME", dir_.path().toLocal8Bit().constData(), 1);
}

TempHome::~TempHome() {
  if (hadPrevious_) setenv("MELLOWDEX_HOME", previous_.constData(), 1);
  else unsetenv("MELLOWDEX_HOME");
}

QString TempHome::path(const QString& name) const {
  return name.isEmpty() ? dir_.path() + QLatin1Char('/') : dir_.filePath(name);
}

void TempHome::writeBytes(const QString& name, const QByteArray& bytes) const {
  QFile f(path(name));
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(bytes);
}

void TempHome::writeLines(const QString& name, const QStringList& lines) const {
  writeBytes(name, platform::cp1252::encode(platform::joinLines(lines)));
}

QByteArray TempHome::readBytes(const QString& name) const {
  QFile f(path(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void TempHome::writeDiscs(const QStringList& codes) const {
  QStringList lines;
  for (const auto& c : codes) lines << discLine(c);
  writeLines(QStringLiteral("watdi.bxl"), lines);
}

void TempHome::writeTracks(const QStringList& records) const {
  QStringList lines;
  for (const auto& r : records) {
    const QStringList f = r.split(QLatin1Char(','));
    lines << trackLine(f.value(0), f.value(1), f.value(2), f.value(3));
  }
  writeLines(QStringLiteral("watka.bxl"), lines);
}

QString trackLine(const QString& code, const QString& track, const QString& title, const QString& artist) {
  return common::TrackRecord::fromFields({code, track, title, artist}).toLine();
}

QString discLine(const QString& code) { return common::writeRecord({code.leftJustified(11, QLatin1Char(' '), true)}); }

QByteArray linesBytes(const QList<QByteArray>& records) {
  QByteArray out;
  for (const auto& r : records) out += r + "\r\n";
  return out;
}

QByteArray quotedLinesBytes(const QList<QByteArray>& values) {
  QByteArray out;
  for (const auto& v : values) out += '"' + v + "\"\r\n";
  return out;
}

}  // namespace testsupport
