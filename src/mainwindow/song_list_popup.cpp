// Clicks on the song list, its two popup menus and hiding selected lines.
#include "mainwindow/form1.h"

void Form1::wireSongListHandlers() {}
void Form1::mnu51_Click() {}
void Form1::mnu52_Click() {}
