// Property page of the two-input Level Compressor: video colour, frame rate
// and the swap check box, whose clicks show at once and are undone on
// closing unless applied. The compression mode has no control.
#pragma once

#include "ILevelCompressSettings.h"
#include "SwapColourRatePage.h"

class LevelCompressProp final : public SwapColourRatePage<ILevelCompressSettings, IID_ILevelCompressSettings> {
public:
    LevelCompressProp(IUnknown* outer, HRESULT* phr);
};
