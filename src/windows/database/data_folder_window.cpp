#include "windows/database/data_folder_window.h"

#include "catalogue/database.h"
#include "maintenance/track_database.h"
#include "platform/ui/prompts.h"

#include <QDir>

#include <optional>

namespace windows {

using namespace maintenance;

DataFolderWindow::DataFolderWindow(const Captions& c)
    : FormBase(Kind::Dialog, c.window, QSize(520, 420)),
      Label6(this, client(), QStringLiteral("Label6"), c.label6),
      Label5(this, client(), QStringLiteral("Label5"), c.label5),
      Label2(this, client(), QStringLiteral("Label2"), c.label2),
      Label7(this, client(), QStringLiteral("Label7"), c.label7),
      Command1(this, client(), QStringLiteral("Command1"), c.command1) {
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

void DataFolderWindow::Form_Load() {
  const QString start = QDir::currentPath();
  Drive1.showDrive(driveOf(start));
  Dir1.setPath(start);
  Label1.setCaption(Dir1.Path());
}

void DataFolderWindow::Dir1_Change() {
  Drive1.showDrive(driveOf(Dir1.Path()));
  Label1.setCaption(Dir1.Path());
}

void DataFolderWindow::Dir1_Click() { Label1.setCaption(Dir1.Path()); }

void DataFolderWindow::Drive1_Change() { followDrive(Drive1, Dir1); }

void DataFolderWindow::cmdBrowse_Click() { chooseFolderFor(Dir1, Label2.Caption()); }

void DataFolderWindow::Command2_Click() { Unload(); }

bool DataFolderWindow::copyTogether(const std::vector<Copy>& copies, const CopyTexts& texts) {
  // The sources are read under the change's lock, after any change left unfinished is finished;
  // the lock is let go before any box waits for the user.
  ChangeScope change;
  const auto tell = [&](const QString& text) {
    change.release();
    platform::prompts().msgBox(text, platform::msg::OKOnly + platform::msg::Exclamation, texts.title);
  };
  if (!change) {
    tell(change.refusal());
    return false;
  }
  std::vector<FileWrite> writes;
  for (const Copy& copy : copies) {
    std::optional<QByteArray> bytes = readFileBytes(copy.from);
    if (!bytes) {
      tell(catalogue::unreadableText(texts.source + copy.from) + QChar(13) + texts.nothingDone);
      return false;
    }
    writes.push_back({copy.to, std::move(*bytes)});
  }
  const GroupWriteResult written = replaceFilesTogether(writes);
  if (!written.refusal.isEmpty()) {
    tell(written.refusal);
    return false;
  }
  if (written.pending) {
    tell(pendingText(written.failedPath, written.error));
    return false;
  }
  if (!written) {
    tell(catalogue::unwritableText(texts.target + written.failedPath, written.error) + QChar(13) +
         (written.putBack ? texts.nothingDone : texts.mismatch));
    return false;
  }
  return true;
}

}  // namespace windows
