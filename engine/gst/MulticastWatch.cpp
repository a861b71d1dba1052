#include "MulticastWatch.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "ForeignDatagram.h"
#include "PipelinePlan.h"

namespace ovgst {
namespace {

constexpr int kWatchedPorts[] = {kVideoMainPort, kAudioPort};

int boundSocket(int family, const void *address, socklen_t size) {
  const int fd = socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const int on = 1;
  // Our own receivers and other programs on this machine may listen on the same group and port.
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (bind(fd, static_cast<const sockaddr *>(address), size) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int joinIPv4(const in_addr &group, int port) {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<std::uint16_t>(port));
  local.sin_addr = group;  // bound to the group, the socket hears no other group on this port
  const int fd = boundSocket(AF_INET, &local, sizeof local);
  if (fd < 0) return -1;
  ip_mreq request{};
  request.imr_multiaddr = group;
  request.imr_interface.s_addr = htonl(INADDR_ANY);
  if (setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int joinIPv6(const in6_addr &group, int port) {
  sockaddr_in6 local{};
  local.sin6_family = AF_INET6;
  local.sin6_port = htons(static_cast<std::uint16_t>(port));
  local.sin6_addr = group;
  const int fd = boundSocket(AF_INET6, &local, sizeof local);
  if (fd < 0) return -1;
  ipv6_mreq request{};
  request.ipv6mr_multiaddr = group;
  request.ipv6mr_interface = 0;
  if (setsockopt(fd, IPPROTO_IPV6, IPV6_JOIN_GROUP, &request, sizeof request) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int joinGroup(const std::string &address, int port) {
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return IN_MULTICAST(ntohl(v4.s_addr)) ? joinIPv4(v4, port) : -1;
  in6_addr v6{};
  if (inet_pton(AF_INET6, address.c_str(), &v6) == 1) return IN6_IS_ADDR_MULTICAST(&v6) ? joinIPv6(v6, port) : -1;
  return -1;
}

}  // namespace

MulticastWatch::~MulticastWatch() { clear(); }

MulticastWatch::Group MulticastWatch::join(const std::string &address) {
  Group group;
  for (int port : kWatchedPorts) {
    const int fd = joinGroup(address, port);
    if (fd >= 0) group.sockets.push_back(fd);
  }
  return group;
}

void MulticastWatch::leave(Group &group) {
  for (int fd : group.sockets) close(fd);  // closing drops the membership
  group.sockets.clear();
}

void MulticastWatch::watch(const std::vector<std::string> &addresses) {
  for (auto it = groups_.begin(); it != groups_.end();) {
    if (std::find(addresses.begin(), addresses.end(), it->first) != addresses.end()) {
      ++it;
      continue;
    }
    leave(it->second);
    {
      std::lock_guard lock(mutex_);
      seen_.erase(it->first);
    }
    it = groups_.erase(it);
  }
  for (const auto &address : addresses)
    if (!groups_.contains(address)) groups_.emplace(address, join(address));
}

void MulticastWatch::poll(const std::set<std::uint32_t> &ownSsrcs) {
  unsigned char buffer[2048];
  for (auto &[address, group] : groups_) {
    for (int fd : group.sockets) {
      ssize_t size;
      // MSG_TRUNC reports a longer datagram's whole length; only what fits was read.
      while ((size = recv(fd, buffer, sizeof buffer, MSG_TRUNC)) >= 0) {
        const std::size_t received = std::min(static_cast<std::size_t>(size), sizeof buffer);
        if (group.seen || !isForeignDatagram(buffer, received, ownSsrcs)) continue;
        group.seen = true;
        std::lock_guard lock(mutex_);
        seen_.insert(address);
      }
    }
  }
}

bool MulticastWatch::detected(const std::string &address) {
  std::lock_guard lock(mutex_);
  return seen_.contains(address);
}

void MulticastWatch::clear() {
  for (auto &[address, group] : groups_) leave(group);
  groups_.clear();
  std::lock_guard lock(mutex_);
  seen_.clear();
}

}  // namespace ovgst
