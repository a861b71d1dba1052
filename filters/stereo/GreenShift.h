// Green Shift: moves the green of every pixel one pixel to the right, in
// place; red and blue stay.
#pragma once

#include "IGreenShiftSettings.h"
#include "VideoColourInPlaceFilter.h"

class GreenShift final : public VideoColourInPlaceFilter<IGreenShiftSettings, IID_IGreenShiftSettings> {
public:
    GreenShift(IUnknown* outer, HRESULT* phr);

    // Top-down frames too, where their rows hold whole pixels.
    HRESULT CheckInputType(const CMediaType* type) override;

protected:
    void TransformFrame(BYTE* data, std::size_t length) override;
};
