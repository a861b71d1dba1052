// The engine's registry store: section/key → text, kept in memory and
// persisted as a whole in one ini file after every change.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

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

  std::mutex mutex_;
  bool loaded_ = false;
  std::string path_;
  Sections sections_;
};

// The one store of this process.
RegistryStore &registryStore();

// Text of a store file for the given content, and the content of such a text.
std::string formatStore(const std::map<std::string, std::map<std::string, std::string>> &sections);
std::map<std::string, std::map<std::string, std::string>> parseStore(const std::string &text);

}  // namespace ovsim
