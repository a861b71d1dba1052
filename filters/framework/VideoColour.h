// The video colour rule of the stereo filters: a setting that restricts the
// accepted input to RGB555 (0), RGB24 (1) or either (2, and any other value).
#pragma once

#include "media_type.h"

enum VideoColour : LONG {
    kVideoColourRgb555 = 0,
    kVideoColourRgb24 = 1,
    kVideoColourEither = 2,
};
constexpr LONG kDefaultVideoColour = kVideoColourEither;

// S_OK for a video type with FORMAT_VideoInfo whose subtype the setting
// allows and whose format block is a whole VIDEOINFOHEADER with a positive
// width and the subtype's bit count; VFW_E_TYPE_NOT_ACCEPTED otherwise.
HRESULT CheckVideoColourType(LONG videoColour, const AM_MEDIA_TYPE* type);

// Frame geometry a filter keeps from its connection type.
struct VideoFrameLayout {
    LONG width = 0;
    LONG height = 0;
    WORD bytesPerPixel = 0;
};
// False when the type carries no usable VIDEOINFOHEADER.
bool GetVideoFrameLayout(const AM_MEDIA_TYPE& type, VideoFrameLayout& layout);

// Resets the combo box, adds "RGB555", "RGB24", "自動" and selects the item
// for `videoColour` (the last one for any value but 0 and 1).
void FillVideoColourComboBox(HWND dialog, int comboId, LONG videoColour);
