// Media types and samples into every filter: the inputs are offered video
// types with any VIDEOINFOHEADER (zero, negative and huge sizes, odd bit
// counts, image sizes that do not match, short format blocks), and the
// accepted connections carry samples of any length and times, some with a
// type change, through a running graph to a sink.
#include "FilterClasses.h"
#include "FuzzCheck.h"
#include "filter_graph.h"
#include "media_guids.h"
#include "media_records.h"
#include "push_source.h"
#include "recording_sink.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Larger frames only slow the fuzzer down: the faults of a size show with
// small pictures too.
constexpr LONG kMaxFrameBytes = 1 << 20;

const GUID kSubtypes[] = {MEDIASUBTYPE_RGB24, MEDIASUBTYPE_RGB32, MEDIASUBTYPE_ARGB32, MEDIASUBTYPE_RGB565,
                          MEDIASUBTYPE_RGB555, MEDIASUBTYPE_RGB8, MEDIASUBTYPE_YUY2, MEDIASUBTYPE_UYVY,
                          MEDIASUBTYPE_YV12, MEDIASUBTYPE_NULL};
const GUID kFormats[] = {FORMAT_VideoInfo, FORMAT_VideoInfo, FORMAT_VideoInfo, FORMAT_VideoInfo2, FORMAT_None};
const WORD kBitCounts[] = {24, 32, 16, 8, 12, 15, 1, 0};

