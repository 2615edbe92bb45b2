// The "Restore Database" window: copies MLDXbackup1.bxl and MLDXbackup2.bxl from a folder the
// user picks back over the disc file and the track file.
#pragma once

#include "maintenance/update.h"
#include "platform/controls.h"
#include "platform/form.h"

class Restore : public platform::FormBase {
 public:
  Restore();

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Dir1_Change();
  void Dir1_Click();
  void Drive1_Change();
  void cmdBrowse_Click();

  platform::Label Label6{this, client(), "Label6", "Use this window to Restore your data files"};
  platform::Label Label5{this, client(), "Label5", "Select the folder where data files were saved then click the Restore button"};
  platform::Label Label2{this, client(), "Label2", "Select the the folder where data files are located"};
  maintenance::DriveListBox Drive1{this, client(), "Drive1"};
  platform::CommandButton cmdBrowse{this, client(), "cmdBrowse", "Browse..."};
  maintenance::DirListBox Dir1{this, client(), "Dir1"};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::Label Label7{this, client(), "Label7", "To Backup your data files, select Backup from the File menu"};
  platform::CommandButton Command1{this, client(), "Command1", "&Restore"};
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};
};
