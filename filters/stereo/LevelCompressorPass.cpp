#include "LevelCompressorPass.h"

#include "CpuDispatch.h"
#include "EvenPixelRow.h"
#include "StreamingCopy.h"

#include <algorithm>
#include <cstring>

void CompressIntoHalf(std::uint8_t* frame, std::size_t frameBytes, const std::uint8_t* picture,
                      std::size_t pictureBytes, std::size_t width, unsigned bytesPerPixel, std::size_t rowBytes,
                      FrameHalf half)
{
    if ((bytesPerPixel != 2 && bytesPerPixel != 3) || width < 2 || rowBytes < width * bytesPerPixel) return;
    // Per output frame both pictures pass through, into the composition
    // and from it into the output.
    const bool stream = StreamsPastCaches(2 * pictureBytes + 2 * frameBytes);
    const std::size_t halfWidth = width / 2;
    const std::size_t offset = half == FrameHalf::Right ? halfWidth * bytesPerPixel : 0;
    for (std::size_t row = 0; row * rowBytes < pictureBytes && row * rowBytes + offset < frameBytes; ++row) {
        const std::size_t available = std::min(width, (pictureBytes - row * rowBytes) / bytesPerPixel);
        const std::size_t room = (frameBytes - row * rowBytes - offset) / bytesPerPixel;
        const std::size_t count = std::min({halfWidth, (available + 1) / 2, room});
        CopyEvenPixels(frame + row * rowBytes + offset, picture + row * rowBytes, count, available, bytesPerPixel,
                       stream);
    }
    FinishStreamingStores(stream);
}

void CopyComposition(std::uint8_t* out, const std::uint8_t* composition, std::size_t bytes)
{
    if (StreamsPastCaches(4 * bytes))
        CopyPastCaches(out, composition, bytes);
    else
        std::memcpy(out, composition, bytes);
}
