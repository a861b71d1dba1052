// Option handlers: resolution, transmission switches, rates, counts, the
// source and encoder submenus and the encoder filter.
#include "CaptionSettingForm.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SenderCommandHistory.h"
#include "SourceSettingForm.h"
#include "TransmissionMonitorForm.h"
#include "VersionInfoForm.h"
#include "ovSender.h"

#include <optional>

namespace {
// The multicast dialog's own no-limit value; a common maximum of either
// value marks "無制限" as checked.
constexpr int kDialogNoLimitRate = 1073741824;
constexpr int kMenuNoLimitRate = 1048576000;

bool DirectAndDVInterleaved() { return ovSenderGetDirectVideoModeOn() && ovSenderGetDVInterleavedModeOn(); }
}  // namespace

void TMainDataModule::ResolutionActionExecute(TAction& action) {
  ovSenderSetVideoResolution(action.Tag());
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryResolution);
}

void TMainDataModule::ResolutionSQCIFActionUpdate(TAction&) {
  const int code = ovSenderGetVideoResolution();
  const bool enabled = !ovSenderGetDirectVideoModeOn();
  for (TAction* action : ResolutionActions) {
    action->SetChecked(action->Tag() == code);
    action->SetEnabled(enabled);
  }
}

void TMainDataModule::VideoTransmissionOnActionExecute(TAction& action) {
  ovSenderSetVideoTransmissionOn(!ovSenderGetVideoTransmissionOn());
  OperationHistory->RecordAction(&action, CategoryNone);
}

void TMainDataModule::VideoTransmissionOnActionUpdate(TAction& action) {
  action.SetChecked(ovSenderGetVideoTransmissionOn());
}

void TMainDataModule::AudioTransmissionOnActionExecute(TAction& action) {
  ovSenderSetAudioTransmissionOn(!ovSenderGetAudioTransmissionOn());
  OperationHistory->RecordAction(&action, CategoryNone);
}

void TMainDataModule::AudioTransmissionOnActionUpdate(TAction& action) {
  action.SetChecked(ovSenderGetAudioTransmissionOn());
}

void TMainDataModule::FocusTransmissionOnActionExecute(TAction& action) {
  ovSenderSetFocusTransmissionOn(!ovSenderGetFocusTransmissionOn());
  OperationHistory->RecordAction(&action, CategoryNone);
}

void TMainDataModule::FocusTransmissionOnActionUpdate(TAction& action) {
  action.SetChecked(ovSenderGetFocusTransmissionOn());
  action.SetEnabled(ovSenderGetFocusDisplay() != 0);
}

void TMainDataModule::TransmissionRateActionExecute(TAction& action) {
  const int rate = action.Tag();
  ovSenderSetVideoSenderMainMaxTransmissionRate(rate);
  ovSenderSetVideoSenderSubMaxTransmissionRate(rate);
  ovSenderSetAudioSenderMaxTransmissionRate(rate);
  ovSenderSetPointerSenderMaxTransmissionRate(rate);
  ovSenderSetStatusSenderMaxTransmissionRate(rate);
  OperationHistory->RecordAction(&action, CategoryTransmissionRate);
}

namespace {
// The maximum rate all five senders share, or nothing when two differ.
std::optional<int> CommonMaxTransmissionRate() {
  const int rates[] = {ovSenderGetVideoSenderMainMaxTransmissionRate(), ovSenderGetVideoSenderSubMaxTransmissionRate(),
                       ovSenderGetAudioSenderMaxTransmissionRate(), ovSenderGetPointerSenderMaxTransmissionRate(),
                       ovSenderGetStatusSenderMaxTransmissionRate()};
  for (size_t i = 1; i < std::size(rates); ++i)
    if (rates[i] != rates[i - 1]) return std::nullopt;
  return rates[0] == kDialogNoLimitRate ? kMenuNoLimitRate : rates[0];
}
}  // namespace

