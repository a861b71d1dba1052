// Streams graphs of the filter modules for a set time and reports what went
// through them: a four-input quad view fed at 60 frames per second, and a
// Synchronizing Buffer followed by a Frame Rate Controller. Memory is taken
// after a warm-up and every ten seconds after; it must not grow.
// Usage: ostrel_soak [seconds, default 600]
#include "FxBankClsids.h"
#include "HoldQueueClsids.h"
#include "IFrameRateControllerSettings.h"
#include "IHoldQueueSettings.h"
#include "IQuadView.h"
#include "QuadViewClsids.h"
#include "ResidentMemory.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "media_guids.h"
#include "media_records.h"
#include "objbase.h"
#include "push_source.h"
#include "recording_sink.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <dlfcn.h>

namespace {

constexpr LONG kWidth = 320, kHeight = 240;
constexpr DWORD kFrameIntervalMs = 16;  // a little over 60 frames per second

CMediaType Rgb24Type()
{
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = 166667;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biSizeImage = kWidth * kHeight * 3;
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = info.bmiHeader.biSizeImage;
    type.SetFormat(&info, sizeof info);
    return type;
}

// Registers the modules beside this program in a registry of its own.
bool RegisterModules(const std::filesystem::path& folder)
{
    for (const char* name : {"quadview.so", "holdqueue.so", "fxbank.so"}) {
        const std::string path = (folder / name).string();
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        auto registerServer =
            module ? reinterpret_cast<DllRegisterServerFunction>(::dlsym(module, "DllRegisterServer")) : nullptr;
        if (!registerServer || registerServer() != S_OK) {
            std::fprintf(stderr, "cannot register %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

struct Chain {
    std::string name;
    ComPtr<CFilterGraph> graph;
    std::vector<ComPtr<CPushSource>> sources;
    ComPtr<CRecordingSink> sink;
    std::vector<std::string> errors;

    std::size_t FramesIn() const
    {
        std::size_t frames = 0;
        for (const auto& source : sources) frames += source->FramesDelivered();
        return frames;
    }
};

ComPtr<CPushSource> LoopingSource()
{
    PushSourceConfig config;
    config.types = {Rgb24Type()};
    config.frames.resize(4);
    for (std::size_t i = 0; i < config.frames.size(); ++i)
        config.frames[i].data.assign(std::size_t(kWidth) * kHeight * 3, BYTE(0x40 * i));
    config.loop = true;
    config.intervalMs = kFrameIntervalMs;
    config.endOfStream = false;
    return ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
}

std::string Hex(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value) & 0xFFFFFFFFul);
    return text;
}

void Check(Chain& chain, HRESULT hr, const char* step)
{
    if (FAILED(hr)) chain.errors.push_back(std::string(step) + " failed: " + Hex(hr));
}

// Nothing is kept at the sink, so only the filters can make memory grow.
ComPtr<CRecordingSink> CountingSink()
{
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    sink->AnswerAfter(0, S_OK);
    return sink;
}

Chain QuadChain()
{
    Chain chain{"quad view, 4 inputs at 60 fps", {}, {}, CountingSink(), {}};
    CFilterGraph::Create(chain.graph.Out());
    ComPtr<IBaseFilter> quad;
    Check(chain, chain.graph->AddFilterByClsid(CLSID_QuadView, u"QuadView", quad.Out()), "creating the quad view");
    if (!quad) return chain;
    Check(chain, quad.As<IQuadView>(IID_IQuadView)->SetMaxFrameRate(60), "setting the frame rate");
    for (int i = 0; i < 4; ++i) {
        chain.sources.push_back(LoopingSource());
        const std::u16string id = u"In" + std::u16string(1, char16_t(u'0' + i));
        Check(chain, chain.graph->AddFilter(chain.sources.back().Get(), (u"Source " + id).c_str()), "adding a source");
        Check(chain, chain.graph->ConnectPins(chain.sources.back().Get(), u"Output", quad.Get(), id.c_str()),
              "connecting an input");
    }
    Check(chain, chain.graph->AddFilter(chain.sink.Get(), u"Sink"), "adding the sink");
    Check(chain, chain.graph->ConnectPins(quad.Get(), u"Out", chain.sink.Get(), u"Input"), "connecting the output");
    return chain;
}

// The filters' own pin ids differ; connects the first output to the first input.
HRESULT ConnectFirstPins(CFilterGraph& graph, IBaseFilter* from, IBaseFilter* to)
{
    const auto first = [](IBaseFilter* filter, PIN_DIRECTION wanted) {
        ComPtr<IEnumPins> pins;
        ComPtr<IPin> pin;
        if (filter->EnumPins(pins.Out()) != S_OK) return pin;
        while (pins->Next(1, pin.Out(), nullptr) == S_OK) {
            PIN_DIRECTION direction{};
            if (pin->QueryDirection(&direction) == S_OK && direction == wanted) return pin;
        }
        return ComPtr<IPin>();
    };
    const ComPtr<IPin> output = first(from, PINDIR_OUTPUT), input = first(to, PINDIR_INPUT);
    return output && input ? graph.ConnectDirect(output.Get(), input.Get(), nullptr) : E_FAIL;
}

Chain BufferChain()
{
    Chain chain{"Synchronizing Buffer + Frame Rate Controller at 30 fps", {}, {LoopingSource()}, CountingSink(), {}};
    CFilterGraph::Create(chain.graph.Out());
    ComPtr<IBaseFilter> buffer, rate;
    Check(chain, chain.graph->AddFilterByClsid(CLSID_HoldQueue, u"Buffer", buffer.Out()), "creating the buffer");
    Check(chain, chain.graph->AddFilterByClsid(CLSID_FrameControl, u"Rate", rate.Out()), "creating the controller");
    if (!buffer || !rate) return chain;
    Check(chain, rate.As<IFrameRateControl>(IID_IFrameRateControl)->SetFrameRate(30),
          "setting the frame rate");
    Check(chain, chain.graph->AddFilter(chain.sources[0].Get(), u"Source"), "adding the source");
    Check(chain, chain.graph->AddFilter(chain.sink.Get(), u"Sink"), "adding the sink");
    Check(chain, ConnectFirstPins(*chain.graph.Get(), chain.sources[0].Get(), buffer.Get()), "connecting the buffer");
    Check(chain, ConnectFirstPins(*chain.graph.Get(), buffer.Get(), rate.Get()), "connecting the controller");
    Check(chain, ConnectFirstPins(*chain.graph.Get(), rate.Get(), chain.sink.Get()), "connecting the sink");
    return chain;
}

void CollectGraphErrors(Chain& chain)
{
    for (const GraphEvent& event : chain.graph->Events())
        if (event.code == EC_ERRORABORT) chain.errors.push_back("the graph aborted: " + Hex(long(event.param1)));
    const HRESULT last = chain.sources.empty() ? S_OK : chain.sources[0]->LastDeliveryResult();
    if (FAILED(last)) chain.errors.push_back("a delivery failed: " + Hex(last));
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds]\n", argv[0]);
        return 2;
    }
    std::string home = (std::filesystem::temp_directory_path() / "ostrel-soak-XXXXXX").string();
    if (!::mkdtemp(home.data())) return 2;
    ::setenv("OSTREL_HOME", home.c_str(), 1);
    if (!RegisterModules(std::filesystem::canonical("/proc/self/exe").parent_path())) return 2;

    std::vector<Chain> chains;
    chains.push_back(QuadChain());
    chains.push_back(BufferChain());
    for (Chain& chain : chains) Check(chain, chain.graph->Run(), "running the graph");

    const auto begin = std::chrono::steady_clock::now();
    const int warmUp = std::min(30, std::max(1, seconds / 10));
    std::this_thread::sleep_for(std::chrono::seconds(warmUp));
    const double startMb = ResidentMb();
    std::vector<std::size_t> inAtStart, outAtStart;
    for (const Chain& chain : chains) inAtStart.push_back(chain.FramesIn()), outAtStart.push_back(chain.sink->ReceivedCount());
    const auto measured = std::chrono::steady_clock::now();
    // Memory every ten seconds, judged by its trend (see ResidentMemory.h).
    std::vector<double> memory{startMb};
    for (int second = warmUp + 10; second <= seconds; second += 10) {
        std::this_thread::sleep_until(begin + std::chrono::seconds(second));
        memory.push_back(ResidentMb());
    }
    std::this_thread::sleep_until(begin + std::chrono::seconds(seconds));
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - measured).count();
    const double endMb = ResidentMb();

