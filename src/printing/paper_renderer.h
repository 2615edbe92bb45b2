// Every page of a print job laid out for paper: header, headings (the job's on page 1, fixed
// titles later), rows under dotted rules, page breaks, and the footer with the page number.
// Every page is numbered over the whole list; only the pages in the chosen range are sent.
#pragma once

#include "platform/core/drawing_surface.h"
#include "printing/page_model.h"
#include "printing/print_job.h"

#include <QString>

#include <functional>

namespace printing {

struct PaperSettings {
  QString header;
  QString fontText;   // empty: "Courier New"
  QString sizeText;   // empty: the body size 7
  qint32 colour = 0;  // the text colour, red in the low byte
  int firstPage = 1;  // the range to send, both ends included
  int lastPage = 0;   // 0: every page
};

// The footer line: the product name, three blanks and the maker's web address.
extern const QString kFooterText;

struct PaperResult {
  int pagesLaidOut = 0;
  int pagesSent = 0;
  PageFit fit;  // the columns and fonts the rows were printed in (fitPage)
};

// Sets the surface up for printing (scale 100 x 100, body font, opaque text, colour).
void preparePaperSurface(platform::DrawingSurface& surface, const PaperSettings& settings);

// Lays out every page of the job on a prepared surface, ending each page sent or discarded by
// the range; does not end the document. An unknown layout code lays out nothing. `betweenPages`
// runs after each page that another follows (a window lets its events through there).
PaperResult renderPaper(platform::DrawingSurface& surface, const PrintJob& job, const PaperSettings& settings,
                        const std::function<void()>& betweenPages = {});

// The pages the job takes on the surface's paper, and the fit they take it in: every page laid out
// as it would be printed, none sent. No pages for an unknown layout.
PaperResult countPaperPages(platform::DrawingSurface& surface, const PrintJob& job, PaperSettings settings);

}  // namespace printing
