// The main window's disc list: loading it, ticks with the user's own disc reference numbers,
// clicks, keys, the disc popup menu and the "Use my Disc Codes" box.
#include "windows/main/form1.h"

#include "catalogue/database.h"
#include "catalogue/disc_reference.h"
#include "common/text_helpers.h"
#include "platform/ui/prompts.h"
#include "windows/database/delete_record.h"
#include "windows/database/dialog_helpers.h"
#include "windows/file_prompts.h"
#include "windows/one_line_input.h"

#include <QWidget>

using common::Trim;

namespace {
const QString kReferenceTitle = QStringLiteral("Your disc reference number");
}

void Form1::Get_Discs() {
  List1.setVisible(false);
  List2.Clear();
  hiddenCopies_.clear();
  hiddenCopiesKnown_ = true;
  List1.Clear();
  showBusyPointer();
  const QString path = catalogue::discFilePath();
  if (auto discs = catalogue::readDiscFile(path)) {
    discFileReported_ = false;
    // Each item keeps the length of its code beside it: a code can be longer than 11 characters.
    std::vector<qint64> codeLengths;
    codeLengths.reserve(size_t(discs->size()));
    for (const QString& code : *discs) codeLengths.push_back(code.size());
    List1.addItems(*discs, codeLengths);
    setMousePointer(platform::MousePointer::Default);
  } else {
    setMousePointer(platform::MousePointer::Default);
    reportUnreadable(path, discFileReported_);
  }
  List1.setVisible(true);
}

catalogue::DiscItem Form1::discItem(int row) const {
  if (row < 0) row = List1.ListIndex();
  if (row < 0 || row >= List1.ListCount()) return {};
  const qint64 codeLength = List1.ItemData(row);
  return {List1.List(row), codeLength > 0 ? int(codeLength) : catalogue::kCodeLength};
}

std::vector<catalogue::DiscItem> Form1::tickedDiscItems() const {
  std::vector<catalogue::DiscItem> out;
  for (int i = 0; i < List1.ListCount(); ++i)
    if (List1.Selected(i)) out.push_back(discItem(i));
  return out;
}

void Form1::List1_ItemCheck(int) {
  if (List1.ListCount() == 0) return;
  Label1.setCaption(QStringLiteral("Discs = ") + QString::number(List1.SelCount()));
  Label6.setCaption(tracksText(0));

  while (true) {  // the ask point
    if (Ticking_In_Code) return;
    if (Check2.Value() == 0) return;
    const int index = List1.ListIndex();
    if (index < 0) return;
    // The item is its code again, its number (if any) removed.
    List1.setList(index, discItem(index).code());
    if (!List1.Selected(index)) return;

    std::vector<catalogue::DiscItem> items;
    for (int i = 0; i < List1.ListCount(); ++i) items.push_back(discItem(i));
    const QString proposal = common::Format0000(catalogue::proposeReference(items));
    const QString answer = platform::prompts().inputBox(
        QStringLiteral("Enter your reference number for the disc ") + Trim(List1.List(index)), kReferenceTitle,
        proposal);
    // The number is saved with the list, one value a line: a pasted number loses the line break
    // at its end; one that still holds a control character, or a letter the file cannot hold, is
    // asked again.
    const std::optional<QString> line =
        windows::storableLine(answer, QStringLiteral("disc reference number"), kReferenceTitle);
    if (!line) continue;
    QString result = catalogue::referenceAnswerForm(*line);

    if (result.isEmpty()) {
      List1.setSelected(index, false);  // runs this handler again for the untick
      Label1.setCaption(QStringLiteral("Discs = ") + QString::number(List1.SelCount()));
      return;
    }
    // The number is saved in song-list files and print jobs as a double-quoted field: a quote
    // inside it would cut the saved disc and its lines short when they are read back.
    if (catalogue::hasForbiddenCharacter(result)) {
      platform::prompts().msgBox(windows::kInvalidText, platform::msg::OKOnly, windows::kInvalidTitle);
      continue;
    }
    if (catalogue::referenceInUse(items, result)) {
      platform::prompts().msgBox(
          QStringLiteral("You already have a Disc ") + Trim(result) + QStringLiteral(".\n\rPlease try again."),
          platform::msg::OKOnly, kReferenceTitle);
      continue;
    }
    result = common::padRight(result, catalogue::kReferenceLength);
    // Four blanks are asked again at once; more blanks are too long, as any five characters are.
    if (result == common::Space(catalogue::kReferenceLength)) continue;
    mnuFull_Screen.setEnabled(true);
    mnuHide_Vocal_Tracks.setEnabled(true);
    if (result.size() > catalogue::kReferenceLength) {
      platform::prompts().msgBox(QStringLiteral("No more than 4 characters can be used.\n\rPlease try again."),
                                 platform::msg::OKOnly, kReferenceTitle);
      continue;
    }
    List1.setList(index, List1.List(index) + result);
    return;
  }
}

void Form1::List1_Click() {
  List3.setVisible(false);
  cmdClose.setVisible(false);
  List2.setHeight(95 - List2.Top());
  Label17.setVisible(false);
  Label9.setVisible(true);
  if (Ticking_In_Code) return;

  const bool any = List1.SelCount() > 0;
  if (!any) mnuPrint.setEnabled(false);
  for (auto* m : {&mnuSave, &mnuExport, &mnuUpdate_File, &mnuFull_Screen, &mnuHide_Vocal_Tracks}) m->setEnabled(any);
  prefillDeleteDisc();
}

void Form1::prefillDeleteDisc() {
  delete_record& dlg = delete_record::instance();
  dlg.Option1.setValue(true);
  // The disc's code alone: the user's number would make it another code.
  dlg.handOver(discItem().code());
  dlg.Text2.setBackColor(0xC0C0C0);
  handedFrom_ = HandedFrom::Disc;
}

void Form1::List1_KeyDown(int& keyCode, int) {
  if (keyCode == platform::keys::Space && Check2.Value() == 1) keyCode = 0;
}

void Form1::List1_MouseDown(int button, int, double, double) {
  const QString disc = Trim(List1.Text());
  mnuB.setPlainCaption(QStringLiteral("Delete  ") + disc + QStringLiteral("  disc from database"));
  mnu_Change_Disc_Code.setPlainCaption(QStringLiteral("Change  ") + disc + QStringLiteral("  disc code"));
  mnuQuick_View_Disc.setPlainCaption(QStringLiteral("View  ") + disc + QStringLiteral("  disc listing"));
  mnuPrint_CD_Case.setPlainCaption(QStringLiteral("Print  ") + disc + QStringLiteral("  CD case"));
  mnuPrint_CD_Label.setPlainCaption(QStringLiteral("Print  ") + disc + QStringLiteral("  CD label"));
  mnuRename_Files.setPlainCaption(QStringLiteral("Rename files to  ") + disc + QStringLiteral("  disc listing"));
  if (button == platform::mouse::Right) {
    prefillDeleteDisc();
    platform::prompts().popupMenu(mnua, List1.popupPosition());
  } else if (button == platform::mouse::Middle) {
    mnuQuick_View_Disc_Click();
  }
}

void Form1::Check2_Click() {
  if (Opening_File) return;
  List1.SetFocus();
  if (Check2.Value() == 1) Check1.setValue(0);
  cmdUntag_Click();
}

void Form1::Check2_GotFocus() {
  if (mnuFull_Screen.Checked()) return;
  List3.Clear();
  List3.setVisible(false);
  List2.setHeight(95 - List2.Top());
}
