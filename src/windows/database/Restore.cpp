#include "windows/database/Restore.h"

#include "catalogue/database.h"
#include "maintenance/track_database.h"
#include "platform/core/files.h"
#include "platform/ui/prompts.h"
#include "windows/database/Backup.h"

using platform::msg::OKOnly;

namespace {
const QString kErrorTitle = QStringLiteral("Restore Error");
}  // namespace

const QString Restore::kCaption = QStringLiteral("Restore Database");

Restore::Restore()
    : DataFolderWindow({kCaption, QStringLiteral("Use this window to Restore your data files"),
                        QStringLiteral("Select the folder where data files were saved then click the Restore button"),
                        QStringLiteral("Select the the folder where data files are located"),
                        QStringLiteral("To Backup your data files, select Backup from the File menu"),
                        QStringLiteral("&Restore")}) {}

void Restore::Command1_Click() {
  auto& p = platform::prompts();
  const QString folder = Dir1.Path();
  const QString discCopy = platform::joinPath(folder, Backup::kDiscBackup);
  const QString trackCopy = platform::joinPath(folder, Backup::kTrackBackup);
  if (!platform::fileExists(discCopy) || !platform::fileExists(trackCopy)) {
    p.msgBox(QStringLiteral("Data files NOT found"), OKOnly, kErrorTitle);
    return;
  }
  if (!beforeWrite.letsChangeGoAhead()) return;

  // Both backups are read whole before the database is touched, and the two database files are
  // replaced as a pair: a failure puts back the one already replaced.
  const bool copied =
      copyTogether({{discCopy, catalogue::discFilePath()}, {trackCopy, catalogue::trackFilePath()}},
                   {QStringLiteral("The backup file "), QStringLiteral("The database file "),
                    QStringLiteral("Your database has not been changed."),
                    QStringLiteral("The database files no longer match: please restore again."), kErrorTitle});
  if (!copied) return;
  changed_ = true;
  p.msgBox(QStringLiteral("Data files have been restored from backup."), OKOnly, QStringLiteral("Restore Data"));
  Unload();
}
