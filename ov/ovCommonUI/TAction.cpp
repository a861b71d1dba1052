#include "TAction.h"

#include "TActionList.h"

#include <QPointer>
#include <algorithm>

namespace {
int g_passDepth = 0;
// Actions changed during the current pass, in order of their first change.
std::vector<QPointer<TAction>>& ChangedInPass() {
  static std::vector<QPointer<TAction>> actions;
  return actions;
}
}  // namespace

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
  NoteChange();
  caption_ = caption;
  Announce(Property::Caption);
}

void TAction::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  NoteChange();
  enabled_ = enabled;
  Announce(Property::Enabled);
}

void TAction::SetChecked(bool checked) {
  if (checked == checked_) return;
  NoteChange();
  checked_ = checked;
  Announce(Property::Checked);
}

void TAction::SetVisible(bool visible) {
  if (visible == visible_) return;
  NoteChange();
  visible_ = visible;
  Announce(Property::Visible);
}

void TAction::NoteChange() {
  if (g_passDepth == 0 || changedInPass_) return;
  changedInPass_ = true;
  beforePass_ = {caption_, enabled_, checked_, visible_};
  ChangedInPass().emplace_back(this);
}

void TAction::Announce(Property property) {
  if (!changedInPass_) emit Changed(property);
}

void TAction::AnnounceNetChanges() {
  changedInPass_ = false;
  const State before = beforePass_;
  if (caption_ != before.caption) emit Changed(Property::Caption);
  if (enabled_ != before.enabled) emit Changed(Property::Enabled);
  if (checked_ != before.checked) emit Changed(Property::Checked);
  if (visible_ != before.visible) emit Changed(Property::Visible);
}

TAction::UpdatePass::UpdatePass() { ++g_passDepth; }

TAction::UpdatePass::~UpdatePass() {
  if (--g_passDepth == 0) EndPass();
}

void TAction::EndPass() {
  // Take the list first: a client reacting to a notice may start a pass of its own.
  std::vector<QPointer<TAction>> changed;
  changed.swap(ChangedInPass());
  for (const QPointer<TAction>& action : changed)
    if (action) action->AnnounceNetChanges();
}

bool TAction::Update() {
  TAction* leader = UpdateLeader();
  if (!leader->OnUpdate) return false;
  // Copy: a handler may replace itself.
  Handler handler = leader->OnUpdate;
  UpdatePass pass;
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
