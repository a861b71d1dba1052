// Actions bound to the buttons and check boxes of the settings dialogs.
// None of them is recorded in the operation history.
#include "CaptionSettingForm.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SourceSettingForm.h"
#include "VersionInfoForm.h"
#include "ovSender.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
// The leading decimal integer of a text as the C library reads it: optional
// blanks and sign, then digits; 0 when there is none, clamped to int.
int LeadingInteger(const QString& text) {
  int i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
    value = value * 10 + (text[i].unicode() - '0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) value = 2147483647LL;
  return static_cast<int>(value);
}
}  // namespace

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
  ApplyCaption(CaptionSettingForm->CaptionEdit->text());
  RebuildCaptionHistoryMenu();
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
