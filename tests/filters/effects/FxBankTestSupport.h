// What the fxbank tests share: the module registered in a temporary
// registry, and its effect filters described side by side for typed tests,
// each with its two persisted settings.
#pragma once

#include "FilterModuleTestSupport.h"
#include "FxBankClsids.h"
#include "FxBankResources.h"
#include "IGhostSettings.h"
#include "INoiseSettings.h"
#include "IScrollSettings.h"
#include "ISubliminalSettings.h"

#include <utility>

class RegisteredFxBank : public RegisteredModule {
public:
    RegisteredFxBank() : RegisteredModule(OSTREL_FXBANK_MODULE) {}
};

using SettingPair = std::pair<LONG, LONG>;

struct GhostTraits {
    using Settings = IGhostFilter;
    static constexpr const IID& kIid = IID_IGhostFilter;
    static constexpr const CLSID& kClsid = CLSID_Ghost;
    static constexpr const CLSID& kPageClsid = CLSID_GhostProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Ghost Filter";
    static constexpr SettingPair kDefaults{50, 50};
    static constexpr SettingPair kOther{7, -33};
    static SettingPair Get(Settings* s)
    {
        SettingPair v{-999, -999};
        s->GetStrength(&v.first);
        s->GetOffset(&v.second);
        return v;
    }
    static void Set(Settings* s, SettingPair v)
    {
        s->SetStrength(v.first);
        s->SetOffset(v.second);
    }
};

struct NoiseTraits {
    using Settings = INoiseFilter;
    static constexpr const IID& kIid = IID_INoiseFilter;
    static constexpr const CLSID& kClsid = CLSID_Noise;
    static constexpr const CLSID& kPageClsid = CLSID_NoiseProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Noise Filter";
    static constexpr SettingPair kDefaults{0, 50};
    static constexpr SettingPair kOther{1, 80};
    static SettingPair Get(Settings* s)
    {
        SettingPair v{-999, -999};
        s->GetNoiseType(&v.first);
        s->GetStrength(&v.second);
        return v;
    }
    static void Set(Settings* s, SettingPair v)
    {
        s->SetNoiseType(v.first);
        s->SetStrength(v.second);
    }
};

struct ScrollTraits {
    using Settings = IScrollFilter;
    static constexpr const IID& kIid = IID_IScrollFilter;
    static constexpr const CLSID& kClsid = CLSID_Scroll;
    static constexpr const CLSID& kPageClsid = CLSID_ScrollProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Scroll Filter";
    static constexpr SettingPair kDefaults{1, 0};
    static constexpr SettingPair kOther{0, -42};
    static SettingPair Get(Settings* s)
    {
        SettingPair v{-999, -999};
        s->GetDirection(&v.first);
        s->GetSpeed(&v.second);
        return v;
    }
    static void Set(Settings* s, SettingPair v)
    {
        s->SetDirection(v.first);
        s->SetSpeed(v.second);
    }
};

struct SubliminalTraits {
    using Settings = ISubliminalFilter;
    static constexpr const IID& kIid = IID_ISubliminalFilter;
    static constexpr const CLSID& kClsid = CLSID_Subliminal;
    static constexpr const CLSID& kPageClsid = CLSID_SubliminalProp;
    static constexpr const char16_t* kFriendlyName = u"Velk Subliminal Filter";
    static constexpr SettingPair kDefaults{30, 1};
    static constexpr SettingPair kOther{12, 4};
    static SettingPair Get(Settings* s)
    {
        SettingPair v{-999, -999};
        s->GetPeriod(&v.first);
        s->GetSubCount(&v.second);
        return v;
    }
    static void Set(Settings* s, SettingPair v)
    {
        s->SetPeriod(v.first);
        s->SetSubCount(v.second);
    }
};

// The settings block of a saved stream: the version field, then two
// little-endian 32-bit values.
std::vector<BYTE> SettingsStreamBytes(LONG first, LONG second);
