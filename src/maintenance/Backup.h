// The "Backup Database" window: copies the disc file and the track file into a folder the user
// picks, as MLDXbackup1.bxl and MLDXbackup2.bxl.
#pragma once

#include "maintenance/update.h"
#include "platform/controls.h"
#include "platform/form.h"

class Backup : public platform::FormBase {
 public:
  Backup();

  static const QString kDiscBackup;   // "MLDXbackup1.bxl", the copy of watdi.bxl
  static const QString kTrackBackup;  // "MLDXbackup2.bxl", the copy of watka.bxl

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Dir1_Change();
  void Dir1_Click();
  void Drive1_Change();
  void cmdBrowse_Click();

  platform::Label Label6{this, client(), "Label6", "Use this window to Backup your data files"};
  platform::Label Label5{this, client(), "Label5", "Select a folder then click the Save button"};
  platform::Label Label2{this, client(), "Label2", "Select a folder to save data files"};
  maintenance::DriveListBox Drive1{this, client(), "Drive1"};
  platform::CommandButton cmdBrowse{this, client(), "cmdBrowse", "Browse..."};
  maintenance::DirListBox Dir1{this, client(), "Dir1"};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::Label Label7{this, client(), "Label7", "To Restore your data files, select Restore from the File menu"};
  platform::CommandButton Command1{this, client(), "Command1", "Save"};
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};
};
