// The "Print CD Case" window: designs and prints the case cover of one disc.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

class frmPrint_Cover : public platform::FormBase {
 public:
  frmPrint_Cover();

  // The disc's tracks (track, 4 blanks, song, artist), kept in order by the list itself.
  platform::ListBox List1{this, client(), "List1", platform::ListBox::Style::Standard,
                          platform::ListBox::MultiSelect::None, true};
  platform::TextBox Text3{this, client(), "Text3", ""};  // the disc title
};
