#include "windows/database/folder_lists.h"

#include "catalogue/database.h"
#include "maintenance/rename_plan.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

using platform::msg::OKOnly;

namespace windows {

using namespace maintenance;

namespace {

QString cleanFolder(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

}  // namespace

QStringList driveRoots() {
  QStringList roots;
  for (const QFileInfo& root : QDir::drives()) roots << cleanFolder(root.absolutePath());
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString r = cleanFolder(volume.rootPath());
    if (volume.isValid() && volume.isReady() && QFileInfo(r).isDir() && !roots.contains(r)) roots << r;
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

QString driveOf(const QString& path) {
  const QString clean = cleanFolder(path);
  QString best;
  for (const QString& r : driveRoots()) {
    const QString prefix = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
    if ((clean == r || (clean + QLatin1Char('/')).startsWith(prefix)) && r.size() > best.size()) best = r;
  }
  return best.isEmpty() ? QDir::rootPath() : best;
}

void followDrive(DriveListBox& drive, DirListBox& dir) {
  if (dir.setPath(drive.Drive())) return;
  platform::prompts().msgBox(QStringLiteral("Drive not ready"), platform::msg::OKOnly, QString());
  const QString home = driveOf(platform::programFolder());
  if (drive.Drive() != home) drive.setDrive(home);
}

void chooseFolderFor(DirListBox& dir, const QString& title) {
  const auto folder = platform::prompts().chooseFolder(title, dir.Path());
  if (folder && !folder->isEmpty() && !dir.setPath(*folder))
    platform::prompts().msgBox(catalogue::unreadableText(QStringLiteral("The folder ") + *folder),
                               platform::msg::OKOnly, title);
}

// ---------------------------------------------------------------- drive list

DriveListBox::DriveListBox(platform::FormBase* form, QWidget* parent, const QString& name)
    : ComboBox(form, parent, name, Style::DropdownList, false) {
  for (const QString& root : driveRoots()) AddItem(root);
  Click = [this] {
    if (!quiet_ && Change) Change();
  };
}

int DriveListBox::indexOf(const QString& drive) {
  for (int i = 0; i < ListCount(); ++i)
    if (List(i) == drive) return i;
  AddItem(drive);
  return ListCount() - 1;
}

void DriveListBox::setDrive(const QString& drive) { setListIndex(indexOf(drive)); }

void DriveListBox::showDrive(const QString& drive) {
  quiet_ = true;
  setListIndex(indexOf(drive));
  quiet_ = false;
}

// ---------------------------------------------------------------- folder list

DirListBox::DirListBox(platform::FormBase* form, QWidget* parent, const QString& name)
    : ListBox(form, parent, name, Style::Standard, MultiSelect::None, false) {
  DblClick = [this] { openHighlighted(); };
  KeyDown = [this](int& keyCode, int) {
    if (keyCode != platform::keys::Return) return;
    keyCode = 0;
    openHighlighted();
  };
}

QString DirListBox::folderAt(int row) const {
  return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)] : QString();
}

void DirListBox::openHighlighted() {
  const QString folder = folderAt(ListIndex());
  if (!folder.isEmpty() && !setPath(folder)) platform::beep();
}

bool DirListBox::setPath(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(path).isReadable()) return false;
  const QString folder = cleanFolder(path);

  // The chain of folders from the root down to the open one.
  std::vector<QString> chain;
  for (QDir d(folder);;) {
    chain.insert(chain.begin(), cleanFolder(d.absolutePath()));
    if (d.isRoot() || !d.cdUp()) break;
  }
  QStringList texts;
  rows_.clear();
  int depth = 0;
  for (const QString& f : chain) {
    const QString shown = QDir(f).isRoot() ? f : QFileInfo(f).fileName();
    texts << QString(depth * 2, QLatin1Char(' ')) + shown;
    rows_.push_back(f);
    ++depth;
  }
  for (const QString& sub : listSubfolders(folder)) {
    texts << QString(depth * 2, QLatin1Char(' ')) + sub;
    rows_.push_back(folder.endsWith(QLatin1Char('/')) ? folder + sub : folder + QLatin1Char('/') + sub);
  }
  Clear();
  addItems(texts);

  const bool changed = folder != path_;
  path_ = folder;
  if (changed && Change) Change();
  return true;
}

// ---------------------------------------------------------------- file list

FileListBox::FileListBox(platform::FormBase* form, QWidget* parent, const QString& name, const QString& pattern)
    : ListBox(form, parent, name, Style::Standard, MultiSelect::None, false), pattern_(pattern) {}

void FileListBox::setPath(const QString& path) {
  path_ = cleanFolder(path);
  Refresh();
}

void FileListBox::setPattern(const QString& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileListBox::Refresh() {
  Clear();
  if (!path_.isEmpty()) addItems(listMatchingFiles(path_, pattern_, singleByteNames_));
}

}  // namespace windows
