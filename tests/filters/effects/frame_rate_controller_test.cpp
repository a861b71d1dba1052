// The Frame Rate Controller from the registered module: a push source into
// "In", a recording sink on "Out", its settings, persistence and page.
#include "FxBankClsids.h"
#include "FxBankResources.h"
#include "IFrameRateControllerSettings.h"
#include "DialogLayout.h"
#include "FilterModuleTestSupport.h"
#include "PersistBytes.h"
#include "filter_graph.h"
#include "fmapper.h"
#include "propertyhost.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <set>
#include <thread>

namespace {

constexpr LONG kWidth = 4, kHeight = 2, kFrameBytes = kWidth * kHeight * 3;

// Frames tagged 1, 2, ... in every byte.
std::vector<TestFrame> TaggedFrames(int count, std::size_t bytes = kFrameBytes)
{
    std::vector<TestFrame> frames(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) frames[static_cast<std::size_t>(i)].data.assign(bytes, static_cast<BYTE>(i + 1));
    return frames;
}

class FrameRateControllerGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        ASSERT_EQ(graph->AddFilterByClsid(CLSID_FrameControl, u"Frame Rate Controller", filter.Out()), S_OK);
        settings = filter.As<IFrameRateControl>(IID_IFrameRateControl);
        ASSERT_TRUE(settings);
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    HRESULT AddSource(std::vector<TestFrame> frames, DWORD intervalMs = 0, LONG buffers = 2)
    {
        PushSourceConfig config;
        config.types = {Rgb24Type(kWidth, kHeight)};
        config.frames = std::move(frames);
        config.intervalMs = intervalMs;
        config.buffers = buffers;
        config.bufferSize = kFrameBytes;
        config.endOfStream = false;
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), u"Source");
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In");
    }

    HRESULT Start(std::vector<TestFrame> frames, DWORD intervalMs = 0, LONG buffers = 2)
    {
        HRESULT hr = AddSource(std::move(frames), intervalMs, buffers);
        if (SUCCEEDED(hr)) hr = graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input");
        return SUCCEEDED(hr) ? graph->Run() : hr;
    }

    // The tags of the frames sent since sample `from`.
    std::vector<BYTE> SentTags(std::size_t from = 0)
    {
        std::vector<BYTE> tags;
        const auto samples = sink->Samples();
        for (std::size_t i = from; i < samples.size(); ++i) tags.push_back(samples[i].data.empty() ? 0 : samples[i].data[0]);
        return tags;
    }

    RegisteredModule module{OSTREL_FXBANK_MODULE};
    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<IFrameRateControl> settings;
    ComPtr<CPushSource> source;
    ComPtr<CRecordingSink> sink;
};

// Every run stamps from 0 without gaps: 1/30 s each at rate 30.
TEST_F(FrameRateControllerGraph, RateThirtyStampsFramesFromZeroWithoutGaps)
{
    ASSERT_EQ(Start(TaggedFrames(1)), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(3, 5000));
    ASSERT_EQ(graph->Stop(), S_OK);
    const auto samples = sink->Samples();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(samples[i].timed && samples[i].stopValid) << i;
        EXPECT_EQ(samples[i].start, static_cast<REFERENCE_TIME>(i) * 333'333) << i;
        EXPECT_EQ(samples[i].stop, samples[i].start + 333'333) << i;
        EXPECT_FALSE(samples[i].syncPoint || samples[i].discontinuity || samples[i].preroll) << i;
        EXPECT_EQ(samples[i].data, std::vector<BYTE>(kFrameBytes, 1)) << i;
    }
    const std::size_t first = sink->SampleCount();
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(first + 1, 5000));
    EXPECT_EQ(sink->Samples()[first].start, 0);
}

// Slower input is repeated, faster input is thinned out: the output keeps
// the set rate and shows each input frame output-rate / input-rate times.
TEST_F(FrameRateControllerGraph, OutputKeepsItsRateWhateverTheInputRate)
{
    struct Case {
        DWORD inputIntervalMs;
        LONG rate;
        double sentPerInput;  // output frames per input frame
    };
    for (const Case c : {Case{50, 60, 3.0}, Case{8, 30, 0.25}}) {
        SCOPED_TRACE(c.rate);
        if (source) {
            ASSERT_EQ(graph->Stop(), S_OK);
            graph->DisconnectAll();
            ASSERT_EQ(graph->RemoveFilter(source.Get()), S_OK);
        }
        ASSERT_EQ(settings->SetFrameRate(c.rate), S_OK);
        const std::size_t before = sink->SampleCount();
        ASSERT_EQ(Start(TaggedFrames(250), c.inputIntervalMs), S_OK);
        ASSERT_TRUE(sink->WaitForSamples(before + 1, 5000));
        const std::size_t firstInput = source->FramesDelivered();
        const std::size_t firstOutput = sink->SampleCount();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const double inputs = static_cast<double>(source->FramesDelivered() - firstInput);
        const std::vector<BYTE> tags = SentTags(firstOutput);
        const double outputs = static_cast<double>(tags.size());
        ASSERT_GT(inputs, 0);
        EXPECT_NEAR(outputs / inputs, c.sentPerInput, c.sentPerInput * 0.35);
        const std::set<BYTE> distinct(tags.begin(), tags.end());
        if (c.sentPerInput >= 1) {
            // Each frame shows in one run of repeats.
            std::size_t runs = 1;
            for (std::size_t i = 1; i < tags.size(); ++i) runs += tags[i] != tags[i - 1];
            EXPECT_EQ(runs, distinct.size());
        } else {
            EXPECT_NEAR(static_cast<double>(distinct.size()) / inputs, c.sentPerInput, 0.12);
        }
    }
}

