#include "ElementDriver.h"

#include "BenchFrames.h"

#include <gst/app/gstappsink.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr guint kPoolBuffers = 8;

void FillWithPattern(GstBuffer* buffer, const std::vector<std::uint8_t>& pattern)
{
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_WRITE)) return;
    for (std::size_t done = 0; done < map.size; done += pattern.size())
        std::memcpy(map.data + done, pattern.data(), std::min(pattern.size(), map.size - done));
    gst_buffer_unmap(buffer, &map);
}

} // namespace

ElementDriver::ElementDriver(const char* factory, int width, int height, const std::vector<ElementProperty>& properties)
    : m_frameBytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
{
    m_pipeline = gst_pipeline_new(nullptr);
    m_element = gst_element_factory_make(factory, nullptr);
    m_sink = gst_element_factory_make("appsink", nullptr);
    if (!m_element || !m_sink) {
        if (m_element) gst_object_unref(m_element);
        if (m_sink) gst_object_unref(m_sink);
        return;
    }
    for (const ElementProperty& property : properties) g_object_set(m_element, property.name, property.value, nullptr);
    g_object_set(m_sink, "sync", FALSE, "max-buffers", 4u, "drop", TRUE, nullptr);
    gst_bin_add_many(GST_BIN(m_pipeline), m_element, m_sink, nullptr);
    if (!gst_element_link(m_element, m_sink)) return;
    GstPad* src = gst_element_get_static_pad(m_element, "src");
    gst_pad_add_probe(src, GST_PAD_PROBE_TYPE_BUFFER, &CountOutput, &m_outputs, nullptr);
    gst_object_unref(src);
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) return;
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGR", "width", G_TYPE_INT, width,
                                        "height", G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, 30, 1, nullptr);
    StartFeeds(caps);
    gst_caps_unref(caps);
    StartPool();
    m_ready = !m_feeds.empty();
}

ElementDriver::~ElementDriver()
{
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    for (GstPad* feed : m_feeds) gst_object_unref(feed);
    if (m_pool) {
        gst_buffer_pool_set_active(m_pool, FALSE);
        gst_object_unref(m_pool);
    }
    gst_object_unref(m_pipeline);
}

// One feed for each sink pad, in the element's pad order.
void ElementDriver::StartFeeds(GstCaps* caps)
{
    for (GList* l = GST_ELEMENT(m_element)->sinkpads; l; l = l->next) {
        GstPad* feed = gst_pad_new(nullptr, GST_PAD_SRC);
        gst_pad_set_active(feed, TRUE);
        gst_pad_link(feed, GST_PAD(l->data));
        gst_pad_push_event(feed, gst_event_new_stream_start("bench"));
        gst_pad_push_event(feed, gst_event_new_caps(caps));
        GstSegment segment;
        gst_segment_init(&segment, GST_FORMAT_TIME);
        gst_pad_push_event(feed, gst_event_new_segment(&segment));
        m_feeds.push_back(feed);
    }
}

// Every buffer of the pool starts out holding the pattern; in-place
// elements then work on their own earlier output, as the kernels do.
void ElementDriver::StartPool()
{
    m_pool = gst_buffer_pool_new();
    GstStructure* config = gst_buffer_pool_get_config(m_pool);
    gst_buffer_pool_config_set_params(config, nullptr, static_cast<guint>(m_frameBytes), kPoolBuffers, 0);
    gst_buffer_pool_set_config(m_pool, config);
    gst_buffer_pool_set_active(m_pool, TRUE);
    const std::vector<std::uint8_t> pattern = bench_frames::Pattern();
    std::vector<GstBuffer*> buffers;
    for (guint i = 0; i < kPoolBuffers; ++i) {
        GstBuffer* buffer = nullptr;
        if (gst_buffer_pool_acquire_buffer(m_pool, &buffer, nullptr) != GST_FLOW_OK) break;
        FillWithPattern(buffer, pattern);
        buffers.push_back(buffer);
    }
    for (GstBuffer* buffer : buffers) gst_buffer_unref(buffer);
}

void ElementDriver::Push(std::size_t input, GstClockTime pts)
{
    GstBuffer* buffer = nullptr;
    if (gst_buffer_pool_acquire_buffer(m_pool, &buffer, nullptr) != GST_FLOW_OK) return;
    GST_BUFFER_PTS(buffer) = pts;
    GST_BUFFER_DURATION(buffer) = GST_SECOND / 30;
    gst_pad_push(m_feeds[input], buffer);
}

void ElementDriver::Pull()
{
    if (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(m_sink), GST_SECOND)) gst_sample_unref(sample);
}

GstPadProbeReturn ElementDriver::CountOutput(GstPad*, GstPadProbeInfo*, gpointer outputs)
{
    ++*static_cast<std::atomic<std::size_t>*>(outputs);
    return GST_PAD_PROBE_OK;
}
