#include "windows/main/module1.h"

#include "common/text_helpers.h"
#include "platform/ui/controls.h"
#include "windows/main/form1.h"

#include <QApplication>

namespace Module1 {

QString commandLineFile(const QString& commandLine) {
  QString path = commandLine;
  if (common::Trim(path).isEmpty()) return {};
  if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
    path = path.mid(1, path.size() - 2);
  return path;
}

int Main(const QString& commandLine) {
  Form1 form;
  form.Show();
  if (form.endedAtLoad()) return 0;
  const QString file = commandLineFile(commandLine);
  if (!file.isEmpty()) form.Command_Open(file);
  if (!form.isVisible()) return 0;
  return QApplication::exec();
}

void Set_Combo_Height(platform::FormBase&, platform::ComboBox& combo, int rows) { combo.setVisibleRows(rows); }

}  // namespace Module1
