// The transmission monitor's figures and timer, and the layout of both
// monitor windows.
#include "ConsoleFixture.h"
#include "TransmissionMonitorForm.h"
#include "VolumeIndicatorForm.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using MonitorWindows = ConsoleFixture;

TEST_F(MonitorWindows, TransmissionMonitorShowsKilobitsAndFramesOfEachSender) {
  ASSERT_TRUE(StartConsole());
  const TTransmissionMonitorForm& f = *TransmissionMonitorForm;
  const struct {
    OvSenderSimSender sender;
    int bits, frames;
    QLabel* rate;
    QLabel* frameRate;
    const char* rateText;
    const char* frameText;
  } cases[] = {
      {OvSenderSimSender::VideoMain, 1536000, 30, f.SendRateVideoMainValue, f.FrameRateVideoMainValue, "1500.000", "30"},
      {OvSenderSimSender::VideoSub, 0, 0, f.SendRateVideoSubValue, f.FrameRateVideoSubValue, "0.000", "0"},
      {OvSenderSimSender::Audio, 65536, 50, f.SendRateAudioValue, f.FrameRateAudioValue, "64.000", "50"},
      {OvSenderSimSender::Pointer, 1000, 10, f.SendRatePointerValue, f.FrameRatePointerValue, "0.977", "10"},
  };
  for (const auto& c : cases) ovSenderSimSetSenderRates(c.sender, c.bits, c.frames);
  Module().TransmissionMonitorShowAction->Execute();
  EXPECT_TRUE(Module().TransmissionMonitorTimer->isActive());
  EXPECT_FALSE(TransmissionMonitorForm->isModal());
  Module().TransmissionMonitorTimerTimer();
  for (const auto& c : cases) {
    EXPECT_EQ(c.rate->text(), c.rateText) << c.bits;
    EXPECT_EQ(c.frameRate->text(), c.frameText) << c.frames;
  }
  TransmissionMonitorForm->close();
  EXPECT_FALSE(Module().TransmissionMonitorTimer->isActive());
}

TEST_F(MonitorWindows, EachWindowIsCentredAtItsDesignedSize) {
  ASSERT_TRUE(StartConsole(false));
  const QRect desktop = QGuiApplication::primaryScreen()->geometry();
  const struct {
    QWidget* window;
    QSize size;
  } cases[] = {{TransmissionMonitorForm, QSize(594, 76)}, {VolumeIndicatorForm, QSize(400, 240)}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.window->size(), c.size) << c.window->objectName().toStdString();
    EXPECT_EQ(c.window->pos(), QPoint((desktop.width() - c.size.width()) / 2, (desktop.height() - c.size.height()) / 2))
        << c.window->objectName().toStdString();
    // Showing keeps the size: no layout shrinks the window afterwards.
    c.window->show();
    Idle();
    EXPECT_EQ(c.window->size(), c.size) << c.window->objectName().toStdString();
    c.window->close();
  }
  EXPECT_EQ(TransmissionMonitorForm->minimumSize(), TransmissionMonitorForm->maximumSize());
}

TEST_F(MonitorWindows, EveryTextFitsItsControl) {
  ASSERT_TRUE(StartConsole());
  Module().TransmissionMonitorShowAction->Execute();
  ovSenderSimSetSenderRates(OvSenderSimSender::VideoMain, 1024000000, 30);  // the largest selectable rate
  Module().TransmissionMonitorTimerTimer();
  VolumeIndicatorForm->ShowModeless();
  Idle();
  for (QWidget* window : {static_cast<QWidget*>(TransmissionMonitorForm), static_cast<QWidget*>(VolumeIndicatorForm)}) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      const int needed = label->fontMetrics().horizontalAdvance(label->text());
      EXPECT_LE(needed, label->contentsRect().width()) << label->objectName().toStdString();
      EXPECT_GE(label->height(), label->fontMetrics().height()) << label->objectName().toStdString();
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
      EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
  }
}
