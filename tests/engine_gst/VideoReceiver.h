// An ordinary GStreamer receiver for the engine's H.264 picture: RTP from
// the group, decoded, handed out as grey pictures one by one.
#pragma once

#include <gst/gst.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> luma;  // width bytes a row
};

class VideoReceiver {
 public:
  VideoReceiver(const std::string &group, int port);
  ~VideoReceiver();
  VideoReceiver(const VideoReceiver &) = delete;
  VideoReceiver &operator=(const VideoReceiver &) = delete;

  // The next decoded picture, or none within the time given.
  std::optional<Picture> next(std::chrono::milliseconds limit);

 private:
  GstElement *pipeline_ = nullptr;
  GstElement *sink_ = nullptr;
};

// The first plane of a grey (or Y-first) picture, row by row; empty when the
// sample cannot be mapped as video.
Picture pictureOf(GstSample *sample);

// Share of near-white pixels in the bottom rows, where captions go. Over the
// whole width it stays the same while the test pattern scrolls sideways.
double whiteShareWhereCaptionsGo(const Picture &picture);
