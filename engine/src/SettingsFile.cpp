#include "SettingsFile.h"

#include <set>
#include <sstream>

#include "IniText.h"
#include "SettingsSchema.h"

namespace ovsim {
namespace {

constexpr const char *kSection = "Settings";

// Sources and encoders, carried by name because indexes differ between machines.
struct DeviceKey {
  const char *key;
  int EngineSettings::*selected;
  std::vector<std::string> (*names)(const DeviceCatalog &);
};

template <typename T>
std::vector<std::string> namesOf(const std::vector<T> &list) {
  std::vector<std::string> names;
  for (const auto &item : list) names.push_back(item.name);
  return names;
}

const DeviceKey kDeviceKeys[] = {
    {"VideoSource", &EngineSettings::videoSource, [](const DeviceCatalog &c) { return namesOf(c.videoSources); }},
    {"AudioSource", &EngineSettings::audioSource, [](const DeviceCatalog &c) { return namesOf(c.audioSources); }},
    {"VideoEncoder", &EngineSettings::videoEncoder, [](const DeviceCatalog &c) { return namesOf(c.videoEncoders); }},
    {"AudioEncoder", &EngineSettings::audioEncoder, [](const DeviceCatalog &c) { return namesOf(c.audioEncoders); }},
};

std::string selectedName(const DeviceKey &device, const EngineState &state) {
  const auto names = device.names(state.devices);
  const std::string *name = elementAt(names, state.settings.*device.selected);
  return name ? *name : std::string();
}

void selectByName(const DeviceKey &device, const std::string &name, EngineState &state) {
  const auto names = device.names(state.devices);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) state.settings.*device.selected = static_cast<int>(i);
  }
}

bool applyEntry(const IniLine &entry, EngineState &state) {
  for (const auto &field : settingFields()) {
    if (entry.name == field.key) return applySettingText(field, entry.value, state.settings);
  }
  for (const auto &device : kDeviceKeys) {
    if (entry.name == device.key) {
      selectByName(device, entry.value, state);
      return true;
    }
  }
  return false;
}

// One line into candidate; false when the line makes the file invalid.
bool applyLine(const IniLine &line, int &sectionsSeen, std::set<std::string> &keysSeen, EngineState &candidate) {
  switch (line.kind) {
    case IniLine::Kind::Blank:
    case IniLine::Kind::Comment:
      return true;
    case IniLine::Kind::Section:
      return line.name == kSection && ++sectionsSeen == 1;
    case IniLine::Kind::Entry:
      return sectionsSeen == 1 && keysSeen.insert(line.name).second && applyEntry(line, candidate);
    case IniLine::Kind::Malformed:
      break;
  }
  return false;
}

}  // namespace

std::string formatSettingsFile(const EngineState &state) {
  std::string text = sectionLine(kSection) + '\n';
  for (const auto &device : kDeviceKeys) text += entryLine(device.key, selectedName(device, state)) + '\n';
  for (const auto &field : settingFields()) text += entryLine(field.key, settingText(field, state.settings)) + '\n';
  return text;
}

bool applySettingsFile(const std::string &text, EngineState &state) {
  if (text.find('\0') != std::string::npos) return false;
  EngineState candidate = state;
  int sectionsSeen = 0;
  std::set<std::string> keysSeen;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!applyLine(parseIniLine(line), sectionsSeen, keysSeen, candidate)) return false;
  }
  if (sectionsSeen != 1) return false;
  state.settings = candidate.settings;
  return true;
}

}  // namespace ovsim
