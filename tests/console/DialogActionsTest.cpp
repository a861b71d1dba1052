#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "MulticastSettingForm.h"
#include "SenderCommandHistory.h"
#include "VersionInfoForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

using DialogActions = ConsoleFixture;

TEST_F(DialogActions, UpdateButtonsApplyTheLeadingIntegerOnlyAfterAnEdit) {
  ASSERT_TRUE(StartConsole());
  Module().MulticastSettingAction->Execute();
  ASSERT_TRUE(MulticastSettingForm->isVisible());
  Idle();
  EXPECT_FALSE(Module().TTLUpdateAction->Enabled());
  EXPECT_FALSE(Module().AddressUpdateAction->Enabled());
  MulticastSettingForm->TTLEdit->setText(" 12hops");
  MulticastSettingForm->PacketSizeEdit->setText("none");
  Idle();
  ASSERT_TRUE(Module().TTLUpdateAction->Enabled());
  Module().TTLUpdateAction->Execute();
  Module().PacketSizeUpdateAction->Execute();
  EXPECT_EQ(ovSenderGetTimeToLive(), 12);
  EXPECT_EQ(ovSenderGetPacketSize(), 0);
  Idle();
  EXPECT_FALSE(Module().TTLUpdateAction->Enabled());
  MulticastSettingForm->AddressEdit->setText("");
  Idle();
  EXPECT_FALSE(Module().AddressUpdateAction->Enabled());  // changed, but empty
  Module().CreateIPv4AddressAction->Execute();
  Idle();
  EXPECT_TRUE(Module().AddressUpdateAction->Enabled());
  const QString generated = MulticastSettingForm->AddressEdit->text();
  Module().AddressUpdateAction->Execute();
  EXPECT_EQ(QString::fromUtf8(ovSenderGetAddress()), generated);
}

TEST_F(DialogActions, DetectionLabelNeedsAnAddressAndTraffic) {
  ASSERT_TRUE(StartConsole());
  Module().MulticastSettingAction->Execute();
  EXPECT_TRUE(Module().MulticastDetectionTimer->isActive());
  MulticastSettingForm->detectorAddress.clear();
  ovSenderSimClearCallLog();
  Module().MulticastDetectionTimerTimer();
  EXPECT_FALSE(MulticastSettingForm->MulticastDetectLabel->isVisibleTo(MulticastSettingForm));
  EXPECT_EQ(ovSenderSimCallCount("WasDetectedMulticast"), 0u);
  MulticastSettingForm->detectorAddress = "239.1.2.3";
  ovSenderAddMulticastDetector("239.1.2.3");
  ovSenderSimSetMulticastDetected("239.1.2.3", true);
  Module().MulticastDetectionTimerTimer();
  EXPECT_TRUE(MulticastSettingForm->MulticastDetectLabel->isVisibleTo(MulticastSettingForm));
  MulticastSettingForm->close();
  EXPECT_FALSE(Module().MulticastDetectionTimer->isActive());
}

TEST_F(DialogActions, CaptionIsAppliedOnlyWhenConfirmed) {
  ASSERT_TRUE(StartConsole());
  Module().CaptionSettingAction->Execute();
  Idle();
  EXPECT_FALSE(Module().CaptionSettingOKAction->Enabled());
  Module().CaptionOffAction->Execute();  // the caption is to be switched off
  EXPECT_TRUE(CaptionSettingForm->modified);
  CaptionSettingForm->CaptionEdit->setText("Hello");
  Module().CaptionSettingCancelAction->Execute();
  EXPECT_STREQ(ovSenderGetCaption(), "");
  Module().CaptionSettingAction->Execute();
  EXPECT_TRUE(CaptionSettingForm->captionOff);  // the engine's caption is off
  CaptionSettingForm->CaptionEdit->setText("");
  Module().CaptionOffAction->Execute();  // switch it on
  Module().CaptionSettingOKAction->Execute();
  EXPECT_FALSE(CaptionSettingForm->isVisible());
  EXPECT_TRUE(ovSenderGetCaptionOn());
  EXPECT_EQ(Module().CaptionHistory, QStringList({""}));
  const auto region = TMainDataModule::MenuRegion(Module().CaptionHistoryBeginMenuItem, Module().CaptionHistoryEndMenuItem);
  ASSERT_EQ(region.size(), 1u);
  EXPECT_EQ(region[0]->Caption(), "\"\"");
}

TEST_F(DialogActions, VersionWindowOpensModallyAndClosesWithOK) {
  ASSERT_TRUE(StartConsole());
  Module().VersionInfoAction->Execute();
  EXPECT_TRUE(VersionInfoForm->isVisible());
  EXPECT_TRUE(VersionInfoForm->isModal());
  Module().VersionInfoOKAction->Execute();
  EXPECT_FALSE(VersionInfoForm->isVisible());
  EXPECT_EQ(Module().OperationHistory->Count(), 0);  // not recorded
}

using Lifecycle = ConsoleFixture;

TEST_F(Lifecycle, ExitClosesTheWindowAndStoresValues) {
  ASSERT_TRUE(StartConsole());
  Module().ExitAction->Execute();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_EQ(Stored("Language"), "ja");
  EXPECT_EQ(Stored("EncoderShowControl"), "Require");
  EXPECT_EQ(ovSenderSimCallCount("Shutdown"), 0u);  // only when the window object goes
  form_.reset();
  EXPECT_EQ(ovSenderSimCallCount("Shutdown"), 1u);
}

TEST_F(Lifecycle, WindowsAreCentredAndDialogsSetUp) {
  ASSERT_TRUE(StartConsole(false));
  const QRect desktop = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form_->x(), (desktop.width() - form_->width()) / 2);
  EXPECT_EQ(form_->y(), (desktop.height() - form_->height()) / 2);
  EXPECT_EQ(ErrorMessageForm->x(), (desktop.width() - 285) / 2);
  // The language's table, applied at start-up, replaces the set-up texts.
  EXPECT_EQ(Module().IniFileSaveDialog->Title, "設定を保存");
  EXPECT_EQ(Module().VideoClipOpenDialog->QtFilter(), "ビデオクリップ (*.avi *.mpg *.mpeg)");
  EXPECT_EQ(Module().SoundFileOpenDialog->DefaultExt, "wav");
}
