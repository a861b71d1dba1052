// Registry stand-in with the Win32 calls the filter modules and tools use.
// Keys and values live in a readable text file, $OSTREL_HOME/registry.txt
// (default ~/.config/ostrel/registry.txt). Every call is one transaction:
// the file is read under a shared lock, and changes are written to a
// temporary file and renamed into place under an exclusive lock, so several
// processes may register at once. A file that cannot be parsed is reported
// (ERROR_BADDB, and a message on stderr) and never overwritten.
#pragma once

#include "hresult.h"
#include "wintypes.h"

#include <string>

using HKEY = struct HKEY__*;
using REGSAM = DWORD;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000u)));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000001u)));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000002u)));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                     void* security, HKEY* result, DWORD* disposition);
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCloseKey(HKEY key);
// REG_SZ data is UTF-16 including its terminating null, as on Windows.
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// With data null only the type and size are reported; a buffer too small
// gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Fails with ERROR_ACCESS_DENIED while the key has subkeys.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
// Removes the key with everything below it; null or empty removes the
// contents of `key` itself.
LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey);
// Subkey names in the store's order (case-insensitive alphabetical).
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD* reserved, LPWSTR keyClass,
                   DWORD* classLength, FILETIME* lastWrite);

// The file the registry lives in.
std::string RegistryFilePath();
// ERROR_SUCCESS when the file is absent or readable; otherwise the error with
// a description in `message`.
LONG RegistryCheckFile(std::string* message);
// The description of the last failed registry call on this thread.
std::string RegistryLastError();
