// Ghost, Noise and Scroll in a whole graph: push source -> filter ->
// recording sink, the filter created by CLSID from the registered module.
#include "FxBankTestSupport.h"
#include "GhostPass.h"
#include "TestBytes.h"
#include "filter_graph.h"
#include "kernel.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TestFrame Frame(Bytes data, REFERENCE_TIME start)
{
    TestFrame frame;
    frame.data = std::move(data);
    frame.timed = true;
    frame.start = start;
    frame.stop = start + 333333;
    return frame;
}

class EffectGraph : public ::testing::Test {
protected:
    HRESULT Build(REFCLSID filterClsid, const CMediaType& type, std::vector<TestFrame> frames)
    {
        PushSourceConfig config;
        config.types = {type};
        config.frames = std::move(frames);
        config.bufferSize = static_cast<LONG>(type.lSampleSize);
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        HRESULT hr = CFilterGraph::Create(graph.Out());
        if (SUCCEEDED(hr)) hr = graph->AddFilter(source.Get(), u"Source");
        if (SUCCEEDED(hr)) hr = graph->AddFilterByClsid(filterClsid, u"Filter", filter.Out());
        if (SUCCEEDED(hr)) hr = graph->AddFilter(sink.Get(), u"Sink");
        if (SUCCEEDED(hr)) hr = graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"Input");
        if (SUCCEEDED(hr)) hr = graph->ConnectPins(filter.Get(), u"Output", sink.Get(), u"Input");
        return hr;
    }

    std::vector<ReceivedSample> AllSamples()
    {
        EXPECT_TRUE(sink->WaitForEndOfStream(5000));
        return sink->Samples();
    }

    // Hands `data` straight to the filter's input, as upstream would.
    Bytes ReceiveDirect(const Bytes& data)
    {
        ComPtr<IPin> input;
        EXPECT_EQ(filter->FindPin(u"Input", input.Out()), S_OK);
        ForeignSample sample(data, static_cast<LONG>(data.size()));
        EXPECT_EQ(input.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
        return sample.data;
    }

    void TearDown() override
    {
        if (graph) {
            graph->Stop();
            graph->DisconnectAll();
        }
    }

    RegisteredFxBank module;
    ComPtr<CPushSource> source;
    ComPtr<IBaseFilter> filter;
    ComPtr<CRecordingSink> sink;
    ComPtr<CFilterGraph> graph;
};

// The shift of `out` against `in` when every row is the same cyclic
// rotation of its pixels; none when it is not a rotation.
std::optional<std::size_t> RowRotation(const Bytes& in, const Bytes& out, std::size_t width)
{
    const std::size_t rowBytes = 3 * width;
    for (std::size_t shift = 0; shift < width; ++shift) {
        bool all = true;
        for (std::size_t i = 0; i < in.size() && all; ++i) {
            const std::size_t row = i / rowBytes * rowBytes;
            all = out[i] == in[row + (i - row + 3 * shift) % rowBytes];
        }
        if (all) return shift;
    }
    return std::nullopt;
}

TEST_F(EffectGraph, GhostBrightensFramesAsThePassDoes)
{
    const Bytes frame = RandomBytes(16 * 4 * 3, 3);
    ASSERT_EQ(Build(CLSID_Ghost, Rgb24Type(16, 4), {Frame(frame, 0), Frame(frame, 333333)}), S_OK);
    auto settings = filter.As<IGhostFilter>(IID_IGhostFilter);
    ASSERT_EQ(settings->SetOffset(-5), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 2u);
    Bytes expected = frame;
    AddGhost(expected.data(), expected.size(), 50, -5);
    for (const ReceivedSample& sample : got) EXPECT_EQ(sample.data, expected);
    EXPECT_EQ(got[1].start, 333333);
}

// The generator runs on: the same picture twice gets different noise.
TEST_F(EffectGraph, NoiseDiffersFromFrameToFrame)
{
    const Bytes frame = RandomBytes(64 * 8 * 3, 4);
    for (LONG type : {0, 1}) {
        ASSERT_EQ(Build(CLSID_Noise, Rgb24Type(64, 8), {Frame(frame, 0), Frame(frame, 1)}), S_OK);
        ASSERT_EQ(filter.As<INoiseFilter>(IID_INoiseFilter)->SetNoiseType(type), S_OK);
        ASSERT_EQ(graph->Pause(), S_OK);
        const auto got = AllSamples();
        ASSERT_EQ(got.size(), 2u);
        EXPECT_NE(got[0].data, frame);
        EXPECT_NE(got[1].data, frame);
        EXPECT_NE(got[0].data, got[1].data);
        ASSERT_EQ(graph->Stop(), S_OK);
        graph->DisconnectAll();
    }
}

