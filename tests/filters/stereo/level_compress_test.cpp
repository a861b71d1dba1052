// The two-input Level Compressor from the registered module: two push
// sources, a recording sink, the settings and the property page.
#include "ILevelCompressSettings.h"
#include "TwoInputGraph.h"
#include "kernel.h"
#include "objidl.h"
#include "pin_interfaces.h"
#include "propertyhost.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Each picture's columns 0, 2, 4, … side by side, row by row in rows padded
// to whole 32-bit words; a missing picture leaves its half black, and the
// padding and an odd width's last column stay black too.
Bytes SideBySide(const Bytes& left, const Bytes& right, std::size_t width, unsigned bpp)
{
    const std::size_t row = (width * bpp + 3) / 4 * 4;
    Bytes out(left.empty() ? right.size() : left.size(), 0);
    for (std::size_t r = 0; r * row < out.size(); ++r)
        for (std::size_t i = 0; i < width / 2; ++i) {
            if (!left.empty()) std::memcpy(&out[r * row + i * bpp], &left[r * row + 2 * i * bpp], bpp);
            if (!right.empty()) std::memcpy(&out[r * row + (width / 2 + i) * bpp], &right[r * row + 2 * i * bpp], bpp);
        }
    return out;
}

// RGB555 pixels with the unused top bit cleared, as device bitmaps give
// them back.
Bytes WithoutTopBits(Bytes bytes)
{
    for (std::size_t i = 1; i < bytes.size(); i += 2) bytes[i] &= 0x7F;
    return bytes;
}

class LevelCompressTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(module.RegisterResult(), S_OK); }

    RegisteredStereoPair module;
};

struct ComposeCase {
    const char* name;
    LONG mode;
    bool swap;
    bool rgb555;
    bool secondInput;
    LONG width = 640;
};

