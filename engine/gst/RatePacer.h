// Holds one stream's packets to its cap on the way to the sockets. A token
// bucket fills at the cap and holds at most `depth` of it, so a key frame
// leaves at once as far as the bucket allows and the rest follows at the
// cap, and no window of the stream exceeds the cap by more than the depth.
// The encoder aims under the cap, so the pacer only acts on its overshoots.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace ovgst {

class RatePacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit RatePacer(std::chrono::milliseconds depth) : depth_(depth) {}

  // Any thread; takes effect with the next packet.
  void setRate(int bitsPerSecond) { bitsPerSecond_.store(bitsPerSecond, std::memory_order_relaxed); }
  int rate() const { return bitsPerSecond_.load(std::memory_order_relaxed); }

  // How long a packet of this size must wait before it leaves, counting it
  // as sent when that wait ends. The bucket starts full. One thread only.
  Clock::duration admit(std::size_t bytes, Clock::time_point now);

  // Waits as admit() says, unless stop() is called meanwhile. One streaming thread only.
  void pace(std::size_t bytes);
  // Ends every wait at once and for good, so the pipeline can stop without waiting for the bucket.
  void stop();

 private:
  std::chrono::milliseconds depth_;
  std::atomic<int> bitsPerSecond_{0};
  bool started_ = false;
  double tokens_ = 0;  // bytes in the bucket as of last_
  Clock::time_point last_{};
  std::mutex mutex_;
  std::condition_variable woken_;
  bool stopped_ = false;
};

}  // namespace ovgst
