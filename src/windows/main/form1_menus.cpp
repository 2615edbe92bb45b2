// The main window's menu bar and popup menus: the tree, the initial states, and the handlers
// that only forward to a command.
#include "windows/main/form1.h"

#include "catalogue/search_history.h"
#include "common/text_helpers.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/frmMerge.h"

#include <QKeySequence>
#include <QMenuBar>

namespace {

struct Entry {
  platform::MenuItem Form1::*item;
  void (Form1::*handler)();
};

}  // namespace

std::vector<platform::MenuItem*> Form1::topMenus() const {
  auto* self = const_cast<Form1*>(this);
  return {&self->mnuFile, &self->mnuedit, &self->mnuTools, &self->mnu_view,
          &self->mnuHelp, &self->mnuD,    &self->mnua,     &self->mnuz};
}

void Form1::buildMenus() {
  using M = platform::MenuItem Form1::*;
  const std::vector<std::pair<M, std::vector<M>>> tree = {
      {&Form1::mnuFile,
       {&Form1::mnuOpen, &Form1::mnuSave, &Form1::mnuExport, &Form1::mnuUpdate_File, &Form1::mnuMerge, &Form1::mnu4,
        &Form1::mnuPrint, &Form1::mnuCD_Selection, &Form1::mnuSong_Slips, &Form1::mnuPrintHighCase,
        &Form1::mnuPrintHighLabel, &Form1::MNU3, &Form1::mnuUpdate, &Form1::mnu2, &Form1::mnuBackup, &Form1::mnuRestore,
        &Form1::mnu1, &Form1::mnuExit}},
      {&Form1::mnuedit,
       {&Form1::mnuUntick, &Form1::mnuTag, &Form1::mnu6, &Form1::mnuTracks, &Form1::mnuChange_Disc_Code,
        &Form1::mnuedittrack, &Form1::mnuDelete, &Form1::mnuCopy, &Form1::mnu50, &Form1::mnuClear_Search_History}},
      {&Form1::mnuTools, {&Form1::mnuSong, &Form1::mnuArtist, &Form1::mnuDisc}},
      {&Form1::mnu_view,
       {&Form1::mnuNormal, &Form1::mnuFull_Screen, &Form1::mnuHide_Vocal_Tracks, &Form1::mnuCapitals3}},
      {&Form1::mnuHelp,
       {&Form1::mnuContents, &Form1::mnuWhich_Disc, &Form1::mnu_tavrel, &Form1::MNU30, &Form1::mnuAbout}},
      {&Form1::mnuD,
       {&Form1::mnu51, &Form1::mnuHide_Vocal, &Form1::mnuCapitals1, &Form1::mnu_Copy_List3, &Form1::mnu78, &Form1::mnue,
        &Form1::mnug, &Form1::mnu40, &Form1::mnul2Fcolor, &Form1::mnuL2Bcolor, &Form1::mnu41, &Form1::mnuCD_Cover_List2,
        &Form1::mnuCD_Label_List2, &Form1::mnu107, &Form1::mnuF}},
      {&Form1::mnua,
       {&Form1::mnuQuick_View_Disc, &Form1::mnu_Change_Disc_Code, &Form1::mnuB, &Form1::mnu_Copy_List, &Form1::mnu420,
        &Form1::mnuRename_Files, &Form1::mnu42, &Form1::mnuL1ForeColor, &Form1::mnuL1BackColor, &Form1::mnu43,
        &Form1::mnuPrint_CD_Case, &Form1::mnuPrint_CD_Label, &Form1::mnu66, &Form1::mnuC}},
      {&Form1::mnuz,
       {&Form1::mnuMF_Code, &Form1::mnu52, &Form1::mnuhide_vocal2, &Form1::mnuCapitals2, &Form1::mnu_Copy_List2,
        &Form1::mnu47, &Form1::mnuL2ForeColor, &Form1::mnuL2BackColor, &Form1::mnu44, &Form1::mnuy}},
  };

  // Initial states: set before the entries are attached so the Qt actions start with them.
  for (M m : {&Form1::mnuSave, &Form1::mnuExport, &Form1::mnuUpdate_File, &Form1::mnuPrint, &Form1::mnuSong,
              &Form1::mnuArtist, &Form1::mnuDisc, &Form1::mnuFull_Screen, &Form1::mnuHide_Vocal_Tracks})
    (this->*m).setEnabled(false);
  // The popups (mnuD, mnua, mnuz) are never on the bar; the other hidden entries stay hidden.
  for (M m : {&Form1::mnu2, &Form1::mnuTag, &Form1::mnuDelete, &Form1::mnuTools, &Form1::mnuWhich_Disc, &Form1::mnuD,
              &Form1::mnua, &Form1::mnuz, &Form1::mnuMF_Code})
    (this->*m).setVisible(false);
  mnuNormal.setChecked(true);
  mnuCapitals3.setChecked(true);

  for (const auto& [top, entries] : tree) {
    platform::MenuItem& menu = this->*top;
    menu.attachToBar(menuBar());
    for (M e : entries) menu.addEntry(&(this->*e));
  }
  // A button that shares its access key with a menu of the bar ("&Export", "&Edit") leaves the
  // key to the menu, as desktop menus have it: the first press opens the menu. The button still
  // takes clicks, and Tab then Enter or Space.
  for (const auto& [top, entries] : tree) {
    const platform::MenuItem& menu = this->*top;
    if (!menu.Visible()) continue;
    for (platform::CommandButton* b : {&cmdOpen, &cmdSave, &cmdPrint, &cmdExport, &cmdUpdate, &cmdCreate_Update,
                                       &cmdAdd, &cmdUntag, &cmdGet_Tracks, &cmdSearch, &cmdClose})
      if (b->accessKey() == QKeySequence::mnemonic(menu.Caption())) b->dropAccessKey();
  }

  const std::vector<Entry> handlers = {
      {&Form1::mnuOpen, &Form1::mnuOpen_Click},
      {&Form1::mnuSave, &Form1::mnuSave_Click},
      {&Form1::mnuExport, &Form1::mnuExport_Click},
      {&Form1::mnuUpdate_File, &Form1::mnuUpdate_File_Click},
      {&Form1::mnuMerge, &Form1::mnuMerge_Click},
      {&Form1::mnuPrint, &Form1::mnuPrint_Click},
      {&Form1::mnuCD_Selection, &Form1::mnuCD_Selection_Click},
      {&Form1::mnuSong_Slips, &Form1::mnuSong_Slips_Click},
      {&Form1::mnuPrintHighCase, &Form1::mnuPrintHighCase_Click},
      {&Form1::mnuPrintHighLabel, &Form1::mnuPrintHighLabel_Click},
      {&Form1::mnuUpdate, &Form1::mnuUpdate_Click},
      {&Form1::mnuBackup, &Form1::mnuBackup_Click},
      {&Form1::mnuRestore, &Form1::mnuRestore_Click},
      {&Form1::mnuExit, &Form1::mnuExit_Click},
      {&Form1::mnuUntick, &Form1::mnuUntick_Click},
      {&Form1::mnuTag, &Form1::mnuTag_Click},
      {&Form1::mnuTracks, &Form1::mnuTracks_Click},
      {&Form1::mnuChange_Disc_Code, &Form1::mnuChange_Disc_Code_Click},
      {&Form1::mnuedittrack, &Form1::mnuedittrack_Click},
      {&Form1::mnuDelete, &Form1::mnuDelete_Click},
      {&Form1::mnuCopy, &Form1::mnuCopy_Click},
      {&Form1::mnuClear_Search_History, &Form1::mnuClear_Search_History_Click},
      {&Form1::mnuSong, &Form1::mnuSong_Click},
      {&Form1::mnuArtist, &Form1::mnuArtist_Click},
      {&Form1::mnuNormal, &Form1::mnuNormal_Click},
      {&Form1::mnuFull_Screen, &Form1::mnuFull_Screen_Click},
      {&Form1::mnuHide_Vocal_Tracks, &Form1::mnuHide_Vocal_Tracks_Click},
      {&Form1::mnuCapitals3, &Form1::mnuCapitals3_Click},
      {&Form1::mnuContents, &Form1::mnuContents_Click},
      {&Form1::mnuWhich_Disc, &Form1::mnuWhich_Disc_Click},
      {&Form1::mnu_tavrel, &Form1::mnu_tavrel_Click},
      {&Form1::mnuAbout, &Form1::mnuAbout_Click},
      {&Form1::mnu51, &Form1::mnu51_Click},
      {&Form1::mnu52, &Form1::mnu52_Click},
      {&Form1::mnuHide_Vocal, &Form1::mnuHide_Vocal_Click},
      {&Form1::mnuhide_vocal2, &Form1::mnuhide_vocal2_Click},
      {&Form1::mnuCapitals1, &Form1::mnuCapitals1_Click},
      {&Form1::mnuCapitals2, &Form1::mnuCapitals2_Click},
      {&Form1::mnu_Copy_List3, &Form1::mnu_Copy_List3_Click},
      {&Form1::mnu_Copy_List2, &Form1::mnu_Copy_List2_Click},
      {&Form1::mnu_Copy_List, &Form1::mnu_Copy_List_Click},
      {&Form1::mnue, &Form1::mnue_Click},
      {&Form1::mnuB, &Form1::mnuB_Click},
      {&Form1::mnug, &Form1::mnug_Click},
      {&Form1::mnul2Fcolor, &Form1::mnul2Fcolor_Click},
      {&Form1::mnuL2Bcolor, &Form1::mnuL2Bcolor_Click},
      {&Form1::mnuL2ForeColor, &Form1::mnuL2ForeColor_Click},
      {&Form1::mnuL2BackColor, &Form1::mnuL2BackColor_Click},
      {&Form1::mnuL1ForeColor, &Form1::mnuL1ForeColor_Click},
      {&Form1::mnuL1BackColor, &Form1::mnuL1BackColor_Click},
      {&Form1::mnuCD_Cover_List2, &Form1::mnuCD_Cover_List2_Click},
      {&Form1::mnuCD_Label_List2, &Form1::mnuCD_Label_List2_Click},
      {&Form1::mnuQuick_View_Disc, &Form1::mnuQuick_View_Disc_Click},
      {&Form1::mnu_Change_Disc_Code, &Form1::mnu_Change_Disc_Code_Click},
      {&Form1::mnuRename_Files, &Form1::mnuRename_Files_Click},
      {&Form1::mnuPrint_CD_Case, &Form1::mnuPrint_CD_Case_Click},
      {&Form1::mnuPrint_CD_Label, &Form1::mnuPrint_CD_Label_Click},
  };
  for (const auto& e : handlers) {
    auto handler = e.handler;
    (this->*e.item).Click = [this, handler] { (this->*handler)(); };
  }
}

