// The volume indicator: time spans, the worker's samples reaching the chart
// and the bars on the GUI thread, and the worker's life with the window.
#include "ConsoleFixture.h"
#include "GraphWindow.h"
#include "GraphWindowControl.h"
#include "VolumeIndicatorForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QThread>
#include <atomic>
#include <functional>

namespace {
class VolumeIndicator : public ConsoleFixture {
protected:
  TVolumeIndicatorForm& Form() { return *VolumeIndicatorForm; }
  int ChartPoint(int series, int age) { return Form().GraphWindow->Graph(series)->GetPoint(age); }

  // Runs the event loop until done holds or two seconds have passed.
  static bool RunUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
      if (clock.elapsed() > 2000) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(2);
    }
    return true;
  }
  static void RunFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(2);
    }
  }
  static std::size_t VolumeReads() { return ovSenderSimCallCount("GetVolume"); }
};

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};
}  // namespace

TEST_F(VolumeIndicator, EachSpanSetsPeriodEvaluationStepAndRepaintRate) {
  ASSERT_TRUE(StartConsole());
  Form().OnGetVolume = nullptr;  // taken at show: this worker samples nothing
  Form().ShowModeless();
  Idle();
  ASSERT_NE(Form().worker, nullptr);
  PaintCounter counter(Form().GraphWindow->Control());
  const struct {
    int period, evaluation, step, drawEvery;
  } spans[] = {{250, 250, 240, 1}, {125, 125, 160, 1}, {62, 62, 161, 1},
               {62, 62, 81, 1},    {30, 30, 67, 2},    {15, 30, 64, 5}};
  for (int index = 0; index < 6; ++index) {
    Form().ShowVolume(-1, -1);
    Form().DisplayTimeComboBoxChange(index);
    EXPECT_EQ(Form().displayTimeIndex, index);
    EXPECT_EQ(Form().worker->interval, spans[index].period) << index;
    EXPECT_EQ(Form().evaluationTime, spans[index].evaluation) << index;
    EXPECT_EQ(Form().GraphWindow->Step, spans[index].step) << index;
    EXPECT_EQ(Form().drawEvery, spans[index].drawEvery) << index;
    EXPECT_EQ(ChartPoint(0, 0), TGraph::Empty) << "applying a span empties the chart";
    counter.paints = 0;
    for (int sample = 0; sample < 10; ++sample) Form().ShowVolume(-10, -20);
    EXPECT_EQ(counter.paints, 10 / spans[index].drawEvery) << index;
  }
}

TEST_F(VolumeIndicator, WorkerSamplesAtTheOneSecondSpanPeriodWithItsEvaluationTime) {
  Store("VolumeIndicatorDisplayTime", "1s");
  ASSERT_TRUE(StartConsole());
  ovSenderSimClearCallLog();
  QElapsedTimer clock;
  clock.start();
  Form().ShowModeless();
  RunFor(300);
  Form().close();
  const qint64 elapsed = clock.elapsed();
  const std::size_t reads = VolumeReads();
  EXPECT_EQ(ovSenderSimVolumeEvaluationTime(), 30);
  EXPECT_GE(reads, 3u);
  // Each sample sleeps its period first, so no more fit into the time.
  EXPECT_LE(reads, static_cast<std::size_t>(elapsed / 15 + 1));
  EXPECT_EQ(Calls({"SetVolumeEvaluationTime"}).front(), "SetVolumeEvaluationTime(30)");
}

TEST_F(VolumeIndicator, LevelsInHundredthsAreTruncatedForTheChartAndPinnedForTheBars) {
  ASSERT_TRUE(StartConsole());
  Form().ShowModeless();
  const struct {
    int level;
    int chart;
    int bar;
  } cases[] = {{-1550, -15, -15}, {-2999, -29, -29}, {-3100, -31, -30}, {-50, 0, 0}, {250, 2, 0}, {0, 0, 0}};
  for (const auto& c : cases) {
    ovSenderSimSetVolume(c.level, -1000);
    ASSERT_TRUE(RunUntil([&] { return ChartPoint(0, 0) == c.chart && ChartPoint(1, 0) == -10; })) << c.level;
    EXPECT_EQ(Form().LeftVolumeIndicator->value(), c.bar) << c.level;
    EXPECT_EQ(Form().RightVolumeIndicator->value(), -10);
  }
}

