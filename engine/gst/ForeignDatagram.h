// Telling another sender's datagram from one of ours, by the bytes that
// arrived on a detector socket alone, so it can be checked without sockets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>

namespace ovgst {

// True when the `size` bytes at `data` (any bytes, any size, possibly a
// datagram cut short by the receive buffer) came from a sender other than
// us: everything that is too short for an RTP header, and every RTP packet
// whose SSRC is none of `ownSsrcs`.
bool isForeignDatagram(const unsigned char *data, std::size_t size, const std::set<std::uint32_t> &ownSsrcs);

}  // namespace ovgst
