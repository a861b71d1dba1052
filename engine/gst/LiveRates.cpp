#include "LiveRates.h"

#include <algorithm>
#include <cstring>

namespace ovgst {
namespace {

// How each encoder names its target and in what unit. x264 and Opus
// reconfigure themselves on the next frame; libvpx applies a new
// configuration to the running encoder. OpenH264 is rebuilt: its element
// does not promise to take a new rate while it runs.
struct RateProperty {
  const char *factory;
  const char *property;
  int bitsPerUnit;
  int smallest;  // in the property's unit
  int largest;
};

constexpr RateProperty kLiveRateProperties[] = {
    {"x264enc", "bitrate", 1000, 1, 2048000},
    {"vp8enc", "target-bitrate", 1, 1, 2147483647},
    {"vp9enc", "target-bitrate", 1, 1, 2147483647},
    {"opusenc", "bitrate", 1, 4000, 510000},
};

const RateProperty *livePropertyOf(GstElement *encoder) {
  GstElementFactory *factory = gst_element_get_factory(encoder);
  const char *name = factory ? gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)) : nullptr;
  if (!name) return nullptr;
  for (const auto &entry : kLiveRateProperties)
    if (std::strcmp(entry.factory, name) == 0) return &entry;
  return nullptr;
}

PipelinePlan withoutRates(PipelinePlan plan) {
  plan.videoBitsPerSecond = plan.audioBitsPerSecond = 0;
  plan.videoCapPerCopy = plan.audioCapPerCopy = 0;
  return plan;
}

}  // namespace

LiveRates liveRatesOf(const PipelinePlan &plan) {
  return {plan.videoBitsPerSecond, plan.audioBitsPerSecond, plan.videoCapPerCopy, plan.audioCapPerCopy};
}

bool samePipeline(const PipelinePlan &a, const PipelinePlan &b) { return withoutRates(a) == withoutRates(b); }

bool setEncoderRate(GstElement *encoder, int bitsPerSecond) {
  const RateProperty *entry = livePropertyOf(encoder);
  if (!entry) return false;
  const int value = std::clamp(bitsPerSecond / entry->bitsPerUnit, entry->smallest, entry->largest);
  GValue given = G_VALUE_INIT;
  g_value_init(&given, G_TYPE_INT);
  g_value_set_int(&given, value);
  g_object_set_property(G_OBJECT(encoder), entry->property, &given);  // converted to the property's own type
  g_value_unset(&given);
  return true;
}

}  // namespace ovgst
