// The Qt dialogs behind the prompts: what Escape and the close box answer, and how the texts
// and titles show.
#include "platform/ui/qt_prompts.h"
#include "platform/ui/busy.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace platform;

namespace {
// Closes the next modal window as the close box would.
void closeNextModal() {
  QTimer::singleShot(0, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
}
// Answers the next question box with a click on one of its buttons.
void answerNextQuestion(QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [answer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      QTest::mouseClick(box->button(answer), Qt::LeftButton);
  });
}

// The width a box needs to show its title whole in a window manager's frame: the title in bold
// beside an icon and three buttons, each as wide as a frame's title bar is high.
int frameWidthForTitle(const QString& title) {
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics fm(bold);
  return fm.horizontalAdvance(title) + 4 * (fm.height() + 6);
}
}  // namespace

TEST(QtPrompts, AQuestionTakesYesOrNoOnlyAndTheCloseBoxAnswersOkToAMessage) {
  QtPrompts prompts;
  QString shown;
  bool standsAfterEscape = false, standsAfterCloseBox = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown = box->text();
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused && box->isAncestorOf(focused) ? focused : box, Qt::Key_Escape);
    standsAfterEscape = box->isVisible();
    box->windowHandle()->close();  // the frame's close box
    standsAfterCloseBox = box->isVisible();
    QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
  });
  EXPECT_EQ(prompts.msgBox("Do you want to Save your list?\n\rReally?", msg::YesNo + msg::Question, "Mellowdex"),
            msg::Yes);
  EXPECT_TRUE(standsAfterEscape);
  EXPECT_TRUE(standsAfterCloseBox);
  EXPECT_EQ(shown, "Do you want to Save your list?\nReally?");
  answerNextQuestion(QMessageBox::No);
  EXPECT_EQ(prompts.msgBox("Delete?", msg::YesNo + msg::Critical + msg::DefaultButton2, "Delete"), msg::No);
  closeNextModal();
  EXPECT_EQ(prompts.msgBox("Done", msg::OKOnly, "Save"), msg::OK);
}

// A short text under a long title: the box is wide enough for the frame to show the title whole.
TEST(QtPrompts, ABoxIsAsWideAsItsTitle) {
  QtPrompts prompts;
  int boxWidth = 0, inputWidth = 0;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    boxWidth = modal->width();
    modal->close();
  });
  prompts.msgBox("Maximum list size is 32731", msg::OKOnly, "Max List Size Reached");
  EXPECT_GE(boxWidth, frameWidthForTitle("Max List Size Reached"));
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    inputWidth = modal->width();
    modal->close();
  });
  prompts.inputBox("Enter your reference number for the disc K1", "Your disc reference number", "0001");
  EXPECT_GE(inputWidth, frameWidthForTitle("Your disc reference number"));
}

TEST(QtPrompts, AMessageShownDuringALongPassCanStillBeAnswered) {
  QtPrompts prompts;
  BusyScope busy;
  closeNextModal();
  EXPECT_EQ(prompts.msgBox("Maximum list size is 32731", msg::OKOnly, "Max List Size Reached"), msg::OK);
  answerNextQuestion(QMessageBox::No);
  EXPECT_EQ(prompts.msgBox("Save?", msg::YesNo, "Mellowdex"), msg::No);

  // The save dialog's pop-ups take their keys too: the name box's completer, its own window, is
  // answered with Down and Enter, as the keyboard gives them to the dialog.
  QTemporaryDir dir;
  QFile existing(QDir(dir.path()).filePath("friday.mdq"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* files = dialog->findChild<QAbstractItemView*>("listView");
    static_cast<void>(QTest::qWaitFor([&] { return files && files->model()->rowCount(files->rootIndex()) > 0; }));
    for (const Qt::Key key : {Qt::Key_F, Qt::Key_Down, Qt::Key_Return, Qt::Key_Return})
      if (dialog->isVisible()) QTest::keyClick(dialog->windowHandle(), key);
    if (dialog->isVisible()) dialog->reject();
  });
  FileDialogRequest req;
  req.folder = dir.path();
  req.fileName = "*.mdq";
  EXPECT_EQ(prompts.saveFile(req).value_or(QString()), QDir(dir.path()).filePath("friday.mdq"));
}

