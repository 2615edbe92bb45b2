#include "windows/covers/designer_common.h"

#include "common/text_helpers.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/printer_surface.h"
#include "platform/ui/prompts.h"
#include "windows/covers/label_controls.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegion>

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
    if (const auto* shape = std::get_if<const PreviewShape*>(&layer)) drawPreviewShape(s, **shape);
    else drawPreviewImage(s, *std::get<const PreviewImage*>(layer));
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
  titleFaces.fitDropDownToEntries();
  platform::letEventsThrough();
  presetChoice(titleFaces, kPresetFace);

  QStringList sizes;
  for (int size = 4; size <= 36; ++size) sizes << QString::number(size);
  fillList(titleSizes, sizes);
  platform::letEventsThrough();
  presetChoice(titleSizes, QStringLiteral("12"));

  fillList(trackFaces, faces);
  trackFaces.fitDropDownToEntries();
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

namespace {
// Masks a preview text to the part of it right of the panel at every move, resize and showing.
class PanelClip : public QObject {
 public:
  PanelClip(QWidget* text, const QWidget* panel) : QObject(text), text_(text), panel_(panel) { apply(); }

  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show) apply();
    return false;
  }

 private:
  void apply() {
    const int edge = panel_->geometry().right() + 1 - text_->x();
    const QRect shown = text_->rect().intersected(QRect(edge, 0, std::max(0, text_->width() - edge), text_->height()));
    if (shown == text_->rect()) {
      text_->clearMask();
    } else {
      // An empty region would clear the mask: a text wholly over the panel keeps a mask that
      // holds none of its pixels.
      text_->setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1) : QRegion(shown));
    }
  }
  QWidget* text_;
  const QWidget* panel_;
};
}  // namespace

void keepOffPanel(const platform::Frame& panel, std::initializer_list<const platform::Control*> texts) {
  for (const platform::Control* text : texts) {
    QWidget* widget = text->widget();
    if (!widget || !panel.widget()) continue;
    widget->installEventFilter(new PanelClip(widget, panel.widget()));
  }
}

namespace {
// A small printer: the sheet going in at the back, the body, and the printed sheet coming out.
QPixmap printerPicture() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawRect(9, 2, 14, 11);
  p.setBrush(QColor(192, 192, 192));
  p.drawRoundedRect(QRectF(2.5, 11.5, 27, 12), 2, 2);
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(7, 19, 18, 3);
  p.setBrush(Qt::white);
  p.drawRect(9, 21, 14, 9);
  p.drawLine(11, 24, 21, 24);
  p.drawLine(11, 27, 18, 27);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 160, 0));
  p.drawEllipse(24, 14, 3, 3);
  return picture;
}
}  // namespace

void placeSendingNotice(platform::Frame& notice, platform::PictureBox& printer, platform::Label& text, int x, int y) {
  notice.movePx(x, y, 200, 70);
  if (QWidget* panel = notice.widget()) {
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(
        QStringLiteral("QGroupBox { background-color: palette(window); margin: 0px; padding: 0px;"
                       " border-style: solid; border-width: 2px;"
                       " border-color: #808080 #000000 #000000 #808080; }"));
  }
  printer.movePx(12, 19, 32, 32);
  if (auto* shown = qobject_cast<QLabel*>(printer.widget())) shown->setPixmap(printerPicture());
  text.movePx(56, 28);
  notice.setVisible(false);
}

bool printDesign(const PrinterFactory& makePrinter, platform::Frame& sending,
                 const std::function<void(platform::DrawingSurface&)>& draw, const QString& failure,
                 const QString& caption, const std::function<bool(platform::DrawingSurface&)>& goAhead) {
  const std::shared_ptr<platform::DrawingSurface> printer = makePrinter ? makePrinter() : nullptr;
  if (!printer) return false;  // no printer and no file named for the page
  if (goAhead && !goAhead(*printer)) {
    printer->endDocument();  // nothing was sent: nothing is printed
    return false;
  }
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

void saveSettingsFile(const QString& path, const common::FileText& text, const QString& opened, const QString& failure,
                      const QString& caption) {
  const platform::WriteResult written =
      text ? platform::replaceFileUtf8(path, text.content) : platform::WriteResult{false, false, text.refusal};
  if (!written && !(text && text.content == opened))
    platform::prompts().msgBox(failure + path + QStringLiteral("\n\r") + written.error,
                               platform::msg::OKOnly + platform::msg::Exclamation, caption);
}

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

void showTitle(platform::Label& title, const QString& typed) { title.setCaption(common::Trim(typed)); }

void fitTitleBox(platform::Label& title, QSizeF least) {
  const auto* shown = qobject_cast<QLabel*>(title.widget());
  if (!shown) return;
  const QSize line = shown->sizeHint();
  const QRectF at = title.geometryPx();
  const double width = std::max<double>(least.width(), line.width());
  title.movePx(at.center().x() - width / 2, at.y(), width, std::max<double>(least.height(), line.height()));
}

double previewPoints(double paperPt, double pxPerMm, const QWidget* shownOn) {
  constexpr double kPtPerMm = 72.0 / 25.4;
  return paperPt / kPtPerMm * pxPerMm * 72.0 / (shownOn ? shownOn->logicalDpiY() : 96);
}

QString linesHtml(const QStringList& lines, double pitchPx) {
  QString html;
  for (const QString& line : lines)
    html +=
        QStringLiteral("<p style=\"margin:0; white-space:pre; -qt-line-height-type:fixed; line-height:%1px\">%2</p>")
            .arg(pitchPx)
            .arg(line.toHtmlEscaped());
  return html;
}

}  // namespace windows
