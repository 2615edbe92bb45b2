#include "maintenance/Restore.h"

#include "catalogue/database.h"
#include "maintenance/Backup.h"
#include "maintenance/update_file.h"
#include "platform/files.h"
#include "platform/prompts.h"

#include <QDir>

using platform::msg::OKOnly;

namespace {
const QString kErrorTitle = QStringLiteral("Restore Error");
const QString kUnchanged = QStringLiteral("Your database has not been changed.");
}  // namespace

Restore::Restore() : FormBase(Kind::Dialog, QStringLiteral("Restore Database"), QSize(520, 420)) {
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

void Restore::Form_Load() {
  const QString start = QDir::currentPath();
  Drive1.showDrive(maintenance::driveOf(start));
  Dir1.setPath(start);
  Label1.setCaption(Dir1.Path());
}

void Restore::Dir1_Change() {
  Drive1.showDrive(maintenance::driveOf(Dir1.Path()));
  Label1.setCaption(Dir1.Path());
}

void Restore::Dir1_Click() { Label1.setCaption(Dir1.Path()); }

void Restore::Drive1_Change() { maintenance::followDrive(Drive1, Dir1); }

void Restore::cmdBrowse_Click() { maintenance::chooseFolderFor(Dir1, Label2.Caption()); }

void Restore::Command2_Click() { Unload(); }

void Restore::Command1_Click() {
  auto& p = platform::prompts();
  const QString folder = Dir1.Path();
  const QString discCopy = platform::joinPath(folder, Backup::kDiscBackup);
  const QString trackCopy = platform::joinPath(folder, Backup::kTrackBackup);
  if (!platform::fileExists(discCopy) || !platform::fileExists(trackCopy)) {
    p.msgBox(QStringLiteral("Data files NOT found"), OKOnly, kErrorTitle);
    return;
  }

  // Both backups are read whole before the database is touched, and the two database files are
  // replaced as a pair: a failure puts back the one already replaced.
  const auto discs = maintenance::readFileBytes(discCopy);
  const auto tracks = discs ? maintenance::readFileBytes(trackCopy) : std::nullopt;
  if (!discs || !tracks) {
    p.msgBox(QStringLiteral("The backup file ") + (discs ? trackCopy : discCopy) + QStringLiteral(" cannot be read.") +
                 QChar(13) + kUnchanged,
             OKOnly + platform::msg::Exclamation, kErrorTitle);
    return;
  }
  const QString discFile = platform::programFile(QString::fromLatin1(catalogue::kDiscFile));
  const QString trackFile = platform::programFile(QString::fromLatin1(catalogue::kTrackFile));
  const maintenance::GroupWriteResult written =
      maintenance::replaceFilesTogether({{discFile, *discs}, {trackFile, *tracks}});
  if (!written) {
    p.msgBox(QStringLiteral("The database file ") + written.failedPath + QStringLiteral(" could not be written (") +
                 written.error + QStringLiteral(").") + QChar(13) +
                 (written.putBack ? kUnchanged
                                  : QStringLiteral("The database files no longer match: please restore again.")),
             OKOnly + platform::msg::Exclamation, kErrorTitle);
    return;
  }
  p.msgBox(QStringLiteral("Data files have been restored from backup."), OKOnly, QStringLiteral("Restore Data"));
  Unload();
}
