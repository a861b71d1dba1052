// Output interval error of the Frame Rate Controller: the time between two
// frames reaching the downstream pin less the period of the set rate, with
// one 160 × 120 RGB24 input frame repeated. Each iteration waits for one
// output frame, so the time per iteration is the period.
#include "FxBankClsids.h"
#include "IFrameRateControllerSettings.h"
#include "LatencyCounters.h"
#include "FilterModuleTestSupport.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

void BM_FrameRateControllerIntervalError(benchmark::State& state)
{
    const auto rate = static_cast<LONG>(state.range(0));
    RegisteredModule module(OSTREL_FXBANK_MODULE);
    ComPtr<CFilterGraph> graph;
    CFilterGraph::Create(graph.Out());
    ComPtr<IBaseFilter> filter;
    graph->AddFilterByClsid(CLSID_FrameControl, u"Frame Rate Controller", filter.Out());
    auto settings = filter.As<IFrameRateControl>(IID_IFrameRateControl);
    PushSourceConfig config;
    config.types = {Rgb24Type(160, 120)};
    config.frames.resize(1);
    config.frames[0].data.assign(160 * 120 * 3, 0x5A);
    config.endOfStream = false;
    auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    graph->AddFilter(source.Get(), u"Source");
    graph->AddFilter(sink.Get(), u"Sink");
    if (!settings || FAILED(settings->SetFrameRate(rate)) ||
        FAILED(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In")) ||
        FAILED(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input")) || FAILED(graph->Run()) ||
        !sink->WaitForSamples(1, 5000)) {
        state.SkipWithError("cannot run the graph");
        return;
    }
    std::size_t wanted = sink->SampleCount();
    for (auto _ : state) {
        if (!sink->WaitForSamples(++wanted, 5000)) {
            state.SkipWithError("no output frame");
            break;
        }
    }
    graph->Stop();
    const auto samples = sink->Samples();
    const double period = 1e6 / static_cast<double>(rate);
    std::vector<double> errors;
    for (std::size_t i = 1; i < samples.size(); ++i)
        errors.push_back(std::chrono::duration<double, std::micro>(samples[i].arrived - samples[i - 1].arrived).count() -
                         period);
    ReportLatencies(state, errors);
    if (samples.size() > 1) {
        const double span = std::chrono::duration<double>(samples.back().arrived - samples.front().arrived).count();
        state.counters["mean_fps"] = static_cast<double>(samples.size() - 1) / span;
    }
    graph->DisconnectAll();
}

BENCHMARK(BM_FrameRateControllerIntervalError)->Arg(30)->Iterations(330)->Unit(benchmark::kMillisecond);

} // namespace
