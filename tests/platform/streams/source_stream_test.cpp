#include "stream_test_helpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A stream driven by hand: its thread is started and commanded directly.
class CountingStream final : public CSourceStream {
public:
    CountingStream(CBaseFilter* filter, CCritSec* lock, HRESULT* phr)
        : CSourceStream("Counting stream", phr, filter, lock, u"Out")
    {
    }

    HRESULT GetMediaType(int position, CMediaType* type) override
    {
        if (position != 0) return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
        *type = Rgb24();
        return S_OK;
    }
    HRESULT DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*) override { return S_OK; }
    HRESULT FillBuffer(IMediaSample*) override { return S_OK; }
    HRESULT OnThreadStartPlay() override
    {
        ++loopsStarted;
        return S_OK;
    }

    using CSourceStream::CallWorker;
    using CSourceStream::Close;
    using CSourceStream::Create;

    std::atomic<int> loopsStarted{0};
};

class HostFilter final : public CBaseFilter {
public:
    HostFilter() : CBaseFilter("Host", nullptr, &m_lock, GUID_NULL)
    {
        HRESULT hr = S_OK;
        stream = std::make_unique<CountingStream>(this, &m_lock, &hr);
    }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? stream.get() : nullptr; }

    CCritSec m_lock;
    std::unique_ptr<CountingStream> stream;
};

bool Eventually(const std::function<bool()>& ready)
{
    const auto deadline = Clock::now() + 5s;
    while (!ready()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(SourceStreamCommands, InitFirstThenEachCommandIsAnswered)
{
    auto* host = new HostFilter();
    host->AddRef();
    CountingStream& stream = *host->stream;
    ASSERT_TRUE(stream.Create());
    EXPECT_EQ(stream.Pause(), E_UNEXPECTED);
    EXPECT_EQ(stream.Stop(), E_UNEXPECTED);
    EXPECT_EQ(stream.Init(), S_OK);
    EXPECT_EQ(static_cast<HRESULT>(stream.CallWorker(42)), E_NOTIMPL);
    EXPECT_EQ(stream.Stop(), S_OK);
    EXPECT_EQ(stream.loopsStarted.load(), 0);

    // Unconnected, the loop finds no buffer and keeps polling; commands are
    // still answered, and stop leaves the loop.
    EXPECT_EQ(stream.Pause(), S_OK);
    ASSERT_TRUE(Eventually([&] { return stream.loopsStarted.load() == 1; }));
    EXPECT_EQ(stream.Run(), S_OK);
    EXPECT_EQ(static_cast<HRESULT>(stream.CallWorker(CSourceStream::CMD_INIT)), E_UNEXPECTED);
    const auto before = Clock::now();
    EXPECT_EQ(stream.Stop(), S_OK);
    EXPECT_LT(Clock::now() - before, 1s);
    EXPECT_EQ(stream.loopsStarted.load(), 1);

    EXPECT_EQ(stream.Run(), S_OK);  // enters the loop again
    ASSERT_TRUE(Eventually([&] { return stream.loopsStarted.load() == 2; }));
    EXPECT_EQ(stream.Stop(), S_OK);
    EXPECT_EQ(stream.Exit(), S_OK);
    stream.Close();
    EXPECT_FALSE(stream.ThreadExists());
    host->Release();
}

namespace {

struct LoopingChain {
    explicit LoopingChain(bool endOfStream = true)
    {
        PushSourceConfig config;
        config.types = {Rgb24()};
        config.frames.push_back(Frame(std::vector<BYTE>(24, 5), 0, 1));
        config.loop = true;
        config.intervalMs = 1;
        config.endOfStream = endOfStream;
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        CFilterGraph::Create(graph.Out());
        graph->AddFilter(source.Get(), u"Source");
        graph->AddFilter(sink.Get(), u"Sink");
        connected = graph->ConnectPins(source.Get(), u"Output", sink.Get(), u"Input");
    }
    ComPtr<CPushSource> source;
    ComPtr<CRecordingSink> sink;
    ComPtr<CFilterGraph> graph;
    HRESULT connected = E_FAIL;
};

} // namespace

TEST(SourceStreamLoop, ARefusedDeliveryEndsTheLoopUntilTheNextPause)
{
    LoopingChain chain;
    ASSERT_EQ(chain.connected, S_OK);
    chain.sink->AnswerAfter(2, S_FALSE);
    ASSERT_EQ(chain.graph->Pause(), S_OK);
    ASSERT_TRUE(Eventually([&] { return chain.source->LastDeliveryResult() == S_FALSE; }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(chain.source->FramesDelivered(), 2u);
    EXPECT_EQ(chain.sink->EndOfStreamCount(), 0);

    chain.sink->AnswerAfter(5, S_FALSE);
    EXPECT_EQ(chain.source->Stream()->Pause(), S_OK);
    ASSERT_TRUE(chain.sink->WaitForSamples(5, 5000));
    EXPECT_EQ(chain.graph->Stop(), S_OK);
    EXPECT_FALSE(chain.source->Stream()->ThreadExists());
}

TEST(SourceStreamLoop, AMissingBufferIsRetriedUntilOneComes)
{
    LoopingChain chain;
    ASSERT_EQ(chain.connected, S_OK);
    ASSERT_EQ(chain.graph->Pause(), S_OK);
    ASSERT_TRUE(chain.sink->WaitForSamples(1, 5000));
    IMemAllocator* allocator = chain.source->Stream()->PeekAllocator();
    ASSERT_EQ(allocator->Decommit(), S_OK);
    std::this_thread::sleep_for(20ms);
    const std::size_t stalled = chain.sink->SampleCount();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(chain.sink->SampleCount(), stalled);
    ASSERT_EQ(allocator->Commit(), S_OK);
    EXPECT_TRUE(chain.sink->WaitForSamples(stalled + 3, 5000));
    const auto before = Clock::now();
    EXPECT_EQ(chain.graph->Stop(), S_OK);
    EXPECT_LT(Clock::now() - before, 1s);
}

TEST(SourceStreamLoop, AnIdleSourceStopsPromptly)
{
    LoopingChain chain(false);
    ASSERT_EQ(chain.connected, S_OK);
    ASSERT_EQ(chain.graph->Run(), S_OK);
    ASSERT_TRUE(chain.sink->WaitForSamples(3, 5000));
    const auto before = Clock::now();
    EXPECT_EQ(chain.graph->Stop(), S_OK);
    EXPECT_LT(Clock::now() - before, 1s);
    EXPECT_EQ(chain.sink->EndOfStreamCount(), 0);
}
