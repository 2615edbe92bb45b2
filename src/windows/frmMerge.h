// The "Merge Files" window: joins the disc selections of two saved song-list files into a new
// one that opens to both selections.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmMerge : public platform::FormBase {
 public:
  frmMerge();

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();

  platform::Frame Frame1{this, client(), "Frame1", ""};
  platform::Label Label6{this, client(), "Label6", "Use this window to Merge two saved files"};
  platform::Label Label5{this, client(), "Label5", "Select File 1,  File 2 then click the Merge button"};
  platform::CommandButton Command1{this, client(), "Command1", "Select File 1"};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::CommandButton Command2{this, client(), "Command2", "Select File 2"};
  platform::Label Label2{this, client(), "Label2", ""};
  platform::CommandButton Command3{this, client(), "Command3", "Merge"};
  platform::CommandButton Command4{this, client(), "Command4", "Cancel"};

 private:
  void choose(platform::Label& mine, const platform::Label& other);
};
