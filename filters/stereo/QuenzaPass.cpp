#include "QuenzaPass.h"

#include "CpuDispatch.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

std::size_t RowBytes(int width, unsigned bytesPerPixel)
{
    return static_cast<std::size_t>(width) * bytesPerPixel;
}

// The drawn columns and rows that land inside the frame, as half-open
// ranges of drawn positions, and the frame row of drawn row 0.
struct Visible {
    long long firstColumn;
    long long endColumn;
    long long firstRow;
    long long endRow;
    long long bottom;
};

Visible VisiblePart(const QuenzaFrame& frame, const QuenzaPlacement& at)
{
    Visible v{};
    v.bottom = static_cast<long long>(frame.height) - at.y - at.height;
    v.firstColumn = std::max<long long>(0, -static_cast<long long>(at.x));
    v.endColumn = std::min<long long>(at.width, static_cast<long long>(frame.width) - at.x);
    v.firstRow = std::max<long long>(0, -v.bottom);
    v.endRow = std::min<long long>(at.height, frame.height - v.bottom);
    return v;
}

// The frame bytes of drawn row `row` from drawn column `column`, or null
// when `length` bytes there would leave the frame buffer.
std::uint8_t* FrameAt(const QuenzaFrame& frame, const Visible& v, const QuenzaPlacement& at, long long row,
                      long long column, std::size_t length)
{
    const auto offset = static_cast<std::size_t>(v.bottom + row) * RowBytes(frame.width, frame.bytesPerPixel) +
                        static_cast<std::size_t>(at.x + column) * frame.bytesPerPixel;
    return offset + length <= frame.bytes ? frame.pixels + offset : nullptr;
}

void DrawUnscaled(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& at,
                  const Visible& v)
{
    const unsigned bpp = frame.bytesPerPixel;
    const std::size_t sourceRow = RowBytes(picture.width, bpp);
    const auto length = static_cast<std::size_t>(v.endColumn - v.firstColumn) * bpp;
    for (long long row = v.firstRow; row < v.endRow; ++row) {
        const std::size_t from = static_cast<std::size_t>(row) * sourceRow + static_cast<std::size_t>(v.firstColumn) * bpp;
        std::uint8_t* to = FrameAt(frame, v, at, row, v.firstColumn, length);
        if (!to || from + length > picture.bytes) return;
        std::memcpy(to, picture.pixels + from, length);
    }
}

// Source byte offsets within a row for the visible drawn columns.
void MapColumns(std::vector<std::size_t>& map, const QuenzaPicture& picture, const QuenzaPlacement& at,
                const Visible& v, unsigned bpp)
{
    map.resize(static_cast<std::size_t>(v.endColumn - v.firstColumn));
    for (long long i = v.firstColumn; i < v.endColumn; ++i) {
        const long long column = i * picture.width / at.width;
        map[static_cast<std::size_t>(i - v.firstColumn)] = static_cast<std::size_t>(column) * bpp;
    }
}

template <unsigned Bpp>
void CopyMapped(std::uint8_t* out, const std::uint8_t* in, const std::vector<std::size_t>& map)
{
    for (std::size_t k = 0; k < map.size(); ++k) std::memcpy(out + Bpp * k, in + map[k], Bpp);
}

// Through 4-byte moves: each store's extra bytes are overwritten by the next
// pixel, and the last pixel moves its own bytes alone, so nothing right of
// the run changes. Needs 4 − Bpp readable bytes after the source row.
template <unsigned Bpp>
void CopyMappedWide(std::uint8_t* out, const std::uint8_t* in, const std::vector<std::size_t>& map)
{
    if (map.empty()) return;
    const std::size_t last = map.size() - 1;
    for (std::size_t k = 0; k < last; ++k) std::memcpy(out + Bpp * k, in + map[k], 4);
    std::memcpy(out + Bpp * last, in + map[last], Bpp);
}

// One source row through the column map, by wide moves where the source
// buffer has room after the row.
void CopyRow(std::uint8_t* out, const QuenzaPicture& picture, std::size_t from, std::size_t sourceRow, unsigned bpp,
             const std::vector<std::size_t>& map)
{
    const std::uint8_t* in = picture.pixels + from;
    const bool room = from + sourceRow + (4 - bpp) <= picture.bytes;
    if (bpp == 3)
        room ? CopyMappedWide<3>(out, in, map) : CopyMapped<3>(out, in, map);
    else
        room ? CopyMappedWide<2>(out, in, map) : CopyMapped<2>(out, in, map);
}

