// A test receiver on a multicast group and port: collects every datagram
// with its size, hop count as it arrived, and RTP header fields.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct Datagram {
  std::size_t size = 0;
  int ttl = -1;
  std::uint32_t ssrc = 0;
  std::uint16_t sequence = 0;
  bool marker = false;
  std::chrono::steady_clock::time_point at;  // when it was read
  std::vector<std::uint8_t> bytes;            // the payload, for datagrams that are not RTP
};

class GroupReceiver {
 public:
  GroupReceiver(const std::string &group, int port);
  ~GroupReceiver();
  GroupReceiver(const GroupReceiver &) = delete;
  GroupReceiver &operator=(const GroupReceiver &) = delete;

  bool ok() const { return fd_ >= 0; }
  // Everything that arrives within the time given.
  std::vector<Datagram> collect(std::chrono::milliseconds duration);
  // Drops what has queued up so far.
  void drain();

 private:
  int fd_ = -1;
};

// Sends one small RTP packet with the SSRC given, as another sender would.
void sendForeignRtp(const std::string &group, int port, std::uint32_t ssrc);
