// Class table of the framework's test module: one filter and its page.
#include "ClassTable.h"
#include "TestFilter.h"
#include "TestPage.h"
#include "media_guids.h"

namespace {

const AMOVIESETUP_MEDIATYPE kVideoAnySubtype{&MEDIATYPE_Video, &GUID_NULL};

const AMOVIESETUP_PIN kPins[] = {
    {const_cast<LPWSTR>(u"Input"), FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {const_cast<LPWSTR>(u"Output"), FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kVideoAnySubtype},
};

const AMOVIESETUP_FILTER kFilterSetup{&CLSID_FrameworkTestFilter, u"Ostrel Framework Test Filter", kFilterMerit, 2,
                                      kPins};

} // namespace

const CFactoryTemplate g_Templates[] = {
    {u"FrameworkTest", &CLSID_FrameworkTestFilter, CreateObject<TestFilter>, TestFilterInit, &kFilterSetup},
    {u"FrameworkTestProp", &CLSID_FrameworkTestPage, CreateObject<TestPage>, nullptr, nullptr},
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
