#include "printing/preview_renderer.h"

#include "printing/page_model.h"
#include "printing/print_layouts.h"

namespace printing {

void preparePreviewSurface(platform::DrawingSurface& surface, const PreviewSettings& settings) {
  preparePageSurface(surface, pageFonts(settings.fontText, settings.sizeText));
}

int renderPreviewPage(platform::DrawingSurface& surface, const PrintJob& job, const PreviewSettings& settings,
                      const PageFit* paperFit) {
  if (previewColumns(job.code).empty()) return -1;
  // Where the paper's own columns would hold every code whole and the preview's would cut one, the
  // page shows the paper's.
  const bool fitted = paperFit && (paperFit->fitted || !holdsWhole(previewColumns(job.code), *paperFit));
  const auto& columns = fitted ? paperFit->columns : previewColumns(job.code);
  PageFonts fonts = pageFonts(settings.fontText, settings.sizeText);
  if (fitted) fonts.body = paperFit->fonts.body;
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
