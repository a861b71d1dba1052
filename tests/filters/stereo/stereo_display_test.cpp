// Stereo Display from the registered module: two push sources into its
// inputs, a recording sink on "Out", the settings and the property page.
#include "IStereoDisplaySettings.h"
#include "StereoPairTestSupport.h"
#include "TestBytes.h"
#include "filter_graph.h"
#include "kernel.h"
#include "objidl.h"
#include "propertyhost.h"
#include "push_source.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr LONGLONG kMillisecond = 10'000;

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Left picture on the even positions, right on the odd, then green one
// pixel to the right (RGB24: blue, green, red).
Bytes ExpectedRgb24(const Bytes& left, const Bytes& right)
{
    Bytes composed = left;
    for (std::size_t p = 1; p < left.size() / 3; p += 2) std::copy_n(right.begin() + 3 * p, 3, composed.begin() + 3 * p);
    Bytes out = composed;
    for (std::size_t p = 1; p < composed.size() / 3; ++p) out[3 * p + 1] = composed[3 * p - 2];
    out[1] = 0;
    return out;
}

class StereoDisplayGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
        ASSERT_EQ(graph->AddFilterByClsid(CLSID_StereoDisplay, u"Stereo Display", filter.Out()), S_OK);
        settings = filter.As<IStereoDisplaySettings>(IID_IStereoDisplaySettings);
        ASSERT_TRUE(settings);
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        ASSERT_EQ(graph->AddFilter(sink.Get(), u"Sink"), S_OK);
    }

    void TearDown() override
    {
        graph->Stop();
        graph->DisconnectAll();
    }

    // A source on input `inputId` sending `frames` of `type`, one every
    // `intervalMs`, with no end of stream.
    HRESULT AddSource(ComPtr<CPushSource>& source, const char16_t* inputId, const CMediaType& type,
                      std::vector<Bytes> frames, DWORD intervalMs = 0, bool loop = false)
    {
        PushSourceConfig config;
        config.types = {type};
        for (Bytes& data : frames) {
            TestFrame frame;
            frame.data = std::move(data);
            config.frames.push_back(std::move(frame));
        }
        config.intervalMs = intervalMs;
        config.loop = loop;
        config.endOfStream = false;
        config.bufferSize = std::max<LONG>(static_cast<LONG>(type.lSampleSize), 1);
        for (const TestFrame& frame : config.frames)
            config.bufferSize = std::max(config.bufferSize, static_cast<LONG>(frame.data.size()));
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        const HRESULT hr = graph->AddFilter(source.Get(), inputId[0] == u'0' ? u"Left" : u"Right");
        return FAILED(hr) ? hr : graph->ConnectPins(source.Get(), u"Output", filter.Get(), inputId);
    }

    HRESULT ConnectOutput() { return graph->ConnectPins(filter.Get(), u"Out", sink.Get(), u"Input"); }

    // Both pictures sent once; the last output frame once it shows both.
    std::optional<ReceivedSample> ComposeOnce(const CMediaType& type, const Bytes& first, const Bytes& second,
                                              const Bytes& expected)
    {
        EXPECT_EQ(AddSource(left, u"0", type, {first}), S_OK);
        EXPECT_EQ(AddSource(right, u"1", type, {second}), S_OK);
        EXPECT_EQ(ConnectOutput(), S_OK);
        EXPECT_EQ(graph->Run(), S_OK);
        std::optional<ReceivedSample> last;
        WaitFor([&] {
            const auto samples = sink->Samples();
            if (!samples.empty() && samples.back().data == expected) last = samples.back();
            return last.has_value();
        });
        return last;
    }

    RegisteredStereoPair module;
    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<IStereoDisplaySettings> settings;
    ComPtr<CRecordingSink> sink;
    ComPtr<CPushSource> left;
    ComPtr<CPushSource> right;
};

TEST_F(StereoDisplayGraph, OutputAlternatesLeftAndRightPixelsThenShiftsGreen)
{
    const CMediaType type = Rgb24Type(640, 480);
    const Bytes first = RandomBytes(640 * 480 * 3, 21);
    const Bytes second = RandomBytes(640 * 480 * 3, 22);
    const auto frame = ComposeOnce(type, first, second, ExpectedRgb24(first, second));
    ASSERT_TRUE(frame) << "no output frame showed both pictures";
    // Blue and red keep their source: left 0, right 1, left 2, ...
    for (std::size_t p = 0; p < 8; ++p) {
        const Bytes& from = p % 2 ? second : first;
        EXPECT_EQ(frame->data[3 * p], from[3 * p]) << p;
        EXPECT_EQ(frame->data[3 * p + 2], from[3 * p + 2]) << p;
    }
    EXPECT_TRUE(frame->timed);
    EXPECT_FALSE(frame->syncPoint || frame->preroll || frame->discontinuity);
    ASSERT_TRUE(sink->ConnectionType());
    EXPECT_EQ(sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB24);
}

