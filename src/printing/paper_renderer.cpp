#include "printing/paper_renderer.h"

namespace printing {

const QString kFooterText = QStringLiteral("Mellowdex   www.mellowdex.example");
void preparePaperSurface(platform::DrawingSurface&, const PaperSettings&) {}
PaperResult renderPaper(platform::DrawingSurface&, const PrintJob&, const PaperSettings&) { return {}; }

}  // namespace printing
