// The program's entry: one optional argument, the path of a saved song list to open.
#include "mainwindow/module1.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mellowdex"));
  const QStringList args = QApplication::arguments();
  return Module1::Main(args.size() > 1 ? args.mid(1).join(QLatin1Char(' ')) : QString());
}
