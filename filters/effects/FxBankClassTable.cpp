// Class table of fxbank.so: each filter followed by its page.
#include "ClassTable.h"
#include "FxBankClsids.h"
#include "media_guids.h"

// ---- Frame Rate Controller
#include "FrameRateController.h"
#include "FrameRateControllerProp.h"

namespace {

const AMOVIESETUP_MEDIATYPE kFrameControlVideo{&MEDIATYPE_Video, &GUID_NULL};

WCHAR kFrameControlInputName[] = u"Input";
WCHAR kFrameControlOutputName[] = u"Output";

// Input pins connect to an "Output", output pins to an "Input".
const AMOVIESETUP_PIN kFrameControlPins[] = {
    {kFrameControlInputName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kFrameControlVideo},
    {kFrameControlOutputName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kFrameControlVideo},
};

const AMOVIESETUP_FILTER kFrameControlSetup{&CLSID_FrameControl, u"Velk Frame Rate Controller", kFilterMerit, 2,
                                            kFrameControlPins};

} // namespace
// ----

const CFactoryTemplate g_Templates[] = {
    // ---- Frame Rate Controller
    {u"FrameControl", &CLSID_FrameControl, CreateObject<FrameRateController>, nullptr, &kFrameControlSetup},
    {u"FrameControlProp", &CLSID_FrameControlProp, CreateObject<FrameRateControllerProp>, nullptr, nullptr},
    // ----
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
