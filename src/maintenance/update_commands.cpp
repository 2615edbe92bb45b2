// The main window's commands for update files, backup, restore and renaming audio files.
#include "mainwindow/form1.h"

void Form1::mnuUpdate_Click() {}
void Form1::mnuBackup_Click() {}
void Form1::mnuRestore_Click() {}
void Form1::mnuRename_Files_Click() {}
void Form1::Quick_View_Rename() {}
