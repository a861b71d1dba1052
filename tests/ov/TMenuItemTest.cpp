#include "TAction.h"
#include "TActionList.h"
#include "TMenuItem.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <gtest/gtest.h>

namespace {
QStringList QtCaptions(QWidget* container) {
  QStringList captions;
  for (QAction* a : container->actions()) captions << (a->isSeparator() ? QString("-") : a->text());
  return captions;
}
}  // namespace

TEST(TMenuItemTest, ItemsFollowTheBoundActionPerProperty) {
  TActionList list("List");
  TAction* action = list.Add("CIF", "CIF");
  TMenuItem root("Root");
  TMenuItem* menuItem = root.AddNew("ResolutionCIFMenuItem");
  TMenuItem* historyItem = root.AddNew("History");
  menuItem->SetAction(action);
  historyItem->SetAction(action);
  historyItem->SetCaption("解像度 \"CIF\"");
  action->SetChecked(true);
  EXPECT_TRUE(menuItem->Checked());
  EXPECT_TRUE(historyItem->Checked());
  EXPECT_EQ(historyItem->Caption(), "解像度 \"CIF\"");  // untouched by a checked change
  EXPECT_TRUE(menuItem->QtAction()->isChecked());
  action->SetEnabled(false);
  EXPECT_FALSE(historyItem->QtAction()->isEnabled());
  action->SetCaption("Cif");
  EXPECT_EQ(historyItem->Caption(), "Cif");
  EXPECT_EQ(menuItem->QtAction()->text(), "Cif");
}

TEST(TMenuItemTest, ClickRunsActionOrOwnHandler) {
  TActionList list("List");
  TAction* action = list.Add("A");
  int actionRuns = 0;
  int clickRuns = 0;
  action->OnExecute = [&](TAction&) { ++actionRuns; };
  TMenuItem root("Root");
  TMenuItem* bound = root.AddNew("Bound");
  bound->SetAction(action);
  bound->OnClick = [&](TMenuItem&) { ++clickRuns; };
  TMenuItem* plain = root.AddNew("Plain");
  plain->OnClick = [&](TMenuItem&) { ++clickRuns; };
  bound->QtAction()->trigger();
  QCoreApplication::processEvents();
  plain->Click();
  EXPECT_EQ(actionRuns, 1);
  EXPECT_EQ(clickRuns, 1);
  EXPECT_FALSE(plain->QtAction()->isChecked());  // Qt's own toggle is undone
}

TEST(TMenuItemTest, InsertionBetweenMarkersKeepsQtOrder) {
  QMenuBar bar;
  TMenuItem root("MainMenu");
  root.AttachTo(&bar);
  TMenuItem* menu = root.AddNew("OperationMenuItem", "Op");
  menu->AddNew("First", "first");
  menu->AddNew("N1", "-");
  TMenuItem* begin = menu->AddNew("BeginMenuItem", "(begin)");
  TMenuItem* end = menu->AddNew("EndMenuItem", "(end)");
  begin->SetVisible(false);
  end->SetVisible(false);
  menu->AddNew("Last", "last");
  menu->Insert(begin->MenuIndex() + 1, new TMenuItem("", "older"));
  menu->Insert(begin->MenuIndex() + 1, new TMenuItem("", "newer"));
  EXPECT_EQ(end->MenuIndex() - begin->MenuIndex(), 3);
  EXPECT_EQ(QtCaptions(menu->QtMenu()),
            QStringList({"first", "-", "(begin)", "newer", "older", "(end)", "last"}));
  EXPECT_TRUE(menu->QtMenu()->actions()[1]->isSeparator());
  EXPECT_FALSE(begin->QtAction()->isVisible());
  EXPECT_EQ(QtCaptions(&bar), QStringList({"Op"}));
  delete menu->Items(begin->MenuIndex() + 1);
  EXPECT_EQ(QtCaptions(menu->QtMenu()), QStringList({"first", "-", "(begin)", "older", "(end)", "last"}));
  EXPECT_EQ(root.Find("EndMenuItem"), end);
}

TEST(TMenuItemTest, DeletingAnItemFreesObjectsParentedToIt) {
  TMenuItem root("Root");
  TMenuItem* item = root.AddNew("Entry");
  QPointer<TAction> owned = new TAction(nullptr, "HistoryEntryAction", "x");
  owned->setParent(item);
  item->SetAction(owned);
  delete item;
  EXPECT_TRUE(owned.isNull());
  EXPECT_EQ(root.Count(), 0);
}

TEST(TMenuItemTest, OpeningASubmenuUpdatesChildrenThenClicksTheParent) {
  TActionList list("List");
  std::vector<QString> order;
  TAction* parentAction = list.Add("Parent", "P");
  parentAction->OnExecute = [&](TAction&) { order.push_back("execute parent"); };
  TAction* childAction = list.Add("Child", "C");
  childAction->OnUpdate = [&](TAction&) { order.push_back("update child"); };
  TMenuItem root("Root");
  TMenuItem* parent = root.AddNew("ParentItem");
  parent->SetAction(parentAction);
  parent->AddNew("ChildItem")->SetAction(childAction);
  emit parent->QtMenu()->aboutToShow();
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], "update child");
  EXPECT_EQ(order[1], "execute parent");
}