TEST_F(VolumeIndicator, SamplesReachTheChartInTheOrderTheyWereTaken) {
  ASSERT_TRUE(StartConsole());
  std::atomic<int> taken{0};
  Form().OnGetVolume = [&taken](int* levels, int) {
    const int n = ++taken;
    levels[0] = -100 * n;
    levels[1] = 100 * n;
  };
  Form().displayTimeIndex = 5;
  Form().ShowModeless();
  ASSERT_TRUE(RunUntil([&] { return ChartPoint(0, 20) != TGraph::Empty; }));
  Form().close();
  for (int age = 0; age < 20; ++age) {
    EXPECT_EQ(ChartPoint(0, age), ChartPoint(0, age + 1) - 1) << age;
    EXPECT_EQ(ChartPoint(1, age), ChartPoint(1, age + 1) + 1) << age;
  }
}

TEST_F(VolumeIndicator, ResizingEmptiesTheChart) {
  ASSERT_TRUE(StartConsole());
  Form().ShowModeless();
  Idle();
  Form().ShowVolume(-5, -5);
  ASSERT_EQ(ChartPoint(0, 0), -5);
  Form().resize(Form().width() + 40, Form().height() + 30);
  Idle();
  EXPECT_EQ(ChartPoint(0, 0), TGraph::Empty);
  // The chart follows the window on all four sides, the bars on the right.
  EXPECT_EQ(Form().GraphWindow->geometry(), QRect(10, 34, 360, 202));
  EXPECT_EQ(Form().LeftVolumeIndicator->geometry(), QRect(380, 34, 16, 202));
  EXPECT_EQ(Form().GraphWindow->Control()->size(), QSize(360, 202));
  EXPECT_EQ(Form().DisplayPauseCheckBox->y(), 242);
}

TEST_F(VolumeIndicator, NothingIsSampledOrShownAfterClose) {
  ASSERT_TRUE(StartConsole());
  Form().displayTimeIndex = 5;
  Form().ShowModeless();
  ASSERT_TRUE(RunUntil([&] { return VolumeReads() >= 3; }));
  Form().close();
  EXPECT_EQ(Form().worker, nullptr);
  const std::size_t reads = VolumeReads();
  const int newest = ChartPoint(0, 0);
  const int barValue = Form().LeftVolumeIndicator->value();
  ovSenderSimSetVolume(-2000, -2000);
  RunFor(100);
  EXPECT_EQ(VolumeReads(), reads);
  EXPECT_EQ(ChartPoint(0, 0), newest);  // nothing queued before close arrives later
  EXPECT_EQ(Form().LeftVolumeIndicator->value(), barValue);
}

TEST_F(VolumeIndicator, WorkerWithoutLevelReaderChangesNothing) {
  ASSERT_TRUE(StartConsole());
  Form().OnGetVolume = nullptr;
  Form().displayTimeIndex = 5;
  Form().ShowModeless();
  RunFor(150);
  EXPECT_NE(Form().worker, nullptr);
  EXPECT_EQ(VolumeReads(), 0u);
  EXPECT_EQ(ChartPoint(0, 0), TGraph::Empty);
  EXPECT_EQ(Form().LeftVolumeIndicator->value(), -15);
  EXPECT_EQ(Form().RightVolumeIndicator->value(), -15);
}

TEST_F(VolumeIndicator, PauseStopsSamplingAndANewShowStartsUnpaused) {
  ASSERT_TRUE(StartConsole());
  Form().displayTimeIndex = 5;
  Form().ShowModeless();
  ASSERT_TRUE(RunUntil([&] { return VolumeReads() >= 2; }));
  Form().DisplayPauseCheckBox->click();
  EXPECT_TRUE(Form().worker->paused);
  RunFor(40);  // a sample under way when paused may still end
  const std::size_t paused = VolumeReads();
  RunFor(100);
  EXPECT_EQ(VolumeReads(), paused);
  Form().close();
  Form().ShowModeless();
  EXPECT_FALSE(Form().worker->paused);
  EXPECT_FALSE(Form().DisplayPauseCheckBox->isChecked());  // the box agrees with the worker
  ASSERT_TRUE(RunUntil([&] { return VolumeReads() > paused; }));
  Form().DisplayPauseCheckBox->click();
  EXPECT_TRUE(Form().worker->paused);
}

TEST_F(VolumeIndicator, ShowSelectsTheStoredSpanAndTheConsoleClosesWithTheWorkerRunning) {
  Store("VolumeIndicatorDisplayTime", "20s");
  ASSERT_TRUE(StartConsole());
  Form().ShowModeless();
  EXPECT_EQ(Form().DisplayTimeComboBox->currentText(), "20秒");
  EXPECT_EQ(Form().worker->interval, 125);
  // Closing the console frees the window while its worker runs; the
  // destructor stops and waits for it.
}
