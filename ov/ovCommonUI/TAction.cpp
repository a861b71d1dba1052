#include "TAction.h"

#include "TActionList.h"

#include <algorithm>

TAction::TAction(TActionList* list, const QString& name, const QString& caption)
    : QObject(list), caption_(caption), list_(list) {
  setObjectName(name);
  if (list_) list_->Append(this);
}

TAction::~TAction() {
  LeaveGroup();
  if (list_) list_->Forget(this);
}

void TAction::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  emit Changed(Property::Caption);
}

void TAction::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  emit Changed(Property::Enabled);
}

void TAction::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  emit Changed(Property::Checked);
}

void TAction::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  emit Changed(Property::Visible);
}

bool TAction::Update() {
  TAction* leader = UpdateLeader();
  if (!leader->OnUpdate) return false;
  // Copy: a handler may replace itself.
  Handler handler = leader->OnUpdate;
  handler(*leader);
  return true;
}

bool TAction::Execute() {
  Update();
  if (!enabled_ || !OnExecute) return false;
  Handler handler = OnExecute;
  handler(*this);
  return true;
}

void TAction::SetUpdateGroup(std::initializer_list<TAction*> actions) {
  SetUpdateGroup(std::vector<TAction*>(actions));
}

void TAction::SetUpdateGroup(const std::vector<TAction*>& actions) {
  auto group = std::make_shared<std::vector<TAction*>>(actions);
  for (TAction* action : actions) {
    action->LeaveGroup();
    action->group_ = group;
  }
}

TAction* TAction::UpdateLeader() const {
  if (group_ && !group_->empty()) return group_->front();
  return const_cast<TAction*>(this);
}

void TAction::LeaveGroup() {
  if (!group_) return;
  auto& members = *group_;
  members.erase(std::remove(members.begin(), members.end(), this), members.end());
  group_.reset();
}
