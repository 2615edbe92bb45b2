// The "Update Database" window: the user picks an update file (*.kup) with a drive, a folder and
// a file list, and its new tracks and discs are added to the database.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/database/folder_lists.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class update : public platform::FormBase {
 public:
  update();

  static const QString kNotUpdateFile;  // the refusal of a file without the header
  static const QString kUpdated;        // "Mellowdex has been succsesfuly updated"

  // True once an update file has added a track or a disc to the database.
  bool changedDatabase() const { return changed_; }

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
  bool changed_ = false;
};