    bool failed = false;
    std::printf("soak: %d s (%d s warm-up, then %.0f s measured)\n", seconds, warmUp, elapsed);
    for (std::size_t i = 0; i < chains.size(); ++i) {
        Chain& chain = chains[i];
        const std::size_t in = chain.FramesIn() - inAtStart[i], out = chain.sink->ReceivedCount() - outAtStart[i];
        CollectGraphErrors(chain);  // before stopping, which fails deliveries on purpose
        chain.graph->Stop();
        std::printf("  %s: %zu frames in (%.1f/s), %zu frames out (%.1f/s)\n", chain.name.c_str(), in, in / elapsed,
                    out, out / elapsed);
        if (out == 0) chain.errors.push_back("no frame came out");
        for (const std::string& error : chain.errors) std::printf("    error: %s\n", error.c_str());
        failed = failed || !chain.errors.empty();
        chain.graph->DisconnectAll();
    }
    const MemoryTrend trend = TrendOf(memory);
    std::printf("  resident memory: %.1f MB after warm-up, %.1f MB at the end; over the measured time %+.1f MB "
                "(median of the first third of %zu samples against the last), peak %.1f MB\n",
                startMb, endMb, trend.growthMb, memory.size(), trend.peakMb);
    if (trend.growthMb > kAllowedGrowthMb) {
        std::printf("    error: memory grew by more than %.0f MB\n", kAllowedGrowthMb);
        failed = true;
    }
    std::filesystem::remove_all(home);
    return failed ? 1 : 0;
}
