// A UDP socket that sends small datagrams to a multicast group (IPv4 or
// IPv6) with the hop count given, without ever waiting: a datagram the
// kernel cannot take at once is dropped, not queued.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace ovgst {

class DatagramSocket {
 public:
  DatagramSocket(const std::string &group, int timeToLive);
  ~DatagramSocket();
  DatagramSocket(const DatagramSocket &) = delete;
  DatagramSocket &operator=(const DatagramSocket &) = delete;

  bool ok() const { return fd_ >= 0; }
  bool ipv6() const { return ipv6_; }
  // Sends the datagram that many times to the port; the bytes the kernel took.
  std::size_t send(std::span<const std::uint8_t> datagram, int port, int copies);

 private:
  int fd_ = -1;
  bool ipv6_ = false;
  std::string group_;
};

}  // namespace ovgst
