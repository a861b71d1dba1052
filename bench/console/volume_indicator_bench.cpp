// What the volume indicator costs: the processor time of the whole console
// (GUI thread, sampling worker, engine calls) while it runs with the
// indicator open, as a share of one core, beside the console with the
// indicator closed; and the cost of one repaint of its chart.
//
// Run under a display server to count the drawing to a real window:
//   xvfb-run -a -s "-screen 0 1280x1024x24" volume_indicator_bench
// Without one, the offscreen platform is used.
#include "GraphWindow.h"
#include "GraphWindowControl.h"
#include "MainDataModule.h"
#include "SenderMainForm.h"
#include "TActionList.h"
#include "VolumeIndicatorForm.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
constexpr int kMeasuredMilliseconds = 10000;
constexpr int kSettleMilliseconds = 1000;

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunEventLoop(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// state.range(0): display time index of the open indicator, -1 for closed.
void BM_ConsoleCpuShare(benchmark::State& state) {
  QTemporaryDir home;
  qputenv("OSTREL_HOME", home.path().toUtf8());
  TSenderMainForm form;
  if (!form.FormCreate()) {
    state.SkipWithError("the engine did not start");
    return;
  }
  form.show();
  MainDataModule->TransmissionOnOffAction->Execute();
  const int index = static_cast<int>(state.range(0));
  if (index >= 0) {
    VolumeIndicatorForm->displayTimeIndex = index;
    VolumeIndicatorForm->ShowModeless();
  }
  RunEventLoop(kSettleMilliseconds);
  double share = 0;
  for (auto _ : state) {
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ProcessCpuSeconds();
    RunEventLoop(kMeasuredMilliseconds);
    share = (ProcessCpuSeconds() - cpuBefore) / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
    state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) / 1e9);
  }
  state.counters["cpu_percent_of_one_core"] = share * 100;
  form.close();
}
BENCHMARK(BM_ConsoleCpuShare)
    ->ArgName("displayTimeIndex")
    ->Arg(-1)
    ->Arg(5)
    ->Arg(0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One round of the update handlers the console runs whenever its event loop
// goes idle, which each delivered sample makes it do.
void BM_IdleActionUpdate(benchmark::State& state) {
  QTemporaryDir home;
  qputenv("OSTREL_HOME", home.path().toUtf8());
  TSenderMainForm form;
  if (!form.FormCreate()) {
    state.SkipWithError("the engine did not start");
    return;
  }
  form.show();
  RunEventLoop(100);
  for (auto _ : state) TActionList::UpdateAllActions();
  form.close();
}
BENCHMARK(BM_IdleActionUpdate)->Unit(benchmark::kMicrosecond);

// One repaint of a full chart of the two channels at the designed size.
void BM_PaintVolumeChart(benchmark::State& state) {
  TGraphWindow chart(nullptr);
  chart.resize(320, 172);
  chart.Resize();
  chart.RangeMin = -30;
  chart.RangeMax = 0;
  chart.Step = static_cast<int>(state.range(0));
  chart.SetNumGraph(2);
  for (int i = 0; i < chart.Step + 1; ++i) {
    chart.PointGraph(0, -(i * 7 % 30));
    chart.PointGraph(1, -(i * 11 % 30));
  }
  QImage image(chart.Control()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter canvas(&image);
    chart.Control()->Paint(canvas);
    canvas.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintVolumeChart)->ArgName("step")->Arg(64)->Arg(240)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
