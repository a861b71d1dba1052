// The Synchronizing Buffer from the registered module: a push source into
// "In", a recording sink on "Out", its settings, persistence and page.
#include "HoldQueueClsids.h"
#include "HoldQueueResources.h"
#include "IHoldQueueSettings.h"
#include "DialogLayout.h"
#include "FilterModuleTestSupport.h"
#include "PersistBytes.h"
#include "WaitFor.h"
#include "filter_graph.h"
#include "fmapper.h"
#include "pin_interfaces.h"
#include "propertyhost.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr LONGLONG kMillisecond = 10'000;

// The filter's time line, read next to the monotonic clock the sink stamps
// arrivals with, so a due time can be placed on both. The module anchors its
// own line, so it is read through the filter.
struct ClockPair {
    LONGLONG absolute;
    std::chrono::steady_clock::time_point steady;
};

ClockPair ReadClocks(IHoldQueueSettings* settings)
{
    ClockPair pair{0, std::chrono::steady_clock::now()};
    settings->GetAbsoluteTime(&pair.absolute);
    return pair;
}

TestFrame Frame(BYTE tag, std::optional<LONGLONG> start = {}, std::size_t size = 12)
{
    TestFrame frame;
    frame.data.assign(size, tag);
    if (start) {
        frame.timed = true;
        frame.start = *start;
        frame.stop = *start + 333'333;
    }
    return frame;
}

CMediaType MajorType(REFGUID major, REFGUID sub = GUID_NULL)
{
    CMediaType type;
    type.majortype = major;
    type.subtype = sub;
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 0;
    return type;
}

class HoldQueueGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        ASSERT_EQ(graph->AddFilterByClsid(CLSID_HoldQueue, u"Synchronizing Buffer", filter.Out()), S_OK);
        settings = filter.As<IHoldQueueSettings>(IID_IHoldQueueSettings);
        ASSERT_TRUE(settings);
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    HRESULT AddSource(std::vector<TestFrame> frames, const CMediaType& type = Rgb24Type(2, 2),
                      bool endOfStream = false, LONG bufferSize = 0)
    {
        PushSourceConfig config;
        config.types = {type};
        config.frames = std::move(frames);
        config.endOfStream = endOfStream;
        config.bufferSize = bufferSize;
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), u"Source");
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In");
    }

    HRESULT ConnectOutput() { return graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"); }

    // Stops and takes the source out, for a new one; the sink keeps its record.
    void RemoveSource()
    {
        if (!source) return;
        ASSERT_EQ(graph->Stop(), S_OK);
        graph->DisconnectAll();
        ASSERT_EQ(graph->RemoveFilter(source.Get()), S_OK);
    }

    HRESULT Start(std::vector<TestFrame> frames, const CMediaType& type = Rgb24Type(2, 2))
    {
        HRESULT hr = AddSource(std::move(frames), type);
        if (SUCCEEDED(hr)) hr = ConnectOutput();
        return SUCCEEDED(hr) ? graph->Run() : hr;
    }

    LONG Queued()
    {
        LONG count = -1;
        settings->GetBufferSampleCount(&count);
        return count;
    }

    LONG Discarded()
    {
        LONG count = -1;
        settings->GetDiscardedSampleCount(&count);
        return count;
    }

    ComPtr<IPin> Pin(const char16_t* id)
    {
        ComPtr<IPin> pin;
        filter->FindPin(id, pin.Out());
        return pin;
    }

    RegisteredModule module{OSTREL_HOLDQUEUE_MODULE};
    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<IHoldQueueSettings> settings;
    ComPtr<CPushSource> source;
    ComPtr<CRecordingSink> sink;
};

// A sample stamped ahead leaves when the clock less the offset reaches its
// stamp: after the lead, or after lead plus offset.
TEST_F(HoldQueueGraph, SamplesLeaveWhenTheOffsetClockReachesTheirStart)
{
    constexpr LONGLONG kLead = 150 * kMillisecond;
    ASSERT_EQ(settings->SetAbsoluteTimeOffset(150), S_OK);
    ASSERT_EQ(settings->SetDisableTimeStamps(0), S_OK);
    const ClockPair origin = ReadClocks(settings.Get());
    ASSERT_EQ(Start({Frame(1, origin.absolute + kLead)}), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(1, 5000));
    const auto waited = sink->Samples()[0].arrived - origin.steady;
    EXPECT_GE(waited, std::chrono::milliseconds(300) - std::chrono::microseconds(500));
    EXPECT_LT(waited, std::chrono::milliseconds(400));
    EXPECT_EQ(sink->Samples()[0].start, origin.absolute + kLead);

    // With no offset the same lead is all the wait.
    RemoveSource();
    ASSERT_EQ(settings->SetAbsoluteTimeOffset(0), S_OK);
    const ClockPair second = ReadClocks(settings.Get());
    ASSERT_EQ(Start({Frame(2, second.absolute + kLead)}), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(2, 5000));
    const auto alone = sink->Samples()[1].arrived - second.steady;
    EXPECT_GE(alone, std::chrono::milliseconds(150) - std::chrono::microseconds(500));
    EXPECT_LT(alone, std::chrono::milliseconds(250));
}

