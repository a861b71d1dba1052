#include "FocusPacing.h"

#include <algorithm>

namespace ovgst {

double datagramsPerSecond(int maxBitsPerSecond, std::size_t payloadBytes, bool ipv6, int copies, double ceiling) {
  const double wireBits =
      8.0 * static_cast<double>(payloadBytes + (ipv6 ? kIPv6UdpHeaders : kIPv4UdpHeaders)) * std::max(copies, 1);
  return std::min(ceiling, std::max(maxBitsPerSecond, 0) / wireBits);
}

std::chrono::steady_clock::duration periodOf(double perSecond) {
  constexpr auto kLongest = std::chrono::hours(1);  // a cap of nothing sends nothing for all practical purposes
  if (perSecond <= 1.0 / std::chrono::duration<double>(kLongest).count()) return kLongest;
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(1.0 / perSecond));
}

}  // namespace ovgst
