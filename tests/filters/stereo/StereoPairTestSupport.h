// What the stereopair tests share: the module registered in a temporary
// registry and the two filters described side by side for typed tests.
#pragma once

#include "FilterModuleTestSupport.h"
#include "IGreenShiftSettings.h"
#include "IInterlaceSettings.h"
#include "StereoPairClsids.h"
#include "StereoPairResources.h"

// OSTREL_HOME in a fresh folder with stereopair.so registered there.
class RegisteredStereoPair : public RegisteredModule {
public:
    RegisteredStereoPair() : RegisteredModule(OSTREL_STEREOPAIR_MODULE) {}
    static std::string ModulePath() { return OSTREL_STEREOPAIR_MODULE; }
};

struct GreenShiftTraits {
    using Settings = IGreenShiftSettings;
    static constexpr const IID& kIid = IID_IGreenShiftSettings;
    static constexpr const CLSID& kClsid = CLSID_GreenShift;
    static constexpr const CLSID& kPageClsid = CLSID_GreenShiftProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Green Shift Filter";
    static constexpr const char16_t* kPageTitle = u"Ｇｒｅｅｎピクセルの右シフト";
    static constexpr int kDialogId = 103;
};

struct InterlaceTraits {
    using Settings = IInterlaceSettings;
    static constexpr const IID& kIid = IID_IInterlaceSettings;
    static constexpr const CLSID& kClsid = CLSID_Interlace;
    static constexpr const CLSID& kPageClsid = CLSID_InterlaceProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Interlace Filter";
    static constexpr const char16_t* kPageTitle = u"インターレース化";
    static constexpr int kDialogId = 102;
};

template <class Traits>
LONG VideoColourOf(typename Traits::Settings* settings)
{
    LONG value = -100;
    settings->GetVideoColour(&value);
    return value;
}
