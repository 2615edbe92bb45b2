#include "printing/preview_renderer.h"

#include "printing/page_model.h"
#include "printing/print_layouts.h"

namespace printing {

void preparePreviewSurface(platform::DrawingSurface& surface, const PreviewSettings& settings) {
  const PageFonts fonts = pageFonts(settings.fontText, settings.sizeText);
  surface.setScale(100, 100);
  surface.font.size = fonts.body;
  surface.font.name = fonts.name;
  surface.font.italic = false;
  surface.FontTransparent = false;
  surface.font.bold = true;
}

int renderPreviewPage(platform::DrawingSurface& surface, const PrintJob& job, const PreviewSettings& settings) {
  const auto& columns = previewColumns(job.code);
  if (columns.empty()) return -1;
  auto& s = surface;
  const PageFonts fonts = pageFonts(settings.fontText, settings.sizeText);

  // Header, centred, in the name and weight the surface was prepared with.
  s.font.size = fonts.header;
  const double headingY = printHeader(s, settings.header);

  // Headings, as read, and the rule under them.
  s.font.size = fonts.body;
  printColumns(s, columns, headingY,
               [&](const PrintColumn& c) { return job.headings.value(c.field - 1); });
  printDottedRule(s);
  useBodyFont(s, fonts);

  // Rows, each under its own rule, while the next one would begin above the bottom margin.
  int drawn = 0;
  for (const auto& row : job.rows) {
    if (s.CurrentY >= kPageFullY * s.ScaleHeight()) break;
    ++drawn;
    printColumns(s, columns, s.CurrentY,
                 [&](const PrintColumn& c) { return formatField(row.value(c.field - 1), c.format); });
    printDottedRule(s);
    useBodyFont(s, fonts);
  }
  return drawn;
}

}  // namespace printing
