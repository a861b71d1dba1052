#include "LevelCompressorBitmaps.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rows per band of a frame being put: a band's bitmap (24 bits per pixel,
// as the display runs) stays within a second-level cache for frames up to
// 4K wide.
constexpr int kBandRows = 32;

} // namespace

bool DeviceBitmapCompressor::Create(const BITMAPINFOHEADER& header)
{
    Release();
    m_width = header.biWidth;
    m_height = std::abs(header.biHeight);
    if (m_width <= 0 || m_height <= 0) return false;
    m_info = {};
    m_info.bmiHeader = header;
    m_rowBytes = (static_cast<std::size_t>(m_width) * header.biBitCount + 31) / 32 * 4;
    m_display = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
    if (!m_display || !CreateSurface(m_composition, m_height) ||
        !CreateSurface(m_band, std::min(kBandRows, m_height))) {
        Release();
        return false;
    }
    SetStretchBltMode(m_composition.dc, COLORONCOLOR);
    PatBlt(m_composition.dc, 0, 0, m_width, m_height, BLACKNESS);
    return true;
}

bool DeviceBitmapCompressor::CreateSurface(Surface& surface, int height)
{
    surface.dc = CreateCompatibleDC(m_display);
    if (!surface.dc) return false;
    surface.bitmap = CreateCompatibleBitmap(m_display, m_width, height);
    if (!surface.bitmap) return false;
    surface.original = SelectObject(surface.dc, surface.bitmap);
    return surface.original != nullptr;
}

void DeviceBitmapCompressor::ReleaseSurface(Surface& surface)
{
    if (surface.dc && surface.original) SelectObject(surface.dc, surface.original);
    if (surface.bitmap) DeleteObject(surface.bitmap);
    if (surface.dc) DeleteDC(surface.dc);
    surface = {};
}

void DeviceBitmapCompressor::Release()
{
    ReleaseSurface(m_composition);
    ReleaseSurface(m_band);
    if (m_display) DeleteDC(m_display);
    m_display = nullptr;
}

// A frame shorter than the header says is converted only as far as it goes.
std::size_t DeviceBitmapCompressor::WholeRows(std::size_t length) const
{
    return m_rowBytes ? std::min<std::size_t>(static_cast<std::size_t>(m_height), length / m_rowBytes) : 0;
}

void DeviceBitmapCompressor::PutSide(FrameHalf half, const std::uint8_t* frame, std::size_t length)
{
    if (!Ready()) return;
    const int rows = static_cast<int>(WholeRows(length));
    const bool bottomUp = m_info.bmiHeader.biHeight > 0;
    const int halfWidth = m_width / 2;
    const int left = half == FrameHalf::Left ? 0 : halfWidth;
    for (int first = 0; first < rows; first += kBandRows) {
        const int count = std::min(kBandRows, rows - first);
        // The band as a DIB of its own, filling the band bitmap's first rows
        // in picture order whichever way the frame runs.
        BITMAPINFO band = m_info;
        band.bmiHeader.biHeight = bottomUp ? count : -count;
        SetDIBits(m_band.dc, m_band.bitmap, 0, static_cast<UINT>(count),
                  frame + static_cast<std::size_t>(first) * m_rowBytes, &band, DIB_RGB_COLORS);
        // DIB rows count from the picture's bottom in a bottom-up frame.
        const int top = bottomUp ? m_height - first - count : first;
        StretchBlt(m_composition.dc, left, top, halfWidth, count, m_band.dc, 0, 0, m_width, count, SRCCOPY);
    }
}

std::size_t DeviceBitmapCompressor::Compose(std::uint8_t* out, std::size_t capacity)
{
    if (!Ready()) return 0;
    const std::size_t rows = WholeRows(capacity);
    GetDIBits(m_composition.dc, m_composition.bitmap, 0, static_cast<UINT>(rows), out, &m_info, DIB_RGB_COLORS);
    return rows * m_rowBytes;
}
