#include "VolumeIndicatorTimer.h"

#include <chrono>

TVolumeIndicatorTimer::TVolumeIndicatorTimer(Callback callback) : callback_(std::move(callback)) {}

TVolumeIndicatorTimer::~TVolumeIndicatorTimer() {
  Terminate();
  WaitFor();
}

void TVolumeIndicatorTimer::Start() {
  if (!thread_.joinable()) thread_ = std::thread([this] { Execute(); });
}

void TVolumeIndicatorTimer::Terminate() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    terminated_ = true;
  }
  wake_.notify_all();
}

void TVolumeIndicatorTimer::WaitFor() {
  if (thread_.joinable()) thread_.join();
}

bool TVolumeIndicatorTimer::Terminated() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return terminated_;
}

bool TVolumeIndicatorTimer::Sleep(int milliseconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  return !wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return terminated_; });
}

void TVolumeIndicatorTimer::Execute() {
  if (!Sleep(kIdleMilliseconds)) return;
  while (!Terminated()) {
    if (paused.load(std::memory_order_relaxed)) {
      Sleep(kIdleMilliseconds);
      continue;
    }
    if (!Sleep(interval.load(std::memory_order_relaxed))) return;
    if (callback_) callback_(*this);
  }
}
