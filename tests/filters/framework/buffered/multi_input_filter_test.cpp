// MultiInputFilter and its BufferStream in a graph: pins and ids, the stream
// thread's polling, refused deliveries, and inputs that end.
#include "BufferedTestFilters.h"
#include "WaitFor.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "kernel.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

std::u16string IdOf(IPin* pin)
{
    LPWSTR id = nullptr;
    if (FAILED(pin->QueryId(&id)) || !id) return u"<none>";
    std::u16string text(id);
    CoTaskMemFree(id);
    return text;
}

ComPtr<IPin> Find(IBaseFilter* filter, const char16_t* id, HRESULT* result = nullptr)
{
    ComPtr<IPin> pin;
    const HRESULT hr = filter->FindPin(id, pin.Out());
    if (result) *result = hr;
    return pin;
}

TEST(MultiInputPins, OutFoundFirstCreatesTheStreamAndIdsFindTheirPins)
{
    auto filter = ComPtr<TestMultiInputFilter>::Adopt(TestMultiInputFilter::Create(2));
    auto out = Find(filter.Get(), u"Out");
    ASSERT_TRUE(out);
    EXPECT_EQ(out.Get(), static_cast<IPin*>(filter->Output()));
    PIN_DIRECTION direction{};
    out->QueryDirection(&direction);
    EXPECT_EQ(direction, PINDIR_OUTPUT);
    EXPECT_EQ(IdOf(out.Get()), u"Out");
    EXPECT_EQ(filter->GetPinCount(), 3);

    auto second = Find(filter.Get(), u"1");
    ASSERT_TRUE(second);
    EXPECT_EQ(second.Get(), static_cast<IPin*>(filter->Input(1)));
    PIN_INFO info{};
    second->QueryPinInfo(&info);
    if (info.pFilter) info.pFilter->Release();
    EXPECT_EQ(std::u16string(info.achName), u"Input 2");

    for (int i = 0; i < filter->GetPinCount(); ++i) {
        CBasePin* pin = filter->GetPin(i);
        EXPECT_EQ(Find(filter.Get(), IdOf(pin).c_str()).Get(), static_cast<IPin*>(pin)) << i;
    }
}

TEST(MultiInputPins, IdsThatNameNoPinAreNotFound)
{
    auto filter = ComPtr<TestMultiInputFilter>::Adopt(TestMultiInputFilter::Create(2));
    for (const char16_t* id : {u"2", u"-1", u"99999999999", u"out"}) {
        HRESULT hr = S_OK;
        // "out" is no number and reads as input 0, as the C conversion has it.
        auto pin = Find(filter.Get(), id, &hr);
        if (std::u16string(id) == u"out") {
            EXPECT_EQ(pin.Get(), static_cast<IPin*>(filter->Input(0)));
            continue;
        }
        EXPECT_EQ(hr, VFW_E_NOT_FOUND) << std::string(id, id + std::char_traits<char16_t>::length(id));
        EXPECT_FALSE(pin);
    }
    // Read as the C conversion reads it, however long the text.
    for (const char16_t* id : {u" 1", u"+1x", u"000000000000000000000000000000000000001"})
        EXPECT_EQ(Find(filter.Get(), id).Get(), static_cast<IPin*>(filter->Input(1)));
    EXPECT_EQ(filter->GetPin(3), nullptr);
    EXPECT_EQ(filter->GetPin(-1), nullptr);
}

class StreamGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        filter = ComPtr<TestMultiInputFilter>::Adopt(TestMultiInputFilter::Create(2));
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(filter.Get(), u"Filter"), S_OK);
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    ComPtr<CPushSource> AddSource(const char16_t* name, const char16_t* inputId, bool loop)
    {
        PushSourceConfig config;
        config.types = {TestVideoType()};
        TestFrame frame;
        frame.data = std::vector<BYTE>(12, 7);
        config.frames = {frame, frame};
        config.loop = loop;
        config.intervalMs = 1;
        auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        EXPECT_EQ(graph->AddFilter(source.Get(), name), S_OK);
        EXPECT_EQ(graph->ConnectPins(source.Get(), u"Output", filter.Get(), inputId), S_OK);
        return source;
    }

    StreamCounters& Counters() { return filter->counters; }

    ComPtr<CFilterGraph> graph;
    ComPtr<TestMultiInputFilter> filter;
    ComPtr<CRecordingSink> sink;
};

