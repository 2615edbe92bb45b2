// The drive, folder and file lists of the update, backup, restore and file rename windows: the
// old platform's drive, folder and file list boxes over this system's folders.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace windows {

// The drives: the roots of the mounted volumes, in name order.
QStringList driveRoots();
// The drive whose root holds the path (the longest matching root).
QString driveOf(const QString& path);

// A drive list: the roots of the file system. Picking one, or setting one from code, runs Change.
class DriveListBox : public platform::ComboBox {
 public:
  DriveListBox(platform::FormBase* form, QWidget* parent, const QString& name);
  QString Drive() const { return Text(); }
  void setDrive(const QString& drive);
  // Shows the drive without running Change (the window's start).
  void showDrive(const QString& drive);

 private:
  int indexOf(const QString& drive);
  bool quiet_ = false;
};

// A folder list: the folders from the root down to the open one, then its subfolders, each
// indented by its depth. A double click (or Enter) opens the folder under the highlight; a
// single click only highlights it (Click).
class DirListBox : public platform::ListBox {
 public:
  DirListBox(platform::FormBase* form, QWidget* parent, const QString& name);
  // The open folder, without a trailing separator except for a root.
  QString Path() const { return path_; }
  // Opens the folder; false, and nothing changes, when it cannot be read. Runs Change when the
  // open folder changes.
  bool setPath(const QString& path);
  // The folder of a row of the list.
  QString folderAt(int row) const;
  std::function<void()> Change;

 private:
  void openHighlighted();
  QString path_;
  std::vector<QString> rows_;
};

// A file list: the files of one folder that match its pattern, in name order, hidden files left
// out. It is re-read when its folder or pattern is set and on Refresh.
class FileListBox : public platform::ListBox {
 public:
  FileListBox(platform::FormBase* form, QWidget* parent, const QString& name, const QString& pattern);
  QString Path() const { return path_; }
  void setPath(const QString& path);
  QString Pattern() const { return pattern_; }
  void setPattern(const QString& pattern);
  void Refresh();
  QString FileName() const { return Text(); }
  // Also lists the files whose names an older system wrote in its single-byte code page.
  void listSingleByteNames() { singleByteNames_ = true; }

 private:
  QString path_;
  QString pattern_;
  bool singleByteNames_ = false;
};

// Drive1_Change of every window with a drive list: the folder list moves to the chosen drive;
// a drive that cannot be read gives "Drive not ready" and the drive of the program folder.
void followDrive(DriveListBox& drive, DirListBox& dir);
// The folder choice beside a drive list: the folder list opens the folder the user picks.
void chooseFolderFor(DirListBox& dir, const QString& title);

}  // namespace windows
