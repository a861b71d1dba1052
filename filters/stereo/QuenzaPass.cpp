#include "QuenzaPass.h"

#include "CpuDispatch.h"

#include <algorithm>
#include <array>
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
void CopyMapped(std::uint8_t* out, const std::uint8_t* in, const std::size_t* map, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) std::memcpy(out + Bpp * k, in + map[k], Bpp);
}

// RGB24 through 4-byte moves: each store's fourth byte is overwritten by the
// next pixel, and the last pixel moves its three bytes alone, so nothing
// right of the run changes. Needs one readable byte after the source row.
void CopyMappedWide24(std::uint8_t* out, const std::uint8_t* in, const std::size_t* map, std::size_t count)
{
    if (count == 0) return;
    const std::size_t last = count - 1;
    for (std::size_t k = 0; k < last; ++k) std::memcpy(out + 3 * k, in + map[k], 4);
    std::memcpy(out + 3 * last, in + map[last], 3);
}

// Doubling in width (drawn column i shows source column i / 2) moves
// whole vectors: each source pixel is written twice side by side. These
// write `count` output pixels from source pixel 0 on, as far as whole
// steps go without reading past the `count / 2` source pixels a run needs,
// and return how many they wrote.
#if defined(__x86_64__)
// RGB24: output byte j is source byte 3 (j / 6) + j % 3. A step makes 16
// pixels (three 16-byte blocks) from 8 (24 bytes); the blocks' bytes lie
// within source bytes 0-8, 7-16 and 17-23, loaded from 0, 7 and 8.
constexpr std::size_t kDoubledStepPixels = 16;
constexpr std::array<std::size_t, 3> kDoubledLoads{0, 7, 8};

constexpr std::array<char, 16> DoubledMask(std::size_t block)
{
    std::array<char, 16> mask{};
    for (std::size_t j = 0; j < 16; ++j) {
        const std::size_t out = 16 * block + j;
        mask[j] = static_cast<char>(3 * (out / 6) + out % 3 - kDoubledLoads[block]);
    }
    return mask;
}

template <std::size_t Block>
__attribute__((target("ssse3"))) __m128i DoubledBlock(const std::uint8_t* in)
{
    static constexpr std::array<char, 16> mask = DoubledMask(Block);
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + kDoubledLoads[Block]));
    return _mm_shuffle_epi8(source, _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data())));
}

__attribute__((target("ssse3"))) std::size_t DoublePixels24(std::uint8_t* out, const std::uint8_t* in,
                                                             std::size_t count)
{
    std::size_t k = 0;
    for (; k + kDoubledStepPixels <= count; k += kDoubledStepPixels) {
        const std::uint8_t* from = in + 3 * (k / 2);
        auto* to = reinterpret_cast<__m128i*>(out + 3 * k);
        _mm_storeu_si128(to, DoubledBlock<0>(from));
        _mm_storeu_si128(to + 1, DoubledBlock<1>(from));
        _mm_storeu_si128(to + 2, DoubledBlock<2>(from));
    }
    return k;
}

// 16-bit words: each word unpacked next to itself, 16 pixels from 8.
std::size_t DoublePixels16(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    std::size_t k = 0;
    for (; k + 16 <= count; k += 16) {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        auto* to = reinterpret_cast<__m128i*>(out + 2 * k);
        _mm_storeu_si128(to, _mm_unpacklo_epi16(words, words));
        _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(words, words));
    }
    return k;
}
#endif

std::size_t DoublePixels(std::uint8_t* out, const std::uint8_t* in, std::size_t count, unsigned bpp)
{
#if defined(__x86_64__)
    // The 16-bit form needs only SSE2, part of every x86-64.
    if (bpp == 2) return DoublePixels16(out, in, count);
    if (ActiveInstructionSet() >= InstructionSet::Ssse3) return DoublePixels24(out, in, count);
#else
    (void)out, (void)in, (void)count, (void)bpp;
#endif
    return 0;
}

// A mapped row, through whole doubled vectors where the map doubles: a
// run of drawn columns starting on an odd one first takes that one alone.
void CopyMappedRow(std::uint8_t* out, const std::uint8_t* in, const std::vector<std::size_t>& map, unsigned bpp,
                   bool doubled, bool lastSourceRow)
{
    std::size_t done = 0;
    if (doubled && map.size() > 1) {
        const std::size_t start = map[0] == map[1] ? 0 : 1;
        done = start + DoublePixels(out + start * bpp, in + map[start], map.size() - start, bpp);
        if (done == start) done = 0;
        else if (start) std::memcpy(out, in + map[0], bpp);
    }
    std::uint8_t* to = out + done * bpp;
    const std::size_t* rest = map.data() + done;
    const std::size_t count = map.size() - done;
    if (bpp == 3 && !lastSourceRow)
        CopyMappedWide24(to, in, rest, count);
    else if (bpp == 3)
        CopyMapped<3>(to, in, rest, count);
    else
        CopyMapped<2>(to, in, rest, count);
}

void DrawScaled(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& at, const Visible& v,
                std::vector<std::size_t>& map)
{
    const unsigned bpp = frame.bytesPerPixel;
    MapColumns(map, picture, at, v, bpp);
    const std::size_t sourceRow = RowBytes(picture.width, bpp);
    const std::size_t length = map.size() * bpp;
    const bool doubled = at.width == 2 * static_cast<long long>(picture.width);
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
            CopyMappedRow(to, picture.pixels + from, map, bpp, doubled, from + sourceRow >= picture.bytes);
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
