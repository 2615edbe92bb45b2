// The "Delete Track or Disc" window. The main window fills it, still hidden, from the disc or
// song-list line last clicked; the delete commands show it. Delete removes the disc with all
// its tracks, or the one track (and the disc when it was its last track), after a confirmation.
#pragma once

#include "catalogue/line_record.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/database/save_offer.h"

#include <functional>
#include <optional>

namespace maintenance {
class ChangeScope;
}

class delete_record : public platform::FormBase {
 public:
  delete_record();
  // The one window, loaded (hidden) the first time it is touched.
  static delete_record& instance();
  // Drops the window (the main window does so as it closes, while the application still runs).
  static void release();
  static bool isInstanceLoaded();

  static const QString kCaption;       // "Delete Track or Disc"
  static const QString kBlinkCaption;  // "Delete Track or Disk"

  void Delete_Disc();
  void Delete_Track();
  // True once a deletion of this showing has taken a record out of the database.
  bool changedDatabase() const { return changed_; }
  // Asked once the deletion is confirmed and would take a record out, before anything is
  // written: false leaves the database as it was. A list saved then is the list without what the
  // deletion takes out, and stays unsaved unless the deletion is written.
  windows::ListSaveOffer beforeWrite;
  // Fills the code box from a list: a disc-list item's code (the disc's whole code, which may be
  // longer than the box; never the user's number after it) or the 11 characters of the code a
  // song-list line shows, with the code of the line's own record when it has one. While the box
  // still shows it, the deletion acts on that record's disc, or on the one disc the handed code
  // stands for.
  void handOver(const QString& code, const std::optional<QString>& stored = std::nullopt);
  // The hand-over of a song-list line: its code as above and its track into the track box. While
  // both boxes show them, the track is deleted only while it holds the song and artist the line
  // shows (catalogue::DiscMatch::holdsLine).
  void handOverLine(const catalogue::ListLine& line);

  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  void Option1_Click();
  void Option2_Click();
  void Text1_Change();
  void Text2_Change();
  void Text1_GotFocus();
  void Text2_GotFocus();
  void Text1_KeyPress(int& keyAscii);
  void Command1_Click();
  void Command2_Click();
  void Timer1_Timer();

  platform::OptionGroup modes;
  platform::Label Label6{this, client(), "Label6", "Use this window to permantley Delete discs or tracks"};
  platform::Label Label2{this, client(), "Label2",
                         "Warning.......This operation will permently delete data from the master database"};
  platform::OptionButton Option1{this, client(), "Option1", "Disc", &modes};
  platform::OptionButton Option2{this, client(), "Option2", "Track", &modes};
  platform::OptionButton Option3{this, client(), "Option3", "dummy", &modes};
  platform::Label Label1{this, client(), "Label1", "Disc MF Code"};
  platform::TextBox Text1{this, client(), "Text1", ""};
  platform::Label Label3{this, client(), "Label3", "Track number"};
  platform::TextBox Text2{this, client(), "Text2", ""};
  platform::CommandButton Command1{this, client(), "Command1", "&Delete"};
  platform::CommandButton Command2{this, client(), "Command2", "&Cancel"};
  platform::Timer Timer1{250};

 private:
  // Option1 (false) or Option2 (true): the track box usable or greyed, both boxes emptied.
  void chooseMode(bool track);
  // Tells the user why the database was left as it was.
  void report(const QString& text, const QString& title);
  // The code of the disc to delete from: the typed one, or the stored code of the one disc the
  // handed code stands for. Nothing, the user told, when it stands for several, or when the track
  // of a handed line no longer holds the line.
  std::optional<QString> chosenDisc(const QString& track, const QString& title);
  // The files as a deletion leaves them (the disc file only when it changes), or why it takes
  // nothing out; and the track file as it read it.
  struct Deletion {
    Deletion(const QString& refused) : refusal(refused) {}
    Deletion(const QByteArray& oldTracks, const QByteArray& newTracks, const std::optional<QByteArray>& newDiscs)
        : tracksBefore(oldTracks), tracks(newTracks), discs(newDiscs) {}
    QString refusal;
    QByteArray tracksBefore, tracks;
    std::optional<QByteArray> discs;
  };
  // Works the deletion of the disc's tracks (the one track, or all when `track` is empty) out,
  // offers the list for saving and writes it (see beforeWrite); `done` says what it did.
  void deleteAsPlanned(const std::function<Deletion(const maintenance::ChangeScope&)>& planned, const QString& title,
                       const QString& key, const QString& track, const QString& done);
  // The line handed over, while both boxes still show it.
  std::optional<catalogue::ListLine> shownLine() const;

  bool changed_ = false;
  QString handedCode_, handedBox_, handedTrackBox_;
  std::optional<QString> handedStored_;
  std::optional<catalogue::ListLine> handedLine_;
};
