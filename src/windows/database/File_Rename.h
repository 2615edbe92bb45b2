// The "Rename Files" window: renames the audio files of one folder after the track list of one
// disc, each file after the track it is (see maintenance::planRenames), in one of eight name formats. The main window
// fills the track list before showing it; the window never reads the database.
#pragma once

#include "maintenance/rename_plan.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "windows/database/update.h"

#include <optional>
#include <vector>

class File_Rename : public platform::FormBase {
 public:
  File_Rename();
  // The window, loaded (hidden) when none is; release() drops it, so that each opening starts
  // from a fresh window.
  static File_Rename& instance();
  static bool isInstanceLoaded();
  static void release();

  static const QString kRenamed;     // "Files have been renamed", after a rename of no file
  static const QString kAutoRename;  // "Auto Rename CDG and MP3", which a refusal points to

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void Option6_Click();
  void Option7_Click();
  void Option8_Click();
  void Combo1_Change();
  void Combo1_Click();
  void Drive1_Change();
  void Dir1_Change();
  void cmdBrowse_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  // The chosen format, 1 to 8.
  int selectedOption() const;

  // The codes of every disc the database holds, without trailing blanks, handed over with the
  // track list: a file that bears another of them is that disc's.
  QStringList heldDiscs;
  // Which names' words are the songs of other discs the database holds, and those discs' tracks of
  // them, looked up by the main window when a titled name may be another disc's.
  maintenance::OtherDiscsSongs otherDiscsSongs;

  platform::Label Label6{this, client(), "Label6", "Use this window to rename files to match disc listings"};
  platform::Label Label5{this, client(), "Label5", "Place the files to be renamed in there own folder"};
  platform::Label Label1{this, client(), "Label1", "Disc Listing for"};
  platform::ListBox List3{
      this, client(), "List3", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::None, true};
  platform::Label Label2{this, client(), "Label2", "Select location and type of files to be renamed"};
  windows::DriveListBox Drive1{this, client(), "Drive1"};
  platform::CommandButton cmdBrowse{this, client(), "cmdBrowse", "Browse..."};
  windows::DirListBox Dir1{this, client(), "Dir1"};
  windows::FileListBox File1{this, client(), "File1", "*"};
  platform::ComboBox Combo1{this, client(), "Combo1", platform::ComboBox::Style::DropdownCombo, false, "*"};
  platform::Label Label3{this, client(), "Label3", "Select file name format"};
  platform::Label Label7{this, client(), "Label7", "Select an option for file name format"};
  platform::OptionGroup formats;
  platform::OptionButton Option1{this, client(), "Option1", "Disc-Track - Artist - Song", &formats};
  platform::OptionButton Option2{this, client(), "Option2", "Disc-Track - Song - Artist", &formats};
  platform::OptionButton Option3{this, client(), "Option3", "Artist - Song", &formats};
  platform::OptionButton Option4{this, client(), "Option4", "Song - Artist", &formats};
  platform::OptionButton Option5{this, client(), "Option5", "Artist - Song - Disc-Track", &formats};
  platform::OptionButton Option6{this, client(), "Option6", "Song - Artist - Disc-Track", &formats};
  platform::OptionButton Option7{this, client(), "Option7", "Disc-Track", &formats};
  platform::OptionButton Option8{this, client(), "Option8", "Disc-Track - Song", &formats};
  platform::Label Label4{this, client(), "Label4", ""};
  platform::CommandButton Command1{this, client(), "Command1", "Rename Files"};
  platform::CommandButton Command3{this, client(), "Command3", kAutoRename};
  platform::CommandButton Command2{this, client(), "Command2", "Cancel"};

 private:
  // What the messages of one pass of renames say of its files and of the passes around it.
  struct Pass {
    QString files;        // "files", "mp3 files"
    QString nothingDone;  // after a refusal: which files have been renamed
    QString alsoDone;     // after a stop part-way: what the other pass has done
  };
  void showSample(int option);
  // The count check and the pairing of the listed files with the tracks: the renames, or
  // nothing when either refuses (its message shown).
  std::optional<std::vector<maintenance::RenameStep>> planListed(const Pass& pass);
  // The check of every new name before any file moves; false (its message shown) when refused.
  bool checkNames(const std::vector<maintenance::RenameStep>& steps, const Pass& pass);
  // The renames in order; at the first the system refuses, a stop with its reason and the
  // number of files that have their new names.
  bool runRenames(const std::vector<maintenance::RenameStep>& steps, const Pass& pass);
  void refuse(const maintenance::RenameProblem& problem, const Pass& pass);
  // The count check, the pairing, the check of the new names, the renames of the listed files
  // and the closing message, which counts the `earlier` pass's files too; true when every file
  // has its new name.
  bool renameListed(const Pass& pass, const std::vector<maintenance::RenameStep>& earlier = {});
  // Locks the window while a rename runs (its message boxes still answer).
  void setRunning(bool on);
  bool running_ = false;
};
