// Song-list benchmarks: Create List, Tick All, the sort tabs, duplicate removal and the case
// commands, driven through the main window over generated databases of 100,000 and 500,000
// tracks. Each benchmark reports the resident-memory high-water mark of its timed run as
// peak_MB.
#include "bench_support.h"
#include "db_generator.h"
#include "platform/ui/prompts.h"
#include "platform/ui/screen.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr int kSmallDatabase = 100'000;
constexpr int kLargeDatabase = 500'000;
constexpr int kListCap = 32'731;

// ---------------------------------------------------------------- peak memory

// Resident-set high-water mark of the process in MB (VmHWM), or -1 when it cannot be read.
double peakResidentMB() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  double mb = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) {
      mb = std::strtod(line + 6, nullptr) / 1024.0;  // the figure is in kB
      break;
    }
  }
  std::fclose(status);
  return mb;
}

// Hands freed heap back to the system and restarts the high-water mark from the present
// resident size, so that each benchmark reports its own peak rather than the largest of the
// whole process. Where the kernel refuses, the figure stays the process-wide peak.
void restartPeakResident() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
  std::ofstream clear("/proc/self/clear_refs");
  if (clear) clear << "5";
}

void reportPeak(benchmark::State& state) { state.counters["peak_MB"] = peakResidentMB(); }

// ---------------------------------------------------------------- databases and windows

// The generated program folders, made once per process on first use.
std::map<int, std::unique_ptr<QTemporaryDir>>& databases() {
  static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
  return folders;
}

QString databaseFolder(int tracks) {
  auto& folders = databases();
  auto found = folders.find(tracks);
  if (found != folders.end()) return found->second->path();
  auto dir = std::make_unique<QTemporaryDir>();
  if (!dir->isValid()) throw std::runtime_error("cannot create a temporary folder");
  tools::generateDatabase(dir->path().toStdString(), std::size_t(tracks), 1);
  const QString path = dir->path();
  folders.emplace(tracks, std::move(dir));
  return path;
}

// A main window over the database of the given size, shown and with its disc list loaded.
std::unique_ptr<Form1> openWindow(int tracks) {
  const QString folder = databaseFolder(tracks);
  setenv("MELLOWDEX_HOME", folder.toLocal8Bit().constData(), 1);
  auto form = std::make_unique<Form1>();
  form->Show();
  QCoreApplication::processEvents();
  return form;
}

void tickDiscs(Form1& f, int every) {
  for (int i = 0; i < f.List1.ListCount(); ++i) f.List1.setSelected(i, i % every == 0);
  QCoreApplication::processEvents();
}

void untickAll(Form1& f) {
  for (int i = 0; i < f.List1.ListCount(); ++i)
    if (f.List1.Selected(i)) f.List1.setSelected(i, false);
  QCoreApplication::processEvents();
}

// Every disc of the large database ticked and Create List pressed: the list stops at the cap.
std::unique_ptr<Form1> openFullList() {
  auto form = openWindow(kLargeDatabase);
  tickDiscs(*form, 1);
  form->cmdGet_Tracks_Click();
  QCoreApplication::processEvents();
  return form;
}

void checkFullList(benchmark::State& state, const Form1& f) {
  if (f.List2.ListCount() != kListCap)
    state.SkipWithError(
        ("the song list holds " + std::to_string(f.List2.ListCount()) + " lines, not " + std::to_string(kListCap))
            .c_str());
}

void replaceList(Form1& f, const QStringList& lines) {
  f.List2.Clear();
  f.List2.addItems(lines);
  QCoreApplication::processEvents();
}

// ---------------------------------------------------------------- Create List and Tick All

void CreateList_TenthTicked(benchmark::State& state) {
  auto form = openWindow(int(state.range(0)));
  tickDiscs(*form, 10);
  restartPeakResident();
  for (auto _ : state) {
    form->cmdGet_Tracks_Click();
    QCoreApplication::processEvents();
  }
  reportPeak(state);
  state.counters["lines"] = form->List2.ListCount();
}
BENCHMARK(CreateList_TenthTicked)->Arg(kSmallDatabase)->Arg(kLargeDatabase)->Unit(benchmark::kMillisecond);

void CreateList_ReachesCap(benchmark::State& state) {
  auto form = openWindow(int(state.range(0)));
  tickDiscs(*form, 1);
  restartPeakResident();
  for (auto _ : state) {
    form->cmdGet_Tracks_Click();
    QCoreApplication::processEvents();
  }
  reportPeak(state);
  state.counters["lines"] = form->List2.ListCount();
}
BENCHMARK(CreateList_ReachesCap)->Arg(kSmallDatabase)->Arg(kLargeDatabase)->Unit(benchmark::kMillisecond);

