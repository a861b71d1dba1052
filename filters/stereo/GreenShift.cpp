#include "GreenShift.h"

#include "GreenShiftPass.h"
#include "StereoPairClsids.h"

namespace {

const FilterClassInfo kGreenShiftInfo{&CLSID_GreenShift, &CLSID_GreenShiftProp, GreenShift::kSettingsSize};

} // namespace

GreenShift::GreenShift(IUnknown* outer, HRESULT*) : VideoColourInPlaceFilter(kGreenShiftInfo, "Green Shift", outer) {}

HRESULT GreenShift::CheckInputType(const CMediaType* type)
{
    const HRESULT hr = VideoColourInPlaceFilter::CheckInputType(type);
    return hr == S_OK ? CheckTopDownRows(type) : hr;
}

// The whole sample is one run of pixels: the first pixel of a row takes the
// green of the last pixel of the row below, whichever way the rows run.
void GreenShift::TransformFrame(BYTE* data, std::size_t length)
{
    const VideoFrameLayout& layout = InputLayout();
    if (layout.TopDown())
        ShiftGreenTopDown(data, length, layout.bytesPerPixel, layout.RowBytes(), layout.Rows());
    else
        ShiftGreen(data, length, layout.bytesPerPixel);
}
