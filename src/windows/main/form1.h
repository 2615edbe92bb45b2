// The main window: the disc list, the song list, the option boxes, the buttons, the menus and
// the popup menus. There is one for the whole run; the other windows reach it through
// Form1::instance().
#pragma once

#include "catalogue/disc_reference.h"
#include "catalogue/line_record.h"
#include "catalogue/song_line.h"
#include "catalogue/song_list_file.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "windows/database/save_offer.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace catalogue {
struct ScannedLines;
}
namespace platform {
struct WriteResult;
}

class Form1 : public platform::FormBase {
  // Set once the window has been fitted inside its frame. Declared before the controls: the
  // window's event filter already runs while they are made, and reads it.
  bool fittedInFrame_ = false;

 public:
  Form1();
  ~Form1() override;
  static Form1* instance();

  // Texts of the window.
  static const QString kProductTitle;         // "Mellowdex Pro Zendra Edition 2.3"
  static const QString kMessageTitle;         // "Mellowdex"
  static const QString kHeaderPrompt;         // "SONG LIST HEADER HERE"
  static const QString kSearchPrompt;         // "TYPE SEARCH TEXT HERE " (trailing blank)
  static const QString kCataloguePrompt;      // "CLICK THIS DROP DOWN LIST TO FIND DISC CODES"
  static const QString kWebAddress;           // the maker's web page
  static const QString kMfCodeOffText;        // "Show MF Code must be selected to edit or delete a track"
  static const QString kViewDiscTitle;        // "View Disc"
  static const QString kViewNeedsCodesText;   // "(Show MF Code) must be selected to view a disc"
  static const QString kCreateListFirstText;  // "Please create a list first"
  static QString tracksText(int count);       // "Tracks = " and the count of the song list
  // The song-list header holds as much as the print window's header box.
  static constexpr int kHeaderMaxLength = 60;

  // Guard flags: the program is ticking discs itself / restoring a saved song-list file.
  bool Ticking_In_Code = false;
  bool Opening_File = false;
  // Set when the screen check ended the program during loading.
  bool endedAtLoad() const { return ended_; }

  // ---- form1.cpp
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  void Check_Screen_Size();
  // Shows another window modally, then runs the activation work as the main window regains
  // the focus.
  void showModal(platform::FormBase& form);
  void cmdUntag_Click();
  void cmdUpdate_Click();
  void Text1_GotFocus();
  // Places `cmdClose` at the top right of the disc listing view.
  void placeCloseButton();
  void mnuNormal_Click();

  // ---- About.cpp
  void mnuAbout_Click();

  // ---- form1_catalogue_dropdown.cpp
  void Disc_Description();
  void Combo1_Click();
  void Combo1_LostFocus();
  void wireCatalogueHandlers();

  // ---- form1_clipboard_export.cpp
  void mnuExport_Click();
  void mnuUpdate_File_Click();
  void Copy_List();

  // ---- form1_colours.cpp
  void Read_ini();
  void Write_ini();

  // ---- form1_covers.cpp
  void mnuSong_Slips_Click();
  void mnuCD_Cover_List2_Click();
  void mnuCD_Label_List2_Click();
  void mnuPrint_CD_Case_Click();
  void mnuPrint_CD_Label_Click();
  void Print_CD_Selection_Sheet();

  // ---- form1_disc_list.cpp
  void Get_Discs();
  void List1_ItemCheck(int index);
  void List1_Click();
  void List1_KeyDown(int& keyCode, int shift);
  void List1_MouseDown(int button, int shift, double x, double y);
  void Check2_Click();
  void Check2_GotFocus();
  // The delete dialog filled with the highlighted disc, ready for the delete command.
  void prefillDeleteDisc();
  // A disc-list row (the highlighted one for -1) with the length of its disc's code; an empty
  // item for none.
  catalogue::DiscItem discItem(int row = -1) const;
  // The items of the ticked discs, in list order.
  std::vector<catalogue::DiscItem> tickedDiscItems() const;

