#include "FrameworkTestSupport.h"
#include "TestSettings.h"
#include "objidl.h"
#include "ocidl.h"

#include <gtest/gtest.h>

namespace {

// A controlling unknown that aggregates the test filter.
class Outer final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    IUnknown* inner = nullptr;
    ULONG references = 1;
};

} // namespace

TEST(FilterInterfaces, FilterAnswersItsInterfacesWithOneIdentity)
{
    TestModule module;
    Ref<IUnknown> filter;
    ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_IUnknown, filter.PutVoid()), S_OK);
    for (const IID* iid : {&IID_ITestSettings, &IID_IPersistStream, &IID_ISpecifyPropertyPages, &IID_IPersist}) {
        Ref<IUnknown> reached;
        ASSERT_EQ(filter->QueryInterface(*iid, reached.PutVoid()), S_OK) << GuidToString(*iid);
        Ref<IUnknown> identity;
        ASSERT_EQ(reached->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
        EXPECT_EQ(identity.Get(), filter.Get());
    }
    Ref<IUnknown> none;
    EXPECT_EQ(filter->QueryInterface(IID_IPropertyPage, none.PutVoid()), E_NOINTERFACE);
    EXPECT_FALSE(none);
}

TEST(FilterInterfaces, ClassIdAndPagesComeFromTheClassInformation)
{
    TestModule module;
    Ref<IPersist> persist;
    ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_IPersist, persist.PutVoid()), S_OK);
    CLSID clsid{};
    ASSERT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_FrameworkTestFilter);

    Ref<ISpecifyPropertyPages> pages;
    ASSERT_EQ(persist->QueryInterface(IID_ISpecifyPropertyPages, pages.PutVoid()), S_OK);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_EQ(list.pElems[0], CLSID_FrameworkTestPage);
    CoTaskMemFree(list.pElems);
    EXPECT_EQ(pages->GetPages(nullptr), E_POINTER);
}

TEST(FilterInterfaces, AggregatedFilterDelegatesToItsOuterObject)
{
    TestModule module;
    Outer outer;
    ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_IUnknown, reinterpret_cast<void**>(&outer.inner), &outer),
              S_OK);
    Ref<ITestSettings> settings;
    ASSERT_EQ(outer.QueryInterface(IID_ITestSettings, settings.PutVoid()), S_OK);
    EXPECT_EQ(outer.references, 2u); // the interface's reference went to the outer object
    Ref<IUnknown> identity;
    ASSERT_EQ(settings->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&outer));
    identity.Reset();
    settings.Reset();
    EXPECT_EQ(outer.references, 1u);
    EXPECT_EQ(outer.inner->Release(), 0u);
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}
