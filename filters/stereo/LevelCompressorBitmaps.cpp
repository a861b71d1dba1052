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
    if (!m_display || !CreateSurface(m_composition) || !CreateSurface(m_left) || !CreateSurface(m_right)) {
        Release();
        return false;
    }
    SetStretchBltMode(m_composition.dc, COLORONCOLOR);
    PatBlt(m_composition.dc, 0, 0, m_width, m_height, BLACKNESS);
    return true;
}

bool DeviceBitmapCompressor::CreateSurface(Surface& surface)
{
    surface.dc = CreateCompatibleDC(m_display);
    if (!surface.dc) return false;
    surface.bitmap = CreateCompatibleBitmap(m_display, m_width, m_height);
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
    ReleaseSurface(m_left);
    ReleaseSurface(m_right);
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
    const Surface& side = half == FrameHalf::Left ? m_left : m_right;
    SetDIBits(side.dc, side.bitmap, 0, static_cast<UINT>(WholeRows(length)), frame, &m_info, DIB_RGB_COLORS);
}

std::size_t DeviceBitmapCompressor::Compose(std::uint8_t* out, std::size_t capacity)
{
    if (!Ready()) return 0;
    const int half = m_width / 2;
    StretchBlt(m_composition.dc, 0, 0, half, m_height, m_left.dc, 0, 0, m_width, m_height, SRCCOPY);
    StretchBlt(m_composition.dc, half, 0, half, m_height, m_right.dc, 0, 0, m_width, m_height, SRCCOPY);
    const std::size_t rows = WholeRows(capacity);
    GetDIBits(m_composition.dc, m_composition.bitmap, 0, static_cast<UINT>(rows), out, &m_info, DIB_RGB_COLORS);
    return rows * m_rowBytes;
}
