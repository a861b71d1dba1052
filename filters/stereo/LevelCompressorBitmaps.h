// The Level Compressor's squeeze through device bitmaps: each input is
// converted into a display-compatible bitmap of its own, and a composition
// frame is made by stretching both into the halves of a third bitmap
// (colour on colour, so columns are dropped, not blended) and reading that
// back as a device-independent frame of the input's format.
#pragma once

#include "LevelCompressorPass.h"
#include "wingdi.h"

#include <cstddef>

class DeviceBitmapCompressor {
public:
    DeviceBitmapCompressor() = default;
    ~DeviceBitmapCompressor() { Release(); }
    DeviceBitmapCompressor(const DeviceBitmapCompressor&) = delete;
    DeviceBitmapCompressor& operator=(const DeviceBitmapCompressor&) = delete;

    // Contexts and bitmaps for frames described by `header`, the composition
    // black. False (and nothing held) when the device refuses any of them.
    bool Create(const BITMAPINFOHEADER& header);
    void Release();
    bool Ready() const { return m_composition.dc != nullptr; }

    // The whole rows of `frame` (`length` bytes, DIB rows) into the side's
    // bitmap; the rest of the bitmap keeps its last picture.
    void PutSide(FrameHalf half, const std::uint8_t* frame, std::size_t length);
    // Both sides squeezed into the composition, read back into `out` (as
    // many whole rows as `capacity` holds). Returns the bytes written.
    std::size_t Compose(std::uint8_t* out, std::size_t capacity);

private:
    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ original = nullptr;
    };

    bool CreateSurface(Surface& surface);
    static void ReleaseSurface(Surface& surface);
    std::size_t WholeRows(std::size_t length) const;

    HDC m_display = nullptr;
    Surface m_composition;
    Surface m_left;
    Surface m_right;
    BITMAPINFO m_info{};
    int m_width = 0;
    int m_height = 0;
    std::size_t m_rowBytes = 0;
};
