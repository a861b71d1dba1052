// Each element shape gives the bytes its filter gives when a graph drives
// it directly, with pictures the right way up, times carried, and end of
// stream reaching the sink.
#include "PluginTestSupport.h"

#include "FilterModuleTestSupport.h"
#include "FxBankClsids.h"
#include "ISubliminalSettings.h"
#include "QuadViewClsids.h"
#include "StereoPairClsids.h"
#include "VideoCaps.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

struct OutputCase {
    const char* factory;
    CLSID clsid;
    int inputs;
    const char* format;
    int width;
    int height;
};

class ElementOutput : public ::testing::TestWithParam<OutputCase> {};

constexpr GstClockTime kFrame = GST_SECOND / 30;

TEST_P(ElementOutput, MatchesTheFilterDrivenThroughAGraph)
{
    const OutputCase& c = GetParam();
    const std::size_t rowBytes = static_cast<std::size_t>(c.width) * (std::string(c.format) == "BGR" ? 3 : 2);
    const std::size_t frameBytes = rowBytes * static_cast<std::size_t>(c.height);
    const bool inPlace = c.inputs == 1;
    // GStreamer's pictures run top down, the graph's bottom up.
    std::vector<std::vector<Bytes>> pictures(static_cast<std::size_t>(c.inputs));
    std::vector<std::vector<Bytes>> bottomUp(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (unsigned j = 0; j < (inPlace ? 3u : 1u); ++j) {
            pictures[i].push_back(TestPicture(frameBytes, 10 * static_cast<unsigned>(i) + j + 1));
            bottomUp[i].push_back(Flipped(pictures[i].back(), rowBytes));
        }
    CMediaType type;
    std::string why;
    GstCaps* caps = VideoCaps(c.format, c.width, c.height);
    ASSERT_TRUE(MediaTypeFromCaps(caps, type, why)) << why;
    gst_caps_unref(caps);
    const std::vector<Bytes> expected = DriveThroughTestGraph(c.clsid, type, bottomUp);
    ASSERT_FALSE(expected.empty());

    ElementRun run(c.factory, c.inputs);
    std::vector<GstCaps*> inputCaps;
    for (int i = 0; i < c.inputs; ++i) inputCaps.push_back(VideoCaps(c.format, c.width, c.height));
    ASSERT_TRUE(run.Start(inputCaps));
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = 0; j < pictures[i].size(); ++j)
            run.Push(static_cast<int>(i), pictures[i][j], j * kFrame, kFrame);
    if (!inPlace) {
        // A composing filter's output thread forgets frames that came before
        // its loop started (it clears its new-frame flag then): the pictures
        // are sent once more, a frame later, as a live source would.
        g_usleep(30 * 1000);
        for (std::size_t i = 0; i < pictures.size(); ++i)
            run.Push(static_cast<int>(i), pictures[i][0], kFrame, kFrame);
    }
    run.EndInputs();
    const std::vector<OutputBuffer> outputs = run.Collect();
    EXPECT_TRUE(run.SawEndOfStream());
    ASSERT_FALSE(outputs.empty());
    if (inPlace) {
        ASSERT_EQ(outputs.size(), expected.size());
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            EXPECT_EQ(Flipped(outputs[j].bytes, rowBytes), expected[j]) << "frame " << j;
            EXPECT_EQ(outputs[j].pts, j * kFrame);
            EXPECT_EQ(outputs[j].duration, kFrame);
        }
    } else {
        // The filter composes whenever an input arrives: once all have, the
        // last frame holds every picture.
        EXPECT_EQ(Flipped(outputs.back().bytes, rowBytes), expected.back());
        for (std::size_t j = 1; j < outputs.size(); ++j) EXPECT_GT(outputs[j].pts, outputs[j - 1].pts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ElementOutput,
    ::testing::Values(OutputCase{"ostrelgreenshift", CLSID_GreenShift, 1, "BGR", 8, 6},
                      OutputCase{"ostrelgreenshift", CLSID_GreenShift, 1, "RGB15", 6, 4},
                      OutputCase{"ostrelinterlace", CLSID_Interlace, 1, "BGR", 12, 5},
                      OutputCase{"ostrelghost", CLSID_Ghost, 1, "BGR", 8, 6},
                      OutputCase{"ostrelscroll", CLSID_Scroll, 1, "BGR", 8, 5},
                      OutputCase{"ostrelstereodisplay", CLSID_StereoDisplay, 2, "BGR", 8, 6},
                      OutputCase{"ostrellevelcompress", CLSID_LevelCompress, 2, "RGB15", 8, 6},
                      OutputCase{"ostrelquadview", CLSID_QuadView, 4, "BGR", 16, 8}),
    [](const auto& info) {
        return std::string(info.param.factory + 6) + "_" + info.param.format + "_" + std::to_string(info.param.width);
    });

// Noise draws in memory order however the rows run, so the element gives
// what the filter gives GStreamer's rows in a top-down frame of the test
// graph, frame after frame.
TEST(ElementOutput, NoiseGivesTheFiltersBytesForTopDownFrames)
{
    for (const auto& [width, height] : {std::pair{8, 6}, std::pair{12, 5}}) {
        const std::size_t frameBytes = static_cast<std::size_t>(width * height * 3);
        std::vector<Bytes> pictures;
        for (unsigned j = 0; j < 3; ++j) pictures.push_back(TestPicture(frameBytes, j + 1));
        CMediaType type;
        std::string why;
        GstCaps* caps = VideoCaps("BGR", width, height);
        ASSERT_TRUE(MediaTypeFromCaps(caps, type, why)) << why;
        gst_caps_unref(caps);
        MakeTopDown(type);
        const std::vector<Bytes> expected = DriveThroughTestGraph(CLSID_Noise, type, {pictures});
        ASSERT_EQ(expected.size(), pictures.size());

        ElementRun run("ostrelnoise", 1);
        ASSERT_TRUE(run.Start({VideoCaps("BGR", width, height)}));
        for (std::size_t j = 0; j < pictures.size(); ++j) run.Push(0, pictures[j], j * kFrame, kFrame);
        run.EndInputs();
        const std::vector<OutputBuffer> outputs = run.Collect();
        ASSERT_EQ(outputs.size(), expected.size());
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            EXPECT_NE(expected[j], pictures[j]);
            EXPECT_EQ(outputs[j].bytes, expected[j]) << width << " x " << height << ", frame " << j;
        }
    }
}

