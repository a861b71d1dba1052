// What the plugin tests share: GStreamer set up on a private registry with
// the plugin loaded, the filter modules registered in a temporary OSTREL_HOME
// by the plugin itself, pipelines of appsrc → element → appsink, and the same
// filter driven directly through the test graph for the expected bytes.
#pragma once

#include "media_type.h"

#include <gst/gst.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Pseudo-random picture bytes, different for each seed.
Bytes TestPicture(std::size_t bytes, unsigned seed);
// The same picture with its rows in the other order.
Bytes Flipped(const Bytes& frame, std::size_t rowBytes);
// video/x-raw caps of `format` (BGR or RGB15).
GstCaps* VideoCaps(const char* format, int width, int height, int fps = 30);

struct OutputBuffer {
    Bytes bytes;
    GstClockTime pts;
    GstClockTime duration;
};

// How the test feeds the element's inputs.
enum class Feed {
    AppSrc,  // each from an appsrc's own streaming thread
    Pad,     // each from a pad of the test's own: a push returns once the element is done with the buffer
};

// in0 … inN-1 → element → appsink, playing once Start succeeds.
class ElementRun {
public:
    ElementRun(const std::string& factory, int inputs, const std::string& properties = "", Feed feed = Feed::AppSrc);
    ~ElementRun();
    ElementRun(const ElementRun&) = delete;
    ElementRun& operator=(const ElementRun&) = delete;

    GstElement* Element() const { return m_element; }
    // Sets caps on every input and the pipeline playing.
    bool Start(const std::vector<GstCaps*>& caps);
    void Push(int input, const Bytes& bytes, GstClockTime pts, GstClockTime duration);
    void EndInputs();
    // A flush from input `input`'s source, as a seek makes one.
    void Flush(int input);
    // Everything that reached the sink until end of stream (or `timeoutMs`).
    std::vector<OutputBuffer> Collect(int timeoutMs = 5000);
    // What reached the sink, up to `count` buffers.
    std::vector<OutputBuffer> Collect(int timeoutMs, std::size_t count);
    bool SawEndOfStream() const { return m_eos; }
    // The text of the first error on the bus within `timeoutMs`, else empty.
    std::string WaitForError(int timeoutMs = 3000);

private:
    GstElement* m_pipeline = nullptr;
    GstElement* m_element = nullptr;
    std::vector<GstElement*> m_sources;
    std::vector<GstPad*> m_feeds;
    GstElement* m_sink = nullptr;
    bool m_eos = false;
};

// The outputs of the filter `clsid` fed `frames[i]` on its input i, all of
// `type`, through the test graph. In-place filters run to end of stream;
// the others until their output has been quiet for a while.
std::vector<Bytes> DriveThroughTestGraph(REFCLSID clsid, const CMediaType& type,
                                         const std::vector<std::vector<Bytes>>& frames);
