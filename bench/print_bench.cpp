// Printing benchmarks: every page of a full 32,731-line song list printed to a PDF file, the same
// pages laid out with nothing sent, and the same rows printed by plain Qt as a yardstick.
#include "bench_support.h"
#include "platform/ui/printer_surface.h"
#include "printing/paper_renderer.h"
#include "printing/print_job.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
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

// The same rows as plain Qt prints them: each field drawn whole at its column in the fixed-pitch
// face, a dotted line under each row, a new page where the rows reach 0.95 of the height; no
// header, headings, footer or cut fields.
void PlainQtPdfOfTheSameRows(benchmark::State& state) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("plain.pdf"));
  const double columns[] = {0.04, 0.45, 0.75, 0.88};
  int pages = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QPainter p(&printer);
    QFont body(QStringLiteral("Courier New"), 7), rule(QStringLiteral("Courier New"), 3);
    body.setStyleHint(QFont::TypeWriter);
    rule.setStyleHint(QFont::TypeWriter);
    const QFontMetricsF bodyMetrics(body, &printer);
    const double w = printer.width(), h = printer.height();
    const double pitch = bodyMetrics.lineSpacing() + QFontMetricsF(rule, &printer).lineSpacing();
    QPen dots(Qt::black, 0, Qt::DotLine);
    p.setFont(body);
    pages = 1;
    double y = 0.06 * h;
    for (const QStringList& row : fullJob().rows) {
      if (y >= 0.95 * h) {
        printer.newPage();
        ++pages;
        y = 0.06 * h;
      }
      p.setPen(Qt::black);
      for (int c = 0; c < 4; ++c) p.drawText(QPointF(columns[c] * w, y + bodyMetrics.ascent()), row[c]);
      p.setPen(dots);
      p.drawLine(QPointF(0.04 * w, y + bodyMetrics.lineSpacing()), QPointF(0.96 * w, y + bodyMetrics.lineSpacing()));
      y += pitch;
    }
    p.end();
  }
  state.counters["pages"] = pages;
  if (QFileInfo::exists(pdf)) state.counters["pdf_kB"] = double(QFileInfo(pdf).size()) / 1024;
}

BENCHMARK(PrintAllPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(LayOutPagesWithoutOutput)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PlainQtPdfOfTheSameRows)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
