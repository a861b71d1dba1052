// The Quenza filter from the registered module: two push sources, a
// recording sink, the graph's video window, the settings and the page.
#include "IQuenzaSettings.h"
#include "TwoInputGraph.h"
#include "filter_interfaces.h"
#include "objidl.h"
#include "propertyhost.h"
#include "video_window.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr LONG kWidth = 800;
constexpr LONG kHeight = 600;

// `picture` (sw × sh) drawn as dw × dh with its top-left corner at (x, y) of
// a bottom-up W × H frame, nearest pixels, clipped.
void Place(Bytes& frame, LONG frameWidth, LONG frameHeight, unsigned bpp, const Bytes& picture, LONG sw, LONG sh,
           LONG x, LONG y, LONG dw, LONG dh)
{
    const LONG bottom = frameHeight - y - dh;
    for (LONG j = 0; j < dh; ++j)
        for (LONG i = 0; i < dw; ++i) {
            const LONG column = x + i;
            const LONG row = bottom + j;
            if (column < 0 || column >= frameWidth || row < 0 || row >= frameHeight) continue;
            const std::size_t from = (static_cast<std::size_t>(j * sh / dh) * sw + i * sw / dw) * bpp;
            std::memcpy(&frame[(static_cast<std::size_t>(row) * frameWidth + column) * bpp], &picture[from], bpp);
        }
}

class QuenzaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(module.RegisterResult(), S_OK); }

    RegisteredStereoPair module;
};

struct LayoutCase {
    const char* name;
    bool swap;
    bool leftAtInputSize;
    LONG leftWidth, leftHeight;
    LONG leftX, leftY, rightX, rightY;
};

