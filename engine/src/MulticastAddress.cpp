#include "MulticastAddress.h"

#include <arpa/inet.h>

#include <cstdint>
#include <mutex>
#include <random>
#include <set>

namespace ovsim {
namespace {

class AddressSource {
 public:
  template <typename Make>
  std::string fresh(Make make) {
    std::lock_guard lock(mutex_);
    for (;;) {
      std::string text = make(random_);
      if (issued_.insert(text).second) return text;
    }
  }

 private:
  std::mutex mutex_;
  std::mt19937_64 random_{std::random_device{}()};
  std::set<std::string> issued_;
};

AddressSource &addressSource() {
  static AddressSource source;
  return source;
}

std::string makeIPv4(std::mt19937_64 &random) {
  // The last byte avoids 0 and 255, which some tools treat as network or broadcast.
  std::uniform_int_distribution<int> octet(0, 255), host(1, 254);
  return "239." + std::to_string(octet(random)) + "." + std::to_string(octet(random)) + "." +
         std::to_string(host(random));
}

std::string makeIPv6(std::mt19937_64 &random) {
  in6_addr address{};
  address.s6_addr[0] = 0xff;
  address.s6_addr[1] = 0x15;
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 2; i < 16; ++i) address.s6_addr[i] = static_cast<std::uint8_t>(byte(random));
  address.s6_addr[15] |= 1;  // never the all-zero group id
  char text[INET6_ADDRSTRLEN];
  ::inet_ntop(AF_INET6, &address, text, sizeof text);
  return text;
}

}  // namespace

AddressKind classifyAddress(const std::string &text) {
  in_addr v4{};
  if (::inet_pton(AF_INET, text.c_str(), &v4) == 1) {
    const auto first = static_cast<std::uint8_t>(ntohl(v4.s_addr) >> 24);
    return first >= 224 && first <= 239 ? AddressKind::Multicast : AddressKind::Unicast;
  }
  in6_addr v6{};
  if (::inet_pton(AF_INET6, text.c_str(), &v6) == 1) {
    return v6.s6_addr[0] == 0xff ? AddressKind::Multicast : AddressKind::Unicast;
  }
  return AddressKind::NotAnAddress;
}

std::string createIPv4MulticastAddress() { return addressSource().fresh(makeIPv4); }

std::string createIPv6MulticastAddress() { return addressSource().fresh(makeIPv6); }

}  // namespace ovsim
