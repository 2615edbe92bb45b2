// The About window.
#include "mainwindow/form1.h"

void Form1::mnuAbout_Click() {}
