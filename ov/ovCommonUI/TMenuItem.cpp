#include "TMenuItem.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <algorithm>

TMenuItem::TMenuItem(const QString& name, const QString& caption) : caption_(caption) {
  setObjectName(name);
  qtAction_ = new QAction(this);
  connect(qtAction_, &QAction::triggered, this, [this] {
    // Qt toggles checkable actions by itself; the state is ours.
    SyncQtAction();
    // After the menu has closed: a click may rebuild the region that holds
    // this very item.
    QMetaObject::invokeMethod(this, &TMenuItem::Click, Qt::QueuedConnection);
  });
  SyncQtAction();
}

TMenuItem::~TMenuItem() {
  const std::vector<TMenuItem*> children = items_;
  for (TMenuItem* child : children) delete child;
  if (parent_) parent_->Remove(this);
  delete menu_;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  item->setParent(this);
  EnsureMenu();
  PlaceInContainer(item);
}

TMenuItem* TMenuItem::AddNew(const QString& name, const QString& caption) {
  auto* item = new TMenuItem(name, caption);
  Add(item);
  return item;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  item->setParent(nullptr);
  if (QWidget* container = Container()) container->removeAction(item->qtAction_);
}

TMenuItem* TMenuItem::Find(const QString& name) {
  if (objectName() == name) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->Find(name)) return found;
  return nullptr;
}

void TMenuItem::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  SyncQtAction();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  SyncQtAction();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SyncQtAction();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  SyncQtAction();
}

void TMenuItem::SetAction(TAction* action, Binding binding) {
  if (actionConnection_) disconnect(actionConnection_);
  action_ = action;
  if (!action) return;
  caption_ = action->Caption();
  const bool follow = binding == Binding::Follow;
  enabled_ = follow ? action->Enabled() : true;
  checked_ = follow && action->Checked();
  visible_ = follow ? action->Visible() : true;
  SyncQtAction();
  if (follow) actionConnection_ = connect(action, &TAction::Changed, this, &TMenuItem::FollowAction);
}

void TMenuItem::FollowAction(TAction::Property property) {
  if (!action_) return;
  switch (property) {
    case TAction::Property::Caption: caption_ = action_->Caption(); break;
    case TAction::Property::Enabled: enabled_ = action_->Enabled(); break;
    case TAction::Property::Checked: checked_ = action_->Checked(); break;
    case TAction::Property::Visible: visible_ = action_->Visible(); break;
  }
  SyncQtAction();
}

void TMenuItem::Click() {
  if (action_) {
    action_->Execute();
  } else if (OnClick) {
    ClickHandler handler = OnClick;
    handler(*this);
  }
}

void TMenuItem::InitiateActions() {
  TAction::UpdatePass pass;
  const std::vector<TMenuItem*> children = items_;
  for (TMenuItem* child : children)
    if (child->action_) child->action_->Update();
}

void TMenuItem::AttachTo(QWidget* container) {
  if (menu_)
    for (TMenuItem* child : items_) menu_->removeAction(child->qtAction_);
  attached_ = container;
  if (!container) return;
  for (TMenuItem* child : items_) PlaceInContainer(child);
}

QWidget* TMenuItem::Container() const {
  if (attached_) return attached_;
  return menu_;
}

void TMenuItem::EnsureMenu() {
  if (menu_ || attached_) return;
  menu_ = new QMenu();
  menu_->setObjectName(objectName());
  menu_->setTitle(caption_);
  connect(menu_, &QMenu::aboutToShow, this, &TMenuItem::Popup);
  qtAction_->setMenu(menu_);
}

void TMenuItem::PlaceInContainer(TMenuItem* item) {
  QWidget* container = Container();
  if (!container) return;
  container->removeAction(item->qtAction_);
  const int index = IndexOf(item);
  QAction* before = nullptr;
  if (index + 1 < Count()) before = items_[static_cast<size_t>(index) + 1]->qtAction_;
  // Siblings inserted out of order may not be in the container yet.
  if (before && !container->actions().contains(before)) before = nullptr;
  container->insertAction(before, item->qtAction_);
}

void TMenuItem::SyncQtAction() {
  if (!qtAction_) return;
  qtAction_->setSeparator(IsLine());
  // A separator with a text would show the text as a section title.
  qtAction_->setText(IsLine() ? QString() : caption_);
  if (menu_) menu_->setTitle(caption_);
  qtAction_->setEnabled(enabled_);
  qtAction_->setCheckable(checked_);
  qtAction_->setChecked(checked_);
  qtAction_->setVisible(visible_);
}

void TMenuItem::Popup() {
  InitiateActions();
  Click();
}
