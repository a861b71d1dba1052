// Drives one of the plugin's elements for a benchmark: element → appsink,
// fed by source pads of our own that push straight into the element's
// chain, so nothing but the element is measured. The buffers come from a
// pool of eight holding the benchmark pattern, as a capture source's would.
#pragma once

#include <gst/gst.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// An integer property set on the element before it starts.
struct ElementProperty {
    const char* name;
    int value;
};

class ElementDriver {
public:
    // BGR frames of `width` × `height` at 30 frames a second.
    ElementDriver(const char* factory, int width, int height, const std::vector<ElementProperty>& properties = {});
    ~ElementDriver();
    ElementDriver(const ElementDriver&) = delete;
    ElementDriver& operator=(const ElementDriver&) = delete;

    // False when the element could not be made or started.
    bool Ready() const { return m_ready; }
    void Push(std::size_t input, GstClockTime pts);
    // Waits for the next output frame; a multi-input element composes on
    // its own thread.
    void Pull();
    std::size_t Inputs() const { return m_feeds.size(); }
    // Frames the element sent, including those the sink dropped.
    std::size_t Outputs() const { return m_outputs.load(); }

private:
    static GstPadProbeReturn CountOutput(GstPad*, GstPadProbeInfo*, gpointer outputs);
    void StartFeeds(GstCaps* caps);
    void StartPool();

    std::size_t m_frameBytes;
    bool m_ready = false;
    std::atomic<std::size_t> m_outputs{0};
    GstElement* m_pipeline = nullptr;
    GstElement* m_element = nullptr;
    GstElement* m_sink = nullptr;
    GstBufferPool* m_pool = nullptr;
    std::vector<GstPad*> m_feeds;
};
