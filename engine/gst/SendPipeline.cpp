#include "SendPipeline.h"

#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <cstdint>

#include "ProbeFence.h"

namespace ovgst {
namespace {

using ovsim::EngineError;

constexpr int kStartTimeoutMs = 3000;

struct SinkProbe {
  TrafficCounter *counter;
  bool countFrames;  // only the first copy counts pictures, every copy counts bytes
  bool video;
};

void countBuffer(GstBuffer *buffer, const SinkProbe &probe) {
  probe.counter->bytes.fetch_add(gst_buffer_get_size(buffer), std::memory_order_relaxed);
  if (!probe.countFrames) return;
  if (!probe.video) {
    probe.counter->frames.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  // The RTP marker bit ends a picture.
  guint8 header[2] = {0, 0};
  if (gst_buffer_extract(buffer, 0, header, 2) == 2 && (header[1] & 0x80))
    probe.counter->frames.fetch_add(1, std::memory_order_relaxed);
}

GstPadProbeReturn onSinkData(GstPad *, GstPadProbeInfo *info, gpointer data) {
  ProbeScope scope;
  const auto &probe = *static_cast<SinkProbe *>(data);
  if (info->type & GST_PAD_PROBE_TYPE_BUFFER) countBuffer(GST_PAD_PROBE_INFO_BUFFER(info), probe);
  if (info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) {
    GstBufferList *list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
    for (guint i = 0; i < gst_buffer_list_length(list); ++i) countBuffer(gst_buffer_list_get(list, i), probe);
  }
  return GST_PAD_PROBE_OK;
}

GstPadProbeReturn onRawAudio(GstPad *, GstPadProbeInfo *info, gpointer data) {
  ProbeScope scope;
  GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  GstMapInfo map;
  if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
    static_cast<LevelMeter *>(data)->addStereo(reinterpret_cast<const std::int16_t *>(map.data),
                                               map.size / (2 * sizeof(std::int16_t)), LevelMeter::Clock::now());
    gst_buffer_unmap(buffer, &map);
  }
  return GST_PAD_PROBE_OK;
}

GstPadProbeReturn onPreviewFrame(GstPad *pad, GstPadProbeInfo *info, gpointer data) {
  ProbeScope scope;
  GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  GstCaps *caps = gst_pad_get_current_caps(pad);
  GstVideoInfo video;
  const bool known = caps && gst_video_info_from_caps(&video, caps);
  if (caps) gst_caps_unref(caps);
  GstVideoFrame frame;
  if (!buffer || !known || !gst_video_frame_map(&frame, &video, buffer, GST_MAP_READ)) return GST_PAD_PROBE_OK;
  static_cast<PreviewFrames *>(data)->store(static_cast<const std::uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                                            GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame),
                                            GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0));
  gst_video_frame_unmap(&frame);
  return GST_PAD_PROBE_OK;
}

void paceBuffers(GstPadProbeInfo *info, RatePacer &pacer) {
  if (info->type & GST_PAD_PROBE_TYPE_BUFFER) pacer.pace(gst_buffer_get_size(GST_PAD_PROBE_INFO_BUFFER(info)));
  if (info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) {
    GstBufferList *list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
    std::size_t bytes = 0;
    for (guint i = 0; i < gst_buffer_list_length(list); ++i) bytes += gst_buffer_get_size(gst_buffer_list_get(list, i));
    pacer.pace(bytes);
  }
}

GstPadProbeReturn onPacedData(GstPad *, GstPadProbeInfo *info, gpointer data) {
  ProbeScope scope;
  paceBuffers(info, *static_cast<RatePacer *>(data));
  return GST_PAD_PROBE_OK;
}

