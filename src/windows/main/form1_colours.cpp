// The main window's colours: the two lists' back and text colours read from and written to the
// colour settings file.
#include "windows/main/form1.h"

#include "catalogue/colour_settings.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"

void Form1::Read_ini() {
  const QString path = platform::programFile(QString::fromLatin1(catalogue::kColourFile));
  const auto values = catalogue::readColourValues(path);
  if (!values) {
    Write_ini();
    return;
  }
  const auto apply = [](const QString& text, std::initializer_list<platform::Control*> controls, bool back) {
    const auto colour = catalogue::colourFromText(text);
    if (!colour) return;
    for (auto* c : controls) back ? c->setBackColor(*colour) : c->setForeColor(*colour);
  };
  apply((*values)[0], {&List1, &Combo1}, true);
  apply((*values)[1], {&List1, &Combo1}, false);
  apply((*values)[2], {&List2, &Text1, &cmbSearch, &cmbSearch_text}, true);
  apply((*values)[3], {&List2, &Text1, &cmbSearch, &cmbSearch_text}, false);
}

void Form1::Write_ini() {
  // A settings file that cannot be written must not stop the caller (shutdown among them).
  platform::replaceFile(
      platform::programFile(QString::fromLatin1(catalogue::kColourFile)),
      catalogue::colourFileText({List1.BackColor(), List1.ForeColor(), List2.BackColor(), List2.ForeColor()}));
}
