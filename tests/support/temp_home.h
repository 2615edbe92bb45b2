// A temporary program folder for one test, with small database files.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class TempHome {
 public:
  TempHome();
  ~TempHome();
  QString path(const QString& name = {}) const;
  // Writes bytes exactly as given.
  void writeBytes(const QString& name, const QByteArray& bytes) const;
  // Writes lines in Windows-1252 with CR LF.
  void writeLines(const QString& name, const QStringList& lines) const;
  QByteArray readBytes(const QString& name) const;
  // A disc file of the given codes and a track file of records "code,track,title,artist".
  void writeDiscs(const QStringList& codes) const;
  void writeTracks(const QStringList& records) const;

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
  bool hadPrevious_ = false;
};

// The track record line of the database, each field padded to its width.
QString trackLine(const QString& code, const QString& track, const QString& title, const QString& artist);
QString discLine(const QString& code);

// Records as a file holds them, CR LF after each.
QByteArray linesBytes(const QList<QByteArray>& records);
// Values as a file holds them, each in double quotes, CR LF after each.
QByteArray quotedLinesBytes(const QList<QByteArray>& values);

}  // namespace testsupport