// Which part failed tells the kind: a source is a capture fault, an encoder an encoder fault.
int errorKindOf(GstObject *origin) {
  if (!origin) return OVSENDER_ERROR_UNEXPECTED;
  gchar *name = gst_object_get_name(origin);
  const std::string text = name ? name : "";
  g_free(name);
  if (text == "vsrc" || text == "asrc") return OVSENDER_ERROR_WRONG_CAPTURE;
  if (text == "venc" || text == "aenc" || text == "vencsub") return OVSENDER_ERROR_WRONG_ENCODER;
  if (text.starts_with("capsfilter") || text.starts_with("video") || text.starts_with("audio"))
    return OVSENDER_ERROR_WRONG_MEDIATYPE;
  return OVSENDER_ERROR_UNEXPECTED;
}

EngineError errorFrom(GstMessage *message) {
  GError *error = nullptr;
  gst_message_parse_error(message, &error, nullptr);
  EngineError result{60, errorKindOf(GST_MESSAGE_SRC(message)),
                     std::string("Sending stopped: ") + (error ? error->message : "unknown error")};
  if (error) g_error_free(error);
  return result;
}

template <typename Action>
void withElement(GstElement *pipeline, const std::string &name, Action &&action) {
  GstElement *element = gst_bin_get_by_name(GST_BIN(pipeline), name.c_str());
  if (!element) return;
  action(element);
  gst_object_unref(element);
}

}  // namespace

std::unique_ptr<SendPipeline> SendPipeline::start(const PipelinePlan &plan, Ssrcs ssrcs, LevelMeter &meter,
                                                  PreviewFrames &frames, EngineError &error) {
  GError *parseError = nullptr;
  GstElement *element = gst_parse_launch(launchDescription(plan, ssrcs).c_str(), &parseError);
  if (parseError) {
    error = {61, OVSENDER_ERROR_WRONG_ENCODER, std::string("The pipeline cannot be built: ") + parseError->message};
    g_error_free(parseError);
    if (element) gst_object_unref(element);
    return nullptr;
  }
  std::unique_ptr<SendPipeline> pipeline(new SendPipeline(element));
  pipeline->countSinks("vsink", plan.sending && plan.sendVideo ? plan.copies : 0, Stream::Video);
  pipeline->countSinks("asink", plan.sending && plan.sendAudio ? plan.copies : 0, Stream::Audio);
  if (plan.sending && plan.sendVideo) pipeline->pace("vpace", plan.videoCapPerCopy, Stream::Video);
  if (plan.sending && plan.sendAudio) pipeline->pace("apace", plan.audioCapPerCopy, Stream::Audio);
  if (plan.sending && plan.sendVideo && plan.focus.sendsSub())
    pipeline->pace("vsubpace", plan.subCapPerCopy, Stream::VideoSub);
  pipeline->countSinks("vsubsink", plan.sending && plan.sendVideo && plan.focus.sendsSub() ? plan.copies : 0,
                       Stream::VideoSub);
  pipeline->focus_ = std::make_unique<FocusPictures>(plan.focus, plan.width, plan.height);
  pipeline->focus_->attach(element);
  pipeline->meterAudio(meter);
  pipeline->handOverFrames(frames);
  if (plan.playingVideoClip) pipeline->watchForEnd("vsrc", Stream::Video);
  if (plan.playingSoundFile) pipeline->watchForEnd("asrc", Stream::Audio);
  if (plan.previewWindow)
    withElement(element, "preview", [&](GstElement *sink) {
      gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(sink), plan.previewWindow);
    });
  handOverToStreamingThreads();
  if (gst_element_set_state(element, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE ||
      gst_element_get_state(element, nullptr, nullptr, kStartTimeoutMs * GST_MSECOND) == GST_STATE_CHANGE_FAILURE) {
    error = pipeline->poll(0).value_or(EngineError{62, OVSENDER_ERROR_UNEXPECTED, "The pipeline would not start."});
    return nullptr;
  }
  return pipeline;
}

SendPipeline::~SendPipeline() {
  for (auto &pacer : pacers_) pacer.stop();  // a packet waiting for its turn must not hold the stop
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  handOverToStreamingThreads();  // every probe has run to its end now
  gst_object_unref(pipeline_);
}

