// Property page of the Green Shift filter.
#pragma once

#include "IGreenShiftSettings.h"
#include "VideoColourPage.h"

class GreenShiftProp final : public VideoColourPage<IGreenShiftSettings, IID_IGreenShiftSettings> {
public:
    GreenShiftProp(IUnknown* outer, HRESULT* phr);
};
