// TVolumeIndicatorForm: the left and right audio levels as two bars and as a
// strip chart over a chosen time span. A worker thread (TVolumeIndicatorTimer)
// reads the levels while the window is shown and hands them to the GUI
// thread, which alone touches the chart and the bars. The main window
// supplies the level reader (OnGetVolume) and persists displayTimeIndex.
#ifndef CONSOLE_VOLUMEINDICATORFORM_H
#define CONSOLE_VOLUMEINDICATORFORM_H

#include "ConsoleForm.h"
#include "VolumeIndicatorTimer.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class TGraphWindow;

class TVolumeIndicatorForm : public TConsoleForm {
  Q_OBJECT
public:
  static constexpr int DesignedWidth = 400;
  static constexpr int DesignedHeight = 240;
  static constexpr int DisplayTimeCount = 6;
  static constexpr int LevelMin = -30;
  static constexpr int LevelMax = 0;

  // What one display time (item of DisplayTimeComboBox) sets.
  struct TimeSpan {
    int period;          // worker interval, ms
    int evaluation;      // evaluation time asked of the engine, ms
    int step;            // chart points across, so the chart spans the time
    int drawEvery;       // chart repaint on every n-th sample
  };
  static const TimeSpan& TimeSpanOf(int index);  // index 3 outside 0 to 5

  // Texts of displayTimeIndex 0 to 5 as stored in the registry.
  static QString DisplayTimeText(int index);  // "5s" outside 0 to 5
  static int DisplayTimeIndexOf(const QString& text);  // 3 for an unknown text

  TVolumeIndicatorForm();
  ~TVolumeIndicatorForm() override;  // stops a running worker first

  int displayTimeIndex = 3;
  // Read by the worker with every sample.
  std::atomic<int> evaluationTime{0};
  int drawEvery = 1;
  // Exists while the window is shown.
  std::unique_ptr<TVolumeIndicatorTimer> worker;
  // Reads the two levels (hundredths) over an evaluation time in
  // milliseconds. Called on the worker thread; taken when the window is
  // shown, so a reader set while it is shown counts from the next show.
  std::function<void(int* levels, int evaluationTime)> OnGetVolume;

  QLabel* DisplayTimeLabel = nullptr;
  QComboBox* DisplayTimeComboBox = nullptr;
  QProgressBar* LeftVolumeIndicator = nullptr;
  QProgressBar* RightVolumeIndicator = nullptr;
  QLabel* LeftLabel = nullptr;
  QLabel* RightLabel = nullptr;
  QCheckBox* DisplayPauseCheckBox = nullptr;
  TGraphWindow* GraphWindow = nullptr;

  void ApplyTimeSpan(int index);
  void DisplayTimeComboBoxChange(int index);
  void DisplayPauseCheckBoxClick();
  // Selects displayTimeIndex again after the combo box's items were replaced.
  void Reselect();
  // One sample on the GUI thread: chart points, repaint on every drawEvery-th
  // sample of the program, bars held within their range.
  void ShowVolume(int left, int right);

protected:
  void FormShow() override;
  void FormHide() override;
  void resizeEvent(QResizeEvent* event) override;

private:
  using LevelReader = std::function<void(int* levels, int evaluationTime)>;

  void CreateControls();
  void PlaceControls();
  void StopWorker();
  // Worker thread: reads one pair of levels and queues it for the GUI thread.
  void VolumeIndicatorTimerSample(const LevelReader& reader);
  Q_INVOKABLE void DeliverSamples();

  // Level pairs the worker read and the GUI thread has not shown yet, oldest
  // first. Closing the window drops them.
  std::mutex samplesMutex_;
  std::deque<std::pair<int, int>> samples_;
};

extern TVolumeIndicatorForm* VolumeIndicatorForm;

#endif
