// The main window's commands that open the database editing windows.
#include "mainwindow/form1.h"

void Form1::cmdCreate_Update_Click() {}
void Form1::mnuTracks_Click() {}
void Form1::mnuedittrack_Click() {}
void Form1::mnuDelete_Click() {}
void Form1::mnug_Click() {}
void Form1::mnu_Change_Disc_Code_Click() {}
