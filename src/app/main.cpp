// The program's entry: one optional argument, the path of a saved song list to open.
#include "mainwindow/form1.h"
#include "mainwindow/module1.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mellowdex"));

  // For the end-to-end test: close the main window, as the user would, after a delay.
  bool ok = false;
  const int closeAfter = qEnvironmentVariableIntValue("MELLOWDEX_CLOSE_AFTER_MS", &ok);
  if (ok && closeAfter >= 0)
    QTimer::singleShot(closeAfter, [] {
      if (Form1* form = Form1::instance()) form->Unload();
    });

  const QStringList args = QApplication::arguments();
  return Module1::Main(args.size() > 1 ? args.mid(1).join(QLatin1Char(' ')) : QString());
}
