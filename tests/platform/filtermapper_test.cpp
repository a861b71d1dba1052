#include "TempHome.h"
#include "fmapper.h"
#include "objbase.h"
#include "widestring.h"
#include "winreg.h"

#include <gtest/gtest.h>

namespace {

constexpr CLSID kFilter{0x0A0B0C0D, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
constexpr GUID kMajor{0x11111111, 1, 1, {1, 1, 1, 1, 1, 1, 1, 1}};

IFilterMapper2* NewMapper()
{
    IFilterMapper2* mapper = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                               reinterpret_cast<void**>(&mapper)),
              S_OK);
    return mapper;
}

} // namespace

TEST(FilterMapper, RegistersReplacesAndUnregistersFilters)
{
    TempHome home;
    IFilterMapper2* mapper = NewMapper();
    ASSERT_NE(mapper, nullptr);
    const REGPINTYPES types[] = {{&kMajor, nullptr}};
    const REGFILTERPINS2 pins[] = {{REG_PINFLAG_B_OUTPUT | REG_PINFLAG_B_MANY, 1, 1, types, 0, nullptr, nullptr}};
    REGFILTER2 data{};
    data.dwVersion = 2;
    data.dwMerit = MERIT_NORMAL;
    data.cPins2 = 1;
    data.rgPins2 = pins;
    ASSERT_EQ(mapper->RegisterFilter(kFilter, u"Second form", nullptr, nullptr, nullptr, &data), S_OK);

    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].merit, MERIT_NORMAL);
    ASSERT_EQ(filters[0].pins.size(), 1u);
    EXPECT_TRUE(filters[0].pins[0].output && filters[0].pins[0].many);
    EXPECT_FALSE(filters[0].pins[0].zero || filters[0].pins[0].rendered);
    EXPECT_EQ(filters[0].pins[0].mediaTypes[0].majorType, kMajor);
    EXPECT_EQ(filters[0].pins[0].mediaTypes[0].minorType, GUID_NULL);

    // Registering again replaces the old pins whole.
    data.cPins2 = 0;
    ASSERT_EQ(mapper->RegisterFilter(kFilter, u"Replaced", nullptr, nullptr, nullptr, &data), S_OK);
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].friendlyName, u"Replaced");
    EXPECT_TRUE(filters[0].pins.empty());

    EXPECT_EQ(mapper->RegisterFilter(kFilter, u"x", nullptr, nullptr, nullptr, nullptr), E_POINTER);
    data.dwVersion = 3;
    EXPECT_EQ(mapper->RegisterFilter(kFilter, u"x", nullptr, nullptr, nullptr, &data), E_INVALIDARG);
    EXPECT_EQ(mapper->UnregisterFilter(nullptr, nullptr, kFilter), S_OK);
    EXPECT_EQ(mapper->UnregisterFilter(nullptr, nullptr, kFilter), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
    IEnumMoniker* monikers = nullptr;
    EXPECT_EQ(mapper->EnumMatchingFilters(&monikers, 0, FALSE, 0, FALSE, 0, nullptr, nullptr, nullptr, FALSE, FALSE, 0,
                                          nullptr, nullptr, nullptr),
              E_NOTIMPL);
    EXPECT_EQ(mapper->Release(), 0u);
}

TEST(Activation, ExplainsWhyAClassCannotBeCreated)
{
    TempHome home;
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    HKEY key = nullptr;
    const std::u16string serverKey = u"CLSID\\" + GuidToWideString(kFilter) + u"\\InprocServer32";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(CoCreateInstance(kFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    const std::u16string missing = u"/no/such/module.so";
    const auto setModulePath = [&](const std::u16string& path) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * 2));
    };
    setModulePath(missing);
    EXPECT_EQ(CoCreateInstance(kFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CO_E_DLLNOTFOUND);
    EXPECT_NE(CoLastActivationError().find("/no/such/module.so"), std::string::npos);
    // A long module path is still a path, not a missing one.
    std::u16string longPath = u"/no/such";
    while (longPath.size() < 3000) longPath += u"/folder";
    setModulePath(longPath + u"/module.so");
    RegCloseKey(key);
    EXPECT_EQ(CoCreateInstance(kFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
              CO_E_DLLNOTFOUND);
    EXPECT_NE(CoLastActivationError().find(WideToUtf8(longPath)), std::string::npos);
    EXPECT_EQ(object, nullptr);
}
