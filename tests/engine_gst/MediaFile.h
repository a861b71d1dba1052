// Writes short media files for the engine to play, with GStreamer pipelines.
#pragma once

#include <gst/gst.h>

#include <string>

namespace realengine {

// Runs the description to its end; false when its elements are missing or it fails.
inline bool makeFile(const std::string &description) {
  GstElement *pipeline = gst_parse_launch(description.c_str(), nullptr);
  if (!pipeline) return false;
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus *bus = gst_element_get_bus(pipeline);
  GstMessage *end = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND,
                                               static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  const bool done = end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
  if (end) gst_message_unref(end);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return done;
}

}  // namespace realengine
