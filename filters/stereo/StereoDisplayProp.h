// Property page of the Stereo Display filter: video colour, frame rate and
// the swap check box, whose clicks show at once and are undone on closing
// unless applied.
#pragma once

#include "IStereoDisplaySettings.h"
#include "SwapColourRatePage.h"

class StereoDisplayProp final : public SwapColourRatePage<IStereoDisplaySettings, IID_IStereoDisplaySettings> {
public:
    StereoDisplayProp(IUnknown* outer, HRESULT* phr);
};
