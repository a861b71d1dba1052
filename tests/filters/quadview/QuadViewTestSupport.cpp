#include "QuadViewTestSupport.h"

#include "objbase.h"

#include <algorithm>

ComPtr<IQuadView> CreateByClsid(REFCLSID clsid)
{
    return CreateByClsid<IQuadView>(clsid, IID_IQuadView);
}

TestFrame Frame(std::vector<BYTE> data)
{
    TestFrame frame;
    frame.data = std::move(data);
    return frame;
}

TestFrame TimedFrame(std::vector<BYTE> data, REFERENCE_TIME start, REFERENCE_TIME stop)
{
    TestFrame frame = Frame(std::move(data));
    frame.timed = true;
    frame.start = start;
    frame.stop = stop;
    frame.syncPoint = true;
    return frame;
}

QuadGraph::QuadGraph()
{
    CFilterGraph::Create(graph.Out());
    graph->AddFilterByClsid(CLSID_QuadView, u"QuadView", filter.Out());
    settings = filter.As<IQuadView>(IID_IQuadView);
    sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    graph->AddFilter(sink.Get(), u"Sink");
}

QuadGraph::~QuadGraph()
{
    graph->Stop();
    graph->DisconnectAll();
}

HRESULT QuadGraph::AddSource(int input, const CMediaType& type, std::vector<TestFrame> frames, DWORD intervalMs,
                             bool loop, bool endOfStream)
{
    PushSourceConfig config;
    config.types = {type};
    config.frames = std::move(frames);
    config.intervalMs = intervalMs;
    config.loop = loop;
    config.endOfStream = endOfStream;
    config.bufferSize = std::max<LONG>(static_cast<LONG>(type.lSampleSize), 1);
    for (const TestFrame& frame : config.frames)
        config.bufferSize = std::max(config.bufferSize, static_cast<LONG>(frame.data.size()));
    auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    const std::string digit = std::to_string(input);
    const std::u16string id = u"In" + std::u16string(digit.begin(), digit.end());
    HRESULT hr = graph->AddFilter(source.Get(), (u"Source " + id).c_str());
    if (SUCCEEDED(hr)) hr = graph->ConnectPins(source.Get(), u"Output", filter.Get(), id.c_str());
    sources.push_back(source);
    return hr;
}

HRESULT QuadGraph::ConnectOutput() { return graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"); }

ComPtr<IPin> QuadGraph::Pin(const char16_t* id) const
{
    ComPtr<IPin> pin;
    filter->FindPin(id, pin.Out());
    return pin;
}
