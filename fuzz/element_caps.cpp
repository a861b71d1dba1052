// The plugin's elements with caps and buffers from outside: an element runs
// in a pipeline, appsrc → element → appsink, with caps of any size, rate and
// format on its inputs and buffers of any size and times, then stops, at
// once or after a while. video_caps checks the conversions alone, faster.
#include "ElementTable.h"
#include "FuzzCheck.h"
#include "FuzzedCaps.h"
#include "OstrelElement.h"
#include "TempFolder.h"
#include "VideoCaps.h"
#include "HostedFilter.h"
#include "media_guids.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dlfcn.h>

GST_DEBUG_CATEGORY(ostrel_debug);

// GLib and GStreamer keep some memory for the whole process and free it nowhere.
extern "C" const char* __lsan_default_suppressions() { return "leak:g_intern_string\nleak:call_init\n"; }

namespace {

// Frames beyond this only slow the runs down; the faults of a size show small.
constexpr std::int64_t kMaxPipelinePixels = 256 * 256;
constexpr std::size_t kMaxBufferBytes = 1 << 18;

GstElement* Pipeline(const ElementDescription& description, std::vector<GstElement*>& sources)
{
    std::string text = std::string(description.elementName) + " name=e ! appsink name=out sync=false";
    for (int i = 0; i < description.inputs; ++i) {
        const std::string pad = description.inputs == 1 ? "sink" : "sink_" + std::to_string(i);
        text += " appsrc name=in" + std::to_string(i) + " format=time ! e." + pad;
    }
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(text.c_str(), &error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", text.c_str(), error->message);
        std::abort();
    }
    for (int i = 0; i < description.inputs; ++i)
        sources.push_back(gst_bin_get_by_name(GST_BIN(pipeline), ("in" + std::to_string(i)).c_str()));
    return pipeline;
}

void PushBuffers(FuzzedDataProvider& in, GstElement* source, const fuzzcaps::FuzzedCaps& caps)
{
    const std::size_t frameBytes = caps.width > 0 && caps.height > 0
                                       ? std::size_t(caps.width) * std::size_t(caps.height) * (caps.format == "BGR" ? 3 : 2)
                                       : 0;
    GstClockTime pts = 0;
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        const std::size_t bytes = in.ConsumeBool() ? frameBytes : in.ConsumeIntegralInRange<std::size_t>(0, kMaxBufferBytes);
        GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
        gst_buffer_memset(buffer, 0, 0x5A, bytes);
        pts = in.ConsumeBool() ? pts + 33 * GST_MSECOND : in.ConsumeIntegral<GstClockTime>();
        GST_BUFFER_PTS(buffer) = pts;
        GST_BUFFER_DURATION(buffer) = in.ConsumeBool() ? 33 * GST_MSECOND : in.ConsumeIntegral<GstClockTime>();
        gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
    }
    gst_app_src_end_of_stream(GST_APP_SRC(source));
}

void RunElement(FuzzedDataProvider& in)
{
    const ElementDescription& description = kElementDescriptions[in.ConsumeIntegralInRange(0, kElementSpecCount - 1)];
    std::vector<GstElement*> sources;
    GstElement* pipeline = Pipeline(description, sources);
    std::vector<fuzzcaps::FuzzedCaps> caps;
    for (GstElement* source : sources) {
        caps.push_back(fuzzcaps::Caps(in, true));
        if (std::int64_t(caps.back().width) * caps.back().height > kMaxPipelinePixels) caps.back().width = 1;
        GstCaps* gstCaps = fuzzcaps::ToGst(caps.back());
        gst_app_src_set_caps(GST_APP_SRC(source), gstCaps);
        gst_caps_unref(gstCaps);
    }
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        for (std::size_t i = 0; i < sources.size(); ++i) PushBuffers(in, sources[i], caps[i]);
        GstBus* bus = gst_element_get_bus(pipeline);
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, in.ConsumeIntegralInRange<GstClockTime>(0, 100) * GST_MSECOND,
            GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        if (message) gst_message_unref(message);
        gst_object_unref(bus);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    for (GstElement* source : sources) gst_object_unref(source);
    gst_object_unref(pipeline);
}

gboolean RegisterElements(GstPlugin* plugin)
{
    GST_DEBUG_CATEGORY_INIT(ostrel_debug, "ostrel", 0, "Ostrel filters hosted as elements");
    for (int i = 0; i < kElementSpecCount; ++i) {
        const ElementDescription& description = kElementDescriptions[i];
        FUZZ_CHECK(FilterAvailable(description) && RegisterOstrelElement(plugin, description));
    }
    return TRUE;
}

// The elements load and unload their filter modules as filters come and go;
// the fuzzer reads each module's coverage counters after every input, so
// the modules stay loaded from the start.
void KeepModulesLoaded()
{
    for (int i = 0; i < kElementSpecCount; ++i) {
        const std::string path = PluginFolder() + "/" + kElementDescriptions[i].module;
        if (!::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            std::fprintf(stderr, "%s\n", ::dlerror());
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KeepModulesLoaded();
    // A home and plug-in registry of this run's own; no scan of the installed
    // plug-ins, only appsrc and appsink are loaded from the system.
    const std::string& folder = FuzzTempFolder();
    ::setenv("OSTREL_HOME", folder.c_str(), 1);
    ::setenv("GST_REGISTRY", (folder + "/gst-registry.bin").c_str(), 1);
    ::setenv("GST_PLUGIN_SYSTEM_PATH_1_0", (folder + "/none").c_str(), 1);
    ::unsetenv("GST_PLUGIN_PATH_1_0");
    ::unsetenv("GST_PLUGIN_PATH");
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstPlugin* app = gst_plugin_load_file(OSTREL_APP_PLUGIN_FILE, &error);
    if (!app) {
        std::fprintf(stderr, "%s: %s\n", OSTREL_APP_PLUGIN_FILE, error ? error->message : "");
        std::abort();
    }
    gst_object_unref(app);
    FUZZ_CHECK(gst_plugin_register_static(GST_VERSION_MAJOR, GST_VERSION_MINOR, "ostrel", "Ostrel filters",
                                          RegisterElements, "1.0", "Proprietary", "ostrel", "ostrel", "ostrel"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    RunElement(in);
    return 0;
}
