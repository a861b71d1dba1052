#include "VideoColour.h"
#include "dialog.h"

#include <gtest/gtest.h>

namespace {

struct VideoType {
    VideoType(REFGUID subtype, WORD bits, REFGUID major = MEDIATYPE_Video, REFGUID format = FORMAT_VideoInfo)
    {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 320;
        info.bmiHeader.biHeight = 240;
        info.bmiHeader.biBitCount = bits;
        type.majortype = major;
        type.subtype = subtype;
        type.formattype = format;
        type.cbFormat = sizeof info;
        type.pbFormat = reinterpret_cast<BYTE*>(&info);
    }
    VIDEOINFOHEADER info{};
    AM_MEDIA_TYPE type{};
};

} // namespace

TEST(VideoColourRule, SettingSelectsTheAcceptedRgbSubtypes)
{
    VideoType rgb555(MEDIASUBTYPE_RGB555, 16), rgb24(MEDIASUBTYPE_RGB24, 24);
    EXPECT_EQ(CheckVideoColourType(0, &rgb555.type), S_OK);
    EXPECT_EQ(CheckVideoColourType(0, &rgb24.type), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(CheckVideoColourType(1, &rgb555.type), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(CheckVideoColourType(1, &rgb24.type), S_OK);
    for (LONG either : {2, 7, -1}) {
        EXPECT_EQ(CheckVideoColourType(either, &rgb555.type), S_OK) << either;
        EXPECT_EQ(CheckVideoColourType(either, &rgb24.type), S_OK) << either;
    }
    VideoType rgb565(MEDIASUBTYPE_RGB565, 16), rgb32(MEDIASUBTYPE_RGB32, 32), yuy2(MEDIASUBTYPE_YUY2, 16);
    for (LONG setting : {0, 1, 2})
        for (const VideoType* other : {&rgb565, &rgb32, &yuy2})
            EXPECT_EQ(CheckVideoColourType(setting, &other->type), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST(VideoColourRule, RefusesWrongMajorFormatOrHeader)
{
    EXPECT_EQ(CheckVideoColourType(2, nullptr), VFW_E_TYPE_NOT_ACCEPTED);
    VideoType audio(MEDIASUBTYPE_RGB24, 24, MEDIATYPE_Audio);
    EXPECT_EQ(CheckVideoColourType(2, &audio.type), VFW_E_TYPE_NOT_ACCEPTED);
    VideoType otherFormat(MEDIASUBTYPE_RGB24, 24, MEDIATYPE_Video, FORMAT_VideoInfo2);
    EXPECT_EQ(CheckVideoColourType(2, &otherFormat.type), VFW_E_TYPE_NOT_ACCEPTED);
    VideoType noBlock(MEDIASUBTYPE_RGB24, 24);
    noBlock.type.pbFormat = nullptr;
    EXPECT_EQ(CheckVideoColourType(2, &noBlock.type), VFW_E_TYPE_NOT_ACCEPTED);
    VideoType shortBlock(MEDIASUBTYPE_RGB24, 24);
    shortBlock.type.cbFormat = sizeof(VIDEOINFOHEADER) - 1;
    EXPECT_EQ(CheckVideoColourType(2, &shortBlock.type), VFW_E_TYPE_NOT_ACCEPTED);
    VideoType lyingHeader(MEDIASUBTYPE_RGB24, 16);
    EXPECT_EQ(CheckVideoColourType(2, &lyingHeader.type), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST(VideoColourRule, FrameLayoutAndComboBox)
{
    VideoType rgb24(MEDIASUBTYPE_RGB24, 24);
    VideoFrameLayout layout;
    ASSERT_TRUE(GetVideoFrameLayout(rgb24.type, layout));
    EXPECT_EQ(layout.width, 320);
    EXPECT_EQ(layout.height, 240);
    EXPECT_EQ(layout.bytesPerPixel, 3);

    static const DialogControl controls[] = {{1002, ControlKind::ComboBox, nullptr, 0, 0, 50, 50, CBS_DROPDOWNLIST}};
    static const DialogTemplate dialogTemplate{1, u"MS Shell Dlg", 8, 100, 50, 0, controls};
    const HWND dialog = CreateDialogFromTemplate(dialogTemplate, CreateFrameWindow(), nullptr, 0);
    SendDlgItemMessageW(dialog, 1002, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"stale"));
    FillVideoColourComboBox(dialog, 1002, 1);
    EXPECT_EQ(GetControlState(dialog, 1002)->items, (std::vector<std::u16string>{u"RGB555", u"RGB24", u"自動"}));
    EXPECT_EQ(GetControlState(dialog, 1002)->selection, 1);
    FillVideoColourComboBox(dialog, 1002, 9);
    EXPECT_EQ(GetControlState(dialog, 1002)->selection, 2);
    DestroyWindow(GetParent(dialog));
}

// Top-down frames are taken when their rows (padded to 32-bit words) hold
// whole pixels, so a pass can find each row's last pixel; bottom-up ones
// always. The most negative height counts its rows without overflow.
TEST(VideoColourRule, TopDownRowsMustHoldWholePixels)
{
    struct Case {
        WORD bits;
        LONG width, height;
        HRESULT expected;
        std::size_t rows, rowBytes;
    };
    const Case cases[] = {
        {24, 4, -2, S_OK, 2, 12},
        {24, 3, -2, S_OK, 2, 12},                     // a padding pixel
        {24, 5, -2, VFW_E_TYPE_NOT_ACCEPTED, 2, 16},  // one padding byte
        {24, 5, 2, S_OK, 2, 16},
        {16, 3, -7, S_OK, 7, 8},
        {24, 8, LONG{-2147483647} - 1, S_OK, 2147483648u, 24},
    };
    for (const Case& c : cases) {
        VideoType video(c.bits == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB555, c.bits);
        video.info.bmiHeader.biWidth = c.width;
        video.info.bmiHeader.biHeight = c.height;
        EXPECT_EQ(CheckTopDownRows(&video.type), c.expected) << c.width << " x " << c.height;
        VideoFrameLayout layout;
        ASSERT_TRUE(GetVideoFrameLayout(video.type, layout));
        EXPECT_EQ(layout.TopDown(), c.height < 0);
        EXPECT_EQ(layout.Rows(), c.rows);
        EXPECT_EQ(layout.RowBytes(), c.rowBytes);
    }
    VideoType noFormat(MEDIASUBTYPE_RGB24, 24, MEDIATYPE_Video, FORMAT_None);
    noFormat.type.cbFormat = 0;
    noFormat.type.pbFormat = nullptr;
    EXPECT_EQ(CheckTopDownRows(&noFormat.type), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(CheckTopDownRows(nullptr), VFW_E_TYPE_NOT_ACCEPTED);
}
