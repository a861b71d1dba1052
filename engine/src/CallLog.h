// Log of every engine call: kept in memory for the simulation's tests and,
// when the environment names a file in OVSENDER_SIM_LOG, appended to it line
// by line. The real engine keeps no lines in memory: a console polls it
// several times a second for as long as it runs, and nothing reads them.
#pragma once

#include <cstddef>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "CallFormat.h"

namespace ovsim {

class CallLog {
 public:
  CallLog();
  ~CallLog();
  CallLog(const CallLog &) = delete;
  CallLog &operator=(const CallLog &) = delete;

  void record(const std::string &line);
  std::vector<std::string> lines();
  std::size_t count(const std::string &function);
  void clear();
  // Reads OVSENDER_SIM_LOG again and switches to the file it names (or none).
  void reopenFileFromEnvironment();

 private:
  void closeFile();

  static constexpr std::size_t kMaxLines = 200000;
  std::mutex mutex_;
  bool keepLines_;
  std::deque<std::string> lines_;
  std::FILE *file_ = nullptr;
};

CallLog &callLog();

// Records one call of the public interface.
template <typename... Args>
void logCall(const char *name, const Args &...args) {
  callLog().record(formatCall(name, args...));
}

}  // namespace ovsim