TEST_F(FrameRateControllerGraph, NothingGoesOutBeforeTheFirstFrame)
{
    ASSERT_EQ(Start({}), S_OK);
    EXPECT_FALSE(sink->WaitForSamples(1, 100));
}

// At one frame a second the thread waits most of the time; a stop does not
// wait for the wait to end.
TEST_F(FrameRateControllerGraph, AStopCutsTheWaitForTheNextFrameShort)
{
    ASSERT_EQ(settings->SetFrameRate(1), S_OK);
    ASSERT_EQ(Start(TaggedFrames(1)), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(1, 5000));
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(300));
    EXPECT_EQ(sink->SampleCount(), 1u);
}

// With one upstream buffer, hold mode keeps it and the source can send no
// second frame; copy mode lets the source go on. A change while running
// shows only from the next run.
TEST_F(FrameRateControllerGraph, HoldModeChangesOnlyFromTheNextRun)
{
    ASSERT_EQ(Start(TaggedFrames(250), 5, 1), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(1, 5000));
    ASSERT_EQ(settings->SetHoldSamples(1), S_OK);
    BYTE hold = 0;
    ASSERT_EQ(settings->GetHoldSamples(&hold), S_OK);
    EXPECT_EQ(hold, 1);
    const std::size_t sent = source->FramesDelivered();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GT(source->FramesDelivered(), sent + 5);

    ASSERT_EQ(graph->Stop(), S_OK);
    const std::size_t before = sink->SampleCount();
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(before + 3, 5000));
    const std::size_t held = source->FramesDelivered();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_LE(source->FramesDelivered(), held + 1);
    const std::vector<BYTE> tags = SentTags(before);
    EXPECT_EQ(std::set<BYTE>(tags.begin(), tags.end()).size(), 1u);
}

// Frames of another length than the output's never go out whole or cut.
TEST_F(FrameRateControllerGraph, FramesOfAnotherLengthAreNotSent)
{
    ASSERT_EQ(Start(TaggedFrames(1, kFrameBytes - 3)), S_OK);
    EXPECT_FALSE(sink->WaitForSamples(1, 100));
}

TEST_F(FrameRateControllerGraph, AcceptsRgb24VideoOnlyAndPassesItsTypeOn)
{
    ComPtr<IPin> input;
    ASSERT_EQ(filter->FindPin(u"In", input.Out()), S_OK);
    CMediaType rgb555 = Rgb24Type(kWidth, kHeight);
    rgb555.subtype = MEDIASUBTYPE_RGB555;
    CMediaType noHeader = Rgb24Type(kWidth, kHeight);
    noHeader.ResetFormat();
    CMediaType audio;
    audio.majortype = MEDIATYPE_Audio;
    struct Case {
        const char* name;
        const CMediaType* type;
        bool accepted;
    };
    const CMediaType rgb24 = Rgb24Type(kWidth, kHeight);
    for (const Case& c : {Case{"rgb24", &rgb24, true}, Case{"rgb555", &rgb555, false},
                          Case{"no header", &noHeader, false}, Case{"audio", &audio, false}})
        EXPECT_EQ(input->QueryAccept(c.type), c.accepted ? S_OK : S_FALSE) << c.name;

    EXPECT_TRUE(FAILED(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input")));
    ASSERT_EQ(AddSource({}), S_OK);
    ASSERT_EQ(graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"), S_OK);
    const auto type = sink->ConnectionType();
    ASSERT_TRUE(type);
    EXPECT_EQ(type->lSampleSize, static_cast<ULONG>(kFrameBytes));
    EXPECT_TRUE(IsEqualMediaType(*type, rgb24));
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(sink->Input()->GetAllocator(allocator.Out()), S_OK);
    ALLOCATOR_PROPERTIES props{};
    ASSERT_EQ(allocator->GetProperties(&props), S_OK);
    EXPECT_EQ(props.cBuffers, 1);
    EXPECT_EQ(props.cbBuffer, kFrameBytes);
}

// Rate (4 bytes) and hold (1 byte) after the version field; a rate below 1
// is refused whether set or stored.
TEST_F(FrameRateControllerGraph, SettingsPersistInFiveBytes)
{
    ASSERT_EQ(settings->SetFrameRate(25), S_OK);
    ASSERT_EQ(settings->SetHoldSamples(1), S_OK);
    auto persist = settings.As<IPersistStream>(IID_IPersistStream);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 29u);
    std::vector<BYTE> bytes = SavedBytes(persist.Get());
    ASSERT_EQ(bytes.size(), 29u);
    EXPECT_EQ(std::memcmp(bytes.data(), u"00000000001 ", 24), 0);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 24, bytes.end()), (std::vector<BYTE>{25, 0, 0, 0, 1}));

    auto loaded = CreateByClsid<IFrameRateControl>(CLSID_FrameControl, IID_IFrameRateControl);
    ASSERT_TRUE(loaded);
    auto loadedPersist = loaded.As<IPersistStream>(IID_IPersistStream);
    struct Case {
        BYTE storedRate, storedHold;
        LONG rate;
        BYTE hold;
    };
    for (const Case c : {Case{25, 1, 25, 1}, Case{0, 0, 25, 0}}) {
        bytes[24] = c.storedRate;
        bytes[28] = c.storedHold;
        ASSERT_EQ(LoadBytes(loadedPersist.Get(), bytes), S_OK);
        LONG rate = 0;
        BYTE hold = 9;
        loaded->GetFrameRate(&rate);
        loaded->GetHoldSamples(&hold);
        EXPECT_EQ(rate, c.rate) << int{c.storedRate};
        EXPECT_EQ(hold, c.hold) << int{c.storedRate};
    }
    EXPECT_EQ(loaded->SetFrameRate(-30), E_INVALIDARG);
}

