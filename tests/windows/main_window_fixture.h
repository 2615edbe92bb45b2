// A main window over a temporary program folder with a small database, and scripted prompts.
#pragma once

#include "platform/screen.h"
#include "scripted_prompts.h"
#include "temp_home.h"
#include "windows/form1.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

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
  // The disc-list row of a code.
  int row(const QString& code) const {
    for (int i = 0; i < form->List1.ListCount(); ++i)
      if (form->List1.List(i).startsWith(code.leftJustified(11, ' '))) return i;
    ADD_FAILURE() << "no disc " << code.toStdString();
    return -1;
  }
  void tick(const QString& code, bool on = true) { form->List1.setSelected(row(code), on); }

  testsupport::TempHome home;
  testsupport::ScriptedPrompts prompts;
  std::unique_ptr<Form1> form;
};
