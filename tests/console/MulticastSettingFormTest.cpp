#include "ConsoleFixture.h"
#include "MulticastSettingForm.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using MulticastDialog = ConsoleFixture;

namespace {
TMulticastSettingForm& Form() { return *MulticastSettingForm; }

// Calls that change the engine: everything but the getters and the
// engine's periodic work.
std::vector<std::string> ChangingCalls() {
  std::vector<std::string> changing;
  for (const std::string& line : ovSenderSimCallLog())
    if (line.rfind("Get", 0) != 0 && line.rfind("Was", 0) != 0 && line.rfind("Is", 0) != 0 &&
        line.rfind("ComputeFocusRegion", 0) != 0 && line.rfind("SendStatus", 0) != 0 &&
        line.rfind("CheckQuit", 0) != 0)
      changing.push_back(line);
  return changing;
}

void TypeRateAndEnter(const QString& text) {
  QLineEdit* edit = Form().TransmitRateComboBox->lineEdit();
  edit->setText(text);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(edit, &press);
  QCoreApplication::sendEvent(edit, &release);
}

// What picking an item from the list does: select it, then report it.
void PickRate(int index) {
  Form().TransmitRateComboBox->setCurrentIndex(index);
  emit Form().TransmitRateComboBox->activated(index);
}
}  // namespace

TEST_F(MulticastDialog, OpeningSendsNothingAndLeavesTheUpdateButtonsDisabled) {
  ASSERT_TRUE(StartConsole());
  ovSenderSetAddress("239.5.6.7");
  ovSenderSetTimeToLive(16);
  ovSenderSetPacketSize(1400);
  ovSenderSetTransmissionCount(7);  // outside 1 to 4
  ovSenderSetVideoSenderMainMaxTransmissionRate(2000000);
  ovSenderSimClearCallLog();
  Module().MulticastSettingAction->Execute();
  Idle();
  EXPECT_EQ(ChangingCalls(), std::vector<std::string>{});
  EXPECT_EQ(Form().AddressEdit->text(), "239.5.6.7");
  EXPECT_EQ(Form().TTLEdit->text(), "16");
  EXPECT_EQ(Form().PacketSizeEdit->text(), "1400");
  EXPECT_EQ(Form().TransmitCountComboBox->currentIndex(), 0);
  EXPECT_EQ(Form().TransmitRateComboBox->currentText(), "2000000 bps");
  EXPECT_TRUE(Form().active);
  for (QPushButton* button : {Form().AddressUpdateButton, Form().TTLUpdateButton, Form().PacketSizeUpdateButton})
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  EXPECT_TRUE(ovSenderSimMulticastDetectors().empty());
}

TEST_F(MulticastDialog, RateBoxAppliesPickedItemsAndTypedRatesInRange) {
  ASSERT_TRUE(StartConsole());
  Module().MulticastSettingAction->Execute();
  QComboBox* box = Form().TransmitRateComboBox;
  const int fixedItems = box->count();
  struct Case {
    const char* what;
    std::function<void()> act;
    int expectedRate;  // main video maximum afterwards
    QString shown;
    int addedItems;
  };
  const int before = ovSenderGetVideoSenderMainMaxTransmissionRate();
  const int audioBefore = ovSenderGetAudioSenderMaxTransmissionRate();
  const std::vector<Case> cases = {
      {"typed 100 Kbps is 100: ignored", [] { TypeRateAndEnter("100 Kbps"); }, before, "100 Kbps", 0},
      {"typed 1023: ignored", [] { TypeRateAndEnter("1023"); }, before, "1023", 0},
      {"picked 100 Kbps", [] { PickRate(0); }, 102400, "100 Kbps", 0},
      {"typed 2000000", [] { TypeRateAndEnter("2000000"); }, 2000000, "2000000 bps", 1},
      {"typed 2000000 again", [] { TypeRateAndEnter("2000000"); }, 2000000, "2000000 bps", 1},
      {"typed 2^30 is no limit", [] { TypeRateAndEnter("1073741824"); }, 1073741824, "無制限", 1},
      {"typed above 2^30: ignored", [] { TypeRateAndEnter("1073741825"); }, 1073741824, "1073741825", 1},
      {"picked the added item", [] { PickRate(7); }, 2000000, "2000000 bps", 1},
  };
  for (const Case& c : cases) {
    c.act();
    EXPECT_EQ(ovSenderGetVideoSenderMainMaxTransmissionRate(), c.expectedRate) << c.what;
    EXPECT_EQ(box->currentText(), c.shown) << c.what;
    EXPECT_EQ(box->count(), fixedItems + c.addedItems) << c.what;
  }
  EXPECT_EQ(ovSenderGetAudioSenderMaxTransmissionRate(), audioBefore) << "only the chosen stream";
}

TEST_F(MulticastDialog, TargetShowsEachStreamsRateAndIgnoresOneOutOfRange) {
  ASSERT_TRUE(StartConsole());
  Module().MulticastSettingAction->Execute();
  ovSenderSetAudioSenderMaxTransmissionRate(3000);
  ovSenderSetPointerSenderMaxTransmissionRate(500);  // below the range
  auto target = [](int index) {
    Form().TargetTransmitRateComboBox->setCurrentIndex(index);
    emit Form().TargetTransmitRateComboBox->activated(index);
  };
  target(2);
  EXPECT_EQ(Form().TransmitRateComboBox->currentText(), "3000 bps");
  target(3);
  EXPECT_EQ(Form().TransmitRateComboBox->currentText(), "3000 bps") << "left as it was";
  PickRate(1);
  EXPECT_EQ(ovSenderGetPointerSenderMaxTransmissionRate(), 307200);
  EXPECT_EQ(ovSenderGetAudioSenderMaxTransmissionRate(), 3000);
}

TEST_F(MulticastDialog, DetectorFollowsEveryEditAndIsRemovedOnClose) {
  ASSERT_TRUE(StartConsole());
  Module().MulticastSettingAction->Execute();
  const QString typed = QStringLiteral("239.1.1.9");
  for (int n = 1; n <= typed.size(); ++n) {
    Form().AddressEdit->setText(typed.left(n));
    EXPECT_EQ(ovSenderSimMulticastDetectors(), std::vector<std::string>{typed.left(n).toStdString()});
  }
  ovSenderSimSetMulticastDetected("239.1.1.9", true);
  Module().MulticastDetectionTimerTimer();
  EXPECT_TRUE(Form().MulticastDetectLabel->isVisibleTo(&Form()));
  EXPECT_TRUE(Form().MulticastDetectLabel->font().bold());
  Form().AddressEdit->clear();
  EXPECT_TRUE(ovSenderSimMulticastDetectors().empty());
  EXPECT_TRUE(Form().MulticastDetectLabel->isVisibleTo(&Form())) << "the next tick hides it";
  Module().CreateIPv6AddressAction->Execute();
  EXPECT_EQ(ovSenderSimMulticastDetectors().size(), 1u);
  EXPECT_TRUE(Module().AddressUpdateAction->Enabled() || (Idle(), Module().AddressUpdateAction->Enabled()));
  Form().close();
  EXPECT_TRUE(ovSenderSimMulticastDetectors().empty()) << "removed although never applied";
  EXPECT_FALSE(Module().MulticastDetectionTimer->isActive());
}
