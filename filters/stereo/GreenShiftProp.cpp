#include "GreenShiftProp.h"

GreenShiftProp::GreenShiftProp(IUnknown* outer, HRESULT*)
    : VideoColourPage("Green Shift page", outer, kGreenShiftPageDialog, kGreenShiftPageTitle)
{
}
