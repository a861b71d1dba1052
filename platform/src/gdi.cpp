#include "wingdi.h"

#include "EvenPixelRow.h"
#include "rgb555pixels.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// The display runs at 24 bits per pixel (blue, green, red), so a bitmap's
// rows are laid out as those of a 24-bit DIB: converting one of those is a
// row copy, and the halving stretch is the same column drop as the Level
// Compressor's squeeze.
constexpr std::size_t kPixelBytes = 3;

struct Bitmap {
    int width = 0;
    int height = 0;
    bool monochrome = false;  // only the stand-in's first bitmap of a context: never drawn on
    std::size_t stride = 0;   // bytes per row, padded to 32 bits as in a DIB
    // Rows bottom-up in memory, as in the usual bottom-up DIBs: converting
    // one then walks both buffers upwards, which runs twice as fast on large
    // frames as meeting each row from the other end.
    std::vector<BYTE> bits;
    std::uintptr_t selectedInto = 0;

    // Row y counted from the top, as every caller counts them.
    BYTE* Row(int y) { return bits.data() + Offset(y); }
    const BYTE* Row(int y) const { return bits.data() + Offset(y); }
    std::size_t Offset(int y) const { return static_cast<std::size_t>(height - 1 - y) * stride; }
};

struct DeviceContext {
    bool display = false;
    int stretchMode = BLACKONWHITE;
    std::uintptr_t bitmap = 0;  // the selected bitmap; memory contexts only
};

std::mutex g_mutex;
std::map<std::uintptr_t, std::shared_ptr<DeviceContext>> g_contexts;
std::map<std::uintptr_t, std::shared_ptr<Bitmap>> g_bitmaps;
std::uintptr_t g_nextHandle = 0x7000'0000;

// The widest stretch accepted: far more than any bitmap here holds.
constexpr LONGLONG kLargestExtent = LONGLONG{1} << 24;

std::uintptr_t NewHandle()
{
    const std::uintptr_t value = g_nextHandle;
    g_nextHandle += 4;
    return value;
}

