#include "platform/ui/qt_prompts.h"

#include "platform/core/colours.h"
#include "platform/core/files.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/printer_surface.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QUrl>

namespace platform {

namespace {
QtPrompts g_qtPrompts;
Prompts* g_prompts = nullptr;

QWidget* activeParent() { return QApplication::activeWindow(); }

// How wide a box must be for the window manager to show its whole title beside the frame's icon
// and buttons (a cut title reads "Max Li... ached"). The frame's font is not known here: the
// application's font in bold stands in for it, and three lines' heights for each end.
int widthForTitle(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics fm(font);
  return fm.horizontalAdvance(title) + 6 * fm.height();
}
}  // namespace

Prompts& prompts() { return g_prompts ? *g_prompts : g_qtPrompts; }
void setPrompts(Prompts* p) { g_prompts = p; }

QString displayText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
      out += QLatin1Char('\n');
      if (i + 1 < text.size()) {
        const QChar d = text[i + 1];
        if ((d == QLatin1Char('\n') || d == QLatin1Char('\r')) && d != c) ++i;
      }
    } else {
      out += c;
    }
  }
  return out;
}

namespace {
// A question must be answered: Escape and the close box leave it standing, so that neither can
// give the answer that throws the user's work away.
class QuestionBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool answerRequired = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (answerRequired && e->matches(QKeySequence::Cancel)) return;
    QMessageBox::keyPressEvent(e);
  }
  void closeEvent(QCloseEvent* e) override {
    if (answerRequired && !clickedButton()) {
      e->ignore();
      return;
    }
    QMessageBox::closeEvent(e);
  }
};
}  // namespace

