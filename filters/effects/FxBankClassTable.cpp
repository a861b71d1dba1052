// Class table of fxbank.so: each filter followed by its page.
#include "ClassTable.h"
#include "FxBankClsids.h"
#include "media_guids.h"

// ---- Frame Rate Controller
#include "FrameRateController.h"
#include "FrameRateControllerProp.h"
// ---- end of Frame Rate Controller

namespace {

const AMOVIESETUP_MEDIATYPE kVideoAnySubtype{&MEDIATYPE_Video, &GUID_NULL};

WCHAR kInputPinName[] = u"Input";
WCHAR kOutputPinName[] = u"Output";

// Input pins connect to an "Output", output pins to an "Input".
const AMOVIESETUP_PIN kInputOutputPins[] = {
    {kInputPinName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kOutputPinName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kVideoAnySubtype},
};

// ---- Frame Rate Controller
const AMOVIESETUP_FILTER kFrameControlSetup{&CLSID_FrameControl, u"Velk Frame Rate Controller", kFilterMerit, 2,
                                            kInputOutputPins};
// ---- end of Frame Rate Controller

} // namespace

const CFactoryTemplate g_Templates[] = {
    // ---- Frame Rate Controller
    {u"FrameControl", &CLSID_FrameControl, CreateObject<FrameRateController>, nullptr, &kFrameControlSetup},
    {u"FrameControlProp", &CLSID_FrameControlProp, CreateObject<FrameRateControllerProp>, nullptr, nullptr},
    // ---- end of Frame Rate Controller
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
