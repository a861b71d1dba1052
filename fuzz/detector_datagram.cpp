// Datagrams arriving on a multicast detector socket, as the engine's watch
// reads them: a few SSRCs of our own, then datagrams of any bytes and any
// length, some longer than the receive buffer (cut to it, as recv leaves
// them). Every datagram gets the same answer twice; anything shorter than an
// RTP header is another sender's; the same bytes carrying one of our SSRCs
// are ours, and carrying a SSRC we do not use are not.
#include "ForeignDatagram.h"
#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

namespace {

// The watch's receive buffer, and the largest UDP payload there is.
constexpr std::size_t kReceiveBuffer = 2048;
constexpr std::size_t kLargestDatagram = 65507;
constexpr std::size_t kRtpHeaderSize = 12;

void PutSsrc(std::vector<unsigned char>& datagram, std::uint32_t ssrc)
{
    for (int i = 0; i < 4; ++i) datagram[8 + i] = static_cast<unsigned char>(ssrc >> (24 - 8 * i));
}

std::uint32_t UnusedSsrc(const std::set<std::uint32_t>& own)
{
    std::uint32_t candidate = 0;
    while (own.contains(candidate)) ++candidate;
    return candidate;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::set<std::uint32_t> own;
    for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n) own.insert(in.ConsumeIntegral<std::uint32_t>());
    while (in.remaining_bytes() > 0) {
        const std::size_t stated = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(0, kLargestDatagram)
                                                    : in.ConsumeIntegralInRange<std::size_t>(0, 64);
        std::vector<unsigned char> datagram = in.ConsumeBytes<unsigned char>(stated);
        // What recv leaves of a datagram longer than the buffer; the vector is
        // exactly that long, so reading past it is caught.
        datagram.resize(std::min(datagram.size(), kReceiveBuffer));
        datagram.shrink_to_fit();
        const bool foreign = ovgst::isForeignDatagram(datagram.data(), datagram.size(), own);
        FUZZ_CHECK(foreign == ovgst::isForeignDatagram(datagram.data(), datagram.size(), own));
        if (datagram.size() < kRtpHeaderSize) {
            FUZZ_CHECK(foreign);
            continue;
        }
        if (!own.empty()) {
            PutSsrc(datagram, *own.begin());
            FUZZ_CHECK(!ovgst::isForeignDatagram(datagram.data(), datagram.size(), own));
        }
        PutSsrc(datagram, UnusedSsrc(own));
        FUZZ_CHECK(ovgst::isForeignDatagram(datagram.data(), datagram.size(), own));
    }
    return 0;
}
