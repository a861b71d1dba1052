#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"
#include "StatusBar.h"
#include "TransmissionMonitorForm.h"

#include <QLabel>

#include <QFile>
#include <QPlainTextEdit>

using SenderTimer = ConsoleFixture;

namespace {
void SetTransmission(bool video, bool audio, bool focus) {
  ovSenderSetVideoTransmissionOn(video);
  ovSenderSetAudioTransmissionOn(audio);
  ovSenderSetFocusTransmissionOn(focus);
}
}  // namespace

TEST_F(SenderTimer, DrivesTheEngineOnEveryTick) {
  ASSERT_TRUE(StartConsole());
  ovSenderSimClearCallLog();
  Module().SenderTimerTimer();
  Module().SenderTimerTimer();
  const auto calls = Calls({"CheckQuit", "ComputeFocusRegion", "SendStatus", "GetValid", "GetStart"});
  const std::vector<std::string> tick{"CheckQuit()", "ComputeFocusRegion()", "SendStatus()", "GetValid()", "GetStart()"};
  ASSERT_EQ(calls.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5), tick);
  EXPECT_EQ(std::vector<std::string>(calls.begin() + 5, calls.end()), tick);
}

TEST_F(SenderTimer, StatusNamesTheStreamsBeingSent) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetStart(true);
  SetTransmission(true, true, true);
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(0), "送信中: (ビデオ)(オーディオ)(フォーカス)");
  EXPECT_EQ(form_->StatusBar->PanelText(1), "");
  SetTransmission(false, true, false);
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(0), "送信中: (オーディオ)");
}

TEST_F(SenderTimer, StatusShowsNoDataAndAPlayingSound) {
  const QString sound = home_.filePath("beep.wav");
  QFile file(sound);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF");
  file.close();
  ASSERT_TRUE(StartConsole());
  ovSenderSimSetPlayDuration(60000);
  ovSenderSetStart(true);
  SetTransmission(false, false, false);
  ASSERT_TRUE(ovSenderPlaySoundFile(sound.toUtf8().constData()));
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(0), "送信中: (データなし) (サウンド再生中)");
}

TEST_F(SenderTimer, StoppedOrInvalidShowsStoppedAndTheConfigurationError) {
  ASSERT_TRUE(StartConsole());
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(0), "停止中");
  ovSenderSetStart(true);
  ovSenderSimSetError(7, 2, "bad encoder");
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(0), "停止中");
  EXPECT_EQ(form_->StatusBar->PanelText(1), "構成に失敗しました");
  EXPECT_TRUE(ErrorMessageForm->isVisible());
  EXPECT_EQ(ErrorMessageForm->Lines(), QStringList({"未対応のエンコーダーです。:\tbad encoder"}));
  form_->Language->SelectCode("en");
  EXPECT_EQ(ErrorMessageForm->Lines(), QStringList({"Not Supported Encoder:\tbad encoder"}));
  Module().SenderTimerTimer();
  EXPECT_EQ(form_->StatusBar->PanelText(1), "Failed to Configuration");
}

TEST_F(SenderTimer, RepeatedErrorIsListedOnce) {
  ASSERT_TRUE(StartConsole());
  ovSenderSimSetError(3, 1, "A");
  for (int i = 0; i < 4; ++i) Module().SenderTimerTimer();
  EXPECT_EQ(ErrorMessageForm->Lines().size(), 1);
  ErrorMessageForm->hide();
  ovSenderSimSetError(4, 5, "B");
  Module().SenderTimerTimer();
  EXPECT_TRUE(ErrorMessageForm->isVisible());  // a new error shows the window again
  ovSenderSimSetError(3, 1, "A");
  Module().SenderTimerTimer();
  EXPECT_EQ(ErrorMessageForm->Lines(),
            QStringList({"未対応のキャプチャです。:\tA", "予期しないエラー:\tB", "未対応のキャプチャです。:\tA"}));
}

TEST_F(SenderTimer, ErrorWindowSkipsKindsOutsideTheTable) {
  ASSERT_TRUE(StartConsole(false));
  ErrorMessageForm->AddErrorMessage(0, 0, "first");  // identity 0 is new: the last starts at -1
  ErrorMessageForm->AddErrorMessage(1, 10, "ignored");
  ErrorMessageForm->AddErrorMessage(2, -1, "ignored");
  EXPECT_EQ(ErrorMessageForm->LastIdentity(), 0);
  ErrorMessageForm->AddErrorMessage(1, 9, "");
  EXPECT_EQ(ErrorMessageForm->Lines(), QStringList({":\tfirst", ":\t"}));
  EXPECT_TRUE(ErrorMessageForm->ErrorMessageMemo->isReadOnly());
}

TEST_F(SenderTimer, QuitRequestWaitsForTheModalDialog) {
  ASSERT_TRUE(StartConsole());
  Module().CaptionSettingAction->Execute();
  ASSERT_TRUE(CaptionSettingForm->isVisible());
  EXPECT_TRUE(CaptionSettingForm->isModal());
  ovSenderSimSetQuitRequest(true);
  Module().SenderTimerTimer();
  EXPECT_TRUE(form_->isVisible());
  EXPECT_NE(MainDataModule, nullptr);
  Module().CaptionSettingCancelAction->Execute();
  EXPECT_FALSE(CaptionSettingForm->isVisible());
  ovSenderSimClearCallLog();
  Module().SenderTimerTimer();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_EQ(ovSenderSimCallCount("ComputeFocusRegion"), 0u);  // the closing tick ends at once
  EXPECT_EQ(Stored("Language"), "ja");
}

TEST_F(SenderTimer, QuitRequestWaitsForAnOpenFileDialog) {
  ASSERT_TRUE(StartConsole());
  const QString path = TestFile(QStringLiteral("setting.ini"), false);
  ovSenderSimSetQuitRequest(true);
  // A tick arrives while the save dialog's own loop runs.
  TFileDialog::Executor = [&](TFileDialog& dialog) {
    Module().SenderTimerTimer();
    dialog.FileName = path;
    return true;
  };
  Module().WriteIniFileAction->Execute();
  ASSERT_NE(MainDataModule, nullptr);
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(Module().OperationHistory->Count(), 1);  // the action went on to its end
  Module().SenderTimerTimer();
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_FALSE(form_->isVisible());
}

TEST_F(SenderTimer, MonitorShowsKilobitsWithThreeDecimals) {
  ASSERT_TRUE(StartConsole());
  ovSenderSimSetSenderRates(OvSenderSimSender::VideoMain, 1536, 30);
  ovSenderSimSetSenderRates(OvSenderSimSender::Pointer, 102400, 5);
  Module().TransmissionMonitorTimerTimer();
  EXPECT_EQ(TransmissionMonitorForm->SendRateVideoMainValue->text(), "1.500");
  EXPECT_EQ(TransmissionMonitorForm->FrameRateVideoMainValue->text(), "30");
  EXPECT_EQ(TransmissionMonitorForm->SendRatePointerValue->text(), "100.000");
}
