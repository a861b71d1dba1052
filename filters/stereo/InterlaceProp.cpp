#include "InterlaceProp.h"

InterlaceProp::InterlaceProp(IUnknown* outer, HRESULT*)
    : VideoColourPage("Interlace page", outer, kInterlacePageDialog, kInterlacePageTitle)
{
}