  // ---- form1_disc_listing.cpp
  void mnuQuick_View_Disc_Click();
  void List2_DblClick();
  // The disc the current song-list line stands for (catalogue::discOfLine): its code as the track
  // file holds it, or empty when no disc fits. Nothing when several fit or the track file cannot
  // be read; the user has been told so, under the title.
  std::optional<QString> discOfCurrentLine(const QString& title);

  // ---- form1_duplicates_capitals.cpp
  void Remove_Dupes();
  void Upper_Case();
  void Lower_Case();

  // ---- form1_maintenance.cpp
  void cmdCreate_Update_Click();
  void mnuTracks_Click();
  void mnuedittrack_Click();
  void mnuDelete_Click();
  void mnug_Click();
  void mnu_Change_Disc_Code_Click();

  // ---- form1_menus.cpp
  void cmdAdd_Click();
  void cmdExport_Click();
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuMerge_Click();
  void mnuPrint_Click();
  void mnuCD_Selection_Click();
  void mnuPrintHighCase_Click();
  void mnuPrintHighLabel_Click();
  void mnuExit_Click();
  void mnuUntick_Click();
  void mnuTag_Click();
  void mnuChange_Disc_Code_Click();
  void mnuCopy_Click();
  void mnuClear_Search_History_Click();
  void mnuContents_Click();
  void mnuWhich_Disc_Click();
  void mnu_tavrel_Click();
  void mnu_Copy_List3_Click();
  void mnu_Copy_List2_Click();
  void mnu_Copy_List_Click();
  void mnue_Click();
  void mnuB_Click();
  void mnul2Fcolor_Click();
  void mnuL2Bcolor_Click();
  // Types a disc code into the disc list so that it is highlighted again.
  void reselectDisc();
  // Offers to save the ticked selection before it is cleared (asks only while discs are ticked).
  // False when the user said Yes but the list was not saved: what was to follow must not run.
  bool offerToSave(const QString& lineBreak, const QString& title);
  // The offer to save the ticked list, titled as the window that asks it: a database window asks
  // it once its change is certain and before it writes, and stops when it gives false (the user
  // wanted the list saved and it was not). After the change the main window clears itself to
  // show the database as it now is; a window that changed nothing leaves the ticks, the song
  // list and the header as they were.
  windows::SaveOffer saveOfferBeforeChange(const QString& title);
  // The same offer before a change the list can follow (a new code, a deletion): the list saved is
  // the list as the change leaves it, written together with it (see windows::ListSaveOffer).
  windows::ListSaveOffer saveOfferWithChange(const QString& title);

  // ---- form1_print.cpp
  void cmdPrint_Click();

  // ---- form1_searches.cpp
  void Input_Search_Data();
  void cmdSearch_Click();
  void mnuSong_Click();
  void mnuArtist_Click();
  void Search_All();
  void Search_Artist();
  void Search_Disc();
  void Search_Song();
  // The search of the current list: the matching lines of the song list shown in List3.
  void searchCurrentList();
  // The menu entries that act on the song list shown (export, update file, full size, hide
  // vocal tracks) on or off.
  void setListCommands(bool on);
  void Append_Search_Data_File();
  void cmbSearch_Click();
  void cmbSearch_text_Change();
  void cmbSearch_text_Click();
  void cmbSearch_text_KeyPress(int& keyAscii);
  void cmbSearch_text_GotFocus();
  void wireSearchHandlers();

  // ---- form1_song_list.cpp
  void cmdGet_Tracks_Click();
  void Get_Tracks();
  void Click_All();
  void Get_All();
  // The layout of the lines: the first selected of Option1, Option2, Option3, Option5.
  std::optional<catalogue::Sort> currentSort() const;
  // The record the song-list line at the row was made from; nothing for a line read from a
  // saved list.
  std::optional<catalogue::LineRecord> lineRecord(int row) const;
  // The records of every song-list line, in the list's order.
  std::vector<std::optional<catalogue::LineRecord>> lineRecords() const;
  // Adds the lines a pass over the track file made to the (emptied) song list, each with the
  // number of the record it came from.
  void addScannedLines(catalogue::ScannedLines& made);

