#include "PluginTestSupport.h"

#include "ElementTable.h"
#include "TempHome.h"
#include "ThreadHandOff.h"
#include "VideoCaps.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "objbase.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <thread>

namespace {

// GStreamer is set up once per process, only when tests run (not when they
// are listed), on a registry of its own.
class GstEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        // ctest gives every test process one home, so the modules register
        // once per build; run by hand, a fresh home is used.
        const char* given = std::getenv("OSTREL_HOME");
        if (!given || !*given) m_home = std::make_unique<TempHome>();
        m_registry =
            (std::filesystem::temp_directory_path() / ("ostrel-gst-registry-" + std::to_string(::getpid()))).string();
        ::setenv("GST_REGISTRY", m_registry.c_str(), 1);
        // No scan of every installed plugin (most of a second per test
        // process): the system path leads nowhere, and the two plugins the
        // tests use are loaded by file.
        ::setenv("GST_PLUGIN_SYSTEM_PATH_1_0", (m_registry + ".none").c_str(), 1);
        ::unsetenv("GST_PLUGIN_PATH_1_0");
        ::unsetenv("GST_PLUGIN_PATH");
        gst_init(nullptr, nullptr);
        for (const char* file : {OSTREL_APP_PLUGIN_FILE, OSTREL_PLUGIN_FILE}) {
            GError* error = nullptr;
            GstPlugin* plugin = gst_plugin_load_file(file, &error);
            ASSERT_NE(plugin, nullptr) << file << ": " << (error ? error->message : "");
            gst_object_unref(plugin);
        }
        // Making each element once registers its module in the fresh home,
        // as it would for a user straight after a build.
        for (int i = 0; i < kElementSpecCount; ++i) {
            GstElement* element = gst_element_factory_make(kElementDescriptions[i].elementName, nullptr);
            ASSERT_NE(element, nullptr) << kElementDescriptions[i].elementName;
            gst_object_unref(element);
        }
    }
    // No gst_deinit: it drops GLib's pointers to memory GLib keeps for the
    // process (interned strings), which the leak checker then reports.
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove(m_registry, ec);
        m_home.reset();
    }

private:
    std::unique_ptr<TempHome> m_home;
    std::string m_registry;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GstEnvironment);
    return RUN_ALL_TESTS();
}

Bytes TestPicture(std::size_t bytes, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes picture(bytes);
    for (auto& b : picture) b = static_cast<std::uint8_t>(random());
    return picture;
}

Bytes Flipped(const Bytes& frame, std::size_t rowBytes)
{
    Bytes flipped(frame.size());
    const std::size_t rows = frame.size() / rowBytes;
    for (std::size_t r = 0; r < rows; ++r)
        std::copy_n(frame.begin() + static_cast<long>(r * rowBytes), rowBytes,
                    flipped.begin() + static_cast<long>((rows - 1 - r) * rowBytes));
    return flipped;
}

GstCaps* VideoCaps(const char* format, int width, int height, int fps)
{
    return gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, format, "width", G_TYPE_INT, width, "height",
                               G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, fps, 1, nullptr);
}

