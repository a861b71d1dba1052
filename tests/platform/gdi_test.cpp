#include "wingdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

BITMAPINFO DibInfo(LONG width, LONG height, WORD bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    return info;
}

// A memory context on the display with a bitmap of its own selected.
struct Surface {
    Surface(int width, int height)
        : display(CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr)), dc(CreateCompatibleDC(display)),
          bitmap(CreateCompatibleBitmap(display, width, height)), original(SelectObject(dc, bitmap))
    {
    }
    ~Surface()
    {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
        DeleteDC(display);
    }
    HDC display;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ original;
};

// 24-bit pixels of a bottom-up DIB without padding whose bytes are
// (column, row, 7); rows are padded to 32 bits by the caller's stride.
Bytes NumberedDib(int width, int height, std::size_t stride)
{
    Bytes bits(stride * static_cast<std::size_t>(height), 0);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            std::uint8_t* p = &bits[r * stride + 3 * static_cast<std::size_t>(c)];
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(r);
            p[2] = 7;
        }
    return bits;
}

// A DIB's stride: rows padded to 32 bits.
std::size_t StrideOf(int width, WORD bits) { return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4; }

TEST(Gdi, DibsComeBackAsTheyWentInWithPaddedRows)
{
    for (WORD bits : {WORD{16}, WORD{24}}) {
        const int width = 5;  // rows of 15 or 10 bytes, padded to 16 and 12
        const std::size_t stride = bits == 24 ? 16 : 12;
        Surface surface(width, 3);
        BITMAPINFO info = DibInfo(width, 3, bits);
        Bytes in(stride * 3);
        for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 37 + 1);
        if (bits == 16)
            for (std::size_t i = 1; i < in.size(); i += 2) in[i] &= 0x7F;  // RGB555 has no top bit
        ASSERT_EQ(SetDIBits(surface.dc, surface.bitmap, 0, 3, in.data(), &info, DIB_RGB_COLORS), 3);
        Bytes out(in.size(), 0xEE);
        ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 3, out.data(), &info, DIB_RGB_COLORS), 3);
        for (int r = 0; r < 3; ++r)
            for (std::size_t b = 0; b < width * bits / 8u; ++b)
                EXPECT_EQ(out[r * stride + b], in[r * stride + b]) << bits << " row " << r << " byte " << b;
    }
}

// Every row length up to a few vector blocks, so each conversion's block
// forms and their tails meet real pixels; the bitmap's width is the DIB's.
TEST(Gdi, DibRowsOfEveryLengthComeBack)
{
    for (WORD bits : {WORD{16}, WORD{24}}) {
        for (int width = 1; width <= 40; ++width) {
            const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
            Surface surface(width, 2);
            BITMAPINFO info = DibInfo(width, 2, bits);
            Bytes in(2 * stride);
            for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 59 + width);
            if (bits == 16)
                for (std::size_t i = 1; i < in.size(); i += 2) in[i] &= 0x7F;
            const std::size_t used = static_cast<std::size_t>(width) * bits / 8u;
            for (std::size_t r = 0; r < 2; ++r) std::fill(in.begin() + r * stride + used, in.begin() + (r + 1) * stride, 0);
            ASSERT_EQ(SetDIBits(surface.dc, surface.bitmap, 0, 2, in.data(), &info, DIB_RGB_COLORS), 2);
            Bytes out(in.size(), 0xEE);
            ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 2, out.data(), &info, DIB_RGB_COLORS), 2);
            ASSERT_EQ(out, in) << bits << " bits, width " << width;
        }
    }
}

