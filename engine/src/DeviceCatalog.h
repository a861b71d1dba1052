// The capture sources and encoders the simulated machine offers.
#pragma once

#include <string>
#include <vector>

namespace ovsim {

struct Source {
  std::string name;
  std::vector<std::string> propertyPages;
};

struct Encoder {
  std::string name;
  int priority;  // 0 recommended, 1 acceptable, 2 not recommended
};

struct DeviceCatalog {
  std::vector<Source> videoSources;
  std::vector<Source> audioSources;
  std::vector<Encoder> videoEncoders;
  std::vector<Encoder> audioEncoders;
};

DeviceCatalog defaultDeviceCatalog();

// Element i, or nullptr when i is out of range.
template <typename T>
const T *elementAt(const std::vector<T> &list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
  return &list[static_cast<std::size_t>(index)];
}

}  // namespace ovsim
