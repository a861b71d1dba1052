// The Level Compressor's squeeze through device bitmaps: each input frame
// is stretched straight from its DIB into its half of a display-compatible
// composition bitmap (colour on colour, so columns are dropped, not
// blended), where it stays as that side's last picture; an output frame
// reads the composition back as a device-independent frame of the input's
// format. A frame thus passes through memory once on its way in, an output
// costs only the read-back, and a side that brought nothing new costs
// nothing.
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

    // The contexts and the composition bitmap for frames described by
    // `header`, the composition black. False (and nothing held) when the device refuses any of them.
    bool Create(const BITMAPINFOHEADER& header);
    void Release();
    bool Ready() const { return m_composition.dc != nullptr; }

    // The whole rows of `frame` (`length` bytes, DIB rows) squeezed into the
    // side's half of the composition; its other rows keep their last picture.
    void PutSide(FrameHalf half, const std::uint8_t* frame, std::size_t length);
    // The composition read back into `out` (as many whole rows as
    // `capacity` holds). Returns the bytes written.
    std::size_t Compose(std::uint8_t* out, std::size_t capacity);

private:
    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ original = nullptr;
    };

    bool CreateComposition();
    std::size_t WholeRows(std::size_t length) const;

    HDC m_display = nullptr;
    Surface m_composition;
    BITMAPINFO m_info{};
    int m_width = 0;
    int m_height = 0;
    std::size_t m_rowBytes = 0;
};
