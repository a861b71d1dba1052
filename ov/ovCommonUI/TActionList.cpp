#include "TActionList.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace {
std::vector<TActionList*>& LiveLists() {
  static std::vector<TActionList*> lists;
  return lists;
}
bool g_updating = false;
QMetaObject::Connection g_idleConnection;
}  // namespace

TActionList::TActionList(const QString& name, QObject* owner) : QObject(owner) {
  setObjectName(name);
  LiveLists().push_back(this);
  InstallIdleHook();
}

TActionList::~TActionList() {
  auto& lists = LiveLists();
  lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
  // Children are deleted by QObject after this; keep them from calling back.
  for (TAction* action : actions_) action->DetachFromList();
  actions_.clear();
}

TAction* TActionList::Add(const QString& name, const QString& caption) {
  return new TAction(this, name, caption);
}

TAction* TActionList::Find(const QString& name) const {
  for (TAction* action : actions_)
    if (action->objectName() == name) return action;
  return nullptr;
}

void TActionList::Forget(TAction* action) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
}

void TActionList::UpdateActions() {
  // Copy: a handler may add or remove actions.
  const std::vector<TAction*> snapshot = actions_;
  for (TAction* action : snapshot) {
    if (std::find(actions_.begin(), actions_.end(), action) == actions_.end()) continue;
    if (action->IsUpdateLeader()) action->Update();
  }
}

void TActionList::UpdateAllActions() {
  if (g_updating) return;  // an update handler that spins the loop must not recurse
  g_updating = true;
  // One pass for all lists: a state one handler changes and another changes
  // back notifies nobody.
  TAction::UpdatePass pass;
  const std::vector<TActionList*> snapshot = LiveLists();
  for (TActionList* list : snapshot) {
    auto& lists = LiveLists();
    if (std::find(lists.begin(), lists.end(), list) != lists.end()) list->UpdateActions();
  }
  g_updating = false;
}

void TActionList::InstallIdleHook() {
  if (g_idleConnection) return;
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread());
  if (!dispatcher) return;
  // aboutToBlock fires once per loop cycle, right before the loop waits: the
  // toolkit's idle moment. Updates notify only the net changes of a pass, so
  // a settled console goes back to sleep after one extra cycle at most.
  g_idleConnection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher,
                                      [] { TActionList::UpdateAllActions(); });
}
