#include "DeviceCatalog.h"

namespace ovsim {

DeviceCatalog defaultDeviceCatalog() {
  DeviceCatalog catalog;
  catalog.videoSources = {
      {"Simulated Camera", {"Video Capture Filter", "Video Capture Pin"}},
      {"Simulated DV Camcorder", {"Video Capture Filter"}},
  };
  catalog.audioSources = {
      {"Simulated Microphone", {"Audio Capture Filter"}},
      {"Simulated Line In", {"Audio Capture Filter", "Audio Mixer"}},
  };
  catalog.videoEncoders = {
      {"Simulated MPEG-4 Video Encoder", 0},
      {"Simulated Motion JPEG Encoder", 1},
      {"Simulated H.263 Encoder", 1},
      {"Simulated Uncompressed Video", 2},
  };
  catalog.audioEncoders = {
      {"Simulated AAC Audio Encoder", 0},
      {"Simulated ADPCM Audio Encoder", 1},
      {"Simulated Uncompressed Audio", 2},
  };
  return catalog;
}

}  // namespace ovsim
