// The user's hands in the window tests: typing, clicks on a control or on a list row, and the
// check that every button and menu entry a window offers reaches its handler.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/text_controls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// An empty main window for the controls' own tests.
struct TestWindow : platform::FormBase {
  TestWindow() : FormBase(Kind::MainWindow, "test", QSize(400, 300)) {}
};

// Keys typed into a widget, one key press a character, as the user types them.
inline void typeInto(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

// A text pasted into a box as the user pastes it: put on the clipboard, then Ctrl+V in the box,
// given the focus first.
inline void pasteInto(QWidget* box, const QString& text) {
  QApplication::clipboard()->setText(text);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// An entry chosen from a drop-down list as the user chooses it: the list opened and the entry
// clicked.
inline void chooseFrom(platform::ComboBox& list, const QString& entry) {
  auto* box = qobject_cast<QComboBox*>(list.widget());
  ASSERT_NE(box, nullptr);
  const int row = box->findText(entry, Qt::MatchExactly);
  ASSERT_GE(row, 0) << entry.toStdString() << " is not offered";
  box->showPopup();
  QAbstractItemView* view = box->view();
  const QModelIndex index = view->model()->index(row, box->modelColumn(), view->rootIndex());
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
  EXPECT_FALSE(view->isVisible()) << "the list closes on the choice";
}

// Acts on the next modal window of a kind once the code under test has it up (a real dialog).
// The watch ends with `owner` when no such window comes.
template <class Window>
void onNextModal(QObject* owner, std::function<void(Window*)> act) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (!window || !window->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    act(window);
  });
  poll->start(5);
}

// A left click (press and release) on a widget at a point of it (its middle when none is
// given): sent at once, or posted to wait until events are let through.
enum class Delivery { Now, Posted };
inline void clickOn(QWidget* widget, QPoint at = {-1, -1}, Delivery delivery = Delivery::Now) {
  if (at.x() < 0) at = widget->rect().center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    auto* e = new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    if (delivery == Delivery::Posted) {
      QCoreApplication::postEvent(widget, e);
    } else {
      QCoreApplication::sendEvent(widget, e);
      delete e;
    }
  }
}

// A press of a button as the user makes it: a left click, which a hidden or disabled button
// does not take.
inline void press(platform::CommandButton& button) {
  const QWidget* shown = button.widget();
  EXPECT_TRUE(shown->isVisible() && shown->isEnabled()) << button.name().toStdString() << " is not offered";
  QTest::mouseClick(button.widget(), Qt::LeftButton);
}

// Choosing a menu entry as the user does: its action triggered, which a disabled entry ignores.
// The entry is shown and enabled, and so are the menus of the bar it hangs from (a popup menu is
// hidden from the bar: its list opens it).
inline void choose(platform::MenuItem& entry) {
  bool offered = entry.action()->isVisible() && entry.action()->isEnabled();
  for (platform::MenuItem* m = entry.parent(); m; m = m->parent())
    if (m->action() && m->action()->isVisible()) offered = offered && m->action()->isEnabled();
  EXPECT_TRUE(offered) << entry.name().toStdString() << " is not offered";
  entry.action()->trigger();
}

// An entry the user is not offered (hidden, or disabled in the state at hand) reached all the same
// through its own action, as for a guard that stands should it be: its enabled state is kept.
inline void triggerUnoffered(platform::MenuItem& entry) {
  const bool enabled = entry.Enabled();
  entry.setEnabled(true);
  entry.action()->trigger();
  entry.setEnabled(enabled);
}

// Where on a list row a click lands: the row's text, or its check box.
enum class RowPart { Text, CheckBox };

// The point of a list's viewport over a part of a row, the row scrolled into view first; a row
// of -1 is the empty space under the last row.
inline QPoint rowPoint(const platform::ListBox& list, int row, RowPart part = RowPart::Text) {
  QListView* view = list.view();
  QCoreApplication::processEvents();  // the rows laid out, as a user sees them before a click
  if (row < 0) {
    const int n = list.ListCount();
    const QRect last = n ? view->visualRect(list.model()->index(n - 1)) : QRect(0, -1, 1, 1);
    return {view->viewport()->width() / 2, std::min(last.bottom() + 4, view->viewport()->height() - 2)};
  }
  const QModelIndex index = list.model()->index(row);
  view->scrollTo(index);
  const QRect r = view->visualRect(index);
  if (part == RowPart::Text) return {std::min(r.left() + 60, r.center().x()), r.center().y()};
  QStyleOptionViewItem opt;
  opt.initFrom(view);
  opt.rect = r;
  opt.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  return view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, view).center();
}

// A click with the mouse on a list row, as the user makes it.
inline void clickRow(const platform::ListBox& list, int row, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers mods = Qt::NoModifier, RowPart part = RowPart::Text) {
  QTest::mouseClick(list.view()->viewport(), button, mods, rowPoint(list, row, part));
}

// A double click with the mouse on a list row.
inline void doubleClickRow(const platform::ListBox& list, int row) {
  QTest::mouseDClick(list.view()->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(list, row));
}

// Whether the user's action reaches a handler: it is stood in for by a probe meanwhile.
inline bool reaches(std::function<void()>& handler, const std::function<void()>& action) {
  auto kept = std::move(handler);
  bool ran = false;
  handler = [&ran] { ran = true; };
  action();
  handler = std::move(kept);
  return ran;
}

// The buttons a real click does not bring to their handlers ("" when there is none): listed
// buttons that are hidden, disabled or without a handler, and shown enabled buttons of the window
// the list leaves out.
inline std::string buttonsNotWired(QWidget* window, const std::vector<platform::CommandButton*>& buttons) {
  QStringList faults;
  std::vector<QWidget*> listed;
  for (platform::CommandButton* b : buttons) {
    listed.push_back(b->widget());
    if (!b->widget()->isVisible() || !b->widget()->isEnabled()) {
      faults << b->name() + " not offered";
      continue;
    }
    if (!b->Click) {
      faults << b->name() + " without a handler";
      continue;
    }
    if (!reaches(b->Click, [b] { QTest::mouseClick(b->widget(), Qt::LeftButton); }))
      faults << b->name() + " not reached";
  }
  for (QPushButton* shown : window->findChildren<QPushButton*>())
    if (shown->isVisible() && shown->isEnabled() && std::find(listed.begin(), listed.end(), shown) == listed.end())
      faults << shown->objectName() + " not listed";
  return faults.join("; ").toStdString();
}

// The shown entries under menus that choosing does not bring to their handlers ("" when there is
// none): disabled ones and ones without a handler.
inline std::string menuEntriesNotWired(const std::vector<platform::MenuItem*>& menus) {
  QStringList faults;
  for (platform::MenuItem* menu : menus) {
    for (platform::MenuItem* e : menu->entries()) {
      if (e->isSeparator() || !e->action()->isVisible()) continue;
      if (!e->Click) {
        faults << e->name() + " without a handler";
        continue;
      }
      if (!reaches(e->Click, [e] { e->action()->trigger(); }))
        faults << e->name() + (e->action()->isEnabled() ? " not reached" : " disabled");
    }
  }
  return faults.join("; ").toStdString();
}

}  // namespace testsupport
