// TVolumeIndicatorTimer: the volume indicator's worker thread. It wakes every
// interval milliseconds and calls its callback, which takes one level
// sample; while paused it only idles. The GUI thread sets paused and
// interval at any time; a change takes effect at the next wake-up.
#ifndef CONSOLE_VOLUMEINDICATORTIMER_H
#define CONSOLE_VOLUMEINDICATORTIMER_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TVolumeIndicatorTimer {
public:
  // Runs on the worker thread, once per sample.
  using Callback = std::function<void(TVolumeIndicatorTimer& sender)>;

  explicit TVolumeIndicatorTimer(Callback callback);
  ~TVolumeIndicatorTimer();  // terminates and waits
  TVolumeIndicatorTimer(const TVolumeIndicatorTimer&) = delete;
  TVolumeIndicatorTimer& operator=(const TVolumeIndicatorTimer&) = delete;

  void Start();
  // Asks the loop to end; a sleep in progress is cut short.
  void Terminate();
  // Returns once the thread has ended; no callback runs after that.
  void WaitFor();
  bool Terminated() const;

  std::atomic<bool> paused{false};
  std::atomic<int> interval{10};

private:
  static constexpr int kIdleMilliseconds = 10;

  void Execute();
  // False when termination was asked for before the time was up.
  bool Sleep(int milliseconds);

  const Callback callback_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool terminated_ = false;
  std::thread thread_;
};

#endif
