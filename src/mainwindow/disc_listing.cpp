// The disc listing view: every track of one disc below the song list.
#include "mainwindow/form1.h"

void Form1::mnuQuick_View_Disc_Click() {}
