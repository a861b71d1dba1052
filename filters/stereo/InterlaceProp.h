// Property page of the Interlace filter.
#pragma once

#include "IInterlaceSettings.h"
#include "VideoColourPage.h"

class InterlaceProp final : public VideoColourPage<IInterlaceSettings, IID_IInterlaceSettings> {
public:
    InterlaceProp(IUnknown* outer, HRESULT* phr);
};
