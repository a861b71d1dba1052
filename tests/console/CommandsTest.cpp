#include "ConsoleFixture.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"

using Commands = ConsoleFixture;

namespace {
QStringList Names(TMenuItem* menu) {
  QStringList names;
  for (int i = 0; i < menu->Count(); ++i)
    names << (menu->Items(i)->IsLine() ? QStringLiteral("-") : menu->Items(i)->objectName());
  return names;
}
}  // namespace

TEST_F(Commands, OperationMenuOrderWithHiddenDisabledMarkers) {
  ASSERT_TRUE(StartConsole());
  EXPECT_EQ(Names(Module().OperationMenuItem),
            QStringList({"TransmissionOnOffMenuItem", "-", "ReadIniFileMenuItem", "WriteIniFileMenuItem", "-",
                         "OperationHistoryBeginMenuItem", "OperationHistoryEndMenuItem", "-", "ExitMenuItem"}));
  for (TMenuItem* marker : {Module().OperationHistoryBeginMenuItem, Module().VideoClipHistoryEndMenuItem,
                            Module().AudioEncoderBeginMenuItem}) {
    EXPECT_FALSE(marker->Visible());
    EXPECT_FALSE(marker->Enabled());
  }
  EXPECT_EQ(Module().OperationHistoryBeginMenuItem->Caption(), "（操作履歴開始...）");
  EXPECT_EQ(Names(Module().ShowMenuItem).size(), 14);
  EXPECT_EQ(Module().ResolutionMenuItem->Count(), 17);
  EXPECT_EQ(Module().MainMenu->Find("TransmissionRateMenuItem")->Count(), 7);
  EXPECT_EQ(Module().MainMenu->Find("TransmissionCountMenuItem")->Count(), 4);
  EXPECT_EQ(Names(Module().EncoderMenuItem),
            QStringList({"VideoEncoderMenuItem", "AudioEncoderMenuItem", "-", "RecommendEncoderShowMenuItem",
                         "RequireEncoderShowMenuItem", "AllEncoderShowMenuItem"}));
}

TEST_F(Commands, DirectVideoModeDisablesVideoCommands) {
  Store("HistoryVideoClip0", "/clips/a.avi");
  ASSERT_TRUE(StartConsole());
  auto clipItems = [&] {
    return TMainDataModule::MenuRegion(Module().VideoClipHistoryBeginMenuItem, Module().VideoClipHistoryEndMenuItem);
  };
  ASSERT_EQ(clipItems().size(), 1u);
  std::vector<TAction*> video = Module().ResolutionActions;
  for (TAction* a : {Module().FocusDisplayNoneAction, Module().FocusDisplayPartialZoomAction,
                     Module().FocusDisplayNonLinearZoomAction, Module().FocusDisplayImageCompoundAction,
                     Module().FocusDisplaySettingAction, Module().VideoEncoderAction, Module().VideoClipInsertAction})
    video.push_back(a);
  Idle();
  for (TAction* a : video) EXPECT_TRUE(a->Enabled()) << a->objectName().toStdString();
  ovSenderSetDirectVideoModeOn(true);
  Idle();
  for (TAction* a : video) EXPECT_FALSE(a->Enabled()) << a->objectName().toStdString();
  EXPECT_FALSE(clipItems()[0]->Enabled());
  EXPECT_TRUE(Module().AudioEncoderAction->Enabled());
  EXPECT_TRUE(Module().VideoSourceAction->Enabled());
  ovSenderSetDVInterleavedModeOn(true);
  Idle();
  EXPECT_FALSE(Module().VideoSourceAction->Enabled());
  EXPECT_FALSE(Module().AudioEncoderAction->Enabled());
  // A disabled command does not run from a stale menu entry either.
  ovSenderSimClearCallLog();
  Module().ResolutionCIFAction->Execute();
  EXPECT_EQ(ovSenderSimCallCount("SetVideoResolution"), 0u);
}

TEST_F(Commands, ResolutionSetsItsCodeLaysOutAndChecksOnlyItsRow) {
  ASSERT_TRUE(StartConsole());
  ovSenderSimClearCallLog();
  Module().ResolutionHDTV1080iAction->Execute();
  EXPECT_EQ(Calls({"SetVideoResolution", "ComputeVideoWindow"}),
            (std::vector<std::string>{"SetVideoResolution(13)", "ComputeVideoWindow()"}));
  Idle();
  for (int code = 0; code < 17; ++code)
    EXPECT_EQ(Module().ResolutionActions[static_cast<size_t>(code)]->Checked(), code == 13) << code;
}

TEST_F(Commands, UnlimitedRateGoesToAllFiveSenders) {
  ASSERT_TRUE(StartConsole());
  ovSenderSimClearCallLog();
  Module().TransmissionRate1000MbpsAction->Execute();
  EXPECT_EQ(Calls({"SetVideoSenderMainMaxTransmissionRate", "SetVideoSenderSubMaxTransmissionRate",
                   "SetAudioSenderMaxTransmissionRate", "SetPointerSenderMaxTransmissionRate",
                   "SetStatusSenderMaxTransmissionRate"}),
            (std::vector<std::string>{"SetVideoSenderMainMaxTransmissionRate(1048576000)",
                                      "SetVideoSenderSubMaxTransmissionRate(1048576000)",
                                      "SetAudioSenderMaxTransmissionRate(1048576000)",
                                      "SetPointerSenderMaxTransmissionRate(1048576000)",
                                      "SetStatusSenderMaxTransmissionRate(1048576000)"}));
  Idle();
  EXPECT_TRUE(Module().TransmissionRate1000MbpsAction->Checked());
}

