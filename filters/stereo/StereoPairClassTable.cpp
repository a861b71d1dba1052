// Class table of stereopair.so: each filter followed by its page.
#include "ClassTable.h"
#include "GreenShift.h"
#include "GreenShiftProp.h"
#include "Interlace.h"
#include "InterlaceProp.h"
#include "LevelCompress.h"
#include "LevelCompressProp.h"
#include "Quenza.h"
#include "QuenzaProp.h"
#include "StereoDisplay.h"
#include "StereoDisplayProp.h"
#include "StereoPairClsids.h"
#include "media_guids.h"

namespace {

const AMOVIESETUP_MEDIATYPE kVideoAnySubtype{&MEDIATYPE_Video, &GUID_NULL};

WCHAR kInputPinName[] = u"Input";
WCHAR kOutputPinName[] = u"Output";

// Input pins connect to an "Output", output pins to an "Input".
const AMOVIESETUP_PIN kInPlacePins[] = {
    {kInputPinName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kOutputPinName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kVideoAnySubtype},
};

const AMOVIESETUP_PIN kTwoInputPins[] = {
    {kInputPinName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kInputPinName, FALSE, FALSE, FALSE, FALSE, &GUID_NULL, u"Output", 1, &kVideoAnySubtype},
    {kOutputPinName, FALSE, TRUE, FALSE, FALSE, &GUID_NULL, u"Input", 1, &kVideoAnySubtype},
};

const AMOVIESETUP_FILTER kInterlaceSetup{&CLSID_Interlace, u"Velk Interlace Filter", kFilterMerit, 2, kInPlacePins};
const AMOVIESETUP_FILTER kGreenShiftSetup{&CLSID_GreenShift, u"Velk Green Shift Filter", kFilterMerit, 2,
                                          kInPlacePins};
const AMOVIESETUP_FILTER kStereoDisplaySetup{&CLSID_StereoDisplay, u"Velk Stereo Display", kFilterMerit, 3,
                                             kTwoInputPins};
const AMOVIESETUP_FILTER kLevelCompressSetup{&CLSID_LevelCompress, u"Velk 2-Input Level Compressor", kFilterMerit, 3,
                                             kTwoInputPins};
const AMOVIESETUP_FILTER kQuenzaSetup{&CLSID_Quenza, u"Velk Quenza", kFilterMerit, 3, kTwoInputPins};

} // namespace

const CFactoryTemplate g_Templates[] = {
    {u"LevelCompress", &CLSID_LevelCompress, CreateObject<LevelCompress>, nullptr, &kLevelCompressSetup},
    {u"LevelCompressProp", &CLSID_LevelCompressProp, CreateObject<LevelCompressProp>, nullptr, nullptr},
    {u"Interlace", &CLSID_Interlace, CreateObject<Interlace>, nullptr, &kInterlaceSetup},
    {u"InterlaceProp", &CLSID_InterlaceProp, CreateObject<InterlaceProp>, nullptr, nullptr},
    {u"GreenShift", &CLSID_GreenShift, CreateObject<GreenShift>, nullptr, &kGreenShiftSetup},
    {u"GreenShiftProp", &CLSID_GreenShiftProp, CreateObject<GreenShiftProp>, nullptr, nullptr},
    {u"StereoDisplay", &CLSID_StereoDisplay, CreateObject<StereoDisplay>, nullptr, &kStereoDisplaySetup},
    {u"StereoDisplayProp", &CLSID_StereoDisplayProp, CreateObject<StereoDisplayProp>, nullptr, nullptr},
    {u"Quenza", &CLSID_Quenza, CreateObject<Quenza>, nullptr, &kQuenzaSetup},
    {u"QuenzaProp", &CLSID_QuenzaProp, CreateObject<QuenzaProp>, nullptr, nullptr},
};
const int g_cTemplates = sizeof g_Templates / sizeof g_Templates[0];
