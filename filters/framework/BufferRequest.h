// What the buffering filters ask of their output allocator: one buffer of
// one frame or sample, and nothing less.
#pragma once

#include "sample_interfaces.h"

// Sets one buffer of `bytes` on `allocator`; E_FAIL when fewer or smaller
// buffers are granted.
HRESULT RequestOneBuffer(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, LONG bytes);
