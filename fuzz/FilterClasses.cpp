#include "FilterClasses.h"

#include "TempFolder.h"
#include "fmapper.h"
#include "objbase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include <dlfcn.h>

namespace {

struct FilterClass {
    CLSID clsid;
    ComPtr<IClassFactory> factory;
};

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz set-up: %s\n", what.c_str());
    std::abort();
}

std::vector<CLSID> RegisteredClasses()
{
    std::vector<RegisteredFilter> filters;
    if (EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters) != S_OK) Fail("cannot list the filters");
    std::vector<CLSID> classes;
    for (const RegisteredFilter& filter : filters) classes.push_back(filter.clsid);
    return classes;
}

// The factories are kept for the whole run: going through the registry and
// loading the module for every input would make the fuzzer a hundred times
// slower without reaching other code.
void AddModuleClasses(const std::string& path, std::vector<FilterClass>& classes)
{
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) Fail(::dlerror());
    auto registerServer = reinterpret_cast<DllRegisterServerFunction>(::dlsym(module, "DllRegisterServer"));
    auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(::dlsym(module, "DllGetClassObject"));
    if (!registerServer || !getClassObject || registerServer() != S_OK) Fail("cannot register " + path);
    for (const CLSID& clsid : RegisteredClasses()) {
        const bool known = std::any_of(classes.begin(), classes.end(), [&](const FilterClass& c) { return c.clsid == clsid; });
        if (known) continue;
        FilterClass added{clsid, {}};
        if (getClassObject(clsid, IID_IClassFactory, added.factory.OutVoid()) != S_OK) Fail("no factory in " + path);
        classes.push_back(std::move(added));
    }
}

// OSTREL_FUZZ_MODULES holds the module paths, separated by ':'.
std::vector<FilterClass> LoadClasses()
{
    ::setenv("OSTREL_HOME", FuzzTempFolder().c_str(), 1);
    std::vector<FilterClass> classes;
    std::istringstream paths(OSTREL_FUZZ_MODULES);
    for (std::string path; std::getline(paths, path, ':');) AddModuleClasses(path, classes);
    if (classes.empty()) Fail("no filters registered");
    std::sort(classes.begin(), classes.end(), [](const FilterClass& a, const FilterClass& b) {
        return std::memcmp(&a.clsid, &b.clsid, sizeof a.clsid) < 0;
    });
    return classes;
}

const std::vector<FilterClass>& Classes()
{
    static const std::vector<FilterClass> classes = LoadClasses();
    return classes;
}

} // namespace

const std::vector<CLSID>& FuzzFilterClasses()
{
    static const std::vector<CLSID> clsids = [] {
        std::vector<CLSID> list;
        for (const FilterClass& c : Classes()) list.push_back(c.clsid);
        return list;
    }();
    return clsids;
}

ComPtr<IUnknown> CreateFuzzFilter(unsigned selector)
{
    const std::vector<FilterClass>& classes = Classes();
    ComPtr<IUnknown> filter;
    classes[selector % classes.size()].factory->CreateInstance(nullptr, IID_IUnknown, filter.OutVoid());
    return filter;
}
