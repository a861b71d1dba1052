// Picture sizes of the resolution codes the console uses (0 to 16).
#pragma once

namespace ovsim {

constexpr int kFixedResolutionCodeCount = 16;  // focus pictures use only 0 to 15
constexpr int kSourceResolutionCode = 16;

struct PictureSize {
  int width;
  int height;
};

// Size for a code; code 16 (the source's own) and unknown codes give the source size.
PictureSize pictureSizeOf(int code);

}  // namespace ovsim
