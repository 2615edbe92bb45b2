// Helpers of the database maintenance tests.
#pragma once

#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "ordinary_user.h"
#include "platform/core/text_file.h"
#include "user_input.h"
#include "windows/database/delete_record.h"
#include "windows/database/Edit_Record.h"

#include <QDir>
#include <QFile>

// The small database that MainWindowTest::start() writes, as its files hold it.
inline const QStringList kTracks{testsupport::trackLine("SC8123", "01", "MOONLIGHT HARBOUR", "THE LANTERNS"),
                                 testsupport::trackLine("SC8123", "02", "PAPER SKY", "JUNO REED"),
                                 testsupport::trackLine("MDX1001", "01", "RIVER TOWN", "ODA BELL"),
                                 testsupport::trackLine("zk101", "01", "LATE TRAIN", "ODA BELL"),
                                 testsupport::trackLine("PK-0042", "01", "GLASS HOUSE (VOCAL)", "MIRA STONE")};
inline const QStringList kDiscs{testsupport::discLine("SC8123"), testsupport::discLine("MDX1001"),
                                testsupport::discLine("zk101"), testsupport::discLine("PK-0042"),
                                testsupport::discLine("AB&C1")};

// The main window over the small database, and the database files read back as lines.
class MaintenanceTest : public MainWindowTest {
 protected:
  void TearDown() override {
    // The delete and edit windows live for the whole run: leave them unloaded for the next test.
    if (delete_record::isInstanceLoaded()) delete_record::instance().Unload();
    Edit_Record::instance().Unload();
    MainWindowTest::TearDown();
  }
  QStringList lines(const QString& name) const {
    return platform::splitLines(QString::fromLatin1(home.readBytes(name)));
  }
  QStringList tracks() const { return lines("watka.bxl"); }
  QStringList discs() const { return lines("watdi.bxl"); }
  // The song-list row holding the text.
  int songRow(const QString& text) const {
    for (int i = 0; i < form->List2.ListCount(); ++i)
      if (form->List2.List(i).contains(text)) return i;
    ADD_FAILURE() << "no line with " << text.toStdString();
    return -1;
  }
  // A left click on the song-list line holding the text.
  void clickSong(const QString& text) { testsupport::clickRow(form->List2, songRow(text)); }
  // The texts of the message boxes shown so far.
  QStringList messages() const {
    QStringList out;
    for (const auto& c : prompts.callsOf("msgBox")) out << c.text;
    return out;
  }
};
