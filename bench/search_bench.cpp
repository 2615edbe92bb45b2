// Search benchmarks: each database search over 500,000 tracks, and the search of a full
// 32,731-line song list.
#include "bench_support.h"
#include "db_generator.h"
#include "platform/ui/screen.h"
#include "windows/main/form1.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

struct Setup {
  QTemporaryDir home;
  bench::QuietPrompts prompts;
  std::unique_ptr<Form1> form;
  Setup() {
    setenv("MELLOWDEX_HOME", home.path().toLocal8Bit().constData(), 1);
    platform::overrideScreenSize(QSize(1024, 768));
    tools::generateDatabase(home.path().toStdString(), 500'000, 1);
    prompts.answer = platform::msg::No;  // no saving before a search clears the ticks
    platform::setPrompts(&prompts);
    form = std::make_unique<Form1>();
    form->Show();
    QCoreApplication::processEvents();
  }
};

Setup& setup() {
  static Setup s;
  return s;
}

// A common word of the generated titles and artists: many matches, up to the list's cap.
void databaseSearch(benchmark::State& state, void (Form1::*search)(), const char* text) {
  Setup& s = setup();
  s.form->cmbSearch_text.setText(QString::fromLatin1(text));
  for (auto _ : state) {
    (s.form.get()->*search)();
    QCoreApplication::processEvents();
  }
  state.counters["lines"] = s.form->List2.ListCount();
}

void SearchAll(benchmark::State& state) { databaseSearch(state, &Form1::Search_All, "LOVE"); }
void SearchSong(benchmark::State& state) { databaseSearch(state, &Form1::Search_Song, "LOVE"); }
void SearchArtist(benchmark::State& state) { databaseSearch(state, &Form1::Search_Artist, "THE"); }
void SearchDisc(benchmark::State& state) { databaseSearch(state, &Form1::Search_Disc, "MD"); }

void SearchCurrentList(benchmark::State& state) {
  Setup& s = setup();
  s.form->Click_All();  // a full list
  s.form->cmbSearch_text.setText(QStringLiteral("LOVE"));
  for (auto _ : state) {
    s.form->searchCurrentList();
    QCoreApplication::processEvents();
  }
  state.counters["matches"] = s.form->List3.ListCount();
}

BENCHMARK(SearchAll)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchSong)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchArtist)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchDisc)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchCurrentList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