  // ---- form1_song_list_file.cpp
  void cmdOpen_Click();
  // True once the file is written; false when the save was cancelled or failed.
  bool cmdSave_Click();
  // What Save writes: the header, the options, the ticked discs and the song list as they stand.
  catalogue::SongListFile shownSongList() const;
  // Asks for a name and writes the list under it: again after a failed write. False when the list
  // cannot be stored or the user cancelled.
  using ListWrite = std::function<platform::WriteResult(const QString& name, const QByteArray& bytes)>;
  bool saveSongList(const catalogue::SongListFile& file, const ListWrite& write);
  void Command_Open(const QString& File_to_Open);
  void openSongList(const QString& path);
  void Text1_KeyPress(int& keyAscii);

  // ---- form1_song_list_options.cpp
  void cmdClose_Click();
  void Check1_Click();
  void Check1_GotFocus();
  void Check3_Click();
  void Check3_GotFocus();
  void Check5_Click();
  void Check7_Click();

  // ---- form1_song_list_popup.cpp
  void mnu51_Click();
  void mnu52_Click();
  void List2_Click();
  void List2_MouseDown(int button, int shift, double x, double y);
  void wireSongListHandlers();
  // The delete and edit windows filled with the current song-list line, as a click on it fills them.
  void prefillFromCurrentLine();
  // The window a command opens filled again, as a window closed since starts empty: the edit
  // window from the current song-list line, the delete window from what was last handed to it.
  void handOverAgain(bool editOnly);
  // After the Edit window rewrote the track of the line handed to it (`before` the record that
  // held the line, `after` the one written, each as its four fields): that line, while it is still
  // the current one, shows the new song and artist in the list's capitals, an open disc listing
  // shows the new record too, and the delete and edit windows are handed the line again.
  // `tracksBefore`, the track file as it stood, tells the copies Hide Duplicates hid behind the
  // line where the list holds no memory of them.
  void followEditedLine(const catalogue::ListLine& handed, const QStringList& before, const QStringList& after,
                        const QByteArray& tracksBefore = {});
  // Shows again the first copy that Hide Duplicates hid behind a line as it stood (in the current
  // layout), given in the list's capitals; the other copies stay hidden behind it.
  void showCopyHiddenBehind(const QString& line, catalogue::Sort sort,
                            const std::function<QString(const QString&)>& inListCase);
  // A line the program makes, in the list's capitals as `like`, a line of the list, shows them.
  QString inListCase(const QString& made, const QString& like, catalogue::Sort sort) const;
  // The copies Hide Duplicates took out of the list, in the layout of `sort`.
  catalogue::HiddenCopies hiddenCopiesIn(catalogue::Sort sort) const;
  // With Hide Duplicates on, the copies it took out of the list as the list would show them,
  // recalled from the track file where the list holds no memory of them.
  catalogue::HiddenCopies copiesHiddenNow(const QByteArray& tracks);
  // The copies Hide Duplicates hides, found among the ticked discs' records as Create List finds
  // them, for a list that holds no memory of its own (one read from a file).
  void recallHiddenCopies(const QByteArray& tracks);

  // ---- form1_sort_tabs.cpp
  void TabStrip1_Click();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option5_Click();
  void Update_Sort_List();

  // ---- form1_update.cpp
  void mnuUpdate_Click();
  void mnuBackup_Click();
  void mnuRestore_Click();
  void mnuRename_Files_Click();
  void Quick_View_Rename();

