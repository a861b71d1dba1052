// Class table of fxbank.so: each filter followed by its page.
#include "ClassTable.h"
#include "FxBankClsids.h"
#include "media_guids.h"

// ---- Noise, Ghost, Scroll, Subliminal
#include "Ghost.h"
#include "GhostProp.h"
#include "Noise.h"
#include "NoiseProp.h"
#include "Scroll.h"
#include "ScrollProp.h"
#include "Subliminal.h"
#include "SubliminalProp.h"

namespace {

const AMOVIESETUP_MEDIATYPE kEffectVideo{&MEDIATYPE_Video, &GUID_NULL};

WCHAR kEffectInputName[] = u"Input";
WCHAR kEffectOutputName[] = u"Output";
WCHAR kSubInputName[] = u"SubInput";

// Input pins connect to an "Output", output pins to an "Input".
const AMOVIESETUP_PIN kEffectPins[] = {
    {kEffectInputName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kEffectVideo},
    {kEffectOutputName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kEffectVideo},
};

const AMOVIESETUP_PIN kSubliminalPins[] = {
    {kEffectInputName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kEffectVideo},
    {kEffectOutputName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kEffectVideo},
    {kSubInputName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kEffectVideo},
};

const AMOVIESETUP_FILTER kNoiseSetup{&CLSID_Noise, u"Velk Noise Filter", kFilterMerit, 2, kEffectPins};
const AMOVIESETUP_FILTER kGhostSetup{&CLSID_Ghost, u"Velk Ghost Filter", kFilterMerit, 2, kEffectPins};
const AMOVIESETUP_FILTER kScrollSetup{&CLSID_Scroll, u"Velk Scroll Filter", kFilterMerit, 2, kEffectPins};
const AMOVIESETUP_FILTER kSubliminalSetup{&CLSID_Subliminal, u"Velk Subliminal Filter", kFilterMerit, 3,
                                          kSubliminalPins};

} // namespace
// ----

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
    // ---- Noise, Ghost, Scroll, Subliminal
    {u"Noise", &CLSID_Noise, CreateObject<Noise>, nullptr, &kNoiseSetup},
    {u"NoiseProp", &CLSID_NoiseProp, CreateObject<NoiseProp>, nullptr, nullptr},
    {u"Ghost", &CLSID_Ghost, CreateObject<Ghost>, nullptr, &kGhostSetup},
    {u"GhostProp", &CLSID_GhostProp, CreateObject<GhostProp>, nullptr, nullptr},
    {u"Scroll", &CLSID_Scroll, CreateObject<Scroll>, nullptr, &kScrollSetup},
    {u"ScrollProp", &CLSID_ScrollProp, CreateObject<ScrollProp>, nullptr, nullptr},
    {u"Subliminal", &CLSID_Subliminal, CreateObject<Subliminal>, nullptr, &kSubliminalSetup},
    {u"SubliminalProp", &CLSID_SubliminalProp, CreateObject<SubliminalProp>, nullptr, nullptr},
    // ----
    // ---- Frame Rate Controller
    {u"FrameControl", &CLSID_FrameControl, CreateObject<FrameRateController>, nullptr, &kFrameControlSetup},
    {u"FrameControlProp", &CLSID_FrameControlProp, CreateObject<FrameRateControllerProp>, nullptr, nullptr},
    // ----
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
