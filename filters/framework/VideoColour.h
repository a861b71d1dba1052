// The video colour rule of the stereo filters: a setting that restricts the
// accepted input to RGB555 (0), RGB24 (1) or either (2, and any other value).
#pragma once

#include "media_type.h"

#include <cstddef>

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

    // A negative height: the top row comes first in memory.
    bool TopDown() const { return height < 0; }
    // Counted in 64 bits, so the most negative height has its rows too.
    std::size_t Rows() const { return static_cast<std::size_t>(height < 0 ? -LONGLONG{height} : LONGLONG{height}); }
    // Rows are padded to whole 32-bit words.
    std::size_t RowBytes() const { return static_cast<std::size_t>(DibRowBytes(width, static_cast<WORD>(8 * bytesPerPixel))); }
};
// False when the type carries no usable VIDEOINFOHEADER.
bool GetVideoFrameLayout(const AM_MEDIA_TYPE& type, VideoFrameLayout& layout);

// For filters whose passes turn a top-down frame's picture out the same as
// its bottom-up twin's: S_OK for a bottom-up frame, and for a top-down one
// whose rows hold whole pixels (padding of a whole pixel counts as one);
// VFW_E_TYPE_NOT_ACCEPTED for other top-down frames and for types without
// a usable VIDEOINFOHEADER.
HRESULT CheckTopDownRows(const AM_MEDIA_TYPE* type);

// Resets the combo box, adds "RGB555", "RGB24", "自動" and selects the item
// for `videoColour` (the last one for any value but 0 and 1).
void FillVideoColourComboBox(HWND dialog, int comboId, LONG videoColour);
