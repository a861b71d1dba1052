// Menu items as objects of their own, in a tree, shown through Qt menus.
//
// Usage:
//   TMenuItem* root = new TMenuItem("MainMenu");     // root: attach to a QMenuBar
//   root->AttachTo(mainWindow->menuBar());
//   TMenuItem* op = root->AddNew("OperationMenuItem");
//   op->SetAction(OperationAction);                  // opening the menu executes it
//   TMenuItem* sep = op->AddNew("N1", "-");          // caption "-" = separator
//   TMenuItem* begin = op->AddNew("HistoryBeginMenuItem", "(begin...)");
//   begin->SetVisible(false); begin->SetEnabled(false);  // a marker
//   op->Insert(begin->MenuIndex() + 1, new TMenuItem("", "entry"));
//
// An item bound to an action follows the action's caption, enabled, checked
// and visible state; clicking runs the action's Execute, otherwise OnClick.
// The same action may be bound to any number of items.
// When an item's submenu opens, the actions of its children are updated and
// then the item itself is clicked.
// Deleting an item removes it from its parent and deletes its children and
// every object parented to it (e.g. an action created for it).
#ifndef OVCOMMONUI_TMENUITEM_H
#define OVCOMMONUI_TMENUITEM_H

#include "TAction.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class TMenuItem : public QObject {
  Q_OBJECT
public:
  using ClickHandler = std::function<void(TMenuItem&)>;

  explicit TMenuItem(const QString& name = {}, const QString& caption = {});
  ~TMenuItem() override;

  // Tree
  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // Takes ownership; index is clamped to 0..Count().
  void Insert(int index, TMenuItem* item);
  void Add(TMenuItem* item) { Insert(Count(), item); }
  TMenuItem* AddNew(const QString& name, const QString& caption = {});
  // Detaches without deleting; the caller owns the item afterwards.
  void Remove(TMenuItem* item);
  // Depth-first search by objectName, this item included.
  TMenuItem* Find(const QString& name);

  // Properties
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool IsLine() const { return caption_ == QLatin1String("-"); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TAction* Action() const { return action_; }
  // Follow: copies the action's state at once and follows its later changes.
  // RunOnly: a click runs the action, but the item starts with the action's
  // caption, enabled and unchecked, and keeps whatever is set on it (an
  // operation history entry shows its own state, not a rate's check mark).
  enum class Binding { Follow, RunOnly };
  void SetAction(TAction* action, Binding binding = Binding::Follow);

  ClickHandler OnClick;
  // Runs the bound action's Execute, or OnClick when no action is bound.
  void Click();
  // Runs the update of each child's action: what opening this menu does first.
  void InitiateActions();

  // Qt side. The root of a menu bar shows its children in the attached widget.
  void AttachTo(QWidget* container);
  QAction* QtAction() const { return qtAction_; }
  QMenu* QtMenu() const { return menu_; }

private:
  QWidget* Container() const;
  void EnsureMenu();
  void PlaceInContainer(TMenuItem* item);
  void SyncQtAction();
  void FollowAction(TAction::Property property);
  void Popup();

  QString caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  int tag_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  QPointer<TAction> action_;
  QMetaObject::Connection actionConnection_;
  QAction* qtAction_ = nullptr;
  QMenu* menu_ = nullptr;
  QPointer<QWidget> attached_;
};

#endif
