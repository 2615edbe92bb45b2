// The "Add Tracks" window: the database typed in by hand, one track at a time. Each accepted
// track is appended to the track file and to My_Discs.kup, and a disc met for the first time to
// the disc file; Close hands the disc code back to the main window.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class add_tracks : public platform::FormBase {
 public:
  add_tracks();

  // True once a track has been written to the database.
  bool changedDatabase() const { return changed_; }

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Text1_GotFocus();
  void Text1_KeyPress(int& keyAscii);
  void Text2_Change();
  void Text2_GotFocus();
  void Text3_GotFocus();
  void Text3_KeyPress(int& keyAscii);
  void Text4_GotFocus();
  void Text4_KeyPress(int& keyAscii);

  platform::Label Label5{this, client(), "Label5", "Use this window to manually add discs or tracks"};
  platform::Label Label6{
      this, client(), "Label6",
      "Please add each track, one at a time, after each addition you will be prompted to add the next track"};
  platform::Label Label7{this, client(), "Label7",
                         "The track number will automatically increment when you click the Add button"};
  platform::Label Label1{this, client(), "Label1", "Disk Code"};
  platform::Label Label2{this, client(), "Label2", "Track"};
  platform::Label Label3{this, client(), "Label3", "Song"};
  platform::Label Label4{this, client(), "Label4", "Artist"};
  // The boxes and buttons in tab order.
  platform::TextBox Text1{this, client(), "Text1", ""};
  platform::TextBox Text2{this, client(), "Text2", "01"};
  platform::TextBox Text3{this, client(), "Text3", ""};
  platform::TextBox Text4{this, client(), "Text4", ""};
  platform::CommandButton Command1{this, client(), "Command1", "&Add Track"};
  platform::CommandButton Command2{this, client(), "Command2", "&Close"};

 private:
  // After a refused duplicate: the first track of an empty form.
  void startAgain();
  bool changed_ = false;
};