// A white top row on black stays the brightest row: the same whether the
// filter takes the rows top-down or the element turns them for it.
TEST(ElementOutput, KeepsThePictureTheRightWayUp)
{
    constexpr int kWidth = 8, kHeight = 6;
    constexpr std::size_t kRowBytes = kWidth * 3;
    Bytes picture(kRowBytes * kHeight, 0);
    std::fill_n(picture.begin(), kRowBytes, 0xFF);
    for (const auto& [factory, inputs] : {std::pair{"ostrelgreenshift", 1}, std::pair{"ostrelstereodisplay", 2},
                                          std::pair{"ostrelghost", 1}, std::pair{"ostrelscroll", 1},
                                          std::pair{"ostrelnoise", 1}}) {
        ElementRun run(factory, inputs);
        std::vector<GstCaps*> caps;
        for (int i = 0; i < inputs; ++i) caps.push_back(VideoCaps("BGR", kWidth, kHeight));
        ASSERT_TRUE(run.Start(caps)) << factory;
        for (int i = 0; i < inputs; ++i) run.Push(i, picture, 0, kFrame);
        if (inputs > 1) {
            g_usleep(30 * 1000);
            for (int i = 0; i < inputs; ++i) run.Push(i, picture, kFrame, kFrame);
        }
        run.EndInputs();
        const std::vector<OutputBuffer> outputs = run.Collect();
        ASSERT_FALSE(outputs.empty()) << factory;
        const Bytes& out = outputs.back().bytes;
        ASSERT_EQ(out.size(), picture.size()) << factory;
        std::vector<unsigned> rowSums;
        for (std::size_t row = 0; row < kHeight; ++row)
            rowSums.push_back(std::accumulate(out.begin() + static_cast<std::ptrdiff_t>(row * kRowBytes),
                                              out.begin() + static_cast<std::ptrdiff_t>((row + 1) * kRowBytes), 0u));
        EXPECT_EQ(std::max_element(rowSums.begin(), rowSums.end()) - rowSums.begin(), 0) << factory;
    }
}

} // namespace

namespace {

// The rate is the filter's, not the input's: one frame in, a steady stream
// of copies out, stamped gap-free from 0.
TEST(FrameRateControlElement, RepeatsTheLatestFrameAtItsRate)
{
    ElementRun run("ostrelframeratecontrol", 1, "frame-rate=50");
    ASSERT_TRUE(run.Start({VideoCaps("BGR", 8, 4)}));
    const Bytes picture = TestPicture(8 * 4 * 3, 7);
    run.Push(0, picture, 0, GST_SECOND);
    std::vector<OutputBuffer> outputs = run.Collect(5000, 3);
    run.EndInputs();
    for (OutputBuffer& late : run.Collect()) outputs.push_back(std::move(late));
    EXPECT_TRUE(run.SawEndOfStream());
    ASSERT_GE(outputs.size(), 2u);
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        EXPECT_EQ(outputs[j].bytes, picture);
        EXPECT_EQ(outputs[j].pts, j * GST_SECOND / 50);
        EXPECT_EQ(outputs[j].duration, GST_SECOND / 50);
    }
}

} // namespace

namespace {

// Media the filter does not look into passes whole and in order, paced on
// the wall clock, and the stream ends only after the queue has emptied.
TEST(HoldQueueElement, PassesAnyMediaWholeBeforeTheEnd)
{
    ElementRun run("ostrelholdqueue", 1);
    ASSERT_TRUE(run.Start({gst_caps_from_string("application/x-ostrel-test")}));
    std::vector<Bytes> sent;
    for (unsigned j = 0; j < 5; ++j) {
        sent.push_back(TestPicture(100 + j, j));
        run.Push(0, sent.back(), j * GST_SECOND / 50, GST_SECOND / 50);
    }
    run.EndInputs();
    const std::vector<OutputBuffer> outputs = run.Collect();
    EXPECT_TRUE(run.SawEndOfStream());
    ASSERT_EQ(outputs.size(), sent.size());
    for (std::size_t j = 0; j < sent.size(); ++j) EXPECT_EQ(outputs[j].bytes, sent[j]);
}

} // namespace

