// Actions bound to the buttons and check boxes of the settings dialogs.
// None of them is recorded in the operation history.
#include "CaptionSettingForm.h"
#include "LeadingInteger.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SourceSettingForm.h"
#include "VersionInfoForm.h"
#include "ovSender.h"

#include <QComboBox>
#include <QLineEdit>

void TMainDataModule::ShowFocusFrameActionExecute(TAction&) {
  ovSenderSetFocusFrameVisible(!ovSenderGetFocusFrameVisible());
  ovSenderComputeVideoWindow();
}

void TMainDataModule::FocusCoordinateActionExecute(TAction& action) { ovSenderSetFocusCoordinate(action.Tag()); }

void TMainDataModule::CreateIPv6AddressActionExecute(TAction&) {
  MulticastSettingForm->AddressEdit->setText(QString::fromUtf8(ovSenderCreateIPv6Address()));
  MulticastSettingForm->addressChanged = true;
}

void TMainDataModule::CreateIPv4AddressActionExecute(TAction&) {
  MulticastSettingForm->AddressEdit->setText(QString::fromUtf8(ovSenderCreateIPv4Address()));
  MulticastSettingForm->addressChanged = true;
}

void TMainDataModule::AddressUpdateActionExecute(TAction&) {
  ovSenderSetAddress(MulticastSettingForm->AddressEdit->text().toUtf8().constData());
  MulticastSettingForm->addressChanged = false;
}

void TMainDataModule::AddressUpdateActionUpdate(TAction& action) {
  if (!MulticastSettingForm) return;
  action.SetEnabled(!MulticastSettingForm->AddressEdit->text().isEmpty() && MulticastSettingForm->addressChanged);
}

void TMainDataModule::TTLUpdateActionExecute(TAction&) {
  ovSenderSetTimeToLive(LeadingInteger(MulticastSettingForm->TTLEdit->text()));
  MulticastSettingForm->ttlChanged = false;
}

void TMainDataModule::TTLUpdateActionUpdate(TAction& action) {
  if (MulticastSettingForm) action.SetEnabled(MulticastSettingForm->ttlChanged);
}

void TMainDataModule::PacketSizeUpdateActionExecute(TAction&) {
  ovSenderSetPacketSize(LeadingInteger(MulticastSettingForm->PacketSizeEdit->text()));
  MulticastSettingForm->packetSizeChanged = false;
}

void TMainDataModule::PacketSizeUpdateActionUpdate(TAction& action) {
  if (MulticastSettingForm) action.SetEnabled(MulticastSettingForm->packetSizeChanged);
}

void TMainDataModule::VideoSourcePropertyActionExecute(TAction&) {
  ovSenderShowVideoSourcePropertyPage(static_cast<ovSenderWindowHandle>(SourceSettingForm->winId()),
                                      SourceSettingForm->VideoSourcePropertyComboBox->currentIndex());
  ovSenderComputeVideoWindow();
}

void TMainDataModule::AudioSourcePropertyActionExecute(TAction&) {
  ovSenderShowAudioSourcePropertyPage(static_cast<ovSenderWindowHandle>(SourceSettingForm->winId()),
                                      SourceSettingForm->AudioSourcePropertyComboBox->currentIndex());
  ovSenderComputeVideoWindow();
}

void TMainDataModule::DirectVideoModeActionExecute(TAction&) {
  ovSenderSetDirectVideoModeOn(!ovSenderGetDirectVideoModeOn());
  ovSenderComputeVideoWindow();
  SourceSettingForm->Refresh();
}

void TMainDataModule::DVInterleavedModeActionExecute(TAction&) {
  ovSenderSetDVInterleavedModeOn(!ovSenderGetDVInterleavedModeOn());
  ovSenderComputeVideoWindow();
}

void TMainDataModule::CaptionSettingOKActionExecute(TAction&) {
  CaptionSettingForm->Confirm();
  CaptionSettingForm->close();
}

void TMainDataModule::CaptionSettingOKActionUpdate(TAction& action) {
  if (CaptionSettingForm) action.SetEnabled(CaptionSettingForm->modified);
}

void TMainDataModule::CaptionSettingCancelActionExecute(TAction&) { CaptionSettingForm->close(); }

void TMainDataModule::CaptionOffActionExecute(TAction&) {
  if (!CaptionSettingForm->active) return;
  CaptionSettingForm->captionOff = !CaptionSettingForm->captionOff;
  CaptionSettingForm->modified = true;
}

void TMainDataModule::VersionInfoOKActionExecute(TAction&) { VersionInfoForm->close(); }