// ---------------------------------------------------------------- forwarding handlers

void Form1::mnuOpen_Click() { cmdOpen_Click(); }
void Form1::mnuMerge_Click() {
  frmMerge window;
  showModal(window);
}
void Form1::mnuSave_Click() { cmdSave_Click(); }
void Form1::mnuPrint_Click() { cmdPrint_Click(); }
void Form1::mnuCD_Selection_Click() { Print_CD_Selection_Sheet(); }
void Form1::mnuPrintHighCase_Click() { mnuPrint_CD_Case_Click(); }
void Form1::mnuPrintHighLabel_Click() { mnuPrint_CD_Label_Click(); }
void Form1::mnuExit_Click() { Unload(); }
void Form1::mnuUntick_Click() { cmdUntag_Click(); }
void Form1::mnuTag_Click() { Click_All(); }
void Form1::mnuChange_Disc_Code_Click() { mnu_Change_Disc_Code_Click(); }
void Form1::mnuCopy_Click() { Copy_List(); }
void Form1::mnu_Copy_List3_Click() { Copy_List(); }
void Form1::mnu_Copy_List2_Click() { Copy_List(); }
void Form1::mnu_Copy_List_Click() { Copy_List(); }
void Form1::mnue_Click() { mnuDelete_Click(); }
void Form1::mnuB_Click() { mnuDelete_Click(); }
void Form1::mnul2Fcolor_Click() { mnuL2ForeColor_Click(); }
void Form1::mnuL2Bcolor_Click() { mnuL2BackColor_Click(); }
void Form1::cmdAdd_Click() { mnuTracks_Click(); }
void Form1::cmdExport_Click() {
  if (List2.ListCount() == 0 && List1.SelCount() == 0) {
    platform::prompts().msgBox(QStringLiteral("Please create a list first, nothing to Export"), platform::msg::OKOnly,
                               QStringLiteral("Export"));
    return;
  }
  cmdExport.setEnabled(false);
  mnuExport_Click();
  cmdExport.setEnabled(true);
}

