// Class table of quadview.so: the quad view filter and its page.
#include "ClassTable.h"
#include "QuadView.h"
#include "QuadViewClsids.h"
#include "QuadViewProp.h"
#include "media_guids.h"

namespace {

const AMOVIESETUP_MEDIATYPE kVideoAnySubtype{&MEDIATYPE_Video, &GUID_NULL};

WCHAR kInput1[] = u"Input1";
WCHAR kInput2[] = u"Input2";
WCHAR kInput3[] = u"Input3";
WCHAR kInput4[] = u"Input4";
WCHAR kOutput[] = u"Output";

// Input pins connect to an "Output", the output pin to an "Input".
const AMOVIESETUP_PIN kQuadViewPins[] = {
    {kInput1, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kInput2, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kInput3, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kInput4, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kOutput, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kVideoAnySubtype},
};

const AMOVIESETUP_FILTER kQuadViewSetup{&CLSID_QuadView, u"Velk QuadView", kFilterMerit, 5, kQuadViewPins};

} // namespace

const CFactoryTemplate g_Templates[] = {
    {u"QuadView", &CLSID_QuadView, CreateObject<QuadView>, nullptr, &kQuadViewSetup},
    {u"QuadViewProp", &CLSID_QuadViewProp, CreateObject<QuadViewProp>, nullptr, nullptr},
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