// Top-down pictures are composed as their bottom-up twins are, and the
// frame stays top-down; top-down rows that hold no whole pixels are refused.
TEST_F(StereoDisplayGraph, TopDownPicturesComposeAsTheirBottomUpTwins)
{
    constexpr std::size_t kRowBytes = 12;
    const auto reversed = [](const Bytes& frame) { return RowsReversed(frame, kRowBytes); };
    const Bytes first = RandomBytes(3 * kRowBytes, 1);
    const Bytes second = RandomBytes(3 * kRowBytes, 2);
    const Bytes expected = reversed(ExpectedRgb24(reversed(first), reversed(second)));
    ComPtr<CPushSource> refused;
    EXPECT_TRUE(FAILED(AddSource(refused, u"0", Rgb24Type(5, -3), {Bytes(48)})));
    const auto got = ComposeOnce(Rgb24Type(4, -3), first, second, expected);
    ASSERT_TRUE(got.has_value());
    EXPECT_LT(VideoInfoOf(*sink->ConnectionType())->bmiHeader.biHeight, 0);
}

TEST_F(StereoDisplayGraph, SwapTakesTheEvenPositionsFromInputTwo)
{
    ASSERT_EQ(settings->SetSwap(5), S_OK);
    BYTE swap = 0;
    ASSERT_EQ(settings->GetSwap(&swap), S_OK);
    EXPECT_EQ(swap, 1);
    const CMediaType type = Rgb24Type(640, 480);
    const Bytes first = RandomBytes(640 * 480 * 3, 31);
    const Bytes second = RandomBytes(640 * 480 * 3, 32);
    EXPECT_TRUE(ComposeOnce(type, first, second, ExpectedRgb24(second, first)));
}

// A sample longer than a frame is cut to the frame; a shorter one replaces
// only the start of its picture.
TEST_F(StereoDisplayGraph, SamplesOfAnotherLengthStayInsideTheFrame)
{
    const CMediaType type = Rgb24Type(4, 2);
    const Bytes longer = RandomBytes(48, 41);
    const Bytes shorter{1, 2, 3, 4, 5, 6};
    Bytes shorterStore(24, 0);
    std::copy(shorter.begin(), shorter.end(), shorterStore.begin());
    const Bytes firstFrame(longer.begin(), longer.begin() + 24);
    const auto frame = ComposeOnce(type, longer, shorter, ExpectedRgb24(firstFrame, shorterStore));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->data.size(), 24u);
}

TEST_F(StereoDisplayGraph, InputsOfAnotherSizeAreRefused)
{
    ASSERT_EQ(AddSource(left, u"0", Rgb24Type(640, 480), {Bytes(640 * 480 * 3)}), S_OK);
    EXPECT_TRUE(FAILED(AddSource(right, u"1", Rgb24Type(320, 240), {Bytes(320 * 240 * 3)})));
    EXPECT_TRUE(FAILED(graph->ConnectPins(right.Get(), u"Output", filter.Get(), u"1")));
    ASSERT_EQ(ConnectOutput(), S_OK);
    // With only the output connected, its size still holds.
    ComPtr<IPin> input;
    ASSERT_EQ(filter->FindPin(u"0", input.Out()), S_OK);
    ASSERT_EQ(graph->Disconnect(left->GetPin(0)), S_OK);
    ASSERT_EQ(graph->Disconnect(input.Get()), S_OK);
    EXPECT_TRUE(FAILED(graph->ConnectPins(right.Get(), u"Output", filter.Get(), u"0")));
    EXPECT_EQ(graph->ConnectPins(left.Get(), u"Output", filter.Get(), u"0"), S_OK);
}

