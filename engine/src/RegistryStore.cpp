#include "RegistryStore.h"

#include "AtomicFile.h"
#include "DamagedStore.h"
#include "IniText.h"
#include "StorePath.h"

#include <cstdio>
#include <sstream>

namespace ovsim {

std::string formatStore(const std::map<std::string, std::map<std::string, std::string>> &sections) {
  std::string text;
  for (const auto &[section, entries] : sections) {
    if (!text.empty()) text += '\n';
    text += sectionLine(section) + '\n';
    for (const auto &[key, value] : entries) text += entryLine(key, value) + '\n';
  }
  return text;
}

// Lenient on purpose: a damaged line is skipped rather than costing the rest
// of the store, and its number is kept so the user can be told.
ParsedStore parseStoreLines(const std::string &text) {
  ParsedStore store;
  std::istringstream lines(text);
  std::string line, section;
  bool inSection = false;
  for (int number = 1; std::getline(lines, line); ++number) {
    const IniLine parsed = parseIniLine(line);
    if (parsed.kind == IniLine::Kind::Section) {
      section = parsed.name;
      inSection = true;
    } else if (parsed.kind == IniLine::Kind::Entry && inSection) {
      store.sections[section][parsed.name] = parsed.value;
    } else if (parsed.kind == IniLine::Kind::Entry || parsed.kind == IniLine::Kind::Malformed) {
      store.damagedLines.push_back(number);
    }
  }
  return store;
}

std::map<std::string, std::map<std::string, std::string>> parseStore(const std::string &text) {
  return parseStoreLines(text).sections;
}

std::optional<std::string> RegistryStore::read(const std::string &section, const std::string &key) {
  std::lock_guard lock(mutex_);
  loadIfNeeded();
  const auto found = sections_.find(section);
  if (found == sections_.end()) return std::nullopt;
  const auto entry = found->second.find(key);
  if (entry == found->second.end()) return std::nullopt;
  return entry->second;
}

bool RegistryStore::write(const std::string &section, const std::string &key, const std::string &value) {
  if (section.empty() || key.empty()) return false;
  std::lock_guard lock(mutex_);
  loadIfNeeded();
  if (!damagedLines_.empty() && !keepDamagedStore()) return false;
  Sections changed = sections_;
  changed[section][key] = value;
  if (!persist(changed)) return false;
  sections_ = std::move(changed);
  return true;
}

void RegistryStore::unload() {
  std::lock_guard lock(mutex_);
  loaded_ = false;
  sections_.clear();
  damagedLines_.clear();
}

std::string RegistryStore::path() {
  std::lock_guard lock(mutex_);
  loadIfNeeded();
  return path_;
}

void RegistryStore::loadIfNeeded() {
  if (loaded_) return;
  path_ = registryStorePath();
  const auto text = readWholeFile(path_);
  ParsedStore parsed = text ? parseStoreLines(*text) : ParsedStore{};
  sections_ = std::move(parsed.sections);
  damagedLines_ = std::move(parsed.damagedLines);
  loaded_ = true;
  if (damagedLines_.empty()) return;
  damagedCopy_ = damagedCopyName(path_);
  std::fprintf(stderr, "%s\n", damagedStoreMessage(path_, damagedLines_, damagedCopy_).c_str());
}

// Once kept, the store may be written: what it held is in the copy.
bool RegistryStore::keepDamagedStore() {
  auto kept = keepDamagedCopy(path_, damagedCopy_);
  if (!kept) kept = keepDamagedCopy(path_, damagedCopyName(path_));  // the name was taken meanwhile
  if (!kept) {
    std::fprintf(stderr, "ovSender: the damaged settings store %s could not be kept; settings are not saved.\n",
                 path_.c_str());
    return false;
  }
  std::fprintf(stderr, "ovSender: the damaged settings store is kept as %s.\n", kept->c_str());
  damagedLines_.clear();
  return true;
}

bool RegistryStore::persist(const Sections &content) const {
  return ensureFolderOf(path_) && writeFileAtomically(path_, formatStore(content));
}

// Never destroyed, like the engine state, for threads that outlive static destruction.
RegistryStore &registryStore() {
  static auto *store = new RegistryStore;
  return *store;
}

}  // namespace ovsim
