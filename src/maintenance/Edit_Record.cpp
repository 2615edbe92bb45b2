#include "maintenance/Edit_Record.h"

#include <memory>

namespace {
std::unique_ptr<Edit_Record> g_window;
}

Edit_Record::Edit_Record() : FormBase(Kind::Dialog, QStringLiteral("Edit Tracks"), QSize(480, 300)) {
  Text1.setMaxLength(10);
  Text2.setMaxLength(2);
  Text3.setMaxLength(35);
  Text4.setMaxLength(29);
}

Edit_Record& Edit_Record::instance() {
  if (!g_window) g_window = std::make_unique<Edit_Record>();
  g_window->Load();
  return *g_window;
}
