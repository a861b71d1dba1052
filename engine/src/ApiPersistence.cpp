// Registry store and settings files.
#include "ApiSupport.h"
#include "AtomicFile.h"
#include "RegistryStore.h"
#include "SettingsFile.h"
#include "TextCopy.h"

using namespace ovsim;

extern "C" {

void ovSenderReadRegistry(const char *section, const char *key, const char *defaultValue, char *buffer,
                          int bufferSize) {
  logCall("ReadRegistry", section, key, defaultValue, bufferSize);
  std::optional<std::string> stored;
  if (section && key) stored = registryStore().read(section, key);
  const std::string text = stored ? *stored : std::string(defaultValue ? defaultValue : "");
  copyTextToBuffer(text, buffer, bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0);
}

bool ovSenderWriteRegistry(const char *section, const char *key, const char *value) {
  logCall("WriteRegistry", section, key, value);
  if (!section || !key || !value) return false;
  return registryStore().write(section, key, value);
}

bool ovSenderReadIniFile(const char *path) {
  logCall("ReadIniFile", path);
  if (!path) return false;
  const auto text = readWholeFile(path);
  if (!text) return false;
  return withEngine([&](EngineState &state) { return applySettingsFile(*text, state); });
}

bool ovSenderWriteIniFile(const char *path) {
  logCall("WriteIniFile", path);
  if (!path || !*path) return false;
  const std::string text = withEngine([](EngineState &state) { return formatSettingsFile(state); });
  return writeFileAtomically(path, text);
}

}  // extern "C"
