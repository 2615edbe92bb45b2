#include "windows/database/update.h"

#include "catalogue/database.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "maintenance/update_file.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"

#include <QDir>
#include <QFileInfo>

using platform::msg::OKOnly;

// ---------------------------------------------------------------- the update window

const QString update::kNotUpdateFile = QStringLiteral("This is not a Mellowdex Update file") + QChar(13) +
                                       QStringLiteral("Please try again using the correct file");
const QString update::kUpdated = QStringLiteral("Mellowdex has been succsesfuly updated");

namespace {
const QString kTitle = QStringLiteral("Update");
const QString kNothingAdded = QStringLiteral("Nothing has been added to the database.");
}  // namespace

update::update() : FormBase(Kind::Dialog, QStringLiteral("Update Database"), QSize(560, 440)) {
  QFont bold = Label6.font();
  bold.setBold(true);
  Label6.setFont(bold);
  Label6.setCaption(Label6.Caption());
  Drive1.setToolTipText(QStringLiteral("this shows the disc drives on your computer"));
  Dir1.setToolTipText(QStringLiteral("this shows the folders on your computer"));
  cmdBrowse.setToolTipText(QStringLiteral("choose a folder"));
  File1.setToolTipText(QStringLiteral("this shows the downloaded update files on your computer"));

  Label6.movePx(16, 10);
  Label5.movePx(16, 34);
  Drive1.movePx(16, 64, 160, 26);
  cmdBrowse.movePx(182, 62, 84, 28);
  Dir1.movePx(16, 96, 250, 210);
  Label2.movePx(284, 70);
  File1.movePx(284, 96, 260, 210);
  Label1.movePx(16, 316);
  Check1.movePx(16, 340, 360, 22);
  ProgressBar1.movePx(16, 370, 528, 16);
  Label4.movePx(16, 396);
  Command1.movePx(336, 400, 100, 30);
  Command2.movePx(444, 400, 100, 30);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Drive1.Change = [this] { Drive1_Change(); };
  cmdBrowse.Click = [this] { cmdBrowse_Click(); };
  Dir1.Change = [this] { Dir1_Change(); };
  File1.Click = [this] { File1_Click(); };
  File1.DblClick = [this] { File1_DblClick(); };
}

void update::Form_Load() {
  Label4.setVisible(false);
  Command1.setEnabled(false);
  Check1.setValue(0);
  const QString start = QDir::currentPath();
  Drive1.showDrive(windows::driveOf(start));
  Dir1.setPath(start);
  File1.setPath(Dir1.Path());
}

void update::Command1_Click() { Append_Files(Label1.Caption()); }

void update::Command2_Click() { Unload(); }

void update::Dir1_Change() {
  Drive1.showDrive(windows::driveOf(Dir1.Path()));
  File1.setPath(Dir1.Path());
}

void update::Drive1_Change() { windows::followDrive(Drive1, Dir1); }

void update::cmdBrowse_Click() { windows::chooseFolderFor(Dir1, Label5.Caption()); }

void update::File1_Click() {
  const QString name = File1.FileName();
  if (name.isEmpty()) return;
  Label1.setCaption(platform::joinPath(Dir1.Path(), name));
  Command1.setEnabled(!Label1.Caption().isEmpty());
}

void update::File1_DblClick() {
  File1_Click();
  platform::letEventsThrough();
  if (Command1.Enabled()) Command1.setValue(true);
}

void update::finish() {
  ProgressBar1.setValue(0);
  Label4.setVisible(false);
  Command1.setEnabled(true);
  Command2.setEnabled(true);
}

void update::Append_Files(const QString& filePath) {
  using Result = maintenance::UpdateOutcome::Result;
  Label4.setVisible(true);
  Command1.setEnabled(false);
  Command2.setEnabled(false);
  platform::letEventsThrough();

  maintenance::UpdateOutcome outcome;
  {
    // Clicks and the close box wait until the database files are whole again.
    platform::BusyScope busy;
    maintenance::UpdateProgress progress;
    progress.start = [this](int total) {
      ProgressBar1.setMax(total);
      ProgressBar1.setValue(0);
    };
    progress.step = [this](int index) {
      ProgressBar1.setValue(index + 1);
      platform::letEventsThroughSliced();
    };
    outcome = maintenance::applyUpdateFile(filePath, platform::programFolder(), progress);
  }

  auto& p = platform::prompts();
  // A line of the file that stops it: nothing is added.
  const auto refuseLine = [&](const QString& why) {
    p.msgBox(QStringLiteral("Line ") + QString::number(outcome.brokenLine) + QStringLiteral(" of the update file") +
                 why + QChar(13) + kNothingAdded,
             OKOnly, kTitle);
    finish();
  };
  switch (outcome.result) {
    case Result::NotUpdateFile:
      p.msgBox(kNotUpdateFile, OKOnly, kTitle);
      finish();
      return;
    case Result::BrokenRecord: refuseLine(QStringLiteral(" is not a whole track record.")); return;
    case Result::LetterNotHeld:
      // A line break (one a text copied from another program holds) is named, not shown.
      refuseLine(QStringLiteral(" holds ") + common::characterText(outcome.letter) +
                 QStringLiteral(", which the database cannot hold."));
      return;
    case Result::NotUtf8:
      refuseLine(QStringLiteral(" holds bytes that are not UTF-8, which the file's mark says it is written in."));
      return;
    case Result::DatabaseUnreadable:
      p.msgBox(catalogue::cannotReadText(outcome.path) + QChar(13) + kNothingAdded, OKOnly, kTitle);
      finish();
      return;
    case Result::WriteFailed:
      if (!outcome.refusal.isEmpty() || outcome.pending) {
        p.msgBox(outcome.pending ? maintenance::pendingText(outcome.path, outcome.error) : outcome.refusal,
                 platform::msg::OKOnly + platform::msg::Exclamation, kTitle);
        finish();
        return;
      }
      p.msgBox(catalogue::unwritableText(QStringLiteral("The database file ") + outcome.path, outcome.error) +
                   QChar(13) +
                   (outcome.putBack ? kNothingAdded
                                    : QStringLiteral("The database files could not be put back as they were: "
                                                     "restore them from your backup.")),
               platform::msg::OKOnly + platform::msg::Exclamation, kTitle);
      finish();
      return;
    case Result::Applied: break;
  }
  changed_ = changed_ || outcome.added;
  p.msgBox(kUpdated, OKOnly, kTitle);
  if (Check1.Value() == 1) platform::deleteFile(filePath);
  finish();
  Unload();
}
