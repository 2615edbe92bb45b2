// Printing benchmarks: every page of a full 32,731-line song list printed to a PDF file, and the
// same pages laid out with nothing sent.
#include "bench_support.h"
#include "platform/painter_surface.h"
#include "printing/paper_renderer.h"
#include "printing/print_job.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kFullList = 32'731;

const printing::PrintJob& fullJob() {
  static const printing::PrintJob job = [] {
    printing::PrintJob j;
    j.code = QStringLiteral("SAMT");
    j.headings = {"SONG", "ARTIST", "MF CODE", "TRACK"};
    for (int i = 0; i < kFullList; ++i)
      j.rows.push_back({QStringLiteral("SONG TITLE NUMBER %1").arg(i), QStringLiteral("ARTIST %1").arg(i % 977),
                        QStringLiteral("MDX%1").arg(i / 14, 4, 10, QLatin1Char('0')), QString::number(i % 14 + 1)});
    j.lineCount = kFullList + 2;
    return j;
  }();
  return job;
}

void printJob(benchmark::State& state, int firstPage) {
  QTemporaryDir dir;
  int pages = 0;
  const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    platform::PrinterSurface surface(printer);
    printing::PaperSettings settings;
    settings.header = QStringLiteral("Friday at the Anchor");
    settings.sizeText = QStringLiteral("8");
    settings.firstPage = firstPage;
    printing::preparePaperSurface(surface, settings);
    pages = printing::renderPaper(surface, fullJob(), settings).pagesLaidOut;
    if (!surface.endDocument()) state.SkipWithError("the PDF could not be written");
  }
  state.counters["pages"] = pages;
  if (QFileInfo::exists(pdf)) state.counters["pdf_kB"] = double(QFileInfo(pdf).size()) / 1024;
}

// Every page to one PDF file.
void PrintAllPagesToPdf(benchmark::State& state) { printJob(state, 1); }
// Every page laid out and measured with the printer's fonts; none sent.
void LayOutPagesWithoutOutput(benchmark::State& state) { printJob(state, 1'000'000); }

BENCHMARK(PrintAllPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(LayOutPagesWithoutOutput)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
