#include "Interlace.h"

#include "InterlacePass.h"
#include "StereoPairClsids.h"

#include <new>

namespace {

const FilterClassInfo kInterlaceInfo{&CLSID_Interlace, &CLSID_InterlaceProp, Interlace::kSettingsSize};

std::size_t PixelsPerRow(const VideoFrameLayout& layout)
{
    return layout.width > 0 ? static_cast<std::size_t>(layout.width) : 0;
}

} // namespace

Interlace::Interlace(IUnknown* outer, HRESULT*) : VideoColourInPlaceFilter(kInterlaceInfo, "Interlace", outer) {}

HRESULT Interlace::OnInputLayout(const VideoFrameLayout& layout)
{
    try {
        std::vector<BYTE> scratch(InterlaceScratchBytes(PixelsPerRow(layout), layout.bytesPerPixel));
        m_rowScratch.swap(scratch);
    } catch (const std::bad_alloc&) {
        m_rowScratch.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

// An odd width leaves the last pixel of each row in place; a partial last
// row is left as it came.
void Interlace::TransformFrame(BYTE* data, std::size_t length)
{
    const VideoFrameLayout& layout = InputLayout();
    InterleaveRows(data, length, PixelsPerRow(layout), layout.bytesPerPixel, m_rowScratch.data());
}
