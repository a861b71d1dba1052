// Registers or unregisters a filter module:
//   ovregsvr MODULE.so      runs the module's DllRegisterServer
//   ovregsvr -u MODULE.so   runs its DllUnregisterServer
// Prints what happened; exits 0 on success, 1 on failure, 2 on bad usage.
#include "objbase.h"
#include "winreg.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <dlfcn.h>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: ovregsvr [-u] MODULE.so\n"
                         "  registers the filter module's classes and filters; -u unregisters them\n");
    return 2;
}

const char* Describe(HRESULT hr)
{
    switch (static_cast<std::uint32_t>(hr)) {
    case 0x800703F1u: return "the registry file is corrupt";
    case 0x800703F4u: return "the registry file cannot be read";
    case 0x800703F5u: return "the registry file cannot be written";
    case 0x8007007Eu: return "the module cannot find its own file";
    case 0x8007000Eu: return "out of memory";
    case 0x80004005u: return "unspecified failure";
    default: return "the module reported a failure";
    }
}

} // namespace

int main(int argc, char** argv)
{
    bool unregister = false;
    const char* module = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 && !unregister)
            unregister = true;
        else if (argv[i][0] != '-' && !module)
            module = argv[i];
        else
            return Usage();
    }
    if (!module) return Usage();

    std::string problem;
    if (RegistryCheckFile(&problem) != ERROR_SUCCESS) {
        std::fprintf(stderr, "ovregsvr: nothing changed: %s\n", problem.c_str());
        return 1;
    }

    char resolved[PATH_MAX];
    if (!::realpath(module, resolved)) {
        std::fprintf(stderr, "ovregsvr: %s: %s\n", module, std::strerror(errno));
        return 1;
    }
    void* handle = ::dlopen(resolved, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "ovregsvr: cannot load %s: %s\n", resolved, ::dlerror());
        return 1;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<DllRegisterServerFunction>(::dlsym(handle, entry));
    if (!function) {
        std::fprintf(stderr, "ovregsvr: %s is not a filter module (it has no %s)\n", resolved, entry);
        ::dlclose(handle);
        return 1;
    }
    const HRESULT hr = function();
    ::dlclose(handle);
    if (FAILED(hr)) {
        std::fprintf(stderr, "ovregsvr: %s of %s failed: %s (0x%08X)\n", entry, resolved, Describe(hr),
                     static_cast<unsigned>(hr));
        return 1;
    }
    std::printf("%s %s in %s\n", unregister ? "Unregistered" : "Registered", resolved, RegistryFilePath().c_str());
    return 0;
}
