#include "ovCommandHistory.h"

#include <QtGlobal>

ovCommandHistory::ovCommandHistory(TMenuItem* beginMenuItem, TMenuItem* endMenuItem, int limit)
    : historyMenuItem_(beginMenuItem ? beginMenuItem->Parent() : nullptr),
      historyBeginMenuItem_(beginMenuItem),
      historyEndMenuItem_(endMenuItem),
      limit_(limit) {
  Q_ASSERT(endMenuItem && historyMenuItem_ == endMenuItem->Parent());
  // Without one common parent there is no region: record nothing rather than
  // insert into the wrong menu.
  if (!endMenuItem || historyMenuItem_ != endMenuItem->Parent()) historyMenuItem_ = nullptr;
}

ovCommandHistory::~ovCommandHistory() {
  while (Count() > 0) DeleteEntry(0);
  categories_.clear();
}

QString ovCommandHistory::CategoryName(int) const { return {}; }

int ovCommandHistory::Count() const {
  if (!historyMenuItem_) return 0;
  const int begin = historyBeginMenuItem_->MenuIndex();
  const int end = historyEndMenuItem_->MenuIndex();
  return begin < 0 || end <= begin ? 0 : end - begin - 1;
}

TMenuItem* ovCommandHistory::Entry(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return historyMenuItem_->Items(historyBeginMenuItem_->MenuIndex() + 1 + index);
}

TMenuItem* ovCommandHistory::NewestEntry() const { return Entry(0); }

void ovCommandHistory::InsertEntry(TAction* action, int category) {
  auto* item = new TMenuItem;
  item->SetAction(action, TMenuItem::Binding::RunOnly);
  if (action && !action->parent()) action->setParent(item);  // a HistoryEntryAction lives with its item
  historyMenuItem_->Insert(historyBeginMenuItem_->MenuIndex() + 1, item);
  categories_.insert(categories_.begin(), category);
}

void ovCommandHistory::DeleteEntry(int index) {
  delete Entry(index);  // frees an entry's own action with it
  if (index < static_cast<int>(categories_.size())) categories_.erase(categories_.begin() + index);
}

void ovCommandHistory::RecordAction(TAction* action, int category) {
  if (!historyMenuItem_ || !action) return;
  TMenuItem* newest = NewestEntry();
  if (newest && newest->Action() == action) return;
  InsertEntry(action, category);
}

void ovCommandHistory::RecordValue(const QString& text, int value, int category) {
  if (!historyMenuItem_) return;
  TMenuItem* newest = NewestEntry();
  if (newest && newest->Action() && newest->Action()->Caption() == text && !categories_.empty() &&
      categories_.front() == category)
    return;
  auto* entry = new TAction(nullptr, QStringLiteral("HistoryEntryAction"), text);
  entry->SetTag(value);
  entry->OnExecute = [this, category](TAction& self) {
    // Copy first: re-recording may not free this action, but keep the values stable anyway.
    const QString caption = self.Caption();
    const int tag = self.Tag();
    ReExecute(self, category);
    RecordValue(caption, tag, category);
  };
  InsertEntry(entry, category);
}

void ovCommandHistory::Refresh() {
  if (!historyMenuItem_) return;
  while (Count() > limit_) DeleteEntry(limit_);
  for (int k = 0; k < Count(); ++k) {
    TMenuItem* item = Entry(k);
    item->SetEnabled(true);
    item->SetChecked(false);
    const int category = k < static_cast<int>(categories_.size()) ? categories_[static_cast<size_t>(k)] : -1;
    const QString caption = item->Action() ? item->Action()->Caption() : QString();
    item->SetCaption(CategoryName(category) + QStringLiteral(" \"") + caption + QLatin1Char('"'));
  }
}

void ovCommandHistory::ReExecute(TAction&, int) {}
