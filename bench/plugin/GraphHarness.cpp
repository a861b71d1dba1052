#include "GraphHarness.h"

#include "base_filter.h"
#include "input_pin.h"

#include <algorithm>
#include <chrono>

class GraphHarness::CountingSink final : public CBaseFilter {
public:
    CountingSink() : CBaseFilter("Counting sink", nullptr, &m_lock, CLSID{}), m_pin(this, &m_pinResult) {}

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }

    std::size_t Count() const
    {
        std::lock_guard hold(m_countMutex);
        return m_count;
    }

    void WaitBeyond(std::size_t count)
    {
        std::unique_lock hold(m_countMutex);
        m_arrived.wait_for(hold, std::chrono::seconds(1), [&] { return m_count > count; });
    }

private:
    class Pin final : public CBaseInputPin {
    public:
        Pin(CountingSink* sink, HRESULT* phr)
            : CBaseInputPin("Counting sink input", sink, &sink->m_lock, phr, u"Input"), m_sink(sink)
        {
        }
        HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
        STDMETHODIMP Receive(IMediaSample* sample) override
        {
            const HRESULT hr = CBaseInputPin::Receive(sample);
            if (hr == S_OK) m_sink->Arrived();
            return hr;
        }

    private:
        CountingSink* m_sink;
    };

    void Arrived()
    {
        {
            std::lock_guard hold(m_countMutex);
            ++m_count;
        }
        m_arrived.notify_all();
    }

    CCritSec m_lock;
    HRESULT m_pinResult = S_OK;
    Pin m_pin;
    mutable std::mutex m_countMutex;
    std::condition_variable m_arrived;
    std::size_t m_count = 0;
};

GraphHarness::GraphHarness(REFCLSID clsid, const GraphPins& pins, const CMediaType& type, LONG buffers)
{
    if (FAILED(CFilterGraph::Create(m_graph.Out())) ||
        FAILED(m_graph->AddFilterByClsid(clsid, u"Filter", m_filter.Out())))
        return;
    for (const char16_t* input : pins.inputs) {
        // No frames of its own: the source's thread only waits, and the
        // bench delivers on its pin.
        PushSourceConfig config;
        config.types = {type};
        config.endOfStream = false;
        config.buffers = buffers;
        config.bufferSize = static_cast<LONG>(type.lSampleSize);
        m_sources.push_back(ComPtr<CPushSource>::Adopt(CPushSource::Create(config)));
        if (FAILED(m_graph->AddFilter(m_sources.back().Get(), nullptr)) ||
            FAILED(m_graph->ConnectPins(m_sources.back().Get(), u"Output", m_filter.Get(), input)))
            return;
    }
    m_held.resize(m_sources.size());
    // The source's thread holds one sample while it waits, and one more is
    // the next to send.
    m_holding = static_cast<std::size_t>(std::max<LONG>(buffers - 2, 0));
    m_sink = new CountingSink();
    m_sink->AddRef();
    m_ready = SUCCEEDED(m_graph->AddFilter(m_sink, u"Sink")) &&
              SUCCEEDED(m_graph->ConnectPins(m_filter.Get(), pins.output, m_sink, u"Input")) &&
              SUCCEEDED(m_graph->Run());
}

GraphHarness::~GraphHarness()
{
    for (auto& held : m_held)
        for (IMediaSample* sample : held) sample->Release();
    if (m_graph) {
        m_graph->Stop();
        m_graph->DisconnectAll();
    }
    if (m_sink) m_sink->Release();
}

void GraphHarness::Push(std::size_t input, REFERENCE_TIME start, REFERENCE_TIME duration)
{
    CSourceStream* stream = m_sources[input]->Stream();
    IMediaSample* sample = nullptr;
    if (FAILED(stream->GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) || !sample) return;
    REFERENCE_TIME stop = start + duration;
    sample->SetTime(&start, &stop);
    sample->SetActualDataLength(sample->GetSize());
    stream->Deliver(sample);
    std::deque<IMediaSample*>& held = m_held[input];
    held.push_back(sample);
    if (held.size() > m_holding) {
        held.front()->Release();
        held.pop_front();
    }
}

void GraphHarness::Pull()
{
    m_sink->WaitBeyond(m_pulled);
    m_pulled = m_sink->Count();
}

std::size_t GraphHarness::Outputs() const { return m_sink ? m_sink->Count() : 0; }