int QtPrompts::msgBox(const QString& text, int style, const QString& title) {
  QuestionBox box(activeParent());
  box.setWindowTitle(title);
  box.setText(displayText(text));
  switch (style & 0x70) {
    case msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case msg::Question: box.setIcon(QMessageBox::Question); break;
    case msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case msg::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  const int buttons = style & 0x7;
  const bool second = (style & msg::DefaultButton2) != 0;
  QPushButton* first = nullptr;
  QPushButton* other = nullptr;
  QPushButton* third = nullptr;
  switch (buttons) {
    case msg::OKCancel:
      first = box.addButton(QMessageBox::Ok);
      other = box.addButton(QMessageBox::Cancel);
      box.setEscapeButton(other);
      break;
    case msg::YesNoCancel:
      first = box.addButton(QMessageBox::Yes);
      other = box.addButton(QMessageBox::No);
      third = box.addButton(QMessageBox::Cancel);
      box.setEscapeButton(third);
      break;
    case msg::YesNo:
      first = box.addButton(QMessageBox::Yes);
      other = box.addButton(QMessageBox::No);
      box.answerRequired = true;
      break;
    default:
      first = box.addButton(QMessageBox::Ok);
      box.setEscapeButton(first);
      break;
  }
  box.setDefaultButton(second && other ? other : first);
  // The box sizes itself to its layout: a blank row as wide as the title widens it.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(widthForTitle(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                  0, 1, grid->columnCount());
  box.exec();
  const auto* clicked = box.clickedButton();
  switch (box.standardButton(const_cast<QAbstractButton*>(clicked))) {
    case QMessageBox::Yes: return msg::Yes;
    case QMessageBox::No: return msg::No;
    case QMessageBox::Cancel: return msg::Cancel;
    case QMessageBox::Ok: return msg::OK;
    default: return buttons == msg::YesNo ? msg::No : (buttons == msg::OKOnly ? msg::OK : msg::Cancel);
  }
}

QString QtPrompts::inputBox(const QString& prompt, const QString& title, const QString& def) {
  QInputDialog dlg(activeParent());
  dlg.setWindowTitle(title);
  dlg.setLabelText(displayText(prompt));
  dlg.setTextValue(def);
  dlg.setMinimumWidth(widthForTitle(title));
  return dlg.exec() == QDialog::Accepted ? dlg.textValue() : QString();
}

QString toQtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // A description that names its patterns already has them shown once, in the dialog's form.
    static const QRegularExpression named(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString description = parts[i];
    description.remove(named);
    out << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return out.join(QStringLiteral(";;"));
}

// A preset name such as "*.mdq" works as the dialog's filter when no filter is given.
static QString dialogFilter(const FileDialogRequest& req) {
  if (!req.filter.isEmpty()) return toQtFilter(req.filter);
  if (req.fileName.contains(QLatin1Char('*'))) return QStringLiteral("%1;;All files (*)").arg(req.fileName);
  return {};
}

// The other spelling some extensions have ("html" for "htm"): it names the same type of file.
static bool sameExtension(const QString& a, const QString& b) {
  if (a.compare(b, Qt::CaseInsensitive) == 0) return true;
  static const char* const kSpellings[][2] = {{"htm", "html"}, {"jpg", "jpeg"}, {"tif", "tiff"}};
  for (const auto& pair : kSpellings) {
    const QLatin1String one(pair[0]), other(pair[1]);
    if ((a.compare(one, Qt::CaseInsensitive) == 0 && b.compare(other, Qt::CaseInsensitive) == 0) ||
        (a.compare(other, Qt::CaseInsensitive) == 0 && b.compare(one, Qt::CaseInsensitive) == 0))
      return true;
  }
  return false;
}

QString withChosenExtension(const QString& name, const QString& chosenFilter, const QString& dialogFilters) {
  static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
  const QRegularExpressionMatch m = pattern.match(chosenFilter);
  if (!m.hasMatch()) return name;
  const QString suffix = QFileInfo(name).suffix();
  if (!suffix.isEmpty()) {
    // An extension of one of the dialog's types names that type; any other is part of the name.
    for (auto it = pattern.globalMatch(dialogFilters); it.hasNext();)
      if (sameExtension(it.next().captured(1), suffix)) return name;
  }
  // A name ending in a full stop takes the extension after it, not after a second one.
  QString stem = name;
  while (stem.endsWith(QLatin1Char('.'))) stem.chop(1);
  return stem + QLatin1Char('.') + m.captured(1);
}

std::optional<QString> QtPrompts::openFile(const FileDialogRequest& req) {
  const QString start = req.fileName.contains(QLatin1Char('*')) ? req.folder : joinPath(req.folder, req.fileName);
  const QString name = QFileDialog::getOpenFileName(activeParent(), req.title, start, dialogFilter(req));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtPrompts::saveFile(const FileDialogRequest& req) {
  const QString start = req.fileName.contains(QLatin1Char('*')) ? req.folder : joinPath(req.folder, req.fileName);
  QFileDialog::Options opts;
  if (!req.overwritePrompt) opts |= QFileDialog::DontConfirmOverwrite;
  QString chosenFilter;
  const QString filters = dialogFilter(req);
  QString name = QFileDialog::getSaveFileName(activeParent(), req.title, start, filters, &chosenFilter, opts);
  if (name.isEmpty()) return std::nullopt;
  return withChosenExtension(name, chosenFilter, filters);
}

std::optional<QString> QtPrompts::chooseFolder(const QString& title, const QString& start) {
  const QString dir = QFileDialog::getExistingDirectory(activeParent(), title, start);
  if (dir.isEmpty()) return std::nullopt;
  return dir;
}

// The colour dialog offers no part for defining custom colours. Qt has no option for that:
// the custom colour well, its label and its button are hidden once the dialog is built.
std::optional<qint32> QtPrompts::chooseColour(qint32 initial) {
  QColorDialog dlg(toQColor(initial), activeParent());
  dlg.setOption(QColorDialog::DontUseNativeDialog);
  for (auto* label : dlg.findChildren<QLabel*>()) {
    if (label->text() != QColorDialog::tr("&Custom colors")) continue;
    if (label->buddy()) label->buddy()->hide();
    label->hide();
  }
  for (auto* button : dlg.findChildren<QPushButton*>())
    if (button->text() == QColorDialog::tr("&Add to Custom Colors")) button->hide();
  if (dlg.exec() != QDialog::Accepted || !dlg.selectedColor().isValid()) return std::nullopt;
  return fromQColor(dlg.selectedColor());
}

std::optional<PrintDialogAnswer> QtPrompts::printDialog(const PrintDialogRequest& req) {
  QPrinter printer(QPrinter::HighResolution);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::home().filePath(QStringLiteral("mellowdex.pdf")));
  }
  usePrintChoice(printer, req.previous);
  printer.setCopyCount(req.copies);
  QPrintDialog dlg(&printer, activeParent());
  if (req.allowPageRange) {
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dlg.setMinMax(req.minPage, std::max(req.maxPage, req.rangeLimit));
    printer.setFromTo(req.minPage, req.maxPage);  // the range offered, should the user pick one
  } else {
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
  }
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  PrintDialogAnswer a;
  a.copies = printer.copyCount();
  a.allPages = printer.printRange() != QPrinter::PageRange || printer.fromPage() == 0;
  a.fromPage = printer.fromPage();
  a.toPage = printer.toPage();
  a.outputFile = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
  a.printerName = printer.printerName();
  a.pageLayout = printer.pageLayout();
  return a;
}

void QtPrompts::popupMenu(MenuItem& menu, QPoint globalPos) {
  if (menu.qmenu()) menu.qmenu()->exec(globalPos);
}

void QtPrompts::showModal(FormBase& form) {
  form.Load();
  if (!form.isLoaded()) return;
  if (QDialog* dlg = form.dialog()) {
    dlg->exec();
    return;
  }
  QWidget* w = form.window();
  QPointer<QWidget> alive = w;
  w->setWindowModality(Qt::ApplicationModal);
  w->show();
  QEventLoop loop;
  while (alive && alive->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void QtPrompts::shellOpen(const QString& target) {
  QUrl url = QUrl::fromUserInput(target);
  if (QFileInfo(target).exists()) url = QUrl::fromLocalFile(target);
  QDesktopServices::openUrl(url);
}

}  // namespace platform
