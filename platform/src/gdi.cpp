#include "wingdi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// Pixels as 0x00RRGGBB, so each is the bytes blue, green, red, 0 in memory.
struct Bitmap {
    int width = 0;
    int height = 0;
    bool monochrome = false;  // only the stand-in's first bitmap of a context: never drawn on
    // Rows bottom-up in memory, as in the usual bottom-up DIBs: converting
    // one then walks both buffers upwards, which runs twice as fast on large
    // frames as meeting each row from the other end.
    std::vector<std::uint32_t> pixels;
    std::uintptr_t selectedInto = 0;

    // Row y counted from the top, as every caller counts them.
    std::uint32_t* Row(int y) { return pixels.data() + Offset(y); }
    const std::uint32_t* Row(int y) const { return pixels.data() + Offset(y); }
    std::size_t Offset(int y) const
    {
        return static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width);
    }
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
    if (!monochrome) bitmap->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
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

// Five bits widened to eight so that narrowing again gives them back.
constexpr std::uint32_t Widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }

#if defined(__x86_64__) || defined(__i386__)
bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// Four 3-byte pixels per 16-byte load, widened to four 32-bit ones; stops
// where a 16-byte load would read past the row.
__attribute__((target("ssse3"))) int Widen24Blocks(std::uint32_t* out, const BYTE* in, int count)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int i = 0;
    for (; i + 6 <= count; i += 4) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi8(block, spread));
    }
    return i;
}

// The reverse: four 32-bit pixels to twelve bytes, each 16-byte store
// overlapping the next; stops where a store would write past the row.
__attribute__((target("ssse3"))) int Narrow24Blocks(BYTE* out, const std::uint32_t* in, int count)
{
    const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int i = 0;
    for (; i + 6 <= count; i += 4) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i), _mm_shuffle_epi8(block, pack));
    }
    return i;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Eight pixels a step: the dword permute puts bytes 0-11 in the low lane
// and 12-23 in the high one, each widened as above. Stops where a 32-byte
// load would read past the row.
__attribute__((target("avx2"))) int Widen24Wide(std::uint32_t* out, const BYTE* in, int count)
{
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5);
    const __m256i spread =
        _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9,
                         10, 11, -1);
    int i = 0;
    for (; i + 11 <= count; i += 8) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 3 * i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(block, lanes), spread));
    }
    return i;
}

// The reverse: eight pixels to 24 bytes, each 32-byte store overlapping the
// next; stops where a store would write past the row.
__attribute__((target("avx2"))) int Narrow24Wide(BYTE* out, const std::uint32_t* in, int count)
{
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8,
                                          9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i together = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    int i = 0;
    for (; i + 11 <= count; i += 8) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 3 * i),
                            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(block, pack), together));
    }
    return i;
}

// The widest blocks the processor runs, then the narrower ones for the rest.
int Widen24Fast(std::uint32_t* out, const BYTE* in, int count)
{
    int done = HasAvx2() ? Widen24Wide(out, in, count) : 0;
    if (HasSsse3()) done += Widen24Blocks(out + done, in + 3 * done, count - done);
    return done;
}

int Narrow24Fast(BYTE* out, const std::uint32_t* in, int count)
{
    int done = HasAvx2() ? Narrow24Wide(out, in, count) : 0;
    if (HasSsse3()) done += Narrow24Blocks(out + 3 * done, in + done, count - done);
    return done;
}
#else
int Widen24Fast(std::uint32_t*, const BYTE*, int) { return 0; }
int Narrow24Fast(BYTE*, const std::uint32_t*, int) { return 0; }
#endif

void DibRowToPixels(std::uint32_t* out, const BYTE* in, int count, WORD bitCount)
{
    if (bitCount == 24) {
        const int done = Widen24Fast(out, in, count);
        in += 3 * done;
        for (int i = done; i < count; ++i, in += 3)
            out[i] = std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]} << 16;
        return;
    }
    for (int i = 0; i < count; ++i, in += 2) {
        const std::uint32_t v = std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8;
        out[i] = Widen5(v & 31) | Widen5((v >> 5) & 31) << 8 | Widen5((v >> 10) & 31) << 16;
    }
}

