// TMulticastSettingForm: multicast group address, hop count, packet size,
// repetition count and the maximum rate of each of the five streams. The
// address, hop count and packet size are applied by the data module's update
// actions bound to the three "更新" buttons; the count and the rates take
// effect when chosen. While shown, the typed address is registered with the
// engine as a multicast detector, and the detection timer shows
// MulticastDetectLabel while somebody else sends to it.
#ifndef CONSOLE_MULTICASTSETTINGFORM_H
#define CONSOLE_MULTICASTSETTINGFORM_H

#include "ConsoleForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TUpDown;

class TMulticastSettingForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int DesignedWidth = 384;
  static constexpr int DesignedHeight = 270;
  // The rate range; the top is also what "無制限" stands for.
  static constexpr int MinTransmitRate = 1024;
  static constexpr int MaxTransmitRate = 1073741824;

  TMulticastSettingForm();
  ~TMulticastSettingForm() override;

  QGroupBox* AddressGroupBox = nullptr;
  QLineEdit* AddressEdit = nullptr;
  QPushButton* AddressUpdateButton = nullptr;
  QPushButton* CreateIPv6AddressButton = nullptr;
  QPushButton* CreateIPv4AddressButton = nullptr;
  QLabel* MulticastDetectLabel = nullptr;
  QLabel* TTLLabel = nullptr;
  QLineEdit* TTLEdit = nullptr;
  TUpDown* TTLUpDown = nullptr;
  QPushButton* TTLUpdateButton = nullptr;
  QLabel* PacketSizeLabel = nullptr;
  QLineEdit* PacketSizeEdit = nullptr;
  TUpDown* PacketSizeUpDown = nullptr;
  QLabel* PacketSizeUnitLabel = nullptr;
  QPushButton* PacketSizeUpdateButton = nullptr;
  QLabel* TransmitCountLabel = nullptr;
  QComboBox* TransmitCountComboBox = nullptr;
  QGroupBox* TransmitRateGroupBox = nullptr;
  QComboBox* TargetTransmitRateComboBox = nullptr;
  QComboBox* TransmitRateComboBox = nullptr;

  bool addressChanged = false;
  bool ttlChanged = false;
  bool packetSizeChanged = false;
  QString detectorAddress;
  bool active = false;

  void AddressEditChange();
  void TTLEditChange() { ttlChanged = true; }
  void PacketSizeEditChange() { packetSizeChanged = true; }
  void TransmitCountComboBoxChange();
  void TargetTransmitRateComboBoxChange();
  void TransmitRateComboBoxClick();
  void TransmitRateComboBoxKeyUp(int key);

  // Shows a rate in TransmitRateComboBox; false, changing nothing, for a
  // rate outside MinTransmitRate … MaxTransmitRate.
  bool ShowRate(int rate);
  // The rate TransmitRateComboBox stands for.
  int RateOfBox() const;

protected:
  void FormShow() override;
  void FormHide() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateAddressGroup();
  void CreateNumberRows();
  void CreateRateGroup();
  void LayOut();
  void Refresh();
  void SetTargetRate(int rate);
};

extern TMulticastSettingForm* MulticastSettingForm;

#endif
