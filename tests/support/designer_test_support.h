// What the label and case designer tests share: disc track items, the recorded calls of one
// kind, and a fixture that opens a designer window over a temporary program folder with its
// printer replaced by a recording surface.
#pragma once

#include "platform/core/recording_surface.h"
#include "platform/ui/controls.h"
#include "scripted_prompts.h"
#include "surface_test_support.h"
#include "temp_home.h"
#include "user_input.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>  // platform/ui/controls.h hands out QWidget pointers

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace designer_test {

using testsupport::choose;
using testsupport::chooseFrom;
using testsupport::clickOn;
using testsupport::press;
using testsupport::typeInto;

// The system colours the designers start their texts in: button text (titles) and window text
// (track lists).
constexpr qint32 kButtonText = qint32(0x80000012u);
constexpr qint32 kWindowText = qint32(0x80000008u);

// A family as a face list names it: upper case, without the maker's tag ("C059 [urw]" is "C059").
inline QString faceOf(const QString& family) {
  return (family.endsWith(']') ? family.left(family.lastIndexOf('[')).trimmed() : family).toUpper();
}

// The families installed here as a face list names them, once each ("C059 [urw]" and
// "C059 [UKWN]" are one "C059"); the font system's generic names, which stand for another
// family, are left out.
inline QStringList installedFaces() {
  QStringList out;
  for (const QString& family : QFontDatabase::families()) {
    const QString face = faceOf(family);
    if (!out.contains(face) && face != "SERIF" && face != "SANS SERIF" && face != "MONOSPACE") out << face;
  }
  return out;
}

// A family installed here from two makers, as the font system names it with one maker's tag;
// empty where there is none (the URW fonts give several).
inline QString familyFromTwoMakers() {
  for (const QString& family : QFontDatabase::families())
    if (family.endsWith(']')) return family;
  return {};
}

// The installed families a face list does not offer exactly once, each with how often it does.
inline QStringList facesNotListedOnce(const platform::ComboBox& list) {
  QStringList wrong;
  for (const QString& face : installedFaces()) {
    int n = 0;
    for (int i = 0; i < list.ListCount(); ++i) n += list.List(i) == face;
    if (n != 1) wrong << face + " x" + QString::number(n);
  }
  return wrong;
}

// The widget a real click at this point of a shown window lands on, found as the window system
// finds it (the topmost widget there that takes clicks); the click itself is held back from it.
inline QWidget* widgetClickedAt(QWidget* window, QPoint at) {
  struct Catcher : QObject {
    QPointer<QWidget> target;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (!o->isWidgetType()) return false;
      if (e->type() == QEvent::MouseButtonPress && !target) target = static_cast<QWidget*>(o);
      return e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
    }
  } catcher;
  qApp->installEventFilter(&catcher);
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  qApp->removeEventFilter(&catcher);
  return catcher.target;
}

// The controls of a settings panel a click at their middle does not reach.
inline QStringList controlsNotClickable(QWidget* panel) {
  QStringList covered;
  QWidget* window = panel->window();
  for (QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->isVisible()) continue;
    QWidget* target = widgetClickedAt(window, control->mapTo(window, control->rect().center()));
    if (target != control && !control->isAncestorOf(target))
      covered << control->objectName() + " under " + (target ? target->objectName() : "nothing");
  }
  return covered;
}

// A designer window `Form` whose Print draws on `paper`, a recording surface made afresh at
// each Print.
template <class Form>
class DesignerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w->makePrinterSurface = [this] {
      paper = std::make_shared<platform::RecordingSurface>();
      return std::shared_ptr<platform::DrawingSurface>(paper);
    };
  }
  // As the main window opens it: loaded, filled, shown.
  void openWith(const QStringList& items, const QString& title) {
    w->Load();
    w->List1.Clear();
    w->List1.addItems(items);
    w->Text3.setText(title);
    w->Show();
  }
  // A picture file of one colour in the program folder; its full path.
  QString savePicture(const QString& name, QSize size, Qt::GlobalColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(home.path(name));
    return home.path(name);
  }
  // A face besides the preset, the hardest to find: a family installed from two makers, as the
  // face lists name it ("C059").
  QString otherFace() { return faceOf(familyFromTwoMakers()); }
  double centreOf(const platform::Control& c) { return c.Left() + c.Width() / 2; }
  // The user leaves the open title editor with Tab, as from the keyboard.
  void tabOutOfTitleEditor() {
    QApplication::setActiveWindow(w->window());
    w->Text3.widget()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w->Text3.widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
  }

  testsupport::TempHome home;
  testsupport::ScriptedPrompts prompts;
  std::shared_ptr<platform::RecordingSurface> paper;
  std::unique_ptr<Form> w = std::make_unique<Form>();
};

}  // namespace designer_test
