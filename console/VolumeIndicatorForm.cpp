#include "VolumeIndicatorForm.h"

#include "GraphWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cstdint>

TVolumeIndicatorForm* VolumeIndicatorForm = nullptr;

namespace {
const char* const kDisplayTimes[] = {"60s", "20s", "10s", "5s", "2s", "1s"};
constexpr int kDefaultDisplayTimeIndex = 3;

constexpr TVolumeIndicatorForm::TimeSpan kTimeSpans[TVolumeIndicatorForm::DisplayTimeCount] = {
    {250, 250, 240, 1}, {125, 125, 160, 1}, {62, 62, 161, 1}, {62, 62, 81, 1}, {30, 30, 67, 2}, {15, 30, 64, 5},
};

// Counts the samples of every volume indicator of the program; the chart is
// repainted on the samples whose number is a multiple of drawEvery. GUI
// thread only.
std::uint64_t g_sampleCount = 0;

// Which edges of the window a control keeps its distance to when the window
// is resized; a control held at both opposite edges stretches.
enum Anchor { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

QRect Anchored(const QRect& designed, int anchors, int dw, int dh) {
  QRect r = designed;
  if (anchors & AnchorRight) {
    if (anchors & AnchorLeft)
      r.setWidth(std::max(0, r.width() + dw));
    else
      r.moveLeft(r.left() + dw);
  }
  if (anchors & AnchorBottom) {
    if (anchors & AnchorTop)
      r.setHeight(std::max(0, r.height() + dh));
    else
      r.moveTop(r.top() + dh);
  }
  return r;
}

// The designed places, in a client area of DesignedWidth × DesignedHeight.
const QRect kDisplayTimeLabelRect(10, 12, 80, 16);
const QRect kDisplayTimeComboBoxRect(92, 8, 80, 22);
const QRect kLeftLabelRect(338, 18, 20, 14);
const QRect kRightLabelRect(366, 18, 20, 14);
const QRect kLeftVolumeIndicatorRect(340, 34, 16, 172);
const QRect kRightVolumeIndicatorRect(368, 34, 16, 172);
const QRect kDisplayPauseCheckBoxRect(10, 212, 220, 20);
// The chart fills the space left of the bars, at their height.
const QRect kGraphWindowRect(10, kLeftVolumeIndicatorRect.top(), kLeftVolumeIndicatorRect.left() - 20,
                             kLeftVolumeIndicatorRect.height());
// Narrower, the bars' labels would run into the display time choice.
constexpr int kMinimumWidth = 250;
constexpr int kMinimumHeight = 100;

QProgressBar* NewLevelBar(QWidget* parent, const char* name, QStyle* style) {
  auto* bar = new QProgressBar(parent);
  if (style) bar->setStyle(style);
  bar->setObjectName(QLatin1String(name));
  bar->setOrientation(Qt::Vertical);
  bar->setRange(TVolumeIndicatorForm::LevelMin, TVolumeIndicatorForm::LevelMax);
  bar->setValue(-15);
  bar->setTextVisible(false);
  // The bar fills its whole rectangle, so the window behind it need not be
  // painted first on each of its many repaints.
  bar->setAttribute(Qt::WA_OpaquePaintEvent);
  return bar;
}

void SetLevel(QProgressBar* bar, int level) {
  // A progress bar ignores a value outside its range instead of pinning it.
  bar->setValue(std::clamp(level, TVolumeIndicatorForm::LevelMin, TVolumeIndicatorForm::LevelMax));
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}
}  // namespace

const TVolumeIndicatorForm::TimeSpan& TVolumeIndicatorForm::TimeSpanOf(int index) {
  if (index < 0 || index >= DisplayTimeCount) index = kDefaultDisplayTimeIndex;
  return kTimeSpans[index];
}

QString TVolumeIndicatorForm::DisplayTimeText(int index) {
  if (index < 0 || index >= DisplayTimeCount) index = kDefaultDisplayTimeIndex;
  return QLatin1String(kDisplayTimes[index]);
}

int TVolumeIndicatorForm::DisplayTimeIndexOf(const QString& text) {
  for (int i = 0; i < DisplayTimeCount; ++i)
    if (text.compare(QLatin1String(kDisplayTimes[i]), Qt::CaseInsensitive) == 0) return i;
  return kDefaultDisplayTimeIndex;
}

TVolumeIndicatorForm::TVolumeIndicatorForm()
    : TConsoleForm(QStringLiteral("VolumeIndicatorForm"), QStringLiteral("音量インジケータ"),
                   Qt::Tool | Qt::WindowStaysOnTopHint) {
  VolumeIndicatorForm = this;
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  CreateControls();
  resize(DesignedWidth, DesignedHeight);
  PlaceControls();
}

TVolumeIndicatorForm::~TVolumeIndicatorForm() {
  StopWorker();
  if (VolumeIndicatorForm == this) VolumeIndicatorForm = nullptr;
}

void TVolumeIndicatorForm::CreateControls() {
  DisplayTimeLabel = NewLabel(this, "DisplayTimeLabel", QStringLiteral("表示時間"));
  DisplayTimeComboBox = new QComboBox(this);
  DisplayTimeComboBox->setObjectName(QStringLiteral("DisplayTimeComboBox"));
  DisplayTimeComboBox->addItems({QStringLiteral("60秒"), QStringLiteral("20秒"), QStringLiteral("10秒"),
                                 QStringLiteral("5秒"), QStringLiteral("2秒"), QStringLiteral("1秒")});
  DisplayTimeComboBox->setFocusPolicy(Qt::ClickFocus);  // not reached by Tab
  // Only a choice by the user applies a span; selecting by program does not.
  connect(DisplayTimeComboBox, &QComboBox::activated, this, &TVolumeIndicatorForm::DisplayTimeComboBoxChange);

  LeftLabel = NewLabel(this, "LeftLabel", QStringLiteral("L"));
  RightLabel = NewLabel(this, "RightLabel", QStringLiteral("R"));
  LeftLabel->setAlignment(Qt::AlignCenter);
  RightLabel->setAlignment(Qt::AlignCenter);
  // The bars repaint on every sample, up to 67 times a second each. The
  // plain segmented bar of the classic style costs a fraction of the
  // default style's shaded one, and reads as a level meter.
  QStyle* barStyle = QStyleFactory::create(QStringLiteral("Windows"));
  if (barStyle) barStyle->setParent(this);
  LeftVolumeIndicator = NewLevelBar(this, "LeftVolumeIndicator", barStyle);
  RightVolumeIndicator = NewLevelBar(this, "RightVolumeIndicator", barStyle);

  DisplayPauseCheckBox = new QCheckBox(QStringLiteral("表示の一時停止"), this);
  DisplayPauseCheckBox->setObjectName(QStringLiteral("DisplayPauseCheckBox"));
  connect(DisplayPauseCheckBox, &QCheckBox::clicked, this, &TVolumeIndicatorForm::DisplayPauseCheckBoxClick);

  GraphWindow = new TGraphWindow(this);
  GraphWindow->setObjectName(QStringLiteral("GraphWindow"));
  GraphWindow->RangeMin = LevelMin;
  GraphWindow->RangeMax = LevelMax;
  GraphWindow->SetNumGraph(2);
  GraphWindow->SetGraphColor(0, QColor(0xFF, 0xFF, 0xFF));  // left channel
  GraphWindow->SetGraphColor(1, QColor(0xFF, 0x7F, 0x7F));  // right channel
}

void TVolumeIndicatorForm::PlaceControls() {
  const int dw = width() - DesignedWidth;
  const int dh = height() - DesignedHeight;
  const struct {
    QWidget* control;
    QRect designed;
    int anchors;
  } places[] = {
      {DisplayTimeLabel, kDisplayTimeLabelRect, AnchorLeft | AnchorTop},
      {DisplayTimeComboBox, kDisplayTimeComboBoxRect, AnchorLeft | AnchorTop},
      {LeftLabel, kLeftLabelRect, AnchorTop | AnchorRight},
      {RightLabel, kRightLabelRect, AnchorTop | AnchorRight},
      {LeftVolumeIndicator, kLeftVolumeIndicatorRect, AnchorTop | AnchorRight | AnchorBottom},
      {RightVolumeIndicator, kRightVolumeIndicatorRect, AnchorTop | AnchorRight | AnchorBottom},
      {DisplayPauseCheckBox, kDisplayPauseCheckBoxRect, AnchorLeft | AnchorBottom},
      {GraphWindow, kGraphWindowRect, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom},
  };
  for (const auto& place : places) place.control->setGeometry(Anchored(place.designed, place.anchors, dw, dh));
}

void TVolumeIndicatorForm::ApplyTimeSpan(int index) {
  const TimeSpan& span = TimeSpanOf(index);
  if (worker) worker->interval.store(span.period, std::memory_order_relaxed);
  evaluationTime.store(span.evaluation, std::memory_order_relaxed);
  GraphWindow->Step = span.step;
  GraphWindow->ClearGraph();
  drawEvery = span.drawEvery;
}

void TVolumeIndicatorForm::FormShow() {
  // The new worker samples from the start; the box says so too.
  DisplayPauseCheckBox->setChecked(false);
  const LevelReader reader = OnGetVolume;
  worker = std::make_unique<TVolumeIndicatorTimer>(
      [this, reader](TVolumeIndicatorTimer&) { VolumeIndicatorTimerSample(reader); });
  Reselect();
  ApplyTimeSpan(displayTimeIndex);
  worker->Start();
}

void TVolumeIndicatorForm::FormHide() { StopWorker(); }

void TVolumeIndicatorForm::StopWorker() {
  if (!worker) return;
  worker->Terminate();
  worker->WaitFor();
  worker.reset();
  std::lock_guard<std::mutex> lock(samplesMutex_);
  samples_.clear();
}

void TVolumeIndicatorForm::resizeEvent(QResizeEvent* event) {
  TConsoleForm::resizeEvent(event);
  PlaceControls();
  ApplyTimeSpan(displayTimeIndex);
}

void TVolumeIndicatorForm::DisplayTimeComboBoxChange(int index) {
  displayTimeIndex = index;
  ApplyTimeSpan(displayTimeIndex);
}

void TVolumeIndicatorForm::DisplayPauseCheckBoxClick() {
  if (worker) worker->paused.store(DisplayPauseCheckBox->isChecked(), std::memory_order_relaxed);
}

void TVolumeIndicatorForm::Reselect() { DisplayTimeComboBox->setCurrentIndex(displayTimeIndex); }

void TVolumeIndicatorForm::VolumeIndicatorTimerSample(const LevelReader& reader) {
  if (!reader) return;
  int levels[2] = {0, 0};
  reader(levels, evaluationTime.load(std::memory_order_relaxed));
  bool first;
  {
    std::lock_guard<std::mutex> lock(samplesMutex_);
    first = samples_.empty();
    samples_.emplace_back(levels[0] / 100, levels[1] / 100);
  }
  // One delivery drains everything queued by then, so only the sample that
  // finds the queue empty asks for one.
  if (first) QMetaObject::invokeMethod(this, "DeliverSamples", Qt::QueuedConnection);
}

void TVolumeIndicatorForm::DeliverSamples() {
  std::deque<std::pair<int, int>> samples;
  {
    std::lock_guard<std::mutex> lock(samplesMutex_);
    samples.swap(samples_);
  }
  for (const auto& [left, right] : samples) ShowVolume(left, right);
}

void TVolumeIndicatorForm::ShowVolume(int left, int right) {
  GraphWindow->PointGraph(0, left);
  GraphWindow->PointGraph(1, right);
  if (g_sampleCount++ % static_cast<std::uint64_t>(drawEvery) == 0) GraphWindow->Draw();
  SetLevel(LeftVolumeIndicator, left);
  SetLevel(RightVolumeIndicator, right);
}
