// The disc catalogue drop-down: product lines that move the disc list to their discs.
#include "mainwindow/form1.h"

void Form1::wireCatalogueHandlers() {}
void Form1::Disc_Description() {}
