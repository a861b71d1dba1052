// The quad view in a running graph: push sources on its inputs, a recording
// sink on its output.
#include "QuadViewTestSupport.h"
#include "WaitFor.h"
#include "allocator.h"
#include "kernel.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Bytes = std::vector<BYTE>;

constexpr LONG kWidth = 16;
constexpr LONG kHeight = 8;
constexpr std::size_t kFrameBytes = kWidth * kHeight * 3;

Bytes RandomFrame(unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(kFrameBytes);
    for (auto& b : bytes) b = static_cast<BYTE>(random());
    return bytes;
}

// Quarter `quarter` of a 16 x 8 RGB24 frame, row by row from the bottom.
Bytes QuarterOf(const Bytes& frame, int quarter)
{
    const std::size_t firstRow = quarter < 2 ? kHeight / 2 : 0;
    const std::size_t firstColumn = quarter % 2 ? kWidth / 2 : 0;
    Bytes pixels;
    for (std::size_t y = firstRow; y < firstRow + kHeight / 2; ++y)
        for (std::size_t x = firstColumn; x < firstColumn + kWidth / 2; ++x)
            for (std::size_t c = 0; c < 3; ++c) pixels.push_back(frame[(y * kWidth + x) * 3 + c]);
    return pixels;
}

Bytes Shrunk(const Bytes& source)
{
    Bytes pixels;
    for (std::size_t y = 0; y < kHeight / 2; ++y)
        for (std::size_t x = 0; x < kWidth / 2; ++x)
            for (std::size_t c = 0; c < 3; ++c) {
                const auto at = [&](std::size_t row, std::size_t column) {
                    return unsigned{source[(row * kWidth + column) * 3 + c]};
                };
                pixels.push_back(static_cast<BYTE>(
                    (at(2 * y, 2 * x) + at(2 * y, 2 * x + 1) + at(2 * y + 1, 2 * x) + at(2 * y + 1, 2 * x + 1)) / 4));
            }
    return pixels;
}

Bytes Blue()
{
    Bytes pixels;
    for (int p = 0; p < kWidth / 2 * kHeight / 2; ++p) pixels.insert(pixels.end(), {255, 0, 0});
    return pixels;
}

class QuadViewGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        ASSERT_TRUE(quad.settings);
        quad.settings->SetBorderLines(0);
        quad.settings->SetMaxFrameRate(60);
    }

    RegisteredQuadView module;
    QuadGraph quad;
};

TEST_F(QuadViewGraph, OnlyInputZeroFedFillsTheUpperLeftQuarterAndTheRestIsBackground)
{
    const Bytes picture = RandomFrame(1);
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {Frame(picture)}, 2, true), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Run(), S_OK);
    ASSERT_TRUE(quad.sink->WaitForSamples(2, 5000));
    const Bytes frame = quad.sink->Samples()[1].data;
    ASSERT_EQ(frame.size(), kFrameBytes);
    EXPECT_EQ(QuarterOf(frame, 0), Shrunk(picture));
    for (int q = 1; q < 4; ++q) EXPECT_EQ(QuarterOf(frame, q), Blue()) << q;

    // The cross is drawn over the frame from the next output on.
    const std::size_t before = quad.sink->SampleCount();
    quad.settings->SetBorderLines(1);
    ASSERT_TRUE(quad.sink->WaitForSamples(before + 2, 5000));
    const Bytes crossed = quad.sink->Samples().back().data;
    EXPECT_EQ(Bytes(crossed.begin() + 3 * kWidth * 3, crossed.begin() + 3 * kWidth * 3 + 3), (Bytes{255, 255, 0}));
}

// Input 1 sends one picture: it stays through 14 outputs without a sample
// and turns to the background on the 15th.
TEST_F(QuadViewGraph, ASilentInputKeepsItsPictureUntilTheFifteenthOutputWithoutASample)
{
    const Bytes once = RandomFrame(2);
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {Frame(RandomFrame(3))}, 2, true), S_OK);
    ASSERT_EQ(quad.AddSource(1, Rgb24Type(kWidth, kHeight), {Frame(once)}), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Run(), S_OK);
    const Bytes shown = Shrunk(once);
    std::size_t first = 0;
    ASSERT_TRUE(WaitFor([&] {
        const auto samples = quad.sink->Samples();
        for (first = 0; first < samples.size(); ++first)
            if (QuarterOf(samples[first].data, 1) == shown) return samples.size() >= first + 16;
        return false;
    }));
    const auto samples = quad.sink->Samples();
    for (std::size_t i = first + 1; i <= first + 14; ++i) EXPECT_EQ(QuarterOf(samples[i].data, 1), shown) << i - first;
    EXPECT_EQ(QuarterOf(samples[first + 15].data, 1), Blue());
}

