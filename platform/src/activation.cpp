#include "objbase.h"

#include "comobject.h"
#include "fmapper.h"
#include "registrystore.h"
#include "widestring.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <new>

#include <dlfcn.h>

namespace {

using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

struct BuiltInClass {
    const CLSID* clsid;
    CreateFunction create;
};
const BuiltInClass kBuiltInClasses[] = {{&CLSID_FilterMapper2, &CreateFilterMapper}};

// The class object for a platform class.
class BuiltInFactory final : public CUnknown, public IClassFactory {
public:
    DECLARE_IUNKNOWN
    explicit BuiltInFactory(CreateFunction create) : CUnknown("Platform class factory", nullptr), m_create(create) {}

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IClassFactory) return GetInterface(static_cast<IClassFactory*>(this), ppv);
        return CUnknown::NonDelegatingQueryInterface(riid, ppv);
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override { return m_create(outer, riid, ppv); }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    CreateFunction m_create;
};

struct LoadedModule {
    void* handle;
    DllGetClassObjectFunction getClassObject;
    DllCanUnloadNowFunction canUnloadNow;
};

std::recursive_mutex g_modulesMutex;
std::map<std::string, LoadedModule> g_modules;
std::atomic<int> g_initialised{0};
thread_local std::string t_lastError;

HRESULT Fail(HRESULT hr, std::string message)
{
    t_lastError = std::move(message);
    return hr;
}

HRESULT ModulePathOf(REFCLSID clsid, std::string& path)
{
    const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
    bool registered = false;
    std::u16string wide;
    const RegistryResult read = ReadRegistry([&](const RegistryTree& tree) {
        const RegistryValues* values = tree.Values(key);
        registered = values != nullptr;
        if (registered) ReadString(*values, "", wide);
        return ERROR_SUCCESS;
    });
    if (read.code != ERROR_SUCCESS) return Fail(REGDB_E_READREGDB, read.message);
    if (!registered) return Fail(REGDB_E_CLASSNOTREG, "class " + GuidToString(clsid) + " is not registered");
    if (wide.empty()) return Fail(REGDB_E_CLASSNOTREG, "class " + GuidToString(clsid) + " has no module path");
    path = WideToUtf8(wide);
    return S_OK;
}

// Caller holds g_modulesMutex.
HRESULT LoadModule(const std::string& path, LoadedModule*& module)
{
    std::error_code ec;
    std::string key = std::filesystem::weakly_canonical(path, ec).string();
    if (ec) key = path;
    if (const auto it = g_modules.find(key); it != g_modules.end()) {
        module = &it->second;
        return S_OK;
    }
    void* handle = ::dlopen(key.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        return Fail(CO_E_DLLNOTFOUND, "cannot load " + key + ": " + (why ? why : "unknown error"));
    }
    LoadedModule loaded{handle, reinterpret_cast<DllGetClassObjectFunction>(::dlsym(handle, "DllGetClassObject")),
                        reinterpret_cast<DllCanUnloadNowFunction>(::dlsym(handle, "DllCanUnloadNow"))};
    if (!loaded.getClassObject) {
        ::dlclose(handle);
        return Fail(CO_E_ERRORINDLL, key + " does not export DllGetClassObject");
    }
    module = &g_modules.emplace(key, loaded).first->second;
    return S_OK;
}

// The installed module folder: ostrel/ beside this library (lib/<arch>/ostrel
// when installed). In a build folder there is none, and nothing happens.
std::string InstalledModuleFolder()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&InstalledModuleFolder), &info) || !info.dli_fname) return {};
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::weakly_canonical(info.dli_fname, ec);
    if (ec) return {};
    return (self.parent_path() / "ostrel").string();
}

// True when the installed modules were registered by this call; later calls
// do nothing, so an unknown class costs one folder scan per process at most.
bool RegisterInstalledModulesOnce()
{
    static std::once_flag once;
    bool registered = false;
    std::call_once(once, [&] {
        const std::string folder = InstalledModuleFolder();
        std::error_code ec;
        if (!folder.empty() && std::filesystem::is_directory(folder, ec)) registered = CoRegisterModulesIn(folder) > 0;
    });
    return registered;
}

} // namespace

std::size_t CoRegisterModulesIn(const std::string& folder)
{
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return 0;
    std::size_t registered = 0;
    std::lock_guard lock(g_modulesMutex);
    for (const auto& entry : it) {
        if (entry.path().extension() != ".so" || !entry.is_regular_file(ec)) continue;
        const std::string saved = t_lastError;
        LoadedModule* module = nullptr;
        if (FAILED(LoadModule(entry.path().string(), module))) {
            t_lastError = saved; // a stray file is not this activation's failure
            continue;
        }
        const auto registerServer = reinterpret_cast<DllRegisterServerFunction>(::dlsym(module->handle, "DllRegisterServer"));
        if (registerServer && SUCCEEDED(registerServer())) ++registered;
    }
    return registered;
}

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(void*, DWORD) { return g_initialised.fetch_add(1) == 0 ? S_OK : S_FALSE; }

void CoUninitialize()
{
    int current = g_initialised.load();
    while (current > 0 && !g_initialised.compare_exchange_weak(current, current - 1)) {
    }
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const BuiltInClass& builtIn : kBuiltInClasses) {
        if (*builtIn.clsid != clsid) continue;
        auto* factory = new (std::nothrow) BuiltInFactory(builtIn.create);
        if (!factory) return E_OUTOFMEMORY;
        factory->NonDelegatingAddRef();
        const HRESULT hr = factory->NonDelegatingQueryInterface(riid, ppv);
        factory->NonDelegatingRelease();
        return hr;
    }
    if (!(context & CLSCTX_INPROC_SERVER)) return Fail(REGDB_E_CLASSNOTREG, "only in-process servers exist here");
    std::string path;
    HRESULT found = ModulePathOf(clsid, path);
    if (found == REGDB_E_CLASSNOTREG && RegisterInstalledModulesOnce()) found = ModulePathOf(clsid, path);
    if (FAILED(found)) return found;
    std::lock_guard lock(g_modulesMutex);
    LoadedModule* module = nullptr;
    if (const HRESULT hr = LoadModule(path, module); FAILED(hr)) return hr;
    return module->getClassObject(clsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, riid, ppv);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries()
{
    std::lock_guard lock(g_modulesMutex);
    for (auto it = g_modules.begin(); it != g_modules.end();) {
        const LoadedModule& module = it->second;
        if (module.canUnloadNow && module.canUnloadNow() == S_OK) {
            ::dlclose(module.handle);
            it = g_modules.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t CoLoadedModuleCount()
{
    std::lock_guard lock(g_modulesMutex);
    return g_modules.size();
}

std::string CoLastActivationError() { return t_lastError; }

int StringFromGUID2(REFGUID guid, LPOLESTR text, int max)
{
    const std::u16string wide = GuidToWideString(guid);
    if (!text || max < static_cast<int>(wide.size() + 1)) return 0;
    std::memcpy(text, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    return static_cast<int>(wide.size() + 1);
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid)
{
    if (!text || !clsid) return E_INVALIDARG;
    const auto parsed = GuidFromString(WideToUtf8(text));
    if (!parsed) return MAKE_HRESULT_FROM_UINT(0x800401F3u); // CO_E_CLASSSTRING
    *clsid = *parsed;
    return S_OK;
}
