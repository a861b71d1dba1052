// The five entry points every filter module exports with C linkage; nothing
// else leaves the module.
#pragma once

#include "unknwn.h"

#define OSTREL_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

OSTREL_MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
OSTREL_MODULE_EXPORT HRESULT DllRegisterServer();
OSTREL_MODULE_EXPORT HRESULT DllUnregisterServer();
OSTREL_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv);
OSTREL_MODULE_EXPORT HRESULT DllCanUnloadNow();

// Module state DllMain records.
HINSTANCE ModuleInstance();
DWORD ModulePlatformId();
