// Graphics device stand-in: the part of GDI that scales pictures through
// device bitmaps. A "DISPLAY" device context, memory device contexts
// compatible with it, display-compatible bitmaps held in memory (the display
// runs at 24 bits per pixel: blue, green, red), conversion from and to
// device-independent bitmaps of 16 (RGB555) and 24 bits, stretching bitmaps
// and such DIBs with the colour-on-colour mode, and black or white pattern
// fills. Handles are process-wide; one that was never issued or is already
// deleted fails.
#pragma once

#include "wintypes.h"

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: rows bottom-up; negative: top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
static_assert(sizeof(BITMAPINFO) == 44);

// Any object handle, as the published headers make it, so bitmaps pass as one.
using HGDIOBJ = void*;
using HDC = struct HDC__*;
using HBITMAP = struct HBITMAP__*;

constexpr UINT DIB_RGB_COLORS = 0;

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// Only the "DISPLAY" driver exists; any other name gives null.
HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const void* mode);
// A memory context compatible with `dc` (the display when null), holding a
// 1 × 1 monochrome bitmap until another is selected.
HDC CreateCompatibleDC(HDC dc);
// A bitmap of the context's format, black; a memory context still holding
// its first bitmap gives a monochrome one, as on Windows.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Selects a bitmap into a memory context and returns the one it held; null
// when either handle is not one, the context is the display, or the bitmap
// is selected into another context.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// A bitmap still selected into a context is not deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);
BOOL DeleteDC(HDC dc);

// Previous mode, or 0 on failure.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

// Copies `lines` DIB rows starting at row `start` into the bitmap; rows
// count in memory order (from the bottom row of a bottom-up DIB, from the
// top of a top-down one) and are padded to 32-bit words. Returns the
// rows copied, 0 on failure. Takes 16-bit (BI_RGB: RGB555) and 24-bit
// uncompressed DIBs.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// The reverse: the bitmap's rows into a DIB of the header's format. With
// `bits` null it only completes the header (biSizeImage) and returns the
// bitmap's height.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);

// SRCCOPY only. Scales the source rectangle onto the destination one with
// nearest pixels (colour-on-colour: dropped columns and rows are simply left
// out); negative extents mirror. Both rectangles are clipped to their
// bitmaps. The destination's stretch mode must give that picture: any
// stretch in COLORONCOLOR, one that drops no source pixel in BLACKONWHITE or
// WHITEONBLACK (which would merge the dropped ones), one that scales nothing
// in HALFTONE; others fail.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
// The same stretch from a DIB the caller holds (16-bit RGB555 or 24-bit,
// DIB_RGB_COLORS, SRCCOPY) onto the bitmap of memory context `dc`. The
// source rectangle is in the DIB's pixels: its rows count up from the
// bottom of a bottom-up DIB and down from the top of a top-down one, and
// either way the picture lands upright. Only the DIB rows inside the source
// rectangle are read. Returns the destination rows written, 0 when none are
// or on failure.
int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
// BLACKNESS or WHITENESS over the rectangle, clipped to the bitmap.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

