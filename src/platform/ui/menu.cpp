#include "platform/ui/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace platform {

MenuItem::MenuItem(QString name, QString caption) : name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem::~MenuItem() {
  if (menu_ && !menu_->parent()) delete menu_;
}

void MenuItem::applyText() {
  if (!action_) return;
  if (!isSeparator()) action_->setText(caption_);
}

void MenuItem::setCaption(const QString& caption) {
  caption_ = caption;
  applyText();
}

void MenuItem::setPlainCaption(const QString& text) {
  QString escaped = text;
  escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
  setCaption(escaped);
}

QString MenuItem::shownText() const {
  QString out;
  for (qsizetype i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == QLatin1Char('&') && i + 1 < caption_.size()) {
      ++i;  // "&&" shows one "&"; "&x" shows "x" underlined
    }
    out += caption_[i];
  }
  return out;
}

void MenuItem::setChecked(bool on) {
  checked_ = on;
  if (action_) {
    action_->setCheckable(on || action_->isCheckable());
    action_->setChecked(on);
  }
}

void MenuItem::setEnabled(bool on) {
  enabled_ = on;
  if (action_) action_->setEnabled(on);
}

void MenuItem::setVisible(bool on) {
  visible_ = on;
  if (action_) action_->setVisible(on);
}

void MenuItem::attachToBar(QMenuBar* bar) {
  menu_ = new QMenu(caption_);
  menu_->setObjectName(name_);
  action_ = menu_->menuAction();
  if (bar) bar->addMenu(menu_);
  applyText();
  action_->setEnabled(enabled_);
  action_->setVisible(visible_);
}

void MenuItem::addEntry(MenuItem* child) {
  child->parent_ = this;
  children_.push_back(child);
  if (!menu_) return;
  if (child->isSeparator()) {
    child->action_ = menu_->addSeparator();
  } else {
    child->action_ = menu_->addAction(child->caption_);
    QObject::connect(child->action_, &QAction::triggered, menu_, [child] { child->click(); });
  }
  child->action_->setObjectName(child->name_);
  child->action_->setEnabled(child->enabled_);
  child->action_->setVisible(child->visible_);
  if (child->checked_) {
    child->action_->setCheckable(true);
    child->action_->setChecked(true);
  }
}

MenuItem* MenuItem::find(const QString& name) {
  if (name_ == name) return this;
  for (auto* c : children_)
    if (auto* f = c->find(name)) return f;
  return nullptr;
}

void MenuItem::click() {
  if (isSeparator()) return;
  // A check mark belongs to the program, not to the click: put Qt's toggle back.
  if (action_ && action_->isCheckable()) action_->setChecked(checked_);
  if (Click) Click();
}

}  // namespace platform
