#include "windows/update.h"

#include "maintenance/rename_plan.h"
#include "maintenance/track_database.h"
#include "maintenance/update_file.h"
#include "platform/busy.h"
#include "platform/files.h"
#include "platform/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

using platform::msg::OKOnly;

namespace windows {

using namespace maintenance;

namespace {

QString cleanFolder(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

}  // namespace

QStringList driveRoots() {
  QStringList roots;
  for (const QFileInfo& root : QDir::drives()) roots << cleanFolder(root.absolutePath());
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString r = cleanFolder(volume.rootPath());
    if (volume.isValid() && volume.isReady() && QFileInfo(r).isDir() && !roots.contains(r)) roots << r;
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

QString driveOf(const QString& path) {
  const QString clean = cleanFolder(path);
  QString best;
  for (const QString& r : driveRoots()) {
    const QString prefix = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
    if ((clean == r || (clean + QLatin1Char('/')).startsWith(prefix)) && r.size() > best.size()) best = r;
  }
  return best.isEmpty() ? QDir::rootPath() : best;
}

void followDrive(DriveListBox& drive, DirListBox& dir) {
  if (dir.setPath(drive.Drive())) return;
  platform::prompts().msgBox(QStringLiteral("Drive not ready"), platform::msg::OKOnly, QString());
  const QString home = driveOf(platform::programFolder());
  if (drive.Drive() != home) drive.setDrive(home);
}

void chooseFolderFor(DirListBox& dir, const QString& title) {
  const auto folder = platform::prompts().chooseFolder(title, dir.Path());
  if (folder && !folder->isEmpty() && !dir.setPath(*folder))
    platform::prompts().msgBox(QStringLiteral("The folder ") + *folder + QStringLiteral(" cannot be read."),
                               platform::msg::OKOnly, title);
}

// ---------------------------------------------------------------- drive list

DriveListBox::DriveListBox(platform::FormBase* form, QWidget* parent, const QString& name)
    : ComboBox(form, parent, name, Style::DropdownList, false) {
  for (const QString& root : driveRoots()) AddItem(root);
  Click = [this] {
    if (!quiet_ && Change) Change();
  };
}

int DriveListBox::indexOf(const QString& drive) {
  for (int i = 0; i < ListCount(); ++i)
    if (List(i) == drive) return i;
  AddItem(drive);
  return ListCount() - 1;
}

void DriveListBox::setDrive(const QString& drive) { setListIndex(indexOf(drive)); }

void DriveListBox::showDrive(const QString& drive) {
  quiet_ = true;
  setListIndex(indexOf(drive));
  quiet_ = false;
}

// ---------------------------------------------------------------- folder list

DirListBox::DirListBox(platform::FormBase* form, QWidget* parent, const QString& name)
    : ListBox(form, parent, name, Style::Standard, MultiSelect::None, false) {
  DblClick = [this] { openHighlighted(); };
  KeyDown = [this](int& keyCode, int) {
    if (keyCode != platform::keys::Return) return;
    keyCode = 0;
    openHighlighted();
  };
}

QString DirListBox::folderAt(int row) const {
  return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)] : QString();
}

void DirListBox::openHighlighted() {
  const QString folder = folderAt(ListIndex());
  if (!folder.isEmpty() && !setPath(folder)) platform::beep();
}

bool DirListBox::setPath(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(path).isReadable()) return false;
  const QString folder = cleanFolder(path);

  // The chain of folders from the root down to the open one.
  std::vector<QString> chain;
  for (QDir d(folder);;) {
    chain.insert(chain.begin(), cleanFolder(d.absolutePath()));
    if (d.isRoot() || !d.cdUp()) break;
  }
  QStringList texts;
  rows_.clear();
  int depth = 0;
  for (const QString& f : chain) {
    const QString shown = QDir(f).isRoot() ? f : QFileInfo(f).fileName();
    texts << QString(depth * 2, QLatin1Char(' ')) + shown;
    rows_.push_back(f);
    ++depth;
  }
  for (const QString& sub : listSubfolders(folder)) {
    texts << QString(depth * 2, QLatin1Char(' ')) + sub;
    rows_.push_back(folder.endsWith(QLatin1Char('/')) ? folder + sub : folder + QLatin1Char('/') + sub);
  }
  Clear();
  addItems(texts);

  const bool changed = folder != path_;
  path_ = folder;
  if (changed && Change) Change();
  return true;
}

// ---------------------------------------------------------------- file list

FileListBox::FileListBox(platform::FormBase* form, QWidget* parent, const QString& name, const QString& pattern)
    : ListBox(form, parent, name, Style::Standard, MultiSelect::None, false), pattern_(pattern) {}

void FileListBox::setPath(const QString& path) {
  path_ = cleanFolder(path);
  Refresh();
}

void FileListBox::setPattern(const QString& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileListBox::Refresh() {
  Clear();
  if (!path_.isEmpty()) addItems(listMatchingFiles(path_, pattern_));
}

}  // namespace windows

// ---------------------------------------------------------------- the update window

const QString update::kNotUpdateFile =
    QStringLiteral("This is not a Mellowdex Update file") + QChar(13) + QStringLiteral("Please try again using the correct file");
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
  switch (outcome.result) {
    case Result::NotUpdateFile:
      p.msgBox(kNotUpdateFile, OKOnly, kTitle);
      finish();
      return;
    case Result::BrokenRecord:
      p.msgBox(QStringLiteral("Line ") + QString::number(outcome.brokenLine) +
                   QStringLiteral(" of the update file is not a whole track record.") + QChar(13) + kNothingAdded,
               OKOnly, kTitle);
      finish();
      return;
    case Result::DatabaseUnreadable:
      p.msgBox(maintenance::cannotReadText(outcome.path) + QChar(13) + kNothingAdded, OKOnly, kTitle);
      finish();
      return;
    case Result::WriteFailed:
      if (!outcome.refusal.isEmpty() || outcome.pending) {
        p.msgBox(outcome.pending ? maintenance::pendingText(outcome.path, outcome.error) : outcome.refusal,
                 platform::msg::OKOnly + platform::msg::Exclamation, kTitle);
        finish();
        return;
      }
      p.msgBox(QStringLiteral("The database file ") + outcome.path + QStringLiteral(" could not be written (") +
                   outcome.error + QStringLiteral(").") + QChar(13) +
                   (outcome.putBack ? kNothingAdded
                                    : QStringLiteral("The database files could not be put back as they were: "
                                                     "restore them from your backup.")),
               platform::msg::OKOnly + platform::msg::Exclamation, kTitle);
      finish();
      return;
    case Result::Applied:
      break;
  }
  p.msgBox(kUpdated, OKOnly, kTitle);
  if (Check1.Value() == 1) platform::deleteFile(filePath);
  finish();
  Unload();
}
