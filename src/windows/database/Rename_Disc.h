// The "Change Disc Code" window: gives one disc a new code throughout the database, every one
// of its tracks and its disc record, and hands the new code back to the main window.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/database/save_offer.h"

class Rename_Disc : public platform::FormBase {
 public:
  Rename_Disc();

  // The main window's hand-over: the highlighted disc's code, trimmed, into the current-code
  // box, which holds the whole code however long an update file made it.
  void setCurrent(const QString& code);

  static const QString kCaption;  // "Change Disc Code"
  // The refusal of a change with no current code (no disc highlighted in the main window).
  static const QString kNoDiscText;
  // True once the new code has been written to the database.
  bool changedDatabase() const { return changed_; }
  // Asked once the change is certain, before anything is written: false leaves the database as
  // it was and the window open. A list saved then names the new code, and stays unsaved unless
  // the change is written.
  windows::ListSaveOffer beforeWrite;

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Text1_KeyPress(int& keyAscii);
  void Text2_KeyPress(int& keyAscii);

  platform::Label Label3{this, client(), "Label3", "Use this window to change a disc code"};
  platform::Label Label4{this, client(), "Label4", "Changes will be permanent"};
  platform::Label Label1{this, client(), "Label1", "Current Disk Code"};
  platform::Label Label2{this, client(), "Label2", "New Disk Code"};
  // In tab order: new code, Change, Cancel, then the current code, which cannot be changed.
  platform::TextBox Text2{this, client(), "Text2", ""};
  platform::CommandButton Command1{this, client(), "Command1", "Change"};
  platform::CommandButton Command2{this, client(), "Command2", "Cancel"};
  platform::TextBox Text1{this, client(), "Text1", ""};

 private:
  bool changed_ = false;
  // Back from the work: the buttons and the new code usable again, the default pointer. The
  // current code stays the highlighted disc's.
  void endWork();
  // A refused new code: the box emptied and focused.
  void askAgain();
};
