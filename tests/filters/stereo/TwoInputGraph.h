// A graph around one two-input filter of the registered module: push
// sources into "0" and "1", a recording sink on "Out".
#pragma once

#include "StereoPairTestSupport.h"
#include "TestBytes.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class TwoInputGraph {
public:
    TwoInputGraph(REFCLSID clsid, const char16_t* name)
    {
        EXPECT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        EXPECT_EQ(graph->AddFilterByClsid(clsid, name, filter.Out()), S_OK);
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        EXPECT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }
    ~TwoInputGraph()
    {
        graph->Stop();
        graph->DisconnectAll();
    }
    TwoInputGraph(const TwoInputGraph&) = delete;
    TwoInputGraph& operator=(const TwoInputGraph&) = delete;

    template <class Settings>
    ComPtr<Settings> SettingsAs(REFIID iid) const
    {
        return filter.template As<Settings>(iid);
    }

    // A source on input `inputId` ("0" or "1") sending `frames` of `type`,
    // one every `intervalMs`, with no end of stream.
    HRESULT AddSource(const char16_t* inputId, const CMediaType& type, std::vector<Bytes> frames,
                      DWORD intervalMs = 0)
    {
        PushSourceConfig config;
        config.types = {type};
        config.bufferSize = std::max<LONG>(static_cast<LONG>(type.lSampleSize), 1);
        for (Bytes& data : frames) {
            config.bufferSize = std::max(config.bufferSize, static_cast<LONG>(data.size()));
            TestFrame frame;
            frame.data = std::move(data);
            config.frames.push_back(std::move(frame));
        }
        config.intervalMs = intervalMs;
        config.endOfStream = false;
        const bool first = inputId[0] == u'0';
        ComPtr<CPushSource>& source = first ? left : right;
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), first ? u"Left" : u"Right");
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), inputId);
    }

    HRESULT ConnectOutput() { return graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"); }

    // The first output frame equal to `expected`, waiting for it.
    std::optional<ReceivedSample> WaitForOutput(const Bytes& expected)
    {
        std::optional<ReceivedSample> found;
        WaitFor([&] {
            for (const ReceivedSample& sample : sink->Samples())
                if (sample.data == expected) found = sample;
            return found.has_value();
        });
        return found;
    }

    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<CRecordingSink> sink;
    ComPtr<CPushSource> left;
    ComPtr<CPushSource> right;
};
