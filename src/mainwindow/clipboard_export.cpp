// Copying the song list to the clipboard, exporting it, and writing an update file from it.
#include "mainwindow/form1.h"

void Form1::Copy_List() {}
void Form1::mnuExport_Click() {}
void Form1::mnuUpdate_File_Click() {}
