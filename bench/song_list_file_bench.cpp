// Song-list file benchmarks: saving and opening a file of 32,731 lines with 5,000 ticked discs.
#include "db_generator.h"
#include "mainwindow/form1.h"
#include "platform/prompts.h"
#include "platform/screen.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Answers the file dialogs with one path and every question with Yes.
class FilePrompts : public platform::Prompts {
 public:
  QString path;
  int msgBox(const QString&, int, const QString&) override { return platform::msg::Yes; }
  QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> openFile(const platform::FileDialogRequest&) override { return path; }
  std::optional<QString> saveFile(const platform::FileDialogRequest&) override { return path; }
  std::optional<QString> chooseFolder(const QString&, const QString&) override { return std::nullopt; }
  std::optional<qint32> chooseColour(qint32) override { return std::nullopt; }
  std::optional<platform::PrintDialogAnswer> printDialog(const platform::PrintDialogRequest&) override {
    return std::nullopt;
  }
  void popupMenu(platform::MenuItem&, QPoint) override {}
  void showModal(platform::FormBase&) override {}
  void shellOpen(const QString&) override {}
};

struct Setup {
  QTemporaryDir home;
  FilePrompts prompts;
  std::unique_ptr<Form1> form;
  Setup() {
    setenv("MELLOWDEX_HOME", home.path().toLocal8Bit().constData(), 1);
    platform::overrideScreenSize(QSize(1024, 768));
    tools::generateDatabase(home.path().toStdString(), 100'000, 1);
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

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::setPrompts(nullptr);
  return 0;
}
