#include "windows/database/File_Rename.h"

#include "maintenance/rename_plan.h"
#include "platform/busy.h"
#include "platform/files.h"
#include "platform/prompts.h"

#include <QDir>

#include <memory>

using platform::msg::OKOnly;

const QString File_Rename::kRenamed = QStringLiteral("Files have been renamed");

namespace {

std::unique_ptr<File_Rename> g_window;
const QString kTitle = QStringLiteral("File Rename");

QString problemText(const maintenance::RenameProblem& problem) {
  using Kind = maintenance::RenameProblem::Kind;
  QString why;
  switch (problem.kind) {
    case Kind::BadName:
      why = QStringLiteral("The name \"") + problem.to + QStringLiteral("\" for the file ") + problem.from +
            QStringLiteral(" holds a character that file names cannot hold.");
      break;
    case Kind::TargetExists:
      why = QStringLiteral("The file ") + problem.from + QStringLiteral(" cannot be renamed to ") + problem.to +
            QStringLiteral(": a file of that name is already in the folder.");
      break;
    case Kind::SameTarget:
      why = QStringLiteral("Two files would both be named ") + problem.to + QStringLiteral(".");
      break;
  }
  return why + QChar(13) + QStringLiteral("No file has been renamed.");
}

}  // namespace

File_Rename::File_Rename() : FormBase(Kind::Dialog, QStringLiteral("Rename Files"), QSize(780, 600)) {
  QFont bold = Label4.font();
  bold.setBold(true);
  Label4.setFont(bold);
  Label6.setFont(bold);
  Label6.setCaption(Label6.Caption());
  List3.setFixedPitchFont(QStringLiteral("Courier New"), 8.25);
  for (const char* type : {"*.mp3", "*.cdg", "*.bin", "*"}) Combo1.AddItem(QString::fromLatin1(type));
  Combo1.setText(QStringLiteral("*"));
  Combo1.setToolTipText(QStringLiteral("Select File Type"));
  Command3.setToolTipText(QStringLiteral("Rename CDG and MP3 files with one click"));
  cmdBrowse.setToolTipText(QStringLiteral("choose a folder"));

  Label6.movePx(16, 10);
  Label5.movePx(16, 32);
  Label1.movePx(16, 58);
  List3.movePx(16, 80, 748, 170);
  Label2.movePx(16, 262);
  Drive1.movePx(16, 286, 200, 26);
  cmdBrowse.movePx(222, 284, 84, 28);
  Combo1.movePx(316, 286, 120, 26);
  Dir1.movePx(16, 318, 290, 190);
  File1.movePx(316, 318, 200, 190);
  Label3.movePx(530, 262);
  Label7.movePx(530, 286);
  platform::OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4,
                                       &Option5, &Option6, &Option7, &Option8};
  for (int i = 0; i < 8; ++i) options[i]->movePx(530, 312 + i * 24, 236, 22);
  Label4.movePx(16, 518);
  Command1.movePx(316, 550, 140, 32);
  Command3.movePx(464, 550, 190, 32);
  Command2.movePx(662, 550, 100, 32);

  Option1.Click = [this] { Option1_Click(); };
  Option2.Click = [this] { Option2_Click(); };
  Option3.Click = [this] { Option3_Click(); };
  Option4.Click = [this] { Option4_Click(); };
  Option5.Click = [this] { Option5_Click(); };
  Option6.Click = [this] { Option6_Click(); };
  Option7.Click = [this] { Option7_Click(); };
  Option8.Click = [this] { Option8_Click(); };
  Combo1.Change = [this] { Combo1_Change(); };
  Combo1.Click = [this] { Combo1_Click(); };
  Drive1.Change = [this] { Drive1_Change(); };
  cmdBrowse.Click = [this] { cmdBrowse_Click(); };
  Dir1.Change = [this] { Dir1_Change(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
}

File_Rename& File_Rename::instance() {
  if (!g_window) g_window = std::make_unique<File_Rename>();
  g_window->Load();
  return *g_window;
}

bool File_Rename::isInstanceLoaded() { return g_window && g_window->isLoaded(); }

void File_Rename::release() { g_window.reset(); }

void File_Rename::Form_Load() {
  Option1.setValue(true);
  const QString start = QDir::currentPath();
  Drive1.showDrive(windows::driveOf(start));
  Dir1.setPath(start);
  File1.setPattern(Combo1.Text());
  File1.setPath(Dir1.Path());
}

void File_Rename::Form_Activate() {
  Option1_Click();
  File1.setPattern(Combo1.Text());
}

void File_Rename::Form_Unload(int& cancel) {
  if (running_) cancel = 1;  // a rename in progress finishes first
}

int File_Rename::selectedOption() const {
  const platform::OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4,
                                             &Option5, &Option6, &Option7, &Option8};
  for (int i = 0; i < 8; ++i)
    if (options[i]->Value()) return i + 1;
  return 1;
}

