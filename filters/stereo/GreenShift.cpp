#include "GreenShift.h"

#include "GreenShiftPass.h"
#include "StereoPairClsids.h"

namespace {

const FilterClassInfo kGreenShiftInfo{&CLSID_GreenShift, &CLSID_GreenShiftProp, GreenShift::kSettingsSize};

} // namespace

GreenShift::GreenShift(IUnknown* outer, HRESULT*) : VideoColourInPlaceFilter(kGreenShiftInfo, "Green Shift", outer) {}

// The whole sample is one run of pixels: the first pixel of a row takes the
// green of the last pixel of the row below.
void GreenShift::TransformFrame(BYTE* data, std::size_t length)
{
    ShiftGreen(data, length, InputLayout().bytesPerPixel);
}