// 640 × 480 in both modes: the left half holds input 1's columns 0, 2, …,
// 638, the right half input 2's (the other way round with swap); with input
// 2 silent its half stays black. The bitmap mode is chosen after the output
// is connected, so its resources are rebuilt from the output's type; that it
// is in use shows in RGB555, whose unused top bit the bitmaps drop while the
// memory squeeze keeps it.
TEST_F(LevelCompressTest, SqueezesBothInputsSideBySide)
{
    const ComposeCase cases[] = {
        {"memory", 1, false, false, true},    {"memory, swapped", 1, true, false, true},
        {"memory, input 1 only", 1, false, false, false}, {"bitmaps", 0, false, false, true},
        {"bitmaps, swapped", 0, true, false, true},        {"bitmaps, input 1 only", 0, false, false, false},
        {"bitmaps, RGB555", 0, false, true, true},         {"memory, RGB555", 1, false, true, true},
        {"memory, padded rows", 1, false, false, true, 642}, {"bitmaps, padded rows", 0, false, false, true, 642},
        {"memory, RGB555 odd width", 1, false, true, true, 641},
        {"bitmaps, RGB555 odd width", 0, false, true, true, 641},
    };
    for (const ComposeCase& c : cases) {
        TwoInputGraph run(CLSID_LevelCompress, u"Level Compressor");
        auto settings = run.SettingsAs<ILevelCompressSettings>(IID_ILevelCompressSettings);
        ASSERT_TRUE(settings);
        ASSERT_EQ(settings->SetSwap(c.swap), S_OK);
        const unsigned bpp = c.rgb555 ? 2 : 3;
        const CMediaType type = c.rgb555 ? Rgb555Type(c.width, 480) : Rgb24Type(c.width, 480);
        const std::size_t bytes = (static_cast<std::size_t>(c.width) * bpp + 3) / 4 * 4 * 480;
        const Bytes first = RandomBytes(bytes, 1);
        const Bytes second = RandomBytes(bytes, 2);
        ASSERT_EQ(run.AddSource(u"0", type, {first}), S_OK);
        ASSERT_EQ(run.AddSource(u"1", type, c.secondInput ? std::vector<Bytes>{second} : std::vector<Bytes>{}),
                  S_OK);
        ASSERT_EQ(run.ConnectOutput(), S_OK);
        ASSERT_EQ(settings->SetCompressionMode(c.mode), S_OK);
        ASSERT_EQ(run.graph->Run(), S_OK);
        const Bytes shown = c.secondInput ? second : Bytes{};
        const auto width = static_cast<std::size_t>(c.width);
        Bytes expected = c.swap ? SideBySide(shown, first, width, bpp) : SideBySide(first, shown, width, bpp);
        if (c.rgb555 && c.mode == 0) expected = WithoutTopBits(expected);
        const auto frame = run.WaitForOutput(expected);
        ASSERT_TRUE(frame) << c.name;
        EXPECT_TRUE(frame->timed) << c.name;
        EXPECT_EQ(frame->stop - frame->start, 333'333) << c.name;
        EXPECT_FALSE(frame->syncPoint || frame->preroll || frame->discontinuity) << c.name;
    }
}

TEST_F(LevelCompressTest, SendsNothingBeforeAFrameArrives)
{
    for (LONG mode : {0, 1}) {
        TwoInputGraph run(CLSID_LevelCompress, u"Level Compressor");
        auto settings = run.SettingsAs<ILevelCompressSettings>(IID_ILevelCompressSettings);
        ASSERT_EQ(settings->SetCompressionMode(mode), S_OK);
        ASSERT_EQ(run.AddSource(u"0", Rgb24Type(16, 4), {}), S_OK);
        ASSERT_EQ(run.AddSource(u"1", Rgb24Type(16, 4), {}), S_OK);
        ASSERT_EQ(run.ConnectOutput(), S_OK);
        ASSERT_EQ(run.graph->Run(), S_OK);
        Sleep(100);
        EXPECT_EQ(run.sink->SampleCount(), 0u) << mode;
    }
}

// A sample shorter than a frame updates only the rows it holds, in both
// modes; nothing past its end is read.
TEST_F(LevelCompressTest, AShortSampleUpdatesTheRowsItHolds)
{
    for (LONG mode : {0, 1}) {
        TwoInputGraph run(CLSID_LevelCompress, u"Level Compressor");
        auto settings = run.SettingsAs<ILevelCompressSettings>(IID_ILevelCompressSettings);
        ASSERT_EQ(settings->SetCompressionMode(mode), S_OK);
        ASSERT_EQ(run.AddSource(u"0", Rgb24Type(4, 2), {}), S_OK);
        ASSERT_EQ(run.ConnectOutput(), S_OK);
        ASSERT_EQ(run.graph->Pause(), S_OK);
        ComPtr<IPin> input;
        ASSERT_EQ(run.filter->FindPin(u"0", input.Out()), S_OK);
        ForeignSample sample({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12);  // the bottom row only
        EXPECT_EQ(input.As<IMemInputPin>(IID_IMemInputPin)->Receive(&sample), S_OK);
        Bytes expected(24, 0);
        const Bytes kept{1, 2, 3, 7, 8, 9};
        std::copy(kept.begin(), kept.end(), expected.begin());
        EXPECT_TRUE(run.WaitForOutput(expected)) << mode;
    }
}

TEST_F(LevelCompressTest, InputsOfAnotherSizeAreRefused)
{
    TwoInputGraph run(CLSID_LevelCompress, u"Level Compressor");
    ASSERT_EQ(run.AddSource(u"0", Rgb24Type(640, 480), {}), S_OK);
    EXPECT_TRUE(FAILED(run.AddSource(u"1", Rgb24Type(320, 240), {})));
    EXPECT_TRUE(FAILED(run.AddSource(u"1", Rgb555Type(640, 480), {})));
    EXPECT_EQ(run.AddSource(u"1", Rgb24Type(640, 480), {}), S_OK);
}

// Modes other than 0 and 1 and rates below 1 are refused and change nothing.
TEST_F(LevelCompressTest, RefusesUnknownModesAndRatesBelowOne)
{
    auto settings = CreateByClsid<ILevelCompressSettings>(CLSID_LevelCompress, IID_ILevelCompressSettings);
    ASSERT_TRUE(settings);
    LONG mode = -1, rate = -1;
    settings->GetCompressionMode(&mode);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(rate, 30);
    for (LONG bad : {-1, 2, 100}) EXPECT_EQ(settings->SetCompressionMode(bad), E_INVALIDARG) << bad;
    for (LONG bad : {0, -30}) EXPECT_EQ(settings->SetFrameRate(bad), E_INVALIDARG) << bad;
    EXPECT_EQ(settings->SetCompressionMode(0), S_OK);
    settings->GetCompressionMode(&mode);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(rate, 30);
}

// Swap, colour and rate in nine bytes; the compression mode is not stored.
TEST_F(LevelCompressTest, SettingsPersistInNineBytesWithoutTheMode)
{
    auto settings = CreateByClsid<ILevelCompressSettings>(CLSID_LevelCompress, IID_ILevelCompressSettings);
    ASSERT_EQ(settings->SetSwap(1), S_OK);
    ASSERT_EQ(settings->SetVideoColour(0), S_OK);
    ASSERT_EQ(settings->SetFrameRate(15), S_OK);
    ASSERT_EQ(settings->SetCompressionMode(0), S_OK);
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
    const BYTE stored[9] = {1, 0, 0, 0, 0, 15, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 24, stored, 9), 0);

    auto loaded = CreateByClsid<ILevelCompressSettings>(CLSID_LevelCompress, IID_ILevelCompressSettings);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    BYTE swap = 0;
    LONG colour = -1, rate = -1, mode = -1;
    loaded->GetSwap(&swap);
    loaded->GetVideoColour(&colour);
    loaded->GetFrameRate(&rate);
    loaded->GetCompressionMode(&mode);
    EXPECT_EQ(swap, 1);
    EXPECT_EQ(colour, 0);
    EXPECT_EQ(rate, 15);
    EXPECT_EQ(mode, 1);
}

class LevelCompressPage : public LevelCompressTest {
protected:
    void SetUp() override
    {
        LevelCompressTest::SetUp();
        settings = CreateByClsid<ILevelCompressSettings>(CLSID_LevelCompress, IID_ILevelCompressSettings);
        ASSERT_TRUE(settings);
    }

    void Open()
    {
        page = CreateByClsid<IPropertyPage>(CLSID_LevelCompressProp, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
    }

    BYTE Swap()
    {
        BYTE swap = 9;
        settings->GetSwap(&swap);
        return swap;
    }

    ComPtr<ILevelCompressSettings> settings;
    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(LevelCompressPage, ShowsTheSettings)
{
    ASSERT_EQ(settings->SetFrameRate(24), S_OK);
    ASSERT_EQ(settings->SetVideoColour(1), S_OK);
    Open();
    EXPECT_EQ(host.Title(), u"2映像圧縮合成");
    HWND dialog = host.Dialog();
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 101);
    const std::pair<int, const char16_t*> labels[] = {
        {IDC_VIDEOCOLOUR_LABEL, u"ビデオカラー"}, {IDC_LC_SWAP, u"左右ビデオの反転"},
        {IDC_LC_FRAMERATE_LABEL, u"フレームレート"}, {IDC_LC_FRAMERATE_UNIT, u"(fr/sec)"}};
    for (const auto& [id, text] : labels) EXPECT_EQ(GetControlState(dialog, id)->text, text) << id;
    EXPECT_EQ(GetControlState(dialog, IDC_VIDEOCOLOUR)->items,
              (std::vector<std::u16string>{u"RGB555", u"RGB24", u"自動"}));
    EXPECT_EQ(GetControlState(dialog, IDC_VIDEOCOLOUR)->selection, 1);
    EXPECT_EQ(GetControlState(dialog, IDC_LC_FRAMERATE)->text, u"24");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_LC_SWAP), BST_UNCHECKED);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
}

// A swap click shows at once and is undone on closing unless applied; colour
// and rate wait for Apply.
TEST_F(LevelCompressPage, SwapPreviewsAndTheRestWaitsForApply)
{
    Open();
    ASSERT_TRUE(UserClickButton(host.Dialog(), IDC_LC_SWAP));
    EXPECT_EQ(Swap(), 1);
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Swap(), 0);

    Open();
    ASSERT_TRUE(UserClickButton(host.Dialog(), IDC_LC_SWAP));
    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_VIDEOCOLOUR, 0));
    ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_LC_FRAMERATE, u"12.9"));
    LONG colour = -1, rate = -1;
    settings->GetVideoColour(&colour);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(colour, 2);
    EXPECT_EQ(rate, 30);
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
    settings->GetVideoColour(&colour);
    settings->GetFrameRate(&rate);
    EXPECT_EQ(Swap(), 1);
    EXPECT_EQ(colour, 0);
    EXPECT_EQ(rate, 12);
}

} // namespace
