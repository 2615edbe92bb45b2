// What the benchmark programs share: prompts that answer at once, and the program's start.
#pragma once

#include "platform/ui/prompts.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>

namespace bench {

// Answers every message box with `answer`, every file dialog with `path` (nothing when empty),
// every input box with an empty text, and nothing for the rest, so no benchmark waits.
class QuietPrompts : public platform::Prompts {
 public:
  int answer = platform::msg::OK;
  QString path;
  int msgBox(const QString&, int, const QString&) override { return answer; }
  QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> openFile(const platform::FileDialogRequest&) override { return file(); }
  std::optional<QString> saveFile(const platform::FileDialogRequest&) override { return file(); }
  std::optional<QString> chooseFolder(const QString&, const QString&) override { return std::nullopt; }
  std::optional<qint32> chooseColour(qint32) override { return std::nullopt; }
  std::optional<platform::PrintDialogAnswer> printDialog(const platform::PrintDialogRequest&) override {
    return std::nullopt;
  }
  void popupMenu(platform::MenuItem&, QPoint) override {}
  void showModal(platform::FormBase&) override {}
  void shellOpen(const QString&) override {}

 private:
  std::optional<QString> file() const { return path.isEmpty() ? std::nullopt : std::optional<QString>(path); }
};

// Runs the registered benchmarks inside a QApplication (offscreen unless a platform is set).
inline int runBenchmarks(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::setPrompts(nullptr);
  return 0;
}

}  // namespace bench
