// GStreamer hands the probes' data to its streaming threads under its own
// locks, which ThreadSanitizer cannot see (GLib is not built with it). This
// counter makes the hand-over visible and keeps it ordered in any case: the
// worker releases before the pipeline plays and acquires before it frees
// what the probes use; every probe acquires on entry and releases on exit.
#pragma once

#include <atomic>
#include <cstdint>

namespace ovgst {

inline std::atomic<std::uint64_t> gProbeFence{0};

inline void handOverToStreamingThreads() { gProbeFence.fetch_add(1, std::memory_order_acq_rel); }

struct ProbeScope {
  ProbeScope() { gProbeFence.load(std::memory_order_acquire); }
  ~ProbeScope() { gProbeFence.fetch_add(1, std::memory_order_release); }
  ProbeScope(const ProbeScope &) = delete;
  ProbeScope &operator=(const ProbeScope &) = delete;
};

}  // namespace ovgst