  // ---- form1_view_options.cpp
  void mnuFull_Screen_Click();
  void mnuHide_Vocal_Tracks_Click();
  void mnuCapitals3_Click();
  void mnuHide_Vocal_Click();
  void mnuhide_vocal2_Click();
  void mnuCapitals1_Click();
  void mnuCapitals2_Click();
  void mnuL2ForeColor_Click();
  void mnuL2BackColor_Click();
  void mnuL1ForeColor_Click();
  void mnuL1BackColor_Click();
  // ---- controls (created in this order: labels drawn under others come first)
  platform::Label Label9{this, client(), "Label9",
                         " Tick your karaoke disc codes above, then click the CREATE LIST button "};
  platform::Label Label17{this, client(), "Label17",
                          "Tick your karaoke disc codes above, then click the CREATE LIST button"};
  platform::Label Label11{this, client(), "Label11", kWebAddress};
  platform::Label Label18{this, client(), "Label18", kWebAddress};

  platform::CommandButton cmdOpen{this, client(), "cmdOpen", "Open"};
  platform::CommandButton cmdSave{this, client(), "cmdSave", "Save"};
  platform::CommandButton cmdPrint{this, client(), "cmdPrint", "Print"};
  platform::CommandButton cmdExport{this, client(), "cmdExport", "&Export"};
  platform::CommandButton cmdUpdate{this, client(), "cmdUpdate", "&Update"};
  platform::CommandButton cmdCreate_Update{this, client(), "cmdCreate_Update", "Make Update"};
  platform::CommandButton cmdAdd{this, client(), "cmdAdd", "&Add"};
  platform::CommandButton cmdUntag{this, client(), "cmdUntag", "Clear"};
  platform::CommandButton cmdGet_Tracks{this, client(), "cmdGet_Tracks", "Create List"};
  platform::CommandButton cmdSearch{this, client(), "cmdSearch", "Search"};

  platform::CheckBox Check2{this, client(), "Check2", "Use my Disc Codes"};
  platform::CheckBox Check1{this, client(), "Check1", "Show Manufacturer Codes"};
  platform::CheckBox chkOpen{this, client(), "chkOpen", "Create list after open"};
  platform::CheckBox Check3{this, client(), "Check3", "Hide Duplicates"};
  platform::CheckBox Check5{this, client(), "Check5", "All Capitals"};
  platform::CheckBox Check6{this, client(), "Check6", "Hide Vocal Tracks"};
  platform::CheckBox Check7{this, client(), "Check7", "Lines"};
  platform::CheckBox Check4{this, client(), "Check4", "Advanced search"};

  platform::ComboBox cmbSearch{this, client(), "cmbSearch", platform::ComboBox::Style::DropdownList, false};
  platform::ComboBox cmbSearch_text{
      this, client(), "cmbSearch_text", platform::ComboBox::Style::DropdownCombo, false, "TYPE SEARCH TEXT HERE"};
  platform::ComboBox Combo1{this,  client(),        "Combo1", platform::ComboBox::Style::DropdownCombo,
                            false, kCataloguePrompt};

  platform::ListBox List1{
      this, client(), "List1", platform::ListBox::Style::CheckBox, platform::ListBox::MultiSelect::None, true};
  platform::TabStrip TabStrip1{
      this,
      client(),
      "TabStrip1",
      {"Sort by Song Title", "Sort by Artist Name", "Sort by Track Number", "Sort by Manufacturer Code"}};
  platform::ListBox List2{
      this, client(), "List2", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::Extended, true};
  platform::Label Label2{this, client(), "Label2", "", false};
  platform::ListBox List3{
      this, client(), "List3", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::None, true};
  platform::ListBox Temp_List{
      this, client(), "Temp_List", platform::ListBox::Style::Standard, platform::ListBox::MultiSelect::None, true};
  platform::CommandButton cmdClose{this, client(), "cmdClose", "close this list"};

  platform::OptionGroup sortOptions;
  platform::OptionButton Option2{this, client(), "Option2", "Sort by Song", &sortOptions};
  platform::OptionButton Option1{this, client(), "Option1", "Sort by Artist", &sortOptions};
  platform::OptionButton Option3{this, client(), "Option3", "Sort by Track", &sortOptions};
  platform::OptionButton Option5{this, client(), "Option5", "Sort by MF Code", &sortOptions};
  platform::OptionButton Option4{this, client(), "Option4", "dummy", &sortOptions};

