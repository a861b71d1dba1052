#include "VideoColour.h"

#include "dialog.h"

namespace {

bool SubtypeAllowed(LONG videoColour, REFGUID subtype)
{
    const bool rgb555 = subtype == MEDIASUBTYPE_RGB555;
    const bool rgb24 = subtype == MEDIASUBTYPE_RGB24;
    switch (videoColour) {
    case kVideoColourRgb555: return rgb555;
    case kVideoColourRgb24: return rgb24;
    default: return rgb555 || rgb24;
    }
}

} // namespace

HRESULT CheckVideoColourType(LONG videoColour, const AM_MEDIA_TYPE* type)
{
    if (!type || type->majortype != MEDIATYPE_Video || !SubtypeAllowed(videoColour, type->subtype))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* info = VideoInfoOf(*type);
    if (!info) return VFW_E_TYPE_NOT_ACCEPTED;
    // A header that contradicts its subtype would make the pixel loops
    // misjudge the frame size.
    const WORD bits = type->subtype == MEDIASUBTYPE_RGB24 ? 24 : 16;
    if (info->bmiHeader.biBitCount != bits || info->bmiHeader.biWidth <= 0) return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

bool GetVideoFrameLayout(const AM_MEDIA_TYPE& type, VideoFrameLayout& layout)
{
    const VIDEOINFOHEADER* info = VideoInfoOf(type);
    if (!info) return false;
    layout.width = info->bmiHeader.biWidth;
    layout.height = info->bmiHeader.biHeight;
    layout.bytesPerPixel = static_cast<WORD>(info->bmiHeader.biBitCount / 8);
    return true;
}

HRESULT CheckTopDownRows(const AM_MEDIA_TYPE* type)
{
    VideoFrameLayout layout;
    if (!type || !GetVideoFrameLayout(*type, layout)) return VFW_E_TYPE_NOT_ACCEPTED;
    if (!layout.TopDown()) return S_OK;
    const std::size_t rowBytes = layout.RowBytes();
    const bool wholePixels = layout.bytesPerPixel > 0 && rowBytes > 0 && rowBytes % layout.bytesPerPixel == 0;
    return wholePixels ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void FillVideoColourComboBox(HWND dialog, int comboId, LONG videoColour)
{
    static const WCHAR* const kNames[] = {u"RGB555", u"RGB24", u"自動"};
    SendDlgItemMessageW(dialog, comboId, CB_RESETCONTENT, 0, 0);
    for (const WCHAR* name : kNames) SendDlgItemMessageW(dialog, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    const LONG index = (videoColour == kVideoColourRgb555 || videoColour == kVideoColourRgb24) ? videoColour
                                                                                                 : kVideoColourEither;
    SendDlgItemMessageW(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
