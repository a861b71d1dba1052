#include "BufferRequest.h"

HRESULT RequestOneBuffer(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, LONG bytes)
{
    if (!allocator || !request) return E_POINTER;
    request->cBuffers = 1;
    request->cbBuffer = bytes;
    if (request->cbAlign <= 0) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cBuffers < 1 || actual.cbBuffer < bytes ? E_FAIL : S_OK;
}
