// Green Shift: moves the green of every pixel one pixel to the right, in
// place; red and blue stay.
#pragma once

#include "IGreenShiftSettings.h"
#include "VideoColourInPlaceFilter.h"

class GreenShift final : public VideoColourInPlaceFilter<IGreenShiftSettings, IID_IGreenShiftSettings> {
public:
    GreenShift(IUnknown* outer, HRESULT* phr);

protected:
    void TransformFrame(BYTE* data, std::size_t length) override;
};