TEST(QtPrompts, CancellingTheInputBoxGivesTheEmptyTextAndThePrintDialogNothing) {
  QtPrompts prompts;
  closeNextModal();
  EXPECT_EQ(prompts.inputBox("Enter your reference number for the disc SC1", "Your disc reference number", "0001"), "");
  // The page range offered runs from the first page to the last one allowed; the boxes take
  // pages up to the limit asked for, which another paper chosen in the dialog may have.
  int from = -1, to = -1, toMax = -1;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* box = modal->findChild<QSpinBox*>("from")) from = box->value();
    if (auto* box = modal->findChild<QSpinBox*>("to")) to = box->value(), toMax = box->maximum();
    modal->close();
  });
  PrintDialogRequest req;
  req.maxPage = 53;
  req.rangeLimit = 200;
  req.allowPageRange = true;
  EXPECT_FALSE(prompts.printDialog(req));
  EXPECT_EQ(from, 1);
  EXPECT_EQ(to, 53);
  EXPECT_EQ(toMax, 200);
  // The colour dialog has no part for defining custom colours.
  QStringList customShown;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    for (auto* w : modal->findChildren<QWidget*>()) {
      const QString text = w->property("text").toString();
      if (w->isVisible() && text.contains("Custom", Qt::CaseInsensitive)) customShown << text;
    }
    modal->close();
  });
  EXPECT_FALSE(prompts.chooseColour(0xFF));
  EXPECT_TRUE(customShown.isEmpty()) << customShown.join(", ").toStdString();
}

TEST(QtPrompts, ATypedNameWithoutExtensionTakesTheChosenTypes) {
  // The export's two types as the dialog shows them.
  const QString exportTypes = toQtFilter("Comma delimited text file (*.csv)|*.csv|Web Page (*.htm)|*.htm");
  const QString web = exportTypes.split(";;").at(1), csv = exportTypes.split(";;").at(0);
  EXPECT_EQ(withChosenExtension("/d/list", web, exportTypes), "/d/list.htm");
  EXPECT_EQ(withChosenExtension("/d/list.csv", web, exportTypes), "/d/list.csv");
  EXPECT_EQ(withChosenExtension("/d/list.CSV", web, exportTypes), "/d/list.CSV");
  EXPECT_EQ(withChosenExtension("/d/list", "All files (*)", "*.mdq;;All files (*)"), "/d/list");
  EXPECT_EQ(withChosenExtension("/d/Party", "*.mdq", "*.mdq;;All files (*)"), "/d/Party.mdq");
  // An extension none of the types has is part of the name: the chosen type is still written.
  EXPECT_EQ(withChosenExtension("/d/list.txt", web, exportTypes), "/d/list.txt.htm");
  // The other spelling of a type's extension names that type, whatever its case.
  EXPECT_EQ(withChosenExtension("/d/page.html", web, exportTypes), "/d/page.html");
  EXPECT_EQ(withChosenExtension("/d/page.HTML", csv, exportTypes), "/d/page.HTML");
  // A name that ends in a full stop takes the extension after it.
  EXPECT_EQ(withChosenExtension("/d/list.", web, exportTypes), "/d/list.htm");
  EXPECT_EQ(withChosenExtension("/d/list.", csv, exportTypes), "/d/list.csv");
}

TEST(QtPrompts, FileFiltersAreTranslated) {
  EXPECT_EQ(toQtFilter("Pictures (*.bmp;*.jpg)|*.bmp;*.jpg|All|*.*"), "Pictures (*.bmp *.jpg);;All (*.*)");
  EXPECT_EQ(toQtFilter("Comma delimited text file (*.csv)|*.csv"), "Comma delimited text file (*.csv)");
}

// The print dialog opens on the paper and file of an earlier answer, and OK gives them back.
TEST(QtPrompts, ThePrintDialogOpensOnThePaperAndFileItIsGiven) {
  QtPrompts prompts;
  QTemporaryDir dir;
  PrintDialogRequest req;
  req.maxPage = 9;
  req.allowPageRange = true;
  req.previous.outputFile = dir.filePath("friday.pdf");
  req.previous.pageLayout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(20, 20, 20, 20));
  QPageLayout shownLayout;
  QString shownFile;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shownLayout = dialog->printer()->pageLayout();
    shownFile = dialog->printer()->outputFileName();
    dialog->accept();
  });
  const std::optional<PrintDialogAnswer> answer = prompts.printDialog(req);
  EXPECT_EQ(shownLayout.pageSize().id(), QPageSize::A5);
  EXPECT_EQ(shownLayout.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(shownFile, req.previous.outputFile);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->pageLayout.pageSize().id(), QPageSize::A5);
  EXPECT_EQ(answer->pageLayout.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(answer->outputFile, req.previous.outputFile);
}
