// The "Print CD Label" window: designs and prints the face label of one disc.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

class frmPrint_Offset : public platform::FormBase {
 public:
  frmPrint_Offset();

  // The disc's tracks (track, 4 blanks, song, artist), kept in order by the list itself.
  platform::ListBox List1{this, client(), "List1", platform::ListBox::Style::Standard,
                          platform::ListBox::MultiSelect::None, true};
  platform::TextBox Text3{this, client(), "Text3", ""};  // the disc title
};