void SendPipeline::countSinks(const char *prefix, int copies, Stream stream) {
  for (int copy = 0; copy < copies; ++copy) {
    withElement(pipeline_, prefix + std::to_string(copy), [&](GstElement *sink) {
      GstPad *pad = gst_element_get_static_pad(sink, "sink");
      auto *probe = new SinkProbe{&traffic_[static_cast<int>(stream)], copy == 0, stream != Stream::Audio};
      gst_pad_add_probe(pad, static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
                        onSinkData, probe, [](gpointer data) { delete static_cast<SinkProbe *>(data); });
      gst_object_unref(pad);
    });
  }
}

void SendPipeline::pace(const char *element, int bitsPerSecond, Stream stream) {
  RatePacer &pacer = pacers_[static_cast<int>(stream)];
  pacer.setRate(bitsPerSecond);
  withElement(pipeline_, element, [&](GstElement *identity) {
    GstPad *pad = gst_element_get_static_pad(identity, "src");
    gst_pad_add_probe(pad, static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
                      onPacedData, &pacer, nullptr);
    gst_object_unref(pad);
  });
}

bool SendPipeline::setRates(const LiveRates &rates) {
  bool live = true;
  const std::pair<const char *, int> targets[] = {{"venc", rates.videoTarget}, {"aenc", rates.audioTarget}};
  for (const auto &[name, target] : targets)
    withElement(pipeline_, name, [&](GstElement *encoder) { live = setEncoderRate(encoder, target) && live; });
  pacers_[static_cast<int>(Stream::Video)].setRate(rates.videoCap);
  pacers_[static_cast<int>(Stream::Audio)].setRate(rates.audioCap);
  return live;
}

void SendPipeline::meterAudio(LevelMeter &meter) {
  withElement(pipeline_, "ameter", [&](GstElement *identity) {
    GstPad *pad = gst_element_get_static_pad(identity, "src");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, onRawAudio, &meter, nullptr);
    gst_object_unref(pad);
  });
}

void SendPipeline::handOverFrames(PreviewFrames &frames) {
  withElement(pipeline_, "frames", [&](GstElement *sink) {
    GstPad *pad = gst_element_get_static_pad(sink, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, onPreviewFrame, &frames, nullptr);
    gst_object_unref(pad);
  });
}

// The end of a file reaches only its own branch; the live branches keep the pipeline from ending.
void SendPipeline::watchForEnd(const char *source, Stream stream) {
  withElement(pipeline_, source, [&](GstElement *element) {
    GstPad *pad = gst_element_get_static_pad(element, "src");
    gst_pad_add_probe(
        pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM,
        [](GstPad *, GstPadProbeInfo *info, gpointer data) {
          ProbeScope scope;
          if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) == GST_EVENT_EOS)
            static_cast<std::atomic<bool> *>(data)->store(true);
          return GST_PAD_PROBE_OK;
        },
        &ended_[static_cast<int>(stream)], nullptr);
    gst_object_unref(pad);
  });
}

void SendPipeline::setCaption(const std::string &text, bool on) {
  if (captionSet_ && text == caption_ && on == captionOn_) return;
  withElement(pipeline_, "caption", [&](GstElement *overlay) {
    g_object_set(overlay, "text", text.c_str(), "silent", on && !text.empty() ? FALSE : TRUE, nullptr);
  });
  caption_ = text;
  captionOn_ = on;
  captionSet_ = true;
}

void SendPipeline::setFocus(const FocusLook &look) {
  if (focus_) focus_->setLook(look);
}

std::optional<EngineError> SendPipeline::poll(int timeoutMs) {
  GstBus *bus = gst_element_get_bus(pipeline_);
  std::optional<EngineError> result;
  const auto types = static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_EOS);
  GstMessage *message = gst_bus_timed_pop_filtered(bus, static_cast<GstClockTime>(timeoutMs) * GST_MSECOND, types);
  if (message) {
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
      result = errorFrom(message);
    else
      result = EngineError{63, OVSENDER_ERROR_WRONG_CAPTURE, "The source ended."};
    gst_message_unref(message);
  }
  gst_object_unref(bus);
  return result;
}

}  // namespace ovgst
