// Watches multicast groups for other senders: joins each watched group on
// the video and audio ports and marks it detected once an RTP packet whose
// SSRC is not one of ours arrives. Driven by the engine's worker thread;
// detected() may be called from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace ovgst {

class MulticastWatch {
 public:
  MulticastWatch() = default;
  ~MulticastWatch();
  MulticastWatch(const MulticastWatch &) = delete;
  MulticastWatch &operator=(const MulticastWatch &) = delete;

  // Joins groups newly listed and leaves those no longer listed (forgetting they were seen).
  void watch(const std::vector<std::string> &addresses);
  // Reads whatever arrived, without waiting.
  void poll(const std::set<std::uint32_t> &ownSsrcs);
  bool detected(const std::string &address);
  void clear();

 private:
  struct Group {
    std::vector<int> sockets;
    bool seen = false;
  };
  static Group join(const std::string &address);
  static void leave(Group &group);

  std::map<std::string, Group> groups_;  // worker thread only
  std::mutex mutex_;
  std::set<std::string> seen_;
};

}  // namespace ovgst
