// Subliminal from the registered module: the main video from one source
// through "In" and "Out" to a recording sink, the sub video from another
// into "SubInput".
#include "FxBankTestSupport.h"
#include "TestBytes.h"
#include "enumerators.h"
#include "filter_graph.h"
#include "kernel.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SubliminalGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        ASSERT_EQ(graph->AddFilterByClsid(CLSID_Subliminal, u"Subliminal", filter.Out()), S_OK);
        settings = filter.As<ISubliminalFilter>(IID_ISubliminalFilter);
        ASSERT_TRUE(settings);
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    HRESULT AddSource(ComPtr<CPushSource>& source, const char16_t* inputId, const CMediaType& type,
                      std::vector<Bytes> frames = {}, bool loop = false)
    {
        PushSourceConfig config;
        config.types = {type};
        for (Bytes& data : frames) {
            TestFrame frame;
            frame.data = std::move(data);
            config.frames.push_back(std::move(frame));
        }
        config.loop = loop;
        config.endOfStream = false;
        config.bufferSize = static_cast<LONG>(type.lSampleSize);
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), inputId);
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), inputId);
    }

    // Both inputs and the output connected for 4 × 2 frames, paused.
    void BuildPaused()
    {
        ASSERT_EQ(AddSource(main, u"In", Rgb24Type(4, 2)), S_OK);
        ASSERT_EQ(AddSource(sub, u"SubInput", Rgb24Type(4, 2)), S_OK);
        ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
        ASSERT_EQ(graph->Pause(), S_OK);
    }

    Bytes Receive(const char16_t* pinId, const Bytes& data)
    {
        ComPtr<IPin> pin;
        EXPECT_EQ(filter->FindPin(pinId, pin.Out()), S_OK);
        ForeignSample sample(data, static_cast<LONG>(data.size()));
        EXPECT_EQ(pin.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
        return sample.data;
    }

    // Sends `count` main frames; x where the sub frame went out instead.
    std::string SendMainFrames(int count, const Bytes& subFrame)
    {
        std::string shown;
        for (int i = 0; i < count; ++i) {
            const Bytes frame(subFrame.size(), static_cast<BYTE>(i + 1));
            const Bytes out = Receive(u"In", frame);
            shown += out == subFrame ? 'x' : out == frame ? '.' : '?';
        }
        return shown;
    }

    RegisteredFxBank module;
    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<ISubliminalFilter> settings;
    ComPtr<CRecordingSink> sink;
    ComPtr<CPushSource> main;
    ComPtr<CPushSource> sub;
};

TEST_F(SubliminalGraph, HasThreePinsFoundByTheirIds)
{
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(filter->EnumPins(pins.Out()), S_OK);
    struct Expected {
        const char16_t* name;
        const char16_t* id;
        PIN_DIRECTION direction;
    };
    for (const Expected& e : {Expected{u"Input", u"In", PINDIR_INPUT}, Expected{u"Output", u"Out", PINDIR_OUTPUT},
                              Expected{u"SubInput", u"SubInput", PINDIR_INPUT}}) {
        ComPtr<IPin> pin;
        ASSERT_EQ(pins->Next(1, pin.Out(), nullptr), S_OK);
        PIN_INFO info{};
        ASSERT_EQ(pin->QueryPinInfo(&info), S_OK);
        if (info.pFilter) info.pFilter->Release();
        EXPECT_EQ(std::u16string(info.achName), e.name);
        EXPECT_EQ(info.dir, e.direction);
        ComPtr<IPin> found;
        EXPECT_EQ(filter->FindPin(e.id, found.Out()), S_OK);
        EXPECT_EQ(found.Get(), pin.Get());
    }
    ComPtr<IPin> none;
    EXPECT_EQ(pins->Next(1, none.Out(), nullptr), S_FALSE);
    for (const char16_t* id : {u"Input", u"Output", u"Sub", u""})
        EXPECT_EQ(filter->FindPin(id, none.Out()), VFW_E_NOT_FOUND);
}