// Each case in a filter of its own: the own clock starts when the filter is
// made and never goes back.
TEST(QuadViewTimes, OutputTimesComeFromTheTimeBaseInputOrTheOwnClock)
{
    RegisteredQuadView module;
    ASSERT_EQ(module.RegisterResult(), S_OK);
    struct Case {
        LONG choice, offset;
        BYTE zero;
        bool feedInputOne;
        REFERENCE_TIME starts[3], stops[3];  // all -1: the input's times
    };
    const Case cases[] = {
        {4, 0, 0, false, {0, 340000, 670000}, {330000, 660000, 990000}},
        {4, 0, 1, false, {0, 0, 0}, {0, 0, 0}},
        {0, 0, 0, false, {-1, -1, -1}, {-1, -1, -1}},
        {1, 0, 0, false, {0, 340000, 670000}, {330000, 660000, 990000}},  // input 1 silent
        {1, 0, 0, true, {-1, -1, -1}, {-1, -1, -1}},
        // No such input: the time base stays on input 0.
        {7, 0, 0, false, {-1, -1, -1}, {-1, -1, -1}},
        {-3, 0, 0, false, {-1, -1, -1}, {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        QuadGraph quad;
        quad.settings->SetTimeBase(c.choice);
        quad.settings->SetTimeOffset(c.offset);
        quad.settings->SetZeroTimestamps(c.zero);
        std::vector<TestFrame> frames;
        for (REFERENCE_TIME k = 0; k < 3; ++k)
            frames.push_back(TimedFrame(RandomFrame(4), 5'000'000 + k * 400'000, 5'300'000 + k * 400'000));
        ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), frames, 5, true), S_OK);
        ASSERT_EQ(quad.AddSource(1, Rgb24Type(kWidth, kHeight), c.feedInputOne ? frames : std::vector<TestFrame>{}, 5,
                                 c.feedInputOne),
                  S_OK);
        ASSERT_EQ(quad.ConnectOutput(), S_OK);
        ASSERT_EQ(quad.graph->Run(), S_OK);
        // Until the time-base input's first sample has come, the own clock
        // stamps the outputs; on a slow machine that can be the first output
        // or two, so the input's times are judged on later outputs.
        const bool inputTimes = c.starts[0] == -1;
        const std::size_t first = inputTimes ? 3 : 0;
        ASSERT_TRUE(quad.sink->WaitForSamples(first + 3, 5000)) << c.choice;
        const auto samples = quad.sink->Samples();
        for (std::size_t i = first; i < first + 3; ++i) {
            ASSERT_TRUE(samples[i].timed);
            if (!inputTimes) {
                EXPECT_EQ(samples[i].start, c.starts[i]) << c.choice << " " << i;
                EXPECT_EQ(samples[i].stop, c.stops[i]) << c.choice << " " << i;
                EXPECT_TRUE(samples[i].syncPoint);
            } else {
                EXPECT_EQ((samples[i].start - 5'000'000) % 400'000, 0) << c.choice << " " << i;
                EXPECT_EQ(samples[i].stop - samples[i].start, 300'000) << c.choice << " " << i;
            }
        }
    }
}

// End of stream goes on once every connected input has ended.
TEST_F(QuadViewGraph, EndOfStreamFollowsTheLastConnectedInput)
{
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {Frame(RandomFrame(5))}, 0, false, true), S_OK);
    ASSERT_EQ(quad.AddSource(3, Rgb24Type(kWidth, kHeight), {Frame(RandomFrame(6)), Frame(RandomFrame(7))}, 20, false,
                             true),
              S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Run(), S_OK);
    ASSERT_TRUE(quad.sink->WaitForEndOfStream(5000));
    Sleep(50);
    EXPECT_EQ(quad.sink->EndOfStreamCount(), 1);
    EXPECT_GE(quad.sink->SampleCount(), 1u);
}