// Two 320 × 240 pictures on the 800 × 600 frame: by default input 1 at the
// top-left corner and input 2 directly right of it, black elsewhere; a left
// size of 640 × 480 doubles every pixel and moves the right picture along;
// offsets move both, clipping at the frame's edges.
TEST_F(QuenzaTest, LaysBothPicturesOutOnTheOutputFrame)
{
    const LayoutCase cases[] = {
        {"defaults", false, true, 100, 100, 0, 0, 0, 0},
        {"swapped", true, true, 100, 100, 0, 0, 0, 0},
        {"left doubled", false, false, 640, 480, 0, 0, 0, 0},
        {"offsets past the edges", false, true, 100, 100, -40, 400, 200, -30},
    };
    const Bytes first = RandomBytes(320 * 240 * 3, 11);
    const Bytes second = RandomBytes(320 * 240 * 3, 12);
    for (const LayoutCase& c : cases) {
        TwoInputGraph run(CLSID_Quenza, u"Quenza");
        auto settings = run.SettingsAs<IQuenzaSettings>(IID_IQuenzaSettings);
        ASSERT_TRUE(settings);
        ASSERT_EQ(settings->SetSwap(c.swap), S_OK);
        ASSERT_EQ(settings->SetLeftAtInputSize(c.leftAtInputSize), S_OK);
        ASSERT_EQ(settings->SetLeftSize(c.leftWidth, c.leftHeight), S_OK);
        ASSERT_EQ(settings->SetLeftOffset(c.leftX, c.leftY), S_OK);
        ASSERT_EQ(settings->SetRightOffset(c.rightX, c.rightY), S_OK);
        ASSERT_EQ(run.AddSource(u"0", Rgb24Type(320, 240), {first}), S_OK);
        ASSERT_EQ(run.AddSource(u"1", Rgb24Type(320, 240), {second}), S_OK);
        ASSERT_EQ(run.ConnectOutput(), S_OK);
        ASSERT_EQ(run.graph->Run(), S_OK);

        Bytes expected(kWidth * kHeight * 3, 0);
        const Bytes& left = c.swap ? second : first;
        const Bytes& right = c.swap ? first : second;
        const LONG drawnWidth = c.leftAtInputSize ? 320 : c.leftWidth;
        const LONG drawnHeight = c.leftAtInputSize ? 240 : c.leftHeight;
        Place(expected, kWidth, kHeight, 3, left, 320, 240, c.leftX, c.leftY, drawnWidth, drawnHeight);
        Place(expected, kWidth, kHeight, 3, right, 320, 240, c.leftX + drawnWidth + c.rightX, c.rightY, 320, 240);
        const auto frame = run.WaitForOutput(expected);
        EXPECT_TRUE(frame) << c.name;
        if (frame) {
            EXPECT_EQ(frame->stop - frame->start, 333'333) << c.name;
        }
    }
}

// The offered type follows the resolution table and the inputs' depth.
TEST_F(QuenzaTest, OffersTheChosenResolutionInTheInputsFormat)
{
    struct TypeCase {
        LONG resolution;
        bool rgb555;
        LONG width, height;
    };
    for (const TypeCase& c : {TypeCase{0, false, 800, 600}, TypeCase{1, true, 1600, 600},
                              TypeCase{10, false, 1280, 512}, TypeCase{11, false, 800, 600}}) {
        TwoInputGraph run(CLSID_Quenza, u"Quenza");
        auto settings = run.SettingsAs<IQuenzaSettings>(IID_IQuenzaSettings);
        ASSERT_EQ(settings->SetOutputResolution(c.resolution), S_OK);
        ASSERT_EQ(settings->SetFrameRate(25), S_OK);
        ASSERT_EQ(run.AddSource(u"1", c.rgb555 ? Rgb555Type(64, 48) : Rgb24Type(64, 48), {}), S_OK);
        ASSERT_EQ(run.ConnectOutput(), S_OK);
        const auto type = run.sink->ConnectionType();
        ASSERT_TRUE(type);
        EXPECT_EQ(type->subtype, c.rgb555 ? MEDIASUBTYPE_RGB555 : MEDIASUBTYPE_RGB24);
        const VIDEOINFOHEADER* info = VideoInfoOf(*type);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->bmiHeader.biWidth, c.width) << c.resolution;
        EXPECT_EQ(info->bmiHeader.biHeight, c.height) << c.resolution;
        EXPECT_EQ(info->bmiHeader.biBitCount, c.rgb555 ? 16 : 24);
        EXPECT_EQ(info->bmiHeader.biXPelsPerMeter, 2952);
        EXPECT_EQ(info->AvgTimePerFrame, 400'000);
        EXPECT_EQ(type->lSampleSize, static_cast<ULONG>(c.width * c.height * (c.rgb555 ? 2 : 3)));
    }
}

TEST_F(QuenzaTest, InputsOfAnotherDepthAreRefusedOtherSizesTaken)
{
    TwoInputGraph run(CLSID_Quenza, u"Quenza");
    ASSERT_EQ(run.AddSource(u"0", Rgb24Type(320, 240), {}), S_OK);
    EXPECT_TRUE(FAILED(run.AddSource(u"1", Rgb555Type(320, 240), {})));
    EXPECT_EQ(run.AddSource(u"1", Rgb24Type(176, 144), {}), S_OK);
}

// A new colour shows from the next frame on, in RGB555 here.
TEST_F(QuenzaTest, ABackgroundChangeShowsInTheNextFrame)
{
    TwoInputGraph run(CLSID_Quenza, u"Quenza");
    auto settings = run.SettingsAs<IQuenzaSettings>(IID_IQuenzaSettings);
    const Bytes picture = RandomBytes(8 * 4 * 2, 5);
    ASSERT_EQ(run.AddSource(u"0", Rgb555Type(8, 4), {picture}), S_OK);
    ASSERT_EQ(run.AddSource(u"1", Rgb555Type(8, 4), {picture, picture, picture}, 300), S_OK);
    ASSERT_EQ(run.ConnectOutput(), S_OK);
    ASSERT_EQ(run.graph->Run(), S_OK);
    ASSERT_TRUE(run.sink->WaitForSamples(1, 10000));
    EXPECT_EQ(run.sink->Samples()[0].data.back(), 0);
    ASSERT_EQ(settings->SetBackgroundColour(255, 64, 300), S_OK);
    BYTE r = 0, g = 0, b = 0;
    settings->GetBackgroundColour(&r, &g, &b);
    EXPECT_EQ(b, 255);  // held to a byte's range
    // (255 / 8) × 1024 + (64 / 8) × 32 + 255 / 8 = 0x7D1F, the top-right pixel
    ASSERT_TRUE(WaitFor([&] {
        const auto samples = run.sink->Samples();
        const Bytes& last = samples.back().data;
        return last[last.size() - 2] == 0x1F && last.back() == 0x7D;
    }));
}

// A graph without a video renderer: it answers only IUnknown and
// IFilterGraph, and counts the requests for a video window.
class WindowlessGraph final : public IFilterGraph {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IFilterGraph ? this : nullptr;
        if (riid == IID_IVideoWindow) ++windowRequests;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP AddFilter(IBaseFilter*, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveFilter(IBaseFilter*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFilters(IEnumFilters**) override { return E_NOTIMPL; }
    STDMETHODIMP FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    STDMETHODIMP ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP Reconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP SetDefaultSyncSource() override { return E_NOTIMPL; }

    int windowRequests = 0;
};

// The window operations drive the graph's video window, and do nothing
// outside a graph or in a graph without a window.
TEST_F(QuenzaTest, WindowOperationsReachTheGraphsVideoWindow)
{
    auto alone = CreateByClsid<IQuenzaSettings>(CLSID_Quenza, IID_IQuenzaSettings);
    WindowlessGraph windowless;
    for (IFilterGraph* graph : {static_cast<IFilterGraph*>(nullptr), static_cast<IFilterGraph*>(&windowless)}) {
        ASSERT_EQ(alone.As<IBaseFilter>(IID_IBaseFilter)->JoinFilterGraph(graph, u"Quenza"), S_OK);
        EXPECT_EQ(alone->FullScreen(), S_OK);
        EXPECT_EQ(alone->ToggleWindowFrame(), S_OK);
        EXPECT_EQ(alone->ApplyWindowPosition(), S_OK);
        EXPECT_EQ(alone->ApplyWindowSize(), S_OK);
    }
    EXPECT_EQ(windowless.windowRequests, 4);  // each asked once, and took the answer
    alone.As<IBaseFilter>(IID_IBaseFilter)->JoinFilterGraph(nullptr, nullptr);

    TwoInputGraph run(CLSID_Quenza, u"Quenza");
    auto settings = run.SettingsAs<IQuenzaSettings>(IID_IQuenzaSettings);
    CVideoWindowStandIn& window = run.graph->VideoWindow();
    window.SetVideo(1600, 600, 0.04);
    ASSERT_EQ(settings->FullScreen(), S_OK);
    EXPECT_EQ(window.State().fullScreen, OATRUE);
    ASSERT_EQ(settings->ToggleWindowFrame(), S_OK);
    EXPECT_EQ(window.State().style, 0x06CF0000);
    ASSERT_EQ(settings->ToggleWindowFrame(), S_OK);
    EXPECT_EQ(window.State().style, 0x46000000);
    ASSERT_EQ(settings->SetWindowPosition(30, 40), S_OK);
    ASSERT_EQ(settings->ApplyWindowPosition(), S_OK);
    EXPECT_EQ(window.State().left, 30);
    EXPECT_EQ(window.State().top, 40);
    ASSERT_EQ(settings->SetWindowSize(500, 300), S_OK);
    ASSERT_EQ(settings->ApplyWindowSize(), S_OK);  // at output size by default
    EXPECT_EQ(window.State().width, 1600);
    EXPECT_EQ(window.State().height, 600);
    ASSERT_EQ(settings->SetWindowAtOutputSize(0), S_OK);
    ASSERT_EQ(settings->ApplyWindowSize(), S_OK);
    EXPECT_EQ(window.State().width, 500);
    EXPECT_EQ(window.State().height, 300);
}

// Fourteen settings in 67 bytes after the version field; the declared size
// is 68. A stored rate of 0 is refused like a set one.
TEST_F(QuenzaTest, SettingsPersistInTheirOrder)
{
    auto settings = CreateByClsid<IQuenzaSettings>(CLSID_Quenza, IID_IQuenzaSettings);
    settings->SetSwap(1);
    settings->SetVideoColour(1);
    settings->SetLeftOffset(2, 3);
    settings->SetRightOffset(4, 5);
    settings->SetLeftAtInputSize(0);
    settings->SetLeftSize(6, 7);
    settings->SetRightAtInputSize(0);
    settings->SetRightSize(8, 9);
    settings->SetOutputResolution(10);
    settings->SetFrameRate(11);
    settings->SetBackgroundColour(12, 13, 14);
    settings->SetWindowPosition(15, 16);
    settings->SetWindowAtOutputSize(0);
    settings->SetWindowSize(17, 18);
    auto persist = settings.As<IPersistStream>(IID_IPersistStream);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 92u);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE bytes[100] = {};
    ULONG read = 0;
    stream->Read(bytes, sizeof bytes, &read);
    ASSERT_EQ(read, 91u);
    const BYTE stored[67] = {1,  1, 0, 0, 0, 2,  0, 0, 0, 3,  0,  0,  0, 4, 0, 0, 0,  5, 0, 0, 0, 0,  6,
                             0,  0, 0, 7, 0, 0,  0, 0, 8, 0,  0,  0,  9, 0, 0, 0, 10, 0, 0, 0, 11, 0, 0,
                             0, 12, 13, 14, 15, 0, 0, 0, 16, 0, 0, 0, 0, 17, 0, 0, 0, 18, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 24, stored, 67), 0);

    auto loaded = CreateByClsid<IQuenzaSettings>(CLSID_Quenza, IID_IQuenzaSettings);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    ComPtr<IStream> again;
    ASSERT_EQ(CreateMemoryStream(again.Out()), S_OK);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Save(again.Get(), TRUE), S_OK);
    again->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE reread[100] = {};
    again->Read(reread, sizeof reread, &read);
    EXPECT_EQ(std::memcmp(reread, bytes, 91), 0);

    bytes[24 + 43] = 0;  // the frame rate's low byte
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    stream->Write(bytes, 91, nullptr);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    LONG rate = 0;
    loaded->GetFrameRate(&rate);
    EXPECT_EQ(rate, 11);
    EXPECT_EQ(loaded->SetFrameRate(0), E_INVALIDARG);
}

