// Class table of holdqueue.so: the Synchronizing Buffer and its page.
#include "ClassTable.h"
#include "HoldQueue.h"
#include "HoldQueueClsids.h"
#include "HoldQueueProp.h"
#include "media_guids.h"

namespace {

// Any media: the pins register no major type.
const AMOVIESETUP_MEDIATYPE kAnyMedia{&GUID_NULL, &GUID_NULL};

WCHAR kInputPinName[] = u"Input";
WCHAR kOutputPinName[] = u"Output";

const AMOVIESETUP_PIN kHoldQueuePins[] = {
    {kInputPinName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kAnyMedia},
    {kOutputPinName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kAnyMedia},
};

const AMOVIESETUP_FILTER kHoldQueueSetup{&CLSID_HoldQueue, u"Velk Synchronizing Buffer", kFilterMerit, 2,
                                         kHoldQueuePins};

} // namespace

const CFactoryTemplate g_Templates[] = {
    {u"HoldQueue", &CLSID_HoldQueue, CreateObject<HoldQueue>, nullptr, &kHoldQueueSetup},
    {u"HoldQueueProp", &CLSID_HoldQueueProp, CreateObject<HoldQueueProp>, nullptr, nullptr},
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