std::uintptr_t Key(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// Caller holds g_mutex.
std::shared_ptr<DeviceContext> ContextLocked(HDC dc)
{
    const auto it = g_contexts.find(Key(dc));
    return it == g_contexts.end() ? nullptr : it->second;
}

std::shared_ptr<Bitmap> BitmapLocked(std::uintptr_t handle)
{
    const auto it = g_bitmaps.find(handle);
    return it == g_bitmaps.end() ? nullptr : it->second;
}

std::uintptr_t AddBitmapLocked(int width, int height, bool monochrome)
{
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->monochrome = monochrome;
    if (!monochrome) {
        bitmap->stride = (static_cast<std::size_t>(width) * kPixelBytes + 3) / 4 * 4;
        bitmap->bits.assign(bitmap->stride * static_cast<std::size_t>(height), 0);
    }
    const std::uintptr_t handle = NewHandle();
    g_bitmaps.emplace(handle, std::move(bitmap));
    return handle;
}

// The colour bitmap a memory context draws on, or null.
std::shared_ptr<Bitmap> SurfaceOf(HDC dc)
{
    std::lock_guard lock(g_mutex);
    const auto context = ContextLocked(dc);
    if (!context || context->display) return nullptr;
    auto bitmap = BitmapLocked(context->bitmap);
    return bitmap && !bitmap->monochrome ? bitmap : nullptr;
}

std::shared_ptr<Bitmap> ColourBitmap(HDC dc, HBITMAP handle)
{
    std::lock_guard lock(g_mutex);
    if (!ContextLocked(dc)) return nullptr;
    auto bitmap = BitmapLocked(Key(handle));
    return bitmap && !bitmap->monochrome ? bitmap : nullptr;
}

// The DIB formats this stand-in converts: uncompressed 16 (RGB555) and 24 bits.
bool SupportedDib(const BITMAPINFO* info)
{
    if (!info) return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    return h.biWidth > 0 && h.biHeight != 0 && h.biCompression == BI_RGB && (h.biBitCount == 16 || h.biBitCount == 24);
}

std::size_t DibStride(const BITMAPINFOHEADER& h)
{
    return (static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
}

std::size_t DibRows(const BITMAPINFOHEADER& h)
{
    return h.biHeight < 0 ? static_cast<std::size_t>(-static_cast<LONGLONG>(h.biHeight))
                          : static_cast<std::size_t>(h.biHeight);
}

void DibRowToPixels(BYTE* out, const BYTE* in, int count, WORD bitCount)
{
    const auto pixels = static_cast<std::size_t>(count);
    if (bitCount == 24)
        std::memcpy(out, in, pixels * kPixelBytes);
    else
        WidenRgb555(out, in, pixels);
}

void PixelsToDibRow(BYTE* out, const BYTE* in, int count, WORD bitCount)
{
    const auto pixels = static_cast<std::size_t>(count);
    if (bitCount == 24)
        std::memcpy(out, in, pixels * kPixelBytes);
    else
        NarrowToRgb555(out, in, pixels);
}

// The bitmap row that DIB row `row` (in memory order) lands on, or -1.
int BitmapRowOf(const BITMAPINFOHEADER& h, std::size_t row, const Bitmap& bitmap)
{
    const std::size_t rows = DibRows(h);
    const std::size_t fromTop = h.biHeight > 0 ? rows - 1 - row : row;
    return fromTop < static_cast<std::size_t>(bitmap.height) ? static_cast<int>(fromTop) : -1;
}

// Maps destination positions 0 … extent−1 (left to right) onto source
// positions, nearest pixel: the i-th position from the destination's origin
// takes the source pixel i × sourceExtent / extent from the source's origin,
// so extents of different sign mirror the picture.
std::vector<int> NearestMap(int extent, int sourceStart, int sourceExtent)
{
    const bool mirror = (extent < 0) != (sourceExtent < 0);
    const LONGLONG count = extent < 0 ? -LONGLONG{extent} : extent;
    const LONGLONG sourceCount = sourceExtent < 0 ? -LONGLONG{sourceExtent} : sourceExtent;
    const LONGLONG sourceFirst = sourceExtent < 0 ? LONGLONG{sourceStart} + sourceExtent + 1 : sourceStart;
    std::vector<int> map(static_cast<std::size_t>(count));
    // i × sourceCount / count carried as quotient and remainder from one i
    // to the next: the same positions without a division per pixel.
    const LONGLONG whole = sourceCount / count;
    const LONGLONG part = sourceCount % count;
    LONGLONG step = 0;
    LONGLONG rest = 0;
    for (LONGLONG i = 0; i < count; ++i) {
        // Positions past an int's range lie outside any bitmap; clamped so
        // none wraps round into it.
        map[static_cast<std::size_t>(mirror ? count - 1 - i : i)] =
            static_cast<int>(std::clamp<LONGLONG>(sourceFirst + step, -1, INT_MAX));
        step += whole;
        rest += part;
        if (rest >= count) {
            rest -= count;
            ++step;
        }
    }
    return map;
}

// The destination positions k (from `left`) whose pixel lies inside the
// destination and whose source column lies inside the source: one run,
// since the map only rises or only falls.
struct Span {
    std::size_t begin;
    std::size_t end;
};

Span VisibleColumns(const std::vector<int>& map, LONGLONG left, int targetWidth, int sourceWidth)
{
    std::size_t begin = 0;
    std::size_t end = map.size();
    const auto inside = [&](std::size_t k) {
        const LONGLONG x = left + static_cast<LONGLONG>(k);
        return x >= 0 && x < targetWidth && map[k] >= 0 && map[k] < sourceWidth;
    };
    while (begin < end && !inside(begin)) ++begin;
    while (end > begin && !inside(end - 1)) --end;
    return {begin, end};
}

// The columns `map` names, nearest pixel; `count` destination pixels.
void CopyMappedPixels(BYTE* out, const BYTE* in, const int* map, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k, out += kPixelBytes)
        std::memcpy(out, in + static_cast<std::size_t>(map[k]) * kPixelBytes, kPixelBytes);
}

// The same from an RGB555 row, each pixel widened as SetDIBits widens it.
void WidenMappedPixels(BYTE* out, const BYTE* in, const int* map, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k, out += kPixelBytes)
        WidenRgb555(out, in + static_cast<std::size_t>(map[k]) * 2, 1);
}

// First destination position of a rectangle given by origin and extent.
LONGLONG FirstOf(int origin, int extent) { return extent < 0 ? LONGLONG{origin} + extent + 1 : origin; }

