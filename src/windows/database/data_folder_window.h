// What the "Backup Database" and "Restore Database" windows share: the folder of the backup
// files picked with a drive list, a folder list and Browse, the folder shown below them, the
// action and Cancel buttons, and the copy of the two files as a pair.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/database/update.h"

#include <QString>

#include <vector>

namespace windows {

class DataFolderWindow : public platform::FormBase {
 public:
  void Form_Load() override;
  virtual void Command1_Click() = 0;
  void Command2_Click();
  void Dir1_Change();
  void Dir1_Click();
  void Drive1_Change();
  void cmdBrowse_Click();

  platform::Label Label6;
  platform::Label Label5;
  platform::Label Label2;
  windows::DriveListBox Drive1{this, client(), "Drive1"};
  platform::CommandButton cmdBrowse{this, client(), "cmdBrowse", "Browse..."};
  windows::DirListBox Dir1{this, client(), "Dir1"};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::Label Label7;
  platform::CommandButton Command1;
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};

 protected:
  // The texts that differ between the two windows.
  struct Captions {
    QString window;
    QString label6, label5, label2, label7;  // heading, instruction, folder prompt, the other window
    QString command1;
  };
  explicit DataFolderWindow(const Captions& captions);

  // What the user is told when a copy cannot be made.
  struct CopyTexts {
    QString source;       // "The database file " or "The backup file ", before a path that cannot be read
    QString target;       // the same before a path that cannot be written
    QString nothingDone;  // the line after either when every target is as it was
    QString mismatch;     // the line after a failed write whose targets could not all be put back
    QString title;
  };
  struct Copy {
    QString from, to;
  };
  // Reads every source whole, in order, then writes the targets together (see
  // replaceFilesTogether). False, and the user told, when a source cannot be read or a target
  // cannot be written.
  bool copyTogether(const std::vector<Copy>& copies, const CopyTexts& texts);
};

}  // namespace windows
