// Page 1 of a print job drawn on the preview page: the header, the column headings, and as
// many rows as fit, each under a dotted rule.
#pragma once

#include "platform/core/drawing_surface.h"
#include "printing/page_model.h"
#include "printing/print_job.h"

#include <QString>

namespace printing {

// What the print window supplies: its header box, font list and size list texts.
struct PreviewSettings {
  QString header;
  QString fontText;  // empty: "Courier New"
  QString sizeText;  // empty: the sizes of "8"
};

// Sets the surface up for a preview (scale 100 x 100, body font, bold, opaque text) as the
// print window does before it draws; the text colour is left alone.
void preparePreviewSurface(platform::DrawingSurface& surface, const PreviewSettings& settings);

// Draws page 1 of the job in its layout on a prepared surface and returns the number of rows
// drawn; draws nothing and returns -1 for a code that is no layout. Where the paper's fit of the
// job (PaperResult::fit) widened a column or made the print smaller, or where the preview's own
// columns would cut a code, number or track that the paper prints whole, the page shows that
// fit's columns and size, as the paper prints them; elsewhere the preview's own columns.
int renderPreviewPage(platform::DrawingSurface& surface, const PrintJob& job, const PreviewSettings& settings,
                      const PageFit* paperFit = nullptr);

}  // namespace printing
