#include "TAction.h"
#include "TActionBinding.h"
#include "TActionList.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QTimer>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(TActionTest, ExecuteRunsUpdateFirstAndOnlyWhileEnabled) {
  TActionList list("List");
  TAction* action = list.Add("A", "a");
  bool allow = true;
  int runs = 0;
  action->OnUpdate = [&](TAction& self) { self.SetEnabled(allow); };
  action->OnExecute = [&](TAction&) { ++runs; };
  EXPECT_TRUE(action->Execute());
  allow = false;
  EXPECT_FALSE(action->Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(action->Enabled());
}

TEST(TActionTest, WithoutUpdateHandlerStaysEnabledAndUnchecked) {
  TActionList list("List");
  TAction* action = list.Add("A");
  list.UpdateActions();
  TActionList::UpdateAllActions();
  EXPECT_TRUE(action->Enabled());
  EXPECT_FALSE(action->Checked());
  EXPECT_FALSE(action->Update());
}

TEST(TActionTest, GroupStateComesFromTheLeaderOnly) {
  TActionList list("List");
  TAction* leader = list.Add("Leader");
  TAction* member = list.Add("Member");
  int leaderRuns = 0;
  int memberRuns = 0;
  int value = 1;
  leader->OnUpdate = [&](TAction& self) {
    ++leaderRuns;
    self.SetChecked(value == 0);
    member->SetChecked(value == 1);
  };
  member->OnUpdate = [&](TAction&) { ++memberRuns; };
  TAction::SetUpdateGroup({leader, member});
  list.UpdateActions();
  EXPECT_EQ(leaderRuns, 1);
  EXPECT_EQ(memberRuns, 0);
  EXPECT_TRUE(member->Checked());
  value = 0;
  member->Update();
  EXPECT_EQ(leaderRuns, 2);
  EXPECT_TRUE(leader->Checked());
  EXPECT_FALSE(member->Checked());
}

TEST(TActionTest, ChangeIsSignalledOncePerRealChange) {
  TAction action(nullptr, "Free", "x");
  std::vector<TAction::Property> seen;
  QObject::connect(&action, &TAction::Changed, [&](TAction::Property p) { seen.push_back(p); });
  action.SetCaption("x");
  action.SetEnabled(true);
  action.SetChecked(true);
  action.SetChecked(true);
  action.SetCaption("y");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], TAction::Property::Checked);
  EXPECT_EQ(seen[1], TAction::Property::Caption);
}

TEST(TActionTest, DeletedActionLeavesItsListAndGroup) {
  TActionList list("List");
  TAction* leader = list.Add("Leader");
  TAction* member = list.Add("Member");
  TAction::SetUpdateGroup({leader, member});
  delete leader;
  EXPECT_EQ(list.Count(), 1);
  EXPECT_TRUE(member->IsUpdateLeader());
  EXPECT_EQ(list.Find("Member"), member);
  EXPECT_EQ(list.Find("Leader"), nullptr);
}

TEST(TActionBindingTest, ButtonAndCheckBoxFollowAndExecute) {
  TActionList list("List");
  TAction* action = list.Add("A", "Update");
  int runs = 0;
  action->OnExecute = [&](TAction&) { ++runs; };
  QPushButton button;
  QCheckBox box;
  BindButton(&button, action);
  BindButton(&box, action);
  EXPECT_EQ(button.text(), "Update");
  action->SetCaption("Apply");
  action->SetEnabled(false);
  action->SetChecked(true);
  EXPECT_EQ(button.text(), "Apply");
  EXPECT_EQ(box.text(), "Apply");
  EXPECT_FALSE(button.isEnabled());
  EXPECT_TRUE(box.isChecked());
  action->SetEnabled(true);
  button.click();
  box.click();
  EXPECT_EQ(runs, 2);
  // The user's toggle stays until the action's checked state changes.
  EXPECT_FALSE(box.isChecked());
}

TEST(TActionListTest, UpdatesRunWhenTheEventLoopGoesIdle) {
  TActionList list("List");
  TAction* action = list.Add("A");
  int updates = 0;
  action->OnUpdate = [&](TAction&) { ++updates; };
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_GT(updates, 0);
  const int settled = updates;
  // A settled console sleeps: no update storm while nothing happens.
  QEventLoop quiet;
  QTimer::singleShot(100, &quiet, &QEventLoop::quit);
  quiet.exec();
  EXPECT_LT(updates - settled, 10);
}

TEST(TActionTest, UpdatePassSignalsOnlyTheNetChanges) {
  TActionList list("List");
  TAction* a = list.Add("A", "a");
  TAction* b = list.Add("B", "b");
  a->SetChecked(true);
  std::vector<std::pair<TAction*, TAction::Property>> seen;
  for (TAction* action : {a, b})
    QObject::connect(action, &TAction::Changed, [&seen, action](TAction::Property p) { seen.emplace_back(action, p); });
  a->OnUpdate = [&](TAction& self) {
    // Unchecks the group, then checks the same member again: no net change
    // for a; b's caption goes and comes back, its enabled state really changes.
    self.SetChecked(false);
    b->SetCaption("other");
    self.SetChecked(true);
    b->SetCaption("b");
    b->SetEnabled(false);
    EXPECT_TRUE(seen.empty()) << "notices wait for the end of the pass";
  };
  a->Update();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(b, TAction::Property::Enabled));
  seen.clear();
  list.UpdateActions();  // the same pass again changes nothing
  EXPECT_TRUE(seen.empty());
  {
    TAction::UpdatePass outer;
    b->SetEnabled(true);
    { TAction::UpdatePass inner; }
    EXPECT_TRUE(seen.empty()) << "only the outermost pass sends";
  }
  EXPECT_EQ(seen.size(), 1u);
}
