// The engine's registry store: section/key → text, kept in memory and
// persisted as a whole in one ini file after every change. A damaged file
// is reported and kept aside before it is first replaced (DamagedStore.h).
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ovsim {

class RegistryStore {
 public:
  std::optional<std::string> read(const std::string &section, const std::string &key);
  // Persists at once; on failure the stored value stays what it was.
  bool write(const std::string &section, const std::string &key, const std::string &value);
  // Forgets the loaded content; the next access loads the file named by the environment then.
  void unload();
  std::string path();

 private:
  using Sections = std::map<std::string, std::map<std::string, std::string>>;

  void loadIfNeeded();
  bool persist(const Sections &content) const;
  bool keepDamagedStore();

  std::mutex mutex_;
  bool loaded_ = false;
  std::string path_;
  Sections sections_;
  std::vector<int> damagedLines_;  // of the file as loaded, until a copy of it is kept
  std::string damagedCopy_;
};

// The one store of this process.
RegistryStore &registryStore();

// Text of a store file for the given content, and the content of such a text.
std::string formatStore(const std::map<std::string, std::map<std::string, std::string>> &sections);
std::map<std::string, std::map<std::string, std::string>> parseStore(const std::string &text);

// The content with the numbers (from 1) of the lines that could not be read.
struct ParsedStore {
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::vector<int> damagedLines;
};
ParsedStore parseStoreLines(const std::string &text);

}  // namespace ovsim
