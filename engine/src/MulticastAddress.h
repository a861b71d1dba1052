// Multicast group addresses: recognising them and making fresh ones in the
// administratively scoped ranges, 239.0.0.0/8 for IPv4 (RFC 2365) and, for
// IPv6, transient site-local groups ff15::/16 (scope 5, T flag set).
#pragma once

#include <string>

namespace ovsim {

enum class AddressKind { NotAnAddress, Unicast, Multicast };

AddressKind classifyAddress(const std::string &text);

// A new address each call: random group bits, never the same text twice in a process run.
std::string createIPv4MulticastAddress();
std::string createIPv6MulticastAddress();

}  // namespace ovsim
