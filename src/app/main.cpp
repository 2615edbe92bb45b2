// The program's entry: one optional argument, the path of a saved song list to open.
#include "common/program_name.h"
#include "windows/main/form1.h"
#include "windows/main/module1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(common::programName());

  // For the end-to-end test: after a delay, close whatever window is in front, as a user
  // pressing Escape or the close box would (a question, which neither answers, is answered No),
  // until the main window itself has closed.
  bool ok = false;
  const int closeAfter = qEnvironmentVariableIntValue("MELLOWDEX_CLOSE_AFTER_MS", &ok);
  QTimer modalCloser;  // a timer does not fire again inside its own handler: two are needed
  if (ok && closeAfter >= 0) {
    QObject::connect(&modalCloser, &QTimer::timeout, [] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box && box->button(QMessageBox::No)) box->button(QMessageBox::No)->click();
      else if (modal) modal->close();
    });
    modalCloser.start(closeAfter);
    QTimer::singleShot(closeAfter, [] {
      if (Form1* form = Form1::instance()) form->Unload();
    });
  }

  const QStringList args = QApplication::arguments();
  return Module1::Main(args.size() > 1 ? args.mid(1).join(QLatin1Char(' ')) : QString());
}
