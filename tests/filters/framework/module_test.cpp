#include "FrameworkTestSupport.h"
#include "TestSettings.h"
#include "objidl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

TEST(ModuleEntryPoints, ClassObjectsOnlyForTableEntriesAndFactoryInterfaces)
{
    TestModule module;
    Ref<IUnknown> object;
    constexpr CLSID unknownClass{0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(module.GetClassObject(unknownClass, IID_IClassFactory, object.PutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(object);
    EXPECT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_IPersist, object.PutVoid()), E_NOINTERFACE);
    EXPECT_FALSE(object);
    EXPECT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_ITestSettings, object.PutVoid()), E_NOINTERFACE);
    EXPECT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_IUnknown, object.PutVoid()), S_OK);
    EXPECT_TRUE(object);
    EXPECT_EQ(module.GetClassObject(CLSID_FrameworkTestPage, IID_IClassFactory, object.PutVoid()), S_OK);
    EXPECT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_IClassFactory, nullptr), E_POINTER);
}

TEST(ModuleEntryPoints, FactoryCreatesTableClassesAndRefusesAggregationForOtherInterfaces)
{
    TestModule module;
    Ref<ITestSettings> settings;
    ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, settings.PutVoid()), S_OK);
    Ref<IUnknown> page;
    EXPECT_EQ(module.Create(CLSID_FrameworkTestPage, IID_IUnknown, page.PutVoid()), S_OK);
    Ref<IUnknown> aggregated;
    EXPECT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, aggregated.PutVoid(), settings.Get()),
              E_NOINTERFACE);
    EXPECT_FALSE(aggregated);
}

TEST(ModuleEntryPoints, CanUnloadOnlyWithoutLiveObjectsOrLocks)
{
    TestModule module;
    ASSERT_EQ(module.CanUnloadNow(), S_OK);
    {
        Ref<ITestSettings> filter;
        ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, filter.PutVoid()), S_OK);
        EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(module.CanUnloadNow(), S_OK);

    Ref<IClassFactory> factory;
    ASSERT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_IClassFactory, factory.PutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(module.GetClassObject(CLSID_FrameworkTestFilter, IID_IClassFactory, factory.PutVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), E_UNEXPECTED);
    factory.Reset();
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

TEST(ModuleEntryPoints, LoadingRunsDllMainWithTheInitialisationRoutines)
{
    TestModule module;
    Ref<ITestSettings> filter;
    ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, filter.PutVoid()), S_OK);
    LONG notices = 0;
    ASSERT_EQ(filter->GetLoadNotices(&notices), S_OK);
    EXPECT_GE(notices, 1);
}

TEST(ModuleEntryPoints, ModuleExportsExactlyTheFiveEntryPoints)
{
    const std::string command = "nm -D --defined-only '" + TestModule::Path() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name) symbols.insert(name);
    }
    ASSERT_EQ(::pclose(pipe), 0);
    const std::set<std::string> expected{"DllMain", "DllRegisterServer", "DllUnregisterServer", "DllGetClassObject",
                                         "DllCanUnloadNow"};
    EXPECT_EQ(symbols, expected);
}
