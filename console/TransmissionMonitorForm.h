// TTransmissionMonitorForm: the bit rate and the frame rate of the four
// senders in a table of two rows (rates, frame rates) by four columns (video
// main, video sub, audio, focus information), fed twice a second by the
// data module's TransmissionMonitorTimer while the window is shown.
#ifndef CONSOLE_TRANSMISSIONMONITORFORM_H
#define CONSOLE_TRANSMISSIONMONITORFORM_H

#include "ConsoleForm.h"

class QLabel;

class TTransmissionMonitorForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int ClientWidth = 594;
  static constexpr int ClientHeight = 76;
  static constexpr int ValueWidth = 84;

  TTransmissionMonitorForm();
  ~TTransmissionMonitorForm() override;

  // Row titles.
  QLabel* SendRateLabel = nullptr;
  QLabel* FrameRateLabel = nullptr;
  // Column titles.
  QLabel* SendRateVideoMainLabel = nullptr;
  QLabel* SendRateVideoSubLabel = nullptr;
  QLabel* SendRateAudioLabel = nullptr;
  QLabel* SendRatePointerLabel = nullptr;
  // Values.
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

private:
  QLabel* AddTitle(const char* name, const QString& text, const QRect& place, Qt::Alignment alignment);
  QLabel* AddValue(const char* name, int column, int row);
};

extern TTransmissionMonitorForm* TransmissionMonitorForm;

#endif
