#include "RatePacer.h"

#include <algorithm>

namespace ovgst {
namespace {

// One wait never exceeds this, so a cap lowered far under the stream cannot hold a streaming thread for long.
constexpr auto kLongestWait = std::chrono::milliseconds(500);

}  // namespace

RatePacer::Clock::duration RatePacer::admit(std::size_t bytes, Clock::time_point now) {
  const int bitsPerSecond = rate();
  if (bitsPerSecond <= 0) return Clock::duration::zero();  // no cap known: nothing to hold
  const double bytesPerSecond = bitsPerSecond / 8.0;
  const double depth = bytesPerSecond * std::chrono::duration<double>(depth_).count();
  // The bucket is known as of last_, which lies ahead of now while an earlier packet still waits.
  const Clock::time_point from = started_ ? std::max(now, last_) : now;
  tokens_ = started_ ? std::min(depth, tokens_ + bytesPerSecond * std::chrono::duration<double>(from - last_).count())
                     : depth;
  started_ = true;
  tokens_ -= static_cast<double>(bytes);
  Clock::time_point leaves = from;
  if (tokens_ < 0) {
    leaves += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(-tokens_ / bytesPerSecond));
    tokens_ = 0;  // the packet is sent when its wait ends, emptying the bucket
  }
  last_ = leaves;
  return std::min<Clock::duration>(leaves - now, kLongestWait);
}

void RatePacer::pace(std::size_t bytes) {
  const auto wait = admit(bytes, Clock::now());
  if (wait <= Clock::duration::zero()) return;
  std::unique_lock lock(mutex_);
  woken_.wait_for(lock, wait, [this] { return stopped_; });
}

void RatePacer::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  woken_.notify_all();
}

}  // namespace ovgst