// Arrivals older than the discard interval are counted and never queued;
// anything else is kept, and untimed or past samples leave at once.
TEST_F(HoldQueueGraph, ArrivalsOlderThanTheDiscardIntervalAreCountedNotQueued)
{
    const LONGLONG now = ReadClocks(settings.Get()).absolute;
    ASSERT_EQ(Start({Frame(1, now - 3000 * kMillisecond), Frame(2, now - 1000 * kMillisecond), Frame(3),
                     Frame(4, now - 5000 * kMillisecond), Frame(5, now + 60'000 * kMillisecond)}),
              S_OK);
    ASSERT_TRUE(WaitFor([&] { return source->FramesDelivered() == 5; }));
    ASSERT_TRUE(sink->WaitForSamples(2, 5000));
    EXPECT_TRUE(WaitFor([&] { return Queued() == 1; }));
    EXPECT_EQ(Discarded(), 2);
    const auto samples = sink->Samples();
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[0].data[0], 2);
    EXPECT_EQ(samples[1].data[0], 3);
}

// A full queue drops its oldest record for each arrival, and a capacity of
// 0 or less holds one sample instead of dropping every arrival; the
// survivors leave in arrival order once they fall due.
TEST_F(HoldQueueGraph, AFullQueueDropsItsOldestAndCountsIt)
{
    struct Case {
        LONG maximum, queued;
    };
    for (const Case c : {Case{3, 3}, Case{0, 1}}) {
        SCOPED_TRACE(c.maximum);
        RemoveSource();
        ASSERT_EQ(settings->SetAbsoluteTimeOffset(0), S_OK);
        ASSERT_EQ(settings->SetMaxBufferSamples(c.maximum), S_OK);
        const LONGLONG later = ReadClocks(settings.Get()).absolute + 60'000 * kMillisecond;
        std::vector<TestFrame> frames;
        for (BYTE tag = 1; tag <= 5; ++tag) frames.push_back(Frame(tag, later + tag));
        const std::size_t before = sink->SampleCount();
        ASSERT_EQ(Start(frames), S_OK);
        ASSERT_TRUE(WaitFor([&] { return source->FramesDelivered() == 5; }));
        EXPECT_EQ(Queued(), c.queued);
        EXPECT_EQ(Discarded(), 5 - c.queued);
        EXPECT_EQ(sink->SampleCount(), before);

        ASSERT_EQ(settings->SetAbsoluteTimeOffset(-120'000), S_OK);
        ASSERT_TRUE(sink->WaitForSamples(before + static_cast<std::size_t>(c.queued), 5000));
        const auto samples = sink->Samples();
        for (LONG i = 0; i < c.queued; ++i) EXPECT_EQ(samples[before + i].data[0], 6 - c.queued + i) << i;
        EXPECT_EQ(Queued(), 0);
    }
}

// Times go out only when asked for; flags always go with the sample.
TEST_F(HoldQueueGraph, DisableTimeStampsStripsStartAndStop)
{
    const LONGLONG now = ReadClocks(settings.Get()).absolute;
    TestFrame flagged = Frame(1, now - kMillisecond);
    flagged.syncPoint = flagged.discontinuity = true;
    TestFrame startOnly = Frame(2, now - kMillisecond);
    startOnly.stopValid = false;
    for (const BYTE disable : {BYTE{1}, BYTE{0}}) {
        SCOPED_TRACE(disable);
        RemoveSource();
        ASSERT_EQ(settings->SetDisableTimeStamps(disable), S_OK);
        const std::size_t before = sink->SampleCount();
        ASSERT_EQ(Start({flagged, startOnly}), S_OK);
        ASSERT_TRUE(sink->WaitForSamples(before + 2, 5000));
        const auto samples = sink->Samples();
        const ReceivedSample& first = samples[before];
        const ReceivedSample& second = samples[before + 1];
        EXPECT_EQ(first.timed, !disable);
        EXPECT_EQ(second.timed, !disable);
        EXPECT_TRUE(first.syncPoint && first.discontinuity);
        EXPECT_FALSE(second.syncPoint || second.discontinuity || second.preroll);
        if (!disable) {
            EXPECT_EQ(first.start, flagged.start);
            EXPECT_TRUE(first.stopValid);
            EXPECT_EQ(first.stop, flagged.stop);
            EXPECT_FALSE(second.stopValid);
        }
    }
}

// End of stream overtakes a sample still waiting for its time.
TEST_F(HoldQueueGraph, StreamEventsAreNotQueuedBehindSamples)
{
    const LONGLONG later = ReadClocks(settings.Get()).absolute + 60'000 * kMillisecond;
    ASSERT_EQ(AddSource({Frame(1, later)}, Rgb24Type(2, 2), true), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForEndOfStream(5000));
    EXPECT_EQ(Queued(), 1);
    EXPECT_EQ(sink->SampleCount(), 0u);
}

// A flush empties the queue: nothing from before it follows it downstream.
TEST_F(HoldQueueGraph, AFlushEmptiesTheQueue)
{
    const LONGLONG later = ReadClocks(settings.Get()).absolute + 60'000 * kMillisecond;
    ASSERT_EQ(Start({Frame(1, later), Frame(2, later)}), S_OK);
    ASSERT_TRUE(WaitFor([&] { return Queued() == 2; }));
    ComPtr<IPin> input = Pin(u"In");
    ASSERT_EQ(input->BeginFlush(), S_OK);
    EXPECT_EQ(Queued(), 0);
    ASSERT_EQ(input->EndFlush(), S_OK);
    EXPECT_EQ(sink->BeginFlushCount(), 1);
    EXPECT_EQ(sink->EndFlushCount(), 1);
    EXPECT_EQ(Discarded(), 0);
}

// A new run starts empty, with the discarded count back at 0.
TEST_F(HoldQueueGraph, PausingFromStoppedEmptiesTheQueue)
{
    const LONGLONG now = ReadClocks(settings.Get()).absolute;
    ASSERT_EQ(Start({Frame(1, now - 3000 * kMillisecond), Frame(2, now + 60'000 * kMillisecond)}), S_OK);
    ASSERT_TRUE(WaitFor([&] { return Queued() == 1 && Discarded() == 1; }));
    ASSERT_EQ(graph->Stop(), S_OK);
    EXPECT_EQ(Queued(), 1);
    ASSERT_EQ(graph->Pause(), S_OK);
    // The source sends again on pause: its old sample is discarded anew.
    ASSERT_TRUE(WaitFor([&] { return source->FramesDelivered() >= 4; }));
    EXPECT_EQ(Queued(), 1);
    EXPECT_EQ(Discarded(), 1);
}

// Variable-size samples get a 2 MiB buffer; a longer one cannot go out whole
// and is dropped and counted, and the stream goes on behind it.
TEST_F(HoldQueueGraph, ARecordLongerThanTheOutputBufferIsDroppedNotOverrun)
{
    const CMediaType stream = MajorType(MEDIATYPE_Stream);
    ASSERT_EQ(AddSource({Frame(1, {}, 0x200001), Frame(2, {}, 100)}, stream, false, 0x200001), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(sink->Input()->GetAllocator(allocator.Out()), S_OK);
    ALLOCATOR_PROPERTIES props{};
    ASSERT_EQ(allocator->GetProperties(&props), S_OK);
    EXPECT_EQ(props.cBuffers, 1);
    EXPECT_EQ(props.cbBuffer, 0x200000);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(1, 5000));
    EXPECT_EQ(sink->Samples()[0].data, std::vector<BYTE>(100, 2));
    EXPECT_EQ(Discarded(), 1);
}

TEST_F(HoldQueueGraph, AcceptsRgb24VideoAndAnyAudioOrStream)
{
    CMediaType noFormat = Rgb24Type(2, 2);
    noFormat.ResetFormat();
    CMediaType otherFormat = Rgb24Type(2, 2);
    otherFormat.formattype = GUID_NULL;
    struct Case {
        const char* name;
        CMediaType type;
        bool accepted;
    };
    const Case cases[] = {
        {"rgb24", Rgb24Type(4, 2), true},
        {"audio", MajorType(MEDIATYPE_Audio, MEDIASUBTYPE_PCM), true},
        {"stream", MajorType(MEDIATYPE_Stream), true},
        {"rgb555", [] {
             CMediaType t = Rgb24Type(4, 2);
             t.subtype = MEDIASUBTYPE_RGB555;
             return t;
         }(), false},
        {"rgb24 without its header", noFormat, false},
        {"rgb24 with another format", otherFormat, false},
        {"no major type", MajorType(GUID_NULL), false},
    };
    ComPtr<IPin> input = Pin(u"In");
    ASSERT_TRUE(input);
    for (const Case& c : cases) EXPECT_EQ(input->QueryAccept(&c.type), c.accepted ? S_OK : S_FALSE) << c.name;
}

// The output offers the input's type alone and takes nothing else; once
// connected it holds the input to the same format.
TEST_F(HoldQueueGraph, TheOutputCarriesTheInputType)
{
    ComPtr<IPin> output = Pin(u"Out");
    const CMediaType small = Rgb24Type(2, 2);
    EXPECT_EQ(output->QueryAccept(&small), S_FALSE);
    ASSERT_TRUE(FAILED(ConnectOutput()));
    ASSERT_EQ(AddSource({}, small), S_OK);
    EXPECT_EQ(output->QueryAccept(&small), S_OK);
    const CMediaType larger = Rgb24Type(4, 2);
    EXPECT_EQ(output->QueryAccept(&larger), S_FALSE);
    ASSERT_EQ(ConnectOutput(), S_OK);
    EXPECT_EQ(*sink->ConnectionType(), small);

    ComPtr<IPin> input = Pin(u"In");
    ASSERT_EQ(graph->Disconnect(source->GetPin(0)), S_OK);
    ASSERT_EQ(graph->Disconnect(input.Get()), S_OK);
    EXPECT_EQ(input->QueryAccept(&larger), S_FALSE);
    EXPECT_EQ(input->QueryAccept(&small), S_OK);
    EXPECT_EQ(graph->ConnectPins(source.Get(), u"Output", filter.Get(), u"In"), S_OK);
}

// Three integers and the flag after the version field, little-endian.
TEST_F(HoldQueueGraph, SettingsPersistInThirteenBytes)
{
    ASSERT_EQ(settings->SetMaxBufferSamples(7), S_OK);
    ASSERT_EQ(settings->SetAbsoluteTimeOffset(-300), S_OK);
    ASSERT_EQ(settings->SetDiscardInterval(1500), S_OK);
    ASSERT_EQ(settings->SetDisableTimeStamps(0), S_OK);
    auto persist = settings.As<IPersistStream>(IID_IPersistStream);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 37u);
    const std::vector<BYTE> bytes = SavedBytes(persist.Get());
    ASSERT_EQ(bytes.size(), 37u);
    EXPECT_EQ(std::memcmp(bytes.data(), u"00000000001 ", 24), 0);
    const std::vector<BYTE> expected{7, 0, 0, 0, 0xD4, 0xFE, 0xFF, 0xFF, 0xDC, 0x05, 0, 0, 0};
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 24, bytes.end()), expected);

    auto loaded = CreateByClsid<IHoldQueueSettings>(CLSID_HoldQueue, IID_IHoldQueueSettings);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(LoadBytes(loaded.As<IPersistStream>(IID_IPersistStream).Get(), bytes), S_OK);
    LONG maximum = 0, offset = 0, discard = 0;
    BYTE disable = 9;
    loaded->GetMaxBufferSamples(&maximum);
    loaded->GetAbsoluteTimeOffset(&offset);
    loaded->GetDiscardInterval(&discard);
    loaded->GetDisableTimeStamps(&disable);
    EXPECT_EQ(maximum, 7);
    EXPECT_EQ(offset, -300);
    EXPECT_EQ(discard, 1500);
    EXPECT_EQ(disable, 0);
}

TEST(HoldQueueModule, RegistersTheFilterForAnyMediaAndServesOnlyItsClasses)
{
    RegisteredModule module(OSTREL_HOLDQUEUE_MODULE);
    ASSERT_EQ(module.RegisterResult(), S_OK);
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].clsid, CLSID_HoldQueue);
    EXPECT_EQ(filters[0].friendlyName, u"Velk Synchronizing Buffer");
    EXPECT_EQ(filters[0].merit, 0x200000u);
    ASSERT_EQ(filters[0].pins.size(), 2u);
    EXPECT_TRUE(filters[0].pins[1].output);
    for (const RegisteredPin& pin : filters[0].pins) {
        ASSERT_EQ(pin.mediaTypes.size(), 1u);
        EXPECT_EQ(pin.mediaTypes[0].majorType, GUID_NULL);
        EXPECT_EQ(pin.mediaTypes[0].minorType, GUID_NULL);
    }
    auto pages = CreateByClsid<ISpecifyPropertyPages>(CLSID_HoldQueue, IID_ISpecifyPropertyPages);
    ASSERT_TRUE(pages);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    EXPECT_EQ(list.pElems[0], CLSID_HoldQueueProp);
    CoTaskMemFree(list.pElems);

    const CLSID greenShift{0x44BA63D7, 0xA24A, 0x4CAB, {0xA9, 0x68, 0xE3, 0x14, 0x51, 0x52, 0xF2, 0x65}};
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(module.GetClassObject(greenShift, IID_IClassFactory, factory.OutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(module.Unregister(), S_OK);
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
}

class HoldQueuePage : public HoldQueueGraph {
protected:
    void Open()
    {
        page = CreateByClsid<IPropertyPage>(CLSID_HoldQueueProp, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
    }

    std::u16string Text(int id) { return GetControlState(host.Dialog(), id)->text; }

    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(HoldQueuePage, ShowsTheSettingsAndAppliesThemOnApply)
{
    Open();
    HWND dialog = host.Dialog();
    EXPECT_EQ(host.Title(), u"バッファリング設定");
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 101);
    EXPECT_EQ(Text(IDC_HQ_MAXSAMPLES), u"60");
    EXPECT_EQ(Text(IDC_HQ_OFFSET), u"0");
    EXPECT_EQ(Text(IDC_HQ_DISCARD), u"2000");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HQ_DISABLETIMESTAMPS), BST_CHECKED);
    ExpectControlsApart(*GetDialogTemplate(dialog));
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_TRUE(UserTypeText(dialog, IDC_HQ_MAXSAMPLES, u"12"));
    ASSERT_TRUE(UserTypeText(dialog, IDC_HQ_OFFSET, u"-250"));
    ASSERT_TRUE(UserTypeText(dialog, IDC_HQ_DISCARD, u"900ms"));
    ASSERT_TRUE(UserClickButton(dialog, IDC_HQ_DISABLETIMESTAMPS));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    LONG maximum = 0;
    settings->GetMaxBufferSamples(&maximum);
    EXPECT_EQ(maximum, 60);

    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    LONG offset = 0, discard = 0;
    BYTE disable = 9;
    settings->GetMaxBufferSamples(&maximum);
    settings->GetAbsoluteTimeOffset(&offset);
    settings->GetDiscardInterval(&discard);
    settings->GetDisableTimeStamps(&disable);
    EXPECT_EQ(maximum, 12);
    EXPECT_EQ(offset, -250);
    EXPECT_EQ(discard, 900);
    EXPECT_EQ(disable, 0);
    EXPECT_EQ(host.Close(), S_OK);
}

// The monitor runs on a 50 ms timer while the page is open: the queue, its
// fill level, both clocks in milliseconds and the discarded count.
TEST_F(HoldQueuePage, MonitorShowsTheQueueAndTheClocks)
{
    ASSERT_EQ(settings->SetMaxBufferSamples(2), S_OK);
    ASSERT_EQ(settings->SetAbsoluteTimeOffset(1000), S_OK);
    const LONGLONG now = ReadClocks(settings.Get()).absolute;
    const LONGLONG later = now + 60'000 * kMillisecond;
    ASSERT_EQ(Start({Frame(1, later), Frame(2, later), Frame(3, later)}), S_OK);
    ASSERT_TRUE(WaitFor([&] { return source->FramesDelivered() == 3; }));
    Open();
    HWND dialog = host.Dialog();
    const auto timers = GetActiveTimers(dialog);
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].second, 50u);
    ASSERT_TRUE(FireTimer(dialog, timers[0].first));
    EXPECT_EQ(Text(IDC_HQ_COUNT), u"2");
    EXPECT_EQ(Text(IDC_HQ_FILLLEVEL), u"Full");
    EXPECT_EQ(Text(IDC_HQ_DISCARDED), u"1");
    const auto number = [&](int id) {
        const std::u16string text = Text(id);
        return std::stoll(std::string(text.begin(), text.end()));
    };
    const LONGLONG absolute = number(IDC_HQ_ABSOLUTE);
    EXPECT_GE(absolute, now / kMillisecond);
    EXPECT_LT(absolute, now / kMillisecond + 10'000);
    EXPECT_NEAR(static_cast<double>(absolute - number(IDC_HQ_OFFSETABSOLUTE)), 1000.0, 20.0);

    ASSERT_EQ(settings->SetMaxBufferSamples(4), S_OK);
    ASSERT_TRUE(FireTimer(dialog, timers[0].first));
    EXPECT_EQ(Text(IDC_HQ_FILLLEVEL), u"50%");
    EXPECT_EQ(host.Close(), S_OK);
}

} // namespace
