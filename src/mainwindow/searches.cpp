// The database searches, the search box and its history.
#include "mainwindow/form1.h"

void Form1::wireSearchHandlers() {}
void Form1::Input_Search_Data() {}
void Form1::cmdSearch_Click() {}
void Form1::mnuSong_Click() {}
void Form1::mnuArtist_Click() {}
