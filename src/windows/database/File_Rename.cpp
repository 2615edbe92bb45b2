#include "windows/database/File_Rename.h"

#include "maintenance/rename_plan.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>

using platform::msg::OKOnly;

const QString File_Rename::kRenamed = QStringLiteral("Files have been renamed");
const QString File_Rename::kAutoRename = QStringLiteral("Auto Rename CDG and MP3");

namespace {

std::unique_ptr<File_Rename> g_window;
const QString kTitle = QStringLiteral("File Rename");

// The words for one thing or for several, by their count.
QString byCount(qsizetype count, const QString& one, const QString& several) { return count == 1 ? one : several; }

// What a refusal that names a list of files tells about them, in the words for one file or for
// several.
QString listedFilesText(const maintenance::RenameProblem& problem) {
  using Kind = maintenance::RenameProblem::Kind;
  const auto named = [&problem](const QString& one, const QString& several) {
    return byCount(problem.names.size(), one, several);
  };
  const QString files = named("file ", "files ") + maintenance::joinedWithAnd(problem.names);
  switch (problem.kind) {
    case Kind::UnplacedFiles:
      return named("The name", "The names") + QStringLiteral(" of the ") + files + named(" fits", " fit") +
             QStringLiteral(" no single track of the list: which track ") + named("it is", "each of them is") +
             QStringLiteral(" cannot be told.");
    case Kind::OtherDisc:
      return QStringLiteral("The ") + files + named(" bears", " bear") + QStringLiteral(" the code of ") +
             byCount(problem.discs.size(), "disc ", "discs ") + maintenance::joinedWithAnd(problem.discs) +
             QStringLiteral(", which the database holds: ") + named("it is", "they are") +
             QStringLiteral(" another disc's ") + named("file.", "files.");
    case Kind::ChangedSince:
      return QStringLiteral("The ") + files + named(" bears", " bear") + QStringLiteral(" the ") +
             byCount(problem.discs.size(), "code ", "codes ") + maintenance::joinedWithAnd(problem.discs) +
             QStringLiteral(", which no disc in the database has, and titles that are not ") +
             named(QStringLiteral("track ") + problem.track + QStringLiteral("'s"), "the tracks' of their numbers") +
             QStringLiteral(": ") +
             named("its code and titles have changed since it was",
                   "their codes and titles "
                   "have changed since they were") +
             QStringLiteral(" named.");
    case Kind::MixedTypes:
      return QStringLiteral("The files listed are mp3 and cdg files, and the ") + files +
             named(" shares its name", " share their names") + QStringLiteral(" with no file of the other type: ") +
             named("which track it is", "which tracks they are") + QStringLiteral(" cannot be told.");
    case Kind::OtherDiscsSongs:
      return named("The name", "The names") + QStringLiteral(" of the ") + files + named(" holds", " hold") +
             QStringLiteral(" a song of ") + byCount(problem.discs.size(), "disc ", "discs ") +
             maintenance::joinedWithAnd(problem.discs) + QStringLiteral(", which the database holds, and no song of ") +
             QStringLiteral("the highlighted disc: ") +
             named("it is another disc's file.", "they are another disc's files.");
    case Kind::OtherArtist: {
      QStringList tracks;  // "disc AA101's track 03"
      for (size_t d = 0; d < problem.discTracks.size(); ++d)
        tracks << QStringLiteral("disc ") + problem.discs[qsizetype(d)] +
                      byCount(problem.discTracks[d].size(), "'s track ", "'s tracks ") +
                      maintenance::joinedWithAnd(problem.discTracks[d]);
      return named("The name", "The names") + QStringLiteral(" of the ") + files +
             named(" holds the song and artist of ", " hold the songs and artists of ") +
             maintenance::joinedWithAnd(tracks) +
             QStringLiteral(", which the database holds, not the highlighted disc's ") +
             named("artist: it is another disc's file.", "artists: they are another disc's files.");
    }
    case Kind::OtherTitles:
      return named("The name", "The names") + QStringLiteral(" of the ") + files + named(" holds", " hold") +
             QStringLiteral(" no song and no artist of disc ") + problem.discs.front() +
             QStringLiteral(", the highlighted disc that ") + named("it", "they") +
             QStringLiteral(" would be renamed after: ") +
             named("it looks like another disc's file.", "they look like another disc's files.");
    default: return {};
  }
}

// What a refusal tells about the set of renames it stops.
QString problemText(const maintenance::RenameProblem& problem) {
  using Kind = maintenance::RenameProblem::Kind;
  switch (problem.kind) {
    case Kind::BadName:
      return QStringLiteral("The name \"") + problem.to + QStringLiteral("\" for the file ") + problem.from +
             QStringLiteral(" (track ") + problem.track + QStringLiteral(") cannot be given: ") + problem.why +
             QStringLiteral(".");
    case Kind::TargetExists:
    case Kind::FolderExists:
      return QStringLiteral("The file ") + problem.from + QStringLiteral(" cannot be renamed to ") + problem.to +
             QStringLiteral(": a ") + (problem.kind == Kind::FolderExists ? "folder" : "file") +
             QStringLiteral(" of that name is already in the folder.");
    case Kind::SameTarget: return QStringLiteral("Two files would both be named ") + problem.to + QStringLiteral(".");
    case Kind::SeveralTracks:
      return QStringLiteral("The file ") + problem.from + QStringLiteral(" bears the name of tracks ") + problem.track +
             QStringLiteral(": which of them it is cannot be told.");
    case Kind::SharedTrack:
      return QStringLiteral("The files ") + problem.from + QStringLiteral(" and ") + problem.to +
             QStringLiteral(" both bear the name of track ") + problem.track +
             QStringLiteral(": which of them is that track cannot be told.");
    case Kind::UnpairedFiles:
      return QString::number(problem.files) + byCount(problem.files, " file bears", " files bear") +
             QStringLiteral(" no track's name but ") + QString::number(problem.tracks) +
             byCount(problem.tracks, " track has", " tracks have") +
             QStringLiteral(" no file: which file is which track cannot be told.");
    case Kind::UnplacedFiles:
    case Kind::OtherDisc:
    case Kind::ChangedSince:
    case Kind::MixedTypes:
    case Kind::OtherDiscsSongs:
    case Kind::OtherArtist:
    case Kind::OtherTitles: return listedFilesText(problem);
    case Kind::SplitPair:
      return QStringLiteral("The files ") + problem.from + QStringLiteral(" and ") + problem.to +
             (problem.track.isEmpty()
                  ? QStringLiteral(" share a name, but only ") + problem.from +
                        QStringLiteral(" would be renamed: the ") + maintenance::extensionOf(problem.to).mid(1) +
                        QStringLiteral(" files are not as many as the tracks.")
                  : QStringLiteral(" share a name but would get the names of tracks ") + problem.track +
                        QStringLiteral(": which track they are cannot be told."));
  }
  return {};
}

// After a rename: how many files of each type bear the names of which disc's tracks, whether any
// had to be renamed, and, as a name without a title cannot tell one disc's file from another's,
// which names held none.
QString renamedText(const std::vector<maintenance::RenameStep>& steps, const QString& disc) {
  const bool noneMoved = std::all_of(steps.begin(), steps.end(), [](const auto& s) { return s.from == s.to; });
  QStringList types;  // the extensions, without their dots, in the order the files come
  QHash<QString, qsizetype> ofType;
  QSet<QString> tracks;
  qsizetype untitled = 0;
  for (const maintenance::RenameStep& s : steps) {
    // A file that already bore its name was not renamed: the count tells only those that were.
    if (!noneMoved && s.from == s.to) continue;
    const QString type = maintenance::extensionOf(s.from).mid(1).toLower();
    if (!ofType.contains(type)) types << type;
    ++ofType[type];
    tracks.insert(s.track);
    untitled += s.untitled;
  }
  qsizetype total = 0;
  for (const qsizetype n : ofType) total += n;
  QStringList counts;
  for (const QString& type : types) counts << QString::number(ofType.value(type)) + QLatin1Char(' ') + type;
  // Files are told by their types when there are one or two, each a short extension ("mp3").
  const bool byType = types.size() <= 2 && std::all_of(types.begin(), types.end(), [](const QString& type) {
                        return !type.isEmpty() && type.size() <= 4 &&
                               std::all_of(type.begin(), type.end(), [](QChar c) { return c.isLetterOrNumber(); });
                      });
  const QString count = byType ? maintenance::joinedWithAnd(counts) : QString::number(total);
  if (noneMoved)
    return count + byCount(total, " file already bears the name", " files already bear the names") +
           QStringLiteral(" of disc ") + disc + byCount(tracks.size(), "'s track", "'s tracks") +
           QStringLiteral(": nothing has been renamed");
  QString text = count + byCount(total, " file has", " files have") + QStringLiteral(" been renamed after disc ") +
                 disc + byCount(tracks.size(), "'s track", "'s tracks");
  if (untitled == 0) return text;
  return text + QStringLiteral("; ") +
         (untitled == total ? byCount(total, "its name", "their names")
                            : byCount(untitled, "the name of ", "the names of ") + QString::number(untitled) +
                                  QStringLiteral(" of them")) +
         QStringLiteral(" held no title: check ") + byCount(untitled, "it is", "they are") +
         QStringLiteral(" this disc's");
}

// Under the closing message: the names given without the characters of the titles that
// file names cannot hold.
QString shortenedText(const QStringList& names) {
  return QStringLiteral("Characters that file names cannot hold were left out of the ") +
         byCount(names.size(), "name ", "names ") + maintenance::joinedWithAnd(names) + QStringLiteral(".");
}

// What the user can do about a refusal, where there is more to say than to fix the name shown.
QString wayForwardText(const maintenance::RenameProblem& problem) {
  using Kind = maintenance::RenameProblem::Kind;
  switch (problem.kind) {
    case Kind::UnpairedFiles:
    case Kind::UnplacedFiles:
      return QStringLiteral(
          "To rename them, give each file its track number alone as its name, as in 01.mp3, and rename again.");
    case Kind::MixedTypes:
      return QStringLiteral("To rename them, choose one type of file, or press ") + File_Rename::kAutoRename +
             QStringLiteral(".");
    case Kind::OtherDisc:
    case Kind::OtherDiscsSongs:
    case Kind::OtherArtist:
    case Kind::OtherTitles:
      return byCount(problem.names.size(), "To rename it after its own", "To rename them after their own") +
             QStringLiteral(" disc's tracks, highlight ") +
             (problem.kind == Kind::OtherTitles ? QStringLiteral("that disc")
                                                : maintenance::joinedWithAnd(problem.discs)) +
             QStringLiteral(" in the disc list and rename from there.");
    case Kind::ChangedSince:
      return QStringLiteral("To rename ") +
             byCount(problem.names.size(),
                     QStringLiteral("it as track ") + problem.track + QStringLiteral(", give it that number alone"),
                     QStringLiteral("them as the tracks of their numbers, give each file its number alone")) +
             QStringLiteral(" as its name, as in ") + problem.to + QStringLiteral(", and rename again.");
    default: return {};
  }
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
  File1.listSingleByteNames();  // renaming gives such a file a name of this system

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
  platform::OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4, &Option5, &Option6, &Option7, &Option8};
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
  Label4.setCaption(List3.ListCount() > 0 ? maintenance::trackFileName(option, maintenance::nameFields(List3.List(0)))
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

void File_Rename::refuse(const maintenance::RenameProblem& problem, const Pass& pass) {
  const QString wayForward = wayForwardText(problem);
  platform::prompts().msgBox(
      problemText(problem) + QChar(13) + pass.nothingDone + (wayForward.isEmpty() ? QString() : QChar(13) + wayForward),
      OKOnly + platform::msg::Exclamation, kTitle);
}

std::optional<std::vector<maintenance::RenameStep>> File_Rename::planListed(const Pass& pass) {
  // A run that lists mp3 and cdg files renames them as pairs, each type after the tracks; files
  // of other types count with the mp3 files, so that the count refuses them.
  // The folder as it is now: files renamed by hand since it was listed are seen by their names.
  File1.Refresh();
  std::vector<QStringList> runs = {File1.items()};
  if (const auto pairs = maintenance::mp3AndCdgPairs(runs.front())) {
    if (!pairs->unpaired.isEmpty()) {
      maintenance::RenameProblem problem{maintenance::RenameProblem::Kind::MixedTypes, {}, {}, {}, {}};
      problem.names = pairs->unpaired;
      refuse(problem, pass);
      return std::nullopt;
    }
    runs = {pairs->mp3 + pairs->others, pairs->cdg};
  }
  const int tracks = List3.ListCount();
  for (const QStringList& run : runs)
    if (const auto files = int(run.size()); tracks != files) {
      platform::prompts().msgBox(QString::number(tracks) + QStringLiteral(" --->>> ") + QString::number(files), OKOnly,
                                 QStringLiteral("Number of Files Mismatch"));
      return std::nullopt;
    }
  std::vector<maintenance::RenameStep> steps;
  for (const QStringList& run : runs) {
    maintenance::RenamePlan plan =
        maintenance::planRenames(List3.items(), run, selectedOption(), heldDiscs, otherDiscsSongs);
    if (plan.problem) {
      refuse(*plan.problem, pass);
      return std::nullopt;
    }
    steps.insert(steps.end(), plan.steps.begin(), plan.steps.end());
  }
  return steps;
}

bool File_Rename::checkNames(const std::vector<maintenance::RenameStep>& steps, const Pass& pass) {
  // Every new name is checked before the first file is touched: no rename may take a name that
  // a file still bears, no two files may get the same name, and every name must suit every disk.
  const QString folder = Dir1.Path();
  const auto problem = maintenance::checkRenames(steps, maintenance::namesInFolder(folder),
                                                 maintenance::foldsCase(folder), maintenance::subfoldersIn(folder));
  if (problem) refuse(*problem, pass);
  return !problem;
}

bool File_Rename::runRenames(const std::vector<maintenance::RenameStep>& steps, const Pass& pass) {
  const QString folder = Dir1.Path();
  const bool foldCase = maintenance::foldsCase(folder);
  size_t failed = steps.size();
  QString why;
  {
    platform::BusyScope busy;
    for (size_t i = 0; i < steps.size(); ++i) {
      const maintenance::RenameStep& s = steps[i];
      if (s.from == s.to) continue;
      // The file system is asked again at the moment of the rename: never onto an existing file.
      why = maintenance::moveName(folder, s.from, s.to, foldCase);
      if (!why.isEmpty()) {
        failed = i;
        break;
      }
      platform::letEventsThroughSliced();
    }
  }
  File1.Refresh();
  platform::letEventsThrough();
  if (failed == steps.size()) return true;
  // The files before the one refused have their new names, and so have those after it that
  // bore them already.
  const auto renamed = qsizetype(failed) + std::count_if(steps.begin() + qsizetype(failed) + 1, steps.end(),
                                                         [](const auto& s) { return s.from == s.to; });
  const maintenance::RenameStep& s = steps[failed];
  platform::prompts().msgBox(
      QStringLiteral("The file ") + s.from + QStringLiteral(" could not be renamed to ") + s.to + QStringLiteral(": ") +
          why + QStringLiteral(".") + QChar(13) + QString::number(renamed) + QStringLiteral(" of ") +
          QString::number(steps.size()) + QLatin1Char(' ') + pass.files +
          QStringLiteral(" have their new names; the others keep their old names.") + pass.alsoDone,
      OKOnly + platform::msg::Exclamation, kTitle);
  return false;
}

bool File_Rename::renameListed(const Pass& pass, const std::vector<maintenance::RenameStep>& earlier) {
  const auto steps = planListed(pass);
  if (!steps || !checkNames(*steps, pass) || !runRenames(*steps, pass)) return false;
  std::vector<maintenance::RenameStep> all = earlier;
  all.insert(all.end(), steps->begin(), steps->end());
  QStringList shortened;
  for (const maintenance::RenameStep& s : all)
    if (s.shortened && s.from != s.to) shortened << s.to.chopped(maintenance::extensionOf(s.to).size());
  shortened.removeDuplicates();
  const QString done = all.empty() ? kRenamed : renamedText(all, maintenance::nameFields(List3.List(0)).disc);
  platform::prompts().msgBox(done + (shortened.isEmpty() ? QString() : QChar(13) + shortenedText(shortened)), OKOnly,
                             kTitle);
  return true;
}

void File_Rename::Command1_Click() {
  if (running_) return;
  setRunning(true);
  renameListed(Pass{QStringLiteral("files"), QStringLiteral("No file has been renamed."), {}});
  setRunning(false);
}

void File_Rename::Command3_Click() {
  if (running_) return;
  setRunning(true);
  Combo1.setText(QStringLiteral("*.mp3"));
  platform::letEventsThrough();
  const Pass mp3{QStringLiteral("mp3 files"), QStringLiteral("No file has been renamed."),
                 QStringLiteral(" No cdg file has been renamed.")};
  if (const auto mp3Steps = planListed(mp3)) {
    // The cdg files' new names are checked with the mp3 files' before any file moves, and an
    // mp3 and a cdg file that share a name must get one track's. When the cdg count is wrong the
    // mp3 files are renamed and the cdg pass stops at its count, unless an mp3 file would leave
    // its cdg file behind.
    std::vector<maintenance::RenameStep> all = *mp3Steps;
    const QStringList cdgFiles = maintenance::listMatchingFiles(Dir1.Path(), QStringLiteral("*.cdg"), true);
    maintenance::RenamePlan cdg;
    if (cdgFiles.size() == List3.ListCount()) {
      cdg = maintenance::planRenames(List3.items(), cdgFiles, selectedOption(), heldDiscs, otherDiscsSongs);
      all.insert(all.end(), cdg.steps.begin(), cdg.steps.end());
    } else {
      for (const QString& file : cdgFiles) all.push_back({file, file});
    }
    if (cdg.problem) {
      refuse(*cdg.problem, mp3);
    } else if (checkNames(all, mp3) && runRenames(*mp3Steps, mp3)) {
      platform::letEventsThrough();
      platform::letEventsThrough();
      Combo1.setText(QStringLiteral("*.cdg"));
      platform::letEventsThrough();
      renameListed(Pass{QStringLiteral("cdg files"),
                        QStringLiteral("The mp3 files have their new names; no cdg file has been renamed."),
                        QStringLiteral(" The mp3 files have their new names.")},
                   *mp3Steps);
      platform::letEventsThrough();
      Combo1.setText(QStringLiteral("*"));
    }
  }
  setRunning(false);
}