TEST_F(SubliminalGraph, ReplacesFramesZeroStepTwoStepAfterEveryPause)
{
    BuildPaused();
    const Bytes subFrame = RandomBytes(24, 1);
    EXPECT_EQ(SendMainFrames(2, subFrame), "..");  // no sub frame yet
    Receive(u"SubInput", subFrame);
    ASSERT_EQ(graph->Stop(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ASSERT_EQ(settings->SetPeriod(10), S_OK);
    ASSERT_EQ(settings->SetSubCount(4), S_OK);
    EXPECT_EQ(SendMainFrames(7, subFrame), "x.x.x.x");
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);  // from running, too
    ASSERT_EQ(settings->SetSubCount(1), S_OK);
    EXPECT_EQ(SendMainFrames(12, subFrame), "x.........x.");
    ASSERT_EQ(settings->SetSubCount(10), S_OK);
    EXPECT_EQ(SendMainFrames(4, subFrame), "xxxx");
    // The main frames go downstream, the sub frames do not.
    EXPECT_EQ(sink->SampleCount(), 25u);
}

TEST_F(SubliminalGraph, ASubFrameOfAnotherSizeIsKeptButNeverShown)
{
    BuildPaused();
    ASSERT_EQ(settings->SetSubCount(30), S_OK);
    Receive(u"SubInput", RandomBytes(21, 2));
    const Bytes whole = RandomBytes(24, 3);
    EXPECT_EQ(SendMainFrames(3, whole), "...");
    Receive(u"SubInput", whole);
    EXPECT_EQ(SendMainFrames(3, whole), "xxx");
    ComPtr<IPin> pin;
    ASSERT_EQ(filter->FindPin(u"SubInput", pin.Out()), S_OK);
    ForeignSample broken(RandomBytes(24, 4), -1);  // claims no room for its data
    EXPECT_EQ(pin.As<IMemInputPin>(IID_IMemInputPin)->Receive(&broken), S_OK);
    EXPECT_EQ(SendMainFrames(2, whole), "..");
}

// Whichever input connects first sets the picture size for the other.
TEST_F(SubliminalGraph, InputsOfAnotherPictureSizeAreRefused)
{
    ASSERT_EQ(AddSource(main, u"In", Rgb24Type(4, 2)), S_OK);
    EXPECT_TRUE(FAILED(AddSource(sub, u"SubInput", Rgb24Type(4, 3))));
    EXPECT_TRUE(FAILED(graph->ConnectPins(sub.Get(), u"Output", filter.Get(), u"SubInput")));
    graph->DisconnectAll();
    ASSERT_EQ(graph->ConnectPins(sub.Get(), u"Output", filter.Get(), u"SubInput"), S_OK);
    EXPECT_TRUE(FAILED(graph->ConnectPins(main.Get(), u"Output", filter.Get(), u"In")));
    ComPtr<CPushSource> other;
    EXPECT_EQ(AddSource(other, u"In", Rgb24Type(4, 3)), S_OK);
}

// Both streams on their own threads: every frame that goes out is a whole
// main frame or a whole sub frame, never part of each.
TEST_F(SubliminalGraph, FramesStayWholeWhileBothStreamsRun)
{
    const Bytes mainFrame(64 * 16 * 3, 0x11);
    std::vector<Bytes> subFrames;
    for (int i = 0; i < 4; ++i) subFrames.push_back(RandomBytes(mainFrame.size(), static_cast<unsigned>(i)));
    ASSERT_EQ(AddSource(main, u"In", Rgb24Type(64, 16), {mainFrame}, true), S_OK);
    ASSERT_EQ(AddSource(sub, u"SubInput", Rgb24Type(64, 16), subFrames, true), S_OK);
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    ASSERT_EQ(settings->SetPeriod(3), S_OK);
    ASSERT_EQ(settings->SetSubCount(2), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    // The main source may run well ahead before the sub source starts.
    for (int wait = 0; sub->FramesDelivered() < 10 && wait < 10000; ++wait) Sleep(1);
    ASSERT_TRUE(sink->WaitForSamples(sink->SampleCount() + 200, 10000));
    ASSERT_EQ(graph->Stop(), S_OK);
    std::size_t shown = 0;
    for (const ReceivedSample& sample : sink->Samples()) {
        if (sample.data == mainFrame) continue;
        ++shown;
        ASSERT_NE(std::find(subFrames.begin(), subFrames.end(), sample.data), subFrames.end());
    }
    EXPECT_GT(shown, 0u);
}

} // namespace
