// Interlace: turns side-by-side stereo frames into column-interleaved ones,
// row by row, in place.
#pragma once

#include "IInterlaceSettings.h"
#include "VideoColourInPlaceFilter.h"

#include <vector>

class Interlace final : public VideoColourInPlaceFilter<IInterlaceSettings, IID_IInterlaceSettings> {
public:
    Interlace(IUnknown* outer, HRESULT* phr);

protected:
    // Replaces the row scratch for the new width.
    HRESULT OnInputLayout(const VideoFrameLayout& layout) override;
    void TransformFrame(BYTE* data, std::size_t length) override;

private:
    std::vector<BYTE> m_rowScratch;
};
