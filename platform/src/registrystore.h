// The registry tree and its text file: parsing, writing and the locked
// read and update transactions.
#pragma once

#include "wintypes.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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

// Parses the text form; on failure returns false with "line N: reason".
bool ParseRegistryText(const std::string& text, RegistryTree& tree, std::string& error);
std::string FormatRegistryText(const RegistryTree& tree);

struct RegistryResult {
    LONG code = 0;
    std::string message;
};

// Runs `read` on the stored tree under a shared lock.
RegistryResult ReadRegistry(const std::function<LONG(const RegistryTree&)>& read);
// Runs `change` under an exclusive lock and stores the tree when it returns
// ERROR_SUCCESS and reports a change through `changed`.
RegistryResult UpdateRegistry(const std::function<LONG(RegistryTree&, bool& changed)>& change);