namespace {

// The Subliminal filter in a paused graph, its sub and main samples handed
// to its pins in the order given (so which main frames find a sub frame is
// fixed), the main frames as they came out.
std::vector<Bytes> DriveSubliminalThroughTestGraph(const CMediaType& type, LONG period, LONG subCount,
                                                   const Bytes& subFrame, const std::vector<Bytes>& mainFrames)
{
    ComPtr<CFilterGraph> graph;
    EXPECT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(graph->AddFilterByClsid(CLSID_Subliminal, u"Subliminal", filter.Out()), S_OK);
    if (!filter) return {};
    auto settings = filter.As<ISubliminalFilter>(IID_ISubliminalFilter);
    settings->SetPeriod(period);
    settings->SetSubCount(subCount);
    std::vector<ComPtr<CPushSource>> sources;
    for (const char16_t* input : {u"In", u"SubInput"}) {
        PushSourceConfig config;
        config.types = {type};
        config.endOfStream = false;
        sources.push_back(ComPtr<CPushSource>::Adopt(CPushSource::Create(config)));
        graph->AddFilter(sources.back().Get(), nullptr);
        EXPECT_EQ(graph->ConnectPins(sources.back().Get(), u"Output", filter.Get(), input), S_OK);
    }
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    graph->AddFilter(sink.Get(), u"Sink");
    EXPECT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    EXPECT_EQ(graph->Pause(), S_OK);
    const auto receive = [&](const char16_t* pinId, const Bytes& data) {
        ComPtr<IPin> pin;
        filter->FindPin(pinId, pin.Out());
        ForeignSample sample(data, static_cast<LONG>(data.size()));
        EXPECT_EQ(pin.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
    };
    receive(u"SubInput", subFrame);
    for (const Bytes& frame : mainFrames) receive(u"In", frame);
    graph->Stop();
    graph->DisconnectAll();
    std::vector<Bytes> outputs;
    for (const ReceivedSample& sample : sink->Samples()) outputs.push_back(sample.data);
    return outputs;
}

// The sub frame first, then main frames: fed from pads of the test's own,
// each push is done with when it returns, so the cadence meets the sub
// frame exactly as in the graph. Settings that limit each other are set
// both ways round.
TEST(SubliminalElement, ShowsTheSubFrameAtTheFiltersCadence)
{
    constexpr int kWidth = 8;
    constexpr int kHeight = 6;
    constexpr std::size_t kRowBytes = kWidth * 3;
    struct Cadence {
        LONG period;
        LONG subCount;
        const char* shown;  // x where the sub frame replaced the main frame
    };
    for (const Cadence& c : {Cadence{3, 1, "x..x..x"}, Cadence{10, 4, "x.x.x.x"}, Cadence{1, 1, "xxxxxxx"}}) {
        SCOPED_TRACE(c.shown);
        const Bytes sub = TestPicture(kRowBytes * kHeight, 99);
        std::vector<Bytes> mains;
        std::vector<Bytes> mainsBottomUp;
        for (unsigned j = 0; j < 7; ++j) {
            mains.push_back(TestPicture(kRowBytes * kHeight, j + 1));
            mainsBottomUp.push_back(Flipped(mains.back(), kRowBytes));
        }
        CMediaType type = Rgb24Type(kWidth, kHeight);
        const std::vector<Bytes> expected =
            DriveSubliminalThroughTestGraph(type, c.period, c.subCount, Flipped(sub, kRowBytes), mainsBottomUp);
        ASSERT_EQ(expected.size(), mains.size());

        ElementRun run("ostrelsubliminal", 2,
                       "period=" + std::to_string(c.period) + " sub-count=" + std::to_string(c.subCount), Feed::Pad);
        ASSERT_TRUE(run.Start({VideoCaps("BGR", kWidth, kHeight), VideoCaps("BGR", kWidth, kHeight)}));
        run.Push(1, sub, 0, kFrame);
        for (std::size_t j = 0; j < mains.size(); ++j) run.Push(0, mains[j], j * kFrame, kFrame);
        run.EndInputs();
        const std::vector<OutputBuffer> outputs = run.Collect();
        EXPECT_TRUE(run.SawEndOfStream());
        ASSERT_EQ(outputs.size(), mains.size());
        std::string shown;
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            EXPECT_EQ(Flipped(outputs[j].bytes, kRowBytes), expected[j]) << "frame " << j;
            EXPECT_EQ(outputs[j].pts, j * kFrame);
            shown += outputs[j].bytes == sub ? 'x' : outputs[j].bytes == mains[j] ? '.' : '?';
        }
        EXPECT_EQ(shown, c.shown);
    }
}

} // namespace
