// The Level Compressor's squeeze in memory: a picture halved in width by
// keeping its even columns (0, 2, 4, …) and written into the left or right
// half of a frame of the picture's own size. Both are DIB frames whose rows
// are `rowBytes` apart (a row of pixels padded to whole 32-bit words), and
// row r of the picture lands on row r of the frame, so an odd width leaves
// the frame's last column to nobody and the padding is never written.
#pragma once

#include <cstddef>
#include <cstdint>

enum class FrameHalf { Left, Right };

// Writes the columns 0, 2, 4, … of each whole or partial row of `picture`
// (`pictureBytes` long) into `half` of `frame` (`frameBytes` long), both of
// `width` pixels of `bytesPerPixel` (2 or 3) bytes in rows of `rowBytes`
// (at least width × bytesPerPixel). The half is width / 2
// pixels wide and starts at pixel width / 2 for the right half; nothing
// outside the half and nothing beyond either length is touched. Takes the
// active instruction set's byte shuffles (SSSE3 on), and stores past the
// caches when the frames are too large to stay in them.
void CompressIntoHalf(std::uint8_t* frame, std::size_t frameBytes, const std::uint8_t* picture,
                      std::size_t pictureBytes, std::size_t width, unsigned bytesPerPixel, std::size_t rowBytes,
                      FrameHalf half);

// Copies the composition (`bytes` long) into an output sample. Both
// pictures, the composition and the output pass per output frame; once they
// outgrow the cache the output goes past it, where a plain store would
// first fetch every line it overwrites.
void CopyComposition(std::uint8_t* out, const std::uint8_t* composition, std::size_t bytes);