// Fast horizontal scrolling: every frame is one clean rotation of its rows;
// with the speed at 0 the picture stands where it is, and a reset puts it
// back unshifted.
TEST_F(EffectGraph, ScrollRotatesRowsAndStandsStillAtSpeedZero)
{
    constexpr std::size_t kWidth = 97;
    const Bytes frame = RandomBytes(kWidth * 3 * 3, 5);
    ASSERT_EQ(Build(CLSID_Scroll, Rgb24Type(kWidth, 3), {}), S_OK);
    auto settings = filter.As<IScrollFilter>(IID_IScrollFilter);
    ASSERT_EQ(settings->SetDirection(0), S_OK);
    ASSERT_EQ(settings->SetSpeed(100), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    EXPECT_EQ(ReceiveDirect(frame), frame);  // the first frame only notes the time
    std::size_t moved = 0;
    for (int i = 0; i < 20; ++i) {
        Sleep(2);
        const auto shift = RowRotation(frame, ReceiveDirect(frame), kWidth);
        ASSERT_TRUE(shift);
        moved = *shift;
    }
    ASSERT_EQ(settings->SetSpeed(0), S_OK);
    const auto held = RowRotation(frame, ReceiveDirect(frame), kWidth);
    Sleep(20);
    EXPECT_EQ(RowRotation(frame, ReceiveDirect(frame), kWidth), held);
    EXPECT_TRUE(moved != 0 || held != 0u);

    ASSERT_EQ(settings->ResetPosition(), S_OK);
    EXPECT_EQ(ReceiveDirect(frame), frame);
}

// Vertical scrolling moves whole rows; rows padded to whole words keep their
// padding; other directions leave frames alone.
TEST_F(EffectGraph, ScrollMovesWholeRowsVertically)
{
    constexpr std::size_t kWidth = 5, kRows = 7, kStride = 16;
    const Bytes frame = RandomBytes(kStride * kRows, 6);
    ASSERT_EQ(Build(CLSID_Scroll, Rgb24Type(kWidth, kRows), {}), S_OK);
    auto settings = filter.As<IScrollFilter>(IID_IScrollFilter);
    ASSERT_EQ(settings->SetSpeed(-3000), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ReceiveDirect(frame);
    bool shifted = false;
    for (int i = 0; i < 10; ++i) {
        Sleep(1);
        const Bytes out = ReceiveDirect(frame);
        std::optional<std::size_t> rows;
        for (std::size_t h = 0; h < kRows && !rows; ++h) {
            bool all = true;
            for (std::size_t y = 0; y < kRows; ++y)
                all = all && std::equal(out.begin() + y * kStride, out.begin() + (y + 1) * kStride,
                                        frame.begin() + ((y + h) % kRows) * kStride);
            if (all) rows = h;
        }
        ASSERT_TRUE(rows) << "not a rotation of whole rows";
        shifted = shifted || *rows != 0;
    }
    EXPECT_TRUE(shifted);
    ASSERT_EQ(settings->SetDirection(2), S_OK);
    EXPECT_EQ(ReceiveDirect(frame), frame);
}

// Time spent stopped does not move the picture: the first frame after the
// next pause only notes the time.
TEST_F(EffectGraph, ALongStopDoesNotMakeTheScrollJump)
{
    constexpr std::size_t kWidth = 4000;
    const Bytes frame = RandomBytes(kWidth * 3, 7);
    ASSERT_EQ(Build(CLSID_Scroll, Rgb24Type(kWidth, 1), {}), S_OK);
    auto settings = filter.As<IScrollFilter>(IID_IScrollFilter);
    ASSERT_EQ(settings->SetDirection(0), S_OK);
    ASSERT_EQ(settings->SetSpeed(100), S_OK);  // 3333 pixels a second
    ASSERT_EQ(graph->Pause(), S_OK);
    ReceiveDirect(frame);
    const auto before = RowRotation(frame, ReceiveDirect(frame), kWidth);
    ASSERT_TRUE(before);
    ASSERT_EQ(graph->Stop(), S_OK);
    Sleep(300);
    ASSERT_EQ(graph->Pause(), S_OK);
    const auto after = RowRotation(frame, ReceiveDirect(frame), kWidth);
    ASSERT_TRUE(after);
    // Picture moves towards higher positions: the shift falls.
    const std::size_t moved = (*before + kWidth - *after) % kWidth;
    EXPECT_LT(moved, 300u) << "jumped by the time spent stopped";
}

} // namespace
