// Operation and show handlers.
#include "CaptionSettingForm.h"
#include "FocusDisplaySettingForm.h"
#include "MainDataModule.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"
#include "SenderMainForm.h"
#include "VolumeIndicatorForm.h"
#include "ovSender.h"

void TMainDataModule::OperationActionExecute(TAction&) {
  if (OperationHistory) OperationHistory->Refresh();
}

void TMainDataModule::TransmissionOnOffActionExecute(TAction&) { ovSenderSetStart(!ovSenderGetStart()); }

void TMainDataModule::TransmissionOnOffActionUpdate(TAction& action) {
  if (!SenderMainForm || !SenderMainForm->Language) return;
  action.SetCaption(SenderMessageText(ovSenderGetStart() ? MsgStop : MsgStart));
}

void TMainDataModule::ExitActionExecute(TAction&) {
  if (SenderMainForm) SenderMainForm->close();
}

void TMainDataModule::FocusDisplayActionExecute(TAction& action) {
  ovSenderSetFocusDisplay(action.Tag());
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryNone);
}

void TMainDataModule::FocusDisplayNoneActionUpdate(TAction&) {
  const int mode = ovSenderGetFocusDisplay();
  const bool enabled = !ovSenderGetDirectVideoModeOn();
  TAction* modes[] = {FocusDisplayNoneAction, FocusDisplayPartialZoomAction, FocusDisplayNonLinearZoomAction,
                      FocusDisplayImageCompoundAction};
  for (TAction* action : modes) {
    action->SetChecked(action->Tag() == mode);
    action->SetEnabled(enabled);
  }
  FocusDisplaySettingAction->SetEnabled(enabled);
}

void TMainDataModule::FocusDisplaySettingActionExecute(TAction& action) {
  FocusDisplaySettingForm->ShowModal();
  OperationHistory->RecordAction(&action, CategoryFocusDisplay);
}

void TMainDataModule::FitVideoToWindowActionExecute(TAction& action) {
  ovSenderSetVideoWindowPolicy(0);
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryShow);
}

void TMainDataModule::FitVideoToWindowActionUpdate(TAction&) {
  const int policy = ovSenderGetVideoWindowPolicy();
  FitVideoToWindowAction->SetChecked(policy == 0);
  KeepVideoAspectAction->SetEnabled(policy == 0);
  KeepVideoAspectAction->SetChecked(policy == 0 && ovSenderGetKeepVideoAspect());
  OriginalVideoSizeAction->SetChecked(policy == 1);
  FitWindowToVideoAction->SetEnabled(policy == 1);
  FitWindowToVideoAction->SetChecked(policy == 1 && ovSenderGetFitWindowToVideo());
}

void TMainDataModule::KeepVideoAspectActionExecute(TAction& action) {
  ovSenderSetKeepVideoAspect(!ovSenderGetKeepVideoAspect());
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryShow);
}

void TMainDataModule::OriginalVideoSizeActionExecute(TAction& action) {
  ovSenderSetVideoWindowPolicy(1);
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryShow);
}

void TMainDataModule::FitWindowToVideoActionExecute(TAction& action) {
  ovSenderSetFitWindowToVideo(!ovSenderGetFitWindowToVideo());
  ovSenderComputeVideoWindow();
  OperationHistory->RecordAction(&action, CategoryShow);
}

void TMainDataModule::VolumeIndicatorShowActionExecute(TAction& action) {
  VolumeIndicatorForm->ShowModeless();
  OperationHistory->RecordAction(&action, CategoryNone);
}
