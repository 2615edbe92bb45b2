// The "Update Database" window: the user picks an update file (*.kup) with a drive, a folder and
// a file list, and its new tracks and discs are added to the database.
// Also the drive, folder and file lists themselves, which the backup, restore and file rename
// windows use as well.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

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
 private:
  QString path_;
  QString pattern_;
};

// Drive1_Change of every window with a drive list: the folder list moves to the chosen drive;
// a drive that cannot be read gives "Drive not ready" and the drive of the program folder.
void followDrive(DriveListBox& drive, DirListBox& dir);
// The folder choice beside a drive list: the folder list opens the folder the user picks.
void chooseFolderFor(DirListBox& dir, const QString& title);

}  // namespace windows

class update : public platform::FormBase {
 public:
  update();

  static const QString kNotUpdateFile;  // the refusal of a file without the header
  static const QString kUpdated;        // "Mellowdex has been succsesfuly updated"

  void Form_Load() override;
  // Adds the new tracks and discs of the update file at the path to the database.
  void Append_Files(const QString& filePath);
  void Command1_Click();
  void Command2_Click();
  void Drive1_Change();
  void cmdBrowse_Click();
  void Dir1_Change();
  void File1_Click();
  void File1_DblClick();

  platform::Label Label6{this, client(), "Label6", "Use this window to apply individual update files"};
  platform::Label Label5{this, client(), "Label5", "Locate downloded update files then click the Update button"};
  windows::DriveListBox Drive1{this, client(), "Drive1"};
  platform::CommandButton cmdBrowse{this, client(), "cmdBrowse", "Browse..."};
  windows::DirListBox Dir1{this, client(), "Dir1"};
  platform::Label Label2{this, client(), "Label2", "Select the update (*.kup)"};
  windows::FileListBox File1{this, client(), "File1", "*.kup;*.kup.*"};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::CheckBox Check1{this, client(), "Check1", "Delete update file after successful update"};
  platform::ProgressBar ProgressBar1{this, client(), "ProgressBar1"};
  platform::Label Label4{this, client(), "Label4", "This could take a few minutes, please be patient"};
  platform::CommandButton Command1{this, client(), "Command1", "Update"};
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};

 private:
  void finish();
};