// A sample that claims no room for its data puts nothing into the store.
TEST_F(StereoDisplayGraph, ASampleClaimingANegativeSizeStoresNothing)
{
    ASSERT_EQ(AddSource(left, u"0", Rgb24Type(2, 1), {}), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Pause(), S_OK);
    ComPtr<IPin> input;
    ASSERT_EQ(filter->FindPin(u"0", input.Out()), S_OK);
    ForeignSample sample({1, 10, 100, 2, 20, 200, 3, 30}, -1);
    EXPECT_EQ(input.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(1, 5000));
    EXPECT_EQ(sink->Samples()[0].data, Bytes(8, 0));
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Sanitizers reserve more address space than the limit below leaves, so this
// runs in the plain build only.
// Leaves room for one more gigabyte of address space; 0 on success.
int LimitAddressSpaceToOneMoreGigabyte()
{
    long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 2;
    const bool read = std::fscanf(statm, "%ld", &pages) == 1;
    std::fclose(statm);
    if (!read) return 2;
    rlimit space{};
    space.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (1ull << 30);
    space.rlim_max = space.rlim_cur;
    return setrlimit(RLIMIT_AS, &space) == 0 ? 0 : 3;
}

// Two stores of about 1.9 GB cannot fit: the connection is refused instead
// of the allocation failure escaping.
TEST_F(StereoDisplayGraph, FrameStoresThatCannotBeAllocatedRefuseTheConnection)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto connectWithoutRoom = [this] {
        if (const int failed = LimitAddressSpaceToOneMoreGigabyte()) return failed;
        return AddSource(left, u"0", Rgb24Type(25000, 25000), {}) == E_OUTOFMEMORY ? 0 : 1;
    };
    EXPECT_EXIT(std::_Exit(connectWithoutRoom()), ::testing::ExitedWithCode(0), "");
}
#endif

TEST_F(StereoDisplayGraph, OutputNeedsAConnectedInput)
{
    EXPECT_TRUE(FAILED(ConnectOutput()));
}

// Frames keep coming: every frame lasts 1/30 s and starts where the stream
// time stands, never earlier than the last one ended.
TEST_F(StereoDisplayGraph, RateThirtyStampsFramesOneThirtiethApart)
{
    const CMediaType type = Rgb24Type(16, 4);
    ASSERT_EQ(AddSource(left, u"0", type, {RandomBytes(192, 1)}, 1, true), S_OK);
    ASSERT_EQ(AddSource(right, u"1", type, {RandomBytes(192, 2)}, 1, true), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForSamples(5, 10000));
    ASSERT_EQ(graph->Stop(), S_OK);
    const auto samples = sink->Samples();
    // The stream time starts at 0 and may have run on while inputs were awaited.
    EXPECT_GE(samples[0].start, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(samples[i].stop - samples[i].start, 333'333) << i;
        if (i > 0) {
            EXPECT_GE(samples[i].start, samples[i - 1].stop) << i;
        }
    }
}

// While neither input sends, nothing goes out; the stream time runs on, so
// the next frame starts later by about the wait.
TEST_F(StereoDisplayGraph, NoInputNoOutputAndTheNextFrameShowsTheWait)
{
    const CMediaType type = Rgb24Type(16, 4);
    const auto runStart = std::chrono::steady_clock::now();
    ASSERT_EQ(AddSource(left, u"0", type, {RandomBytes(192, 1), RandomBytes(192, 3)}, 1000), S_OK);
    ASSERT_EQ(AddSource(right, u"1", type, {RandomBytes(192, 2)}), S_OK);
    ASSERT_EQ(ConnectOutput(), S_OK);
    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return left->FramesDelivered() >= 1 && right->FramesDelivered() >= 1; }));
    ASSERT_TRUE(sink->WaitForSamples(1, 10000));
    Sleep(100);  // the frame that shows both pictures has gone out
    const std::size_t before = sink->SampleCount();
    Sleep(150);
    if (left->FramesDelivered() == 1) {
        EXPECT_EQ(sink->SampleCount(), before);
    }

    ASSERT_TRUE(sink->WaitForSamples(before + 1, 10000));
    const auto elapsed = std::chrono::steady_clock::now() - runStart;
    const auto samples = sink->Samples();
    const LONGLONG advance = samples[before].start - samples[before - 1].stop;
    EXPECT_GE(advance, 100 * kMillisecond);
    EXPECT_LE(advance, std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() * kMillisecond);
}

TEST_F(StereoDisplayGraph, RatesOfZeroOrLessAreRefused)
{
    LONG rate = 0;
    ASSERT_EQ(settings->GetFrameRate(&rate), S_OK);
    EXPECT_EQ(rate, 30);
    EXPECT_EQ(settings->SetFrameRate(0), E_INVALIDARG);
    EXPECT_EQ(settings->SetFrameRate(-25), E_INVALIDARG);
    ASSERT_EQ(settings->GetFrameRate(&rate), S_OK);
    EXPECT_EQ(rate, 30);
    ASSERT_EQ(settings->SetFrameRate(10), S_OK);
    ASSERT_EQ(settings->GetFrameRate(&rate), S_OK);
    EXPECT_EQ(rate, 10);
}