// RGB555 against the formulas, at every row length up to several vector
// steps with their tails: five bits widened by repeating their top bits
// (into bitmaps, and by the halving stretch from pixels 0, 2, 4, …), eight
// narrowed by keeping their top five (out of bitmaps of any 24-bit values).
TEST(Gdi, Rgb555ConvertsByTheFormulasAtEveryWidth)
{
    const auto widened = [](const std::uint8_t* p) {
        const unsigned v = unsigned{p[0]} | unsigned{p[1]} << 8;
        const auto five = [](unsigned c) { return static_cast<std::uint8_t>((c << 3) | (c >> 2)); };
        return Bytes{five(v & 31), five((v >> 5) & 31), five((v >> 10) & 31)};
    };
    const auto narrowed = [](const std::uint8_t* p) {
        const unsigned v = unsigned{p[0]} >> 3 | (unsigned{p[1]} >> 3) << 5 | (unsigned{p[2]} >> 3) << 10;
        return Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    };
    for (int width = 1; width <= 40; ++width) {
        const std::size_t stride16 = StrideOf(width, 16), stride24 = StrideOf(width, 24);
        Bytes rgb555(stride16), rgb24(stride24);
        for (std::size_t i = 0; i < rgb555.size(); ++i) rgb555[i] = static_cast<std::uint8_t>(i * 73 + width);
        for (std::size_t i = 0; i < rgb24.size(); ++i) rgb24[i] = static_cast<std::uint8_t>(i * 151 + width);
        const BITMAPINFO info16 = DibInfo(width, 1, 16), info24 = DibInfo(width, 1, 24);
        Surface surface(width, 1);
        BITMAPINFO readInfo = info24;
        Bytes wide(stride24);
        ASSERT_EQ(SetDIBits(surface.dc, surface.bitmap, 0, 1, rgb555.data(), &info16, DIB_RGB_COLORS), 1);
        ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 1, wide.data(), &readInfo, DIB_RGB_COLORS), 1);
        for (int i = 0; i < width; ++i)
            ASSERT_EQ(Bytes(&wide[3 * i], &wide[3 * i] + 3), widened(&rgb555[2 * i])) << "widened, width " << width << " at " << i;
        readInfo = info16;
        Bytes narrow(stride16);
        ASSERT_EQ(SetDIBits(surface.dc, surface.bitmap, 0, 1, rgb24.data(), &info24, DIB_RGB_COLORS), 1);
        ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 1, narrow.data(), &readInfo, DIB_RGB_COLORS), 1);
        for (int i = 0; i < width; ++i)
            ASSERT_EQ(Bytes(&narrow[2 * i], &narrow[2 * i] + 2), narrowed(&rgb24[3 * i])) << "narrowed, width " << width << " at " << i;
        const int half = width / 2;
        if (half == 0) continue;
        PatBlt(surface.dc, 0, 0, width, 1, BLACKNESS);
        SetStretchBltMode(surface.dc, COLORONCOLOR);
        ASSERT_EQ(StretchDIBits(surface.dc, 0, 0, half, 1, 0, 0, 2 * half, 1, rgb555.data(), &info16, DIB_RGB_COLORS,
                                SRCCOPY),
                  1);
        readInfo = info24;
        ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 1, wide.data(), &readInfo, DIB_RGB_COLORS), 1);
        for (int i = 0; i < half; ++i)
            ASSERT_EQ(Bytes(&wide[3 * i], &wide[3 * i] + 3), widened(&rgb555[4 * i])) << "halved, width " << width << " at " << i;
        EXPECT_EQ(Bytes(&wide[3 * half], &wide[3 * width]), Bytes(3 * (width - half), 0)) << "past the half, width " << width;
    }
}

struct StretchCase {
    const char* name;
    int x, y, width, height;  // destination
    int sourceX, sourceY, sourceWidth, sourceHeight;
    int expectColumn[4];  // source column shown in destination columns 0–3 of row 0 (-1: untouched)
};

