// Actions with the semantics of a classic form toolkit.
//
// Usage:
//   TActionList* list = new TActionList("OptionActionList", owner);
//   TAction* a = list->Add("ResolutionCIFAction", "CIF");
//   a->OnExecute = [](TAction&) { ovSenderSetVideoResolution(2); };
//   a->OnUpdate  = [](TAction& self) { self.SetChecked(...); };
//   menuItem->SetAction(a);             // the item follows caption/enabled/checked/visible
//   BindButton(someButton, a);          // buttons and check boxes follow too (TActionBinding.h)
//
// Update handlers run when the event loop goes idle (TActionList) and for the
// items of a menu that opens (TMenuItem). An action without update handler is
// never touched by the updates: it stays as constructed (enabled, unchecked).
//
// Update groups: SetUpdateGroup({leader, member, ...}) makes the first action
// the group's leader. Only the leader's update handler runs for the group; it
// sets the state of every member. Executing a member updates through the
// leader first.
//
// Execute() runs the update first and then the execute handler only while the
// action is enabled, so a stale menu entry never reaches a disabled command.
//
// Property setters notify bound clients only on a real change and per
// property, so a client that changed one of its own properties keeps it until
// the action's matching property changes. Inside an update pass (Update(), or
// a TAction::UpdatePass held by the caller) the notices wait for the end of
// the pass and go out only for properties whose value then differs from the
// value before the pass: a handler that unchecks a group and checks one member
// again leaves the bound items alone, so nothing wakes the event loop for a
// pass whose net effect is nothing.
#ifndef OVCOMMONUI_TACTION_H
#define OVCOMMONUI_TACTION_H

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class TActionList;

class TAction : public QObject {
  Q_OBJECT
public:
  using Handler = std::function<void(TAction&)>;
  enum class Property { Caption, Enabled, Checked, Visible };

  // A free-standing action (no list) when list is null; the list owns it otherwise.
  explicit TAction(TActionList* list = nullptr, const QString& name = {}, const QString& caption = {});
  ~TAction() override;

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TActionList* ActionList() const { return list_; }

  Handler OnExecute;
  Handler OnUpdate;

  // Runs the update, then the execute handler while enabled. True when an
  // execute handler ran.
  bool Execute();
  // Runs the update handler of this action, or of its group's leader. True
  // when a handler ran.
  bool Update();

  // The first action becomes the leader; every listed action joins the group.
  // While one exists, property notices are held back and sent at its end
  // for the net changes only. Passes nest; the outermost one sends.
  class UpdatePass {
  public:
    UpdatePass();
    ~UpdatePass();
    UpdatePass(const UpdatePass&) = delete;
    UpdatePass& operator=(const UpdatePass&) = delete;
  };

  static void SetUpdateGroup(std::initializer_list<TAction*> actions);
  static void SetUpdateGroup(const std::vector<TAction*>& actions);
  TAction* UpdateLeader() const;
  bool IsUpdateLeader() const { return UpdateLeader() == this; }

signals:
  void Changed(TAction::Property property);

private:
  friend class TActionList;
  void DetachFromList() { list_ = nullptr; }
  void LeaveGroup();
  // Before a property changes: inside a pass, keeps the state the pass started from.
  void NoteChange();
  void Announce(Property property);
  void AnnounceNetChanges();
  static void EndPass();

  struct State {
    QString caption;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
  };
  bool changedInPass_ = false;
  State beforePass_;

  QString caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  int tag_ = 0;
  TActionList* list_ = nullptr;
  std::shared_ptr<std::vector<TAction*>> group_;
};

#endif