// Swap (1 byte), colour and rate (4 bytes each) after the version field.
TEST_F(StereoDisplayGraph, SettingsPersistInNineBytes)
{
    ASSERT_EQ(settings->SetSwap(1), S_OK);
    ASSERT_EQ(settings->SetVideoColour(1), S_OK);
    ASSERT_EQ(settings->SetFrameRate(25), S_OK);
    auto persist = settings.As<IPersistStream>(IID_IPersistStream);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 33u);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE bytes[40] = {};
    ULONG read = 0;
    stream->Read(bytes, sizeof bytes, &read);
    ASSERT_EQ(read, 33u);
    const BYTE settingsBytes[9] = {1, 1, 0, 0, 0, 25, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 24, settingsBytes, 9), 0);

    auto loaded = CreateByClsid<IStereoDisplaySettings>(CLSID_StereoDisplay, IID_IStereoDisplaySettings);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    BYTE swap = 0;
    LONG colour = 0, rate = 0;
    loaded->GetSwap(&swap);
    loaded->GetVideoColour(&colour);
    loaded->GetFrameRate(&rate);
    EXPECT_EQ(swap, 1);
    EXPECT_EQ(colour, 1);
    EXPECT_EQ(rate, 25);

    // A stored rate of 0 is refused like a set one.
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    bytes[29] = 0;
    stream->Write(bytes, 33, nullptr);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(settings->SetFrameRate(12), S_OK);
    ASSERT_EQ(persist->Load(stream.Get()), S_OK);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(rate, 12);
}

class StereoDisplayPage : public StereoDisplayGraph {
protected:
    void Open()
    {
        page = CreateByClsid<IPropertyPage>(CLSID_StereoDisplayProp, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
    }

    BYTE Swap()
    {
        BYTE swap = 9;
        settings->GetSwap(&swap);
        return swap;
    }

    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(StereoDisplayPage, ShowsTheSettings)
{
    ASSERT_EQ(settings->SetFrameRate(24), S_OK);
    Open();
    EXPECT_EQ(host.Title(), u"ステレオディスプレイ対応化");
    HWND dialog = host.Dialog();
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 105);
    EXPECT_EQ(GetControlState(dialog, IDC_SD_VIDEOCOLOUR_LABEL)->text, u"ビデオカラー");
    EXPECT_EQ(GetControlState(dialog, IDC_SD_FRAMERATE_LABEL)->text, u"フレームレート");
    EXPECT_EQ(GetControlState(dialog, IDC_SD_FRAMERATE_UNIT)->text, u"(fr/sec)");
    EXPECT_EQ(GetControlState(dialog, IDC_SD_SWAP)->text, u"左右ビデオの反転");
    EXPECT_EQ(GetControlState(dialog, IDC_SD_VIDEOCOLOUR)->selection, 2);
    EXPECT_EQ(GetControlState(dialog, IDC_SD_FRAMERATE)->text, u"24");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SD_SWAP), BST_UNCHECKED);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
}

// A swap click shows at once; closing without Apply undoes it.
TEST_F(StereoDisplayPage, SwapPreviewIsUndoneUnlessApplied)
{
    Open();
    ASSERT_TRUE(UserClickButton(host.Dialog(), IDC_SD_SWAP));
    EXPECT_EQ(Swap(), 1);
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Swap(), 0);

    Open();
    ASSERT_TRUE(UserClickButton(host.Dialog(), IDC_SD_SWAP));
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Swap(), 1);
}

TEST_F(StereoDisplayPage, ApplyWritesColourAndRate)
{
    Open();
    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_SD_VIDEOCOLOUR, 0));
    ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_SD_FRAMERATE, u"59.94"));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    LONG colour = -1, rate = -1;
    settings->GetFrameRate(&rate);
    EXPECT_EQ(rate, 30);
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    settings->GetVideoColour(&colour);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(colour, 0);
    EXPECT_EQ(rate, 59);
    EXPECT_EQ(host.Close(), S_OK);
}

// The filter refuses a rate of 0 or less; the page stays dirty with the
// typed value, and texts beyond any 32-bit value are pinned to the range.
TEST_F(StereoDisplayPage, RefusedRateLeavesThePageDirty)
{
    Open();
    ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_SD_FRAMERATE, u"0"));
    EXPECT_EQ(host.Apply(), E_INVALIDARG);
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    LONG rate = -1;
    settings->GetFrameRate(&rate);
    EXPECT_EQ(rate, 30);
    ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_SD_FRAMERATE, u"1e30"));
    ASSERT_EQ(host.Apply(), S_OK);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(rate, 2147483647);
    EXPECT_EQ(host.Close(), S_OK);
}

} // namespace
