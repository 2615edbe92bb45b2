// The View menu and the list colours: full size, capitals, hiding vocal tracks, colours.
#include "windows/main/form1.h"

#include "catalogue/song_list_rules.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"

#include <initializer_list>

namespace {

const QString kColourTitle = QStringLiteral("Color");
const QString kSameAsText = QStringLiteral("Backcolor can not be the same as Text color");
const QString kSameAsBack = QStringLiteral("Text color can not be the same as Backcolor");

enum class ColourPart { Back, Text };

// One colour of a list's pair, given to every control of its group unless it would make the
// list's text the same colour as its background. A cancelled dialog changes nothing.
void chooseListColour(platform::ListBox& list, ColourPart part, std::initializer_list<platform::Control*> group) {
  const qint32 current = part == ColourPart::Back ? list.BackColor() : list.ForeColor();
  const std::optional<qint32> chosen = platform::prompts().chooseColour(current);
  if (!chosen) return;
  const qint32 other = part == ColourPart::Back ? list.ForeColor() : list.BackColor();
  if (*chosen == other) {
    platform::prompts().msgBox(part == ColourPart::Back ? kSameAsText : kSameAsBack, platform::msg::OKOnly,
                               kColourTitle);
    return;
  }
  for (platform::Control* c : group) part == ColourPart::Back ? c->setBackColor(*chosen) : c->setForeColor(*chosen);
}

}  // namespace

void Form1::mnuL1BackColor_Click() { chooseListColour(List1, ColourPart::Back, {&List1, &Combo1}); }
void Form1::mnuL1ForeColor_Click() { chooseListColour(List1, ColourPart::Text, {&List1, &Combo1}); }
void Form1::mnuL2BackColor_Click() {
  chooseListColour(List2, ColourPart::Back, {&List2, &Text1, &cmbSearch, &cmbSearch_text});
}
void Form1::mnuL2ForeColor_Click() {
  chooseListColour(List2, ColourPart::Text, {&List2, &Text1, &cmbSearch, &cmbSearch_text});
}

// ---------------------------------------------------------------- capitals

void Form1::mnuCapitals1_Click() {
  const bool capitals = Check5.Value() != 1;
  Check5.setValue(capitals ? 1 : 0);  // Check5_Click converts the list
  mnuCapitals3.setChecked(capitals);
}

void Form1::mnuCapitals2_Click() { mnuCapitals1_Click(); }

void Form1::mnuCapitals3_Click() {
  const bool capitals = !mnuCapitals3.Checked();
  // Changing the box converts the list through Check5_Click; a box that already shows the new
  // state fires nothing, so the list is converted here instead.
  if (Check5.Value() == (capitals ? 1 : 0)) {
    if (capitals) Upper_Case();
    else Lower_Case();
  } else {
    Check5.setValue(capitals ? 1 : 0);
  }
  mnuCapitals3.setChecked(capitals);
}

// ---------------------------------------------------------------- vocal tracks

void Form1::mnuHide_Vocal_Click() {
  Temp_List.Clear();
  const int count = List2.ListCount();
  std::vector<int> kept;
  kept.reserve(size_t(count));
  for (int i = 0; i < count; ++i)
    if (!catalogue::isVocalLine(List2.model()->text(i))) kept.push_back(i);
  keepSongLines(kept, Temp_List);
  restoreFromTempList();
  TabStrip1.setVisible(true);
}

void Form1::mnuHide_Vocal_Tracks_Click() {
  if (List2.ListCount() == 0) {
    platform::prompts().msgBox(kCreateListFirstText, platform::msg::OKOnly, QStringLiteral("Hide Vocal Tracks"));
    return;
  }
  mnuHide_Vocal_Click();
}

void Form1::mnuhide_vocal2_Click() { mnuHide_Vocal_Click(); }

// ---------------------------------------------------------------- full size

void Form1::mnuFull_Screen_Click() {
  mnuNormal.setChecked(false);
  mnuFull_Screen.setChecked(true);
  if (List2.ListCount() == 0) cmdGet_Tracks_Click();
  platform::letEventsThrough();
  cmdClose_Click();
  List2.Move(0, 0, 100, 95);
}
