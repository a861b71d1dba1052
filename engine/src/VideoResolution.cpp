#include "VideoResolution.h"

namespace ovsim {
namespace {

constexpr PictureSize kSourceSize{640, 480};

constexpr PictureSize kSizes[kFixedResolutionCodeCount] = {
    {128, 96},   {176, 144},   {352, 288},   {160, 120},  {320, 240},   {360, 240},
    {640, 480},  {720, 480},   {800, 600},   {1024, 768}, {1280, 1024}, {1600, 1200},
    {1280, 720}, {1920, 1080}, {720, 480},   {720, 480},
};

}  // namespace

PictureSize pictureSizeOf(int code) {
  if (code < 0 || code >= kFixedResolutionCodeCount) return kSourceSize;
  return kSizes[code];
}

}  // namespace ovsim
