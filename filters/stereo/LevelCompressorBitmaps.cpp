#include "LevelCompressorBitmaps.h"

#include <algorithm>
#include <cstdlib>

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
    if (!m_display || !CreateComposition()) {
        Release();
        return false;
    }
    SetStretchBltMode(m_composition.dc, COLORONCOLOR);
    PatBlt(m_composition.dc, 0, 0, m_width, m_height, BLACKNESS);
    return true;
}

bool DeviceBitmapCompressor::CreateComposition()
{
    Surface& surface = m_composition;
    surface.dc = CreateCompatibleDC(m_display);
    if (!surface.dc) return false;
    surface.bitmap = CreateCompatibleBitmap(m_display, m_width, m_height);
    if (!surface.bitmap) return false;
    surface.original = SelectObject(surface.dc, surface.bitmap);
    return surface.original != nullptr;
}

void DeviceBitmapCompressor::Release()
{
    Surface& surface = m_composition;
    if (surface.dc && surface.original) SelectObject(surface.dc, surface.original);
    if (surface.bitmap) DeleteObject(surface.bitmap);
    if (surface.dc) DeleteDC(surface.dc);
    surface = {};
    if (m_display) DeleteDC(m_display);
    m_display = nullptr;
}

// A frame shorter than the header says is stretched only as far as it goes.
std::size_t DeviceBitmapCompressor::WholeRows(std::size_t length) const
{
    return m_rowBytes ? std::min<std::size_t>(static_cast<std::size_t>(m_height), length / m_rowBytes) : 0;
}

void DeviceBitmapCompressor::PutSide(FrameHalf half, const std::uint8_t* frame, std::size_t length)
{
    if (!Ready()) return;
    const int rows = static_cast<int>(WholeRows(length));
    if (rows == 0) return;
    // The rows the sample holds as a DIB of their own; in a bottom-up frame
    // they are the picture's bottom rows.
    const bool bottomUp = m_info.bmiHeader.biHeight > 0;
    BITMAPINFO held = m_info;
    held.bmiHeader.biHeight = bottomUp ? rows : -rows;
    const int top = bottomUp ? m_height - rows : 0;
    const int halfWidth = m_width / 2;
    const int left = half == FrameHalf::Left ? 0 : halfWidth;
    StretchDIBits(m_composition.dc, left, top, halfWidth, rows, 0, 0, m_width, rows, frame, &held, DIB_RGB_COLORS,
                  SRCCOPY);
}

std::size_t DeviceBitmapCompressor::Compose(std::uint8_t* out, std::size_t capacity)
{
    if (!Ready()) return 0;
    const std::size_t rows = WholeRows(capacity);
    GetDIBits(m_composition.dc, m_composition.bitmap, 0, static_cast<UINT>(rows), out, &m_info, DIB_RGB_COLORS);
    return rows * m_rowBytes;
}
