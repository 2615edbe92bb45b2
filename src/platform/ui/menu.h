// Menu entries of a window: the menu bar's menus, their entries and the popup menus. Captions,
// check marks, enabled and visible states change at run time.
#pragma once

#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace platform {

class MenuItem {
 public:
  MenuItem(QString name, QString caption);
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const QString& name() const { return name_; }
  // The caption as designed: "&" marks the access key, "&&" is one "&", "-" is a separator.
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // A caption taken from data: every "&" shows as itself.
  void setPlainCaption(const QString& text);
  // What the user sees: access-key marks removed.
  QString shownText() const;
  bool isSeparator() const { return caption_ == QLatin1String("-"); }

  bool Checked() const { return checked_; }
  void setChecked(bool on);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool on);
  bool Visible() const { return visible_; }
  void setVisible(bool on);

  // Building the tree: a top-level menu goes on the bar (hidden ones are the popups).
  void attachToBar(QMenuBar* bar);
  void addEntry(MenuItem* child);
  const std::vector<MenuItem*>& entries() const { return children_; }
  MenuItem* parent() const { return parent_; }
  MenuItem* find(const QString& name);

  QMenu* qmenu() const { return menu_; }
  QAction* action() const { return action_; }

  // Runs the entry's handler, as choosing it does.
  void click();
  std::function<void()> Click;

 private:
  void applyText();
  QString name_;
  QString caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  MenuItem* parent_ = nullptr;
  std::vector<MenuItem*> children_;
  QMenu* menu_ = nullptr;      // top-level menus
  QAction* action_ = nullptr;  // entries (and the menu's own action for top-level ones)
};

}  // namespace platform
