// Filter mapper stand-in: IFilterMapper2 with its published method order and
// registration records, storing each filter under
// HKEY_CLASSES_ROOT\CLSID\{category}\Instance\{filter} in readable keys.
#pragma once

#include "unknwn.h"

#include <string>
#include <vector>

inline constexpr CLSID CLSID_FilterMapper2{0xCDA42200, 0xBD88, 0x11D0, {0xBD, 0x4E, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};
inline constexpr IID IID_IFilterMapper2{0xB79BB0B0, 0x33C1, 0x11D1, {0xAB, 0xE1, 0x00, 0xA0, 0xC9, 0x05, 0xF3, 0x75}};
inline constexpr CLSID CLSID_LegacyAmFilterCategory{
    0x083863F1, 0x70DE, 0x11D0, {0xBD, 0x40, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86}};

constexpr DWORD MERIT_PREFERRED = 0x800000;
constexpr DWORD MERIT_NORMAL = 0x600000;
constexpr DWORD MERIT_UNLIKELY = 0x400000;
constexpr DWORD MERIT_DO_NOT_USE = 0x200000;
constexpr DWORD MERIT_SW_COMPRESSOR = 0x100000;
constexpr DWORD MERIT_HW_COMPRESSOR = 0x100050;

constexpr DWORD REG_PINFLAG_B_ZERO = 0x1;
constexpr DWORD REG_PINFLAG_B_RENDERER = 0x2;
constexpr DWORD REG_PINFLAG_B_MANY = 0x4;
constexpr DWORD REG_PINFLAG_B_OUTPUT = 0x8;

struct REGPINTYPES {
    const CLSID* clsMajorType;
    const CLSID* clsMinorType;
};

struct REGFILTERPINS {
    LPWSTR strName;
    BOOL bRendered;
    BOOL bOutput;
    BOOL bZero;
    BOOL bMany;
    const CLSID* clsConnectsToFilter;
    const WCHAR* strConnectsToPin;
    UINT nMediaTypes;
    const REGPINTYPES* lpMediaType;
};

struct REGPINMEDIUM {
    CLSID clsMedium;
    DWORD dw1;
    DWORD dw2;
};

struct REGFILTERPINS2 {
    DWORD dwFlags;
    UINT cInstances;
    UINT nMediaTypes;
    const REGPINTYPES* lpMediaType;
    UINT nMediums;
    const REGPINMEDIUM* lpMedium;
    const CLSID* clsPinCategory;
};

// dwVersion 1 reads cPins/rgPins, version 2 cPins2/rgPins2.
struct REGFILTER2 {
    DWORD dwVersion;
    DWORD dwMerit;
    union {
        struct {
            ULONG cPins;
            const REGFILTERPINS* rgPins;
        };
        struct {
            ULONG cPins2;
            const REGFILTERPINS2* rgPins2;
        };
    };
};

static_assert(sizeof(REGPINTYPES) == 16 && sizeof(REGFILTERPINS) == 56 && sizeof(REGPINMEDIUM) == 24);
static_assert(sizeof(REGFILTERPINS2) == 48 && sizeof(REGFILTER2) == 24);

struct IMoniker;
struct IEnumMoniker;

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IFilterMapper2 : IUnknown {
    STDMETHOD(CreateCategory)(REFCLSID clsidCategory, DWORD dwCategoryMerit, LPCWSTR Description) PURE;
    STDMETHOD(UnregisterFilter)(const CLSID* pclsidCategory, LPCOLESTR szInstance, REFCLSID Filter) PURE;
    STDMETHOD(RegisterFilter)(REFCLSID clsidFilter, LPCWSTR Name, IMoniker** ppMoniker,
                              const CLSID* pclsidCategory, LPCOLESTR szInstance, const REGFILTER2* prf2) PURE;
    STDMETHOD(EnumMatchingFilters)(IEnumMoniker** ppEnum, DWORD dwFlags, BOOL bExactMatch, DWORD dwMerit,
                                   BOOL bInputNeeded, DWORD cInputTypes, const GUID* pInputTypes,
                                   const REGPINMEDIUM* pMedIn, const CLSID* pPinCategoryIn, BOOL bRender,
                                   BOOL bOutputNeeded, DWORD cOutputTypes, const GUID* pOutputTypes,
                                   const REGPINMEDIUM* pMedOut, const CLSID* pPinCategoryOut) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// What the mapper holds about one registered filter.
struct RegisteredPinType {
    CLSID majorType;
    CLSID minorType;
};
struct RegisteredPin {
    std::u16string name;
    bool rendered = false;
    bool output = false;
    bool zero = false;
    bool many = false;
    CLSID connectsToFilter = GUID_NULL;
    std::u16string connectsToPin;
    std::vector<RegisteredPinType> mediaTypes;
};
struct RegisteredFilter {
    std::u16string instance;
    CLSID clsid = GUID_NULL;
    std::u16string friendlyName;
    DWORD merit = 0;
    std::vector<RegisteredPin> pins;
};

// Lists the filters registered in `category`, for tools and tests. A
// registration that cannot be read fails with REGDB_E_READREGDB.
HRESULT EnumerateRegisteredFilters(REFCLSID category, std::vector<RegisteredFilter>& filters);

// Creates the mapper object (what CoCreateInstance serves for CLSID_FilterMapper2).
HRESULT CreateFilterMapper(IUnknown* outer, REFIID riid, void** ppv);
