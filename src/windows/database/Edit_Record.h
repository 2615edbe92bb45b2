// The "Edit Tracks" window: changes the song title and the artist of one track. The main
// window fills its boxes, still hidden, from the song-list line last clicked; OK moves the
// edited record to the end of the track file, has that line show it, and may refresh the main
// window's list.
#pragma once

#include "catalogue/line_record.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <optional>

class Edit_Record : public platform::FormBase {
 public:
  Edit_Record();
  // The one window, loaded (hidden) the first time it is touched.
  static Edit_Record& instance();
  // Drops the window (the main window does so as it closes, while the application still runs).
  static void release();

  // The main window's hand-over: the song-list line's code column (11 characters) into the code
  // box, which shows 10 of them, and the code of the line's own record when it has one. While the
  // box shows what was handed, the window edits the track of that record's disc, or of the one
  // disc the column fits (catalogue::discOfLine).
  void setDiscCode(const QString& code, const std::optional<QString>& stored = std::nullopt);
  // The hand-over of a whole line: its code as above, its track, and the song and artist it shows,
  // which the track must still hold for OK to write it (catalogue::DiscMatch::holdsLine). The song
  // and artist boxes show them whole, in capitals; a box left as handed writes the record's own
  // field back exactly as it holds it, while a box the user changes is checked and written fitted
  // to its field. The code and the track written are always the record's own.
  void handOverLine(const catalogue::ListLine& line);

  // The window's rewrite of the track file and the refresh after it (the window's own
  // procedure of this name cannot share the class's name).
  void updateRecord();

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Text1_KeyPress(int& keyAscii);
  void Text2_Change();
  void Text3_KeyPress(int& keyAscii);
  void Text4_KeyPress(int& keyAscii);

  platform::Label Label6{this, client(), "Label6", "Use this window to edit tracks"};
  platform::Label Label7{this, client(), "Label7",
                         "Select \"Update list after OK \" to immediately re-create your list"};
  platform::Label Label1{this, client(), "Label1", "Disk Code"};
  platform::Label Label2{this, client(), "Label2", "Track"};
  platform::Label Label3{this, client(), "Label3", "Song"};
  platform::Label Label4{this, client(), "Label4", "Artist"};
  platform::Label Label5{this, client(), "Label5", "Please wait, whilst your database is updated"};
  // In tab order: song, artist, OK, Close, then the two boxes that cannot be changed.
  // The song title and the artist: 35 and 29 characters, or the whole field a line handed over.
  platform::TextBox Text3{this, client(), "Text3", ""};
  platform::TextBox Text4{this, client(), "Text4", ""};
  platform::CheckBox Check1{this, client(), "Check1", "Update list after OK"};
  platform::CommandButton Command1{this, client(), "Command1", "&OK"};
  platform::CommandButton Command2{this, client(), "Command2", "&Close"};
  platform::TextBox Text1{this, client(), "Text1", ""};  // disc code, at most 10 characters
  platform::TextBox Text2{this, client(), "Text2", ""};  // track number, at most 2

 private:
  void setWorking(bool working);
  // The disc code of the record: the code handed over while the box still shows it, else the
  // box's text.
  QString discCode() const;
  bool handedShown() const;
  // Whether a line was handed over and the code box still shows it: its record's code and track
  // are then kept, unchecked.
  bool lineShown() const;
  // Whether the box still shows what the line handed over: the record's field is then kept.
  bool kept(const platform::TextBox& box, const QString& handed) const;
  // What the boxes were given from the line handed over (empty when none was).
  QString handedTrack() const;
  QString handedSong() const;
  QString handedArtist() const;
  QString handedCode_, handedBox_;
  std::optional<QString> handedStored_;
  std::optional<catalogue::ListLine> handedLine_;
};
