#include "stream_test_helpers.h"

#include <gtest/gtest.h>

namespace {

std::vector<BYTE> Bytes(BYTE first, std::size_t count)
{
    std::vector<BYTE> data(count);
    for (std::size_t i = 0; i < count; ++i) data[i] = static_cast<BYTE>(first + i);
    return data;
}

std::vector<BYTE> Inverted(std::vector<BYTE> data)
{
    for (BYTE& b : data) b = static_cast<BYTE>(~b);
    return data;
}

// source -> invert (in place) -> sink, in one graph.
class WholeGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        PushSourceConfig config;
        config.types = {Rgb24()};
        config.frames.push_back(Frame(Bytes(0, 24), 0, 333));
        TestFrame second = Frame(Bytes(100, 24), 333, 666);
        second.syncPoint = true;
        second.discontinuity = true;
        config.frames.push_back(second);
        TestFrame untimed;
        untimed.data = Bytes(200, 12);
        untimed.preroll = true;
        untimed.type = Rgb24();
        config.frames.push_back(untimed);
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        invert = ComPtr<CInvertFilter>::Adopt(CInvertFilter::Create());
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        ASSERT_EQ(graph->AddFilter(source.Get(), u"Source"), S_OK);
        ASSERT_EQ(graph->AddFilter(invert.Get(), u"Invert"), S_OK);
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
        ASSERT_EQ(graph->ConnectPins(source.Get(), u"Output", invert.Get(), u"Input"), S_OK);
        ASSERT_EQ(graph->ConnectPins(invert.Get(), u"Output", sink.Get(), u"Input"), S_OK);
    }

    void ExpectAllFramesArrived()
    {
        ASSERT_TRUE(sink->WaitForEndOfStream(5000));
        const std::vector<ReceivedSample> got = sink->Samples();
        ASSERT_EQ(got.size(), 3u);
        EXPECT_EQ(got[0].data, Inverted(Bytes(0, 24)));
        EXPECT_TRUE(got[0].timed);
        EXPECT_EQ(got[0].start, 0);
        EXPECT_EQ(got[0].stop, 333);
        EXPECT_FALSE(got[0].syncPoint);
        EXPECT_EQ(got[1].data, Inverted(Bytes(100, 24)));
        EXPECT_EQ(got[1].start, 333);
        EXPECT_TRUE(got[1].syncPoint);
        EXPECT_TRUE(got[1].discontinuity);
        EXPECT_EQ(got[2].data, Inverted(Bytes(200, 12)));
        EXPECT_FALSE(got[2].timed);
        EXPECT_TRUE(got[2].preroll);
        ASSERT_TRUE(got[2].type);
        EXPECT_EQ(got[2].type->subtype, MEDIASUBTYPE_RGB24);
        EXPECT_EQ(sink->EndOfStreamCount(), 1);
    }

    ComPtr<CPushSource> source;
    ComPtr<CInvertFilter> invert;
    ComPtr<CRecordingSink> sink;
    ComPtr<CFilterGraph> graph;
};

} // namespace

TEST_F(WholeGraph, FramesFlowWhilePaused)
{
    ASSERT_EQ(graph->Pause(), S_OK);
    ExpectAllFramesArrived();
    EXPECT_EQ(invert->starts, 1);
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(invert->stops, 1);
    FILTER_STATE state = State_Running;
    EXPECT_EQ(invert->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
}

TEST_F(WholeGraph, FramesFlowWhileRunningAndAgainAfterAStop)
{
    ASSERT_EQ(graph->Run(), S_OK);
    ExpectAllFramesArrived();
    FILTER_STATE state = State_Stopped;
    sink->GetState(0, &state);
    EXPECT_EQ(state, State_Running);
    ComPtr<IReferenceClock> clock;
    ASSERT_EQ(invert->GetSyncSource(clock.Out()), S_OK);
    EXPECT_TRUE(clock);
    REFERENCE_TIME streamTime = -1;
    EXPECT_EQ(invert->StreamTime(streamTime), S_OK);
    EXPECT_GE(streamTime, 0);
    ASSERT_EQ(graph->Stop(), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(6, 5000));
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(invert->starts, 2);
}

TEST_F(WholeGraph, OutputCommitsOnPauseAndDecommitsOnStop)
{
    IMemAllocator* allocator = invert->OutputPin()->PeekAllocator();
    ASSERT_NE(allocator, nullptr);
    IMediaSample* sample = nullptr;
    EXPECT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_NOT_COMMITTED);
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT), S_OK);
    sample->Release();
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_NOT_COMMITTED);
    EXPECT_EQ(sample, nullptr);
}

TEST_F(WholeGraph, FlushesAndSegmentsPassThroughTheTransform)
{
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_TRUE(sink->WaitForEndOfStream(5000));
    IPin* input = invert->InputPin();
    EXPECT_EQ(input->NewSegment(10, 20, 1.5), S_OK);
    EXPECT_EQ(input->BeginFlush(), S_OK);
    EXPECT_TRUE(sink->Input()->IsFlushing());
    EXPECT_EQ(input->EndFlush(), S_OK);
    EXPECT_FALSE(sink->Input()->IsFlushing());
    EXPECT_EQ(sink->BeginFlushCount(), 1);
    EXPECT_EQ(sink->EndFlushCount(), 1);
    ASSERT_EQ(sink->Segments().size(), 1u);
    EXPECT_EQ(sink->Segments()[0].rate, 1.5);
    ASSERT_EQ(graph->Stop(), S_OK);
    // Stopped pins take no samples or stream ends.
    EXPECT_EQ(input->EndOfStream(), VFW_E_WRONG_STATE);
}

