// Both filters in a whole graph: push source -> filter -> recording sink,
// the filter created by CLSID from the registered module.
#include "StereoPairTestSupport.h"
#include "TestBytes.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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

// Pixels named by letters: every byte of pixel k holds k+1.
Bytes Letters(std::initializer_list<int> pixels, unsigned bytesPerPixel)
{
    Bytes bytes;
    for (int p : pixels) bytes.insert(bytes.end(), bytesPerPixel, static_cast<std::uint8_t>(p));
    return bytes;
}

Bytes Words555(std::initializer_list<std::uint16_t> words)
{
    Bytes bytes;
    for (std::uint16_t w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return bytes;
}

class StereoGraph : public ::testing::Test {
protected:
    // Builds source -> filter -> sink with `type` offered by the source.
    HRESULT Build(REFCLSID filterClsid, const CMediaType& type, std::vector<TestFrame> frames, bool loop = false)
    {
        PushSourceConfig config;
        config.types = {type};
        config.frames = std::move(frames);
        config.loop = loop;
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

    void TearDown() override
    {
        if (graph) {
            graph->Stop();
            graph->DisconnectAll();
        }
    }

    RegisteredStereoPair module;
    ComPtr<CPushSource> source;
    ComPtr<IBaseFilter> filter;
    ComPtr<CRecordingSink> sink;
    ComPtr<CFilterGraph> graph;
};

TEST_F(StereoGraph, GreenShiftChangesFramesWhilePaused)
{
    const Bytes rgb24{1, 10, 100, 2, 20, 200, 3, 30, 250};
    ASSERT_EQ(Build(CLSID_GreenShift, Rgb24Type(3, 1), {Frame(rgb24, 0), Frame(rgb24, 333333)}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 2u);
    for (const ReceivedSample& sample : got) EXPECT_EQ(sample.data, (Bytes{1, 0, 100, 2, 10, 200, 3, 20, 250}));
    EXPECT_EQ(got[1].start, 333333);
    EXPECT_EQ(got[1].stop, 666666);
    EXPECT_EQ(sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB24);
}

// Two rows of two pixels: the first pixel of the upper row takes the green
// of the last pixel of the row below; red, blue and bit 15 never move.
TEST_F(StereoGraph, GreenShiftMovesRgb555GreenAcrossRowEndsWhileRunning)
{
    const Bytes frame = Words555({0x7C00 | (1 << 5), 0x801F | (2 << 5), 0x0000 | (3 << 5), 0xFFFF});
    ASSERT_EQ(Build(CLSID_GreenShift, Rgb555Type(2, 2), {Frame(frame, 0)}), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, Words555({0x7C00, 0x801F | (1 << 5), 0x0000 | (2 << 5), 0xFC1F | (3 << 5)}));
}

TEST_F(StereoGraph, InterlaceInterleavesEveryRowWhileRunning)
{
    const Bytes frame = Letters({1, 2, 3, 4, 5, 6, 7, 8}, 3);
    ASSERT_EQ(Build(CLSID_Interlace, Rgb24Type(4, 2), {Frame(frame, 0)}), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, Letters({1, 3, 2, 4, 5, 7, 6, 8}, 3));
}

TEST_F(StereoGraph, InterlaceHandlesASingleRowWhilePaused)
{
    ASSERT_EQ(Build(CLSID_Interlace, Rgb555Type(6, 1), {Frame(Letters({1, 2, 3, 4, 5, 6}, 2), 0)}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, Letters({1, 4, 2, 5, 3, 6}, 2));
}

// An odd width is accepted; the last pixel of each row keeps its place.
TEST_F(StereoGraph, InterlaceKeepsTheLastPixelOfOddWidthRows)
{
    ASSERT_EQ(Build(CLSID_Interlace, Rgb24Type(5, 2), {Frame(Letters({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 3), 0)}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    const auto got = AllSamples();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, Letters({1, 3, 2, 4, 5, 6, 8, 7, 9, 10}, 3));
}

// Samples shorter than the frame, of a partial row or pixel, of one pixel or
// empty: whole rows and pixels are processed, nothing beyond the data.
TEST_F(StereoGraph, ShortSamplesAreProcessedOnlyAsFarAsTheyGo)
{
    const Bytes rowAndAHalf = Letters({1, 2, 3, 4, 5, 6}, 3);
    ASSERT_EQ(Build(CLSID_Interlace, Rgb24Type(4, 2), {Frame(rowAndAHalf, 0), Frame({}, 1)}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    auto got = AllSamples();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].data, Letters({1, 3, 2, 4, 5, 6}, 3));
    EXPECT_TRUE(got[1].data.empty());
    ASSERT_EQ(graph->Stop(), S_OK);
    graph->DisconnectAll();

    const Bytes pixelAndAHalf{7, 8, 9, 10, 11};
    ASSERT_EQ(Build(CLSID_GreenShift, Rgb24Type(2, 2), {Frame(pixelAndAHalf, 0), Frame({}, 1)}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    got = AllSamples();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].data, (Bytes{7, 0, 9, 10, 11}));
    EXPECT_TRUE(got[1].data.empty());
}

// A type change carried by a sample describes that frame and the ones after.
TEST_F(StereoGraph, FramesFollowATypeChangeFromUpstream)
{
    TestFrame narrow = Frame(Letters({1, 2, 3, 4}, 3), 1);
    narrow.type = Rgb24Type(2, 2);
    ASSERT_EQ(Build(CLSID_Interlace, Rgb24Type(4, 1),
                    {Frame(Letters({1, 2, 3, 4}, 3), 0), narrow, Frame(Letters({1, 2, 3, 4}, 3), 2)}),
              S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    auto got = AllSamples();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].data, Letters({1, 3, 2, 4}, 3));
    EXPECT_EQ(got[1].data, Letters({1, 2, 3, 4}, 3));
    EXPECT_EQ(got[2].data, Letters({1, 2, 3, 4}, 3));
    ASSERT_EQ(graph->Stop(), S_OK);
    graph->DisconnectAll();

    TestFrame rgb555 = Frame(Words555({1 << 5, 2 << 5, 3 << 5}), 1);
    rgb555.type = Rgb555Type(3, 1);
    ASSERT_EQ(Build(CLSID_GreenShift, Rgb24Type(2, 1), {Frame({1, 10, 100, 2, 20, 200}, 0), rgb555}), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    got = AllSamples();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].data, (Bytes{1, 0, 100, 2, 10, 200}));
    EXPECT_EQ(got[1].data, Words555({0, 1 << 5, 2 << 5}));
}

// A sample that claims no room for its data is passed on untouched.
TEST_F(StereoGraph, ASampleClaimingANegativeSizeIsLeftAlone)
{
    for (const CLSID* clsid : {&CLSID_GreenShift, &CLSID_Interlace}) {
        ASSERT_EQ(Build(*clsid, Rgb24Type(2, 1), {}), S_OK);
        ASSERT_EQ(graph->Pause(), S_OK);
        ComPtr<IPin> input;
        ASSERT_EQ(filter->FindPin(u"Input", input.Out()), S_OK);
        ForeignSample sample({1, 10, 100, 2, 20, 200}, -1);
        EXPECT_EQ(input.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
        EXPECT_EQ(sample.data, (Bytes{1, 10, 100, 2, 20, 200}));
        ASSERT_EQ(graph->Stop(), S_OK);
        graph->DisconnectAll();
    }
}

// The setting decides at connection; changing it later keeps the connection.
class StereoGraphColour : public StereoGraph {
protected:
    template <class Traits>
    void ExpectCheckedAtConnection()
    {
        ASSERT_EQ(Build(Traits::kClsid, Rgb24Type(4, 2), {Frame(Bytes(24), 0)}), S_OK);
        auto settings = filter.As<typename Traits::Settings>(Traits::kIid);
        ASSERT_EQ(settings->SetVideoColour(0), S_OK);
        EXPECT_EQ(graph->Pause(), S_OK);
        EXPECT_TRUE(sink->WaitForEndOfStream(5000));
        ASSERT_EQ(graph->Stop(), S_OK);
        graph->DisconnectAll();
        EXPECT_TRUE(FAILED(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"Input")));
        ASSERT_EQ(settings->SetVideoColour(1), S_OK);
        EXPECT_EQ(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"Input"), S_OK);
        graph->DisconnectAll();
    }
};

TEST_F(StereoGraphColour, VideoColourIsCheckedWhenTheInputConnects)
{
    ExpectCheckedAtConnection<GreenShiftTraits>();
    ExpectCheckedAtConnection<InterlaceTraits>();
}

// A top-down frame comes out as the picture its bottom-up twin gives, the
// right way up; top-down rows that hold no whole pixels are refused.
TEST_F(StereoGraph, GreenShiftGivesTopDownFramesTheirBottomUpTwinsPicture)
{
    struct Case {
        CMediaType (*type)(LONG, LONG);
        LONG width, height;
        std::size_t rowBytes;
    };
    const Case cases[] = {{Rgb24Type, 4, 3, 12}, {Rgb24Type, 8, 2, 24}, {Rgb555Type, 2, 5, 4}, {Rgb555Type, 6, 4, 12}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        const Bytes bottomUp = RandomBytes(c.rowBytes * static_cast<std::size_t>(c.height), seed++);
        Bytes outputs[2];
        for (const bool topDown : {false, true}) {
            const Bytes frame = topDown ? RowsReversed(bottomUp, c.rowBytes) : bottomUp;
            ASSERT_EQ(Build(CLSID_GreenShift, c.type(c.width, topDown ? -c.height : c.height), {Frame(frame, 0)}),
                      S_OK);
            ASSERT_EQ(graph->Pause(), S_OK);
            const auto got = AllSamples();
            ASSERT_EQ(got.size(), 1u);
            outputs[topDown] = got[0].data;
            TearDown();
        }
        EXPECT_EQ(outputs[1], RowsReversed(outputs[0], c.rowBytes)) << c.width << " x " << c.height;
    }
    EXPECT_TRUE(FAILED(Build(CLSID_GreenShift, Rgb24Type(5, -2), {Frame(Bytes(32), 0)})));
}

// Frames pass through unchanged in size, so the output takes only a type
// with the input's frame layout.
TEST_F(StereoGraph, OutputRefusesATypeOfAnotherFrameSize)
{
    for (const CLSID* clsid : {&CLSID_GreenShift, &CLSID_Interlace}) {
        ASSERT_EQ(Build(*clsid, Rgb24Type(4, 2), {Frame(Bytes(24), 0)}), S_OK);
        ComPtr<IPin> output;
        ASSERT_EQ(filter->FindPin(u"Output", output.Out()), S_OK);
        const CMediaType same = Rgb24Type(4, 2);
        EXPECT_EQ(output->QueryAccept(&same), S_OK);
        for (const CMediaType& other : {Rgb24Type(8, 2), Rgb24Type(4, 3), Rgb24Type(4, -2)})
            EXPECT_EQ(output->QueryAccept(&other), S_FALSE);
        graph->DisconnectAll();
    }
}

// The page's thread changes the setting while samples flow; every frame is
// still processed whole.
TEST_F(StereoGraph, SettingsChangeSafelyWhileFramesFlow)
{
    const Bytes frame = RandomBytes(64 * 4 * 3, 11);
    Bytes expected = frame;
    for (std::size_t row = 0; row < 4; ++row) {
        const std::size_t base = row * 64 * 3;
        for (std::size_t j = 0; j < 32; ++j) {
            std::copy_n(frame.begin() + base + j * 3, 3, expected.begin() + base + 2 * j * 3);
            std::copy_n(frame.begin() + base + (32 + j) * 3, 3, expected.begin() + base + (2 * j + 1) * 3);
        }
    }
    ASSERT_EQ(Build(CLSID_Interlace, Rgb24Type(64, 4), {Frame(frame, 0)}, true), S_OK);
    auto settings = filter.As<IInterlaceSettings>(IID_IInterlaceSettings);
    ASSERT_EQ(graph->Run(), S_OK);
    for (LONG i = 0; !sink->WaitForSamples(50, 0) && i < 100000; ++i) {
        settings->SetVideoColour(i % 3);
        LONG value = -1;
        settings->GetVideoColour(&value);
        EXPECT_EQ(value, i % 3);
    }
    ASSERT_TRUE(sink->WaitForSamples(50, 5000));
    ASSERT_EQ(graph->Stop(), S_OK);
    for (const ReceivedSample& sample : sink->Samples()) ASSERT_EQ(sample.data, expected);
}

} // namespace
