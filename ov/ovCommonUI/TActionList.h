// An ordered, named list of actions. Every live list takes part in the idle
// update: when the GUI event loop is about to wait, each action's update
// handler runs (group members through their leader only).
#ifndef OVCOMMONUI_TACTIONLIST_H
#define OVCOMMONUI_TACTIONLIST_H

#include "TAction.h"

#include <QObject>
#include <vector>

class TActionList : public QObject {
  Q_OBJECT
public:
  explicit TActionList(const QString& name, QObject* owner = nullptr);
  ~TActionList() override;

  // Creates an action owned by this list.
  TAction* Add(const QString& name, const QString& caption = {});
  int Count() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }
  TAction* Find(const QString& name) const;

  // Runs the update handler of every action of this list once.
  void UpdateActions();
  // Runs the updates of every live list; what the idle hook calls.
  static void UpdateAllActions();

private:
  friend class TAction;
  void Append(TAction* action) { actions_.push_back(action); }
  void Forget(TAction* action);
  static void InstallIdleHook();

  std::vector<TAction*> actions_;
};

#endif
