#include "GroupReceiver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace {

int joinedIPv4(const std::string &group, int port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, group.c_str(), &local.sin_addr);
  ip_mreq request{};
  request.imr_multiaddr = local.sin_addr;
  request.imr_interface.s_addr = htonl(INADDR_ANY);
  if (bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0 ||
      setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int joinedIPv6(const std::string &group, int port) {
  const int fd = socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  setsockopt(fd, IPPROTO_IPV6, IPV6_RECVHOPLIMIT, &on, sizeof on);
  sockaddr_in6 local{};
  local.sin6_family = AF_INET6;
  local.sin6_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET6, group.c_str(), &local.sin6_addr);
  ipv6_mreq request{};
  request.ipv6mr_multiaddr = local.sin6_addr;
  if (bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0 ||
      setsockopt(fd, IPPROTO_IPV6, IPV6_JOIN_GROUP, &request, sizeof request) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

GroupReceiver::GroupReceiver(const std::string &group, int port) {
  fd_ = group.find(':') == std::string::npos ? joinedIPv4(group, port) : joinedIPv6(group, port);
  const int big = 4 << 20;
  if (fd_ >= 0) setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
}

GroupReceiver::~GroupReceiver() {
  if (fd_ >= 0) close(fd_);
}

namespace {

Datagram parse(const unsigned char *data, ssize_t size, msghdr &message) {
  Datagram datagram;
  datagram.size = static_cast<std::size_t>(size);
  datagram.bytes.assign(data, data + size);
  for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
    const bool hops = (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL) ||
                      (c->cmsg_level == IPPROTO_IPV6 && c->cmsg_type == IPV6_HOPLIMIT);
    if (hops) std::memcpy(&datagram.ttl, CMSG_DATA(c), sizeof(int));
  }
  if (size >= 12) {
    datagram.marker = (data[1] & 0x80) != 0;
    datagram.sequence = static_cast<std::uint16_t>(data[2] << 8 | data[3]);
    datagram.ssrc = static_cast<std::uint32_t>(data[8]) << 24 | data[9] << 16 | data[10] << 8 | data[11];
  }
  return datagram;
}

}  // namespace

std::vector<Datagram> GroupReceiver::collect(std::chrono::milliseconds duration) {
  std::vector<Datagram> received;
  const auto end = std::chrono::steady_clock::now() + duration;
  std::vector<unsigned char> buffer(70000);  // the largest UDP datagram fits
  while (fd_ >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
    iovec part{buffer.data(), buffer.size()};
    alignas(cmsghdr) char control[256];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = recvmsg(fd_, &message, MSG_DONTWAIT);
    if (size < 0) continue;
    received.push_back(parse(buffer.data(), size, message));
    received.back().at = std::chrono::steady_clock::now();
  }
  return received;
}

void GroupReceiver::drain() {
  unsigned char buffer[2048];
  while (fd_ >= 0 && recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
  }
}

void sendForeignRtp(const std::string &group, int port, std::uint32_t ssrc) {
  sockaddr_storage to{};
  socklen_t size = 0;
  auto *v4 = reinterpret_cast<sockaddr_in *>(&to);
  auto *v6 = reinterpret_cast<sockaddr_in6 *>(&to);
  if (inet_pton(AF_INET, group.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<std::uint16_t>(port));
    size = sizeof *v4;
  } else if (inet_pton(AF_INET6, group.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<std::uint16_t>(port));
    size = sizeof *v6;
  } else {
    return;
  }
  const int fd = socket(to.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  unsigned char packet[20] = {0x80, 96};
  packet[8] = static_cast<unsigned char>(ssrc >> 24);
  packet[9] = static_cast<unsigned char>(ssrc >> 16);
  packet[10] = static_cast<unsigned char>(ssrc >> 8);
  packet[11] = static_cast<unsigned char>(ssrc);
  sendto(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr *>(&to), size);
  close(fd);
}