// Stretching an 8 × 2 picture onto 4 × 1: nearest pixels, dropped columns,
// mirroring and clipping, read back through a top-down DIB.
TEST(Gdi, StretchKeepsNearestPixels)
{
    const StretchCase cases[] = {
        {"halved", 0, 0, 4, 1, 0, 0, 8, 2, {0, 2, 4, 6}},
        {"part of the source", 0, 0, 4, 1, 4, 0, 4, 1, {4, 5, 6, 7}},
        {"doubled", 0, 0, 4, 1, 2, 0, 2, 1, {2, 2, 3, 3}},
        {"mirrored", 3, 0, -4, 1, 0, 0, 8, 2, {6, 4, 2, 0}},
        {"clipped at the left", -2, 0, 4, 1, 0, 0, 8, 2, {4, 6, -1, -1}},
        {"clipped at the right", 2, 0, 4, 1, 0, 0, 8, 2, {-1, -1, 0, 2}},
        {"source past its bitmap", 0, 0, 4, 1, 6, 0, 4, 1, {6, 7, -1, -1}},
    };
    const BITMAPINFO sourceInfo = DibInfo(8, -2, 24);
    const Bytes picture = NumberedDib(8, 2, 24);
    for (const StretchCase& c : cases) {
        Surface source(8, 2);
        Surface target(4, 1);
        ASSERT_EQ(SetDIBits(source.dc, source.bitmap, 0, 2, picture.data(), &sourceInfo, DIB_RGB_COLORS), 2);
        PatBlt(target.dc, 0, 0, 4, 1, WHITENESS);
        SetStretchBltMode(target.dc, COLORONCOLOR);
        ASSERT_TRUE(StretchBlt(target.dc, c.x, c.y, c.width, c.height, source.dc, c.sourceX, c.sourceY,
                               c.sourceWidth, c.sourceHeight, SRCCOPY))
            << c.name;
        BITMAPINFO info = DibInfo(4, -1, 24);
        Bytes out(12);
        ASSERT_EQ(GetDIBits(target.dc, target.bitmap, 0, 1, out.data(), &info, DIB_RGB_COLORS), 1);
        for (int i = 0; i < 4; ++i) {
            const Bytes pixel(out.begin() + 3 * i, out.begin() + 3 * i + 3);
            const Bytes expected = c.expectColumn[i] < 0
                                       ? Bytes{0xFF, 0xFF, 0xFF}
                                       : Bytes{static_cast<std::uint8_t>(c.expectColumn[i]), 0, 7};
            EXPECT_EQ(pixel, expected) << c.name << " column " << i;
        }
    }
}

// Nearest pixel as defined: destination position i from the rectangle's
// origin shows source pixel i × |source extent| / |extent| from the source's,
// counted from the far end when the signs differ.
int NearestSource(int i, int origin, int extent, int sourceOrigin, int sourceExtent)
{
    const long long count = std::abs(extent), sourceCount = std::abs(sourceExtent);
    const long long first = sourceExtent < 0 ? sourceOrigin + sourceExtent + 1 : sourceOrigin;
    const long long start = extent < 0 ? origin + extent + 1 : origin;
    const long long k = i - start;
    if (k < 0 || k >= count) return -1;
    return static_cast<int>(first + ((extent < 0) != (sourceExtent < 0) ? count - 1 - k : k) * sourceCount / count);
}

// Exact halvings (the column-drop path) over many widths and destination
// alignments, and other ratios (the general path), from frames written in
// either row order: every destination pixel holds its nearest source pixel
// or, outside either bitmap, stays white.
TEST(Gdi, StretchMatchesNearestPixelsAtEveryWidth)
{
    struct Case {
        int sourceWidth, targetWidth, x, width, sourceX, sourceWidthUsed;
    };
    std::vector<Case> cases;
    for (int sourceWidth = 2; sourceWidth <= 70; ++sourceWidth)
        for (int x : {0, 1, 5, -3})
            for (int sourceX : {0, 1}) cases.push_back({sourceWidth, sourceWidth / 2 + 6, x, sourceWidth / 2, sourceX, 2 * (sourceWidth / 2)});
    cases.push_back({70, 40, 36, -32, 3, 64});    // mirrored halving
    cases.push_back({70, 40, 0, 30, 0, 70});      // 7 to 3
    cases.push_back({30, 70, 2, 70, 0, 30});      // 3 to 7
    cases.push_back({1920, 720, 0, 720, 0, 1080}); // 3 to 2, wide
    const int height = 3;
    for (LONG direction : {1, -1}) {
        for (const Case& c : cases) {
            const std::size_t stride = (static_cast<std::size_t>(c.sourceWidth) * 3 + 3) / 4 * 4;
            Bytes picture(stride * height);
            for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<std::uint8_t>(i * 131 + c.x);
            Surface source(c.sourceWidth, height);
            Surface target(c.targetWidth, height);
            const BITMAPINFO sourceInfo = DibInfo(c.sourceWidth, direction * height, 24);
            ASSERT_EQ(SetDIBits(source.dc, source.bitmap, 0, height, picture.data(), &sourceInfo, DIB_RGB_COLORS), height);
            PatBlt(target.dc, 0, 0, c.targetWidth, height, WHITENESS);
            SetStretchBltMode(target.dc, COLORONCOLOR);
            ASSERT_TRUE(StretchBlt(target.dc, c.x, 0, c.width, height, source.dc, c.sourceX, 0, c.sourceWidthUsed,
                                   height, SRCCOPY));
            const std::size_t targetStride = (static_cast<std::size_t>(c.targetWidth) * 3 + 3) / 4 * 4;
            Bytes out(targetStride * height);
            BITMAPINFO info = DibInfo(c.targetWidth, -height, 24);
            ASSERT_EQ(GetDIBits(target.dc, target.bitmap, 0, height, out.data(), &info, DIB_RGB_COLORS), height);
            for (int row = 0; row < height; ++row) {
                // The picture's row `row` from the top, in the DIB's memory order.
                const std::size_t pictureRow = direction > 0 ? height - 1 - row : row;
                for (int column = 0; column < c.targetWidth; ++column) {
                    const int from = NearestSource(column, c.x, c.width, c.sourceX, c.sourceWidthUsed);
                    const std::uint8_t* got = &out[row * targetStride + 3 * static_cast<std::size_t>(column)];
                    const Bytes pixel(got, got + 3);
                    const Bytes expected = from >= 0 && from < c.sourceWidth
                                               ? Bytes(&picture[pictureRow * stride + 3 * static_cast<std::size_t>(from)],
                                                       &picture[pictureRow * stride + 3 * static_cast<std::size_t>(from)] + 3)
                                               : Bytes{0xFF, 0xFF, 0xFF};
                    ASSERT_EQ(pixel, expected) << "source " << c.sourceWidth << " x " << c.x << " width " << c.width
                                               << " from " << c.sourceX << " rows " << direction << " at " << column
                                               << "," << row;
                }
            }
        }
    }
}

