// Every modal interaction of the program goes through this one interface, so that tests can
// answer it from a script: message boxes, the input box, the common dialogs, popup menus,
// showing a window modally, and handing a page or address to the desktop.
#pragma once

#include <QPageLayout>
#include <QPoint>
#include <QString>

#include <optional>

namespace platform {

class FormBase;
class MenuItem;

// Message box styles and answers, as numbers in the old form.
namespace msg {
constexpr int OKOnly = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int OK = 1, Cancel = 2, Yes = 6, No = 7;
}  // namespace msg

struct FileDialogRequest {
  QString title;
  QString filter;    // "Song lists (*.mdq)|*.mdq" pairs separated by '|'
  QString folder;    // where the dialog starts
  QString fileName;  // preset name
  bool overwritePrompt = false;
};

struct PrintDialogAnswer {
  int copies = 1;
  bool allPages = true;
  int fromPage = 0;
  int toPage = 0;
  QString outputFile;  // a PDF file when there is no printer
  QString printerName;
  QPageLayout pageLayout;  // the paper's size and orientation; not valid when none was chosen
};

struct PrintDialogRequest {
  int copies = 1;
  int minPage = 1;
  int maxPage = 1;  // the range the boxes open with runs from minPage to maxPage
  // The highest page the range boxes take. The dialog can change the paper, and it cannot tell
  // the boxes while it is open: a caller whose page count depends on the paper asks for room
  // here and checks the chosen pages against the paper in the answer.
  int rangeLimit = 0;
  bool allowPageRange = false;
  // The printer or PDF file and the paper the dialog opens on (an earlier answer); what is empty
  // or not valid here opens as the printer's default.
  PrintDialogAnswer previous;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A message box: text (line breaks exactly as given), style (buttons + icon + default), title.
  // Returns the answer. A Yes/No question takes Yes or No only: Escape and the close box do
  // nothing there; elsewhere they answer Cancel, or OK where that is the only button.
  virtual int msgBox(const QString& text, int style, const QString& title) = 0;
  // The input box: the empty text on Cancel.
  virtual QString inputBox(const QString& prompt, const QString& title, const QString& def) = 0;
  // File dialogs: nothing on Cancel.
  virtual std::optional<QString> openFile(const FileDialogRequest& req) = 0;
  virtual std::optional<QString> saveFile(const FileDialogRequest& req) = 0;
  virtual std::optional<QString> chooseFolder(const QString& title, const QString& start) = 0;
  // The colour dialog, in the stored number form; nothing on Cancel.
  virtual std::optional<qint32> chooseColour(qint32 initial) = 0;
  // The printer dialog: nothing on Cancel.
  virtual std::optional<PrintDialogAnswer> printDialog(const PrintDialogRequest& req) = 0;
  // Opens a top-level menu as a popup; the chosen entry's handler runs before this returns.
  virtual void popupMenu(MenuItem& menu, QPoint globalPos) = 0;
  // Shows a window modally; returns when it is closed.
  virtual void showModal(FormBase& form) = 0;
  // Hands a file, web page or mail address to the desktop; failures are silent.
  virtual void shellOpen(const QString& target) = 0;
};

// The prompts in force: the Qt dialogs unless a test has put its own in place.
Prompts& prompts();
void setPrompts(Prompts* p);  // nullptr restores the Qt dialogs

// Shows each line-break pair of a message text (LF CR or CR LF) as one break, a lone CR or LF
// as one break.
QString displayText(const QString& text);

}  // namespace platform