void TMainDataModule::TransmissionRate100KbpsActionUpdate(TAction&) {
  // Each row is set once to its final state, as the count group does.
  const std::optional<int> common = CommonMaxTransmissionRate();
  for (TAction* action : TransmissionRateActions) action->SetChecked(common && action->Tag() == *common);
}

void TMainDataModule::TransmissionCountActionExecute(TAction& action) {
  ovSenderSetTransmissionCount(action.Tag());
  OperationHistory->RecordAction(&action, CategoryTransmissionCount);
}

void TMainDataModule::TransmissionCount1ActionUpdate(TAction&) {
  const int count = ovSenderGetTransmissionCount();
  for (TAction* action : TransmissionCountActions) action->SetChecked(action->Tag() == count);
}

void TMainDataModule::MulticastSettingActionExecute(TAction& action) {
  MulticastSettingForm->ShowModal();
  OperationHistory->RecordAction(&action, CategoryMulticast);
}

void TMainDataModule::TransmissionMonitorShowActionExecute(TAction& action) {
  TransmissionMonitorForm->ShowModeless();
  OperationHistory->RecordAction(&action, CategoryMulticast);
}

void TMainDataModule::VideoSourceActionExecute(TAction&) { RecheckVideoSourceMenu(); }

void TMainDataModule::VideoSourceActionUpdate(TAction& action) { action.SetEnabled(!DirectAndDVInterleaved()); }

void TMainDataModule::AudioSourceActionExecute(TAction&) { RecheckAudioSourceMenu(); }

void TMainDataModule::AudioSourceActionUpdate(TAction& action) {
  action.SetEnabled(!DirectAndDVInterleaved() && !ovSenderIsPlayVideoClip());
}

void TMainDataModule::VideoEncoderActionExecute(TAction&) { RecheckVideoEncoderMenu(); }

void TMainDataModule::VideoEncoderActionUpdate(TAction& action) { action.SetEnabled(!ovSenderGetDirectVideoModeOn()); }

void TMainDataModule::AudioEncoderActionExecute(TAction&) { RecheckAudioEncoderMenu(); }

void TMainDataModule::AudioEncoderActionUpdate(TAction& action) { action.SetEnabled(!DirectAndDVInterleaved()); }

void TMainDataModule::VideoClipInsertActionUpdate(TAction& action) {
  const bool enabled = !ovSenderGetDirectVideoModeOn();
  action.SetEnabled(enabled);
  for (TMenuItem* item : MenuRegion(VideoClipHistoryBeginMenuItem, VideoClipHistoryEndMenuItem))
    item->SetEnabled(enabled);
}

void TMainDataModule::CaptionSettingActionExecute(TAction& action) {
  CaptionSettingForm->ShowModal();
  OperationHistory->RecordAction(&action, CategorySource);
}

void TMainDataModule::SourceSettingActionExecute(TAction& action) {
  SourceSettingForm->ShowModal();
  OperationHistory->RecordAction(&action, CategorySource);
}

void TMainDataModule::SourceSettingActionUpdate(TAction& action) { action.SetEnabled(!ovSenderIsPlayVideoClip()); }

void TMainDataModule::EncoderShowActionExecute(TAction& action) {
  if (EncoderShowControl == action.Tag()) return;
  EncoderShowControl = action.Tag();
  BuildEncoderMenus();
  OperationHistory->RecordAction(&action, CategoryEncoder);
}

void TMainDataModule::RecommendEncoderShowActionUpdate(TAction&) {
  RecommendEncoderShowAction->SetChecked(EncoderShowControl == EncoderShowRecommend);
  RequireEncoderShowAction->SetChecked(EncoderShowControl == EncoderShowRequire);
  AllEncoderShowAction->SetChecked(EncoderShowControl == EncoderShowAll);
}

void TMainDataModule::VersionInfoActionExecute(TAction&) { VersionInfoForm->ShowModal(); }
