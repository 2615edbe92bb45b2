// The View menu and the list colours: full size, capitals, hiding vocal tracks, colours.
#include "mainwindow/form1.h"

void Form1::mnuFull_Screen_Click() {}
void Form1::mnuHide_Vocal_Tracks_Click() {}
void Form1::mnuCapitals3_Click() {}
void Form1::mnuHide_Vocal_Click() {}
void Form1::mnuhide_vocal2_Click() {}
void Form1::mnuCapitals1_Click() {}
void Form1::mnuCapitals2_Click() {}
void Form1::mnuL2ForeColor_Click() {}
void Form1::mnuL2BackColor_Click() {}
void Form1::mnuL1ForeColor_Click() {}
void Form1::mnuL1BackColor_Click() {}
