// The printer as a drawing surface: it keeps each page until it is sent or discarded, so that the
// sent pages land in one print job (or one PDF file) in order.
#pragma once

#include "platform/core/drawing_surface.h"
#include "platform/ui/prompts.h"

#include <memory>

class QPrinter;

namespace platform {

// The printer (a real one, or a PDF file the printer was set to). Text is measured with the
// printer's own fonts; a page's drawing is kept until endPage, which prints it or drops it.
// The job starts at the first sent page, so a document with no sent page prints nothing and
// ends successfully. Call endDocument before the printer is destroyed.
class PrinterSurface : public DrawingSurface {
 public:
  explicit PrinterSurface(QPrinter& printer);
  ~PrinterSurface() override;
  void Cls() override;
  void endPage(bool send) override;
  bool endDocument() override;
  QString errorString() const override;
  double pageWidthPt() const override;
  double pageHeightPt() const override;
  int pagesSent() const;

 protected:
  double textWidthPt(const SurfaceFont& f, const QString& text) const override;
  double lineHeightPt(const SurfaceFont& f) const override;
  void drawText(double xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque, qint32 back,
                const QString& text) override;
  void drawTextRun(const std::vector<double>& xPt, double yPt, const SurfaceFont& f, qint32 colour, bool opaque,
                   qint32 back, const QString& text) override;
  void drawLine(double x1, double y1, double x2, double y2, qint32 colour) override;
  void drawCircle(double x, double y, double radius, qint32 colour, bool filled, qint32 fill) override;
  void drawPicture(const QImage& picture, double x, double y, double w, double h) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

// Sets the printer to what the print dialog chose: the printer or the PDF file, and the paper's
// size and orientation.
void usePrintChoice(QPrinter& printer, const PrintDialogAnswer& answer);

}  // namespace platform
