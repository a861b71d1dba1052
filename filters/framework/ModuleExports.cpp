// Entry points of a filter module. Linked into every module from the
// framework library; the module supplies g_Templates and g_cTemplates.
#include "ModuleExports.h"

#include "ClassFactory.h"
#include "ModuleRegistration.h"
#include "kernel.h"

#include <climits>
#include <cstdlib>
#include <span>

#include <dlfcn.h>

namespace {

HINSTANCE g_instance = nullptr;
DWORD g_platformId = 0;

std::span<const CFactoryTemplate> Table()
{
    return {g_Templates, static_cast<std::size_t>(g_cTemplates > 0 ? g_cTemplates : 0)};
}

// Full path of this module file, or empty when the loader cannot say.
std::string ModulePath()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    if (!::realpath(info.dli_fname, resolved)) return {};
    return resolved;
}

HINSTANCE LoadAddress()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&DllMain), &info)) return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

// The loader has no DllMain of its own here: these run it at load and unload.
__attribute__((constructor)) void ModuleLoaded() { DllMain(LoadAddress(), DLL_PROCESS_ATTACH, nullptr); }
__attribute__((destructor)) void ModuleUnloading() { DllMain(LoadAddress(), DLL_PROCESS_DETACH, nullptr); }

void CallInitRoutines(BOOL loading)
{
    for (const CFactoryTemplate& entry : Table())
        if (entry.m_lpfnInit) entry.m_lpfnInit(loading, entry.m_ClsID);
}

} // namespace

HINSTANCE ModuleInstance() { return g_instance; }
DWORD ModulePlatformId() { return g_platformId; }

BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
        g_platformId = GetVersionExW(&version) ? version.dwPlatformId : 1;
        g_instance = instance;
        CallInitRoutines(TRUE);
    } else if (reason == DLL_PROCESS_DETACH) {
        CallInitRoutines(FALSE);
    }
    return TRUE;
}

HRESULT DllRegisterServer()
{
    const std::string path = ModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    return RegisterClassTable(Table(), path);
}

HRESULT DllUnregisterServer() { return UnregisterClassTable(Table()); }

HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    for (const CFactoryTemplate& entry : Table()) {
        if (!entry.IsClassID(clsid)) continue;
        auto* factory = new (std::nothrow) CClassFactory(entry);
        if (!factory) return E_OUTOFMEMORY;
        factory->NonDelegatingAddRef();
        const HRESULT hr = factory->NonDelegatingQueryInterface(riid, ppv);
        factory->NonDelegatingRelease();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT DllCanUnloadNow() { return CClassFactory::IsLocked() || CBaseObject::ObjectsActive() > 0 ? S_FALSE : S_OK; }
