// The song list's option boxes and the button that closes the disc listing view.
#include "windows/main/form1.h"

namespace {

// The list no longer matches the boxes and must be created again; the counter says it is gone.
void discardSongList(Form1& f) {
  f.List2.Clear();
  f.List2.setVisible(false);
  f.TabStrip1.setVisible(false);
  f.Label6.setCaption(Form1::tracksText(0));
}

}  // namespace

void Form1::Check1_Click() { discardSongList(*this); }  // whatever the new value

void Form1::Check1_GotFocus() { Check2_GotFocus(); }
void Form1::Check3_GotFocus() { Check2_GotFocus(); }

void Form1::Check7_Click() {
  List2.setUnderline(Check7.Value() == 1);
  List2.widget()->update();
}

void Form1::cmdClose_Click() {
  cmdClose.setVisible(false);
  List3.Clear();
  List3.setVisible(false);
  Label17.setVisible(false);
  Label9.setVisible(false);
  if (mnuFull_Screen.Checked()) {
    List2.Move(0, 0, 100, 95);
  } else {
    List2.Move(List2.Left(), List2.Top(), 100, 95 - List2.Top());
    List2.Move(0, List1.Top() + List1.Height() + 5);
  }
  List1.SetFocus();
}

void Form1::Check3_Click() {
  if (Check3.Value() == 1) {
    Remove_Dupes();
  } else {
    discardSongList(*this);
  }
}

void Form1::Check5_Click() {
  if (Check5.Value() == 1) {
    Upper_Case();
    mnuCapitals3.setChecked(true);
  } else {
    Lower_Case();
    mnuCapitals3.setChecked(false);
  }
}