  platform::Label Label1{this, client(), "Label1", "Discs   = 0"};
  platform::Label Label6{this, client(), "Label6", tracksText(0)};
  platform::Label Label4{this, client(), "Label4", ""};
  platform::Label Label5{this, client(), "Label5", ""};
  platform::Label Label10{this, client(), "Label10", "Song list header"};
  platform::TextBox Text1{this, client(), "Text1", kHeaderPrompt};
  platform::PictureBox Picture1{this, client(), "Picture1"};

  platform::Frame Frame1{this, client(), "Frame1", ""};
  platform::Label Label8{this, Frame1.inner(), "Label8", "Please wait whilst your list is proccessed."};
  platform::ProgressBar ProgressBar1{this, Frame1.inner(), "ProgressBar1"};
  platform::Label Label12{this, Frame1.inner(), "Label12", "0%"};
  platform::Label Label13{this, Frame1.inner(), "Label13", "25%"};
  platform::Label Label14{this, Frame1.inner(), "Label14", "50%"};
  platform::Label Label15{this, Frame1.inner(), "Label15", "75%"};
  platform::Label Label16{this, Frame1.inner(), "Label16", "100%"};
  platform::PictureBox Image2{this, Frame1.inner(), "Image2"};
  platform::PictureBox Image3{this, Frame1.inner(), "Image3"};

  platform::Frame Frame3{this, client(), "Frame3", ""};
  platform::Label Label19{this, Frame3.inner(), "Label19", "Sending to Printer"};

  platform::Timer Timer1{1000};

  // ---- menus
  platform::MenuItem mnuFile{"mnuFile", "&File"};
  platform::MenuItem mnuOpen{"mnuOpen", "Open"};
  platform::MenuItem mnuSave{"mnuSave", "Save"};
  platform::MenuItem mnuExport{"mnuExport", "Export Song List"};
  platform::MenuItem mnuUpdate_File{"mnuUpdate_File", "Create update file from Song List"};
  platform::MenuItem mnuMerge{"mnuMerge", "Merge Saved Files"};
  platform::MenuItem mnu4{"mnu4", "-"};
  platform::MenuItem mnuPrint{"mnuPrint", "Print Song List"};
  platform::MenuItem mnuCD_Selection{"mnuCD_Selection", "Print Cd Selection Sheet"};
  platform::MenuItem mnuSong_Slips{"mnuSong_Slips", "Print Song Slips"};
  platform::MenuItem mnuPrintHighCase{"mnuPrintHighCase", "Print Highlited Disc Case"};
  platform::MenuItem mnuPrintHighLabel{"mnuPrintHighLabel", "Print Highlited Disc Label"};
  platform::MenuItem MNU3{"MNU3", "-"};
  platform::MenuItem mnuUpdate{"mnuUpdate", "Update Database"};
  platform::MenuItem mnu2{"mnu2", "-"};
  platform::MenuItem mnuBackup{"mnuBackup", "Backup database data files"};
  platform::MenuItem mnuRestore{"mnuRestore", "Restore database data files"};
  platform::MenuItem mnu1{"mnu1", "-"};
  platform::MenuItem mnuExit{"mnuExit", "Exit"};

  platform::MenuItem mnuedit{"mnuedit", "&Edit"};
  platform::MenuItem mnuUntick{"mnuUntick", "Clear"};
  platform::MenuItem mnuTag{"mnuTag", "Tick All"};
  platform::MenuItem mnu6{"mnu6", "-"};
  platform::MenuItem mnuTracks{"mnuTracks", "Add Disc or Tracks"};
  platform::MenuItem mnuChange_Disc_Code{"mnuChange_Disc_Code", "Change Highlited Disc Code"};
  platform::MenuItem mnuedittrack{"mnuedittrack", "Edit highlited track"};
  platform::MenuItem mnuDelete{"mnuDelete", "Delete highlited Disc or Track from master database"};
  platform::MenuItem mnuCopy{"mnuCopy", "Copy List To Clipboard"};
  platform::MenuItem mnu50{"mnu50", "-"};
  platform::MenuItem mnuClear_Search_History{"mnuClear_Search_History", "Clear Search History"};