TEST(FxBankModule, RegistersTheFrameRateControllerAndServesItsClasses)
{
    RegisteredModule module(OSTREL_FXBANK_MODULE);
    ASSERT_EQ(module.RegisterResult(), S_OK);
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    const RegisteredFilter* found = nullptr;
    for (const RegisteredFilter& filter : filters)
        if (filter.clsid == CLSID_FrameControl) found = &filter;
    ASSERT_TRUE(found);
    EXPECT_EQ(found->friendlyName, u"Velk Frame Rate Controller");
    EXPECT_EQ(found->merit, 0x200000u);
    ASSERT_EQ(found->pins.size(), 2u);
    EXPECT_TRUE(found->pins[1].output);
    EXPECT_EQ(found->pins[0].mediaTypes.at(0).majorType, MEDIATYPE_Video);

    auto pages = CreateByClsid<ISpecifyPropertyPages>(CLSID_FrameControl, IID_ISpecifyPropertyPages);
    ASSERT_TRUE(pages);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    EXPECT_EQ(list.pElems[0], CLSID_FrameControlProp);
    CoTaskMemFree(list.pElems);

    ASSERT_EQ(module.Unregister(), S_OK);
    EXPECT_FALSE(CreateByClsid<IUnknown>(CLSID_FrameControl, IID_IUnknown));
}

class FrameRateControllerPage : public FrameRateControllerGraph {
protected:
    void Open()
    {
        page = CreateByClsid<IPropertyPage>(CLSID_FrameControlProp, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
    }

    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

// Nothing reaches the filter before Apply; a refused rate keeps the page
// dirty; closing writes nothing back.
TEST_F(FrameRateControllerPage, ChangesWaitForApply)
{
    ASSERT_EQ(settings->SetFrameRate(24), S_OK);
    Open();
    HWND dialog = host.Dialog();
    EXPECT_EQ(host.Title(), u"フレーム制御");
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 105);
    EXPECT_EQ(GetControlState(dialog, IDC_FRC_FRAMERATE)->text, u"24");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FRC_HOLDSAMPLES), BST_UNCHECKED);
    ExpectControlsApart(*GetDialogTemplate(dialog));
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_TRUE(UserTypeText(dialog, IDC_FRC_FRAMERATE, u"15"));
    ASSERT_TRUE(UserClickButton(dialog, IDC_FRC_HOLDSAMPLES));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    LONG rate = 0;
    BYTE hold = 9;
    settings->GetFrameRate(&rate);
    settings->GetHoldSamples(&hold);
    EXPECT_EQ(rate, 24);
    EXPECT_EQ(hold, 0);
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    settings->GetFrameRate(&rate);
    settings->GetHoldSamples(&hold);
    EXPECT_EQ(rate, 15);
    EXPECT_EQ(hold, 1);

    ASSERT_TRUE(UserTypeText(dialog, IDC_FRC_FRAMERATE, u"0"));
    EXPECT_EQ(host.Apply(), E_INVALIDARG);
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    ASSERT_TRUE(UserTypeText(dialog, IDC_FRC_FRAMERATE, u"50"));
    EXPECT_EQ(host.Close(), S_OK);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(rate, 15);
}

} // namespace
