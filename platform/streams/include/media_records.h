// Media-type records with their published 64-bit layouts. Natural alignment
// reproduces every layout except WAVEFORMATEX, whose published form is
// byte-packed (18 bytes); clients size audio format blocks from it.
#pragma once

#include "unknwn.h"
#include "wingdi.h"

#include <cstddef>

static_assert(sizeof(RECT) == 16);

struct VIDEOINFOHEADER {
    RECT rcSource;
    RECT rcTarget;
    DWORD dwBitRate;
    DWORD dwBitErrorRate;
    REFERENCE_TIME AvgTimePerFrame;
    BITMAPINFOHEADER bmiHeader;
};
static_assert(sizeof(VIDEOINFOHEADER) == 88);
static_assert(offsetof(VIDEOINFOHEADER, AvgTimePerFrame) == 40);
static_assert(offsetof(VIDEOINFOHEADER, bmiHeader) == 48);

struct __attribute__((packed)) WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
static_assert(sizeof(WAVEFORMATEX) == 18);

constexpr WORD WAVE_FORMAT_PCM = 1;

struct AM_MEDIA_TYPE {
    GUID majortype;
    GUID subtype;
    BOOL bFixedSizeSamples;
    BOOL bTemporalCompression;
    ULONG lSampleSize;
    GUID formattype;
    IUnknown* pUnk;
    ULONG cbFormat;
    BYTE* pbFormat;
};
static_assert(sizeof(AM_MEDIA_TYPE) == 88);
static_assert(offsetof(AM_MEDIA_TYPE, formattype) == 44);
static_assert(offsetof(AM_MEDIA_TYPE, pUnk) == 64);
static_assert(offsetof(AM_MEDIA_TYPE, cbFormat) == 72);
static_assert(offsetof(AM_MEDIA_TYPE, pbFormat) == 80);

// The image bytes of one frame: rows padded to whole 32-bit words. Counted
// in 64 bits so no header can wrap them to a small size; a width below one
// pixel gives 0, and sizes past the 64-bit range stay at its largest value.
constexpr LONGLONG DibRowBytes(LONG width, WORD bitCount)
{
    if (width <= 0) return 0;
    return (static_cast<LONGLONG>(width) * bitCount + 31) / 32 * 4;
}
constexpr LONGLONG DibImageBytes(const BITMAPINFOHEADER& h)
{
    const LONGLONG row = DibRowBytes(h.biWidth, h.biBitCount);
    const LONGLONG rows = h.biHeight < 0 ? -static_cast<LONGLONG>(h.biHeight) : h.biHeight;
    constexpr LONGLONG kLargest = 0x7FFF'FFFF'FFFF'FFFF;
    if (rows != 0 && row > kLargest / rows) return kLargest;
    return row * rows;
}
// Sample sizes are 32-bit LONGs: a larger image cannot travel in one.
constexpr LONGLONG kLargestSampleBytes = 0x7FFF'FFFF;
