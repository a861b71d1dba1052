// Green Shift: moves the green of every pixel one pixel to the right, in
// place; red and blue stay.
#pragma once

#include "IGreenShiftSettings.h"
#include "VideoColourInPlaceFilter.h"

class GreenShift final : public VideoColourInPlaceFilter<IGreenShiftSettings, IID_IGreenShiftSettings> {
public:
    GreenShift(IUnknown* outer, HRESULT* phr);

protected:
    HRESULT OnInputLayout(const VideoFrameLayout& layout) override;
    void TransformFrame(BYTE* data, std::size_t length) override;

private:
    WORD m_bytesPerPixel = 0;  // 0 until an input type is set: samples pass unchanged
};