  platform::MenuItem mnuTools{"mnuTools", "&Search"};
  platform::MenuItem mnuSong{"mnuSong", "Search Song"};
  platform::MenuItem mnuArtist{"mnuArtist", "Search Artist"};
  platform::MenuItem mnuDisc{"mnuDisc", "Search Disc"};

  platform::MenuItem mnu_view{"mnu_view", "View"};
  platform::MenuItem mnuNormal{"mnuNormal", "Normal"};
  platform::MenuItem mnuFull_Screen{"mnuFull_Screen", "Full Size Song List"};
  platform::MenuItem mnuHide_Vocal_Tracks{"mnuHide_Vocal_Tracks", "Hide Vocal Tracks"};
  platform::MenuItem mnuCapitals3{"mnuCapitals3", "All Capitals"};

  platform::MenuItem mnuHelp{"mnuHelp", "&Help"};
  platform::MenuItem mnuContents{"mnuContents", "Contents"};
  platform::MenuItem mnuWhich_Disc{"mnuWhich_Disc", "Identify a disc"};
  platform::MenuItem mnu_tavrel{"mnu_tavrel", "Web Site"};
  platform::MenuItem MNU30{"MNU30", "-"};
  platform::MenuItem mnuAbout{"mnuAbout", "About"};

  platform::MenuItem mnuD{"mnuD", "D"};
  platform::MenuItem mnu51{"mnu51", "Hide highlited tracks"};
  platform::MenuItem mnuHide_Vocal{"mnuHide_Vocal", "Hide VOCAL tracks"};
  platform::MenuItem mnuCapitals1{"mnuCapitals1", "Capitals"};
  platform::MenuItem mnu_Copy_List3{"mnu_Copy_List3", "Copy List"};
  platform::MenuItem mnu78{"mnu78", "-"};
  platform::MenuItem mnue{"mnue", "Delete highlited track from database"};
  platform::MenuItem mnug{"mnug", "Edit highlited track"};
  platform::MenuItem mnu40{"mnu40", "-"};
  platform::MenuItem mnul2Fcolor{"mnul2Fcolor", "Text Color"};
  platform::MenuItem mnuL2Bcolor{"mnuL2Bcolor", "Back Color"};
  platform::MenuItem mnu41{"mnu41", "-"};
  platform::MenuItem mnuCD_Cover_List2{"mnuCD_Cover_List2", "Print highlited track CD case"};
  platform::MenuItem mnuCD_Label_List2{"mnuCD_Label_List2", "Print highlited track CD label"};
  platform::MenuItem mnu107{"mnu107", "-"};
  platform::MenuItem mnuF{"mnuF", "Cancel"};

  platform::MenuItem mnua{"mnua", "A"};
  platform::MenuItem mnuQuick_View_Disc{"mnuQuick_View_Disc", ""};
  platform::MenuItem mnu_Change_Disc_Code{"mnu_Change_Disc_Code", "Change Disc Code"};
  platform::MenuItem mnuB{"mnuB", "Delete highlited disk from database"};
  platform::MenuItem mnu_Copy_List{"mnu_Copy_List", "Copy List"};
  platform::MenuItem mnu420{"mnu420", "-"};
  platform::MenuItem mnuRename_Files{"mnuRename_Files", "Rename Files"};
  platform::MenuItem mnu42{"mnu42", "-"};
  platform::MenuItem mnuL1ForeColor{"mnuL1ForeColor", "Text Color"};
  platform::MenuItem mnuL1BackColor{"mnuL1BackColor", "Back Color"};
  platform::MenuItem mnu43{"mnu43", "-"};
  platform::MenuItem mnuPrint_CD_Case{"mnuPrint_CD_Case", "Print CD Case"};
  platform::MenuItem mnuPrint_CD_Label{"mnuPrint_CD_Label", "Print CD Label"};
  platform::MenuItem mnu66{"mnu66", "-"};
  platform::MenuItem mnuC{"mnuC", "Cancel"};

