#include "winreg.h"

#include "hresult.h"
#include "registrystore.h"
#include "widestring.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <set>

struct HKEY__ {
    std::string path;
};

namespace {

thread_local std::string t_lastError;

std::mutex g_handleMutex;
std::set<HKEY> g_openKeys;

// Full path of an open or predefined key; empty for an unknown handle.
std::string KeyPath(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (key == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
    std::lock_guard lock(g_handleMutex);
    return g_openKeys.count(key) ? key->path : std::string();
}

// Appends a relative subkey path; false when it has empty components.
bool Join(const std::string& base, LPCWSTR subKey, std::string& out)
{
    out = base;
    const std::string relative = WideToUtf8(subKey ? std::u16string_view(subKey) : std::u16string_view());
    if (relative.empty()) return true;
    std::size_t start = 0;
    while (start < relative.size()) {
        const auto slash = relative.find('\\', start);
        const std::string part = relative.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part.empty()) return false;
        out += "\\" + part;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return true;
}

HKEY NewHandle(const std::string& path)
{
    auto* key = new HKEY__{path};
    std::lock_guard lock(g_handleMutex);
    g_openKeys.insert(key);
    return key;
}

LONG Finish(const RegistryResult& result)
{
    if (result.code != ERROR_SUCCESS) t_lastError = result.message;
    return result.code;
}

LONG Fail(LONG code, const char* message)
{
    t_lastError = message;
    return code;
}

std::string ValueName(LPCWSTR name) { return WideToUtf8(name ? std::u16string_view(name) : std::u16string_view()); }

} // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, HKEY* result, DWORD* disposition)
{
    if (!result) return Fail(ERROR_INVALID_PARAMETER, "no place for the key handle");
    *result = nullptr;
    const std::string base = KeyPath(key);
    std::string path;
    if (base.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!Join(base, subKey, path)) return Fail(ERROR_INVALID_PARAMETER, "empty component in the key name");
    bool created = false;
    const LONG code = Finish(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
        created = changed = tree.Create(path);
        return ERROR_SUCCESS;
    }));
    if (code != ERROR_SUCCESS) return code;
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result) return Fail(ERROR_INVALID_PARAMETER, "no place for the key handle");
    *result = nullptr;
    const std::string base = KeyPath(key);
    std::string path;
    if (base.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!Join(base, subKey, path)) return Fail(ERROR_INVALID_PARAMETER, "empty component in the key name");
    const LONG code = Finish(ReadRegistry([&](const RegistryTree& tree) {
        return tree.Has(path) || path == base ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }));
    if (code == ERROR_SUCCESS) *result = NewHandle(path);
    return code;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    {
        std::lock_guard lock(g_handleMutex);
        if (!g_openKeys.erase(key)) return ERROR_INVALID_HANDLE;
    }
    delete key;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    const std::string path = KeyPath(key);
    if (path.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!data && size) return Fail(ERROR_INVALID_PARAMETER, "value data missing");
    RegistryValue value{type, std::vector<BYTE>(data, data + size)};
    const std::string name = ValueName(valueName);
    return Finish(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
        RegistryValues* values = tree.Values(path);
        if (!values) {
            if (path.find('\\') != std::string::npos) return ERROR_FILE_NOT_FOUND;
            tree.Create(path);
            values = tree.Values(path);
        }
        const auto it = values->find(name);
        changed = it == values->end() || it->second.type != value.type || it->second.data != value.data;
        (*values)[name] = value;
        return ERROR_SUCCESS;
    }));
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    const std::string path = KeyPath(key);
    if (path.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (data && !size) return Fail(ERROR_INVALID_PARAMETER, "data buffer without a size");
    const std::string name = ValueName(valueName);
    RegistryValue found;
    const LONG code = Finish(ReadRegistry([&](const RegistryTree& tree) {
        const RegistryValues* values = tree.Values(path);
        if (!values) return ERROR_FILE_NOT_FOUND;
        const auto it = values->find(name);
        if (it == values->end()) return ERROR_FILE_NOT_FOUND;
        found = it->second;
        return ERROR_SUCCESS;
    }));
    if (code != ERROR_SUCCESS) return code;
    if (type) *type = found.type;
    const auto needed = static_cast<DWORD>(found.data.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed) std::memcpy(data, found.data.data(), needed);
    }
    if (size) *size = needed;
    return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName)
{
    const std::string path = KeyPath(key);
    if (path.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    const std::string name = ValueName(valueName);
    return Finish(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
        RegistryValues* values = tree.Values(path);
        changed = values && values->erase(name) == 1;
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }));
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey)
{
    const std::string base = KeyPath(key);
    std::string path;
    if (base.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!Join(base, subKey, path) || path == base)
        return Fail(ERROR_INVALID_PARAMETER, "the key to delete needs a name");
    return Finish(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
        if (!tree.Has(path)) return ERROR_FILE_NOT_FOUND;
        if (!tree.Children(path).empty()) return ERROR_ACCESS_DENIED;
        tree.EraseTree(path);
        changed = true;
        return ERROR_SUCCESS;
    }));
}

LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey)
{
    const std::string base = KeyPath(key);
    std::string path;
    if (base.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!Join(base, subKey, path)) return Fail(ERROR_INVALID_PARAMETER, "empty component in the key name");
    return Finish(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
        if (path == base) {
            // Empty the key but keep it, as deleting a tree from an open key does.
            for (const std::string& child : tree.Children(path)) tree.EraseTree(path + "\\" + child);
            if (RegistryValues* values = tree.Values(path)) values->clear();
            changed = true;
            return ERROR_SUCCESS;
        }
        if (!tree.Has(path)) return ERROR_FILE_NOT_FOUND;
        tree.EraseTree(path);
        changed = true;
        return ERROR_SUCCESS;
    }));
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD*, LPWSTR, DWORD*, FILETIME*)
{
    const std::string path = KeyPath(key);
    if (path.empty()) return Fail(ERROR_INVALID_HANDLE, "invalid registry key handle");
    if (!name || !nameLength) return Fail(ERROR_INVALID_PARAMETER, "no buffer for the key name");
    std::string child;
    const LONG code = Finish(ReadRegistry([&](const RegistryTree& tree) {
        const auto children = tree.Children(path);
        if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
        child = children[index];
        return ERROR_SUCCESS;
    }));
    if (code != ERROR_SUCCESS) return code;
    const std::u16string wide = Utf8ToWide(child);
    if (*nameLength < wide.size() + 1) {
        *nameLength = static_cast<DWORD>(wide.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    *nameLength = static_cast<DWORD>(wide.size());
    return ERROR_SUCCESS;
}

LONG RegistryCheckFile(std::string* message)
{
    const RegistryResult result = ReadRegistry([](const RegistryTree&) { return ERROR_SUCCESS; });
    if (message) *message = result.message;
    return result.code;
}

std::string RegistryLastError() { return t_lastError; }