ElementRun::ElementRun(const std::string& factory, int inputs, const std::string& properties, Feed feed)
{
    // Fed from the test's thread, the sink must not hold end of stream back
    // until that thread has pulled every buffer.
    std::string description = factory + " name=e " + properties + " ! appsink name=out sync=false" +
                              (feed == Feed::Pad ? " wait-on-eos=false" : "");
    const ElementDescription* element = nullptr;
    for (int i = 0; i < kElementSpecCount; ++i)
        if (factory == kElementDescriptions[i].elementName) element = &kElementDescriptions[i];
    for (int i = 0; i < inputs && feed == Feed::AppSrc; ++i) {
        const std::string pad = element ? SinkPadName(*element, i) : "sink_" + std::to_string(i);
        description += " appsrc name=in" + std::to_string(i) + " format=time ! e." + pad;
    }
    GError* error = nullptr;
    m_pipeline = gst_parse_launch(description.c_str(), &error);
    EXPECT_NE(m_pipeline, nullptr) << (error ? error->message : "");
    if (error) g_error_free(error);
    if (!m_pipeline) return;
    m_element = gst_bin_get_by_name(GST_BIN(m_pipeline), "e");
    m_sink = gst_bin_get_by_name(GST_BIN(m_pipeline), "out");
    for (int i = 0; i < inputs && feed == Feed::AppSrc; ++i)
        m_sources.push_back(gst_bin_get_by_name(GST_BIN(m_pipeline), ("in" + std::to_string(i)).c_str()));
    for (int i = 0; i < inputs && feed == Feed::Pad; ++i) {
        GstPad* pad = gst_pad_new(("in" + std::to_string(i)).c_str(), GST_PAD_SRC);
        GstPad* sink = gst_element_get_static_pad(m_element, SinkPadName(*element, i).c_str());
        EXPECT_EQ(gst_pad_link(pad, sink), GST_PAD_LINK_OK);
        gst_object_unref(sink);
        m_feeds.push_back(pad);
    }
}

ElementRun::~ElementRun()
{
    if (!m_pipeline) return;
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    for (GstPad* feed : m_feeds) {
        gst_pad_set_active(feed, FALSE);
        gst_object_unref(feed);
    }
    for (GstElement* source : m_sources) gst_object_unref(source);
    gst_object_unref(m_sink);
    gst_object_unref(m_element);
    gst_object_unref(m_pipeline);
}

bool ElementRun::Start(const std::vector<GstCaps*>& caps)
{
    for (std::size_t i = 0; i < m_sources.size() && i < caps.size(); ++i) {
        gst_app_src_set_caps(GST_APP_SRC(m_sources[i]), caps[i]);
        gst_caps_unref(caps[i]);
    }
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) return false;
    bool negotiated = true;
    for (std::size_t i = 0; i < m_feeds.size() && i < caps.size(); ++i) {
        GstPad* feed = m_feeds[i];
        gst_pad_set_active(feed, TRUE);
        gst_pad_push_event(feed, gst_event_new_stream_start(GST_PAD_NAME(feed)));
        negotiated = gst_pad_push_event(feed, gst_event_new_caps(caps[i])) && negotiated;
        gst_caps_unref(caps[i]);
        GstSegment segment;
        gst_segment_init(&segment, GST_FORMAT_TIME);
        gst_pad_push_event(feed, gst_event_new_segment(&segment));
    }
    return negotiated;
}

void ElementRun::Push(int input, const Bytes& bytes, GstClockTime pts, GstClockTime duration)
{
    GstBuffer* buffer = gst_buffer_new_memdup(bytes.data(), bytes.size());
    GST_BUFFER_PTS(buffer) = pts;
    GST_BUFFER_DURATION(buffer) = duration;
    const auto k = static_cast<std::size_t>(input);
    HandingOver(buffer);
    if (k < m_feeds.size())
        gst_pad_push(m_feeds[k], buffer);
    else
        gst_app_src_push_buffer(GST_APP_SRC(m_sources[k]), buffer);
}

void ElementRun::EndInputs()
{
    for (GstPad* feed : m_feeds) gst_pad_push_event(feed, gst_event_new_eos());
    for (GstElement* source : m_sources) gst_app_src_end_of_stream(GST_APP_SRC(source));
}

void ElementRun::Flush(int input)
{
    const auto k = static_cast<std::size_t>(input);
    GstPad* pad = k < m_feeds.size() ? GST_PAD(gst_object_ref(m_feeds[k]))
                                     : gst_element_get_static_pad(m_sources[k], "src");
    gst_pad_push_event(pad, gst_event_new_flush_start());
    gst_pad_push_event(pad, gst_event_new_flush_stop(TRUE));
    gst_object_unref(pad);
}

