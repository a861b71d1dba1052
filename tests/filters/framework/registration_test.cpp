#include "FrameworkTestSupport.h"
#include "TempHome.h"
#include "TestSettings.h"
#include "fmapper.h"
#include "media_guids.h"
#include "widestring.h"
#include "winreg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::u16string ReadString(const std::u16string& keyPath, LPCWSTR name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return u"<no key>";
    WCHAR text[1024] = {};
    DWORD size = sizeof text, type = 0;
    const LONG code = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return code == ERROR_SUCCESS && type == REG_SZ ? std::u16string(text) : u"<no value>";
}

bool KeyExists(const std::u16string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::u16string ClassKey(REFCLSID clsid) { return u"CLSID\\" + GuidToWideString(clsid); }

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(ModuleRegistration, RegisteringTwiceLeavesOneCompleteRegistration)
{
    TempHome home;
    TestModule module;
    ASSERT_EQ(module.Register(), S_OK);
    ASSERT_EQ(module.Register(), S_OK);

    const std::u16string modulePath = Utf8ToWide(std::filesystem::canonical(TestModule::Path()).string());
    for (const CLSID* clsid : {&CLSID_FrameworkTestFilter, &CLSID_FrameworkTestPage}) {
        EXPECT_EQ(ReadString(ClassKey(*clsid) + u"\\InprocServer32", nullptr), modulePath);
        EXPECT_EQ(ReadString(ClassKey(*clsid) + u"\\InprocServer32", u"ThreadingModel"), u"Both");
    }

    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), 1u);
    const RegisteredFilter& filter = filters[0];
    EXPECT_EQ(filter.clsid, CLSID_FrameworkTestFilter);
    EXPECT_EQ(filter.friendlyName, u"Ostrel Framework Test Filter");
    EXPECT_EQ(filter.merit, 0x200000u);
    ASSERT_EQ(filter.pins.size(), 2u);
    EXPECT_EQ(filter.pins[0].name, u"Input");
    EXPECT_FALSE(filter.pins[0].output);
    EXPECT_EQ(filter.pins[0].connectsToPin, u"Output");
    EXPECT_EQ(filter.pins[1].name, u"Output");
    EXPECT_TRUE(filter.pins[1].output);
    EXPECT_EQ(filter.pins[1].connectsToPin, u"Input");
    for (const RegisteredPin& pin : filter.pins) {
        EXPECT_FALSE(pin.rendered || pin.zero || pin.many);
        EXPECT_EQ(pin.connectsToFilter, GUID_NULL);
        ASSERT_EQ(pin.mediaTypes.size(), 1u);
        EXPECT_EQ(pin.mediaTypes[0].majorType, MEDIATYPE_Video);
        EXPECT_EQ(pin.mediaTypes[0].minorType, GUID_NULL);
    }
}

TEST(ModuleRegistration, UnregisteringRemovesMapperEntryAndClassKeys)
{
    TempHome home;
    TestModule module;
    ASSERT_EQ(module.Register(), S_OK);
    ASSERT_EQ(module.Unregister(), S_OK);
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
    EXPECT_FALSE(KeyExists(ClassKey(CLSID_FrameworkTestFilter)));
    EXPECT_FALSE(KeyExists(ClassKey(CLSID_FrameworkTestPage)));
    // Removing what is already gone still succeeds.
    EXPECT_EQ(module.Unregister(), S_OK);
}

TEST(ModuleRegistration, RegisteredClassesAreCreatedByClsidAndUnloadedWhenUnused)
{
    TempHome home;
    {
        TestModule module;
        ASSERT_EQ(module.Register(), S_OK);
    }
    const std::size_t before = CoLoadedModuleCount();
    Ref<ITestSettings> filter;
    ASSERT_EQ(CoCreateInstance(CLSID_FrameworkTestFilter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestSettings,
                               filter.PutVoid()),
              S_OK);
    Ref<ITestSettings> second;
    ASSERT_EQ(CoCreateInstance(CLSID_FrameworkTestFilter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestSettings,
                               second.PutVoid()),
              S_OK);
    EXPECT_EQ(CoLoadedModuleCount(), before + 1);
    CoFreeUnusedLibraries();
    EXPECT_EQ(CoLoadedModuleCount(), before + 1);
    filter.Reset();
    second.Reset();
    CoFreeUnusedLibraries();
    EXPECT_EQ(CoLoadedModuleCount(), before);

    {
        TestModule module;
        ASSERT_EQ(module.Unregister(), S_OK);
    }
    EXPECT_EQ(CoCreateInstance(CLSID_FrameworkTestFilter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestSettings,
                               filter.PutVoid()),
              REGDB_E_CLASSNOTREG);
}

TEST(ModuleRegistration, CorruptRegistryFailsRegistrationAndIsLeftAlone)
{
    TempHome home;
    const std::string corrupt = "[HKEY_CLASSES_ROOT\\CLSID]\nthis is not a value line\n";
    std::ofstream(home.RegistryFile()) << corrupt;
    TestModule module;
    EXPECT_EQ(module.Register(), HRESULT_FROM_WIN32(ERROR_BADDB));
    EXPECT_EQ(module.Unregister(), HRESULT_FROM_WIN32(ERROR_BADDB));
    EXPECT_EQ(ReadFile(home.RegistryFile()), corrupt);
}

TEST(ModuleRegistration, RegistersEveryModuleOfAFolderAndPassesOverOtherFiles)
{
    TempHome home;
    const std::filesystem::path folder = home.Path() / "modules";
    std::filesystem::create_directories(folder);
    const std::filesystem::path copy = folder / "frameworktest.so";
    std::filesystem::copy_file(TestModule::Path(), copy);
    std::ofstream(folder / "broken.so") << "not a module";
    std::ofstream(folder / "README") << "text";
    std::filesystem::create_directories(folder / "sub.so");

    EXPECT_EQ(CoRegisterModulesIn(folder.string()), 1u);
    const std::u16string copyPath = Utf8ToWide(std::filesystem::canonical(copy).string());
    EXPECT_EQ(ReadString(ClassKey(CLSID_FrameworkTestFilter) + u"\\InprocServer32", nullptr), copyPath);
    // Activation now finds the class in the copy it registered.
    IUnknown* filter = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FrameworkTestFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&filter)),
              S_OK);
    filter->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(CoRegisterModulesIn((home.Path() / "absent").string()), 0u);
}
