#include "ConsoleFixture.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QMenu>
#include <QTimer>
#include <functional>

using IdleLoop = ConsoleFixture;

namespace {
struct LoopActivity {
  int passes = 0;  // times the loop was about to wait
  size_t engineCalls = 0;
};

// Runs the event loop as the program does, with a menu open.
LoopActivity RunLoopWithMenuOpen(QMenu* menu, int milliseconds) {
  LoopActivity activity;
  ovSenderSimClearCallLog();
  auto counter = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                                  [&activity] { ++activity.passes; });
  menu->popup(QPoint(10, 10));
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
  QObject::disconnect(counter);
  menu->hide();
  activity.engineCalls = ovSenderSimCallLog().size();
  return activity;
}

void CollectMenus(TMenuItem* item, std::vector<TMenuItem*>& menus) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->QtMenu() && child->Count() > 0) {
      menus.push_back(child);
      CollectMenus(child, menus);
    }
  }
}
}  // namespace

// An update handler that changes a state and changes it back on every pass
// used to keep the loop from ever waiting while a menu was open.
TEST_F(IdleLoop, SettlesWithEveryMenuOpenAfterEveryKindOfChoice) {
  ovSenderSimSetVideoSources({{"Camera A", {}}, {"Camera B", {}}});
  ASSERT_TRUE(StartConsole());
  std::vector<TMenuItem*> menus;
  CollectMenus(Module().MainMenu, menus);
  ASSERT_GT(menus.size(), 10u);
  const std::vector<std::pair<const char*, std::function<void()>>> choices = {
      {"none", [] {}},
      {"rate", [this] { Module().TransmissionRate1MbpsAction->Execute(); }},
      {"count", [this] { Module().TransmissionCount2Action->Execute(); }},
      {"resolution", [this] { Module().ResolutionCIFAction->Execute(); }},
      {"focus mode", [this] { Module().FocusDisplayPartialZoomAction->Execute(); }},
      {"encoder filter", [this] { Module().AllEncoderShowAction->Execute(); }},
      {"source", [this] { VideoSourceItems().at(1)->Click(); }},
  };
  for (const auto& [kind, choose] : choices) {
    choose();
    for (TMenuItem* menu : menus) {
      const LoopActivity activity = RunLoopWithMenuOpen(menu->QtMenu(), 30);
      // A settled loop wakes for the menu's own events and the odd timer
      // (about 4 passes, 110 calls); a spinning one passes 50 times or more
      // and makes over a thousand calls in this window.
      EXPECT_LE(activity.passes, 8) << kind << ", " << menu->objectName().toStdString();
      EXPECT_LE(activity.engineCalls, 300u) << kind << ", " << menu->objectName().toStdString();
    }
  }
  // The case as first seen: a rate chosen, its submenu left open for a second.
  Module().TransmissionRate1MbpsAction->Execute();
  const LoopActivity second = RunLoopWithMenuOpen(Module().OptionMenuItem->Find("TransmissionRateMenuItem")->QtMenu(), 1000);
  EXPECT_LE(second.passes, 12);
  EXPECT_LE(second.engineCalls, 400u);
}
