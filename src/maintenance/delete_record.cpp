#include "maintenance/delete_record.h"

#include "common/text_helpers.h"

#include <memory>

namespace {
std::unique_ptr<delete_record> g_window;
constexpr qint32 kWhite = 0xFFFFFF;
constexpr qint32 kGrey = 0xC0C0C0;
}  // namespace

delete_record::delete_record() : FormBase(Kind::Dialog, QStringLiteral("Delete Track or Disc"), QSize(520, 260)) {
  Option1.setToolTipText(QStringLiteral("select to delete a disc"));
  Option2.setToolTipText(QStringLiteral("select to delete a track"));
  Text1.setToolTipText(QStringLiteral("enter a disc code here"));
  Text2.setToolTipText(QStringLiteral("enter a track number here"));
  Command1.setToolTipText(QStringLiteral("click to delete"));
  Command2.setToolTipText(QStringLiteral("click to cancel"));
  Text1.setMaxLength(11);
  Text2.setMaxLength(2);
  Option3.setVisible(false);

  Label6.movePx(16, 10);
  Label2.movePx(16, 34);
  Option1.movePx(16, 70, 90, 22);
  Option2.movePx(120, 70, 90, 22);
  Label1.movePx(16, 108);
  Text1.movePx(140, 104, 140, 24);
  Label3.movePx(16, 142);
  Text2.movePx(140, 138, 50, 24);
  Command1.movePx(300, 200, 96, 30);
  Command2.movePx(408, 200, 96, 30);

  Option1.Click = [this] { Option1_Click(); };
  Option2.Click = [this] { Option2_Click(); };
  Text1.Change = [this] { Text1_Change(); };
  Text2.Change = [this] { Text2_Change(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
}

delete_record& delete_record::instance() {
  if (!g_window) g_window = std::make_unique<delete_record>();
  g_window->Load();
  return *g_window;
}

bool delete_record::isInstanceLoaded() { return g_window && g_window->isLoaded(); }

void delete_record::Form_Load() {
  Option3.setValue(true);
  Command1.setEnabled(false);
}

void delete_record::Option1_Click() {
  Text2.setEnabled(false);
  Text1.setBackColor(kWhite);
  Text2.setBackColor(kGrey);
  Label3.setEnabled(false);
  Text1.setText(QString());
  Text2.setText(QString());
}

void delete_record::Option2_Click() {
  Label3.setEnabled(true);
  Text2.setEnabled(true);
  Text1.setBackColor(kWhite);
  Text2.setBackColor(kWhite);
  Text1.setText(QString());
  Text2.setText(QString());
}

void delete_record::Text1_Change() {
  if (!Text1.Text().isEmpty() && Option1.Value()) Command1.setEnabled(true);
}

void delete_record::Text2_Change() {
  if (!Text2.Text().isEmpty() && !common::IsNumeric(Text2.Text())) Text2.setText(QString());
  Command1.setEnabled(!Text1.Text().isEmpty() && !Text2.Text().isEmpty());
}

// The deletion itself arrives with the database maintenance work; until then Delete only
// closes the window.
void delete_record::Command1_Click() { Unload(); }

void delete_record::Command2_Click() { Unload(); }
