#include "DamagedStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "AtomicFile.h"

namespace ovsim {
namespace {

constexpr int kMostCopies = 100;
constexpr std::size_t kLinesNamed = 5;

std::string lineList(const std::vector<int> &lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) text += (i ? ", " : "") + std::to_string(lines[i]);
  if (lines.size() > kLinesNamed) text += " and " + std::to_string(lines.size() - kLinesNamed) + " more";
  return text;
}

bool writeAll(int fd, const std::string &content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return ::fsync(fd) == 0;
}

}  // namespace

std::string damagedStoreMessage(const std::string &path, const std::vector<int> &lines, const std::string &keptAs) {
  return "ovSender: the settings store " + path + " is damaged at line " + lineList(lines) +
         "; those lines are ignored and their settings keep their defaults. The damaged file will be kept as " +
         keptAs + " before settings are next saved.";
}

std::string damagedCopyName(const std::string &path) {
  std::error_code error;
  for (int n = 1; n <= kMostCopies; ++n) {
    const std::string name = path + ".damaged" + (n == 1 ? "" : "." + std::to_string(n));
    if (!std::filesystem::exists(name, error) && !error) return name;
  }
  return path + ".damaged." + std::to_string(kMostCopies + 1);
}

std::optional<std::string> keepDamagedCopy(const std::string &path, const std::string &copyName) {
  const auto content = readWholeFile(path);
  if (!content) return std::nullopt;
  // O_EXCL: a copy kept earlier, or one another process just made, is never replaced.
  const int fd = ::open(copyName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  const bool written = writeAll(fd, *content);
  ::close(fd);
  if (!written) {
    ::unlink(copyName.c_str());
    return std::nullopt;
  }
  return copyName;
}

}  // namespace ovsim
