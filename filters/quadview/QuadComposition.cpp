#include "QuadComposition.h"

#include <algorithm>
#include <cstring>

namespace {

struct Colour24 {
    std::uint8_t blue, green, red;
};

constexpr Colour24 kCyan24{255, 255, 0};
constexpr std::uint16_t kCross16 = 0x0F7F;

std::uint8_t* FillPixels(std::uint8_t* at, std::size_t pixels, QuadPixelFormat format, Colour24 colour24,
                         std::uint16_t word)
{
    for (std::size_t p = 0; p < pixels; ++p) {
        if (format == QuadPixelFormat::Rgb24) {
            *at++ = colour24.blue;
            *at++ = colour24.green;
            *at++ = colour24.red;
        } else {
            *at++ = static_cast<std::uint8_t>(word);
            *at++ = static_cast<std::uint8_t>(word >> 8);
        }
    }
    return at;
}

bool IsUpper(int quarter) { return quarter < 2; }
bool IsRight(int quarter) { return quarter % 2 == 1; }

} // namespace

std::size_t QuarterOffset(const QuadGeometry& geometry, int quarter)
{
    // The spare row of an odd height is the picture's top row: the last row
    // of a bottom-up frame, the first of a top-down one.
    const std::size_t half = geometry.height / 2;
    const std::size_t firstRow =
        geometry.topDown ? geometry.height % 2 + (IsUpper(quarter) ? 0 : half) : (IsUpper(quarter) ? half : 0);
    return firstRow * geometry.RowBytes() + (IsRight(quarter) ? geometry.QuarterRowBytes() : 0);
}

void DrawQuarter(std::uint8_t* frame, const QuadGeometry& geometry, int quarter, const std::uint8_t* source)
{
    const std::size_t row = geometry.RowBytes();
    std::uint8_t* out = frame + QuarterOffset(geometry, quarter);
    // Rows of a top-down source are shrunk in their own order as well, so
    // picture row pairs stay pairs either way; an odd last source row is left out.
    const std::size_t sourceStart = geometry.topDown ? geometry.height % 2 * row : 0;
    for (std::size_t y = 0; y < geometry.height / 2; ++y) {
        const std::uint8_t* lower = source + sourceStart + 2 * y * row;
        AverageRowPair(out + y * row, lower, lower + row, geometry.width / 2, geometry.format);
    }
}

void PaintQuarter(std::uint8_t* frame, const QuadGeometry& geometry, int quarter, const std::uint8_t* background)
{
    const std::size_t row = geometry.RowBytes();
    std::uint8_t* out = frame + QuarterOffset(geometry, quarter);
    for (std::size_t y = 0; y < geometry.height / 2; ++y) std::memcpy(out + y * row, background, geometry.QuarterRowBytes());
}

void PaintSpareEdges(std::uint8_t* frame, const QuadGeometry& geometry, const std::uint8_t* background)
{
    const std::size_t row = geometry.RowBytes();
    const unsigned bytesPerPixel = BytesPerPixel(geometry.format);
    if (geometry.width % 2)
        for (std::size_t y = 0; y < geometry.height; ++y)
            std::memcpy(frame + y * row + row - bytesPerPixel, background, bytesPerPixel);
    if (geometry.height % 2) {
        const std::size_t spareRow = geometry.topDown ? 0 : geometry.height - 1;
        std::memcpy(frame + spareRow * row, background, row);
    }
}

void DrawCross(std::uint8_t* frame, const QuadGeometry& geometry)
{
    if (geometry.width == 0 || geometry.height == 0) return;
    const std::size_t row = geometry.RowBytes();
    const bool rgb24 = geometry.format == QuadPixelFormat::Rgb24;
    // The horizontal bar: picture rows from height / 2 - 1 up, in memory order.
    const long long first = static_cast<long long>(geometry.height / 2) - 1;
    const long long rows = rgb24 ? 3 : 2;
    for (long long r = std::max(first, 0LL); r < std::min(first + rows, static_cast<long long>(geometry.height)); ++r) {
        const std::size_t memoryRow = geometry.topDown ? geometry.height - 1 - static_cast<std::size_t>(r)
                                                       : static_cast<std::size_t>(r);
        FillPixels(frame + memoryRow * row, geometry.width, geometry.format, kCyan24, kCross16);
    }
    const long long left = static_cast<long long>(geometry.width / 2) - 1;
    const long long right = std::min(left + 3, static_cast<long long>(geometry.width));
    const std::size_t column = static_cast<std::size_t>(std::max(left, 0LL));
    const std::size_t pixels = static_cast<std::size_t>(right) - column;
    for (std::size_t y = 0; y < geometry.height; ++y)
        FillPixels(frame + y * row + column * BytesPerPixel(geometry.format), pixels, geometry.format, kCyan24,
                   kCross16);
}

void FillBackground(std::uint8_t* row, std::size_t bytes, QuadPixelFormat format, int colour)
{
    static constexpr Colour24 kColours24[] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
    static constexpr std::uint16_t kColours565[] = {0xF800, 0x07E0, 0x001F};
    static constexpr std::uint16_t kColours555[] = {0x7C00, 0x03E0, 0x001F};
    std::memset(row, 0, bytes);
    if (colour < 1 || colour > 3) return;
    const auto index = static_cast<std::size_t>(colour - 1);
    const std::uint16_t word = format == QuadPixelFormat::Rgb565 ? kColours565[index] : kColours555[index];
    FillPixels(row, bytes / BytesPerPixel(format), format, kColours24[index], word);
}
