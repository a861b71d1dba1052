// Release error of the Synchronizing Buffer: the time a sample reaches the
// downstream pin less the time it was due (its start time on the filter's
// clock), for samples stamped a few milliseconds ahead, one at a time.
#include "HoldQueueClsids.h"
#include "IHoldQueueSettings.h"
#include "LatencyCounters.h"
#include "FilterModuleTestSupport.h"
#include "filter_graph.h"
#include "pin_interfaces.h"
#include "push_source.h"
#include "recording_sink.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A bare sample with a start time, handed straight to the filter's input.
class TimedSample final : public IMediaSample {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IMediaSample ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetPointer(BYTE** buffer) override
    {
        *buffer = data;
        return S_OK;
    }
    STDMETHODIMP_(LONG) GetSize() override { return sizeof data; }
    STDMETHODIMP GetTime(REFERENCE_TIME* begin, REFERENCE_TIME* end) override
    {
        *begin = start;
        *end = start + 1;
        return S_OK;
    }
    STDMETHODIMP SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return S_OK; }
    STDMETHODIMP IsSyncPoint() override { return S_OK; }
    STDMETHODIMP SetSyncPoint(BOOL) override { return S_OK; }
    STDMETHODIMP IsPreroll() override { return S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL) override { return S_OK; }
    STDMETHODIMP_(LONG) GetActualDataLength() override { return sizeof data; }
    STDMETHODIMP SetActualDataLength(LONG) override { return S_OK; }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override
    {
        *type = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP IsDiscontinuity() override { return S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL) override { return S_OK; }
    STDMETHODIMP GetMediaTime(LONGLONG*, LONGLONG*) override { return VFW_E_MEDIA_TIME_NOT_SET; }
    STDMETHODIMP SetMediaTime(LONGLONG*, LONGLONG*) override { return S_OK; }

    BYTE data[188] = {};
    REFERENCE_TIME start = 0;
};

CMediaType StreamType()
{
    CMediaType type;
    type.majortype = MEDIATYPE_Stream;
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 0;
    return type;
}

void BM_HoldQueueReleaseError(benchmark::State& state)
{
    const auto lead = std::chrono::microseconds(state.range(0));
    RegisteredModule module(OSTREL_HOLDQUEUE_MODULE);
    ComPtr<CFilterGraph> graph;
    CFilterGraph::Create(graph.Out());
    ComPtr<IBaseFilter> filter;
    graph->AddFilterByClsid(CLSID_HoldQueue, u"Synchronizing Buffer", filter.Out());
    auto settings = filter.As<IHoldQueueSettings>(IID_IHoldQueueSettings);
    // The source only makes the connection; samples go in below, one by one.
    PushSourceConfig config;
    config.types = {StreamType()};
    config.bufferSize = 188;
    config.endOfStream = false;
    auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    graph->AddFilter(source.Get(), u"Source");
    graph->AddFilter(sink.Get(), u"Sink");
    if (!settings || FAILED(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In")) ||
        FAILED(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input")) || FAILED(graph->Run())) {
        state.SkipWithError("cannot build the graph");
        return;
    }
    ComPtr<IPin> input;
    filter->FindPin(u"In", input.Out());
    auto memInput = input.As<IMemInputPin>(IID_IMemInputPin);

    std::vector<Clock::time_point> due;
    TimedSample sample;
    for (auto _ : state) {
        LONGLONG now = 0;
        settings->GetAbsoluteTime(&now);
        const Clock::time_point steadyNow = Clock::now();
        sample.start = now + std::chrono::duration_cast<std::chrono::nanoseconds>(lead).count() / 100;
        due.push_back(steadyNow + lead);
        memInput->Receive(&sample);
        if (!sink->WaitForSamples(due.size(), 5000)) {
            state.SkipWithError("a sample was not released");
            break;
        }
    }
    graph->Stop();
    const auto samples = sink->Samples();
    std::vector<double> errors;
    for (std::size_t i = 0; i < samples.size() && i < due.size(); ++i)
        errors.push_back(std::chrono::duration<double, std::micro>(samples[i].arrived - due[i]).count());
    ReportLatencies(state, errors);
    graph->DisconnectAll();
}

// Leads of 5 ms and of 0.3 ms (due before the filter looks again).
BENCHMARK(BM_HoldQueueReleaseError)->Arg(5000)->Arg(300)->Iterations(400)->Unit(benchmark::kMillisecond);

} // namespace
