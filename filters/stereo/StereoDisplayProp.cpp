#include "StereoDisplayProp.h"

#include "StereoPairResources.h"

StereoDisplayProp::StereoDisplayProp(IUnknown* outer, HRESULT*)
    : SwapColourRatePage("Stereo Display page", outer, kStereoDisplayPageDialog, kStereoDisplayPageTitle,
                         {IDC_SD_VIDEOCOLOUR, IDC_SD_FRAMERATE, IDC_SD_SWAP})
{
}