  platform::MenuItem mnuz{"mnuz", "z"};
  platform::MenuItem mnuMF_Code{"mnuMF_Code", kMfCodeOffText};
  platform::MenuItem mnu52{"mnu52", "Hide highlited tracks"};
  platform::MenuItem mnuhide_vocal2{"mnuhide_vocal2", "Hide VOCAL Tracks"};
  platform::MenuItem mnuCapitals2{"mnuCapitals2", "Capitals"};
  platform::MenuItem mnu_Copy_List2{"mnu_Copy_List2", "Copy List"};
  platform::MenuItem mnu47{"mnu47", "-"};
  platform::MenuItem mnuL2ForeColor{"mnuL2ForeColor", "Text Color"};
  platform::MenuItem mnuL2BackColor{"mnuL2BackColor", "Back Color"};
  platform::MenuItem mnu44{"mnu44", "-"};
  platform::MenuItem mnuy{"mnuy", "Cancel"};

  // The top-level menus in bar order (the last three are the popups).
  std::vector<platform::MenuItem*> topMenus() const;

 private:
  void buildControls();
  void buildMenus();
  void wireHandlers();
  void placeFrames();
  void fitToScreen();
  std::array<platform::CheckBox*, 6> optionRow();
  // Gives the option boxes their captions at a font; returns the row's width in pixels.
  double fitOptionCaptions(const QFont& font);
  void setLayoutMinimumSize();
  double catalogueFieldWidth();
  // The window manager adds its frame once the window is shown: the window is fitted again then.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keepInside(platform::Control& c);
  void relayout(catalogue::Sort target);
  platform::OptionButton& optionFor(catalogue::Sort sort);
  // Copies Temp_List back into the song list and shows the new count.
  void restoreFromTempList();
  // Puts the song list's lines at these rows, in their order and each with its record, into a
  // list: into the song list itself after emptying it, or into another.
  void keepSongLines(const std::vector<int>& rows, platform::ListBox& into);
  void reportUnreadable(const QString& path, bool& reported);
  void tellUnreadable(const QStringList& paths);

  bool ended_ = false;
  bool discFileReported_ = false;
  bool trackFileReported_ = false;
  // Until the window is first drawn, unreadable database files wait here to be told together.
  bool drawn_ = false;
  QStringList unreadableAtStart_;
  QString journalAtStart_;              // what the start found of a journal it could not obey or finish
  catalogue::LineRecords lineRecords_;  // the records of the song list's lines
  // A list saved at the offer before a change, to be written with it.
  struct ReadyList {
    QString name;
    catalogue::SongListFile file;
    QByteArray bytes;
  };
  std::optional<ReadyList> readyList_;
  // The question before the selection is cleared: true for Yes.
  bool wantsListSaved(const QString& lineBreak, const QString& title);
  bool makeListReady(const QString& title, const windows::ListSaveOffer::Change& change);
  bool finishListWithChange(const std::optional<QString>& done, const platform::WriteResult& placed);
  // The lines Hide Duplicates took out of the song list, each with its record's number and the
  // line it stays hidden behind, both as they stood then (in the layout of `sort`): an edit that
  // gives that line another song or artist shows one of them again. A new list forgets them.
  struct HiddenCopy {
    QString line;
    qint64 number = 0;
    QString behind;
    catalogue::Sort sort;
  };
  std::vector<HiddenCopy> hiddenCopies_;
  bool hiddenCopiesKnown_ = true;  // false while the list holds lines read from a file
  // A capitals pass or an edit gave the lines other capitals than their records hold since they
  // were made: Hide Duplicates then compares them as the records hold them.
  bool listRecased_ = false;
  // What the delete window was last filled from: a disc of the disc list or a song-list line.
  enum class HandedFrom { Nothing, Disc, Line } handedFrom_ = HandedFrom::Nothing;
};
