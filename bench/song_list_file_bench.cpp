// Song-list file benchmarks: saving and opening a file of 32,731 lines with 5,000 ticked discs.
#include "bench_support.h"
#include "db_generator.h"
#include "platform/ui/prompts.h"
#include "platform/ui/screen.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Setup {
  QTemporaryDir home;
  bench::QuietPrompts prompts;
  std::unique_ptr<Form1> form;
  Setup() {
    setenv("MELLOWDEX_HOME", home.path().toLocal8Bit().constData(), 1);
    platform::overrideScreenSize(QSize(1024, 768));
    tools::generateDatabase(home.path().toStdString(), 100'000, 1);
    prompts.answer = platform::msg::Yes;
    platform::setPrompts(&prompts);
    prompts.path = home.filePath(QStringLiteral("bench.mdq"));
    form = std::make_unique<Form1>();
    form->Show();
    for (int i = 0; i < 5000 && i < form->List1.ListCount(); ++i) form->List1.setSelected(i, true);
    form->cmdGet_Tracks_Click();
    QCoreApplication::processEvents();
  }
};

Setup& setup() {
  static Setup s;
  return s;
}

void SaveSongListFile(benchmark::State& state) {
  Setup& s = setup();
  for (auto _ : state) s.form->cmdSave_Click();
  state.counters["lines"] = s.form->List2.ListCount();
  state.counters["discs"] = s.form->List1.SelCount();
}

void OpenSongListFile(benchmark::State& state) {
  Setup& s = setup();
  s.form->cmdSave_Click();
  for (auto _ : state) {
    s.form->cmdOpen_Click();
    QCoreApplication::processEvents();
  }
  state.counters["lines"] = s.form->List2.ListCount();
  state.counters["discs"] = s.form->List1.SelCount();
}

BENCHMARK(SaveSongListFile)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenSongListFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
