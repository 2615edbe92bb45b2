// The "Restore Database" window: copies MLDXbackup1.bxl and MLDXbackup2.bxl from a folder the
// user picks back over the disc file and the track file.
#pragma once

#include "windows/database/data_folder_window.h"
#include "windows/database/save_offer.h"

class Restore : public windows::DataFolderWindow {
 public:
  Restore();

  static const QString kCaption;  // "Restore Database"
  // True once the backups have been copied over the database.
  bool changedDatabase() const { return changed_; }
  // Asked once both backups are found, before the database is touched: false leaves it as it
  // was and the window open.
  windows::SaveOffer beforeWrite;

  void Command1_Click() override;

 private:
  bool changed_ = false;
};
