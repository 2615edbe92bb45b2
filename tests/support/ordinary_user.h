// Acting as an ordinary user for a while, so that tests running as root still meet read-only
// files as the program's users do.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

namespace testsupport {

// While it lives, the process acts as an ordinary user over the program folder, so that a
// read-only file refuses to be written as it does for the program's users even when the tests
// run with rights over every file.
class OrdinaryUser {
 public:
  explicit OrdinaryUser(const QString& folder) : root_(geteuid() == 0) {
    if (!root_) return;
    chmod(QFile::encodeName(folder).constData(), 0777);
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
      const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
      struct stat st {};
      if (stat(path.constData(), &st) == 0 && (st.st_mode & S_IWUSR)) chmod(path.constData(), 0666);
    }
    // Real and effective ids both change (permission checks use either); the saved id stays
    // root so the destructor can come back.
    if (setresuid(65534, 65534, 0) != 0) ADD_FAILURE() << "cannot act as an ordinary user";
  }
  ~OrdinaryUser() {
    if (root_ && setresuid(0, 0, 0) != 0) std::abort();
  }
  OrdinaryUser(const OrdinaryUser&) = delete;
  OrdinaryUser& operator=(const OrdinaryUser&) = delete;

 private:
  bool root_;
};

// Changes a file's or folder's mode, also while an OrdinaryUser acts on a root-owned folder: the
// saved root id makes the owner's change for the moment.
inline void setMode(const QString& path, mode_t mode) {
  const QByteArray name = QFile::encodeName(path);
  if (chmod(name.constData(), mode) == 0) return;
  const uid_t uid = geteuid();
  if (setresuid(uid_t(-1), 0, uid_t(-1)) != 0) {
    ADD_FAILURE() << "cannot change the mode of " << name.constData();
    return;
  }
  if (chmod(name.constData(), mode) != 0) ADD_FAILURE() << "cannot change the mode of " << name.constData();
  if (setresuid(uid_t(-1), uid, uid_t(-1)) != 0) std::abort();
}

}  // namespace testsupport