class QuenzaPage : public QuenzaTest {
protected:
    void SetUp() override
    {
        QuenzaTest::SetUp();
        run.emplace(CLSID_Quenza, u"Quenza");
        settings = run->SettingsAs<IQuenzaSettings>(IID_IQuenzaSettings);
        ASSERT_TRUE(settings);
    }

    void Open()
    {
        page = CreateByClsid<IPropertyPage>(CLSID_QuenzaProp, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
    }

    bool Enabled(int id) { return GetControlState(host.Dialog(), id)->enabled; }

    std::optional<TwoInputGraph> run;
    ComPtr<IQuenzaSettings> settings;
    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(QuenzaPage, ShowsTheSettings)
{
    settings->SetOutputResolution(3);
    settings->SetLeftOffset(-5, 7);
    settings->SetRightAtInputSize(0);
    settings->SetBackgroundColour(1, 2, 3);
    Open();
    HWND dialog = host.Dialog();
    EXPECT_EQ(host.Title(), u"Quenza設定");
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 106);
    const auto resolutions = GetControlState(dialog, IDC_QZ_RESOLUTION);
    ASSERT_EQ(resolutions->items.size(), 11u);
    EXPECT_EQ(resolutions->items[0], u"800x600");
    EXPECT_EQ(resolutions->items[10], u"1280x512");
    EXPECT_EQ(resolutions->selection, 3);
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_VIDEOCOLOUR)->selection, 2);
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_LEFT_X)->text, u"-5");
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_LEFT_Y)->text, u"7");
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_BACKGROUND_B)->text, u"3");
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_FRAMERATE)->text, u"30");
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_WINDOW_GROUP)->text, u"ビデオレンダリングウィンドウの制御");
    EXPECT_EQ(GetControlState(dialog, IDC_QZ_TOGGLE_FRAME)->text, u"ウィンドウ枠のオン/オフ");
    // Sizes taken from the input or the output are not edited.
    EXPECT_FALSE(Enabled(IDC_QZ_LEFT_W));
    EXPECT_FALSE(Enabled(IDC_QZ_LEFT_H));
    EXPECT_TRUE(Enabled(IDC_QZ_RIGHT_W));
    EXPECT_FALSE(Enabled(IDC_QZ_WINDOW_W));
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
}

