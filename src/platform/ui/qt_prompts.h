// The prompts shown with Qt's own dialogs.
#pragma once

#include "platform/ui/prompts.h"

namespace platform {

class QtPrompts : public Prompts {
 public:
  int msgBox(const QString& text, int style, const QString& title) override;
  QString inputBox(const QString& prompt, const QString& title, const QString& def) override;
  std::optional<QString> openFile(const FileDialogRequest& req) override;
  std::optional<QString> saveFile(const FileDialogRequest& req) override;
  std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
  std::optional<qint32> chooseColour(qint32 initial) override;
  std::optional<PrintDialogAnswer> printDialog(const PrintDialogRequest& req) override;
  void popupMenu(MenuItem& menu, QPoint globalPos) override;
  void showModal(FormBase& form) override;
  void shellOpen(const QString& target) override;
};

// A name typed without an extension, or with one that none of the dialog's types has, takes the
// first extension of the file type chosen in the save dialog ("Web Page (*.htm)" makes "list"
// into "list.htm" and "list.txt" into "list.txt.htm"); an extension of one of the types stays.
QString withChosenExtension(const QString& name, const QString& chosenFilter, const QString& dialogFilters);

// Turns "Song lists (*.mdq)|*.mdq|All files|*.*" into Qt's filter form.
QString toQtFilter(const QString& filter);

}  // namespace platform
