#include "printing/preview_renderer.h"

#include "printing/page_model.h"
#include "printing/print_layouts.h"

namespace printing {

void preparePreviewSurface(platform::DrawingSurface& surface, const PreviewSettings& settings) {
  preparePageSurface(surface, pageFonts(settings.fontText, settings.sizeText));
}

int renderPreviewPage(platform::DrawingSurface& surface, const PrintJob& job, const PreviewSettings& settings) {
  const auto& columns = previewColumns(job.code);
  if (columns.empty()) return -1;
  const PageFonts fonts = pageFonts(settings.fontText, settings.sizeText);
  // The headings as read; the rows that the printed page 1 holds (its first row always).
  printPageHead(surface, columns, fonts, settings.header,
                [&](const PrintColumn& c) { return job.headings.value(c.field - 1); });
  int drawn = 0;
  for (const auto& row : job.rows) {
    if (drawn > 0 && !rowFitsPage(surface, fonts)) break;
    ++drawn;
    printRow(surface, columns, fonts, row);
  }
  return drawn;
}

}  // namespace printing