template <typename T, std::size_t N>
const T& Pick(FuzzedDataProvider& in, const T (&choices)[N])
{
    return choices[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

LONG Dimension(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return in.ConsumeIntegralInRange<LONG>(-16, 16);
    case 1: return in.ConsumeIntegralInRange<LONG>(-720, 720);
    default: return in.ConsumeIntegral<LONG>();
    }
}

// What the header says a picture takes, as a careless source would compute it.
DWORD StatedImageSize(const BITMAPINFOHEADER& bmi)
{
    const auto magnitude = [](LONG v) { return v < 0 ? 0 - std::uint64_t(v) : std::uint64_t(v); };
    return static_cast<DWORD>(magnitude(bmi.biWidth) * magnitude(bmi.biHeight) * bmi.biBitCount / 8);
}

CMediaType FuzzedType(FuzzedDataProvider& in)
{
    VIDEOINFOHEADER info{};
    if (in.ConsumeBool()) {
        info.rcSource = {in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(),
                         in.ConsumeIntegral<int16_t>()};
        info.rcTarget = info.rcSource;
    }
    info.AvgTimePerFrame = in.ConsumeBool() ? 333333 : in.ConsumeIntegral<REFERENCE_TIME>();
    BITMAPINFOHEADER& bmi = info.bmiHeader;
    bmi.biSize = in.ConsumeBool() ? sizeof bmi : in.ConsumeIntegral<DWORD>();
    bmi.biWidth = Dimension(in);
    bmi.biHeight = Dimension(in);
    bmi.biPlanes = 1;
    bmi.biBitCount = in.ConsumeBool() ? Pick(in, kBitCounts) : in.ConsumeIntegral<WORD>();
    bmi.biCompression = in.ConsumeBool() ? 0 : in.ConsumeIntegral<DWORD>();
    bmi.biSizeImage = in.ConsumeBool() ? StatedImageSize(bmi) : in.ConsumeIntegral<DWORD>();

    CMediaType type;
    type.majortype = in.ConsumeIntegralInRange(0, 7) ? MEDIATYPE_Video : MEDIATYPE_Audio;
    type.subtype = Pick(in, kSubtypes);
    type.formattype = Pick(in, kFormats);
    type.bFixedSizeSamples = in.ConsumeBool();
    type.lSampleSize = in.ConsumeBool() ? bmi.biSizeImage : in.ConsumeIntegral<ULONG>();
    const ULONG formatBytes = in.ConsumeBool() ? sizeof info : in.ConsumeIntegralInRange<ULONG>(0, sizeof info + 32);
    std::vector<BYTE> format(std::max<std::size_t>(formatBytes, sizeof info));
    std::memcpy(format.data(), &info, sizeof info);
    type.SetFormat(format.data(), formatBytes);
    return type;
}

// The picture size the type's header states, when it is one a frame may have.
LONG FittingImageSize(const CMediaType& type)
{
    if (type.cbFormat < sizeof(VIDEOINFOHEADER)) return 0;
    VIDEOINFOHEADER info;
    std::memcpy(&info, type.pbFormat, sizeof info);
    const DWORD size = info.bmiHeader.biSizeImage;
    return size <= DWORD(kMaxFrameBytes) ? LONG(size) : 0;
}

std::vector<TestFrame> FuzzedFrames(FuzzedDataProvider& in, const CMediaType& type)
{
    std::vector<TestFrame> frames(in.ConsumeIntegralInRange(0, 3));
    for (TestFrame& frame : frames) {
        const LONG length = in.ConsumeBool() ? FittingImageSize(type) : in.ConsumeIntegralInRange<LONG>(0, 4096);
        frame.data.assign(static_cast<std::size_t>(length), 0x5A);
        frame.timed = in.ConsumeBool();
        frame.start = in.ConsumeIntegral<REFERENCE_TIME>();
        const bool oneFrameLong = in.ConsumeBool() && frame.start < INT64_MAX - 333333;
        frame.stop = oneFrameLong ? frame.start + 333333 : in.ConsumeIntegral<REFERENCE_TIME>();
        frame.stopValid = in.ConsumeBool();
        frame.syncPoint = in.ConsumeBool();
        frame.discontinuity = in.ConsumeBool();
        if (in.ConsumeIntegralInRange(0, 7) == 0) frame.type = FuzzedType(in);
    }
    return frames;
}

struct Pins {
    std::vector<ComPtr<IPin>> inputs, outputs;
};

Pins PinsOf(IBaseFilter* filter)
{
    Pins pins;
    ComPtr<IEnumPins> list;
    FUZZ_CHECK(filter->EnumPins(list.Out()) == S_OK);
    ComPtr<IPin> pin;
    while (list->Next(1, pin.Out(), nullptr) == S_OK) {
        PIN_DIRECTION direction{};
        FUZZ_CHECK(pin->QueryDirection(&direction) == S_OK);
        (direction == PINDIR_INPUT ? pins.inputs : pins.outputs).push_back(pin);
    }
    return pins;
}

ComPtr<CPushSource> ConnectedSource(CFilterGraph& graph, IPin* input, FuzzedDataProvider& in, int number)
{
    PushSourceConfig config;
    config.types = {FuzzedType(in)};
    input->QueryAccept(&config.types[0]);
    config.frames = FuzzedFrames(in, config.types[0]);
    config.bufferSize = 1;
    for (const TestFrame& frame : config.frames)
        config.bufferSize = std::max(config.bufferSize, static_cast<LONG>(frame.data.size()));
    auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    const std::u16string name = u"Source " + std::u16string(1, char16_t(u'0' + number));
    FUZZ_CHECK(graph.AddFilter(source.Get(), name.c_str()) == S_OK);
    if (graph.ConnectDirect(source->GetPin(0), input, nullptr) != S_OK) return {};
    return source;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzFilterClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto filter = CreateFuzzFilter(in.ConsumeIntegral<std::uint8_t>()).As<IBaseFilter>(IID_IBaseFilter);
    FUZZ_CHECK(filter);
    ComPtr<CFilterGraph> graph;
    FUZZ_CHECK(CFilterGraph::Create(graph.Out()) == S_OK);
    FUZZ_CHECK(graph->AddFilter(filter.Get(), u"Filter") == S_OK);
    const Pins pins = PinsOf(filter.Get());
    bool connected = false;
    for (std::size_t i = 0; i < pins.inputs.size(); ++i)
        connected = ConnectedSource(*graph.Get(), pins.inputs[i].Get(), in, int(i)) || connected;
    const auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    FUZZ_CHECK(graph->AddFilter(sink.Get(), u"Sink") == S_OK);
    const bool output = !pins.outputs.empty() && graph->ConnectDirect(pins.outputs[0].Get(), sink->GetPin(0), nullptr) == S_OK;
    if (connected && graph->Run() == S_OK && output) sink->WaitForEndOfStream(100);
    graph->Stop();
    graph->DisconnectAll();
    return 0;
}