// What a stretch reads: a bitmap, or the bits of a DIB the caller holds.
// Rows count from the picture's top.
struct StretchSource {
    int width;
    int height;
    WORD bitCount;  // 24, or 16 for RGB555
    const BYTE* bits;
    std::size_t stride;
    bool bottomUp;

    const BYTE* Row(int y) const
    {
        return bits + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * stride;
    }
};

StretchSource SourceOf(const Bitmap& bitmap)
{
    return {bitmap.width, bitmap.height, 24, bitmap.bits.data(), bitmap.stride, true};
}

// The stand-in draws the colour-on-colour stretch: nearest pixels, the
// others left out. The other modes give that picture only where no source
// pixel is left out (black-on-white and white-on-black merge the dropped
// ones into the kept one with AND or OR) or, for halftone, which averages,
// only where nothing is scaled. Elsewhere a stretch is refused rather than
// drawn otherwise than the mode says.
bool DrawsInMode(int mode, int width, int height, int sourceWidth, int sourceHeight)
{
    const LONGLONG w = std::abs(LONGLONG{width}), h = std::abs(LONGLONG{height});
    const LONGLONG sw = std::abs(LONGLONG{sourceWidth}), sh = std::abs(LONGLONG{sourceHeight});
    if (mode == COLORONCOLOR) return true;
    if (mode == HALFTONE) return w == sw && h == sh;
    return sw <= w && sh <= h;
}

// Extents far past any bitmap would need maps no memory holds: refused
// rather than let the allocation failure escape.
bool MappableExtents(int width, int height)
{
    return std::abs(LONGLONG{width}) <= kLargestExtent && std::abs(LONGLONG{height}) <= kLargestExtent;
}

// The destination rectangle (x, y, width, height) of `target` filled with
// the nearest pixels of the source rectangle (sourceX, sourceY, sourceWidth,
// sourceHeight) of `from`, both counted from the top-left; negative extents
// mirror, and whatever falls outside either picture is left alone. Returns
// the destination rows written.
int StretchPixels(Bitmap& target, int x, int y, int width, int height, const StretchSource& from, int sourceX,
                  int sourceY, int sourceWidth, int sourceHeight)
{
    const std::vector<int> columns = NearestMap(width, sourceX, sourceWidth);
    const std::vector<int> rows = NearestMap(height, sourceY, sourceHeight);
    const LONGLONG left = FirstOf(x, width);
    const LONGLONG top = FirstOf(y, height);
    const Span span = VisibleColumns(columns, left, target.width, from.width);
    if (span.begin == span.end) return 0;
    const bool halving = width > 0 && LONGLONG{sourceWidth} == 2 * LONGLONG{width};
    const std::size_t count = span.end - span.begin;
    const int first = columns[span.begin];
    int written = 0;
    // Bottom row first, so an unmirrored stretch walks bottom-up buffers
    // upwards in memory; the rows are independent, so the order shows
    // nowhere else.
    for (std::size_t j = rows.size(); j-- > 0;) {
        const LONGLONG outY = top + static_cast<LONGLONG>(j);
        if (outY < 0 || outY >= target.height || rows[j] < 0 || rows[j] >= from.height) continue;
        // From the first visible column on, so no pointer leaves the row.
        BYTE* out = target.Row(static_cast<int>(outY)) +
                    static_cast<std::size_t>(left + static_cast<LONGLONG>(span.begin)) * kPixelBytes;
        const BYTE* in = from.Row(rows[j]);
        if (halving && from.bitCount == 24)
            CopyEvenPixels(out, in + static_cast<std::size_t>(first) * kPixelBytes, count,
                           static_cast<std::size_t>(from.width - first), kPixelBytes, false);
        else if (halving)
            WidenEvenRgb555(out, in + static_cast<std::size_t>(first) * 2, count);
        else if (from.bitCount == 24)
            CopyMappedPixels(out, in, columns.data() + span.begin, count);
        else
            WidenMappedPixels(out, in, columns.data() + span.begin, count);
        ++written;
    }
    return written;
}

