// The sort tabs: re-cutting every line of the song list into the chosen layout through the
// sorted staging list, and the column header of each layout.
#include "windows/main/form1.h"

#include "platform/ui/prompts.h"

using catalogue::Sort;

platform::OptionButton& Form1::optionFor(Sort sort) {
  switch (sort) {
    case Sort::Artist: return Option1;
    case Sort::Song: return Option2;
    case Sort::Track: return Option3;
    case Sort::MfCode: break;
  }
  return Option5;
}

void Form1::TabStrip1_Click() {
  static const Sort byTab[] = {Sort::Song, Sort::Artist, Sort::Track, Sort::MfCode};
  const int tab = TabStrip1.SelectedIndex();
  if (tab < 1 || tab > 4) return;
  const Sort sort = byTab[tab - 1];
  relayout(sort);
  switch (sort) {
    case Sort::Artist: Option1_Click(); break;
    case Sort::Song: Option2_Click(); break;
    case Sort::Track: Option3_Click(); break;
    case Sort::MfCode: Option5_Click(); break;
  }
  optionFor(sort).setValue(true);
}

void Form1::relayout(Sort target) {
  if (optionFor(target).Value()) return;
  cmdClose.setVisible(false);
  List3.Clear();
  List3.setVisible(false);
  List2.setHeight(95 - List2.Top());
  if (target == Sort::MfCode && Check1.Value() == 0) {
    platform::prompts().msgBox(QStringLiteral("Show MF Codes must be selected\r\rPlease click the Create List "
                                              "button to re-create your list"),
                               platform::msg::OKOnly, QStringLiteral("Sort by MF Code"));
    return;
  }
  std::optional<Sort> source;
  for (Sort s : catalogue::kAllSorts)
    if (s != target && optionFor(s).Value()) {
      source = s;
      break;
    }
  if (!source) return;
  const catalogue::RecutCase c = catalogue::recutCase(*source, Check1.Value() == 1, Check2.Value() == 1);
  QStringList recut;
  recut.reserve(List2.ListCount());
  for (int i = 0; i < List2.ListCount(); ++i) recut << catalogue::recutLine(List2.List(i), *source, target, c);
  List3.addItems(recut, List2.itemData());  // each line keeps its record
  Update_Sort_List();
}

void Form1::Update_Sort_List() {
  List2.setVisible(false);
  List2.Clear();
  List2.moveAllFrom(List3);
  List3.Clear();
  if (List2.ListCount() > 0) List2.setVisible(true);
}

void Form1::Option1_Click() { Label2.setCaption(catalogue::columnHeader(Sort::Artist)); }
void Form1::Option2_Click() { Label2.setCaption(catalogue::columnHeader(Sort::Song)); }
void Form1::Option3_Click() { Label2.setCaption(catalogue::columnHeader(Sort::Track)); }
void Form1::Option5_Click() {
  Label2.setCaption(catalogue::columnHeader(Sort::MfCode));
  Check1.setValue(1);
}