void Form1::mnuClear_Search_History_Click() {
  platform::deleteFile(platform::programFile(QString::fromLatin1(catalogue::kSearchHistoryFile)));
  platform::letEventsThrough();
  Input_Search_Data();
}

void Form1::mnuContents_Click() { platform::prompts().shellOpen(platform::programFile(QStringLiteral("help.htm"))); }

void Form1::mnu_tavrel_Click() { platform::prompts().shellOpen(QStringLiteral("http://") + kWebAddress); }

void Form1::mnuWhich_Disc_Click() {
  const QString br = QStringLiteral("\n\r");
  platform::prompts().msgBox(
      QStringLiteral("How to identify a disc.") + br + br + QStringLiteral("1. Select Sort by track") + br +
          QStringLiteral("2. Enter the title of track 1 in the Search For text field.") + br +
          QStringLiteral("3. Click the SEARCH SONGS button.") + br +
          QStringLiteral("4. If more than 1 disc has this as the 1st track then repeat with 2nd track.") + br,
      platform::msg::OKOnly, QStringLiteral("Identify a disc"));
}

bool Form1::wantsListSaved(const QString& lineBreak, const QString& title) {
  const int answer =
      platform::prompts().msgBox(QStringLiteral("Your current disc selection will be cleared.") + lineBreak +
                                     lineBreak + QStringLiteral("Do you want to Save your list now?"),
                                 platform::msg::YesNo + platform::msg::Question, title);
  return answer != platform::msg::No;
}

bool Form1::offerToSave(const QString& lineBreak, const QString& title) {
  if (List1.SelCount() == 0) return true;
  return !wantsListSaved(lineBreak, title) || cmdSave_Click();
}

void Form1::reselectDisc() {
  const QString code = common::Trim(Label4.Caption());
  if (code.isEmpty()) return;
  List1.SetFocus();
  List1.keyboardSearch(code);
}