// A source rectangle of a DIB counted from the picture's top: a bottom-up
// DIB's rows count from its bottom, so its rectangle is turned over, and
// drawing from the top keeps the picture upright. False when the turned
// origin no longer fits an int (only for extents near an int's limits).
bool TopDownRows(const BITMAPINFOHEADER& h, int& sourceY, int sourceHeight)
{
    if (h.biHeight < 0) return true;
    const LONGLONG first = FirstOf(sourceY, sourceHeight);
    const LONGLONG count = std::abs(LONGLONG{sourceHeight});
    const LONGLONG fromTop = LONGLONG{h.biHeight} - first - count;
    // Keeps the same extent: its sign still says whether to mirror.
    const LONGLONG origin = sourceHeight < 0 ? fromTop + count - 1 : fromTop;
    if (origin < INT_MIN || origin > INT_MAX) return false;
    sourceY = static_cast<int>(origin);
    return true;
}

} // namespace

HDC CreateDCW(LPCWSTR driver, LPCWSTR, LPCWSTR, const void*)
{
    static constexpr char16_t kDisplay[] = u"DISPLAY";
    if (!driver || std::char_traits<char16_t>::compare(driver, kDisplay, 8) != 0) return nullptr;
    std::lock_guard lock(g_mutex);
    auto context = std::make_shared<DeviceContext>();
    context->display = true;
    const std::uintptr_t handle = NewHandle();
    g_contexts.emplace(handle, std::move(context));
    return reinterpret_cast<HDC>(handle);
}

