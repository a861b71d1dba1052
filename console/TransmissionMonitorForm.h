// TTransmissionMonitorForm: the four senders' rates and frame rates, fed by
// the data module's TransmissionMonitorTimer while shown.
#ifndef CONSOLE_TRANSMISSIONMONITORFORM_H
#define CONSOLE_TRANSMISSIONMONITORFORM_H

#include "ConsoleForm.h"

class QLabel;

class TTransmissionMonitorForm : public TConsoleForm {
  Q_OBJECT
public:
  TTransmissionMonitorForm();
  ~TTransmissionMonitorForm() override;

  QLabel* SendRateVideoMainValue = nullptr;
  QLabel* SendRateVideoSubValue = nullptr;
  QLabel* SendRateAudioValue = nullptr;
  QLabel* SendRatePointerValue = nullptr;
  QLabel* FrameRateVideoMainValue = nullptr;
  QLabel* FrameRateVideoSubValue = nullptr;
  QLabel* FrameRateAudioValue = nullptr;
  QLabel* FrameRatePointerValue = nullptr;

protected:
  void FormShow() override;
  void FormHide() override;
};

extern TTransmissionMonitorForm* TransmissionMonitorForm;

#endif
