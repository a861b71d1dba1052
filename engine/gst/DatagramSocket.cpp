#include "DatagramSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace ovgst {
namespace {

int openIPv4(int timeToLive) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return fd;
  const unsigned char ttl = static_cast<unsigned char>(std::clamp(timeToLive, 0, 255));
  const int unicastTtl = std::clamp(timeToLive, 1, 255);
  setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
  setsockopt(fd, IPPROTO_IP, IP_TTL, &unicastTtl, sizeof unicastTtl);
  return fd;
}

int openIPv6(int timeToLive) {
  const int fd = socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return fd;
  const int hops = std::clamp(timeToLive, 0, 255);
  setsockopt(fd, IPPROTO_IPV6, IPV6_MULTICAST_HOPS, &hops, sizeof hops);
  return fd;
}

}  // namespace

DatagramSocket::DatagramSocket(const std::string &group, int timeToLive)
    : ipv6_(group.find(':') != std::string::npos), group_(group) {
  fd_ = ipv6_ ? openIPv6(timeToLive) : openIPv4(timeToLive);
}

DatagramSocket::~DatagramSocket() {
  if (fd_ >= 0) close(fd_);
}

std::size_t DatagramSocket::send(std::span<const std::uint8_t> datagram, int port, int copies) {
  if (fd_ < 0) return 0;
  sockaddr_storage to{};
  socklen_t length = 0;
  if (ipv6_) {
    auto &address = reinterpret_cast<sockaddr_in6 &>(to);
    address.sin6_family = AF_INET6;
    address.sin6_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET6, group_.c_str(), &address.sin6_addr) != 1) return 0;
    length = sizeof address;
  } else {
    auto &address = reinterpret_cast<sockaddr_in &>(to);
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, group_.c_str(), &address.sin_addr) != 1) return 0;
    length = sizeof address;
  }
  std::size_t sent = 0;
  for (int copy = 0; copy < copies; ++copy) {
    const ssize_t result =
        sendto(fd_, datagram.data(), datagram.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&to), length);
    if (result > 0) sent += static_cast<std::size_t>(result);
  }
  return sent;
}

}  // namespace ovgst
