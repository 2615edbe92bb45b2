// Commands of the main window whose work arrives with later parts of the program. Each is
// already called from the places that need it; until its work lands it does nothing.
#include "mainwindow/form1.h"

// Catalogue drop-down, colours, search
void Form1::Disc_Description() {}
void Form1::Input_Search_Data() {}
void Form1::cmdSearch_Click() {}
void Form1::mnuSong_Click() {}
void Form1::mnuArtist_Click() {}

// Song-list files and printing

// View options and the song list's popup menus
void Form1::mnuFull_Screen_Click() {}
void Form1::mnuHide_Vocal_Tracks_Click() {}
void Form1::mnuCapitals3_Click() {}
void Form1::mnu51_Click() {}
void Form1::mnu52_Click() {}
void Form1::mnuHide_Vocal_Click() {}
void Form1::mnuhide_vocal2_Click() {}
void Form1::mnuCapitals1_Click() {}
void Form1::mnuCapitals2_Click() {}
void Form1::mnuL2ForeColor_Click() {}
void Form1::mnuL2BackColor_Click() {}
void Form1::mnuL1ForeColor_Click() {}
void Form1::mnuL1BackColor_Click() {}
void Form1::Copy_List() {}
void Form1::mnuExport_Click() {}
void Form1::mnuAbout_Click() {}
void Form1::mnuQuick_View_Disc_Click() {}

// Covers, labels, slips
void Form1::mnuPrint_CD_Case_Click() {}
void Form1::mnuPrint_CD_Label_Click() {}
void Form1::mnuCD_Cover_List2_Click() {}
void Form1::mnuCD_Label_List2_Click() {}
void Form1::Print_CD_Selection_Sheet() {}
void Form1::mnuSong_Slips_Click() {}

// Database maintenance
void Form1::cmdCreate_Update_Click() {}
void Form1::mnuUpdate_File_Click() {}
void Form1::mnuUpdate_Click() {}
void Form1::mnuBackup_Click() {}
void Form1::mnuRestore_Click() {}
void Form1::mnuTracks_Click() {}
void Form1::mnuedittrack_Click() {}
void Form1::mnuDelete_Click() {}
void Form1::mnug_Click() {}
void Form1::mnu_Change_Disc_Code_Click() {}
void Form1::mnuRename_Files_Click() {}
