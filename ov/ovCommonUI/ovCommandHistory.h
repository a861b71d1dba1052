// An operation history in a menu region between two marker items: newest
// entry first, each filed under a category, trimmed to a limit on refresh.
// An entry re-runs either an existing action or a HistoryEntryAction created
// for it (caption = text, tag = value) whose re-execution derived classes
// supply per category.
#ifndef OVCOMMONUI_OVCOMMANDHISTORY_H
#define OVCOMMONUI_OVCOMMANDHISTORY_H

#include "TAction.h"
#include "TMenuItem.h"

#include <QString>
#include <vector>

class ovCommandHistory {
public:
  // Both markers must share one parent item.
  ovCommandHistory(TMenuItem* beginMenuItem, TMenuItem* endMenuItem, int limit);
  virtual ~ovCommandHistory();
  ovCommandHistory(const ovCommandHistory&) = delete;
  ovCommandHistory& operator=(const ovCommandHistory&) = delete;

  virtual QString CategoryName(int category) const;

  // Nothing when the newest entry is bound to this action already.
  void RecordAction(TAction* action, int category);
  // Nothing when the newest entry's action has this caption and this category.
  void RecordValue(const QString& text, int value, int category);
  // Drops the oldest entries beyond the limit and writes every entry's caption.
  void Refresh();

  int Limit() const { return limit_; }
  int Count() const;  // entries between the markers
  TMenuItem* Entry(int index) const;  // 0 = newest
  const std::vector<int>& Categories() const { return categories_; }

protected:
  // Re-runs a HistoryEntryAction; called before it records itself again.
  virtual void ReExecute(TAction& entry, int category);

private:
  TMenuItem* NewestEntry() const;
  void InsertEntry(TAction* action, int category);
  void DeleteEntry(int index);

  TMenuItem* historyMenuItem_;
  TMenuItem* historyBeginMenuItem_;
  TMenuItem* historyEndMenuItem_;
  std::vector<int> categories_;
  int limit_;
};

#endif
