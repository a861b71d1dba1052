// TMulticastSettingForm: multicast address, hop count, packet size, counts
// and rates. Holds what the data module's update actions and the detection
// timer read; the full dialog comes with its own work.
#ifndef CONSOLE_MULTICASTSETTINGFORM_H
#define CONSOLE_MULTICASTSETTINGFORM_H

#include "ConsoleForm.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TMulticastSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  TMulticastSettingForm();
  ~TMulticastSettingForm() override;

  QLineEdit* AddressEdit = nullptr;
  QLineEdit* TTLEdit = nullptr;
  QLineEdit* PacketSizeEdit = nullptr;
  QPushButton* AddressUpdateButton = nullptr;
  QPushButton* TTLUpdateButton = nullptr;
  QPushButton* PacketSizeUpdateButton = nullptr;
  QLabel* MulticastDetectLabel = nullptr;

  bool addressChanged = false;
  bool ttlChanged = false;
  bool packetSizeChanged = false;
  bool active = false;
  QString detectorAddress;

protected:
  void FormShow() override;
  void FormHide() override;
};

extern TMulticastSettingForm* MulticastSettingForm;

#endif
