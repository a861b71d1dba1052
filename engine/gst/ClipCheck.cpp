#include "ClipCheck.h"

#include <gst/pbutils/pbutils.h>

#include "LaunchText.h"

namespace ovgst {
namespace {

constexpr GstClockTime kDiscoveryTimeout = 3 * GST_SECOND;

}  // namespace

bool canPlay(const std::string &path, ClipMedia media) {
  gchar *uri = gst_filename_to_uri(path.c_str(), nullptr);
  if (!uri) return false;
  GstDiscoverer *discoverer = gst_discoverer_new(kDiscoveryTimeout, nullptr);
  GstDiscovererInfo *info = discoverer ? gst_discoverer_discover_uri(discoverer, uri, nullptr) : nullptr;
  bool playable = false;
  if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
    GList *streams = media == ClipMedia::Video ? gst_discoverer_info_get_video_streams(info)
                                               : gst_discoverer_info_get_audio_streams(info);
    playable = streams != nullptr;
    gst_discoverer_stream_info_list_free(streams);
  }
  if (info) g_object_unref(info);
  if (discoverer) g_object_unref(discoverer);
  g_free(uri);
  return playable;
}

// identity sync=true holds the file to the clock: no sink of ours waits for it.
std::string clipLaunch(const std::string &path, ClipMedia media) {
  if (media == ClipMedia::Video)
    return "filesrc location=" + quotedLaunchValue(path) + " ! decodebin ! videoconvert ! identity name=vsrc sync=true";
  return "filesrc location=" + quotedLaunchValue(path) + " ! decodebin ! audioconvert ! identity name=asrc sync=true";
}

}  // namespace ovgst
