// A main window over a temporary program folder with a small database, and scripted prompts.
#pragma once

#include "platform/ui/screen.h"
#include "scripted_prompts.h"
#include "temp_home.h"
#include "user_input.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The user's hands at a button and a menu entry.
using testsupport::choose;
using testsupport::press;
using testsupport::triggerUnoffered;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::overrideScreenSize(QSize(1024, 768));
    home.writeDiscs({"SC8123", "MDX1001", "zk101", "PK-0042", "AB&C1"});
    home.writeTracks({"SC8123,01,MOONLIGHT HARBOUR,THE LANTERNS", "SC8123,02,PAPER SKY,JUNO REED",
                      "MDX1001,01,RIVER TOWN,ODA BELL", "zk101,01,LATE TRAIN,ODA BELL",
                      "PK-0042,01,GLASS HOUSE (VOCAL),MIRA STONE"});
  }
  void TearDown() override {
    form.reset();
    platform::overrideScreenSize(QSize());
  }
  Form1& start() {
    form = std::make_unique<Form1>();
    form->Show();
    QCoreApplication::processEvents();
    return *form;
  }
  // The disc-list row of a code (padded to 11, or stored without its padding).
  int row(const QString& code) const {
    for (int i = 0; i < form->List1.ListCount(); ++i)
      if (form->List1.List(i).startsWith(code.leftJustified(11, ' ')) || form->List1.List(i) == code) return i;
    ADD_FAILURE() << "no disc " << code.toStdString();
    return -1;
  }
  void tick(const QString& code, bool on = true) { form->List1.setSelected(row(code), on); }
  // Tick All as the user gives it: its hidden command typed into the search box.
  void tickAll() {
    QApplication::setActiveWindow(form->window());
    QLineEdit* edit = qobject_cast<QComboBox*>(form->cmbSearch_text.widget())->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), "tavrel click all");
  }
  // The main window active again, as when the user closes one of its windows (the About box).
  void reactivate() {
    prompts.onModal([](platform::FormBase&) {});
    choose(form->mnuAbout);
  }
  // Writes a saved song list of these values and opens it with the Open button.
  void openSaved(const QList<QByteArray>& values) {
    home.writeBytes("saved.mdq", testsupport::quotedLinesBytes(values));
    prompts.answerOpenFile(home.path("saved.mdq"));
    QTest::mouseClick(form->cmdOpen.widget(), Qt::LeftButton);
  }

  // What buttonsNotWired finds in the window an entry of the main window opens, shown.
  template <class Window>
  std::string buttonsNotWiredIn(platform::MenuItem& opener,
                                std::initializer_list<platform::CommandButton Window::*> buttons) {
    std::string faults = "no window from " + opener.name().toStdString();
    prompts.onModal([&](platform::FormBase& shown) {
      auto& w = dynamic_cast<Window&>(shown);
      w.Show();
      std::vector<platform::CommandButton*> listed;
      for (auto b : buttons) listed.push_back(&(w.*b));
      faults = testsupport::buttonsNotWired(w.window(), listed);
    });
    opener.action()->trigger();
    return faults;
  }

  testsupport::TempHome home;
  testsupport::ScriptedPrompts prompts;
  std::unique_ptr<Form1> form;
};