// The same rectangle rows counted from the bottom of a picture `rows` high,
// as a bottom-up DIB counts them; the extent keeps its sign.
int FromBottom(int origin, int extent, int rows)
{
    const int first = extent < 0 ? origin + extent + 1 : origin;
    const int bottomFirst = rows - first - std::abs(extent);
    return extent < 0 ? bottomFirst + std::abs(extent) - 1 : bottomFirst;
}

// StretchDIBits from both row orders and both formats: every destination
// pixel holds the nearest pixel of the picture (columns and rows alike, as
// seen from the top), or, where the rectangle falls outside the picture or
// the bitmap, stays white; the rows written are what it returns. Exact
// halvings take the column-drop path at many widths and alignments; the
// rest take the general one, with row offsets, clipping and mirrors.
TEST(Gdi, StretchDibitsMatchesNearestPixels)
{
    struct Case {
        int sourceWidth, sourceHeight, targetWidth, targetHeight;
        int x, y, width, height, sourceX, sourceY, sourceWidthUsed, sourceHeightUsed;
    };
    std::vector<Case> cases;
    for (int w = 2; w <= 70; ++w)
        for (int x : {0, 1, 5, -3})
            for (int sourceX : {0, 1}) cases.push_back({w, 3, w / 2 + 6, 3, x, 0, w / 2, 3, sourceX, 0, 2 * (w / 2), 3});
    cases.push_back({40, 6, 30, 8, 2, 1, 20, 3, 0, 2, 40, 3});     // some rows, shifted
    cases.push_back({40, 6, 30, 8, 0, -2, 20, 6, 0, 0, 40, 6});    // clipped at the top
    cases.push_back({40, 6, 30, 8, 0, 5, 20, 6, 0, 0, 40, 6});     // clipped at the bottom
    cases.push_back({40, 6, 30, 8, 0, 0, 20, 8, 0, 1, 40, 4});     // rows doubled
    cases.push_back({40, 6, 30, 8, 0, 0, 20, 3, 0, 0, 40, 6});     // rows halved
    cases.push_back({40, 6, 30, 8, 0, 5, 20, -6, 0, 0, 40, 6});    // turned upside down
    cases.push_back({40, 6, 30, 8, 0, 1, 20, 4, 0, 4, 40, -4});    // some rows, upside down
    cases.push_back({40, 6, 30, 8, 19, 0, -20, 6, 0, 0, 40, 6});   // mirrored
    cases.push_back({40, 6, 30, 8, 0, 0, 20, 6, 36, 4, 8, 4});     // source past the picture
    cases.push_back({70, 4, 40, 4, 0, 0, 30, 4, 0, 0, 70, 4});     // 7 to 3
    cases.push_back({30, 4, 75, 4, 2, 0, 70, 4, 0, 0, 30, 4});     // 3 to 7
    cases.push_back({1920, 2, 720, 2, 0, 0, 720, 2, 0, 0, 1080, 2}); // 3 to 2, wide
    for (WORD bits : {WORD{24}, WORD{16}}) {
        const std::size_t pixelBytes = bits / 8u;
        const Bytes white = bits == 24 ? Bytes{0xFF, 0xFF, 0xFF} : Bytes{0xFF, 0x7F};
        for (bool bottomUp : {false, true}) {
            for (const Case& c : cases) {
                const std::size_t stride = StrideOf(c.sourceWidth, bits);
                Bytes picture(stride * c.sourceHeight);
                for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<std::uint8_t>(i * 131 + c.x);
                if (bits == 16)
                    for (std::size_t i = 1; i < picture.size(); i += 2) picture[i] &= 0x7F;
                const auto pictureRow = [&](int fromTop) { return bottomUp ? c.sourceHeight - 1 - fromTop : fromTop; };
                Surface target(c.targetWidth, c.targetHeight);
                PatBlt(target.dc, 0, 0, c.targetWidth, c.targetHeight, WHITENESS);
                SetStretchBltMode(target.dc, COLORONCOLOR);
                const BITMAPINFO sourceInfo = DibInfo(c.sourceWidth, bottomUp ? c.sourceHeight : -c.sourceHeight, bits);
                const int sourceY =
                    bottomUp ? FromBottom(c.sourceY, c.sourceHeightUsed, c.sourceHeight) : c.sourceY;
                const int written = StretchDIBits(target.dc, c.x, c.y, c.width, c.height, c.sourceX, sourceY,
                                                  c.sourceWidthUsed, c.sourceHeightUsed, picture.data(), &sourceInfo,
                                                  DIB_RGB_COLORS, SRCCOPY);
                const std::size_t targetStride = StrideOf(c.targetWidth, bits);
                Bytes out(targetStride * c.targetHeight);
                BITMAPINFO info = DibInfo(c.targetWidth, -c.targetHeight, bits);
                ASSERT_EQ(GetDIBits(target.dc, target.bitmap, 0, c.targetHeight, out.data(), &info, DIB_RGB_COLORS),
                          c.targetHeight);
                int drawnRows = 0;
                for (int row = 0; row < c.targetHeight; ++row) {
                    const int fromRow = NearestSource(row, c.y, c.height, c.sourceY, c.sourceHeightUsed);
                    bool drawn = false;
                    for (int column = 0; column < c.targetWidth; ++column) {
                        const int from = NearestSource(column, c.x, c.width, c.sourceX, c.sourceWidthUsed);
                        const bool inside = from >= 0 && from < c.sourceWidth && fromRow >= 0 && fromRow < c.sourceHeight;
                        drawn = drawn || inside;
                        const std::uint8_t* got = &out[row * targetStride + pixelBytes * static_cast<std::size_t>(column)];
                        const std::uint8_t* want =
                            inside ? &picture[pictureRow(fromRow) * stride + pixelBytes * static_cast<std::size_t>(from)]
                                   : white.data();
                        ASSERT_EQ(Bytes(got, got + pixelBytes), Bytes(want, want + pixelBytes))
                            << bits << " bits, " << (bottomUp ? "bottom-up" : "top-down") << ", source "
                            << c.sourceWidth << " x " << c.x << " width " << c.width << " from " << c.sourceX
                            << " at " << column << "," << row;
                    }
                    drawnRows += drawn;
                }
                EXPECT_EQ(written, drawnRows) << bits << " " << bottomUp << " source " << c.sourceWidth << " x " << c.x;
            }
        }
    }
}

