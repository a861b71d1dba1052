#include "CallLog.h"

#include <cstdlib>

#include "Backend.h"

namespace ovsim {

CallLog::CallLog() : keepLines_(simulatedEngineChosen()) { reopenFileFromEnvironment(); }

CallLog::~CallLog() { closeFile(); }

void CallLog::record(const std::string &line) {
  std::lock_guard lock(mutex_);
  if (keepLines_) {
    if (lines_.size() >= kMaxLines) lines_.pop_front();
    lines_.push_back(line);
  }
  if (file_) {
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
  }
}

std::vector<std::string> CallLog::lines() {
  std::lock_guard lock(mutex_);
  return {lines_.begin(), lines_.end()};
}

std::size_t CallLog::count(const std::string &function) {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto &line : lines_) {
    if (line.size() > function.size() && line.compare(0, function.size(), function) == 0 &&
        line[function.size()] == '(') {
      ++n;
    }
  }
  return n;
}

void CallLog::clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

void CallLog::reopenFileFromEnvironment() {
  std::lock_guard lock(mutex_);
  closeFile();
  const char *path = std::getenv("OVSENDER_SIM_LOG");
  if (path && *path) file_ = std::fopen(path, "a");
}

void CallLog::closeFile() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

// Never destroyed: a thread still calling the engine while the process exits must find it intact.
CallLog &callLog() {
  static CallLog *log = new CallLog;
  return *log;
}

}  // namespace ovsim
