#include "printing/preview_renderer.h"

namespace printing {

void preparePreviewSurface(platform::DrawingSurface&, const PreviewSettings&) {}
int renderPreviewPage(platform::DrawingSurface&, const PrintJob&, const PreviewSettings&) { return -1; }

}  // namespace printing
