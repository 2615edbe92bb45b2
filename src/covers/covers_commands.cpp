// The main window's commands for CD labels and cases, song slips and the selection sheet.
#include "mainwindow/form1.h"

void Form1::mnuPrint_CD_Case_Click() {}
void Form1::mnuPrint_CD_Label_Click() {}
void Form1::mnuCD_Cover_List2_Click() {}
void Form1::mnuCD_Label_List2_Click() {}
void Form1::Print_CD_Selection_Sheet() {}
void Form1::mnuSong_Slips_Click() {}