HDC CreateCompatibleDC(HDC dc)
{
    std::lock_guard lock(g_mutex);
    if (dc && !ContextLocked(dc)) return nullptr;
    auto context = std::make_shared<DeviceContext>();
    const std::uintptr_t handle = NewHandle();
    context->bitmap = AddBitmapLocked(1, 1, true);
    g_bitmaps[context->bitmap]->selectedInto = handle;
    g_contexts.emplace(handle, std::move(context));
    return reinterpret_cast<HDC>(handle);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    if (width <= 0 || height <= 0 || LONGLONG{width} * height > (LONGLONG{1} << 28)) return nullptr;
    std::lock_guard lock(g_mutex);
    const auto context = ContextLocked(dc);
    if (!context) return nullptr;
    const auto held = context->display ? nullptr : BitmapLocked(context->bitmap);
    const bool monochrome = held && held->monochrome;
    try {
        return reinterpret_cast<HBITMAP>(AddBitmapLocked(width, height, monochrome));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    std::lock_guard lock(g_mutex);
    const auto context = ContextLocked(dc);
    const auto bitmap = BitmapLocked(Key(object));
    if (!context || context->display || !bitmap) return nullptr;
    if (bitmap->selectedInto && bitmap->selectedInto != Key(dc)) return nullptr;
    const std::uintptr_t previous = context->bitmap;
    if (const auto old = BitmapLocked(previous)) old->selectedInto = 0;
    bitmap->selectedInto = Key(dc);
    context->bitmap = Key(object);
    return reinterpret_cast<HGDIOBJ>(previous);
}

BOOL DeleteObject(HGDIOBJ object)
{
    std::lock_guard lock(g_mutex);
    const auto it = g_bitmaps.find(Key(object));
    if (it == g_bitmaps.end() || it->second->selectedInto) return FALSE;
    g_bitmaps.erase(it);
    return TRUE;
}

// The context's first bitmap goes with it; one selected by the caller stays
// for the caller to delete.
BOOL DeleteDC(HDC dc)
{
    std::lock_guard lock(g_mutex);
    const auto it = g_contexts.find(Key(dc));
    if (it == g_contexts.end()) return FALSE;
    if (const auto bitmap = BitmapLocked(it->second->bitmap)) {
        if (bitmap->monochrome && bitmap->width == 1 && bitmap->height == 1)
            g_bitmaps.erase(it->second->bitmap);
        else
            bitmap->selectedInto = 0;
    }
    g_contexts.erase(it);
    return TRUE;
}

int SetStretchBltMode(HDC dc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    std::lock_guard lock(g_mutex);
    const auto context = ContextLocked(dc);
    if (!context) return 0;
    return std::exchange(context->stretchMode, mode);
}

int GetStretchBltMode(HDC dc)
{
    std::lock_guard lock(g_mutex);
    const auto context = ContextLocked(dc);
    return context ? context->stretchMode : 0;
}

int SetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    if (!bits || usage != DIB_RGB_COLORS || !SupportedDib(info)) return 0;
    const auto bitmap = ColourBitmap(dc, handle);
    if (!bitmap) return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const std::size_t rows = DibRows(h);
    if (start >= rows) return 0;
    const std::size_t last = std::min<std::size_t>(rows, std::size_t{start} + lines);
    const std::size_t stride = DibStride(h);
    const int columns = std::min<int>(h.biWidth, bitmap->width);
    const auto* in = static_cast<const BYTE*>(bits);
    for (std::size_t row = start; row < last; ++row, in += stride) {
        const int target = BitmapRowOf(h, row, *bitmap);
        if (target >= 0) DibRowToPixels(bitmap->Row(target), in, columns, h.biBitCount);
    }
    return static_cast<int>(last - start);
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
    if (usage != DIB_RGB_COLORS || !SupportedDib(info)) return 0;
    const auto bitmap = ColourBitmap(dc, handle);
    if (!bitmap) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    const std::size_t rows = DibRows(h);
    const std::size_t stride = DibStride(h);
    if (!bits) {
        h.biSizeImage = static_cast<DWORD>(stride * rows);
        return bitmap->height;
    }
    if (start >= rows) return 0;
    const std::size_t last = std::min<std::size_t>(rows, std::size_t{start} + lines);
    const int columns = std::min<int>(h.biWidth, bitmap->width);
    auto* out = static_cast<BYTE*>(bits);
    for (std::size_t row = start; row < last; ++row, out += stride) {
        const int source = BitmapRowOf(h, row, *bitmap);
        if (source < 0) continue;
        PixelsToDibRow(out, bitmap->Row(source), columns, h.biBitCount);
        // Padding and columns the bitmap lacks read as 0 rather than as
        // whatever the buffer held.
        const std::size_t written = static_cast<std::size_t>(columns) * (h.biBitCount / 8u);
        std::memset(out + written, 0, stride - written);
    }
    return static_cast<int>(last - start);
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    if (rop != SRCCOPY) return FALSE;
    const auto target = SurfaceOf(destination);
    const auto from = SurfaceOf(source);
    if (!target || !from) return FALSE;
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
    if (!MappableExtents(width, height)) return FALSE;
    if (!DrawsInMode(GetStretchBltMode(destination), width, height, sourceWidth, sourceHeight)) return FALSE;
    // The same bitmap on both sides would read what it has just written.
    Bitmap snapshot;
    if (from == target) snapshot = *from;
    StretchPixels(*target, x, y, width, height, SourceOf(from == target ? snapshot : *from), sourceX, sourceY,
                  sourceWidth, sourceHeight);
    return TRUE;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (rop != SRCCOPY || usage != DIB_RGB_COLORS || !bits || !SupportedDib(info)) return 0;
    const auto target = SurfaceOf(dc);
    if (!target) return 0;
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return 0;
    if (!MappableExtents(width, height)) return 0;
    if (!DrawsInMode(GetStretchBltMode(dc), width, height, sourceWidth, sourceHeight)) return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const LONGLONG rows = static_cast<LONGLONG>(DibRows(h));
    if (rows > INT_MAX) return 0;
    const StretchSource from{h.biWidth, static_cast<int>(rows), h.biBitCount, static_cast<const BYTE*>(bits),
                             DibStride(h), h.biHeight > 0};
    if (!TopDownRows(h, sourceY, sourceHeight)) return 0;
    return StretchPixels(*target, x, y, width, height, from, sourceX, sourceY, sourceWidth, sourceHeight);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    if (rop != BLACKNESS && rop != WHITENESS) return FALSE;
    const auto target = SurfaceOf(dc);
    if (!target) return FALSE;
    // Both colours have one value in every byte.
    const BYTE value = rop == BLACKNESS ? 0 : 0xFF;
    const LONGLONG left = std::max<LONGLONG>(FirstOf(x, width), 0);
    const LONGLONG right = std::min<LONGLONG>(LONGLONG{FirstOf(x, width)} + std::abs(LONGLONG{width}), target->width);
    const LONGLONG top = std::max<LONGLONG>(FirstOf(y, height), 0);
    const LONGLONG bottom = std::min<LONGLONG>(LONGLONG{FirstOf(y, height)} + std::abs(LONGLONG{height}), target->height);
    for (LONGLONG row = top; row < bottom; ++row) {
        BYTE* out = target->Row(static_cast<int>(row));
        if (right > left)
            std::memset(out + left * kPixelBytes, value, static_cast<std::size_t>(right - left) * kPixelBytes);
    }
    return TRUE;
}