// Both stretches draw only what the destination's stretch mode draws as
// nearest pixels: a shrink would merge dropped pixels in black-on-white and
// white-on-black, and halftone blends whatever it scales.
TEST(Gdi, StretchesOnlyWhereTheModeKeepsNearestPixels)
{
    struct Case {
        int mode, width, height, sourceWidth, sourceHeight;
        bool draws;
    };
    const Case cases[] = {
        {COLORONCOLOR, 2, 1, 4, 2, true},   {BLACKONWHITE, 2, 2, 4, 2, false}, {WHITEONBLACK, 4, 1, 4, 2, false},
        {BLACKONWHITE, 4, 2, 4, 2, true},   {WHITEONBLACK, 4, 2, 2, 1, true},  {HALFTONE, 4, 2, 4, 2, true},
        {HALFTONE, -4, 2, 4, 2, true},      {HALFTONE, 4, 2, 2, 1, false},
    };
    const BITMAPINFO info = DibInfo(4, 2, 24);
    const Bytes picture(24, 0x33);
    for (const Case& c : cases) {
        Surface source(4, 2);
        Surface target(4, 2);
        ASSERT_EQ(SetDIBits(source.dc, source.bitmap, 0, 2, picture.data(), &info, DIB_RGB_COLORS), 2);
        SetStretchBltMode(target.dc, c.mode);
        const int x = c.width < 0 ? 3 : 0;
        EXPECT_EQ(StretchBlt(target.dc, x, 0, c.width, c.height, source.dc, 0, 0, c.sourceWidth, c.sourceHeight, SRCCOPY),
                  c.draws ? TRUE : FALSE)
            << c.mode << " " << c.width << "x" << c.height;
        EXPECT_EQ(StretchDIBits(target.dc, x, 0, c.width, c.height, 0, 0, c.sourceWidth, c.sourceHeight,
                                picture.data(), &info, DIB_RGB_COLORS, SRCCOPY),
                  c.draws ? c.height : 0)
            << c.mode << " " << c.width << "x" << c.height;
    }
}

