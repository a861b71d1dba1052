// BufferFilter: its two pins, events passed straight through, the input type
// checked against a connected output, and the transform-style state changes.
#include "BufferedTestFilters.h"
#include "WaitFor.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

namespace {

class BufferGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        filter = ComPtr<TestBufferFilter>::Adopt(TestBufferFilter::Create());
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(filter.Get(), u"Filter"), S_OK);
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    HRESULT AddSource(CMediaType type, int frames, bool endOfStream = true)
    {
        PushSourceConfig config;
        config.types = {type};
        TestFrame frame;
        frame.data = std::vector<BYTE>(12, 3);
        config.frames.assign(static_cast<std::size_t>(frames), frame);
        config.endOfStream = endOfStream;
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), u"Source");
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In");
    }

    HRESULT ConnectOutput() { return graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"); }

    ComPtr<CFilterGraph> graph;
    ComPtr<TestBufferFilter> filter;
    ComPtr<CPushSource> source;
    ComPtr<CRecordingSink> sink;
};

TEST_F(BufferGraph, PinsInAndOutAreMadeTogether)
{
    EXPECT_EQ(filter->GetPinCount(), 2);
    ComPtr<IPin> out;
    ASSERT_EQ(filter->FindPin(u"Out", out.Out()), S_OK);
    ComPtr<IPin> in;
    ASSERT_EQ(filter->FindPin(u"In", in.Out()), S_OK);
    EXPECT_EQ(in.Get(), static_cast<IPin*>(filter->GetPin(0)));
    EXPECT_EQ(out.Get(), static_cast<IPin*>(filter->GetPin(1)));
    for (const char16_t* id : {u"0", u"1", u"Input", u""}) {
        ComPtr<IPin> none;
        EXPECT_EQ(filter->FindPin(id, none.Out()), VFW_E_NOT_FOUND);
    }
    PIN_INFO info{};
    in->QueryPinInfo(&info);
    if (info.pFilter) info.pFilter->Release();
    EXPECT_EQ(std::u16string(info.achName), u"In");
}

// The filter keeps what arrives and sends nothing; the end of stream still
// reaches downstream at once.
TEST_F(BufferGraph, EndOfStreamIsPassedOnAtOnce)
{
    ASSERT_EQ(AddSource(TestVideoType(), 3), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForEndOfStream(10000));
    EXPECT_EQ(filter->received.load(), 3);
    EXPECT_EQ(sink->SampleCount(), 0u);
    EXPECT_EQ(filter->startStreaming.load(), 1);
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(filter->stopStreaming.load(), 1);
}

TEST_F(BufferGraph, FlushesAndSegmentsArePassedOn)
{
    ASSERT_EQ(AddSource(TestVideoType(), 0, false), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    IPin* in = filter->Input();
    EXPECT_EQ(in->NewSegment(10, 20, 1.5), S_OK);
    EXPECT_EQ(in->BeginFlush(), S_OK);
    EXPECT_TRUE(filter->Input()->IsFlushing());
    EXPECT_EQ(in->EndFlush(), S_OK);
    EXPECT_FALSE(filter->Input()->IsFlushing());
    EXPECT_EQ(sink->BeginFlushCount(), 1);
    EXPECT_EQ(sink->EndFlushCount(), 1);
    const auto segments = sink->Segments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].start, 10);
    EXPECT_EQ(segments[0].stop, 20);
    EXPECT_EQ(segments[0].rate, 1.5);
}

// Control samples reach no filter; media samples do.
TEST_F(BufferGraph, OnlyMediaStreamSamplesReachTheFilter)
{
    ASSERT_EQ(AddSource(TestVideoType(), 0, false), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(filter->Input()->GetAllocator(allocator.Out()), S_OK);
    for (const DWORD stream : {AM_STREAM_CONTROL, AM_STREAM_MEDIA}) {
        ComPtr<IMediaSample> sample;
        ASSERT_EQ(allocator->GetBuffer(sample.Out(), nullptr, nullptr, 0), S_OK);
        auto sample2 = sample.As<IMediaSample2>(IID_IMediaSample2);
        AM_SAMPLE2_PROPERTIES props{};
        ASSERT_EQ(sample2->GetProperties(sizeof props, reinterpret_cast<BYTE*>(&props)), S_OK);
        props.dwStreamId = stream;
        ASSERT_EQ(sample2->SetProperties(sizeof props, reinterpret_cast<const BYTE*>(&props)), S_OK);
        EXPECT_EQ(filter->Input()->Receive(sample.Get()), S_OK);
    }
    EXPECT_EQ(filter->received.load(), 1);
}

TEST_F(BufferGraph, InputTypeMustAlsoSuitAConnectedOutput)
{
    ASSERT_EQ(AddSource(TestVideoType(MEDIASUBTYPE_RGB555), 1), S_OK);
    graph->DisconnectAll();
    ASSERT_EQ(ConnectOutput(), S_OK);
    EXPECT_TRUE(FAILED(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In")));
    graph->Disconnect(filter->Output());
    graph->Disconnect(sink->Input());
    EXPECT_EQ(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In"), S_OK);
}

// Without an input nothing will ever come: each pause from stopped tells
// downstream once, and streaming never starts.
TEST_F(BufferGraph, PausingWithoutAnInputSendsOneEndOfStream)
{
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    EXPECT_EQ(sink->EndOfStreamCount(), 1);
    EXPECT_FALSE(filter->Output()->ThreadExists());
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(sink->EndOfStreamCount(), 1);
    ASSERT_EQ(graph->Pause(), S_OK);
    EXPECT_EQ(sink->EndOfStreamCount(), 2);
    EXPECT_EQ(filter->startStreaming.load() + filter->stopStreaming.load(), 0);
}

TEST_F(BufferGraph, PausingWithoutAnOutputOnlyChangesTheState)
{
    ASSERT_EQ(AddSource(TestVideoType(), 1, false), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    FILTER_STATE state{};
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Paused);
    EXPECT_EQ(filter->startStreaming.load(), 0);
    ASSERT_EQ(graph->Stop(), S_OK);
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_EQ(filter->stopStreaming.load(), 0);
}

TEST_F(BufferGraph, StreamSendsWhatTheFilterFills)
{
    ASSERT_EQ(AddSource(TestVideoType(), 0, false), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    filter->counters.mode = FillMode::Send;
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(3, 10000));
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(sink->EndOfStreamCount(), 0);
}

} // namespace
