// What the label and case designers do alike: the preview image under their texts, the format
// lists they fill on loading, the picture and colour buttons, sending the page to the printer
// and saving the settings file.
#pragma once

#include "common/records.h"
#include "covers/label_preview.h"
#include "covers/label_printer.h"
#include "platform/core/painter_surface.h"
#include "platform/ui/controls.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>
#include <vector>

namespace windows {

// A designer's preview: its shapes and pictures drawn on an image of the window's client area
// (100 x 100 units) over the window's background colour, and shown in the window's picture box.
class DesignerPreview {
 public:
  DesignerPreview(int clientWidthPx, int clientHeightPx);

  // The drawn elements, bottom first. They are drawn as they stand at each paint, so they must
  // outlive the preview (they are members of the same window).
  void add(const covers::PreviewShape& shape);
  void add(const covers::PreviewImage& image);

  // Draws every element afresh and shows the image in `shownIn`.
  void paint(platform::PictureBox& shownIn);

  // The drawn preview as last painted.
  const QImage& image() const;

 private:
  platform::ImageSurface surface_;
  std::vector<std::variant<const covers::PreviewShape*, const covers::PreviewImage*>> layers_;
};

// Keeps a preview's texts off the settings panel beside it: the part of each text that lies over
// the panel, or left of it, is neither drawn nor clicked, so the panel's controls always show and
// take their clicks wherever the texts are placed and however large they are.
void keepOffPanel(const platform::Frame& panel, std::initializer_list<const platform::Control*> texts);

// The default printer, one copy. Where the system has no printer, the page is written to a PDF
// file that the user names (the save dialog titled `caption`, proposing `pdfName`); cancelling
// that dialog gives nothing.
std::shared_ptr<platform::DrawingSurface> openDesignerPrinter(const QString& caption, const QString& pdfName);

// Fills and presets the lists both designers have alike: the title's faces (the preset face),
// the title's sizes (4 to 36, 12 preset) and the track list's faces (the preset face). Each
// preset runs its list's Click. The track list's sizes differ between the designers.
void fillFormatLists(platform::ComboBox& titleFaces, platform::ComboBox& titleSizes, platform::ComboBox& trackFaces);

// A picture button: asks for a picture file and puts the chosen path in the path box (whose
// Change then shows it). False when the user withdrew.
bool choosePicture(platform::TextBox& pathBox);

// After a picture is cleared: a text left white would vanish on the white paper, so it turns
// black, and so does its colour swatch. Any other colour stays.
void blackenWhiteText(platform::Label& text, platform::CommandButton& swatch);

// The "Sending to Printer" notice of a designer, hidden, at `x`, `y` pixels of the window: an
// opaque panel with a raised edge (grey at top and left, black at right and bottom) holding a
// picture of a printer and its text.
void placeSendingNotice(platform::Frame& notice, platform::PictureBox& printer, platform::Label& text, int x, int y);

// Print: the page `draw` draws goes to the printer `makePrinter` gives, while the "Sending to
// Printer" frame shows and the user's input waits. `goAhead`, when given, first sees the
// printer (to measure the page on it) and may still withdraw. A printer that fails is reported
// with `failure` and the printer's reason, in a message box titled `caption`. True when the page
// was printed; false when it failed, was withdrawn or no printer (or printer file) was given.
bool printDesign(const covers::PrinterFactory& makePrinter, platform::Frame& sending,
                 const std::function<void(platform::DrawingSurface&)>& draw, const QString& failure,
                 const QString& caption, const std::function<bool(platform::DrawingSurface&)>& goAhead = {});

// Replaces a settings file with `text`, in UTF-8; on failure the old file stays whole. A failure,
// or the text's refusal, is reported as `failure` followed by the path and the reason, in a
// message box titled `caption`, unless the text holds just the settings the window opened with
// (`opened`): then no change of the user's is lost, and the next opening shows the same.
void saveSettingsFile(const QString& path, const common::FileText& text, const QString& opened, const QString& failure,
                      const QString& caption);

// A designer's title shows as the paper prints it: without the blanks typed around it.
void showTitle(platform::Label& title, const QString& typed);
// Sizes a title's box to its text on one line, no smaller than `least` pixels, around the
// centre the box had: the paper centres the title there, whatever its face and size.
void fitTitleBox(platform::Label& title, QSizeF least);

// The size in points a text printed in `paperPt` shows in on a preview control, where `pxPerMm`
// pixels stand for a millimetre of the paper.
double previewPoints(double paperPt, double pxPerMm, const QWidget* shownOn);

// Lines as a label shows them in rich text: each on its own, `pitchPx` below the one before, its
// blanks kept.
QString linesHtml(const QStringList& lines, double pitchPx);

}  // namespace windows
