#include "LevelCompressProp.h"

#include "StereoPairResources.h"

LevelCompressProp::LevelCompressProp(IUnknown* outer, HRESULT*)
    : SwapColourRatePage("Level Compressor page", outer, kLevelCompressPageDialog, kLevelCompressPageTitle,
                         {IDC_VIDEOCOLOUR, IDC_LC_FRAMERATE, IDC_LC_SWAP})
{
}
