// Type rules the two-input stereo filters share: the type of a connected
// input, inputs held to the geometry of the other input and of the output,
// and the one output buffer of a frame.
#pragma once

#include "MultiInputFilter.h"

#include <cstddef>

// The connection type of the first connected input other than `except`.
const CMediaType* ConnectedInputType(const MultiInputFilter& filter, int except = -1);

// The video colour rule, a frame that fits in one sample, and, when `geometry`
// is set, the width, height and bit count of the connected output and of the
// other connected input; VFW_E_TYPE_NOT_ACCEPTED otherwise. Without
// `geometry` only the bit count must agree.
HRESULT CheckTwoInputType(MultiInputFilter& filter, int index, LONG videoColour, const CMediaType* type,
                          bool geometry);

// The output copies a connected input's type (input 1's when connected):
// E_INVALIDARG without one, VFW_E_TYPE_NOT_ACCEPTED for another type.
HRESULT CheckCopiedOutputType(const MultiInputFilter& filter, const CMediaType* type);
HRESULT GetCopiedOutputType(const MultiInputFilter& filter, int position, CMediaType* type);

// One buffer of `frameBytes` (E_UNEXPECTED when 0), recorded as the output
// type's image size; E_FAIL when the allocator grants less.
HRESULT DecideOneFrameBuffer(MultiInputFilter& filter, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request,
                             std::size_t frameBytes);