std::vector<OutputBuffer> ElementRun::Collect(int timeoutMs) { return Collect(timeoutMs, SIZE_MAX); }

std::vector<OutputBuffer> ElementRun::Collect(int timeoutMs, std::size_t count)
{
    std::vector<OutputBuffer> outputs;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (outputs.size() < count && std::chrono::steady_clock::now() < deadline) {
        GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(m_sink), 20 * GST_MSECOND);
        if (!sample) {
            if (gst_app_sink_is_eos(GST_APP_SINK(m_sink))) {
                m_eos = true;
                break;
            }
            continue;
        }
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        TakingOver(buffer);
        OutputBuffer out{Bytes(gst_buffer_get_size(buffer)), GST_BUFFER_PTS(buffer), GST_BUFFER_DURATION(buffer)};
        gst_buffer_extract(buffer, 0, out.bytes.data(), out.bytes.size());
        outputs.push_back(std::move(out));
        // Back to the element's pool, for its next frame.
        HandingOver(buffer);
        gst_sample_unref(sample);
    }
    return outputs;
}

std::string ElementRun::WaitForError(int timeoutMs)
{
    GstBus* bus = gst_element_get_bus(m_pipeline);
    GstMessage* message =
        gst_bus_timed_pop_filtered(bus, static_cast<GstClockTime>(timeoutMs) * GST_MSECOND, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message) return {};
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    std::string text = error->message;
    g_error_free(error);
    g_free(debug);
    gst_message_unref(message);
    return text;
}

std::vector<Bytes> DriveThroughTestGraph(REFCLSID clsid, const CMediaType& type,
                                         const std::vector<std::vector<Bytes>>& frames)
{
    ComPtr<CFilterGraph> graph;
    EXPECT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(graph->AddFilterByClsid(clsid, u"Filter", filter.Out()), S_OK);
    if (!filter) return {};
    std::vector<ComPtr<IPin>> inputs;
    ComPtr<IPin> output;
    ComPtr<IEnumPins> pins;
    filter->EnumPins(pins.Out());
    for (ComPtr<IPin> pin; pins->Next(1, pin.Out(), nullptr) == S_OK;) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        pin->QueryDirection(&direction);
        (direction == PINDIR_INPUT ? inputs.emplace_back() : output) = pin;
    }
    const bool oneInput = frames.size() == 1;
    std::vector<ComPtr<CPushSource>> sources;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        PushSourceConfig config;
        config.types = {type};
        for (const Bytes& data : frames[i]) {
            // Stamped as the element tests stamp theirs: 30 frames a second from 0.
            TestFrame frame;
            frame.data = data;
            frame.timed = true;
            frame.start = static_cast<REFERENCE_TIME>(config.frames.size()) * 333333;
            frame.stop = frame.start + 333333;
            config.frames.push_back(std::move(frame));
        }
        config.endOfStream = oneInput;
        sources.push_back(ComPtr<CPushSource>::Adopt(CPushSource::Create(config)));
        graph->AddFilter(sources.back().Get(), nullptr);
        EXPECT_EQ(graph->ConnectDirect(sources.back()->Stream(), inputs[i].Get(), &type), S_OK);
    }
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    graph->AddFilter(sink.Get(), u"Sink");
    EXPECT_EQ(graph->ConnectDirect(output.Get(), sink->Input(), nullptr), S_OK);
    EXPECT_EQ(graph->Run(), S_OK);
    if (oneInput) {
        EXPECT_TRUE(sink->WaitForEndOfStream(5000));
    } else {
        // Composing filters send no end of stream: wait until they go quiet.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        std::size_t seen = 0;
        do {
            seen = sink->SampleCount();
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        } while ((seen == 0 || sink->SampleCount() != seen) && std::chrono::steady_clock::now() < deadline);
    }
    graph->Stop();
    graph->DisconnectAll();
    std::vector<Bytes> outputs;
    for (const ReceivedSample& sample : sink->Samples()) outputs.push_back(sample.data);
    return outputs;
}
