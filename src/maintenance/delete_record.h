// The "Delete Track or Disc" window. The main window fills it, still hidden, from the disc or
// song-list line last clicked; the delete commands show it.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

class delete_record : public platform::FormBase {

 public:
  delete_record();
  // The one window, loaded (hidden) the first time it is touched.
  static delete_record& instance();
  static bool isInstanceLoaded();

  void Form_Load() override;
  void Option1_Click();
  void Option2_Click();
  void Text1_Change();
  void Text2_Change();
  void Command1_Click();
  void Command2_Click();

  platform::OptionGroup modes;
  platform::OptionButton Option1{this, client(), "Option1", "Disc", &modes};
  platform::OptionButton Option2{this, client(), "Option2", "Track", &modes};
  platform::OptionButton Option3{this, client(), "Option3", "dummy", &modes};
  platform::Label Label1{this, client(), "Label1", "Disc MF Code"};
  platform::TextBox Text1{this, client(), "Text1", ""};
  platform::Label Label3{this, client(), "Label3", "Track number"};
  platform::TextBox Text2{this, client(), "Text2", ""};
  platform::CommandButton Command1{this, client(), "Command1", "&Delete"};
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};
  platform::Label Label6{this, client(), "Label6", "Use this window to permantley Delete discs or tracks"};
  platform::Label Label2{this, client(), "Label2", "Warning.......This operation will permently delete data from the master database"};
};
