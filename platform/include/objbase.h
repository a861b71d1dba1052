// Activation of in-process COM classes. A class is found through
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 (default value: the module
// path); each module is loaded once and asked through its DllGetClassObject.
// The platform's own classes (the filter mapper) are served without a module.
#pragma once

#include "unknwn.h"

#include <string>

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// Counted per process; S_FALSE when already initialised.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD flags);
void CoUninitialize();

// REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND
// when its module cannot be loaded, CO_E_ERRORINDLL when it lacks the entry
// point, otherwise the module's own result.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID riid, void** ppv);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv);
// Unloads every loaded module whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// Number of modules currently loaded by activation.
std::size_t CoLoadedModuleCount();
// Runs DllRegisterServer of every module (*.so) in `folder` and returns how
// many registered; files that are no module are passed over. Activation
// calls it once, for the installed module folder (ostrel/ beside the platform
// library), when asked for a class nobody registered, so installed modules
// need no manual registration step.
std::size_t CoRegisterModulesIn(const std::string& folder);
// Why the last activation on this thread failed (module path, loader text).
std::string CoLastActivationError();

// Writes the braced text form with its null; returns the characters written
// including the null, or 0 when `max` is too small.
int StringFromGUID2(REFGUID guid, LPOLESTR text, int max);
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);

// Module entry points a COM server exports.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
