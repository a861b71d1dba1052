#include "ForeignDatagram.h"

namespace ovgst {
namespace {

constexpr std::size_t kRtpHeaderSize = 12;
constexpr std::size_t kSsrcOffset = 8;

}  // namespace

bool isForeignDatagram(const unsigned char *data, std::size_t size, const std::set<std::uint32_t> &ownSsrcs) {
  if (!data || size < kRtpHeaderSize) return true;  // not RTP: certainly not ours
  const unsigned char *ssrc = data + kSsrcOffset;  // network byte order
  const std::uint32_t value = std::uint32_t(ssrc[0]) << 24 | std::uint32_t(ssrc[1]) << 16 |
                              std::uint32_t(ssrc[2]) << 8 | std::uint32_t(ssrc[3]);
  return !ownSsrcs.contains(value);
}

}  // namespace ovgst