// Offsets, colours and check boxes show at once and are undone on closing;
// after Apply they stay.
TEST_F(QuenzaPage, PreviewsAreUndoneUnlessApplied)
{
    for (bool apply : {false, true}) {
        Open();
        HWND dialog = host.Dialog();
        ASSERT_TRUE(UserTypeText(dialog, IDC_QZ_RIGHT_Y, u"25"));
        ASSERT_TRUE(UserTypeText(dialog, IDC_QZ_BACKGROUND_G, u"99"));
        ASSERT_TRUE(UserClickButton(dialog, IDC_QZ_LEFT_AT_INPUT_SIZE));
        EXPECT_TRUE(Enabled(IDC_QZ_LEFT_W));
        LONG x = -1, y = -1;
        BYTE r = 0, g = 0, b = 0, atInput = 9;
        settings->GetRightOffset(&x, &y);
        settings->GetBackgroundColour(&r, &g, &b);
        settings->GetLeftAtInputSize(&atInput);
        EXPECT_EQ(y, 25);
        EXPECT_EQ(g, 99);
        EXPECT_EQ(atInput, 0);
        EXPECT_EQ(host.IsPageDirty(), S_OK);
        if (apply) {
            ASSERT_EQ(host.Apply(), S_OK);
        }
        EXPECT_EQ(host.Close(), S_OK);
        settings->GetRightOffset(&x, &y);
        settings->GetBackgroundColour(&r, &g, &b);
        settings->GetLeftAtInputSize(&atInput);
        EXPECT_EQ(y, apply ? 25 : 0) << apply;
        EXPECT_EQ(g, apply ? 99 : 0) << apply;
        EXPECT_EQ(atInput, apply ? 0 : 1) << apply;
    }
}

