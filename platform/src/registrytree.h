// The registry as a tree of keys with typed values, compared without regard
// to letter case as the registry does.
#pragma once

#include "wintypes.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct RegistryValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

using RegistryValues = std::map<std::string, RegistryValue, CaseInsensitiveLess>;

// Keys by full path ("HKEY_CLASSES_ROOT\CLSID\{...}"); every ancestor of a
// key is present too.
class RegistryTree {
public:
    bool Has(const std::string& path) const;
    // Creates the key and its ancestors; true when it did not exist.
    bool Create(const std::string& path);
    RegistryValues* Values(const std::string& path);
    const RegistryValues* Values(const std::string& path) const;
    std::vector<std::string> Children(const std::string& path) const;
    void EraseTree(const std::string& path);

    const std::map<std::string, RegistryValues, CaseInsensitiveLess>& Keys() const { return m_keys; }

private:
    std::map<std::string, RegistryValues, CaseInsensitiveLess> m_keys;
};

RegistryValue StringValue(std::u16string_view text);
RegistryValue DwordValue(DWORD value);
// False when the value is missing or of another type.
bool ReadString(const RegistryValues& values, const std::string& name, std::u16string& text);
bool ReadDword(const RegistryValues& values, const std::string& name, DWORD& value);
