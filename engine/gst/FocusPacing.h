// How often the focus and status datagrams go out: as often as their
// stream's maximum allows, counted on the wire (the UDP and IP headers of
// every copy included), and no more often than a ceiling of their own.
#pragma once

#include <chrono>
#include <cstddef>

namespace ovgst {

inline constexpr int kIPv4UdpHeaders = 20 + 8;  // IPv4 header without options, UDP header
inline constexpr int kIPv6UdpHeaders = 40 + 8;
// A display refreshes about 60 times a second: faster focus reports show nothing new.
inline constexpr double kMostPointerDatagramsPerSecond = 60;
// The status changes only when the operator changes something.
inline constexpr double kMostStatusDatagramsPerSecond = 10;

// Datagrams per second of the payload size given that keep the wire rate of
// all copies at or under maxBitsPerSecond, and at or under the ceiling.
double datagramsPerSecond(int maxBitsPerSecond, std::size_t payloadBytes, bool ipv6, int copies, double ceiling);

std::chrono::steady_clock::duration periodOf(double perSecond);

}  // namespace ovgst
