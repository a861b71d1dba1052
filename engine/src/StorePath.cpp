#include "StorePath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace ovsim {
namespace {

std::string homeFolder() {
  if (const char *home = std::getenv("HOME"); home && *home) return home;
  if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return ".";
}

}  // namespace

std::string registryStorePath() {
  std::filesystem::path folder;
  if (const char *custom = std::getenv("OSTREL_HOME"); custom && *custom) {
    folder = custom;
  } else {
    folder = std::filesystem::path(homeFolder()) / ".config" / "ostrel";
  }
  return (folder / "ovSender.ini").string();
}

bool ensureFolderOf(const std::string &filePath) {
  const auto folder = std::filesystem::path(filePath).parent_path();
  if (folder.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

}  // namespace ovsim