// Colour, resolution and rate wait for Apply; the buttons act at once and
// leave the page clean.
TEST_F(QuenzaPage, ApplyWritesThePageOnlySettingsAndButtonsActAtOnce)
{
    Open();
    HWND dialog = host.Dialog();
    ASSERT_TRUE(UserClickButton(dialog, IDC_QZ_FULL_SCREEN));
    EXPECT_EQ(run->graph->VideoWindow().State().fullScreen, OATRUE);
    ASSERT_TRUE(UserClickButton(dialog, IDC_QZ_TOGGLE_FRAME));
    EXPECT_EQ(run->graph->VideoWindow().State().style, 0x06CF0000);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_QZ_RESOLUTION, 7));
    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_QZ_VIDEOCOLOUR, 1));
    ASSERT_TRUE(UserTypeText(dialog, IDC_QZ_FRAMERATE, u"60.5"));
    LONG resolution = -1, colour = -1, rate = -1;
    settings->GetOutputResolution(&resolution);
    EXPECT_EQ(resolution, 0);
    ASSERT_EQ(host.Apply(), S_OK);
    settings->GetOutputResolution(&resolution);
    settings->GetVideoColour(&colour);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(resolution, 7);
    EXPECT_EQ(colour, 1);
    EXPECT_EQ(rate, 60);
    ASSERT_TRUE(UserTypeText(dialog, IDC_QZ_FRAMERATE, u"0"));
    EXPECT_EQ(host.Apply(), E_INVALIDARG);
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
}

} // namespace