// With the output connected but no input, a pause tells downstream once,
// and again after a stop.
TEST_F(QuadViewGraph, PausingWithoutAnInputSendsEndOfStreamOnce)
{
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {}), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Disconnect(quad.sources[0]->GetPin(0)), S_OK);
    ASSERT_EQ(quad.graph->Disconnect(quad.Pin(u"In0").Get()), S_OK);
    ASSERT_EQ(quad.sink->Pause(), S_OK);
    ASSERT_EQ(quad.filter->Pause(), S_OK);
    ASSERT_EQ(quad.filter->Pause(), S_OK);
    EXPECT_EQ(quad.sink->EndOfStreamCount(), 1);
    ASSERT_EQ(quad.filter->Stop(), S_OK);
    ASSERT_EQ(quad.filter->Pause(), S_OK);
    EXPECT_EQ(quad.sink->EndOfStreamCount(), 2);
    quad.filter->Stop();
    quad.sink->Stop();
}

TEST_F(QuadViewGraph, SegmentsPassFromTheTimeBaseInputAndFlushesFromAnyConnectedOne)
{
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {}), S_OK);
    ASSERT_EQ(quad.AddSource(1, Rgb24Type(kWidth, kHeight), {}), S_OK);
    EXPECT_EQ(quad.Pin(u"In0")->BeginFlush(), VFW_E_NOT_CONNECTED);  // output not yet connected
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    EXPECT_EQ(quad.Pin(u"In1")->NewSegment(0, 100, 1.0), S_OK);
    EXPECT_EQ(quad.Pin(u"In0")->NewSegment(0, 200, 1.0), S_OK);
    quad.settings->SetTimeBase(4);
    EXPECT_EQ(quad.Pin(u"In0")->NewSegment(0, 300, 1.0), S_OK);
    const auto segments = quad.sink->Segments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].stop, 200);

    EXPECT_EQ(quad.Pin(u"In2")->BeginFlush(), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(quad.Pin(u"In1")->BeginFlush(), S_OK);
    EXPECT_EQ(quad.Pin(u"In1")->EndFlush(), S_OK);
    EXPECT_EQ(quad.sink->BeginFlushCount(), 1);
    EXPECT_EQ(quad.sink->EndFlushCount(), 1);
}

// A sample too short for a frame cannot be drawn: the output is skipped and
// the graph hears of the quality change once.
TEST_F(QuadViewGraph, UndrawableSamplesSkipTheOutputAndReportAQualityChangeOnce)
{
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {Frame(Bytes(10, 1))}, 2, true), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Run(), S_OK);
    ASSERT_TRUE(quad.graph->WaitForEvent(EC_QUALITY_CHANGE, 5000));
    Sleep(100);
    int changes = 0;
    for (const GraphEvent& event : quad.graph->Events()) changes += event.code == EC_QUALITY_CHANGE;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(quad.sink->SampleCount(), 0u);
}

// Samples of a control stream are taken and dropped: only the media
// sample after them makes an output.
TEST_F(QuadViewGraph, ControlStreamSamplesMakeNoOutput)
{
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(kWidth, kHeight), {}), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    ASSERT_EQ(quad.graph->Run(), S_OK);
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(CMemAllocator::Create(allocator.Out()), S_OK);
    ALLOCATOR_PROPERTIES wanted{1, static_cast<LONG>(kFrameBytes), 1, 0}, got{};
    ASSERT_EQ(allocator->SetProperties(&wanted, &got), S_OK);
    ASSERT_EQ(allocator->Commit(), S_OK);
    auto input = quad.Pin(u"In0").As<IMemInputPin>(IID_IMemInputPin);
    const auto send = [&](DWORD streamId) {
        ComPtr<IMediaSample> sample;
        ASSERT_EQ(allocator->GetBuffer(sample.Out(), nullptr, nullptr, 0), S_OK);
        auto sample2 = sample.As<IMediaSample2>(IID_IMediaSample2);
        AM_SAMPLE2_PROPERTIES props{};
        ASSERT_EQ(sample2->GetProperties(sizeof props, reinterpret_cast<BYTE*>(&props)), S_OK);
        props.dwStreamId = streamId;
        props.lActual = static_cast<LONG>(kFrameBytes);
        ASSERT_EQ(sample2->SetProperties(sizeof props, reinterpret_cast<const BYTE*>(&props)), S_OK);
        EXPECT_EQ(input->Receive(sample.Get()), S_OK);
    };
    send(AM_STREAM_CONTROL);
    Sleep(100);
    EXPECT_EQ(quad.sink->SampleCount(), 0u);
    send(AM_STREAM_MEDIA);
    EXPECT_TRUE(quad.sink->WaitForSamples(1, 5000));
    quad.graph->Stop();
    allocator->Decommit();
}

} // namespace
