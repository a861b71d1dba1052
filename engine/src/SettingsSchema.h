// The engine settings by name: what a settings file holds and the range in
// which each number can work. Sources and encoders are not listed here;
// settings files carry them by name (SettingsFile).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>

#include "EngineSettings.h"

namespace ovsim {

struct SettingField {
  const char *key;
  std::variant<bool EngineSettings::*, int EngineSettings::*, std::string EngineSettings::*> field;
  int minimum = 0;  // numbers only
  int maximum = 0;
  int errorKind = 0;  // error kind reported when the number is out of range
};

std::span<const SettingField> settingFields();

// The field's value as settings-file text: 1/0, decimal, or the text itself.
std::string settingText(const SettingField &field, const EngineSettings &settings);

// Stores text into the field when it is valid for it (a boolean 0 or 1, a decimal
// number within range, any text); false and nothing stored otherwise.
bool applySettingText(const SettingField &field, const std::string &text, EngineSettings &settings);

// The first number outside its range, if any.
const SettingField *firstSettingOutOfRange(const EngineSettings &settings);

}  // namespace ovsim
