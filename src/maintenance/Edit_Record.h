// The "Edit Tracks" window: changes the song title and the artist of one track. The main
// window fills its boxes, still hidden, from the song-list line last clicked.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

class Edit_Record : public platform::FormBase {
 public:
  Edit_Record();
  // The one window, loaded (hidden) the first time it is touched.
  static Edit_Record& instance();

  platform::TextBox Text1{this, client(), "Text1", ""};  // disc code, at most 10 characters
  platform::TextBox Text2{this, client(), "Text2", ""};  // track number, at most 2
  platform::TextBox Text3{this, client(), "Text3", ""};  // song title, at most 35
  platform::TextBox Text4{this, client(), "Text4", ""};  // artist, at most 29
  platform::CheckBox Check1{this, client(), "Check1", "Update list after OK"};
  platform::CommandButton Command1{this, client(), "Command1", "&OK"};
  platform::CommandButton Command2{this, client(), "Command2", "&Close"};
};
