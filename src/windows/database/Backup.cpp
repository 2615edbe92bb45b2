#include "windows/database/Backup.h"

#include "catalogue/database.h"
#include "maintenance/track_database.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"

#include <QFile>
#include <QFileInfo>

using platform::msg::OKOnly;

const QString Backup::kDiscBackup = QString::fromLatin1(maintenance::kDiscBackupFile);
const QString Backup::kTrackBackup = QString::fromLatin1(maintenance::kTrackBackupFile);

namespace {
const QString kDoneTitle = QStringLiteral("Back Up Data");
}  // namespace

Backup::Backup()
    : DataFolderWindow({QStringLiteral("Backup Database"), QStringLiteral("Use this window to Backup your data files"),
                        QStringLiteral("Select a folder then click the Save button"),
                        QStringLiteral("Select a folder to save data files"),
                        QStringLiteral("To Restore your data files, select Restore from the File menu"),
                        QStringLiteral("Save")}) {}

void Backup::Command1_Click() {
  auto& p = platform::prompts();
  const QString folder = Dir1.Path();
  const QString discCopy = platform::joinPath(folder, kDiscBackup);
  const QString trackCopy = platform::joinPath(folder, kTrackBackup);
  // Scratch copies left by a backup that was stopped before they were complete.
  for (const QString& copy : {discCopy, trackCopy})
    if (QFileInfo(platform::scratchPathOf(copy)).isFile()) QFile::remove(platform::scratchPathOf(copy));
  if (QFileInfo::exists(discCopy) || QFileInfo::exists(trackCopy)) {
    const int answer = p.msgBox(QStringLiteral("Files already exist. Do you want to overwrite"),
                                platform::msg::YesNo + platform::msg::Critical + platform::msg::DefaultButton2,
                                QStringLiteral("Back Up "));
    if (answer == platform::msg::No) return;
  }

  // Both database files are read before either copy is written, and the copies are written as
  // a pair: a backup folder never ends up with a new disc file beside an old track file.
  const bool copied = copyTogether(
      {{catalogue::discFilePath(), discCopy}, {catalogue::trackFilePath(), trackCopy}},
      {QStringLiteral("The database file "), QStringLiteral("The backup file "),
       QStringLiteral("Nothing has been backed up."),
       QStringLiteral("The backup files in this folder no longer match: please back up again."), kDoneTitle});
  if (!copied) return;
  p.msgBox(QStringLiteral("Data files have been backed up to the folder ") + Dir1.Path(), OKOnly, kDoneTitle);
  Unload();
}
