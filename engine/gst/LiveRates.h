// The rates a running pipeline takes without being rebuilt: each encoder's
// target and each stream's cap, which its pacer holds. A change of the
// maximum rates while sending only sets these.
#pragma once

#include <gst/gst.h>

#include "PipelinePlan.h"

namespace ovgst {

struct LiveRates {
  int videoTarget = 0;  // encoder targets and caps, per copy, in bit/s
  int audioTarget = 0;
  int videoCap = 0;
  int audioCap = 0;

  bool operator==(const LiveRates &) const = default;
};

LiveRates liveRatesOf(const PipelinePlan &plan);

// Whether two plans can run on the same pipeline: they differ in their rates at most.
bool samePipeline(const PipelinePlan &a, const PipelinePlan &b);

// Sets the target of a running encoder; false when this encoder takes a new
// target only when it is built again.
bool setEncoderRate(GstElement *encoder, int bitsPerSecond);

}  // namespace ovgst