TEST_F(StreamGraph, NothingToSendKeepsPollingAndStopIsAnsweredPromptly)
{
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return Counters().fills.load() >= 20; }));
    EXPECT_EQ(Counters().streamStarts.load(), 1);
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_FALSE(filter->Output()->ThreadExists());
    const int fills = Counters().fills.load();
    Sleep(20);
    EXPECT_EQ(Counters().fills.load(), fills);
    EXPECT_EQ(sink->SampleCount(), 0u);
    EXPECT_EQ(sink->EndOfStreamCount(), 0);
}

TEST_F(StreamGraph, FilledSamplesAreDeliveredAndTimed)
{
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    Counters().mode = FillMode::Send;
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(5, 10000));
    ASSERT_TRUE(WaitFor([&] { return Counters().delivered.load() >= 5; }));
    const auto samples = sink->Samples();
    for (std::size_t i = 0; i < 5; ++i) {
        int number = 0;
        ASSERT_EQ(samples[i].data.size(), sizeof number);
        std::memcpy(&number, samples[i].data.data(), sizeof number);
        EXPECT_EQ(number, static_cast<int>(i) + 1);
        EXPECT_FALSE(samples[i].timed);
    }
    EXPECT_GE(Counters().lastElapsed.load(), 0);
}

// The refused sample ends the loop: no further fills and no end of stream
// until a pause command starts it again.
TEST_F(StreamGraph, RefusedDeliveryStopsTheLoopUntilTheNextPause)
{
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    sink->AnswerAfter(2, S_FALSE);
    Counters().mode = FillMode::Send;
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return Counters().filled.load() >= 3; }));
    Sleep(50);
    EXPECT_EQ(Counters().filled.load(), 3);
    EXPECT_EQ(Counters().delivered.load(), 2);
    EXPECT_EQ(sink->SampleCount(), 2u);
    EXPECT_EQ(sink->EndOfStreamCount(), 0);
    EXPECT_TRUE(filter->Output()->ThreadExists());

    EXPECT_EQ(filter->Output()->Pause(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return Counters().filled.load() >= 4; }));
    EXPECT_EQ(Counters().streamStarts.load(), 2);
    Sleep(50);
    EXPECT_EQ(Counters().filled.load(), 4);

    sink->AnswerAfter(1000, S_FALSE);
    EXPECT_EQ(filter->Output()->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(5, 10000));
    EXPECT_EQ(sink->EndOfStreamCount(), 0);
}

TEST_F(StreamGraph, InputsThatAllEndSendNoEndOfStream)
{
    auto first = AddSource(u"First", u"0", false);
    auto second = AddSource(u"Second", u"1", false);
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return filter->ended[0].load() == 1 && filter->ended[1].load() == 1; }));
    EXPECT_EQ(filter->received[0].load(), 2);
    EXPECT_EQ(filter->received[1].load(), 2);
    const int fills = Counters().fills.load();
    ASSERT_TRUE(WaitFor([&] { return Counters().fills.load() >= fills + 10; }));
    EXPECT_EQ(sink->EndOfStreamCount(), 0);
}

// Both inputs deliver on their own threads while the stream sends: the
// stream holds nothing an input's Receive needs.
TEST_F(StreamGraph, InputsKeepReceivingWhileTheStreamDelivers)
{
    auto first = AddSource(u"First", u"0", true);
    auto second = AddSource(u"Second", u"1", true);
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    Counters().mode = FillMode::Send;
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(WaitFor([&] {
        return filter->received[0].load() >= 20 && filter->received[1].load() >= 20 && sink->SampleCount() >= 20;
    }));
    ASSERT_EQ(graph->Stop(), S_OK);
}

} // namespace
