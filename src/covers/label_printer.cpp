#include "covers/label_printer.h"

#include "common/text_helpers.h"
#include "platform/font_faces.h"
#include "platform/painter_surface.h"
#include "platform/prompts.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

namespace covers {

QString faceListEntry(const QString& face) { return common::UCase(platform::plainFamily(face)); }

QStringList faceListEntries(const QStringList& families) {
  QStringList out;
  for (const QString& family : families) {
    const QString name = faceListEntry(family);
    if (!out.contains(name)) out << name;
  }
  if (!out.contains(kPresetFace)) out << kPresetFace;
  return out;
}

QStringList printerFaceNames() { return faceListEntries(platform::installedFamilies()); }

std::shared_ptr<platform::DrawingSurface> openDesignerPrinter(const QString& caption, const QString& pdfName) {
  // The printer outlives the surface that draws on it.
  struct PrinterHolder {
    std::unique_ptr<QPrinter> printer;
  };
  struct Owned : PrinterHolder, platform::PrinterSurface {
    explicit Owned(std::unique_ptr<QPrinter> p) : PrinterHolder{std::move(p)}, PrinterSurface(*printer) {}
  };
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    platform::FileDialogRequest req;
    req.title = caption;
    req.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
    req.folder = QDir::homePath();
    req.fileName = pdfName;
    req.overwritePrompt = true;
    const auto file = platform::prompts().saveFile(req);
    if (!file) return nullptr;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(*file);
  }
  printer->setCopyCount(1);
  return std::make_shared<Owned>(std::move(printer));
}

}  // namespace covers
