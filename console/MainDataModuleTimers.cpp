// SenderTimer (engine work, quit request, status bar, errors) and the ticks
// of the transmission monitor and the multicast detection.
#include "CaptionSettingForm.h"
#include "ErrorMessageForm.h"
#include "FocusDisplaySettingForm.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SenderLanguage.h"
#include "SenderMainForm.h"
#include "SourceSettingForm.h"
#include "StatusBar.h"
#include "TransmissionMonitorForm.h"
#include "VersionInfoForm.h"
#include "ovSender.h"

#include <QLabel>
#include <cstring>

namespace {
bool ModalDialogShowing() {
  const TConsoleForm* dialogs[] = {FocusDisplaySettingForm, MulticastSettingForm, SourceSettingForm, CaptionSettingForm,
                                   VersionInfoForm};
  for (const TConsoleForm* dialog : dialogs)
    if (dialog && dialog->Showing()) return true;
  // A file dialog runs a loop of its own, inside an action that goes on
  // with the module once it returns; closing now would free that module.
  return TFileDialog::AnyExecuting();
}

QString Bracketed(int index) { return QLatin1Char('(') + SenderMessageText(index) + QLatin1Char(')'); }
}  // namespace

QString TMainDataModule::TransmissionStatusText() const {
  QString text = SenderMessageText(MsgStatusTransmit) + QStringLiteral(": ");
  const bool video = ovSenderGetVideoTransmissionOn();
  const bool audio = ovSenderGetAudioTransmissionOn();
  const bool focus = ovSenderGetFocusTransmissionOn();
  if (video) text += Bracketed(MsgStatusVideo);
  if (audio) text += Bracketed(MsgStatusAudio);
  if (focus) text += Bracketed(MsgStatusFocus);
  if (!video && !audio && !focus) text += Bracketed(MsgStatusNoData);
  if (ovSenderIsPlaySoundFile()) text += QLatin1Char(' ') + Bracketed(MsgStatusPlaySoundFile);
  return text;
}

void TMainDataModule::SenderTimerTimer() {
  if (!SenderMainForm || !SenderMainForm->Language) return;
  if (ovSenderCheckQuit() && SenderMainForm->CloseQuery() && !ModalDialogShowing()) {
    SenderMainForm->close();
    return;
  }
  ovSenderComputeFocusRegion();
  ovSenderSendStatus();
  const bool valid = ovSenderGetValid();
  const bool started = ovSenderGetStart();
  SenderMainForm->StatusBar->SetPanelText(0, valid && started ? TransmissionStatusText() : SenderMessageText(MsgStatusStop));
  QString configuration;
  if (!valid) {
    configuration = SenderMessageText(MsgStatusFailedConfig);
    int identity = 0;
    int kind = 0;
    char text[OVSENDER_ERROR_TEXT_SIZE + 1] = {};
    ovSenderGetErrorMessage(&identity, &kind, text);
    if (ErrorMessageForm)
      ErrorMessageForm->AddErrorMessage(identity, kind,
                                        QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, sizeof text))));
  }
  SenderMainForm->StatusBar->SetPanelText(1, configuration);
}

void TMainDataModule::TransmissionMonitorTimerTimer() {
  if (!TransmissionMonitorForm) return;
  struct Row {
    int (*rate)();
    int (*frameRate)();
    QLabel* rateLabel;
    QLabel* frameRateLabel;
  };
  const TTransmissionMonitorForm* f = TransmissionMonitorForm;
  const Row rows[] = {
      {ovSenderGetVideoSenderMainTransmissionRate, ovSenderGetVideoSenderMainFrameRate, f->SendRateVideoMainValue,
       f->FrameRateVideoMainValue},
      {ovSenderGetVideoSenderSubTransmissionRate, ovSenderGetVideoSenderSubFrameRate, f->SendRateVideoSubValue,
       f->FrameRateVideoSubValue},
      {ovSenderGetAudioSenderTransmissionRate, ovSenderGetAudioSenderFrameRate, f->SendRateAudioValue,
       f->FrameRateAudioValue},
      {ovSenderGetPointerSenderTransmissionRate, ovSenderGetPointerSenderFrameRate, f->SendRatePointerValue,
       f->FrameRatePointerValue},
  };
  for (const Row& row : rows) {
    const float kbps = static_cast<float>(row.rate()) * (1.0f / 1024.0f);
    row.rateLabel->setText(QString::asprintf("%5.3f", static_cast<double>(kbps)));
    row.frameRateLabel->setText(QString::number(row.frameRate()));
  }
}

void TMainDataModule::MulticastDetectionTimerTimer() {
  if (!MulticastSettingForm) return;
  const QString address = MulticastSettingForm->detectorAddress;
  const bool detected = !address.isEmpty() && ovSenderWasDetectedMulticast(address.toUtf8().constData());
  MulticastSettingForm->MulticastDetectLabel->setVisible(detected);
}