void PixelsToDibRow(BYTE* out, const std::uint32_t* in, int count, WORD bitCount)
{
    if (bitCount == 24) {
        const int done = Narrow24Fast(out, in, count);
        out += 3 * done;
        for (int i = done; i < count; ++i, out += 3) {
            out[0] = static_cast<BYTE>(in[i]);
            out[1] = static_cast<BYTE>(in[i] >> 8);
            out[2] = static_cast<BYTE>(in[i] >> 16);
        }
        return;
    }
    for (int i = 0; i < count; ++i, out += 2) {
        const std::uint32_t p = in[i];
        const std::uint32_t v = ((p >> 3) & 31) | ((p >> 11) & 31) << 5 | ((p >> 19) & 31) << 10;
        out[0] = static_cast<BYTE>(v);
        out[1] = static_cast<BYTE>(v >> 8);
    }
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
    for (LONGLONG k = 0; k < count; ++k) {
        const LONGLONG step = (mirror ? count - 1 - k : k) * sourceCount / count;
        map[static_cast<std::size_t>(k)] = static_cast<int>(sourceFirst + step);
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

// out[k] = in[2k]: the colour-on-colour halving of a row.
void KeepEvenPixels(std::uint32_t* out, const std::uint32_t* in, std::size_t count)
{
    std::size_t k = 0;
#if defined(__x86_64__) || defined(__i386__)
    for (; k + 4 <= count; k += 4) {
        const __m128 a = _mm_loadu_ps(reinterpret_cast<const float*>(in + 2 * k));
        const __m128 b = _mm_loadu_ps(reinterpret_cast<const float*>(in + 2 * k + 4));
        _mm_storeu_ps(reinterpret_cast<float*>(out + k), _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
    }
#endif
    for (; k < count; ++k) out[k] = in[2 * k];
}

// First destination position of a rectangle given by origin and extent.
LONGLONG FirstOf(int origin, int extent) { return extent < 0 ? LONGLONG{origin} + extent + 1 : origin; }

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

// Every stretch mode scales with nearest pixels here; the combining modes
// differ only for monochrome bitmaps, which this stand-in does not draw on.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop)
{
    if (rop != SRCCOPY) return FALSE;
    const auto target = SurfaceOf(destination);
    const auto from = SurfaceOf(source);
    if (!target || !from) return FALSE;
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
    // Extents far past any bitmap would need maps no memory holds: refused
    // rather than let the allocation failure escape.
    if (std::abs(LONGLONG{width}) > kLargestExtent || std::abs(LONGLONG{height}) > kLargestExtent) return FALSE;
    const std::vector<int> columns = NearestMap(width, sourceX, sourceWidth);
    const std::vector<int> rows = NearestMap(height, sourceY, sourceHeight);
    const LONGLONG left = FirstOf(x, width);
    const LONGLONG top = FirstOf(y, height);
    // The same bitmap on both sides would read what it has just written.
    const Bitmap* read = from.get();
    Bitmap snapshot;
    if (from == target) {
        snapshot = *from;
        read = &snapshot;
    }
    const Span span = VisibleColumns(columns, left, target->width, read->width);
    const bool halving = span.begin < span.end && width > 0 && LONGLONG{sourceWidth} == 2 * LONGLONG{width};
    // Bottom row first, so an unmirrored stretch walks both bitmaps upwards
    // in memory; the rows are independent, so the order shows nowhere else.
    for (std::size_t j = rows.size(); j-- > 0;) {
        const LONGLONG outY = top + static_cast<LONGLONG>(j);
        if (outY < 0 || outY >= target->height || rows[j] < 0 || rows[j] >= read->height) continue;
        // From the first visible column on, so no pointer leaves the row.
        std::uint32_t* out = target->Row(static_cast<int>(outY)) + (left + static_cast<LONGLONG>(span.begin));
        const std::uint32_t* in = read->Row(rows[j]);
        const std::size_t count = span.end - span.begin;
        if (halving)
            KeepEvenPixels(out, in + columns[span.begin], count);
        else
            for (std::size_t k = 0; k < count; ++k) out[k] = in[columns[span.begin + k]];
    }
    return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    if (rop != BLACKNESS && rop != WHITENESS) return FALSE;
    const auto target = SurfaceOf(dc);
    if (!target) return FALSE;
    const std::uint32_t colour = rop == BLACKNESS ? 0 : 0x00FF'FFFF;
    const LONGLONG left = std::max<LONGLONG>(FirstOf(x, width), 0);
    const LONGLONG right = std::min<LONGLONG>(LONGLONG{FirstOf(x, width)} + std::abs(LONGLONG{width}), target->width);
    const LONGLONG top = std::max<LONGLONG>(FirstOf(y, height), 0);
    const LONGLONG bottom = std::min<LONGLONG>(LONGLONG{FirstOf(y, height)} + std::abs(LONGLONG{height}), target->height);
    for (LONGLONG row = top; row < bottom; ++row) {
        std::uint32_t* out = target->Row(static_cast<int>(row));
        std::fill(out + left, out + std::max(left, right), colour);
    }
    return TRUE;
}
