#include "VideoReceiver.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <cstring>

VideoReceiver::VideoReceiver(const std::string &group, int port) {
  const std::string description =
      "udpsrc address=" + group + " port=" + std::to_string(port) +
      " caps=\"application/x-rtp,media=video,encoding-name=H264,clock-rate=90000,payload=96\""
      " ! rtpjitterbuffer latency=50 ! rtph264depay ! avdec_h264 ! videoconvert"
      " ! video/x-raw,format=GRAY8 ! appsink name=out sync=false max-buffers=4 drop=true";
  pipeline_ = gst_parse_launch(description.c_str(), nullptr);
  if (!pipeline_) return;
  sink_ = gst_bin_get_by_name(GST_BIN(pipeline_), "out");
  gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

VideoReceiver::~VideoReceiver() {
  if (!pipeline_) return;
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  if (sink_) gst_object_unref(sink_);
  gst_object_unref(pipeline_);
}

std::optional<Picture> VideoReceiver::next(std::chrono::milliseconds limit) {
  if (!sink_) return std::nullopt;
  GstSample *sample =
      gst_app_sink_try_pull_sample(GST_APP_SINK(sink_), static_cast<GstClockTime>(limit.count()) * GST_MSECOND);
  if (!sample) return std::nullopt;
  Picture picture = pictureOf(sample);
  gst_sample_unref(sample);
  return picture;
}

Picture pictureOf(GstSample *sample) {
  Picture picture;
  GstVideoInfo info;
  GstVideoFrame frame;
  if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
      gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
    picture.width = GST_VIDEO_FRAME_WIDTH(&frame);
    picture.height = GST_VIDEO_FRAME_HEIGHT(&frame);
    picture.luma.resize(static_cast<std::size_t>(picture.width * picture.height));
    for (int y = 0; y < picture.height; ++y)
      std::memcpy(picture.luma.data() + y * picture.width,
                  static_cast<const std::uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)) +
                      y * GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0),
                  static_cast<std::size_t>(picture.width));
    gst_video_frame_unmap(&frame);
  }
  return picture;
}

double whiteShareWhereCaptionsGo(const Picture &picture) {
  int white = 0, all = 0;
  for (int y = picture.height * 88 / 100; y < picture.height * 96 / 100; ++y)
    for (int x = 0; x < picture.width; ++x, ++all)
      white += picture.luma[static_cast<std::size_t>(y * picture.width + x)] > 200;
  return all ? static_cast<double>(white) / all : 0;
}
