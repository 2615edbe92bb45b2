// The "Backup Database" window: copies the disc file and the track file into a folder the user
// picks, as MLDXbackup1.bxl and MLDXbackup2.bxl.
#pragma once

#include "windows/database/data_folder_window.h"

class Backup : public windows::DataFolderWindow {
 public:
  Backup();

  static const QString kDiscBackup;   // "MLDXbackup1.bxl", the copy of watdi.bxl
  static const QString kTrackBackup;  // "MLDXbackup2.bxl", the copy of watka.bxl

  void Command1_Click() override;
};
