#include "RegistryStore.h"

#include "AtomicFile.h"
#include "IniText.h"
#include "StorePath.h"

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

// Lenient on purpose: a damaged line is skipped rather than costing the rest of the store.
std::map<std::string, std::map<std::string, std::string>> parseStore(const std::string &text) {
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::istringstream lines(text);
  std::string line, section;
  bool inSection = false;
  while (std::getline(lines, line)) {
    const IniLine parsed = parseIniLine(line);
    if (parsed.kind == IniLine::Kind::Section) {
      section = parsed.name;
      inSection = true;
    } else if (parsed.kind == IniLine::Kind::Entry && inSection) {
      sections[section][parsed.name] = parsed.value;
    }
  }
  return sections;
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
  sections_ = text ? parseStore(*text) : Sections{};
  loaded_ = true;
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