// Each source pixel twice, as an exact doubling draws a row: output pixel k
// shows source pixel (first + k) / 2, with `in` at source pixel 0 and
// `available` source pixels in the row.
void DoubleSlow(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t first, unsigned bpp)
{
    for (std::size_t k = 0; k < count; ++k) std::memcpy(out + bpp * k, in + bpp * ((first + k) / 2), bpp);
}

#if defined(__x86_64__)
// 8 source pixels to 16 (RGB555): each 16-bit value unpacked with itself.
std::size_t DoubleBlocks16(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available)
{
    std::size_t k = 0;
    for (; k + 16 <= count && k / 2 + 8 <= available; k += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k), _mm_unpacklo_epi16(x, x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k + 16), _mm_unpackhi_epi16(x, x));
    }
    return k;
}

// 4 source pixels (from a 16-byte load) to 8 (RGB24, 24 bytes).
__attribute__((target("ssse3"))) std::size_t DoubleBlocks24(std::uint8_t* out, const std::uint8_t* in,
                                                             std::size_t count, std::size_t available)
{
    const __m128i first = _mm_setr_epi8(0, 1, 2, 0, 1, 2, 3, 4, 5, 3, 4, 5, 6, 7, 8, 6);
    const __m128i second = _mm_setr_epi8(7, 8, 9, 10, 11, 9, 10, 11, -1, -1, -1, -1, -1, -1, -1, -1);
    std::size_t k = 0;
    for (; k + 8 <= count && k / 2 + 6 <= available; k += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * (k / 2)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * k), _mm_shuffle_epi8(x, first));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * k + 16), _mm_shuffle_epi8(x, second));
    }
    return k;
}
#endif

// A row doubled: an odd first column takes the second copy of its pixel
// alone, then whole pairs go by blocks where the machine has them.
void DoubleRow(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t first, std::size_t available,
               unsigned bpp)
{
    std::size_t k = 0;
    if (first % 2 && count) {
        DoubleSlow(out, in, 1, first, bpp);
        k = 1;
    }
    const std::uint8_t* from = in + bpp * ((first + k) / 2);
    const std::size_t left = available - (first + k) / 2;
    std::size_t done = 0;
#if defined(__x86_64__)
    if (bpp == 2)
        done = DoubleBlocks16(out + bpp * k, from, count - k, left);
    else if (ActiveInstructionSet() >= InstructionSet::Ssse3)
        done = DoubleBlocks24(out + bpp * k, from, count - k, left);
#else
    (void)left;
#endif
    DoubleSlow(out + bpp * (k + done), from, count - k - done, done, bpp);
}

void DrawScaled(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& at, const Visible& v,
                std::vector<std::size_t>& map)
{
    const unsigned bpp = frame.bytesPerPixel;
    MapColumns(map, picture, at, v, bpp);
    const std::size_t sourceRow = RowBytes(picture.width, bpp);
    const std::size_t length = map.size() * bpp;
    const std::uint8_t* previous = nullptr;
    long long previousSource = -1;
    for (long long row = v.firstRow; row < v.endRow; ++row) {
        const long long source = row * picture.height / at.height;
        std::uint8_t* to = FrameAt(frame, v, at, row, v.firstColumn, length);
        if (!to) return;
        // Rows repeated by an enlargement are copied whole from the last one.
        if (source == previousSource) {
            std::memcpy(to, previous, length);
        } else {
            const std::size_t from = static_cast<std::size_t>(source) * sourceRow;
            if (from + sourceRow > picture.bytes) return;
            if (at.width == 2 * picture.width)
                DoubleRow(to, picture.pixels + from, map.size(), static_cast<std::size_t>(v.firstColumn),
                          static_cast<std::size_t>(picture.width), bpp);
            else
                CopyRow(to, picture, from, sourceRow, bpp, map);
        }
        previous = to;
        previousSource = source;
    }
}

} // namespace

