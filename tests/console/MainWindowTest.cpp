#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "StatusBar.h"
#include "VolumeIndicatorForm.h"

#include <QKeyEvent>
#include <QMenuBar>

using MainWindow = ConsoleFixture;

TEST_F(MainWindow, LayoutAsDesigned) {
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(form_->objectName(), "SenderMainForm");
  EXPECT_EQ(form_->centralWidget(), form_->VideoRenderPanel);
  EXPECT_EQ(form_->VideoRenderPanel->objectName(), "VideoRenderPanel");
  EXPECT_EQ(form_->VideoRenderPanel->palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(form_->StatusBar->objectName(), "StatusBar");
  EXPECT_EQ(form_->StatusBar->height(), 19);
  ASSERT_EQ(form_->StatusBar->PanelCount(), 2);
  EXPECT_EQ(form_->StatusBar->PanelWidth(0), 270);
  EXPECT_EQ(form_->StatusBar->PanelWidth(1), 140);
  EXPECT_EQ(form_->windowTitle(), "Ostrel（送信）");  // the applied Japanese title
  QStringList top;
  for (QAction* a : form_->menuBar()->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"操作(&O)", "表示(&S)", "オプション(&P)", "言語・Lang(&L)", "ヘルプ(&H)"}));
}

TEST_F(MainWindow, PanelResizeReachesTheEngineOnlyOnceShown) {
  ASSERT_TRUE(StartConsole(false));
  ovSenderSimClearCallLog();
  form_->VideoRenderPanel->resize(200, 100);
  form_->VideoRenderPanelResize();
  EXPECT_TRUE(ovSenderSimCallLog().empty());  // not even asked whether it is initialised
  form_->show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(form_->Shown);
  ovSenderSimClearCallLog();
  form_->VideoRenderPanel->resize(210, 110);
  EXPECT_EQ(ovSenderSimCallCount("ComputeVideoWindow"), 1u);
  EXPECT_FALSE(form_->Resizing);
}

TEST_F(MainWindow, ResizeFormSetsTheClientAreaAroundTheVideo) {
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ovSenderSimFireUICallback("ResizeForm", {320, 240}), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->ClientWidth(), 320);
  EXPECT_EQ(form_->ClientHeight(), 259);
  EXPECT_EQ(form_->VideoRenderPanel->size(), QSize(320, 240));
}

TEST_F(MainWindow, ResizeFormFromAnotherThreadArrivesOnTheGuiThread) {
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(ovSenderSimFireUICallbackFromThread("ResizeForm", {352, 288}), 0);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->VideoRenderPanel->size(), QSize(352, 288));
}

TEST_F(MainWindow, OtherNotificationsReadNoArguments) {
  ASSERT_TRUE(StartConsole());
  const QSize before = form_->size();
  // One int only: reading a second one would run past the engine's array.
  EXPECT_EQ(ovSenderSimFireUICallback("Other", {7}), 0);
  EXPECT_EQ(ovSenderSimFireUICallbackFromThread("resizeform", {7}), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->size(), before);
}

TEST_F(MainWindow, ResizeFormIsIgnoredWhileResizingAndForOtherNames) {
  ASSERT_TRUE(StartConsole());
  const QSize before = form_->size();
  form_->Resizing = true;
  ovSenderSimFireUICallback("ResizeForm", {160, 120});
  form_->Resizing = false;
  ovSenderSimFireUICallback("resizeform", {160, 120});
  ovSenderSimFireUICallback("Other", {160, 120});
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->size(), before);
}

TEST_F(MainWindow, CtrlEOpensTheErrorWindowWhateverElseIsHeld) {
  ASSERT_TRUE(StartConsole());
  auto release = [&](Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyRelease, Qt::Key_E, modifiers);
    QCoreApplication::sendEvent(form_.get(), &event);
  };
  release(Qt::NoModifier);
  EXPECT_FALSE(ErrorMessageForm->isVisible());
  release(Qt::ShiftModifier);
  EXPECT_FALSE(ErrorMessageForm->isVisible());
  release(Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(ErrorMessageForm->isVisible());
  ErrorMessageForm->hide();
  release(Qt::ControlModifier);
  EXPECT_TRUE(ErrorMessageForm->isVisible());
  EXPECT_FALSE(ErrorMessageForm->isModal());
}

TEST_F(MainWindow, VolumeSourceSetsTheEvaluationTimeThenReadsLevels) {
  ASSERT_TRUE(StartConsole(false));
  ovSenderSimSetVolume(-1200, -300);
  int levels[2] = {0, 0};
  ovSenderSimClearCallLog();
  VolumeIndicatorForm->OnGetVolume(levels, 250);
  EXPECT_EQ(levels[0], -1200);
  EXPECT_EQ(levels[1], -300);
  EXPECT_EQ(ovSenderSimVolumeEvaluationTime(), 250);
  EXPECT_EQ(Calls({"SetVolumeEvaluationTime", "GetVolume"}),
            (std::vector<std::string>{"SetVolumeEvaluationTime(250)", "GetVolume()"}));
}