TEST(Gdi, NewBitmapsAndBlackFillsAreBlack)
{
    Surface surface(3, 2);
    BITMAPINFO info = DibInfo(3, 2, 24);
    Bytes out(24, 0xEE);
    ASSERT_EQ(GetDIBits(surface.dc, surface.bitmap, 0, 2, out.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out, Bytes(24, 0));  // padding bytes included
    PatBlt(surface.dc, 0, 0, 3, 2, WHITENESS);
    ASSERT_TRUE(PatBlt(surface.dc, 1, 0, 5, 1, BLACKNESS));
    GetDIBits(surface.dc, surface.bitmap, 0, 2, out.data(), &info, DIB_RGB_COLORS);
    // Bottom-up: the top row, filled black from column 1, comes second.
    EXPECT_EQ(Bytes(out.begin() + 12, out.begin() + 21), (Bytes{0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 9), Bytes(9, 0xFF));
}

// Handles that are not, or no longer, what a call needs fail cleanly.
TEST(Gdi, RefusesWhatDoesNotFit)
{
    EXPECT_EQ(CreateDCW(u"PRINTER", nullptr, nullptr, nullptr), nullptr);
    Surface surface(2, 2);
    HDC other = CreateCompatibleDC(surface.display);
    EXPECT_EQ(SelectObject(other, surface.bitmap), nullptr);  // selected into another context
    EXPECT_EQ(SelectObject(surface.display, surface.bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(surface.bitmap));  // still selected
    // A memory context still holding its first bitmap makes monochrome ones,
    // which nothing here draws on.
    HBITMAP mono = CreateCompatibleBitmap(other, 2, 2);
    ASSERT_NE(mono, nullptr);
    BITMAPINFO info = DibInfo(2, 2, 24);
    Bytes bits(16);
    EXPECT_EQ(SetDIBits(other, mono, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 0);
    EXPECT_FALSE(StretchBlt(other, 0, 0, 2, 2, surface.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(surface.dc, 0, 0, 2, 2, surface.dc, 0, 0, 2, 2, 0x00EE0086));
    EXPECT_FALSE(StretchBlt(surface.dc, 0, 0, 2147483647, 2, surface.dc, 0, 0, 2, 2, SRCCOPY));
    BITMAPINFO rgb32 = DibInfo(2, 2, 32);
    EXPECT_EQ(SetDIBits(surface.dc, surface.bitmap, 0, 2, bits.data(), &rgb32, DIB_RGB_COLORS), 0);
    // Stretching a DIB takes the same formats, plain copies, and a memory
    // context with a colour bitmap to draw on.
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &rgb32, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &info, DIB_RGB_COLORS, 0x00EE0086), 0);
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &info, 1, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 0, 2, 2, nullptr, &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(surface.display, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(other, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(surface.dc, 0, 0, 2, 2, 0, 4, 2, INT_MIN, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_FALSE(DeleteObject(mono));
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_FALSE(DeleteDC(other));
    EXPECT_EQ(SetStretchBltMode(other, COLORONCOLOR), 0);
    EXPECT_EQ(SetStretchBltMode(surface.dc, COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(surface.dc), COLORONCOLOR);
}

} // namespace
