#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using CaptionDialog = ConsoleFixture;

namespace {
TCaptionSettingForm& Form() { return *CaptionSettingForm; }

void Press(int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(Form().CaptionEdit, &press);
}
}  // namespace

TEST_F(CaptionDialog, OpensOnTheEnginesCaptionWithOKDisabled) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetCaption("Live");
  ovSenderSetCaptionOn(false);
  ovSenderSimClearCallLog();
  Module().CaptionSettingAction->Execute();
  Idle();
  EXPECT_EQ(Form().CaptionEdit->text(), "Live");
  EXPECT_EQ(Form().focusWidget(), Form().CaptionEdit);
  EXPECT_TRUE(Form().captionOff);
  EXPECT_TRUE(Form().CaptionOffCheckBox->isChecked());
  EXPECT_TRUE(Form().CaptionOffCheckBox->isEnabled());
  EXPECT_FALSE(Form().modified);
  EXPECT_FALSE(Form().OKButton->isEnabled());
  EXPECT_EQ(Calls({"SetCaption", "SetCaptionOn"}), std::vector<std::string>{});
  Form().CaptionEdit->setText("Live!");
  Idle();
  EXPECT_TRUE(Form().OKButton->isEnabled());
}

TEST_F(CaptionDialog, EachWayOfLeavingAppliesAndRecordsOnlyWhenConfirmed) {
  struct Case {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> calls;
    QStringList history;
  };
  const std::vector<Case> cases = {
      {"Enter at once re-applies the engine's caption although OK is disabled",
       [] { Press(Qt::Key_Return); },
       {"SetCaption(Live)", "SetCaptionOn(1)"},
       {"Live"}},
      {"無効 alone enables OK; confirming switches off and keeps the text",
       [] {
         Form().CaptionOffCheckBox->click();
         TActionList::UpdateAllActions();
         ASSERT_TRUE(Form().OKButton->isEnabled());
         Form().OKButton->click();
       },
       {"SetCaption(Live)", "SetCaptionOn(0)"},
       {"Live"}},
      {"Escape after editing changes nothing",
       [] {
         Form().CaptionEdit->setText("Other");
         Form().CaptionOffCheckBox->click();
         Press(Qt::Key_Escape);
       },
       {},
       {}},
      {"Cancel after editing changes nothing",
       [] {
         Form().CaptionEdit->setText("Other");
         Form().CancelButton->click();
       },
       {},
       {}},
      {"an empty text is applied and recorded", [] {
         Form().CaptionEdit->clear();
         Press(Qt::Key_Enter);
       },
       {"SetCaption()", "SetCaptionOn(1)"},
       {""}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(StartConsole());
    Module().CaptionHistory.clear();  // the previous case's run stored its history
    ovSenderSetCaption("Live");
    ovSenderSetCaptionOn(true);
    Module().CaptionSettingAction->Execute();
    ovSenderSimClearCallLog();
    c.act();
    EXPECT_FALSE(Form().isVisible()) << c.what;
    EXPECT_EQ(Calls({"SetCaption", "SetCaptionOn"}), c.calls) << c.what;
    EXPECT_EQ(Module().CaptionHistory, c.history) << c.what;
    CloseConsole();
    ovSenderSimReset();
  }
}

TEST_F(CaptionDialog, ConfirmedTextsGoToTheFrontOfAHistoryOfTen) {
  ASSERT_TRUE(StartConsole());
  auto confirm = [this](const QString& text) {
    Module().CaptionSettingAction->Execute();
    Form().CaptionEdit->setText(text);
    Press(Qt::Key_Return);
  };
  for (int i = 1; i <= 11; ++i) confirm(QStringLiteral("caption %1").arg(i));
  ASSERT_EQ(Module().CaptionHistory.size(), 10);
  EXPECT_EQ(Module().CaptionHistory.front(), "caption 11");
  EXPECT_EQ(Module().CaptionHistory.back(), "caption 2") << "the oldest is pushed out";
  confirm(QStringLiteral("caption 5"));
  EXPECT_EQ(Module().CaptionHistory.size(), 10);
  EXPECT_EQ(Module().CaptionHistory.front(), "caption 5");
  EXPECT_EQ(Module().CaptionHistory.count("caption 5"), 1);
  const QStringList menu = ItemCaptions(CaptionItems());
  ASSERT_EQ(menu.size(), 10);
  EXPECT_EQ(menu.front(), "\"caption 5\"");
}