TEST_F(Commands, RateRowIsCheckedOnlyForOneCommonValue) {
  ASSERT_TRUE(StartConsole());
  Module().TransmissionRate1MbpsAction->Execute();
  Idle();
  for (TAction* a : Module().TransmissionRateActions)
    EXPECT_EQ(a->Checked(), a == Module().TransmissionRate1MbpsAction) << a->objectName().toStdString();
  ovSenderSetAudioSenderMaxTransmissionRate(307200);
  Idle();
  for (TAction* a : Module().TransmissionRateActions) EXPECT_FALSE(a->Checked()) << a->objectName().toStdString();
  for (auto set : {ovSenderSetVideoSenderMainMaxTransmissionRate, ovSenderSetVideoSenderSubMaxTransmissionRate,
                   ovSenderSetAudioSenderMaxTransmissionRate, ovSenderSetPointerSenderMaxTransmissionRate,
                   ovSenderSetStatusSenderMaxTransmissionRate})
    set(1073741824);  // the multicast dialog's no-limit value
  Idle();
  EXPECT_TRUE(Module().TransmissionRate1000MbpsAction->Checked());
  for (auto set : {ovSenderSetVideoSenderMainMaxTransmissionRate, ovSenderSetVideoSenderSubMaxTransmissionRate,
                   ovSenderSetAudioSenderMaxTransmissionRate, ovSenderSetPointerSenderMaxTransmissionRate,
                   ovSenderSetStatusSenderMaxTransmissionRate})
    set(5000);  // common, but in no row
  Idle();
  for (TAction* a : Module().TransmissionRateActions) EXPECT_FALSE(a->Checked());
}

TEST_F(Commands, CountsFocusModesAndWindowPolicyFollowTheEngine) {
  ASSERT_TRUE(StartConsole());
  Module().TransmissionCount3Action->Execute();
  Module().FocusDisplayNonLinearZoomAction->Execute();
  Module().OriginalVideoSizeAction->Execute();
  ovSenderSetFitWindowToVideo(true);
  Idle();
  EXPECT_EQ(ovSenderGetTransmissionCount(), 3);
  for (TAction* a : Module().TransmissionCountActions) EXPECT_EQ(a->Checked(), a->Tag() == 3);
  EXPECT_TRUE(Module().FocusDisplayNonLinearZoomAction->Checked());
  EXPECT_FALSE(Module().FocusDisplayNoneAction->Checked());
  EXPECT_FALSE(Module().FitVideoToWindowAction->Checked());
  EXPECT_FALSE(Module().KeepVideoAspectAction->Enabled());
  EXPECT_FALSE(Module().KeepVideoAspectAction->Checked());
  EXPECT_TRUE(Module().OriginalVideoSizeAction->Checked());
  EXPECT_TRUE(Module().FitWindowToVideoAction->Enabled());
  EXPECT_TRUE(Module().FitWindowToVideoAction->Checked());
  // A menu item shows what its action says.
  EXPECT_TRUE(Module().MainMenu->Find("OriginalVideoSizeMenuItem")->Checked());
}

TEST_F(Commands, FocusTransmissionNeedsAFocusDisplay) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetFocusDisplay(0);
  Idle();
  EXPECT_FALSE(Module().FocusTransmissionOnAction->Enabled());
  ovSenderSetFocusDisplay(1);
  Idle();
  EXPECT_TRUE(Module().FocusTransmissionOnAction->Enabled());
  const bool before = ovSenderGetFocusTransmissionOn();
  Module().FocusTransmissionOnAction->Execute();
  EXPECT_EQ(ovSenderGetFocusTransmissionOn(), !before);
}

TEST_F(Commands, StartStopCaptionFollowsEngineAndLanguage) {
  ASSERT_TRUE(StartConsole());
  TMenuItem* item = Module().MainMenu->Find("TransmissionOnOffMenuItem");
  Idle();
  EXPECT_EQ(Module().TransmissionOnOffAction->Caption(), "実行(&S)");
  Module().TransmissionOnOffAction->Execute();
  EXPECT_TRUE(ovSenderGetStart());
  Idle();
  EXPECT_EQ(item->Caption(), "停止(&S)");
  form_->Language->SelectCode("en");
  Idle();
  EXPECT_EQ(item->Caption(), "&Stop");
  Module().TransmissionOnOffAction->Execute();
  Idle();
  EXPECT_EQ(item->Caption(), "&Start");
  form_->Language->SelectCode("ja");
  Idle();
  EXPECT_EQ(item->Caption(), "実行(&S)");
}

TEST_F(Commands, EncoderFilterRebuildsAndRecordsOnlyOnChange) {
  ovSenderSimSetVideoEncoders({{"V0", 0}, {"V1", 1}, {"V2", 2}});
  ASSERT_TRUE(StartConsole());
  auto region = [&] {
    return TMainDataModule::MenuRegion(Module().VideoEncoderBeginMenuItem, Module().VideoEncoderEndMenuItem);
  };
  ASSERT_EQ(region().size(), 3u);  // Require: V0, separator, V1
  TMenuItem* first = region()[0];
  Module().RequireEncoderShowAction->Execute();
  EXPECT_EQ(region()[0], first);
  EXPECT_EQ(Module().OperationHistory->Count(), 0);
  Module().AllEncoderShowAction->Execute();
  EXPECT_EQ(region().size(), 5u);
  EXPECT_EQ(Module().EncoderShowControl, EncoderShowAll);
  EXPECT_EQ(Module().VideoEncoderIndexes, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Module().OperationHistory->Count(), 1);
  Idle();
  EXPECT_TRUE(Module().AllEncoderShowAction->Checked());
  EXPECT_FALSE(Module().RequireEncoderShowAction->Checked());
}
