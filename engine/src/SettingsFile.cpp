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
  // The name of device `index`, or nullptr past the end.
  const std::string *(*nameAt)(const DeviceCatalog &, int index);
};

template <auto List>
const std::string *deviceName(const DeviceCatalog &devices, int index) {
  const auto *device = elementAt(devices.*List, index);
  return device ? &device->name : nullptr;
}

const DeviceKey kDeviceKeys[] = {
    {"VideoSource", &EngineSettings::videoSource, deviceName<&DeviceCatalog::videoSources>},
    {"AudioSource", &EngineSettings::audioSource, deviceName<&DeviceCatalog::audioSources>},
    {"VideoEncoder", &EngineSettings::videoEncoder, deviceName<&DeviceCatalog::videoEncoders>},
    {"AudioEncoder", &EngineSettings::audioEncoder, deviceName<&DeviceCatalog::audioEncoders>},
};

std::string selectedName(const DeviceKey &device, const EngineState &state) {
  const std::string *name = device.nameAt(state.devices, state.settings.*device.selected);
  return name ? *name : std::string();
}

// With several devices of that name the last one wins; an unknown name keeps the selection.
void selectByName(const DeviceKey &device, const std::string &name, const DeviceCatalog &devices,
                  EngineSettings &settings) {
  for (int i = 0; const std::string *candidate = device.nameAt(devices, i); ++i) {
    if (*candidate == name) settings.*device.selected = i;
  }
}

bool applyEntry(const IniLine &entry, const DeviceCatalog &devices, EngineSettings &settings) {
  for (const auto &field : settingFields()) {
    if (entry.name == field.key) return applySettingText(field, entry.value, settings);
  }
  for (const auto &device : kDeviceKeys) {
    if (entry.name == device.key) {
      selectByName(device, entry.value, devices, settings);
      return true;
    }
  }
  return false;
}

// One line into candidate; false when the line makes the file invalid.
bool applyLine(const IniLine &line, int &sectionsSeen, std::set<std::string> &keysSeen, const DeviceCatalog &devices,
               EngineSettings &candidate) {
  switch (line.kind) {
    case IniLine::Kind::Blank:
    case IniLine::Kind::Comment:
      return true;
    case IniLine::Kind::Section:
      return line.name == kSection && ++sectionsSeen == 1;
    case IniLine::Kind::Entry:
      return sectionsSeen == 1 && keysSeen.insert(line.name).second && applyEntry(line, devices, candidate);
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
  EngineSettings candidate = state.settings;
  int sectionsSeen = 0;
  std::set<std::string> keysSeen;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!applyLine(parseIniLine(line), sectionsSeen, keysSeen, state.devices, candidate)) return false;
  }
  if (sectionsSeen != 1) return false;
  state.settings = candidate;
  return true;
}

}  // namespace ovsim