QuenzaRect CoveredRect(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& at)
{
    const QuenzaRect none{0, 0, 0, 0};
    if (frame.bytesPerPixel != 2 && frame.bytesPerPixel != 3) return none;
    if (picture.width <= 0 || picture.height <= 0 || at.width <= 0 || at.height <= 0) return none;
    const std::size_t whole = RowBytes(picture.width, frame.bytesPerPixel) * static_cast<std::size_t>(picture.height);
    if (picture.bytes < whole) return none;
    const Visible v = VisiblePart(frame, at);
    if (v.firstColumn >= v.endColumn || v.firstRow >= v.endRow) return none;
    // Rows the frame buffer cannot hold whole are not drawn.
    const auto rowsHeld = static_cast<long long>(frame.bytes / RowBytes(frame.width, frame.bytesPerPixel));
    const long long top = std::min(v.bottom + v.endRow, rowsHeld);
    if (top <= v.bottom + v.firstRow) return none;
    return {static_cast<int>(at.x + v.firstColumn), static_cast<int>(at.x + v.endColumn),
            static_cast<int>(v.bottom + v.firstRow), static_cast<int>(top)};
}

void CopyBackgroundAround(const QuenzaFrame& frame, const std::uint8_t* background, const QuenzaRect* covered,
                          std::size_t count)
{
    const unsigned bpp = frame.bytesPerPixel;
    const std::size_t rowBytes = RowBytes(frame.width, bpp);
    const std::size_t rows = rowBytes ? frame.bytes / rowBytes : 0;
    std::vector<QuenzaRect> spans;
    for (std::size_t row = 0; row < rows; ++row) {
        // The covered column runs of this row, left to right.
        spans.clear();
        for (std::size_t k = 0; k < count; ++k) {
            const QuenzaRect& r = covered[k];
            if (r.left < r.right && static_cast<long long>(row) >= r.bottom && static_cast<long long>(row) < r.top)
                spans.push_back(r);
        }
        std::sort(spans.begin(), spans.end(), [](const QuenzaRect& a, const QuenzaRect& b) { return a.left < b.left; });
        const std::size_t start = row * rowBytes;
        int column = 0;
        for (const QuenzaRect& span : spans) {
            if (span.left > column)
                std::memcpy(frame.pixels + start + static_cast<std::size_t>(column) * bpp,
                            background + start + static_cast<std::size_t>(column) * bpp,
                            static_cast<std::size_t>(span.left - column) * bpp);
            column = std::max(column, span.right);
        }
        if (column < frame.width)
            std::memcpy(frame.pixels + start + static_cast<std::size_t>(column) * bpp,
                        background + start + static_cast<std::size_t>(column) * bpp,
                        static_cast<std::size_t>(frame.width - column) * bpp);
    }
    const std::size_t done = rows * rowBytes;
    if (frame.bytes > done) std::memcpy(frame.pixels + done, background + done, frame.bytes - done);
}

void BuildBackground(std::vector<std::uint8_t>& background, std::size_t bytes, unsigned bytesPerPixel,
                     std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    background.assign(bytes, 0);
    if (bytesPerPixel == 3) {
        const std::uint8_t pixel[3] = {blue, green, red};
        for (std::size_t i = 0; i + 3 <= bytes; i += 3) std::memcpy(background.data() + i, pixel, 3);
    } else if (bytesPerPixel == 2) {
        const unsigned value = (red / 8u) * 1024u + (green / 8u) * 32u + blue / 8u;
        const std::uint8_t pixel[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        for (std::size_t i = 0; i + 2 <= bytes; i += 2) std::memcpy(background.data() + i, pixel, 2);
    }
}

void DrawPicture(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& placement,
                 std::vector<std::size_t>& scratch)
{
    if (frame.bytesPerPixel != 2 && frame.bytesPerPixel != 3) return;
    if (picture.width <= 0 || picture.height <= 0 || placement.width <= 0 || placement.height <= 0) return;
    const Visible v = VisiblePart(frame, placement);
    if (v.firstColumn >= v.endColumn || v.firstRow >= v.endRow) return;
    if (placement.width == picture.width && placement.height == picture.height)
        DrawUnscaled(frame, picture, placement, v);
    else
        DrawScaled(frame, picture, placement, v, scratch);
}