TEST_F(WholeGraph, FiltersJoinWithoutReferencingTheGraph)
{
    CFilterGraph* raw = graph.Get();
    const ULONG graphRefs = RefsOf(static_cast<IFilterGraph*>(raw));
    EXPECT_EQ(graphRefs, 1u);
    FILTER_INFO info{};
    ASSERT_EQ(sink->QueryFilterInfo(&info), S_OK);
    EXPECT_EQ(std::u16string(info.achName), u"Sink");
    EXPECT_EQ(info.pGraph, static_cast<IFilterGraph*>(raw));
    EXPECT_EQ(RefsOf(static_cast<IFilterGraph*>(raw)), graphRefs + 1);
    info.pGraph->Release();
    ComPtr<IBaseFilter> found;
    EXPECT_EQ(graph->FindFilterByName(u"Invert", found.Out()), S_OK);
    EXPECT_EQ(found.Get(), static_cast<IBaseFilter*>(invert.Get()));
    EXPECT_EQ(graph->AddFilter(CRecordingSink::Create(), u"Sink"), VFW_S_DUPLICATE_NAME);
    ComPtr<IBaseFilter> renamed;
    EXPECT_EQ(graph->FindFilterByName(u"Sink 1", renamed.Out()), S_OK);
    renamed->Release();  // drops the Create reference; the graph keeps its own
}

TEST_F(WholeGraph, ReleasingTheGraphFreesEveryFilter)
{
    const ULONG sourceBefore = RefsOf(static_cast<IBaseFilter*>(source.Get()));
    graph.Reset();
    // Only our own references remain: no connection cycle keeps filters alive.
    EXPECT_LT(RefsOf(static_cast<IBaseFilter*>(source.Get())), sourceBefore);
    EXPECT_EQ(RefsOf(static_cast<IBaseFilter*>(source.Get())), 1u);
    EXPECT_EQ(RefsOf(static_cast<IBaseFilter*>(invert.Get())), 1u);
    EXPECT_EQ(RefsOf(static_cast<IBaseFilter*>(sink.Get())), 1u);
    FILTER_INFO info{};
    sink->QueryFilterInfo(&info);
    EXPECT_EQ(info.pGraph, nullptr);
}

TEST(GraphEvents, AFailingSourceAbortsAndEndsTheStream)
{
    PushSourceConfig config;
    config.types = {Rgb24()};
    config.bufferSize = 8;
    config.frames.push_back(Frame(Bytes(0, 24), 0, 1));  // larger than its buffers
    ComPtr<CPushSource> source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    ComPtr<CRecordingSink> sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    ComPtr<CFilterGraph> graph;
    ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    graph->AddFilter(source.Get(), u"Source");
    graph->AddFilter(sink.Get(), u"Sink");
    ASSERT_EQ(graph->ConnectPins(source.Get(), u"Output", sink.Get(), u"Input"), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_TRUE(graph->WaitForEvent(EC_ERRORABORT, 5000));
    EXPECT_EQ(graph->Events().front().param1, VFW_E_BUFFER_OVERFLOW);
    EXPECT_TRUE(sink->WaitForEndOfStream(5000));
    EXPECT_EQ(sink->SampleCount(), 0u);
    graph->Stop();
}

TEST(GraphInterfaces, VideoWindowAndBasicVideoRecordWhatFiltersSet)
{
    ComPtr<CFilterGraph> graph;
    ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    ComPtr<IFilterGraph> asGraph(static_cast<IFilterGraph*>(graph.Get()));
    ComPtr<IVideoWindow> window = asGraph.As<IVideoWindow>(IID_IVideoWindow);
    ComPtr<IBasicVideo> video = asGraph.As<IBasicVideo>(IID_IBasicVideo);
    ASSERT_TRUE(window);
    ASSERT_TRUE(video);
    EXPECT_FALSE(asGraph.As<IUnknown>(IID_IFilterGraph2));

    EXPECT_EQ(window->put_WindowStyle(0x40000000), S_OK);
    EXPECT_EQ(window->SetWindowPosition(10, 20, 640, 480), S_OK);
    EXPECT_EQ(window->put_FullScreenMode(OATRUE), S_OK);
    EXPECT_EQ(window->put_Owner(1234), S_OK);
    graph->VideoWindow().SetVideo(1280, 720, 1.0 / 30);
    EXPECT_EQ(video->SetDestinationPosition(0, 0, 320, 240), S_OK);
    EXPECT_EQ(video->put_SourceLeft(100), S_OK);

    const VideoWindowState state = graph->VideoWindow().State();
    EXPECT_EQ(state.style, 0x40000000);
    EXPECT_EQ(state.left, 10);
    EXPECT_EQ(state.top, 20);
    EXPECT_EQ(state.width, 640);
    EXPECT_EQ(state.height, 480);
    EXPECT_EQ(state.fullScreen, OATRUE);
    EXPECT_EQ(state.owner, 1234);
    EXPECT_EQ(state.destination.right, 320);
    EXPECT_EQ(state.source.left, 100);
    EXPECT_EQ(state.source.right, 1380);  // moving an edge keeps the width
    EXPECT_EQ(video->IsUsingDefaultSource(), S_FALSE);
    LONG width = 0;
    LONG height = 0;
    EXPECT_EQ(video->GetVideoSize(&width, &height), S_OK);
    EXPECT_EQ(width, 1280);
    // The stand-in is part of the graph: it answers for the graph's identity.
    ComPtr<IFilterGraph> back = window.As<IFilterGraph>(IID_IFilterGraph);
    EXPECT_EQ(back.Get(), asGraph.Get());
}
