#include "MediaCatalog.h"

#include <gst/gst.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "LaunchText.h"

namespace ovgst {
namespace {

constexpr int kFramesPerSecond = 30;

std::string kbit(int bitsPerSecond) { return std::to_string(std::max(bitsPerSecond / 1000, 1)); }
std::string bits(int bitsPerSecond, int minimum) { return std::to_string(std::max(bitsPerSecond, minimum)); }

// x264 holds its average within the VBV window and starts at once; one key frame every two seconds.
std::string x264(int bps) {
  return "x264enc tune=zerolatency speed-preset=ultrafast key-int-max=60 vbv-buf-capacity=500 bitrate=" + kbit(bps);
}
// OpenH264 and libvpx overshoot their target unless allowed to skip frames.
std::string openh264(int bps) {
  return "openh264enc rate-control=bitrate enable-frame-skip=true gop-size=60 bitrate=" + bits(bps, 1);
}
std::string vp8(int bps) {
  return "vp8enc deadline=1 cpu-used=8 end-usage=cbr dropframe-threshold=30 keyframe-max-dist=60 target-bitrate=" +
         bits(bps, 1);
}
std::string vp9(int bps) {
  return "vp9enc deadline=1 cpu-used=8 end-usage=cbr dropframe-threshold=30 keyframe-max-dist=60 target-bitrate=" +
         bits(bps, 1);
}
std::string opus(int bps) { return "opusenc frame-size=20 bitrate=" + std::to_string(std::clamp(bps, 4000, 510000)); }

const VideoCodec kVideoCodecs[] = {
    {"H.264 (x264)", "x264enc", 0, "rtph264pay config-interval=-1 aggregate-mode=zero-latency", "H264", x264, 0.9},
    {"H.264 (OpenH264)", "openh264enc", 1, "rtph264pay config-interval=-1 aggregate-mode=zero-latency", "H264",
     openh264, 0.9},
    {"VP8", "vp8enc", 1, "rtpvp8pay", "VP8", vp8, 0.95},  // libvpx in CBR stays some 6 % under its target
    {"VP9", "vp9enc", 2, "rtpvp9pay", "VP9", vp9, 0.95},
};

const AudioCodec kAudioCodecs[] = {
    {"Opus", "opusenc", 0, "rtpopuspay", "OPUS", 48000, 2, opus},
};

bool elementExists(const char *name) {
  GstElementFactory *factory = gst_element_factory_find(name);
  if (!factory) return false;
  gst_object_unref(factory);
  return true;
}

std::string testPattern() {
  return "videotestsrc name=vsrc is-live=true pattern=smpte horizontal-speed=4 ! "
         "video/x-raw,width=640,height=480,framerate=" +
         std::to_string(kFramesPerSecond) + "/1";
}

std::string testTone(double volume) {
  return "audiotestsrc name=asrc is-live=true wave=sine freq=440 samplesperbuffer=480 volume=" + std::to_string(volume);
}

using DeviceProperties = std::unique_ptr<GstStructure, decltype(&gst_structure_free)>;

std::string propertyText(const GstStructure *properties, const char *key) {
  const char *value = properties ? gst_structure_get_string(properties, key) : nullptr;
  return value ? value : "";
}

// A device as a fragment with the same element the device monitor would make, chosen by its path or name.
std::optional<std::string> deviceLaunch(GstDevice *device, bool video) {
  DeviceProperties properties(gst_device_get_properties(device), gst_structure_free);
  const char *name = video ? "vsrc" : "asrc";
  const std::string path = propertyText(properties.get(), "device.path");
  const std::string api = propertyText(properties.get(), "device.api");
  if (video && api == "v4l2" && !path.empty())
    return std::string("v4l2src name=") + name + " device=" + quotedLaunchValue(path);
  if (!video && api == "alsa" && !path.empty())
    return std::string("alsasrc name=") + name + " device=" + quotedLaunchValue(path);
  const std::string pulseName = propertyText(properties.get(), "node.name");
  if (!video && elementExists("pulsesrc")) {
    const std::string id = pulseName.empty() ? propertyText(properties.get(), "device.name") : pulseName;
    if (!id.empty()) return std::string("pulsesrc name=") + name + " device=" + quotedLaunchValue(id);
  }
  return std::nullopt;
}

// A device as a source of the catalog, with its node when it is a camera.
std::optional<MediaSource> deviceSource(GstDevice *device, bool video) {
  DeviceProperties properties(gst_device_get_properties(device), gst_structure_free);
  auto launch = deviceLaunch(device, video);
  if (!launch) return std::nullopt;
  gchar *display = gst_device_get_display_name(device);
  MediaSource source{display ? display : "", *launch, ""};
  g_free(display);
  const std::string path = propertyText(properties.get(), "device.path");
  if (video && propertyText(properties.get(), "device.api") == "v4l2" && path.starts_with('/')) source.devicePath = path;
  return source;
}

// Cameras and microphones present now; none on a machine without them.
void addDevices(MediaCatalog &catalog) {
  GstDeviceMonitor *monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
  gst_device_monitor_add_filter(monitor, "Audio/Source", nullptr);
  GList *devices = gst_device_monitor_get_devices(monitor);
  for (GList *item = devices; item; item = item->next) {
    auto *device = GST_DEVICE(item->data);
    const bool video = gst_device_has_classes(device, "Video/Source");
    if (auto source = deviceSource(device, video)) (video ? catalog.videoSources : catalog.audioSources).push_back(*source);
  }
  g_list_free_full(devices, gst_object_unref);
  gst_object_unref(monitor);
}

}  // namespace

MediaCatalog probeMediaCatalog(bool haveDisplay) {
  MediaCatalog catalog;
  catalog.videoSources.push_back({kTestPatternName, testPattern(), ""});
  if (haveDisplay && elementExists("ximagesrc"))
    catalog.videoSources.push_back(
        {kScreenName, "ximagesrc name=vsrc use-damage=false show-pointer=true ! video/x-raw,framerate=30/1", ""});
  catalog.audioSources.push_back({kTestToneName, testTone(kTestToneVolume), ""});
  catalog.audioSources.push_back(
      {kSilenceName, "audiotestsrc name=asrc is-live=true wave=silence samplesperbuffer=480", ""});
  addDevices(catalog);
  for (const auto &codec : kVideoCodecs)
    if (elementExists(codec.element)) catalog.videoCodecs.push_back(&codec);
  for (const auto &codec : kAudioCodecs)
    if (elementExists(codec.element)) catalog.audioCodecs.push_back(&codec);
  return catalog;
}

ovsim::DeviceCatalog deviceCatalogOf(const MediaCatalog &catalog) {
  ovsim::DeviceCatalog devices;
  // Our sources have no settings windows of their own, so they list no property pages.
  for (const auto &source : catalog.videoSources) devices.videoSources.push_back({source.name, {}});
  for (const auto &source : catalog.audioSources) devices.audioSources.push_back({source.name, {}});
  for (const auto *codec : catalog.videoCodecs) devices.videoEncoders.push_back({codec->name, codec->priority});
  for (const auto *codec : catalog.audioCodecs) devices.audioEncoders.push_back({codec->name, codec->priority});
  return devices;
}

}  // namespace ovgst