void TickAll(benchmark::State& state) {
  auto form = openWindow(int(state.range(0)));
  restartPeakResident();
  for (auto _ : state) {
    state.PauseTiming();
    untickAll(*form);
    state.ResumeTiming();
    form->Click_All();
    QCoreApplication::processEvents();
  }
  reportPeak(state);
  state.counters["lines"] = form->List2.ListCount();
}
BENCHMARK(TickAll)->Arg(kSmallDatabase)->Arg(kLargeDatabase)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- sort tabs

// Tabs: 1 song, 2 artist, 3 track, 4 manufacturer code.
void sortChange(benchmark::State& state, int fromTab, int toTab) {
  auto form = openFullList();
  Form1& f = *form;
  if (f.Check1.Value() != 1) {
    state.SkipWithError("Show Manufacturer Codes is off");
    return;
  }
  if (f.TabStrip1.SelectedIndex() != fromTab) {
    f.TabStrip1.setSelectedIndex(fromTab);
    QCoreApplication::processEvents();
  }
  checkFullList(state, f);
  restartPeakResident();
  for (auto _ : state) {
    f.TabStrip1.setSelectedIndex(toTab);
    QCoreApplication::processEvents();
    state.PauseTiming();
    f.TabStrip1.setSelectedIndex(fromTab);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  reportPeak(state);
  checkFullList(state, f);
}

void SortChange_ToArtist(benchmark::State& state) { sortChange(state, 1, 2); }
void SortChange_ToTrack(benchmark::State& state) { sortChange(state, 1, 3); }
void SortChange_ToMfCode(benchmark::State& state) { sortChange(state, 1, 4); }
void SortChange_ToSong(benchmark::State& state) { sortChange(state, 2, 1); }
BENCHMARK(SortChange_ToArtist)->Unit(benchmark::kMillisecond);
BENCHMARK(SortChange_ToTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(SortChange_ToMfCode)->Unit(benchmark::kMillisecond);
BENCHMARK(SortChange_ToSong)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- reworking the list in place

// Duplicate removal on a full list in the layout of the given tab; the full list is put back
// before each run.
void removeDupes(benchmark::State& state, int tab) {
  auto form = openFullList();
  Form1& f = *form;
  if (f.TabStrip1.SelectedIndex() != tab) {
    f.TabStrip1.setSelectedIndex(tab);
    QCoreApplication::processEvents();
  }
  checkFullList(state, f);
  const QStringList full = f.List2.items();
  int kept = 0;
  restartPeakResident();
  for (auto _ : state) {
    state.PauseTiming();
    replaceList(f, full);
    state.ResumeTiming();
    f.Remove_Dupes();
    QCoreApplication::processEvents();
    kept = f.List2.ListCount();
  }
  reportPeak(state);
  state.counters["lines_kept"] = kept;
}

void RemoveDupes_SongSort(benchmark::State& state) { removeDupes(state, 1); }
void RemoveDupes_MfCodeSort(benchmark::State& state) { removeDupes(state, 4); }
BENCHMARK(RemoveDupes_SongSort)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveDupes_MfCodeSort)->Unit(benchmark::kMillisecond);

// Word capitals on the full list as Create List leaves it (all capitals).
void LowerCase(benchmark::State& state) {
  auto form = openFullList();
  Form1& f = *form;
  checkFullList(state, f);
  const QStringList full = f.List2.items();
  restartPeakResident();
  for (auto _ : state) {
    state.PauseTiming();
    replaceList(f, full);
    state.ResumeTiming();
    f.Lower_Case();
    QCoreApplication::processEvents();
  }
  reportPeak(state);
  checkFullList(state, f);
}
BENCHMARK(LowerCase)->Unit(benchmark::kMillisecond);

// All capitals on the full list in word capitals, the way the list stands when the user asks
// for capitals again.
void UpperCase(benchmark::State& state) {
  auto form = openFullList();
  Form1& f = *form;
  f.Lower_Case();
  QCoreApplication::processEvents();
  checkFullList(state, f);
  const QStringList full = f.List2.items();
  restartPeakResident();
  for (auto _ : state) {
    state.PauseTiming();
    replaceList(f, full);
    state.ResumeTiming();
    f.Upper_Case();
    QCoreApplication::processEvents();
  }
  reportPeak(state);
  checkFullList(state, f);
}
BENCHMARK(UpperCase)->Unit(benchmark::kMillisecond);

// The offscreen platform warns on every window shown; the warning says nothing about the
// program, so it is left out of the benchmark output. Everything else passes through.
QtMessageHandler g_defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.contains(QLatin1String("does not support propagateSizeHints"))) return;
  if (g_defaultHandler) g_defaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  g_defaultHandler = qInstallMessageHandler(quietHandler);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  bench::QuietPrompts prompts;
  platform::setPrompts(&prompts);
  platform::overrideScreenSize(QSize(1024, 768));

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  platform::setPrompts(nullptr);
  databases().clear();
  return 0;
}
