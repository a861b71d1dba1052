#include "Interlace.h"

#include "InterlacePass.h"
#include "StereoPairClsids.h"

#include <new>

namespace {

const FilterClassInfo kInterlaceInfo{&CLSID_Interlace, &CLSID_InterlaceProp, Interlace::kSettingsSize};

} // namespace

Interlace::Interlace(IUnknown* outer, HRESULT*) : VideoColourInPlaceFilter(kInterlaceInfo, "Interlace", outer) {}

HRESULT Interlace::OnInputLayout(const VideoFrameLayout& layout)
{
    const std::size_t width = layout.width > 0 ? static_cast<std::size_t>(layout.width) : 0;
    try {
        std::vector<BYTE> scratch(InterlaceScratchBytes(width, layout.bytesPerPixel));
        m_rowScratch.swap(scratch);
    } catch (const std::bad_alloc&) {
        m_bytesPerPixel = 0;
        m_width = 0;
        m_rowScratch.clear();
        return E_OUTOFMEMORY;
    }
    m_bytesPerPixel = layout.bytesPerPixel;
    m_width = static_cast<LONG>(width);
    return S_OK;
}

// An odd width leaves the last pixel of each row in place; a partial last
// row is left as it came.
void Interlace::TransformFrame(BYTE* data, std::size_t length)
{
    InterleaveRows(data, length, static_cast<std::size_t>(m_width), m_bytesPerPixel, m_rowScratch.data());
}
