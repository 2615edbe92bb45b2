#include "windows/designer_common.h"

#include "windows/label_controls.h"
#include "platform/busy.h"
#include "platform/prompts.h"
#include "platform/text_file.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

namespace windows {

using namespace covers;

DesignerPreview::DesignerPreview(int clientWidthPx, int clientHeightPx)
    : surface_(clientWidthPx * 0.75, clientHeightPx * 0.75, 96) {}

void DesignerPreview::add(const PreviewShape& shape) { layers_.emplace_back(&shape); }
void DesignerPreview::add(const PreviewImage& image) { layers_.emplace_back(&image); }

void DesignerPreview::paint(platform::PictureBox& shownIn) {
  platform::ImageSurface& s = surface_;
  s.Cls();
  s.setScale(100, 100);
  fillBox(s, 0, 0, 100, 100, platform::fromQColor(QApplication::palette().color(QPalette::Window)));
  for (const auto& layer : layers_) {
    if (const auto* shape = std::get_if<const PreviewShape*>(&layer))
      drawPreviewShape(s, **shape);
    else
      drawPreviewImage(s, *std::get<const PreviewImage*>(layer));
  }
  if (auto* shown = qobject_cast<QLabel*>(shownIn.widget())) shown->setPixmap(QPixmap::fromImage(s.image()));
}

const QImage& DesignerPreview::image() const { return surface_.image(); }

namespace {
void fillList(platform::ComboBox& list, const QStringList& entries) {
  list.Clear();
  for (const QString& entry : entries) list.AddItem(entry);
}
}  // namespace

void fillFormatLists(platform::ComboBox& titleFaces, platform::ComboBox& titleSizes, platform::ComboBox& trackFaces) {
  const QStringList faces = printerFaceNames();
  fillList(titleFaces, faces);
  platform::letEventsThrough();
  presetChoice(titleFaces, kPresetFace);

  QStringList sizes;
  for (int size = 4; size <= 36; ++size) sizes << QString::number(size);
  fillList(titleSizes, sizes);
  platform::letEventsThrough();
  presetChoice(titleSizes, QStringLiteral("12"));

  fillList(trackFaces, faces);
  platform::letEventsThrough();
  presetChoice(trackFaces, kPresetFace);
}

bool choosePicture(platform::TextBox& pathBox) {
  platform::FileDialogRequest req;
  req.filter = kPictureFilter;
  const auto path = platform::prompts().openFile(req);
  if (!path) return false;
  pathBox.setText(*path);
  return true;
}

void blackenWhiteText(platform::Label& text, platform::CommandButton& swatch) {
  if (text.ForeColor() != kWhite) return;
  text.setForeColor(kBlack);
  setSwatch(swatch, kBlack);
}

bool printDesign(const PrinterFactory& makePrinter, platform::Frame& sending,
                 const std::function<void(platform::DrawingSurface&)>& draw, const QString& failure,
                 const QString& caption) {
  const std::shared_ptr<platform::DrawingSurface> printer = makePrinter ? makePrinter() : nullptr;
  if (!printer) return false;  // no printer and no file named for the page
  bool printed = false;
  {
    platform::BusyScope busy;  // no second Print, no Cancel, while the page is sent
    sending.setVisible(true);
    platform::letEventsThrough();
    draw(*printer);
    printer->endPage(true);
    printed = printer->endDocument();
    sending.setVisible(false);
  }
  if (!printed)
    platform::prompts().msgBox(failure + QStringLiteral("\n\r") + printer->errorString(),
                               platform::msg::OKOnly + platform::msg::Exclamation, caption);
  return printed;
}

void saveSettingsFile(const QString& path, const QString& text, const QString& failure, const QString& caption) {
  const platform::WriteResult written = platform::replaceFile(path, text);
  if (!written)
    platform::prompts().msgBox(failure + path + QStringLiteral("\n\r") + written.error,
                               platform::msg::OKOnly + platform::msg::Exclamation, caption);
}

}  // namespace windows
