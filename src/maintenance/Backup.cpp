#include "maintenance/Backup.h"

#include "catalogue/database.h"
#include "maintenance/update_file.h"
#include "platform/files.h"
#include "platform/prompts.h"

#include <QDir>
#include <QFileInfo>

using platform::msg::OKOnly;

const QString Backup::kDiscBackup = QStringLiteral("MLDXbackup1.bxl");
const QString Backup::kTrackBackup = QStringLiteral("MLDXbackup2.bxl");

namespace {
const QString kDoneTitle = QStringLiteral("Back Up Data");
}  // namespace

Backup::Backup() : FormBase(Kind::Dialog, QStringLiteral("Backup Database"), QSize(520, 420)) {
  QFont bold = Label6.font();
  bold.setBold(true);
  Label6.setFont(bold);
  Label6.setCaption(Label6.Caption());
  cmdBrowse.setToolTipText(QStringLiteral("choose a folder"));

  Label6.movePx(16, 10);
  Label5.movePx(16, 34);
  Label2.movePx(16, 62);
  Drive1.movePx(16, 86, 300, 26);
  cmdBrowse.movePx(324, 84, 90, 28);
  Dir1.movePx(16, 118, 398, 200);
  Label1.movePx(16, 326);
  Label7.movePx(16, 350);
  Command1.movePx(296, 378, 100, 30);
  Command2.movePx(404, 378, 100, 30);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Drive1.Change = [this] { Drive1_Change(); };
  cmdBrowse.Click = [this] { cmdBrowse_Click(); };
  Dir1.Change = [this] { Dir1_Change(); };
  Dir1.Click = [this] { Dir1_Click(); };
}

void Backup::Form_Load() {
  const QString start = QDir::currentPath();
  Drive1.showDrive(maintenance::driveOf(start));
  Dir1.setPath(start);
  Label1.setCaption(Dir1.Path());
}

void Backup::Dir1_Change() {
  Drive1.showDrive(maintenance::driveOf(Dir1.Path()));
  Label1.setCaption(Dir1.Path());
}

void Backup::Dir1_Click() { Label1.setCaption(Dir1.Path()); }

void Backup::Drive1_Change() { maintenance::followDrive(Drive1, Dir1); }

void Backup::cmdBrowse_Click() { maintenance::chooseFolderFor(Dir1, Label2.Caption()); }

void Backup::Command2_Click() { Unload(); }

void Backup::Command1_Click() {
  auto& p = platform::prompts();
  const QString folder = Dir1.Path();
  const QString discCopy = platform::joinPath(folder, kDiscBackup);
  const QString trackCopy = platform::joinPath(folder, kTrackBackup);
  if (QFileInfo::exists(discCopy) || QFileInfo::exists(trackCopy)) {
    const int answer = p.msgBox(QStringLiteral("Files already exist. Do you want to overwrite"),
                                platform::msg::YesNo + platform::msg::Critical + platform::msg::DefaultButton2,
                                QStringLiteral("Back Up "));
    if (answer == platform::msg::No) return;
  }

  // Both database files are read before either copy is written, and the copies are written as
  // a pair: a backup folder never ends up with a new disc file beside an old track file.
  const QString discFile = platform::programFile(QString::fromLatin1(catalogue::kDiscFile));
  const QString trackFile = platform::programFile(QString::fromLatin1(catalogue::kTrackFile));
  const auto discs = maintenance::readFileBytes(discFile);
  const auto tracks = discs ? maintenance::readFileBytes(trackFile) : std::nullopt;
  if (!discs || !tracks) {
    p.msgBox(QStringLiteral("The database file ") + (discs ? trackFile : discFile) +
                 QStringLiteral(" cannot be read.") + QChar(13) + QStringLiteral("Nothing has been backed up."),
             OKOnly + platform::msg::Exclamation, kDoneTitle);
    return;
  }
  const maintenance::GroupWriteResult written =
      maintenance::replaceFilesTogether({{discCopy, *discs}, {trackCopy, *tracks}});
  if (!written) {
    p.msgBox(QStringLiteral("The backup file ") + written.failedPath + QStringLiteral(" could not be written (") +
                 written.error + QStringLiteral(").") + QChar(13) +
                 (written.putBack ? QStringLiteral("Nothing has been backed up.")
                                  : QStringLiteral("The backup files in this folder no longer match: please back up again.")),
             OKOnly + platform::msg::Exclamation, kDoneTitle);
    return;
  }
  p.msgBox(QStringLiteral("Data files have been backed up to the folder ") + Dir1.Path(), OKOnly, kDoneTitle);
  Unload();
}
