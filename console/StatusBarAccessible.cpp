#include "StatusBarAccessible.h"

#include "StatusBar.h"

#include <QPointer>

namespace {
class TStatusPanelAccessible : public QAccessibleInterface {
public:
  TStatusPanelAccessible(TStatusBar* bar, int index) : bar_(bar), index_(index) {}

  bool isValid() const override { return !bar_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(bar_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!bar_ || (t != QAccessible::Name && t != QAccessible::Value)) return {};
    return bar_->PanelText(index_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!bar_) return {};
    int left = 0;
    for (int i = 0; i < index_; ++i) left += bar_->PanelWidth(i);
    return QRect(bar_->mapToGlobal(QPoint(left, 0)), QSize(bar_->PanelWidth(index_), bar_->height()));
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    state.invisible = !bar_ || !bar_->isVisible();
    return state;
  }

private:
  QPointer<TStatusBar> bar_;
  int index_;
};
}  // namespace

TStatusBarAccessible::TStatusBarAccessible(TStatusBar* bar) : QAccessibleWidget(bar, QAccessible::StatusBar) {
  for (int i = 0; i < bar->PanelCount(); ++i)
    panels_.push_back(QAccessible::registerAccessibleInterface(new TStatusPanelAccessible(bar, i)));
}

TStatusBarAccessible::~TStatusBarAccessible() {
  for (QAccessible::Id id : panels_) QAccessible::deleteAccessibleInterface(id);
}

TStatusBar* TStatusBarAccessible::Bar() const { return static_cast<TStatusBar*>(widget()); }

int TStatusBarAccessible::childCount() const { return static_cast<int>(panels_.size()); }

QAccessibleInterface* TStatusBarAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return QAccessible::accessibleInterface(panels_[static_cast<size_t>(index)]);
}

int TStatusBarAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i)
    if (this->child(i) == child) return i;
  return -1;
}

QAccessibleInterface* TStatusBarAccessible::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i)
    if (child(i)->rect().contains(x, y)) return child(i);
  return nullptr;
}

void TStatusBarAccessible::AnnouncePanelText(TStatusBar* bar, int index) {
  // Without a reader listening nothing is sent, and the interfaces are not
  // made just to say so.
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* barInterface = QAccessible::queryAccessibleInterface(bar);
  QAccessibleInterface* panel = barInterface ? barInterface->child(index) : nullptr;
  if (!panel) return;
  QAccessibleEvent named(panel, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
}