void File_Rename::showSample(int option) {
  // With an empty track list (a disc without tracks) there is nothing to show.
  Label4.setCaption(List3.ListCount() > 0
                        ? maintenance::patternName(option, maintenance::nameFields(List3.List(0)))
                        : QString());
}

void File_Rename::Option1_Click() { showSample(1); }
void File_Rename::Option2_Click() { showSample(2); }
void File_Rename::Option3_Click() { showSample(3); }
void File_Rename::Option4_Click() { showSample(4); }
void File_Rename::Option5_Click() { showSample(5); }
void File_Rename::Option6_Click() { showSample(6); }
void File_Rename::Option7_Click() { showSample(7); }
void File_Rename::Option8_Click() { showSample(8); }

void File_Rename::Combo1_Change() { File1.setPattern(Combo1.Text()); }
void File_Rename::Combo1_Click() { File1.setPattern(Combo1.Text()); }

void File_Rename::Drive1_Change() { windows::followDrive(Drive1, Dir1); }

void File_Rename::Dir1_Change() {
  Drive1.showDrive(windows::driveOf(Dir1.Path()));
  File1.setPath(Dir1.Path());
}

void File_Rename::cmdBrowse_Click() { windows::chooseFolderFor(Dir1, Label2.Caption()); }

void File_Rename::Command2_Click() { Unload(); }

void File_Rename::setRunning(bool on) {
  running_ = on;
  setEnabled(!on);
}

bool File_Rename::renameListed(bool tellDone) {
  auto& p = platform::prompts();
  const int tracks = List3.ListCount();
  const int files = File1.ListCount();
  if (tracks != files) {
    p.msgBox(QString::number(tracks) + QStringLiteral(" --->>> ") + QString::number(files), OKOnly,
             QStringLiteral("Number of Files Mismatch"));
    return false;
  }

  // Every new name is checked before the first file is touched: no rename may take a name that
  // a file still bears, and no two files may get the same name.
  const QString folder = Dir1.Path();
  const std::vector<maintenance::RenameStep> steps =
      maintenance::planRenames(List3.items(), File1.items(), selectedOption());
  const bool foldCase = maintenance::foldsCase(folder);
  if (const auto problem = maintenance::checkRenames(steps, maintenance::namesInFolder(folder), foldCase)) {
    p.msgBox(problemText(*problem), OKOnly + platform::msg::Exclamation, kTitle);
    return false;
  }

  const maintenance::RenameStep* failed = nullptr;
  {
    platform::BusyScope busy;
    for (const maintenance::RenameStep& s : steps) {
      if (s.from == s.to) continue;
      // The file system is asked again at the moment of the rename: never onto an existing file.
      if (!maintenance::moveName(folder, s.from, s.to, foldCase)) {
        failed = &s;
        break;
      }
      platform::letEventsThroughSliced();
    }
  }
  File1.Refresh();
  platform::letEventsThrough();
  if (failed) {
    p.msgBox(QStringLiteral("The file ") + failed->from + QStringLiteral(" could not be renamed to ") + failed->to +
                 QStringLiteral(".") + QChar(13) +
                 QStringLiteral("The files before it have their new names; it and the files after it keep their names."),
             OKOnly + platform::msg::Exclamation, kTitle);
    return false;
  }
  if (tellDone) p.msgBox(kRenamed, OKOnly, kTitle);
  return true;
}

void File_Rename::Command1_Click() {
  if (running_) return;
  setRunning(true);
  renameListed(true);
  setRunning(false);
}

void File_Rename::Command3_Click() {
  if (running_) return;
  setRunning(true);
  Combo1.setText(QStringLiteral("*.mp3"));
  platform::letEventsThrough();
  if (renameListed(false)) {
    platform::letEventsThrough();
    platform::letEventsThrough();
    Combo1.setText(QStringLiteral("*.cdg"));
    platform::letEventsThrough();
    renameListed(true);
    platform::letEventsThrough();
    Combo1.setText(QStringLiteral("*"));
  }
  setRunning(false);
}
